#pragma once
// File > Print, Print Preview and Export PDF: the "Print Out List" dialog, then the printer
// dialog, the preview window or a PDF file, all drawing the same page list from the working
// image. The printer (and its paper orientation) is kept for the run.
#include "forms/common/FormContext.h"
#include "print/PrintSelection.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace rps::print {

struct PageFrame;
struct PrintedPage;

// The printer dialog, then the pages in the frame on the chosen printer: the service dialogs'
// Print. False when cancelled or the printer failed.
bool printWithDialog(QWidget* parent, const PageFrame& frame, const std::vector<PrintedPage>& pages);

class CPrintSelectionDialog;
class ReportPages;

class ReportPrinting {
public:
    enum class Target { Printer, Preview, Pdf };

    explicit ReportPrinting(FormContext& context);
    ~ReportPrinting();

    // Opens the selection dialog; its OK goes to `target`, its Print Preview to the preview.
    // A second call while the dialog is open does nothing.
    void run(Target target, QWidget* parent);

    QPrinter& printer() { return *printer_; }
    // Test hook: each dialog as it is shown, before it runs (the selection dialog, the printer
    // dialog, the preview window).
    void setDialogShown(std::function<void(QWidget*)> shown) { dialogShown_ = std::move(shown); }

    // The report of a selection on the printer's current paper.
    ReportPages report(const PrintSelection& selection) const;

private:
    void print(const PrintSelection& selection, QWidget* parent);
    void preview(const PrintSelection& selection, QWidget* parent);
    void exportPdf(const PrintSelection& selection);

    FormContext& context_;
    std::unique_ptr<QPrinter> printer_;
    std::function<void(QWidget*)> dialogShown_;
    bool open_ = false;
};

} // namespace rps::print
