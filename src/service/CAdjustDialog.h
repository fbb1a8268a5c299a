#pragma once
// The adjustment dialog of one tuning item, in the layout its display code selects: single
// value, two values (Gain A and Gain B), automatic adjustment, or single value with the VCO lock
// voltage bar. Spin and slider hold the raw value; the spin shows the mapped value.
#include "service/AdjustmentSession.h"
#include "texts/LanguageTable.h"

#include <QDialog>
#include <QSpinBox>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabBar;

namespace rps {

// A spin box whose value is the raw value of a range code and whose text is the shown value:
// a step moves the raw value by one, typed text is mapped back.
class CTuningSpinBox : public QSpinBox {
    Q_OBJECT
public:
    CTuningSpinBox(int rangeCode, QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

private:
    int rangeCode_;
};

class CAdjustDialog : public QDialog {
    Q_OBJECT
public:
    CAdjustDialog(AdjustmentSession& session, const LanguageTable& texts, QWidget* parent = nullptr);

    TuningLayout layout() const { return layout_; }
    QTabBar* pointTabs() const { return tabs_; }
    CTuningSpinBox* valueSpin() const { return spin_; }
    QSlider* valueSlider() const { return slider_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* closeButton() const { return close_; }
    QLabel* currentLabel() const { return current_; }
    QSpinBox* volumeSpin() const { return volume_; }
    QPushButton* transmitButton() const { return transmit_; }
    bool failed() const { return failed_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    QString text(int number) const;
    void build();
    void showPoint();
    void valueMoved(int raw);
    void applyValue();
    void readCurrent();
    void fail();

    AdjustmentSession& session_;
    const LanguageTable& texts_;
    TuningLayout layout_;
    QTabBar* tabs_ = nullptr;
    CTuningSpinBox* spin_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* current_ = nullptr;
    QLabel* secondApplied_ = nullptr;
    QLabel* secondCurrent_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* transmit_ = nullptr;
    QSpinBox* volume_ = nullptr;
    QProgressBar* lockVoltage_ = nullptr;
    bool updating_ = false;
    bool failed_ = false;
};

} // namespace rps
