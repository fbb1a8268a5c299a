#include "app/AppRequest.h"
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace rps {
namespace {

TEST(AppRequest, HelpVersionAndOpenBesideTheOptionWords)
{
    const struct {
        std::vector<std::string> arguments;
        bool help;
        bool version;
        std::optional<std::string> open;
    } cases[] = {
        {{}, false, false, std::nullopt},
        {{"--help"}, true, false, std::nullopt},
        {{"demo", "-h"}, true, false, std::nullopt},
        {{"--version"}, false, true, std::nullopt},
        {{"--open", "/data/site.dat", "memmap"}, false, false, "/data/site.dat"},
        {{"--open=site.dat"}, false, false, "site.dat"},
        {{"site.dat"}, false, false, std::nullopt}, // a bare file name opens nothing
        {{"--open"}, false, false, std::nullopt},   // the desktop's %f with no file
        {{"--open="}, false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        const AppRequest request = scanAppRequest(c.arguments);
        EXPECT_EQ(request.help, c.help);
        EXPECT_EQ(request.version, c.version);
        EXPECT_EQ(request.openPath, c.open);
    }
    EXPECT_NE(appUsage().find("SupportUtility"), std::string::npos);
}

} // namespace
} // namespace rps
