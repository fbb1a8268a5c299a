#include "service/CRadioClockDialog.h"

#include "forms/common/HelpRequest.h"
#include "service/ToolTexts.h"

#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kClockCaption = 750;
constexpr int kDateLabel = 751;
constexpr int kTimeLabel = 752;
constexpr int kUtcLabel = 753;
constexpr int kCloseText = 28;
constexpr int kTickMs = 1000;

QLabel* valueField(QWidget* parent, const char* name)
{
    auto* field = new QLabel(parent);
    field->setObjectName(name);
    field->setFrameShape(QFrame::StyledPanel);
    field->setFrameShadow(QFrame::Sunken);
    field->setMinimumWidth(120);
    return field;
}

} // namespace

CRadioClockDialog::CRadioClockDialog(TransferContext& context, ClockLink link, QWidget* parent)
    : QDialog(parent), clock_(std::make_unique<RadioClock>(context, link))
{
    build(context.texts);
}

CRadioClockDialog::~CRadioClockDialog() = default;

void CRadioClockDialog::build(const LanguageTable& texts)
{
    setObjectName("radioClockDialog");
    setHelpContext(this, 86784); // the service tools' page
    setWindowTitle(toolText(texts, kClockCaption, "RTC"));
    date_ = valueField(this, "clockDate");
    time_ = valueField(this, "clockTime");
    utc_ = valueField(this, "clockUtc");
    auto* form = new QFormLayout;
    form->addRow(toolText(texts, kDateLabel, "Date"), date_);
    form->addRow(toolText(texts, kTimeLabel, "Time"), time_);
    // The PC's own time in UTC, beside the repeater's clock.
    form->addRow(toolText(texts, kUtcLabel, "UTC"), utc_);

    set_ = new QPushButton("&Set", this);
    set_->setObjectName("setClockButton");
    set_->setToolTip("Set the repeater's clock to the PC's date and time");
    set_->setAutoDefault(false);
    close_ = new QPushButton(toolText(texts, kCloseText, "Close"), this);
    close_->setObjectName("closeButton");
    connect(set_, &QPushButton::clicked, this, &CRadioClockDialog::setToPcClock);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(set_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &CRadioClockDialog::tick);
}

void CRadioClockDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    utc_->setText(QDateTime::currentDateTimeUtc().toString("hh:mm:ss"));
    if (started_ || !clock_)
        return;
    started_ = true;
    busy_ = true;
    const int result = clock_->start();
    busy_ = false;
    if (result != kLinkOk) {
        QTimer::singleShot(0, this, [this] { reject(); });
        return;
    }
    tick();
    if (clock_->running())
        timer_->start();
}

void CRadioClockDialog::tick()
{
    utc_->setText(QDateTime::currentDateTimeUtc().toString("hh:mm:ss"));
    // A tick pumped into life while an exchange runs is skipped.
    if (!clock_ || busy_ || !clock_->running())
        return;
    busy_ = true;
    ClockReading reading;
    const int result = clock_->read(reading);
    busy_ = false;
    if (result == kLinkOk)
        showReading(reading);
    handle(result);
}

void CRadioClockDialog::setToPcClock()
{
    if (!clock_ || busy_ || !clock_->running())
        return;
    busy_ = true;
    set_->setEnabled(false);
    const int result = clock_->set();
    busy_ = false;
    set_->setEnabled(true);
    handle(result);
    if (result == kLinkOk)
        tick();
}

void CRadioClockDialog::handle(int result)
{
    if (result == kLinkFailed) {
        timer_->stop();
        QTimer::singleShot(0, this, [this] { reject(); });
    }
}

void CRadioClockDialog::showReading(const ClockReading& reading)
{
    date_->setText(QString::fromStdString(reading.date));
    time_->setText(QString::fromStdString(reading.time));
}

void CRadioClockDialog::done(int result)
{
    timer_->stop();
    if (clock_)
        clock_->stop();
    QDialog::done(result);
}

} // namespace rps
