#include "app/CPortDialog.h"

#include "app/ShellDialogParts.h"
#include "forms/common/HelpRequest.h"
#include "link/PortPath.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kDeviceColumn = 1240; // language texts of the column titles, in column order
constexpr int kColumnCount = 5;
constexpr int kPathLabel = 1264;

QTableWidgetItem* cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setToolTip(item->text()); // the whole text of a cut one
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

CPortDialog::CPortDialog(const LanguageTable& texts, const std::vector<PortChoice>& present,
                         int currentNumber, const std::string& currentDevice, QWidget* parent)
    : QDialog(parent), present_(present), currentNumber_(currentNumber), currentDevice_(currentDevice)
{
    setHelpContext(this, 90368);
    setObjectName("portDialog");
    setWindowTitle(languageText(texts, 607));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(languageText(texts, 608), this);
    auto* boxLayout = new QVBoxLayout(box);

    const int rows = static_cast<int>(std::min<std::size_t>(present_.size(), kPortCount));
    table_ = new QTableWidget(rows, kColumnCount, box);
    table_->setObjectName("portTable");
    QStringList titles;
    for (int column = 0; column < kColumnCount; ++column)
        titles << languageText(texts, kDeviceColumn + column);
    table_->setHorizontalHeaderLabels(titles);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    QStringList numbers;
    for (int row = 0; row < rows; ++row) {
        const PortChoice& port = present_[static_cast<std::size_t>(row)];
        numbers << QString("COM%1").arg(port.number);
        table_->setItem(row, 0, cell(port.info.devicePath.empty() ? port.devicePath : port.info.devicePath));
        table_->setItem(row, 1, cell(port.info.description));
        table_->setItem(row, 2, cell(port.info.manufacturer));
        table_->setItem(row, 3, cell(port.info.serialNumber));
        table_->setItem(row, 4, cell(port.info.stableName));
    }
    table_->setVerticalHeaderLabels(numbers);
    // A by-id name is long and its ends say the most (maker, serial number, interface).
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->resizeColumnsToContents();
    table_->setMinimumWidth(760);
    boxLayout->addWidget(table_);

    auto* form = new QFormLayout;
    path_ = new QLineEdit(box);
    path_->setObjectName("portPath");
    form->addRow(languageText(texts, kPathLabel), path_);
    boxLayout->addLayout(form);
    layout->addWidget(box);

    // The current port: its row when it is listed, and its device in the field in any case.
    const uint8_t listed =
        currentDevice.empty() ? static_cast<uint8_t>(currentNumber) : portNumberOf(present_, currentDevice);
    path_->setText(QString::fromStdString(currentDevice));
    for (int row = 0; row < rows; ++row) {
        if (present_[static_cast<std::size_t>(row)].number == listed) {
            table_->selectRow(row);
            if (currentDevice.empty())
                path_->setText(QString::fromStdString(present_[static_cast<std::size_t>(row)].devicePath));
        }
    }
    connect(table_, &QTableWidget::itemSelectionChanged, this, &CPortDialog::rowChosen);
    connect(path_, &QLineEdit::textEdited, this, &CPortDialog::pathTyped);

    QDialogButtonBox* buttons = makeButtonRow(texts, this, true, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CPortDialog::rowChosen()
{
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    if (ranges.isEmpty())
        return;
    const std::size_t row = static_cast<std::size_t>(ranges.front().topRow());
    if (row < present_.size())
        path_->setText(QString::fromStdString(present_[row].devicePath));
}

void CPortDialog::pathTyped()
{
    // The row of a typed device is selected with it; a path that is not listed selects none.
    const QSignalBlocker blocker(table_);
    table_->clearSelection();
    const uint8_t number = portNumberOf(present_, resolvePortPath(path_->text().trimmed().toStdString()));
    for (std::size_t row = 0; row < present_.size(); ++row) {
        if (present_[row].number == number && number != 0)
            table_->selectRow(static_cast<int>(row));
    }
}

bool CPortDialog::changed() const
{
    return path_->text().trimmed().toStdString() != currentDevice_ && !path_->text().trimmed().isEmpty();
}

std::string CPortDialog::chosenDevice() const
{
    const std::string typed = path_->text().trimmed().toStdString();
    if (!changed())
        return currentDevice_;
    for (const PortChoice& port : present_) {
        if (port.devicePath == typed)
            return port.devicePath;
    }
    const std::string resolved = resolvePortPath(typed);
    const uint8_t number = portNumberOf(present_, resolved);
    for (const PortChoice& port : present_) {
        if (port.number == number)
            return port.devicePath;
    }
    return resolved;
}

int CPortDialog::chosenNumber() const
{
    if (!changed())
        return currentNumber_;
    const uint8_t number = portNumberOf(present_, chosenDevice());
    return number != 0 ? number : currentNumber_;
}

} // namespace rps
