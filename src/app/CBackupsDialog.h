#pragma once
// File > Backups...: every backup made so far, newest first, as unit, date, model and
// embedded message; Open (or a double click) ends the dialog with the chosen file.
#include "document/Backups.h"
#include "texts/LanguageTable.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace rps {

class CBackupsDialog : public QDialog {
    Q_OBJECT
public:
    CBackupsDialog(const LanguageTable& texts, std::vector<backup::Entry> entries, QWidget* parent = nullptr);

    // The file chosen with Open; empty before.
    const std::string& chosenPath() const { return chosen_; }
    QTableWidget* table() const { return table_; }
    QPushButton* openButton() const { return open_; }

private:
    void openCurrent();

    std::vector<backup::Entry> entries_;
    QTableWidget* table_ = nullptr;
    QPushButton* open_ = nullptr;
    QLabel* empty_ = nullptr;
    std::string chosen_;
};

} // namespace rps
