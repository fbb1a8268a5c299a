#include "forms/channel/CBeatShiftView.h"

#include "app/CommonTexts.h"
#include "forms/channel/ChannelFormSupport.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {
constexpr int kBeatShiftText = 906;
using texts::kCloseText;
using texts::kHelpText;

// Options 1..5 with their captions.
constexpr std::array<FormItem, 5> kBeatShiftItems{{
    {1, 0, 0, ItemControlKind::CheckBox, 946},
    {2, 0, 0, ItemControlKind::CheckBox, 947},
    {3, 0, 0, ItemControlKind::CheckBox, 948},
    {4, 0, 0, ItemControlKind::CheckBox, 949},
    {5, 0, 0, ItemControlKind::CheckBox, 950},
}};
} // namespace

CBeatShiftView::CBeatShiftView(FormContext& context, QWidget* parent)
    : CFormView(context, kBeatShiftCommand, parent)
{
    auto* options = new QWidget(this);
    items_ = CItemFormBuilder::build(kBeatShiftItems, options, [this](int n) { return text(n); });
    auto* closeButton = new QPushButton(text(kCloseText), this);
    auto* helpButton = new QPushButton(text(kHelpText), this);
    helpButton->setEnabled(false); // no help pages are installed yet
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    buttons->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(options);
    layout->addLayout(buttons);
    connect(closeButton, &QPushButton::clicked, this,
            [this] { this->context().host.closeForm(kBeatShiftCommand); });

    for (const FormItem& row : kBeatShiftItems) {
        const int option = row.item;
        connect(static_cast<QCheckBox*>(optionBox(option)), &QCheckBox::clicked, this,
                [this, option](bool on) {
                    ChannelEditor editor = makeChannelEditor(this->context());
                    if (editor.setBeatShiftOption(this->context().host.currentChannel(), option, on).changed)
                        this->context().host.refreshAllForms();
                    refreshFromImage();
                });
    }
    refreshFromImage();
}

CFormView* CBeatShiftView::create(FormContext& context, QWidget* parent)
{
    return new CBeatShiftView(context, parent);
}

QWidget* CBeatShiftView::optionBox(int option) const
{
    return items_.contains(option) ? items_.value(option).control : nullptr;
}

QString CBeatShiftView::formTitle() const
{
    return QStringLiteral("%1  [ %2 - %3 ]")
        .arg(text(kBeatShiftText), text(kChannelTextChannel))
        .arg(context().host.currentChannel() + 1);
}

void CBeatShiftView::refreshFromImage()
{
    const ChannelEditor editor = makeChannelEditor(context());
    const int channel = context().host.currentChannel();
    // The options only act while the channel's Beat Shift is on.
    const bool masterOn = editor.store().isProgrammed(channel) && editor.value(channel, kItemBeatShift) == 1;
    for (const FormItem& row : kBeatShiftItems) {
        auto* box = static_cast<QCheckBox*>(optionBox(row.item));
        box->setChecked(editor.beatShiftOption(channel, row.item));
        box->setEnabled(masterOn);
    }
    emit titleChanged(formTitle());
}

void CBeatShiftView::keyPressEvent(QKeyEvent* event)
{
    if (handleChannelMemoryMapKey(context(), event->key(), event->modifiers() & Qt::ShiftModifier,
                                  context().host.currentChannel(), this))
        return;
    CFormView::keyPressEvent(event);
}

void CBeatShiftView::channelSelectionChanged(int)
{
    refreshFromImage();
}

} // namespace rps
