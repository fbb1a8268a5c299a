#include "print/ReportPrinting.h"

#include "forms/common/FormSupport.h"
#include "forms/common/HelpRequest.h"
#include "print/CPrintSelectionDialog.h"
#include "print/ReportPages.h"
#include "print/ReportPainter.h"

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cstring>

namespace rps::print {

namespace {

// The help pages of the print dialog, the preview and the page set-up.
constexpr int kPreviewHelpContext = 69638;
constexpr int kPrintSetupHelpContext = 69640;

Orientation orientationOf(const QPrinter& printer)
{
    return printer.pageLayout().orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                        : Orientation::Portrait;
}

} // namespace

bool printWithDialog(QWidget* parent, const PageFrame& frame, const std::vector<PrintedPage>& pages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printPages(printer, frame, pages);
}

ReportPrinting::ReportPrinting(FormContext& context)
    : context_(context), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

ReportPrinting::~ReportPrinting() = default;

ReportPages ReportPrinting::report(const PrintSelection& selection) const
{
    return ReportPages(context_.image, formFieldEnv(context_), selection.flags(), selection.start(),
                       selection.end(), orientationOf(*printer_));
}

void ReportPrinting::run(Target target, QWidget* parent)
{
    if (open_)
        return;
    open_ = true;
    CPrintSelectionDialog dialog(
        context_.texts,
        [this](const PrintSelection& selection) {
            return static_cast<int>(
                buildPagePlan(selection.flags(), orientationOf(*printer_),
                              reportContent(context_.image, selection.start(), selection.end()))
                    .size());
        },
        [this](QWidget* over) {
            QPageSetupDialog setup(printer_.get(), over);
            setHelpContext(&setup, kPrintSetupHelpContext);
            setup.exec();
        },
        parent);
    if (dialogShown_)
        dialogShown_(&dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    open_ = false;
    if (!accepted)
        return;
    const PrintSelection selection = dialog.selection();
    if (dialog.choice() == CPrintSelectionDialog::Choice::Preview || target == Target::Preview)
        preview(selection, parent);
    else if (target == Target::Pdf)
        exportPdf(selection);
    else
        print(selection, parent);
}

void ReportPrinting::print(const PrintSelection& selection, QWidget* parent)
{
    QPrintDialog dialog(printer_.get(), parent);
    setHelpContext(&dialog, kPrintHelpContext);
    if (dialogShown_)
        dialogShown_(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printReport(*printer_, report(selection));
}

void ReportPrinting::preview(const PrintSelection& selection, QWidget* parent)
{
    QPrintPreviewDialog dialog(printer_.get(), parent);
    setHelpContext(&dialog, kPreviewHelpContext);
    dialog.setWindowTitle(QString::fromStdString(context_.texts.text(64)).remove(QLatin1Char('&')));
    // The preview's own paper buttons change the printer: the plan follows them.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, selection](QPrinter* printer) { printReport(*printer, report(selection)); });
    if (dialogShown_)
        dialogShown_(&dialog);
    dialog.exec();
}

void ReportPrinting::exportPdf(const PrintSelection& selection)
{
    FileRequest request;
    request.caption = context_.texts.text(kExportPdfTitleText);
    request.filterText = context_.texts.text(kPdfFilterText);
    request.proposedName = "report.pdf";
    request.defaultExtension = "pdf";
    const std::optional<std::string> chosen = context_.dialogs.chooseSaveFile(request);
    if (!chosen || chosen->empty())
        return;
    std::string path = *chosen;
    if (!QString::fromStdString(path).endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += ".pdf";
    const int problem = saveReportPdf(report(selection), printer_->pageLayout(), path);
    if (problem == 0)
        return;
    MessageRequest message;
    message.text = context_.texts.text(kPdfFailedText);
    message.caption = context_.texts.text(768);
    message.icon = MessageIcon::Error;
    message.detail = path + (problem > 0 ? ": " + std::string(std::strerror(problem)) : std::string());
    context_.dialogs.showMessage(message);
}

} // namespace rps::print
