#include "link/PortOpenFailure.h"

#include "TestPaths.h"
#include "TransferRig.h"

#include "link/Transfers.h"

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
    // Also when the language file could not be read (another user, a private folder): the
    // reason and the hint still reach the user.
    const LanguageTable noTexts;
    for (const LanguageTable* table : {static_cast<const LanguageTable*>(&texts), &noTexts}) {
        // brltty takes USB adapters only: a missing link or built-in port gets no hint about it.
        for (const char* other : {"/tmp/sim.tty", "/dev/ttyS4"})
            EXPECT_EQ(portOpenFailureText(*table, other, {ENOENT, ""}),
                      std::string(other) + ": " + reason(ENOENT));
        for (const auto& c : cases) {
            const std::string text = portOpenFailureText(*table, device, c.failure);
            const std::size_t lineEnd = text.find('\n');
            EXPECT_EQ(text.substr(0, lineEnd), c.firstLine) << c.failure.systemError;
            if (c.hint.empty())
                EXPECT_EQ(lineEnd, std::string::npos) << text;
            else
                EXPECT_NE(text.find(c.hint, lineEnd), std::string::npos) << text;
        }
    }
}

// A device that refuses to open for the reason the test gives it.
class RefusingDevice : public ByteDevice {
public:
    explicit RefusingDevice(PortOpenFailure failure) : failure_(std::move(failure)) {}
    bool open(const std::string&) override { return false; }
    PortOpenFailure lastOpenFailure() const override { return failure_; }
    bool close() override { return true; }
    bool isOpen() const override { return false; }
    bool applyLineSettings(const LineSettings&) override { return false; }
    bool setRts(bool) override { return false; }
    std::size_t read(uint8_t*, std::size_t, int) override { return 0; }
    bool writeAll(const uint8_t*, std::size_t) override { return false; }
    void discardInput() override {}
    std::optional<bool> takeLineError() override { return std::nullopt; }
    uint64_t tickMs() override { return 0; }
    void delayMs(int) override {}

private:
    PortOpenFailure failure_;
};

// The reason reaches the one message a transfer shows, as the application and the CLI show it.
TEST(PortOpenFailure, ATransferShowsTheReasonUnderTheMessage)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    const struct {
        PortOpenFailure failure;
        std::string secondLine;
        std::string hint;
    } cases[] = {
        {{EACCES, ""}, "/dev/ttyUSB0: Permission denied", "dialout"},
        {{EBUSY, "minicom (pid 4)"}, "/dev/ttyUSB0: Device or resource busy", "minicom (pid 4)"},
        {{ENOENT, ""}, "/dev/ttyUSB0: No such file or directory", "brltty"},
    };
    for (const auto& c : cases) {
        RefusingDevice device(c.failure);
        RadioLink link(device);
        link.setPort(3, "/dev/ttyUSB0");
        test::RecordingDialogs dialogs;
        TransferContext context{link, dialogs, texts, nullptr, nullptr, InstallationId{}, nullptr};
        ConfigImage image;
        image.clear();
        EXPECT_EQ(runReadTransfer(context, image), kLinkFailed);
        ASSERT_EQ(dialogs.asked.size(), 1u);
        const std::string& text = dialogs.asked[0].text;
        EXPECT_EQ(text.rfind(texts.text(772) + "\n" + c.secondLine + "\n", 0), 0u) << text;
        EXPECT_NE(text.find(c.hint), std::string::npos) << text;
        EXPECT_EQ(dialogs.asked[0].caption, texts.text(768));
    }
}

TEST(PortOpenFailure, NoHolderForWhatIsNotADevice)
{
    EXPECT_FALSE(findPortHolder("/nonexistent/ttyUSB0").has_value());
    EXPECT_FALSE(findPortHolder(test::kLanguageFile).has_value());
}

} // namespace
} // namespace rps
