// report: the printed report of a data file as a PDF, drawn without a display by the same
// page plan and painter as File > Print.
#include "cli/CliCommand.h"
#include "document/DocumentFlows.h"
#include "print/PrintSelection.h"
#include "print/ReportPages.h"
#include "print/ReportPainter.h"

#include <QGuiApplication>
#include <QPageLayout>

#include <array>
#include <charconv>
#include <memory>
#include <ostream>

namespace rps::cli {

namespace {

constexpr std::string_view kReportUsage =
    "report FILE.dat -o REPORT.pdf [--sections LIST] [--channels START-END] [--landscape]";

std::string sectionHelp()
{
    std::string names;
    for (const print::ItemName& item : print::itemNames())
        names += (names.empty() ? "" : ", ") + std::string(item.name);
    return "Sections: " + names +
           ".\nThe default prints every section and header block (channels 1-30). cwid needs channel.\n";
}
const std::string kReportHelp = sectionHelp();

bool parseNumber(std::string_view text, int& number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// "START-END", each 1-30, START not above END.
bool parseChannels(std::string_view text, int& start, int& end)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos || !parseNumber(text.substr(0, dash), start) ||
        !parseNumber(text.substr(dash + 1), end))
        return false;
    return start >= print::kFirstChannel && end <= print::kLastChannel && start <= end;
}

int runReport(CliContext& context, const CommandLine& options)
{
    if (options.positional().size() != 1 || options.value("-o").empty())
        return context.usage(kReportUsage);
    uint32_t flags = print::kAllFlags;
    if (options.has("--sections")) {
        std::string problem;
        const auto parsed = print::parseItems(options.value("--sections"), problem);
        if (!parsed) {
            context.err << "rps360t-cli: " << problem << '\n';
            return context.usage(kReportUsage);
        }
        flags = *parsed;
    }
    int start = print::kFirstChannel;
    int end = print::kLastChannel;
    if (options.has("--channels") && !parseChannels(options.value("--channels"), start, end)) {
        context.err << "rps360t-cli: --channels takes START-END within 1-30, not \""
                    << options.value("--channels") << "\"\n";
        return context.usage(kReportUsage);
    }

    const std::string& path = options.positional()[0];
    auto image = std::make_unique<ConfigImage>();
    const LoadResult loaded = loadImage(path, *image);
    if (loaded.code != kLoadOk)
        return failLoad(context, loaded, path);
    InstallationId none;
    none.fill(0xFF);
    fields::FieldEnv env;
    if (!acceptStagedImage(*image, ImageSource::File, none, env.limits).accepted)
        return context.failText(823, "This data file was made by a newer version of the software.");
    const LanguageTable& texts = context.languageTable();
    env.texts = [&texts](int number) { return texts.text(number); };

    // Fonts and the PDF writer need a GUI application, never a display; Qt's own notes (a
    // missing runtime folder) are not the tool's output.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "rps360t-cli";
    static char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    const bool landscape = options.has("--landscape");
    const print::ReportPages report(*image, env, flags, start, end,
                                    landscape ? print::Orientation::Landscape : print::Orientation::Portrait);
    const QPageLayout paper(QPageSize(QPageSize::A4),
                            landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                            QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    const std::string out = outputPath(options.value("-o"));
    const int problem = print::saveReportPdf(report, paper, out);
    if (problem < 0)
        return context.fail("The report could not be drawn.");
    if (problem > 0)
        return failSave(context, "The report", out, problem);
    return kExitOk;
}

constexpr CliOption kReportOptions[] = {
    {"-o", "REPORT.pdf", "the PDF to write (- for standard output)", true},
    {"--sections", "LIST", "comma-separated sections and header blocks to print (default: all)"},
    {"--channels", "START-END", "the channel range of the channel and CW ID sections (default 1-30)"},
    {"--landscape", "", "landscape paper instead of portrait"},
};
constexpr CliPositional kReportPositionals[] = {
    {"FILE", "the data file (FILE.dat)"},
};

} // namespace

std::span<const CliCommand> reportCommands()
{
    static const std::array<CliCommand, 1> commands{{
        {"report", kReportUsage, "Writes the printed report of a data file as a PDF, without a display.",
         kReportOptions, kReportPositionals, runReport, kReportHelp},
    }};
    return commands;
}

} // namespace rps::cli
