#include "app/CModelInfoDialog.h"

#include "app/ShellDialogParts.h"
#include "document/ModelChoice.h"
#include "forms/common/HelpRequest.h"
#include "model/ModelTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kModelTypeText = 543;
constexpr int kFrequencyText = 544;
} // namespace

CModelInfoDialog::CModelInfoDialog(const LanguageTable& texts, uint16_t currentModelCode, QWidget* parent)
    : QDialog(parent)
{
    setHelpContext(this, 73985);
    setObjectName("modelInfoDialog");
    setWindowTitle(languageText(texts, 542));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    models_ = new QComboBox(group);
    models_->setObjectName("modelList");
    bands_ = new QComboBox(group);
    bands_->setObjectName("bandList");
    auto* modelLabel = new QLabel(languageText(texts, kModelTypeText), group);
    auto* bandLabel = new QLabel(languageText(texts, kFrequencyText), group);
    modelLabel->setBuddy(models_);
    bandLabel->setBuddy(bands_);
    form->addRow(modelLabel, models_);
    form->addRow(bandLabel, bands_);
    layout->addWidget(group);

    const int currentRow = offeredModelRowOf(currentModelCode);
    for (int row : offeredModelRows())
        models_->addItem(QString::fromStdString(displayName(row)), row);
    models_->setCurrentIndex(models_->findData(currentRow));
    const int currentBand = findBandRow(currentModelCode);
    const auto allowed = allowedBandRows(currentRow);
    const bool bandAllowed = std::find(allowed.begin(), allowed.end(), currentBand) != allowed.end();
    fillBands(currentRow, bandAllowed ? currentBand : defaultBandRow(currentRow));
    connect(models_, &QComboBox::currentIndexChanged, this, &CModelInfoDialog::modelChosen);

    QDialogButtonBox* buttons = makeButtonRow(texts, this, true, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void CModelInfoDialog::fillBands(int modelRow, int selectBandRow)
{
    bands_->clear();
    for (int band : allowedBandRows(modelRow))
        bands_->addItem(QString::fromUtf8(kBandRows[static_cast<std::size_t>(band)].label),
                        kBandRows[static_cast<std::size_t>(band)].modelCode);
    const int index = bands_->findData(kBandRows[static_cast<std::size_t>(selectBandRow)].modelCode);
    bands_->setCurrentIndex(index < 0 ? 0 : index);
}

void CModelInfoDialog::modelChosen(int index)
{
    if (index < 0)
        return;
    const int previousBand = findBandRow(static_cast<uint16_t>(bands_->currentData().toInt()));
    const int modelRow = models_->itemData(index).toInt();
    fillBands(modelRow, bandAfterModelChoice(modelRow, previousBand));
}

uint16_t CModelInfoDialog::chosenModelCode() const
{
    return static_cast<uint16_t>(bands_->currentData().toInt());
}

} // namespace rps
