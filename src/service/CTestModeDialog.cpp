#include "service/CTestModeDialog.h"

#include "forms/common/HelpRequest.h"
#include "print/ReportPainter.h"
#include "print/ReportPrinting.h"
#include "print/ServicePages.h"
#include "service/AdjustmentSession.h"
#include "service/CAdjustDialog.h"
#include "service/ServiceTexts.h"
#include "service/TestModeChoices.h"
#include "service/TuningItems.h"
#include "texts/DialogService.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kBerPollMs = 550;
constexpr int kListMinimumWidth = 300;

struct SwitchRow {
    const char* label;
    uint8_t command;
};
constexpr SwitchRow kSwitches[] = {
    {"Beat Shift", 0x0B}, {"Repeat", 0xA3}, {"Compander", 0xA2}, {"Voting Pilot Tone", 0xA4}};

QString megahertz(uint32_t hz)
{
    if (hz == 0xFFFFFFFFu)
        return QString();
    return QString::number(hz / 1e6, 'f', 5);
}

uint16_t modelCodeOf(std::span<const uint8_t> main)
{
    return static_cast<uint16_t>(main[0x400 + 10] | main[0x400 + 11] << 8);
}

} // namespace

CTestModeDialog::CTestModeDialog(TestModeSession& session, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent), session_(session), texts_(texts)
{
    setHelpContext(this, 82688);
    setWindowTitle(text(texts::kTestModeTitle).remove('&').section('\t', 0, 0));
    build();
    session_.setOnEnd([this] {
        QMetaObject::invokeMethod(
            this, [this] { done(QDialog::Rejected); }, Qt::QueuedConnection);
    });
    refreshTexts();
}

QString CTestModeDialog::text(int number) const
{
    return QString::fromStdString(texts_.text(number));
}

void CTestModeDialog::build()
{
    const TestModeState& state = session_.state();
    auto* grid = new QGridLayout;
    int row = 0;

    channel_ = new QSpinBox(this);
    channel_->setRange(1, kTestChannelCount);
    channel_->setWrapping(true);
    channel_->setValue(state.testChannel + 1);
    rx_ = new QLabel(this);
    tx_ = new QLabel(this);
    grid->addWidget(new QLabel("Channel", this), row, 0);
    grid->addWidget(channel_, row, 1);
    grid->addWidget(new QLabel("RX", this), row, 2);
    grid->addWidget(rx_, row, 3);
    grid->addWidget(new QLabel("TX", this), row, 4);
    grid->addWidget(tx_, row, 5);
    grid->addWidget(new QLabel("MHz", this), row++, 6);

    signalling_ = new QSpinBox(this);
    signalling_->setRange(1, signallingCount(state.mode));
    signalling_->setWrapping(true);
    tone_ = new QLabel(this);
    grid->addWidget(new QLabel("Signalling", this), row, 0);
    grid->addWidget(signalling_, row, 1);
    grid->addWidget(new QLabel("Tone", this), row, 2);
    grid->addWidget(tone_, row++, 3, 1, 3);

    mode_ = new QComboBox(this);
    mode_->addItem(text(679), 0);
    mode_->addItem(text(680), 1);
    spacing_ = new QComboBox(this);
    power_ = new QComboBox(this);
    power_->addItem(text(697), 0);
    power_->addItem(text(693), 1);
    squelch_ = new QComboBox(this);
    squelch_->addItem(text(663), 1);
    squelch_->addItem(text(664), 0);
    squelch_->setCurrentIndex(1);
    ber_ = new QComboBox(this);
    for (const auto& [label, value] : {std::pair{186, 0}, {685, 1}, {686, 2}, {687, 3}, {688, 4}})
        ber_->addItem(text(label), value);
    const std::pair<const char*, QComboBox*> combos[] = {
        {"Mode", mode_}, {"Wide/Narrow", spacing_}, {"Transmit Power", power_}, {"Squelch", squelch_}};
    for (const auto& [label, box] : combos) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(box, row++, 1, 1, 2);
    }
    grid->addWidget(new QLabel("DSP BER out", this), row, 0);
    grid->addWidget(ber_, row, 1, 1, 2);
    afc_ = new QCheckBox("AFC", this);
    eye_ = new QCheckBox("EYE Pattern", this);
    grid->addWidget(afc_, row, 3);
    grid->addWidget(eye_, row++, 4);
    berText_ = new QLabel(this);
    berText_->setMinimumWidth(80);
    grid->addWidget(new QLabel("BER", this), row, 0);
    grid->addWidget(berText_, row, 1);
    grid->addWidget(new QLabel("[%]", this), row++, 2);

    auto* switchBox = new QGroupBox(this);
    auto* switchLayout = new QHBoxLayout(switchBox);
    for (const SwitchRow& s : kSwitches) {
        auto* box = new QCheckBox(s.label, switchBox);
        switchLayout->addWidget(box);
        switches_.push_back(box);
        const uint8_t command = s.command;
        connect(box, &QCheckBox::toggled, this,
                [this, command](bool on) { session_.setSwitch(command, on); });
    }
    grid->addWidget(switchBox, row++, 0, 1, 7);

    const char* toneNames[] = {"Courtesy Tone", "Test Tone", "Voting Pilot Tone"};
    auto* tones = new QHBoxLayout;
    for (std::size_t i = 0; i < 3; ++i)
        tones->addWidget(
            new QLabel(QString("%1: %2").arg(toneNames[i]).arg(state.tones[i] / 10.0, 0, 'f', 1), this));
    grid->addLayout(tones, row++, 0, 1, 7);

    // Extra width goes to an empty last column, so each value stays beside its label.
    grid->setColumnStretch(7, 1);

    list_ = new QListWidget(this);
    list_->setMinimumWidth(kListMinimumWidth);
    for (const TuningItem* item : tuningItemsForModel(modelCodeOf(session_.mainArea()))) {
        auto* entry = new QListWidgetItem(text(item->nameText), list_);
        entry->setData(Qt::UserRole, item->key);
    }

    transmit_ = new QPushButton("&Transmit", this);
    transmit_->setCheckable(true);
    rtc_ = new QPushButton("&RTC", this);
    rtc_->setEnabled(false);
    print_ = new QPushButton("&Print", this);
    close_ = new QPushButton("&Close", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {transmit_, rtc_, print_, close_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addStretch();
    top->addLayout(left, 3);
    top->addWidget(list_, 2);
    top->addLayout(buttons);
    setLayout(top);

    berTimer_ = new QTimer(this);
    berTimer_->setInterval(kBerPollMs);
    connect(berTimer_, &QTimer::timeout, this, &CTestModeDialog::pollBer);

    rebuildSpacing();
    connect(channel_, &QSpinBox::valueChanged, this, &CTestModeDialog::channelChanged);
    connect(signalling_, &QSpinBox::valueChanged, this, [this](int shown) {
        if (updating_)
            return;
        const TestModeState& s = session_.state();
        int wanted = shown - 1;
        // Signalling 15 needs spacing 1 in mode 0: the spin steps over it.
        if (!signallingAllowed(s.mode, wanted, s.spacing)) {
            const int count = signallingCount(s.mode);
            const int direction = (wanted - s.signalling + count) % count == 1 ? 1 : -1;
            wanted = (wanted + direction + count) % count;
        }
        session_.selectSignalling(wanted);
        refreshTexts();
    });
    connect(mode_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_)
            return;
        session_.selectMode(mode_->itemData(index).toInt());
        rebuildSpacing();
        refreshTexts();
    });
    connect(spacing_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_ || index < 0)
            return;
        session_.selectSpacing(spacing_->itemData(index).toInt());
        refreshTexts();
    });
    connect(power_, &QComboBox::currentIndexChanged, this,
            [this](int index) { session_.setPower(power_->itemData(index).toInt()); });
    connect(squelch_, &QComboBox::currentIndexChanged, this,
            [this](int index) { session_.setSquelch(squelch_->itemData(index).toInt()); });
    connect(ber_, &QComboBox::currentIndexChanged, this, &CTestModeDialog::berChanged);
    connect(transmit_, &QPushButton::clicked, this, [this](bool on) {
        session_.setTransmit(on);
        transmit_->setChecked(session_.state().transmitting);
    });
    connect(rtc_, &QPushButton::clicked, this, [this] {
        setControlsEnabled(false);
        if (clockOpener_)
            clockOpener_(this);
        setControlsEnabled(true);
    });
    connect(print_, &QPushButton::clicked, this, &CTestModeDialog::printPage);
    connect(close_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { openAdjustment(list_->row(item)); });
}

void CTestModeDialog::printPage()
{
    if (session_.busy())
        return;
    setControlsEnabled(false);
    UnitRecord unit{};
    std::array<uint8_t, kAlignmentDumpSize> dump{};
    const bool read = session_.readPrintData(unit, dump);
    setControlsEnabled(true);
    if (!read)
        return;
    // The conditions as the dialog shows them.
    const auto shown = [](const QString& value) { return value.toStdString(); };
    const print::Lines conditions{
        {"Channel", std::to_string(channel_->value())},
        {"RX [MHz]", shown(rx_->text())},
        {"TX [MHz]", shown(tx_->text())},
        {"Signalling", std::to_string(signalling_->value())},
        {"Tone", shown(tone_->text())},
        {"Mode", shown(mode_->currentText())},
        {"Wide/Narrow", shown(spacing_->currentText())},
        {"Transmit Power", shown(power_->currentText())},
        {"Squelch", shown(squelch_->currentText())},
    };
    const auto textOf = [this](int number) { return texts_.text(number); };
    print::printWithDialog(this, print::plainFrame(textOf),
                           {print::testModePage(textOf, unitRecordText(unit), conditions, dump)});
}

void CTestModeDialog::setClockOpener(std::function<void(QWidget*)> opener)
{
    clockOpener_ = std::move(opener);
    rtc_->setEnabled(static_cast<bool>(clockOpener_));
}

void CTestModeDialog::refreshTexts()
{
    const TestModeState& state = session_.state();
    rx_->setText(megahertz(testChannelReceive(session_.mainArea(), state.testChannel)));
    tx_->setText(megahertz(testChannelTransmit(session_.mainArea(), state.testChannel)));
    tone_->setText(QString("%1 / %2").arg(state.signalling + 1).arg(signallingCount(state.mode)));
    updating_ = true;
    signalling_->setRange(1, signallingCount(state.mode));
    signalling_->setValue(state.signalling + 1);
    channel_->setValue(state.testChannel + 1);
    updating_ = false;
}

void CTestModeDialog::rebuildSpacing()
{
    const TestModeState& state = session_.state();
    updating_ = true;
    spacing_->clear();
    for (const ChoiceItem& item : spacingChoices(state.mode, session_.firstGroup(), state.signalling)) {
        spacing_->addItem(text(item.text), item.value);
        if (item.value == state.spacing)
            spacing_->setCurrentIndex(spacing_->count() - 1);
    }
    updating_ = false;
}

void CTestModeDialog::channelChanged(int shown)
{
    if (updating_)
        return;
    const int current = session_.state().testChannel;
    int wanted = shown - 1;
    if (!isTestChannelValid(session_.mainArea(), wanted)) {
        const int up = (wanted - current + kTestChannelCount) % kTestChannelCount;
        const int direction = up == 1 ? 1 : (up == kTestChannelCount - 1 ? -1 : 0);
        const std::optional<int> next =
            direction == 0 ? std::nullopt : nextValidTestChannel(session_.mainArea(), current, direction);
        wanted = next.value_or(current);
    }
    if (wanted != current)
        session_.selectTestChannel(wanted);
    refreshTexts();
}

void CTestModeDialog::setControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{channel_, signalling_, mode_, spacing_, power_,
                                                      squelch_, transmit_, list_, rtc_})
        w->setEnabled(enabled && (w != rtc_ || clockOpener_));
    for (QCheckBox* box : switches_)
        box->setEnabled(enabled);
}

void CTestModeDialog::berChanged(int index)
{
    const int output = ber_->itemData(index).toInt();
    session_.setBerOutput(output, afc_->isChecked(), eye_->isChecked());
    if (output == 0) {
        stopBer();
        setControlsEnabled(true);
        return;
    }
    setControlsEnabled(false);
    berTimer_->start();
}

void CTestModeDialog::stopBer()
{
    berTimer_->stop();
    berText_->clear();
}

void CTestModeDialog::pollBer()
{
    bool failed = false;
    const std::optional<std::string> shown = session_.pollBer(failed);
    if (failed) {
        stopBer();
        return;
    }
    if (shown)
        berText_->setText(QString::fromStdString(*shown));
}

void CTestModeDialog::openAdjustment(int row)
{
    QListWidgetItem* entry = list_->item(row);
    if (entry == nullptr)
        return;
    const int key = entry->data(Qt::UserRole).toInt();
    const TuningItem* item = tuningItemForKey(key, modelCodeOf(session_.mainArea()));
    if (item == nullptr)
        return;
    const int confirm =
        key == 8 ? texts::kConfirmReferenceAdjust : (key == 34 || key == 36 ? texts::kConfirmPowerAdjust : 0);
    if (confirm != 0) {
        MessageRequest request;
        request.text = texts_.text(confirm);
        request.caption = texts_.text(769);
        request.buttons = MessageButtons::OkCancel;
        request.icon = MessageIcon::Question;
        if (session_.dialogs().showMessage(request) != MessageAnswer::Ok)
            return;
    }
    if (session_.state().transmitting && !session_.setTransmit(false))
        return;
    transmit_->setChecked(false);
    setControlsEnabled(false);
    AdjustmentSession adjustment(session_, *item);
    CAdjustDialog dialog(adjustment, texts_, this);
    if (adjustmentShown_)
        QTimer::singleShot(0, &dialog, [this, &dialog] { adjustmentShown_(&dialog); });
    dialog.exec();
    setControlsEnabled(true);
    refreshTexts();
}

void CTestModeDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter moves on as Tab does; on a button it presses the button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTestModeDialog::closeEvent(QCloseEvent* event)
{
    if (session_.busy()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CTestModeDialog::reject()
{
    if (session_.busy())
        return;
    QDialog::reject();
}

} // namespace rps
