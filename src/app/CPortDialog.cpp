#include "app/CPortDialog.h"

#include "app/ShellDialogParts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rps {

namespace {
constexpr int kColumns = 4;
} // namespace

CPortDialog::CPortDialog(const LanguageTable& texts, const std::vector<PortChoice>& present,
                         int currentNumber, QWidget* parent)
    : QDialog(parent), present_(present)
{
    setObjectName("portDialog");
    setWindowTitle(languageText(texts, 607));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(languageText(texts, 608), this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(18);
    group_ = new QButtonGroup(this);
    for (int number = 1; number <= kPortCount; ++number) {
        auto* button = new QRadioButton(QString("COM%1").arg(number), box);
        button->setObjectName(QString("port%1").arg(number));
        button->setEnabled(false);
        for (const PortChoice& port : present) {
            if (port.number != number)
                continue;
            button->setEnabled(true);
            button->setText(QString("COM%1  %2").arg(number).arg(QString::fromStdString(port.label)));
            button->setToolTip(QString::fromStdString(port.devicePath));
            button->setChecked(number == currentNumber);
        }
        group_->addButton(button, number);
        // Column-wise, so COM1..COM5 read down the first column.
        grid->addWidget(button, (number - 1) % (kPortCount / kColumns),
                        (number - 1) / (kPortCount / kColumns));
    }
    layout->addWidget(box);
    QDialogButtonBox* buttons = makeButtonRow(texts, this, true, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CPortDialog::chosenNumber() const
{
    const int id = group_->checkedId();
    return id < 0 ? 0 : id;
}

std::string CPortDialog::chosenDevice() const
{
    const int number = chosenNumber();
    for (const PortChoice& port : present_) {
        if (port.number == number)
            return port.devicePath;
    }
    return {};
}

} // namespace rps
