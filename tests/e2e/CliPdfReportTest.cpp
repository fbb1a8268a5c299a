// report: the demonstration file's report as a PDF with the planned pages, the selection's
// usage errors, and a data file that cannot be opened.
#include "CliRun.h"
#include "model/TempFolder.h"
#include "print/DemoImage.h"
#include "print/PrintSelection.h"
#include "print/ReportPages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace rps::test {
namespace {

// The page count pdfinfo reads from a PDF, -1 when it cannot.
int pdfPages(const std::string& path)
{
    const std::string command = "pdfinfo '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char line[256];
    int pages = -1;
    while (fgets(line, sizeof line, pipe)) {
        if (std::sscanf(line, "Pages: %d", &pages) == 1)
            break;
    }
    pclose(pipe);
    return pages;
}

class CliPdfReport : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::string demo() const { return std::string(kSourceDir) + "/demo/demo.dat"; }
    TempFolder folder;
};

TEST_F(CliPdfReport, TheDemonstrationReportHasThePlannedPagesOnEitherPaper)
{
    DemoImage image;
    for (const auto orientation : {print::Orientation::Portrait, print::Orientation::Landscape}) {
        const bool landscape = orientation == print::Orientation::Landscape;
        const std::string pdf = folder.file(landscape ? "landscape.pdf" : "portrait.pdf");
        const CliRun run = cli("report " + demo() + " -o " + pdf + (landscape ? " --landscape" : ""));
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(run.errors, "");
        const print::ReportPages plan(*image.image, image.env, print::kAllFlags, 1, 30, orientation);
        EXPECT_EQ(pdfPages(pdf), static_cast<int>(plan.plan().size()));
    }
}

TEST_F(CliPdfReport, ChannelsWithoutProgrammedOnesGiveOneHeaderPage)
{
    const std::string pdf = folder.file("channels.pdf");
    const CliRun run = cli("report " + demo() + " -o " + pdf + " --sections channel,cwid --channels 7-8");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(pdfPages(pdf), 1);
}

TEST_F(CliPdfReport, ASelectionTheDialogWouldRefuseIsAUsageErrorNamingIt)
{
    const std::string pdf = folder.file("refused.pdf");
    CliRun run = cli("report " + demo() + " -o " + pdf + " --sections features,colours");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("\"colours\""), std::string::npos) << run.errors;
    run = cli("report " + demo() + " -o " + pdf + " --sections cwid");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("cwid"), std::string::npos) << run.errors;
    run = cli("report " + demo() + " -o " + pdf + " --channels 9-3");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(CliPdfReport, AMissingDataFileFailsAsTheFileCommandsDoAndLeavesNoPdf)
{
    const std::string pdf = folder.file("missing.pdf");
    const std::string missing = folder.file("missing.dat");
    const CliRun info = cli("info " + missing);
    const CliRun run = cli("report " + missing + " -o " + pdf);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, info.errors);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

} // namespace
} // namespace rps::test
