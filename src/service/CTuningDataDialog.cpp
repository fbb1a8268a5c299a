#include "service/CTuningDataDialog.h"

#include "forms/common/CFieldGridModel.h"
#include "forms/common/CGridView.h"
#include "forms/common/CSpinEdit.h"
#include "forms/common/HelpRequest.h"
#include "link/LinkTexts.h"
#include "service/tuning/TuningBlockTable.h"
#include "texts/TextArguments.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>
#include <filesystem>

namespace rps {

namespace {

constexpr int kCaption = 758;
constexpr int kReadDone = 550;
constexpr int kWriteDone = 572;
constexpr int kFileFilter = 156;
constexpr int kOpenText = 60;
constexpr int kSaveText = 61;
constexpr int kSaveAsText = 62;
constexpr int kReadText = 30;
constexpr int kWriteText = 31;
constexpr int kFileText = 149;
constexpr int kProgramText = 91;
constexpr int kEditText = 71;
constexpr int kUnitText = 763;
constexpr int kValueText = 690; // "Current Value"

// A menu text as a button caption: without its shortcut and its "...".
QString buttonText(const std::string& text)
{
    QString caption = QString::fromStdString(text).section('\t', 0, 0);
    if (caption.endsWith(QStringLiteral("...")))
        caption.chop(3);
    return caption;
}

QString labelText(const std::string& text)
{
    QString caption = buttonText(text);
    caption.remove('&');
    return caption + QStringLiteral(":");
}

// The spin's limits are the selected row's shown limits (raw for the range-code-4 row).
SpinRange rangeOf(const fields::FieldRow& row)
{
    return {static_cast<int64_t>(row.range.min), static_cast<int64_t>(row.range.max), 1, std::nullopt, {}};
}

} // namespace

CTuningDataDialog::CTuningDataDialog(TuningDataParts parts, QWidget* parent)
    : QDialog(parent), parts_(std::move(parts)), state_(parts_.folder)
{
    setHelpContext(this, 327680);
    env_.texts = [this](int n) { return parts_.texts.text(n); };
    env_.decimalSeparator = parts_.decimalSeparator;
    setWindowTitle(text(kCaption));

    // The values on the left; files, the repeater and the selected value on the right.
    auto* layout = new QHBoxLayout(this);
    auto open = [this] { return openTuningBlock(state_.block(), env_); };
    std::vector<FieldColumn> columns{{&tuningBlockFields()[0], kValueText, 110, CellAlign::Right}};
    CFieldGridModel::CellMatrix cells;
    for (const fields::FieldRow& row : tuningBlockFields())
        cells.push_back({&row});
    model_ = new CFieldGridModel(open, std::move(cells), columns, env_.texts, parts_.decimalSeparator, this);
    model_->setRowLabels([this](int row) { return QString::fromStdString(tuningRowLabel(row, env_)); }, 320);
    model_->reload();
    grid_ = new CGridView(this);
    grid_->setGridModel(model_);
    layout->addWidget(grid_);

    auto* side = new QVBoxLayout;
    auto* files = new QGridLayout;
    open_ = new QPushButton(buttonText(parts_.texts.text(kOpenText)), this);
    save_ = new QPushButton(buttonText(parts_.texts.text(kSaveText)), this);
    saveAs_ = new QPushButton(buttonText(parts_.texts.text(kSaveAsText)), this);
    files->addWidget(open_, 0, 0);
    files->addWidget(save_, 0, 1);
    files->addWidget(saveAs_, 0, 2);
    side->addLayout(files);
    file_ = new QLabel(this);
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    file_->setWordWrap(true);
    auto* fileLine = new QHBoxLayout;
    fileLine->addWidget(new QLabel(labelText(parts_.texts.text(kFileText)), this));
    fileLine->addWidget(file_, 1);
    side->addLayout(fileLine);
    unit_ = new QLabel(this);
    unit_->setWordWrap(true);
    side->addWidget(unit_);
    side->addSpacing(12);

    auto* radio = new QHBoxLayout;
    read_ = new QPushButton(text(kReadText), this);
    write_ = new QPushButton(text(kWriteText), this);
    radio->addWidget(read_);
    radio->addWidget(write_);
    radio->addStretch(1);
    side->addLayout(radio);
    auto* program = new QHBoxLayout;
    program->addWidget(new QLabel(labelText(parts_.texts.text(kProgramText)), this));
    progress_ = new QProgressBar(this);
    progress_->setRange(0, kTuningSteps);
    progress_->setValue(0);
    program->addWidget(progress_, 1);
    side->addLayout(program);
    side->addSpacing(12);

    auto* editLine = new QHBoxLayout;
    editLine->addWidget(new QLabel(labelText(parts_.texts.text(kEditText)), this));
    edit_ = new CSpinEdit(this);
    edit_->setEngineDriven(true);
    edit_->setMinimumWidth(140);
    editLine->addWidget(edit_);
    editLine->addStretch(1);
    side->addLayout(editLine);
    side->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    close_ = new QPushButton(text(texts::kCloseText), this);
    bottom->addWidget(close_);
    side->addLayout(bottom);
    layout->addLayout(side, 1);

    connect(read_, &QPushButton::clicked, this, &CTuningDataDialog::readFromRadio);
    connect(write_, &QPushButton::clicked, this, &CTuningDataDialog::writeToRadio);
    connect(open_, &QPushButton::clicked, this, &CTuningDataDialog::openFile);
    connect(save_, &QPushButton::clicked, this, [this] { saveFile(false); });
    connect(saveAs_, &QPushButton::clicked, this, [this] { saveFile(true); });
    connect(close_, &QPushButton::clicked, this, &CTuningDataDialog::reject);
    connect(grid_, &CGridView::currentCellChanged, this, &CTuningDataDialog::showSelected);
    connect(model_, &CFieldGridModel::edited, this, [this] { showSelected(); });
    connect(edit_, &CSpinEdit::stepRequested, this, &CTuningDataDialog::stepSelected);
    connect(edit_, &CSpinEdit::textCommitted, this, &CTuningDataDialog::commitSelected);

    resize(900, 600);
    grid_->setCurrentCell(0, 0);
    refresh();
}

CTuningDataDialog::~CTuningDataDialog() = default;

QString CTuningDataDialog::text(int number) const
{
    return QString::fromStdString(parts_.texts.text(number));
}

void CTuningDataDialog::refresh()
{
    model_->reload();
    const bool has = state_.hasBlock();
    file_->setText(QString::fromStdString(state_.fileName()));
    unit_->setVisible(has);
    unit_->setText(labelText(parts_.texts.text(kUnitText)) + QStringLiteral(" ") +
                   QString::fromStdString(unitRecordText(state_.data().unit)));
    for (QPushButton* button : {read_, open_})
        button->setEnabled(!busy_);
    for (QPushButton* button : {write_, save_, saveAs_})
        button->setEnabled(!busy_ && has);
    close_->setEnabled(!busy_);
    grid_->setEnabled(!busy_);
    edit_->setEnabled(!busy_);
    showSelected();
}

void CTuningDataDialog::showSelected()
{
    const int row = std::max(grid_->currentIndex().row(), 0);
    const fields::FieldRow& field = tuningBlockFields()[static_cast<std::size_t>(row)];
    edit_->setRange(rangeOf(field));
    CharFilterRule filter;
    filter.kind = field.input.filter;
    edit_->setFilter(filter);
    const auto session = openTuningBlock(state_.block(), env_);
    edit_->setDisplayText(QString::fromStdString(session->engine().shown(field, 0)));
}

void CTuningDataDialog::stepSelected(int direction)
{
    const int row = std::max(grid_->currentIndex().row(), 0);
    openTuningBlock(state_.block(), env_)
        ->engine()
        .spin(tuningBlockFields()[static_cast<std::size_t>(row)], 0, direction);
    model_->reload();
    showSelected();
}

void CTuningDataDialog::commitSelected(const QString& typed)
{
    const int row = std::max(grid_->currentIndex().row(), 0);
    openTuningBlock(state_.block(), env_)
        ->engine()
        .commitText(tuningBlockFields()[static_cast<std::size_t>(row)], 0, typed.toStdString());
    model_->reload();
    showSelected();
}

int CTuningDataDialog::runTransfer(bool reading)
{
    busy_ = true;
    refresh();
    TransferContext context{parts_.link,
                            parts_.dialogs,
                            parts_.texts,
                            [this](int step, int total) {
                                progress_->setRange(0, total);
                                progress_->setValue(step);
                            },
                            [] { QApplication::processEvents(); },
                            InstallationId{},
                            nullptr};
    parts_.link.setMessagePump([] { QApplication::processEvents(); });
    const int result = reading ? state_.read(context) : state_.write(context);
    busy_ = false;
    refresh();
    return result;
}

void CTuningDataDialog::readFromRadio()
{
    if (busy_)
        return;
    if (runTransfer(true) == kLinkOk)
        inform(kReadDone);
    else
        setWindowTitle(text(kCaption));
}

void CTuningDataDialog::writeToRadio()
{
    if (busy_ || !state_.hasBlock())
        return;
    if (runTransfer(false) == kLinkOk)
        inform(kWriteDone);
}

void CTuningDataDialog::inform(int message)
{
    MessageRequest request;
    request.text = parts_.texts.text(message);
    request.caption = parts_.texts.text(kCaption);
    request.icon = MessageIcon::Information;
    parts_.dialogs.showMessage(request);
}

void CTuningDataDialog::error(const std::string& message)
{
    MessageRequest request;
    request.text = message;
    request.caption = parts_.texts.text(texts::kErrorCaption);
    request.icon = MessageIcon::Error;
    parts_.dialogs.showMessage(request);
}

void CTuningDataDialog::openFile()
{
    if (busy_)
        return;
    FileRequest request;
    request.caption = buttonText(parts_.texts.text(kOpenText)).remove('&').toStdString();
    request.filterText = parts_.texts.text(kFileFilter) + " (*.tun)";
    request.startFolder = parts_.folder;
    request.defaultExtension = "tun";
    const std::optional<std::string> path = parts_.dialogs.chooseOpenFile(request);
    if (!path)
        return;
    const TuningLoadResult result = state_.open(*path);
    if (result.message != 0)
        error(fillTextArguments(parts_.texts.text(result.message),
                                {std::filesystem::path(*path).filename().string(), result.otherProgram}));
    refresh();
}

void CTuningDataDialog::saveFile(bool askName)
{
    if (busy_ || !state_.hasBlock())
        return;
    std::string path = state_.savePath();
    if (askName) {
        FileRequest request;
        request.caption = buttonText(parts_.texts.text(kSaveAsText)).remove('&').toStdString();
        request.filterText = parts_.texts.text(kFileFilter) + " (*.tun)";
        request.startFolder = std::filesystem::path(path).parent_path().string();
        request.proposedName = std::filesystem::path(path).filename().string();
        request.defaultExtension = "tun";
        const std::optional<std::string> chosen = parts_.dialogs.chooseSaveFile(request);
        if (!chosen)
            return;
        path = *chosen;
    }
    if (const int failure = state_.save(path); failure != 0)
        error(path + "\n" + std::strerror(failure));
    refresh();
}

void CTuningDataDialog::reject()
{
    if (!busy_)
        QDialog::reject();
}

void CTuningDataDialog::closeEvent(QCloseEvent* event)
{
    if (busy_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace rps
