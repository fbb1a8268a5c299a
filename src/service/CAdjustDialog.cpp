#include "service/CAdjustDialog.h"

#include "forms/common/HelpRequest.h"
#include "service/TestModeChoices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kVolumeMax = 31;

QString megahertz(uint32_t hz)
{
    return hz == 0xFFFFFFFFu ? QString() : QString::number(hz / 1e6, 'f', 5);
}

} // namespace

CTuningSpinBox::CTuningSpinBox(int rangeCode, QWidget* parent) : QSpinBox(parent), rangeCode_(rangeCode)
{
    const TuningRange range = tuningRange(rangeCode);
    setRange(range.rawMin, range.rawMax);
}

QString CTuningSpinBox::textFromValue(int value) const
{
    return QString::number(tuningShownValue(rangeCode_, value));
}

int CTuningSpinBox::valueFromText(const QString& text) const
{
    const TuningRange range = tuningRange(rangeCode_);
    return std::clamp(tuningRawValue(rangeCode_, text.toInt()), range.rawMin, range.rawMax);
}

QValidator::State CTuningSpinBox::validate(QString& text, int&) const
{
    if (text.isEmpty() || text == "-")
        return QValidator::Intermediate;
    bool ok = false;
    text.toInt(&ok);
    return ok ? QValidator::Acceptable : QValidator::Invalid;
}

CAdjustDialog::CAdjustDialog(AdjustmentSession& session, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent), session_(session), texts_(texts), layout_(tuningLayout(session.item()))
{
    setHelpContext(this, 82688);
    setWindowTitle(text(session_.item().nameText));
    build();
    if (!session_.openPoint(0)) {
        fail();
        return;
    }
    showPoint();
}

QString CAdjustDialog::text(int number) const
{
    return QString::fromStdString(texts_.text(number));
}

void CAdjustDialog::build()
{
    const TuningItem& item = session_.item();
    const TuningRange range = tuningRange(item.rangeCode);
    auto* main = new QVBoxLayout(this);

    auto* frequencies = new QHBoxLayout;
    const TestModeSession& testMode = session_.testMode();
    const int channel = testMode.state().testChannel;
    frequencies->addWidget(
        new QLabel("RX " + megahertz(testChannelReceive(testMode.mainArea(), channel)), this));
    frequencies->addWidget(
        new QLabel("TX " + megahertz(testChannelTransmit(testMode.mainArea(), channel)), this));
    frequencies->addWidget(new QLabel("MHz", this));
    main->addLayout(frequencies);

    tabs_ = new QTabBar(this);
    for (int label : tuningPointLabels(item))
        tabs_->addTab(text(label));
    tabs_->setVisible(tuningPointCount(item) > 1);
    main->addWidget(tabs_);

    auto* grid = new QGridLayout;
    int row = 0;
    spin_ = new CTuningSpinBox(item.rangeCode, this);
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(range.rawMin, range.rawMax);
    current_ = new QLabel(this);
    const QString valueLabel = layout_ == TuningLayout::Automatic ? "Data" : "Applied Value";
    if (layout_ == TuningLayout::TwoValues)
        grid->addWidget(new QLabel("Gain A", this), row++, 0);
    grid->addWidget(new QLabel(valueLabel, this), row, 0);
    grid->addWidget(spin_, row, 1);
    grid->addWidget(new QLabel(text(tuningCurrentLabelText(item)), this), row, 2);
    grid->addWidget(current_, row++, 3);
    grid->addWidget(new QLabel(QString::number(range.shownMin), this), row, 0);
    grid->addWidget(slider_, row, 1, 1, 2);
    grid->addWidget(new QLabel(QString::number(range.shownMax), this), row++, 3);
    if (layout_ == TuningLayout::TwoValues) {
        secondApplied_ = new QLabel(this);
        secondCurrent_ = new QLabel(this);
        grid->addWidget(new QLabel("Gain B", this), row++, 0);
        grid->addWidget(new QLabel("Applied Value", this), row, 0);
        grid->addWidget(secondApplied_, row, 1);
        grid->addWidget(new QLabel(text(tuningCurrentLabelText(item)), this), row, 2);
        grid->addWidget(secondCurrent_, row++, 3);
    }
    if (layout_ == TuningLayout::Automatic) {
        auto* units = new QComboBox(this);
        units->addItems({"Celsius", "Fahrenheit"});
        grid->addWidget(new QLabel("Temperature", this), row, 0);
        grid->addWidget(new QLabel("-- C", this), row, 1);
        grid->addWidget(new QLabel("Temperature Units", this), row, 2);
        grid->addWidget(units, row++, 3);
        grid->addWidget(new QLabel("IF20", this), row++, 0);
        grid->addWidget(new QLabel("AUTO TUNING", this), row++, 0, 1, 4);
        auto* automatic = new QGroupBox("Auto Tuning", this);
        auto* autoLayout = new QHBoxLayout(automatic);
        auto* start = new QPushButton("&Start", automatic);
        auto* stop = new QPushButton("St&op", automatic);
        // The automatic sequence is not offered: the values are adjusted by hand.
        start->setEnabled(false);
        stop->setEnabled(false);
        autoLayout->addWidget(start);
        autoLayout->addWidget(stop);
        grid->addWidget(automatic, row++, 0, 1, 4);
    } else {
        grid->addWidget(new QLabel("Crystal Oscilation Frequency", this), row, 0);
        grid->addWidget(new QLabel("-- Hz", this), row, 1);
        auto* sine = new QCheckBox("2000Hz Sine Wave", this);
        grid->addWidget(sine, row++, 2, 1, 2);
        connect(sine, &QCheckBox::toggled, this, [this](bool on) {
            if (!session_.setTestTone(on))
                fail();
        });
    }
    if (layout_ == TuningLayout::LockVoltage) {
        lockVoltage_ = new QProgressBar(this);
        lockVoltage_->setRange(0, 50);
        lockVoltage_->setTextVisible(false);
        grid->addWidget(new QLabel("VCO Lock Voltage", this), row, 0);
        grid->addWidget(new QLabel("0.0", this), row, 1);
        grid->addWidget(lockVoltage_, row, 2);
        grid->addWidget(new QLabel("5.0 [V]", this), row++, 3);
    }
    volume_ = new QSpinBox(this);
    volume_->setRange(0, kVolumeMax);
    volume_->setValue(session_.volume());
    auto* volumeSlider = new QSlider(Qt::Horizontal, this);
    volumeSlider->setRange(0, kVolumeMax);
    volumeSlider->setValue(session_.volume());
    grid->addWidget(new QLabel("Volume", this), row, 0);
    grid->addWidget(volumeSlider, row, 1, 1, 2);
    grid->addWidget(volume_, row++, 3);
    main->addLayout(grid);
    main->addStretch();

    auto* buttons = new QHBoxLayout;
    apply_ = new QPushButton(text(tuningApplyText(item)), this);
    transmit_ = new QPushButton("TX", this);
    transmit_->setCheckable(true);
    transmit_->setEnabled(item.transmit == 1);
    close_ = new QPushButton("&Close", this);
    auto* help = new QPushButton("Help", this);
    connectHelpButton(help);
    for (QPushButton* b : {apply_, transmit_, close_, help}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    main->addLayout(buttons);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int point) {
        if (updating_)
            return;
        if (!session_.openPoint(point)) {
            fail();
            return;
        }
        showPoint();
    });
    connect(spin_, &QSpinBox::valueChanged, this, &CAdjustDialog::valueMoved);
    connect(slider_, &QSlider::valueChanged, this, &CAdjustDialog::valueMoved);
    connect(apply_, &QPushButton::clicked, this, &CAdjustDialog::applyValue);
    connect(transmit_, &QPushButton::clicked, this, [this](bool on) {
        if (!session_.setTransmit(on))
            fail();
    });
    auto volumeMoved = [this, volumeSlider](int position) {
        if (updating_ || position == session_.volume())
            return;
        if (!session_.setVolume(position)) {
            fail();
            return;
        }
        updating_ = true;
        volume_->setValue(position);
        volumeSlider->setValue(position);
        updating_ = false;
    };
    connect(volume_, &QSpinBox::valueChanged, this, volumeMoved);
    connect(volumeSlider, &QSlider::valueChanged, this, volumeMoved);
    connect(close_, &QPushButton::clicked, this, [this] {
        if (session_.testMode().state().transmitting)
            session_.setTransmit(false);
        if (!session_.close())
            failed_ = true;
        done(QDialog::Accepted);
    });
}

void CAdjustDialog::showPoint()
{
    const std::vector<int>& values = session_.values();
    updating_ = true;
    if (!values.empty()) {
        spin_->setValue(values[0]);
        slider_->setValue(values[0]);
    }
    if (secondApplied_ != nullptr && values.size() > 1)
        secondApplied_->setText(QString::number(tuningShownValue(session_.item().rangeCode, values[1])));
    updating_ = false;
    readCurrent();
}

void CAdjustDialog::valueMoved(int raw)
{
    if (updating_ || failed_)
        return;
    if (!session_.values().empty() && raw == session_.values()[0])
        return;
    if (!session_.stepTo(raw)) {
        fail();
        return;
    }
    updating_ = true;
    spin_->setValue(raw);
    slider_->setValue(raw);
    updating_ = false;
}

void CAdjustDialog::applyValue()
{
    if (!session_.apply(spin_->value())) {
        fail();
        return;
    }
    readCurrent();
}

void CAdjustDialog::readCurrent()
{
    std::vector<int> current;
    if (!session_.readCurrent(current)) {
        fail();
        return;
    }
    const int code = session_.item().rangeCode;
    if (!current.empty())
        current_->setText(QString::number(tuningShownValue(code, current[0])));
    if (secondCurrent_ != nullptr && current.size() > 1)
        secondCurrent_->setText(QString::number(tuningShownValue(code, current[1])));
}

void CAdjustDialog::fail()
{
    // Any failed frame ends the adjustment; the point stays as the radio has it.
    failed_ = true;
    QMetaObject::invokeMethod(
        this, [this] { done(QDialog::Rejected); }, Qt::QueuedConnection);
}

void CAdjustDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button != nullptr && button != apply_) {
            button->click();
            return;
        }
        spin_->interpretText();
        applyValue();
        return;
    }
    if (event->matches(QKeySequence::NextChild) && tabs_->count() > 1) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count());
        return;
    }
    if (event->matches(QKeySequence::PreviousChild) && tabs_->count() > 1) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + tabs_->count() - 1) % tabs_->count());
        return;
    }
    QDialog::keyPressEvent(event);
}

void CAdjustDialog::reject()
{
    // Escape and the window's close button close like "Close".
    close_->click();
}

} // namespace rps
