#include "link/PortOpenFailure.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

namespace rps {
namespace {

// Each reason the system gives for a port that does not open, as the user reads it under
// the "cannot be opened" message.
TEST(PortOpenFailure, EachReasonSaysWhatToDo)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    const std::string device = "/dev/ttyUSB0";
    const auto reason = [](int error) { return std::generic_category().message(error); };
    const struct {
        PortOpenFailure failure;
        std::string firstLine;
        std::string hint; // a piece of the second line; empty = no second line
    } cases[] = {
        {{EACCES, ""}, device + ": " + reason(EACCES), "usermod -aG dialout"},
        {{EBUSY, "minicom (pid 812)"},
         device + ": " + reason(EBUSY),
         "The port is held by minicom (pid 812)."},
        {{EWOULDBLOCK, "rps360t-cli (pid 9)"}, device + ": " + reason(EBUSY), "held by rps360t-cli (pid 9)"},
        {{EBUSY, ""}, device + ": " + reason(EBUSY), "ModemManager or brltty"},
        {{ENOENT, ""}, device + ": " + reason(ENOENT), "brltty"},
        {{ENXIO, ""}, device + ": " + reason(ENXIO), "brltty"},
        {{EIO, ""}, device + ": " + reason(EIO), ""},
        {{0, ""}, device, ""},
    };
    for (const auto& c : cases) {
        const std::string text = portOpenFailureText(texts, device, c.failure);
        const std::size_t lineEnd = text.find('\n');
        EXPECT_EQ(text.substr(0, lineEnd), c.firstLine) << c.failure.systemError;
        if (c.hint.empty())
            EXPECT_EQ(lineEnd, std::string::npos) << text;
        else
            EXPECT_NE(text.find(c.hint, lineEnd), std::string::npos) << text;
    }
}

TEST(PortOpenFailure, NoHolderForWhatIsNotADevice)
{
    EXPECT_FALSE(findPortHolder("/nonexistent/ttyUSB0").has_value());
    EXPECT_FALSE(findPortHolder(test::kLanguageFile).has_value());
}

} // namespace
} // namespace rps
