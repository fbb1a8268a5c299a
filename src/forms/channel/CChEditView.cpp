#include "forms/channel/CChEditView.h"

#include "app/CommonTexts.h"
#include "forms/FormCatalog.h"
#include "forms/channel/ChannelEditItems.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CCharFilterValidator.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {
constexpr int kTitleText = 897;
using texts::kCloseText;
using texts::kHelpText;
constexpr int kBeatShiftText = 906;

QLineEdit* lineOf(QWidget* control)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    if (auto* spin = qobject_cast<CSpinEdit*>(control))
        return spin->findChild<QLineEdit*>();
    return qobject_cast<QLineEdit*>(control);
}
} // namespace

CChEditView::CChEditView(FormContext& context, QWidget* parent)
    : CFormView(context, kChannelEditCommand, parent)
{
    auto* fields = new QWidget(this);
    items_ = CItemFormBuilder::build(kChannelEditItems, fields, [this](int n) { return text(n); });

    // The beat-shift options of the channel are edited on a form of their own.
    beatShiftButton_ = new QPushButton(text(kBeatShiftText), this);
    beatShiftButton_->setObjectName("beatShift");
    auto* closeButton = new QPushButton(text(kCloseText), this);
    auto* helpButton = new QPushButton(text(kHelpText), this);
    closeButton->setObjectName("close");
    helpButton->setEnabled(false); // no help pages are installed yet
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(beatShiftButton_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    buttons->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    connect(closeButton, &QPushButton::clicked, this, &CChEditView::closeForm);

    // Input limits of the boxes.
    const char separator = context.host.decimalSeparator();
    auto* channelSpin = static_cast<CSpinEdit*>(control(kItemChannel));
    channelSpin->setRange({1, kChannelCount, 1, std::nullopt, {}});
    channelSpin->setFilter({CharFilterKind::Digits, 2, separator, {}});
    auto* keySpin = static_cast<CSpinEdit*>(control(kItemKeyData));
    keySpin->setRange({1, 32767, 1, std::nullopt, {}});
    keySpin->setFilter({CharFilterKind::Digits, 5, separator, {}});
    for (int item : {kItemRxFrequency, kItemTxFrequency}) {
        auto* edit = static_cast<QLineEdit*>(control(item));
        edit->setMaxLength(10);
        edit->setValidator(new CCharFilterValidator({CharFilterKind::Decimal, 10, separator, {}}, edit));
    }
    auto* name = static_cast<QLineEdit*>(control(kItemName));
    name->setMaxLength(2);
    name->setValidator(new CCharFilterValidator({CharFilterKind::SevenSegment, 2, separator, {}}, name));
    name->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The fixed lists are filled once; lists that depend on the channel on every refresh.
    // Typed codes are short, but a chosen entry (the "off" text) is never cut.
    ChannelEditor editor = makeChannelEditor(context);
    for (int item : {kItemQtDecode, kItemQtEncode, kItemRanDecode, kItemRanEncode}) {
        auto* combo = static_cast<QComboBox*>(control(item));
        qsizetype longest = (item == kItemQtDecode || item == kItemQtEncode) ? 6 : 3;
        for (const std::string& entry : editor.choiceTexts(0, item)) {
            combo->addItem(QString::fromStdString(entry));
            longest = std::max(longest, combo->itemText(combo->count() - 1).size());
        }
        lineOf(combo)->setMaxLength(static_cast<int>(longest));
    }
    for (const BuiltItem& built : items_) {
        built.control->installEventFilter(this);
        if (QLineEdit* line = lineOf(built.control))
            line->installEventFilter(this);
    }
    connectControls();
    setChannel(std::clamp(context.host.currentChannel(), 0, kChannelCount - 1));
    refreshAll(true);
}

CChEditView::~CChEditView()
{
    // The controls lose their focus while they are taken down; that is no edit to store.
    for (const BuiltItem& built : items_) {
        disconnect(built.control, nullptr, this, nullptr);
        if (QLineEdit* line = lineOf(built.control))
            disconnect(line, nullptr, this, nullptr);
    }
}

CFormView* CChEditView::create(FormContext& context, QWidget* parent)
{
    return new CChEditView(context, parent);
}

QWidget* CChEditView::control(int item) const
{
    return items_.contains(item) ? items_.value(item).control : nullptr;
}

QString CChEditView::formTitle() const
{
    return text(kTitleText);
}

void CChEditView::connectControls()
{
    auto* channelSpin = static_cast<CSpinEdit*>(control(kItemChannel));
    connect(channelSpin, &CSpinEdit::valueCommitted, this, [this](std::optional<int64_t> value) {
        setChannel(static_cast<int>(std::clamp<int64_t>(value.value_or(channel_ + 1), 1, kChannelCount)) - 1);
    });
    auto* keySpin = static_cast<CSpinEdit*>(control(kItemKeyData));
    connect(keySpin, &CSpinEdit::valueCommitted, this, [this](std::optional<int64_t> value) {
        if (refreshing_)
            return;
        ChannelEditor editor = makeChannelEditor(context());
        const auto result = editor.setKeyData(channel_, value ? std::to_string(*value) : std::string());
        stored(result.warning, result.changed);
    });
    for (int item : {kItemRxFrequency, kItemTxFrequency, kItemName}) {
        auto* edit = static_cast<QLineEdit*>(control(item));
        connect(edit, &QLineEdit::editingFinished, this, [this, item] { commitText(item); });
    }
    for (int item : {kItemQtDecode, kItemQtEncode, kItemRanDecode, kItemRanEncode}) {
        auto* combo = static_cast<QComboBox*>(control(item));
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, item] { commitText(item); });
        connect(combo, &QComboBox::activated, this, [this, item](int index) { chooseEntry(item, index); });
    }
    for (int item : {kItemChannelType, kItemTransmitMode, kItemTxPower, kItemSpacingAnalog, kItemSpacingNxdn,
                     kItemEncodeToneMultiple, kItemOperationMode, kItemMultiTable}) {
        auto* combo = static_cast<QComboBox*>(control(item));
        connect(combo, &QComboBox::activated, this, [this, item](int index) { chooseEntry(item, index); });
    }
    for (int item : {kItemBeatShift, kItemReverseBurst, kItemScanAdd, kItemCompander, kItemCwId,
                     kItemUserLimit, kItemVoiceScrambler, kItemEncryption}) {
        auto* box = static_cast<QCheckBox*>(control(item));
        connect(box, &QCheckBox::clicked, this, [this, item](bool on) {
            ChannelEditor editor = makeChannelEditor(context());
            const auto result = editor.setFlag(channel_, item, on);
            stored(result.warning, result.changed);
        });
    }
    connect(beatShiftButton_, &QPushButton::clicked, this, [this] {
        context().host.setCurrentChannel(channel_);
        context().host.openForm(kBeatShiftCommand);
    });
    connect(static_cast<QPushButton*>(control(kItemCwIdButton)), &QPushButton::clicked, this, [this] {
        context().host.setCurrentChannel(channel_);
        context().host.openForm(kCwIdCommand);
    });
}

void CChEditView::commitText(int item)
{
    QLineEdit* line = lineOf(control(item));
    if (refreshing_ || !line || !line->isModified())
        return;
    line->setModified(false);
    const std::string value = line->text().trimmed().toStdString();
    ChannelEditor editor = makeChannelEditor(context());
    ChannelEditResult result;
    switch (item) {
    case kItemRxFrequency:
        result = editor.setFrequency(channel_, false, value, true);
        break;
    case kItemTxFrequency:
        result = editor.setFrequency(channel_, true, value, true);
        break;
    case kItemName:
        result = editor.setName(channel_, value);
        break;
    case kItemQtDecode:
        result = editor.setQtDqt(channel_, false, value, true);
        break;
    case kItemQtEncode:
        result = editor.setQtDqt(channel_, true, value, true);
        break;
    case kItemRanDecode:
        result = editor.setRan(channel_, false, value, true);
        break;
    case kItemRanEncode:
        result = editor.setRan(channel_, true, value, true);
        break;
    default:
        return;
    }
    stored(result.warning, result.changed);
    if (item == kItemTxFrequency && result.changed) {
        // The next thing to set after a transmit frequency is the channel type, or the
        // squelch when the type cannot be changed.
        QWidget* next =
            control(kItemChannelType)->isEnabled() ? control(kItemChannelType) : control(kItemQtDecode);
        next->setFocus(Qt::TabFocusReason);
    }
}

void CChEditView::chooseEntry(int item, int index)
{
    if (refreshing_ || index < 0)
        return;
    auto* combo = static_cast<QComboBox*>(control(item));
    // An editable list also reports a typed text that matches an entry as chosen; what the
    // user typed is stored as typed.
    if (QLineEdit* line = lineOf(combo); line && line->isModified()) {
        commitText(item);
        return;
    }
    const std::string label = combo->itemText(index).toStdString();
    ChannelEditor editor = makeChannelEditor(context());
    ChannelEditResult result;
    switch (item) {
    case kItemQtDecode:
        result = editor.setQtDqt(channel_, false, label, false);
        break;
    case kItemQtEncode:
        result = editor.setQtDqt(channel_, true, label, false);
        break;
    case kItemRanDecode:
        result = editor.setRan(channel_, false, label, false);
        break;
    case kItemRanEncode:
        result = editor.setRan(channel_, true, label, false);
        break;
    default:
        result = editor.setChoiceText(channel_, item, label);
        break;
    }
    if (QLineEdit* line = lineOf(combo))
        line->setModified(false);
    stored(result.warning, result.changed);
}

void CChEditView::stored(int warning, bool changed)
{
    showChannelMessage(context(), warning);
    if (changed)
        context().host.refreshAllForms();
    refreshAll(false);
}

void CChEditView::setChannel(int channel)
{
    channel = std::clamp(channel, 0, kChannelCount - 1);
    const bool moved = channel != channel_;
    channel_ = channel;
    if (context().host.currentChannel() != channel_)
        context().host.setCurrentChannel(channel_);
    if (moved)
        refreshAll(false);
    else
        static_cast<CSpinEdit*>(control(kItemChannel))->setValue(channel_ + 1);
}

void CChEditView::stepChannel(int direction)
{
    setChannel((channel_ + (direction > 0 ? 1 : kChannelCount - 1)) % kChannelCount);
}

void CChEditView::refreshFromImage()
{
    refreshAll(false);
}

void CChEditView::channelSelectionChanged(int channel)
{
    if (channel >= 0 && channel < kChannelCount && channel != channel_) {
        channel_ = channel;
        refreshAll(false);
    }
}

void CChEditView::fillChoiceLists(const ChannelEditor& editor)
{
    for (int item : {kItemChannelType, kItemTransmitMode, kItemTxPower, kItemSpacingAnalog, kItemSpacingNxdn,
                     kItemEncodeToneMultiple, kItemOperationMode, kItemMultiTable}) {
        auto* combo = static_cast<QComboBox*>(control(item));
        combo->clear();
        for (const std::string& entry : editor.choiceTexts(channel_, item))
            combo->addItem(QString::fromStdString(entry));
    }
}

void CChEditView::refreshItem(const ChannelEditor& editor, int item)
{
    const BuiltItem& built = items_[item];
    const QString shown = QString::fromStdString(editor.format(channel_, item)).trimmed();
    switch (built.row->kind) {
    case ItemControlKind::Edit:
        static_cast<QLineEdit*>(built.control)->setText(shown);
        break;
    case ItemControlKind::EditWithSpin:
        static_cast<CSpinEdit*>(built.control)->setDisplayText(shown);
        break;
    case ItemControlKind::DropDown: {
        auto* combo = static_cast<QComboBox*>(built.control);
        combo->setCurrentIndex(combo->findText(shown));
        break;
    }
    case ItemControlKind::EditableDropDown: {
        auto* combo = static_cast<QComboBox*>(built.control);
        const int found = combo->findText(shown);
        combo->setCurrentIndex(found);
        if (found < 0)
            combo->setEditText(shown);
        combo->lineEdit()->setModified(false);
        break;
    }
    case ItemControlKind::CheckBox:
        static_cast<QCheckBox*>(built.control)->setChecked(editor.value(channel_, item) == 1);
        break;
    case ItemControlKind::GroupFrame:
    case ItemControlKind::PushButton:
        break;
    }
    // A button whose form is not part of this build is disabled rather than dead.
    const bool formMissing = item == kItemCwIdButton && findForm(kCwIdCommand) == nullptr;
    CItemFormBuilder::setItemEnabled(built, editor.isEnabled(channel_, item) && !formMissing);
}

void CChEditView::refreshAll(bool focusChannel)
{
    refreshing_ = true;
    const ChannelEditor editor = makeChannelEditor(context());
    fillChoiceLists(editor);
    for (const FormItem& row : kChannelEditItems)
        refreshItem(editor, row.item);
    beatShiftButton_->setEnabled(editor.isEnabled(channel_, kItemBeatShift));
    refreshing_ = false;
    emit titleChanged(formTitle());
    if (focusChannel)
        control(kItemChannel)->setFocus(Qt::OtherFocusReason);
}

void CChEditView::closeForm()
{
    context().host.closeForm(kChannelEditCommand);
}

void CChEditView::closeEvent(QCloseEvent* event)
{
    // The forms opened from this one go with it.
    context().host.closeForm(kBeatShiftCommand);
    context().host.closeForm(kCwIdCommand);
    CFormView::closeEvent(event);
}

bool CChEditView::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QComboBox* combo = qobject_cast<QComboBox*>(object);
        if (!combo && object->parent())
            combo = qobject_cast<QComboBox*>(object->parent());
        const bool popupOpen = combo && combo->view()->isVisible();
        if (!popupOpen && (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
            // Leave the box first so that a typed value is stored on the channel it belongs to.
            for (const BuiltItem& built : items_) {
                if (built.control == object || built.control->isAncestorOf(qobject_cast<QWidget*>(object)))
                    commitText(built.row->item);
            }
            stepChannel(key->key() == Qt::Key_PageUp ? +1 : -1);
            return true;
        }
        if (!popupOpen && key->key() == Qt::Key_Escape) {
            closeForm();
            return true;
        }
    }
    return CFormView::eventFilter(object, event);
}

void CChEditView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter walks the form like Tab; on a button it presses the button.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        focusNextChild();
        return;
    }
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        stepChannel(event->key() == Qt::Key_PageUp ? +1 : -1);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        closeForm();
        return;
    }
    if (handleChannelMemoryMapKey(context(), event->key(), event->modifiers() & Qt::ShiftModifier, channel_,
                                  this))
        return;
    CFormView::keyPressEvent(event);
}

} // namespace rps
