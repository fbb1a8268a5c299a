#include "forms/channel/CChInfoView.h"

#include "forms/channel/CChannelGridModel.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/channel/ChannelGrid.h"
#include "forms/common/CGridView.h"
#include "forms/common/HelpRequest.h"
#include "texts/CommonTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {
// Language texts of the channel information form.
constexpr int kTitleText = 841;
constexpr int kFreeText = 870;
constexpr int kBytesText = 871;
constexpr int kChannelEditText = 897;
using texts::kCloseText;
using texts::kHelpText;
} // namespace

CChInfoView::CChInfoView(FormContext& context, QWidget* parent)
    : CFormView(context, kChannelInformationCommand, parent)
{
    model_ = new CChannelGridModel(context, this);
    grid_ = new CGridView(this);
    grid_->setGridModel(model_);
    grid_->setMenuTexts(gridMenuTexts(context.texts));
    for (std::size_t column = 0; column < kChannelGridColumns.size(); ++column) {
        const fields::FieldRow* row = fields::findRow(kChannelFields, kChannelGridColumns[column].item);
        if (row != nullptr)
            setHelpCell(grid_, -1, static_cast<int>(column),
                        QString::fromUtf8(row->key.data(), static_cast<qsizetype>(row->key.size())));
    }
    grid_->setMinimumHeight(grid_->horizontalHeader()->sizeHint().height() +
                            12 * grid_->verticalHeader()->defaultSectionSize());

    freeLabel_ = new QLabel(this);
    auto* editButton = new QPushButton(text(kChannelEditText), this);
    auto* closeButton = new QPushButton(text(kCloseText), this);
    auto* helpButton = new QPushButton(text(kHelpText), this);
    helpButton->setObjectName("helpButton");
    connectHelpButton(helpButton);
    for (QPushButton* button : {editButton, closeButton, helpButton})
        button->setMinimumWidth(100);

    // The free space and the commands sit under the grid, so the form is as wide as its grid.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(freeLabel_);
    bottom->addStretch(1);
    bottom->addWidget(editButton);
    bottom->addSpacing(16);
    bottom->addWidget(closeButton);
    bottom->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);

    connect(model_, &CChannelGridModel::channelsChanged, this, &CChInfoView::channelsChanged);
    connect(editButton, &QPushButton::clicked, this, &CChInfoView::openChannelEdit);
    connect(closeButton, &QPushButton::clicked, this,
            [this] { this->context().host.closeForm(kChannelInformationCommand); });
    connect(grid_, &CGridView::currentCellChanged, this, [this](int row, int) {
        emit titleChanged(formTitle());
        if (!following_ && this->context().host.currentChannel() != row)
            this->context().host.setCurrentChannel(row);
    });

    following_ = true;
    grid_->setCurrentCell(std::clamp(context.host.currentChannel(), 0, kChannelCount - 1), 0);
    following_ = false;
    refreshFromImage();
    grid_->setFocus();
}

CChInfoView::~CChInfoView()
{
    // The grid outlives this part of the form for a moment; its last moves are not ours.
    disconnect(grid_, nullptr, this, nullptr);
    disconnect(model_, nullptr, this, nullptr);
}

CFormView* CChInfoView::create(FormContext& context, QWidget* parent)
{
    return new CChInfoView(context, parent);
}

int CChInfoView::currentChannel() const
{
    return std::max(grid_->currentIndex().row(), 0);
}

QSize CChInfoView::sizeHint() const
{
    // Room for every column and all thirty channels.
    const int rows = grid_->horizontalHeader()->sizeHint().height() +
                     kChannelCount * grid_->verticalHeader()->defaultSectionSize() + 2 * grid_->frameWidth();
    return {grid_->sizeHint().width() + 24, rows + 64};
}

QString CChInfoView::freeSpaceText() const
{
    const std::size_t freeBytes = makeChannelEditor(context()).store().freeBytes();
    return QStringLiteral("  %1 = %2 %3").arg(text(kFreeText)).arg(freeBytes).arg(text(kBytesText));
}

QString CChInfoView::formTitle() const
{
    return QStringLiteral("%1 [ %2 - %3 ]")
        .arg(text(kTitleText), text(kChannelTextChannel))
        .arg(currentChannel() + 1);
}

void CChInfoView::refreshFromImage()
{
    model_->refreshAll();
    freeLabel_->setText(freeSpaceText());
    emit titleChanged(formTitle());
}

void CChInfoView::channelSelectionChanged(int channel)
{
    if (channel == currentChannel() || channel < 0 || channel >= kChannelCount)
        return;
    following_ = true;
    grid_->setCurrentCell(channel, std::max(grid_->currentIndex().column(), 0));
    following_ = false;
    emit titleChanged(formTitle());
}

void CChInfoView::channelsChanged()
{
    // The store may have created, moved or deleted records: every open form re-reads.
    context().host.refreshAllForms();
    refreshFromImage();
}

void CChInfoView::openChannelEdit()
{
    context().host.setCurrentChannel(currentChannel());
    context().host.openForm(kChannelEditCommand);
}

void CChInfoView::closeEvent(QCloseEvent* event)
{
    // The channel edit form (and what it opened) works on this form's rows: it goes too.
    context().host.closeForm(kBeatShiftCommand);
    context().host.closeForm(kCwIdCommand);
    context().host.closeForm(kChannelEditCommand);
    CFormView::closeEvent(event);
}

void CChInfoView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F11 && !(event->modifiers() & Qt::ShiftModifier)) {
        openChannelEdit();
        return;
    }
    if (handleChannelMemoryMapKey(context(), event->key(), event->modifiers() & Qt::ShiftModifier,
                                  currentChannel(), this)) {
        refreshFromImage();
        return;
    }
    CFormView::keyPressEvent(event);
}

} // namespace rps
