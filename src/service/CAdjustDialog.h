#pragma once
// The adjustment dialog of one tuning item, in the layout its display code selects: single
// value, two values (Gain A and Gain B), automatic adjustment, or single value with the VCO lock
// voltage bar. Spin and slider hold the raw value; the spin shows the mapped value. A timer
// refreshes the measured values; a tick while a command runs is skipped.
#include "service/AdjustmentSession.h"
#include "texts/LanguageTable.h"

#include <QDialog>
#include <QSpinBox>

class QCheckBox;
class QGridLayout;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabBar;
class QTimer;

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
    CTuningSpinBox* gainBSpin() const { return spinB_; }
    QSlider* gainBSlider() const { return sliderB_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* closeButton() const { return close_; }
    QLabel* currentLabel() const { return current_; }
    QLabel* gainBCurrentLabel() const { return currentB_; }
    QSpinBox* volumeSpin() const { return volume_; }
    QPushButton* transmitButton() const { return transmit_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* stopButton() const { return stop_; }
    QLabel* temperatureLabel() const { return temperature_; }
    QComboBox* temperatureUnits() const { return units_; }
    QLabel* if20Label() const { return if20_; }
    QProgressBar* automaticProgress() const { return progress_; }
    QLabel* crystalLabel() const { return crystal_; }
    QProgressBar* lockVoltageBar() const { return lockVoltage_; }
    bool failed() const { return failed_; }
    // One timer tick: the measured values of the layout, unless a command runs.
    void refreshMeasurements();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    QString text(int number) const;
    void build();
    void addValueRows(QGridLayout* grid, int& row);
    void addAutomaticRows(QGridLayout* grid, int& row);
    void addMeasuredRows(QGridLayout* grid, int& row);
    void showPoint();
    void valueMoved(int raw, int which);
    void applyValue();
    void readCurrent();
    void startAutomatic();
    void stopAutomatic();
    void showAutomatic(bool running);
    void showTemperature();
    void fail();

    AdjustmentSession& session_;
    const LanguageTable& texts_;
    TuningLayout layout_;
    QTabBar* tabs_ = nullptr;
    CTuningSpinBox* spin_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* current_ = nullptr;
    CTuningSpinBox* spinB_ = nullptr;
    QSlider* sliderB_ = nullptr;
    QLabel* currentB_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* transmit_ = nullptr;
    QSpinBox* volume_ = nullptr;
    QLabel* crystal_ = nullptr;
    QProgressBar* lockVoltage_ = nullptr;
    QLabel* lockText_ = nullptr;
    QLabel* temperature_ = nullptr;
    QLabel* temperatureUnit_ = nullptr;
    QComboBox* units_ = nullptr;
    QLabel* if20_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QTimer* measureTimer_ = nullptr;
    int temperatureTenths_ = 0;
    bool temperatureKnown_ = false;
    bool updating_ = false;
    bool failed_ = false;
};

} // namespace rps
