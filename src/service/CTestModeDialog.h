#pragma once
// "Test Mode": the repeater as a test set. Every control change goes to the radio at once
// through the test-mode session; the adjustment list opens the adjustment dialogs.
#include "service/TestModeSession.h"
#include "texts/LanguageTable.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;

namespace rps {

class CTestModeDialog : public QDialog {
    Q_OBJECT
public:
    CTestModeDialog(TestModeSession& session, const LanguageTable& texts, QWidget* parent = nullptr);

    // The radio clock dialog, opened with the link as test mode holds it (no port opened).
    void setClockOpener(std::function<void(QWidget*)> opener);
    // Opens the adjustment dialog of a listed row (as a double click does).
    void openAdjustment(int row);
    // Test hook: called with each adjustment dialog once it is shown, before it runs.
    void setAdjustmentShown(std::function<void(QDialog*)> shown) { adjustmentShown_ = std::move(shown); }

    QSpinBox* channelSpin() const { return channel_; }
    QSpinBox* signallingSpin() const { return signalling_; }
    QComboBox* modeBox() const { return mode_; }
    QComboBox* spacingBox() const { return spacing_; }
    QComboBox* berBox() const { return ber_; }
    QPushButton* transmitButton() const { return transmit_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* clockButton() const { return rtc_; }
    QListWidget* adjustmentList() const { return list_; }
    QLabel* berLabel() const { return berText_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    QString text(int number) const;
    void build();
    void refreshTexts();
    void rebuildSpacing();
    void channelChanged(int shown);
    void berChanged(int index);
    void pollBer();
    void setControlsEnabled(bool enabled);
    // Print: the unit record and the alignment dump read from the radio, then the printer.
    void printPage();
    void stopBer();

    TestModeSession& session_;
    const LanguageTable& texts_;
    std::function<void(QWidget*)> clockOpener_;
    std::function<void(QDialog*)> adjustmentShown_;
    QSpinBox* channel_ = nullptr;
    QSpinBox* signalling_ = nullptr;
    QLabel* rx_ = nullptr;
    QLabel* tx_ = nullptr;
    QLabel* tone_ = nullptr;
    QComboBox* mode_ = nullptr;
    QComboBox* spacing_ = nullptr;
    QComboBox* power_ = nullptr;
    QComboBox* squelch_ = nullptr;
    QComboBox* ber_ = nullptr;
    QCheckBox* afc_ = nullptr;
    QCheckBox* eye_ = nullptr;
    QList<QCheckBox*> switches_;
    QPushButton* transmit_ = nullptr;
    QPushButton* rtc_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* berText_ = nullptr;
    QTimer* berTimer_ = nullptr;
    bool updating_ = false;
};

} // namespace rps
