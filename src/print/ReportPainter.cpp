#include "print/ReportPainter.h"

#include "model/AtomicFile.h"
#include "print/ReportPages.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdio>

namespace rps::print {

namespace {

// The drawing is laid out in points; the painter scales them to the device.
constexpr double kTitleSize = 16;
constexpr double kSmallSize = 8;
constexpr double kBodySize = 9;
constexpr double kSmallestSize = 4.5;
constexpr double kCellGap = 8;
constexpr double kMaxColumnShare = 0.6;

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

QFont face(bool fixed, double size, bool bold = false, bool italic = false)
{
    QFont font(fixed ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans"));
    font.setStyleHint(fixed ? QFont::Monospace : QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(size + 0.5)));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

double lineHeight(double size)
{
    return size * 1.3;
}

int linesOf(const SectionBody& body)
{
    int lines = 0;
    int previous = 0;
    for (const TextTable& table : body) {
        const int own = lineCount(table) + 1; // a gap after every table
        // A table beside the one before takes only what is longer than that one.
        lines += table.besidePrevious ? std::max(0, own - previous) : own;
        previous = table.besidePrevious ? std::max(own, previous) : own;
    }
    return lines;
}

// The widths of a table's columns at `size`, shrunk to the width by eliding the widest.
std::vector<double> columnWidths(const TextTable& table, double size, double width)
{
    std::size_t columns = table.headers.size();
    for (const auto& row : table.rows)
        columns = std::max(columns, row.size());
    std::vector<double> widths(columns, 0.0);
    const QFontMetricsF sans(face(false, size, true));
    const QFontMetricsF mono(face(true, size));
    for (std::size_t c = 0; c < table.headers.size(); ++c)
        widths[c] = sans.horizontalAdvance(q(table.headers[c]));
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const QFontMetricsF& metrics = c == 0 ? sans : mono;
            widths[c] = std::max(widths[c], metrics.horizontalAdvance(q(row[c])));
        }
    }
    for (double& w : widths)
        w = std::min(w + kCellGap, width * kMaxColumnShare);
    return widths;
}

double tableWidth(const std::vector<double>& widths)
{
    double sum = 0;
    for (double w : widths)
        sum += w;
    return sum;
}

// Draws a table from `top`; returns where the next one starts. Caption columns of pair tables
// are at least `captionWidth` wide, so the values of a page line up.
double drawTable(QPainter& painter, const TextTable& table, double left, double top, double width,
                 double size, double captionWidth = 0)
{
    std::vector<double> widths = columnWidths(table, size, width);
    if (table.pairs() && !widths.empty())
        widths[0] = std::max(widths[0], captionWidth);
    // A table too wide for the page is drawn smaller.
    const double total = tableWidth(widths);
    if (total > width) {
        size = std::max(kSmallestSize, size * width / total);
        widths = columnWidths(table, size, width);
        const double scale = std::min(1.0, width / tableWidth(widths));
        for (double& w : widths)
            w *= scale;
    }
    const double line = lineHeight(size);
    double y = top;
    const auto drawRow = [&](const std::vector<std::string>& cells, bool header) {
        double x = left;
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const QFont font = header ? face(false, size, true) : face(c != 0, size);
            painter.setFont(font);
            const QString text =
                QFontMetricsF(font).elidedText(q(cells[c]), Qt::ElideRight, widths[c] - kCellGap / 2);
            painter.drawText(QRectF(x, y, widths[c], line), Qt::AlignLeft | Qt::AlignVCenter, text);
            x += widths[c];
        }
        y += line;
    };
    if (!table.title.empty()) {
        painter.setFont(face(false, size, true));
        painter.drawText(QRectF(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter, q(table.title));
        y += line;
    }
    if (!table.pairs()) {
        drawRow(table.headers, true);
        painter.drawLine(QPointF(left, y), QPointF(left + std::min(width, tableWidth(widths)), y));
    }
    for (const auto& row : table.rows)
        drawRow(row, false);
    return y + line / 2;
}

// The body's tables in the area, drawn smaller when they would not fit its height.
void drawBody(QPainter& painter, const SectionBody& body, const QRectF& area)
{
    double size = kBodySize;
    const int lines = linesOf(body);
    if (lines > 0 && lines * lineHeight(size) > area.height())
        size = std::max(kSmallestSize, area.height() / lines / 1.3);
    double captionWidth = 0;
    double lastWidth = 0;
    for (const TextTable& table : body) {
        if (table.pairs() && !table.rows.empty())
            captionWidth = std::max(captionWidth, columnWidths(table, size, area.width()).front());
    }
    double top = area.top();
    double bottom = top;
    double left = area.left();
    for (const TextTable& table : body) {
        if (table.besidePrevious) {
            left += lastWidth;
        } else {
            top = bottom;
            left = area.left();
        }
        bottom =
            std::max(bottom, drawTable(painter, table, left, top, area.right() - left, size, captionWidth));
        lastWidth = tableWidth(columnWidths(table, size, area.width())) + 2 * kCellGap;
    }
}

} // namespace

PageFrame reportFrame(const ReportPages& report)
{
    PageFrame frame = plainFrame([&report](int number) { return report.env().text(number); });
    frame.headerBlocks = report.headerBlocks();
    return frame;
}

PageFrame plainFrame(const std::function<std::string(int)>& text)
{
    PageFrame frame;
    frame.reportTitle = "Zentrel RPS-360T " + text(kReportTitleText);
    frame.pageText = text(kPageText);
    return frame;
}

void drawPage(QPainter& painter, const PageFrame& frame, const PrintedPage& page, int number)
{
    QPaintDevice* device = painter.device();
    const double scaleX = device->logicalDpiX() / 72.0;
    const double scaleY = device->logicalDpiY() / 72.0;
    painter.save();
    painter.scale(scaleX, scaleY);
    const double width = device->width() / scaleX;
    const double height = device->height() / scaleY;
    painter.setPen(QPen(Qt::black, 0.6));

    // Title, centred; date, time and page number at the right.
    painter.setFont(face(false, kTitleSize, false, true));
    const double titleLine = lineHeight(kTitleSize);
    painter.drawText(QRectF(0, 0, width, titleLine), Qt::AlignHCenter | Qt::AlignVCenter,
                     q(frame.reportTitle));
    char pageNumber[16];
    std::snprintf(pageNumber, sizeof pageNumber, ":% 3i", number);
    const QLocale locale;
    const QString stamp = locale.toString(frame.printed.date(), QLocale::ShortFormat) + " " +
                          locale.toString(frame.printed.time(), QLocale::ShortFormat) + "   " +
                          q(frame.pageText) + " " + QString::fromLatin1(pageNumber);
    painter.setFont(face(false, kSmallSize));
    painter.drawText(QRectF(0, titleLine, width, lineHeight(kSmallSize)), Qt::AlignRight | Qt::AlignVCenter,
                     stamp);
    double y = titleLine + lineHeight(kSmallSize) + 4;
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    y += 6;

    // The header blocks, then the second line.
    for (const TextTable& block : frame.headerBlocks)
        y = drawTable(painter, block, 0, y, width, kBodySize);
    if (!frame.headerBlocks.empty()) {
        painter.drawLine(QPointF(0, y), QPointF(width, y));
        y += 6;
    }

    if (!page.title.empty()) {
        painter.setFont(face(false, kBodySize + 2, true));
        painter.drawText(QRectF(0, y, width, lineHeight(kBodySize + 2)), Qt::AlignLeft | Qt::AlignVCenter,
                         q(page.title));
        y += lineHeight(kBodySize + 2) + 2;
    }
    drawBody(painter, page.body, QRectF(0, y, width, height - y));
    painter.restore();
}

bool printPages(QPagedPaintDevice& device, const PageFrame& frame, const std::vector<PrintedPage>& pages)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        drawPage(painter, frame, pages[i], static_cast<int>(i) + 1);
    }
    return painter.end();
}

bool printReport(QPagedPaintDevice& device, const ReportPages& report)
{
    std::vector<PrintedPage> pages;
    pages.reserve(report.plan().size());
    for (const PageEntry& page : report.plan())
        pages.push_back({report.title(page), report.body(page)});
    return printPages(device, reportFrame(report), pages);
}

int saveReportPdf(const ReportPages& report, const QPageLayout& layout, const std::string& path)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setTitle(QString::fromStdString(reportFrame(report).reportTitle));
        writer.setCreator(QStringLiteral("RPS-360T"));
        writer.setPageLayout(layout);
        if (!printReport(writer, report))
            return -1;
    }
    AtomicFileWriter file(path);
    const auto* bytes = reinterpret_cast<const uint8_t*>(pdf.constData());
    if (!file.open() || !file.write({bytes, static_cast<std::size_t>(pdf.size())}) || !file.commit())
        return file.systemError() != 0 ? file.systemError() : -1;
    return 0;
}

} // namespace rps::print
