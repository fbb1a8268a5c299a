#pragma once
// Draws report pages with QPainter on a paged device (a printer, the preview's printer, a PDF
// writer): the page frame (title, date and page number, header blocks) and the body's tables.
#include "print/ReportTables.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QPageLayout;
class QPagedPaintDevice;
class QPainter;

namespace rps::print {

class ReportPages;

// What every page carries besides its body.
struct PageFrame {
    std::string reportTitle; // "Zentrel RPS-360T Programming Data Report"
    std::string pageText;    // "Page"
    SectionBody headerBlocks;
    QDateTime printed = QDateTime::currentDateTime();
};

PageFrame reportFrame(const ReportPages& report);
// The frame of pages of their own (test mode, radio information): title and page number only.
PageFrame plainFrame(const std::function<std::string(int)>& text);

// Draws one page on a painter already open on its device.
void drawPage(QPainter& painter, const PageFrame& frame, const PrintedPage& page, int number);

// Every page on the device, a new sheet between them. False when the device could not be
// painted on (a printer that could not start).
bool printPages(QPagedPaintDevice& device, const PageFrame& frame, const std::vector<PrintedPage>& pages);
bool printReport(QPagedPaintDevice& device, const ReportPages& report);

// The report as a PDF on paper of that layout, drawn in memory and then saved in one step: a
// failure leaves no file. 0 when saved, the system's reason otherwise (-1: not drawn).
int saveReportPdf(const ReportPages& report, const QPageLayout& layout, const std::string& path);

} // namespace rps::print
