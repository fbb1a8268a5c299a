#include "forms/common/DialogButtons.h"

#include "forms/common/HelpRequest.h"

#include <QPushButton>

namespace rps {

QDialogButtonBox* makeButtonRow(const LanguageTable& texts, QWidget* parent, bool withCancel, bool withHelp)
{
    QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok;
    if (withCancel)
        buttons |= QDialogButtonBox::Cancel;
    if (withHelp)
        buttons |= QDialogButtonBox::Help;
    auto* row = new QDialogButtonBox(buttons, parent);
    row->button(QDialogButtonBox::Ok)->setText(languageText(texts, 26));
    if (withCancel)
        row->button(QDialogButtonBox::Cancel)->setText(languageText(texts, 27));
    if (withHelp) {
        QPushButton* help = row->button(QDialogButtonBox::Help);
        help->setObjectName("helpButton");
        help->setText(languageText(texts, 29));
        connectHelpButton(help);
    }
    return row;
}

} // namespace rps
