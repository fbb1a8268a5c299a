#pragma once
// Answers the next printer dialog by printing to a PDF file, and reads that file back.
#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include <cstdio>
#include <string>

namespace rps::test {

// The printer dialog shown next prints to `pdf` (no printer needed).
inline void printNextTo(const std::string& pdf)
{
    QTimer::singleShot(0, [pdf] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(QString::fromStdString(pdf));
        dialog->done(QDialog::Accepted);
    });
}

inline std::string commandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

// The PDF's text in reading order, every run of blanks as one space.
inline std::string pdfText(const std::string& pdf)
{
    std::string text;
    for (char c : commandOutput("pdftotext -layout '" + pdf + "' - 2>/dev/null")) {
        const bool blank = c == ' ' || c == '\t';
        if (!blank || text.empty() || text.back() != ' ')
            text += blank ? ' ' : c;
    }
    return text;
}

inline int pdfPages(const std::string& pdf)
{
    const std::string info = commandOutput("pdfinfo '" + pdf + "' 2>/dev/null");
    int pages = -1;
    const auto at = info.find("Pages:");
    if (at != std::string::npos)
        std::sscanf(info.c_str() + at, "Pages: %d", &pages);
    return pages;
}

} // namespace rps::test
