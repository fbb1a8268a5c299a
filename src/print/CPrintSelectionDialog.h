#pragma once
// "Print Out List": which header blocks and sections to print and the channel range, with the
// page count of the current paper kept up to date.
#include "print/PrintSelection.h"
#include "texts/LanguageTable.h"

#include <QDialog>

#include <functional>
#include <map>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace rps::print {

// The help page of the print selection and of the print dialog.
inline constexpr int kPrintHelpContext = 69637;

class CPrintSelectionDialog : public QDialog {
public:
    enum class Choice { Cancelled, Print, Preview };

    // `countPages` gives the page count of a selection on the current paper; `printSetup`
    // opens the printer setup (after it the count is taken again).
    CPrintSelectionDialog(const LanguageTable& texts, std::function<int(const PrintSelection&)> countPages,
                          std::function<void(QWidget*)> printSetup, QWidget* parent = nullptr);

    const PrintSelection& selection() const { return selection_; }
    Choice choice() const { return choice_; }

    QCheckBox* box(Flag flag) const { return boxes_.at(flag); }
    QSpinBox* startSpin() const { return start_; }
    QSpinBox* endSpin() const { return end_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* previewButton() const { return preview_; }
    QPushButton* setupButton() const { return setup_; }
    QPushButton* selectAllButton() const { return selectAll_; }
    QPushButton* clearAllButton() const { return clearAll_; }
    QPushButton* helpButton() const { return help_; }
    QLabel* totalLabel() const { return total_; }

private:
    QString text(int number) const;
    void build();
    // Shows the selection: boxes, range, enabling and the page count.
    void showSelection();
    void finish(Choice choice);

    const LanguageTable& texts_;
    std::function<int(const PrintSelection&)> countPages_;
    std::function<void(QWidget*)> printSetup_;
    PrintSelection selection_ = PrintSelection::opening();
    Choice choice_ = Choice::Cancelled;
    std::map<Flag, QCheckBox*> boxes_;
    QSpinBox* start_ = nullptr;
    QSpinBox* end_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* setup_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* clearAll_ = nullptr;
    QPushButton* help_ = nullptr;
    QLabel* total_ = nullptr;
};

} // namespace rps::print
