#include "service/CAdjustDialog.h"

#include "forms/common/HelpRequest.h"
#include "service/ServiceTexts.h"
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
#include <QTimer>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kVolumeMax = 31;
constexpr int kMeasureMs = 500;
constexpr int kMinimumWidth = 560;

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
    setMinimumWidth(kMinimumWidth);
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
    auto* main = new QVBoxLayout(this);

    auto* frequencies = new QHBoxLayout;
    const TestModeSession& testMode = session_.testMode();
    const int channel = testMode.state().testChannel;
    frequencies->addWidget(
        new QLabel("RX " + megahertz(testChannelReceive(testMode.mainArea(), channel)), this));
    frequencies->addWidget(
        new QLabel("TX " + megahertz(testChannelTransmit(testMode.mainArea(), channel)), this));
    frequencies->addWidget(new QLabel("MHz", this));
    frequencies->addStretch();
    main->addLayout(frequencies);

    tabs_ = new QTabBar(this);
    for (int label : tuningPointLabels(item))
        tabs_->addTab(text(label));
    tabs_->setVisible(tuningPointCount(item) > 1);
    main->addWidget(tabs_);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    addValueRows(grid, row);
    if (layout_ == TuningLayout::Automatic)
        addAutomaticRows(grid, row);
    else
        addMeasuredRows(grid, row);
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
    buttons->addStretch();
    for (QPushButton* b : {apply_, transmit_, close_, help}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    main->addLayout(buttons);

    measureTimer_ = new QTimer(this);
    measureTimer_->setInterval(kMeasureMs);
    connect(measureTimer_, &QTimer::timeout, this, &CAdjustDialog::refreshMeasurements);
    measureTimer_->start();

    connect(tabs_, &QTabBar::currentChanged, this, [this](int point) {
        if (updating_)
            return;
        if (!session_.openPoint(point)) {
            fail();
            return;
        }
        showPoint();
    });
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
        measureTimer_->stop();
        if (session_.testMode().state().transmitting)
            session_.setTransmit(false);
        if (!session_.close())
            failed_ = true;
        done(QDialog::Accepted);
    });
}

// The value spin and slider; the two-value layout has a pair for Gain A and one for Gain B.
void CAdjustDialog::addValueRows(QGridLayout* grid, int& row)
{
    const TuningItem& item = session_.item();
    const TuningRange range = tuningRange(item.rangeCode);
    const QString currentText = text(tuningCurrentLabelText(item));
    const bool two = layout_ == TuningLayout::TwoValues;
    auto addPair = [&](int which, CTuningSpinBox*& spin, QSlider*& slider, QLabel*& current) {
        spin = new CTuningSpinBox(item.rangeCode, this);
        slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(range.rawMin, range.rawMax);
        current = new QLabel(this);
        current->setMinimumWidth(60);
        if (two) {
            auto* name = new QLabel(text(which == 0 ? texts::kGainA : texts::kGainB), this);
            QFont bold = name->font();
            bold.setBold(true);
            name->setFont(bold);
            grid->addWidget(name, row++, 0);
        }
        const QString valueLabel = layout_ == TuningLayout::Automatic ? "Data" : "Applied Value";
        grid->addWidget(new QLabel(valueLabel, this), row, 0);
        spin->setMinimumWidth(100);
        grid->addWidget(spin, row, 1, Qt::AlignLeft);
        grid->addWidget(new QLabel(currentText, this), row, 2);
        grid->addWidget(current, row++, 3);
        auto* limits = new QHBoxLayout;
        limits->addWidget(new QLabel(QString::number(range.shownMin), this));
        limits->addWidget(slider, 1);
        limits->addWidget(new QLabel(QString::number(range.shownMax), this));
        grid->addLayout(limits, row++, 0, 1, 4);
        connect(spin, &QSpinBox::valueChanged, this, [this, which](int raw) { valueMoved(raw, which); });
        connect(slider, &QSlider::valueChanged, this, [this, which](int raw) { valueMoved(raw, which); });
    };
    addPair(0, spin_, slider_, current_);
    if (two)
        addPair(1, spinB_, sliderB_, currentB_);
}

void CAdjustDialog::addAutomaticRows(QGridLayout* grid, int& row)
{
    temperature_ = new QLabel("--", this);
    units_ = new QComboBox(this);
    units_->addItem(text(texts::kCelsius));
    units_->addItem(text(texts::kFahrenheit));
    auto* temperature = new QHBoxLayout;
    temperature->addWidget(temperature_);
    temperatureUnit_ = new QLabel("C", this);
    temperature->addWidget(temperatureUnit_);
    temperature->addStretch();
    temperature->addWidget(new QLabel(text(texts::kTemperatureUnits), this));
    temperature->addWidget(units_);
    grid->addWidget(new QLabel(text(texts::kTemperature), this), row, 0);
    grid->addLayout(temperature, row++, 1, 1, 3);
    connect(units_, &QComboBox::currentIndexChanged, this, [this] { showTemperature(); });

    if20_ = new QLabel("--", this);
    grid->addWidget(new QLabel(text(texts::kIf20), this), row, 0);
    grid->addWidget(if20_, row++, 1);

    progress_ = new QProgressBar(this);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    grid->addWidget(new QLabel(text(texts::kAutoTuning).toUpper(), this), row, 0);
    grid->addWidget(progress_, row++, 1, 1, 3);

    auto* automatic = new QGroupBox(text(texts::kAutoTuning), this);
    auto* autoLayout = new QHBoxLayout(automatic);
    start_ = new QPushButton(text(texts::kAutoTuningStart), automatic);
    stop_ = new QPushButton(text(texts::kAutoTuningStop), automatic);
    stop_->setEnabled(false);
    for (QPushButton* b : {start_, stop_}) {
        b->setAutoDefault(false);
        autoLayout->addWidget(b);
    }
    autoLayout->addStretch();
    grid->addWidget(automatic, row++, 0, 1, 4);
    connect(start_, &QPushButton::clicked, this, &CAdjustDialog::startAutomatic);
    connect(stop_, &QPushButton::clicked, this, &CAdjustDialog::stopAutomatic);
}

void CAdjustDialog::addMeasuredRows(QGridLayout* grid, int& row)
{
    crystal_ = new QLabel("--", this);
    auto* crystal = new QHBoxLayout;
    crystal->addWidget(crystal_);
    crystal->addWidget(new QLabel("Hz", this));
    crystal->addStretch();
    grid->addWidget(new QLabel("Crystal Oscilation Frequency", this), row, 0);
    grid->addLayout(crystal, row, 1);
    auto* sine = new QCheckBox("2000Hz Sine Wave", this);
    grid->addWidget(sine, row++, 2, 1, 2);
    connect(sine, &QCheckBox::toggled, this, [this](bool on) {
        if (!session_.setTestTone(on))
            fail();
    });
    if (layout_ != TuningLayout::LockVoltage)
        return;
    lockVoltage_ = new QProgressBar(this);
    lockVoltage_->setRange(0, 50);
    lockVoltage_->setTextVisible(false);
    lockText_ = new QLabel(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel("0.0", this));
    bar->addWidget(lockVoltage_, 1);
    bar->addWidget(new QLabel("5.0 [V]", this));
    grid->addWidget(new QLabel("VCO Lock Voltage", this), row, 0);
    grid->addLayout(bar, row, 1, 1, 2);
    grid->addWidget(lockText_, row++, 3);
}

void CAdjustDialog::showPoint()
{
    const std::vector<int>& values = session_.values();
    updating_ = true;
    if (!values.empty()) {
        spin_->setValue(values[0]);
        slider_->setValue(values[0]);
    }
    if (spinB_ != nullptr && values.size() > 1) {
        spinB_->setValue(values[1]);
        sliderB_->setValue(values[1]);
    }
    updating_ = false;
    readCurrent();
    refreshMeasurements();
}

void CAdjustDialog::valueMoved(int raw, int which)
{
    if (updating_ || failed_)
        return;
    const auto index = static_cast<std::size_t>(which);
    if (index < session_.values().size() && raw == session_.values()[index])
        return;
    if (!session_.stepTo(raw, which)) {
        fail();
        return;
    }
    updating_ = true;
    (which == 0 ? spin_ : spinB_)->setValue(raw);
    (which == 0 ? slider_ : sliderB_)->setValue(raw);
    updating_ = false;
}

void CAdjustDialog::applyValue()
{
    if (!session_.apply(spin_->value()) || (spinB_ != nullptr && !session_.apply(spinB_->value(), 1))) {
        fail();
        return;
    }
    readCurrent();
}

void CAdjustDialog::readCurrent()
{
    if (failed_)
        return;
    std::vector<int> current;
    if (!session_.readCurrent(current)) {
        fail();
        return;
    }
    const int code = session_.item().rangeCode;
    if (!current.empty())
        current_->setText(QString::number(tuningShownValue(code, current[0])));
    if (currentB_ != nullptr && current.size() > 1)
        currentB_->setText(QString::number(tuningShownValue(code, current[1])));
}

void CAdjustDialog::refreshMeasurements()
{
    // A tick pumped into life while a command (or its retry question) runs is skipped.
    if (failed_ || !session_.pointOpen() || session_.testMode().busy() ||
        session_.testMode().link().exchanging())
        return;
    if (layout_ == TuningLayout::Automatic) {
        int tenths = 0;
        AutomaticReport report;
        const bool wasRunning = session_.automaticRunning();
        if (!session_.readTemperature(tenths) || !session_.readAutomatic(report)) {
            fail();
            return;
        }
        temperatureTenths_ = tenths;
        temperatureKnown_ = true;
        showTemperature();
        if20_->setText(QString::number(report.if20));
        if (wasRunning && !session_.automaticRunning()) {
            // Done: the reached value came back as the point's value.
            showAutomatic(false);
            showPoint();
        } else if (session_.automaticRunning()) {
            updating_ = true;
            spin_->setValue(report.data);
            slider_->setValue(report.data);
            updating_ = false;
        }
        return;
    }
    uint32_t hz = 0;
    if (!session_.readCrystalFrequency(hz)) {
        fail();
        return;
    }
    crystal_->setText(QString::number(hz));
    if (lockVoltage_ == nullptr)
        return;
    int millivolts = 0;
    if (!session_.readLockVoltage(millivolts)) {
        fail();
        return;
    }
    lockVoltage_->setValue(std::clamp(millivolts / 100, 0, 50));
    lockText_->setText(QString::number(millivolts / 1000.0, 'f', 2) + " V");
}

void CAdjustDialog::showTemperature()
{
    if (temperature_ == nullptr || !temperatureKnown_)
        return;
    const bool fahrenheit = units_->currentIndex() == 1;
    temperature_->setText(QString::fromStdString(temperatureText(temperatureTenths_, fahrenheit)));
    temperatureUnit_->setText(fahrenheit ? "F" : "C");
}

void CAdjustDialog::startAutomatic()
{
    if (!session_.startAutomatic()) {
        fail();
        return;
    }
    showAutomatic(true);
}

void CAdjustDialog::stopAutomatic()
{
    if (!session_.stopAutomatic()) {
        fail();
        return;
    }
    showAutomatic(false);
    progress_->setValue(0);
    showPoint();
}

// While the repeater adjusts the point by itself, the value and the points stay as they are.
void CAdjustDialog::showAutomatic(bool running)
{
    start_->setEnabled(!running);
    stop_->setEnabled(running);
    for (QWidget* w : std::initializer_list<QWidget*>{spin_, slider_, apply_, tabs_})
        w->setEnabled(!running);
    if (running) {
        progress_->setRange(0, 0);
    } else {
        progress_->setRange(0, 1);
        progress_->setValue(1);
    }
}

void CAdjustDialog::fail()
{
    // Any failed frame ends the adjustment; the point stays as the radio has it.
    if (failed_)
        return;
    failed_ = true;
    measureTimer_->stop();
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
