#include "app/CLanguageDialog.h"

#include "app/ShellDialogParts.h"
#include "forms/common/HelpRequest.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace rps {

CLanguageDialog::CLanguageDialog(const LanguageTable& texts, const std::vector<LanguageRow>& choices,
                                 int currentKey, QWidget* parent)
    : QDialog(parent)
{
    setHelpContext(this, 90624);
    setObjectName("languageDialog");
    setWindowTitle(languageText(texts, 609));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    list_ = new QComboBox(group);
    list_->setObjectName("languageList");
    for (const LanguageRow& choice : choices)
        list_->addItem(languageText(texts, choice.displayText), choice.key);
    const int current = list_->findData(currentKey);
    list_->setCurrentIndex(current < 0 ? 0 : current);
    form->addRow(languageText(texts, 610), list_);
    layout->addWidget(group);
    QDialogButtonBox* buttons = makeButtonRow(texts, this, true, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

int CLanguageDialog::chosenKey() const
{
    return list_->currentData().toInt();
}

} // namespace rps
