#pragma once
// Language File Setup: the languages of the installation that have a column in the language
// file, each shown with its display text; the current language is selected.
#include "app/LanguageChoice.h"

#include <QDialog>

#include <vector>

class QComboBox;

namespace rps {

class LanguageTable;

class CLanguageDialog : public QDialog {
    Q_OBJECT
public:
    CLanguageDialog(const LanguageTable& texts, const std::vector<LanguageRow>& choices, int currentKey,
                    QWidget* parent = nullptr);

    int chosenKey() const;
    QComboBox* languageList() const { return list_; }

private:
    QComboBox* list_ = nullptr;
};

} // namespace rps
