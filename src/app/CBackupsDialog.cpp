#include "app/CBackupsDialog.h"

#include "forms/common/DialogButtons.h"
#include "model/DataFile.h"
#include "texts/CommonTexts.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kCaptionText = 497;
constexpr int kUnitText = 498;
constexpr int kDateText = 499;
constexpr int kModelText = 500;
constexpr int kMessageText = 501;
constexpr int kOpenText = 502;
constexpr int kNoBackupText = 503;

QString messageOf(const FilePreview& preview)
{
    QString first = QString::fromStdString(preview.messageLine1).trimmed();
    const QString second = QString::fromStdString(preview.messageLine2).trimmed();
    if (!second.isEmpty())
        first += (first.isEmpty() ? "" : " / ") + second;
    return first;
}

} // namespace

CBackupsDialog::CBackupsDialog(const LanguageTable& texts, std::vector<backup::Entry> entries,
                               QWidget* parent)
    : QDialog(parent), entries_(std::move(entries))
{
    setObjectName("backupsDialog");
    setWindowTitle(languageText(texts, kCaptionText));
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(static_cast<int>(entries_.size()), 4, this);
    table_->setObjectName("backupList");
    table_->setHorizontalHeaderLabels({languageText(texts, kUnitText), languageText(texts, kDateText),
                                       languageText(texts, kModelText), languageText(texts, kMessageText)});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const backup::Entry& entry = entries_[static_cast<std::size_t>(row)];
        const FilePreview preview = readPreview(entry.path);
        const QString model =
            preview.available ? QString::fromStdString(preview.modelName + " " + preview.bandLabel).trimmed()
                              : "";
        const QStringList cells{QString::fromStdString(entry.unit),
                                QString::fromStdString(backup::timeText(entry.time)), model,
                                messageOf(preview)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(QString::fromStdString(entry.path));
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnsToContents();
    layout->addWidget(table_);
    empty_ = new QLabel(languageText(texts, kNoBackupText), this);
    empty_->setVisible(entries_.empty());
    layout->addWidget(empty_);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(languageText(texts, kOpenText), QDialogButtonBox::AcceptRole);
    open_->setObjectName("openBackup");
    QPushButton* close =
        buttons->addButton(languageText(texts, texts::kCloseText), QDialogButtonBox::RejectRole);
    close->setObjectName("closeBackups");
    open_->setEnabled(false);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { open_->setEnabled(!table_->selectedItems().isEmpty()); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { openCurrent(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CBackupsDialog::openCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (!entries_.empty())
        table_->selectRow(0);
    resize(760, 420);
}

void CBackupsDialog::openCurrent()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size()))
        return;
    chosen_ = entries_[static_cast<std::size_t>(row)].path;
    accept();
}

} // namespace rps
