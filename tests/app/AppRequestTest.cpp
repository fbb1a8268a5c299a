#include "app/AppRequest.h"
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <map>

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

TEST(AppRequest, WithoutADisplayOnlyANamedPlatformStartsQt)
{
    const struct {
        std::vector<std::string> arguments;
        std::map<std::string, std::string> environment;
        bool reachable;
    } cases[] = {
        {{}, {}, false},
        {{"demo"}, {{"DISPLAY", ""}}, false}, // set but empty is no display
        {{"-platform"}, {}, false},           // no platform named
        {{}, {{"DISPLAY", ":0"}}, true},
        {{}, {{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {{}, {{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {{"-platform", "offscreen"}, {}, true},
        {{"memmap", "--platform", "offscreen"}, {}, true},
        {{"-platform=vnc"}, {}, true},
    };
    for (const auto& c : cases) {
        const auto environment = [&c](const char* name) {
            const auto it = c.environment.find(name);
            return it == c.environment.end() ? std::string() : it->second;
        };
        EXPECT_EQ(displayIsReachable(c.arguments, environment), c.reachable)
            << (c.arguments.empty() ? std::string("(no arguments)") : c.arguments[0]);
    }
    const std::string message = noDisplayMessage();
    EXPECT_NE(message.find("xvfb-run"), std::string::npos);
    EXPECT_NE(message.find("-platform offscreen"), std::string::npos);
}

} // namespace
} // namespace rps
