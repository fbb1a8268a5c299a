// rps360t-cli set on the multi tables: a table emptied of its NXDN entries is taken from the
// NXDN channels that used it, never from a mixed channel that still has analog entries.
#include "CliRun.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using rps::test::CliRun;
using rps::test::TempFolder;

namespace {

std::string shownLine(const std::string& output, const std::string& key)
{
    const auto start = output.find(key + " ");
    if (start == std::string::npos)
        return "<none>";
    return output.substr(start, output.find(';', start) - start);
}

TEST(CliMultiTable, EmptyingTheOnlyNxdnEntryTakesTheTableFromItsNxdnChannels)
{
    TempFolder folder;
    const std::string file = folder.file("demo.dat");
    std::filesystem::copy_file(std::string(rps::test::kSourceDir) + "/demo/demo.dat", file);
    // Channels 3 and 6 are NXDN, channel 4 mixed; table 3 keeps one NXDN entry.
    CliRun run = runCli("set " + file +
                            " multi-table.3.nxdn.2.decode= multi-table.3.nxdn.1.decode=12"
                            " multi-table.3.analog.1.decode=100.0"
                            " channel.3.multi-table=3 channel.4.multi-table=3 channel.6.multi-table=3",
                        folder);
    ASSERT_EQ(run.exitCode, 0) << run.errors;

    run = runCli("set " + file + " multi-table.3.nxdn.1.decode=", folder);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    run = runCli("show " + file, folder);
    EXPECT_NE(shownLine(run.output, "multi-table.3.nxdn.1.encode").find("= Off"), std::string::npos);
    EXPECT_NE(shownLine(run.output, "channel.3.multi-table").find("= Off"), std::string::npos);
    EXPECT_NE(shownLine(run.output, "channel.6.multi-table").find("= Off"), std::string::npos);
    EXPECT_NE(shownLine(run.output, "channel.4.multi-table").find("= 3 "), std::string::npos);
}

} // namespace
