#pragma once
// "RTC": the repeater's clock, read when the dialog opens and then every second, and set to
// the PC's clock on request. Opened from test mode it borrows the link test mode holds;
// opened on its own it connects for itself. A failed read shows its message and closes this
// dialog only.
#include "service/RadioClock.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QTimer;

namespace rps {

class CRadioClockDialog : public QDialog {
    Q_OBJECT
public:
    // A clock on the link: borrowed from test mode, or its own connection.
    CRadioClockDialog(TransferContext& context, ClockLink link, QWidget* parent = nullptr);
    ~CRadioClockDialog() override;

    QLabel* dateField() const { return date_; }
    QLabel* timeField() const { return time_; }
    QPushButton* setButton() const { return set_; }
    QPushButton* closeButton() const { return close_; }
    // One timer tick: reads the clock unless an exchange is running.
    void tick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void build(const LanguageTable& texts);
    void showReading(const ClockReading& reading);
    void setToPcClock();
    // After a failed exchange the dialog closes; its message was shown.
    void handle(int result);

    std::unique_ptr<RadioClock> clock_;
    QLabel* date_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* utc_ = nullptr;
    QPushButton* set_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer* timer_ = nullptr;
    bool started_ = false;
    bool busy_ = false;
};

} // namespace rps
