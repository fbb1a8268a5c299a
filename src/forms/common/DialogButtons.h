#pragma once
// The pieces every dialog shares, in the shell and in the forms: language texts as QStrings
// and the OK / Cancel / Help button row with language-text captions.
#include "texts/LanguageTable.h"

#include <QDialogButtonBox>
#include <QString>

namespace rps {

inline QString languageText(const LanguageTable& texts, int index)
{
    return QString::fromStdString(texts.text(index));
}

// OK (26), Cancel (27) and, when asked, Help (29). Help opens the page of the dialog's help
// context (setHelpContext on the dialog).
QDialogButtonBox* makeButtonRow(const LanguageTable& texts, QWidget* parent, bool withCancel, bool withHelp);

} // namespace rps
