#pragma once
// A test-mode run on the link: the radio in tuning mode for the whole run, the entry checks
// against the working image, one service command per control change, and the way out. Leaving
// in any way while transmitting first switches the transmitter off, so a repeater is never left
// keyed. Commands never overlap: a timer tick while a command (or its retry question) runs is
// skipped.
#include "link/RadioLink.h"
#include "link/TuningTransfer.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace rps {

inline constexpr std::size_t kAlignmentDumpSize = 545;

struct TestModeState {
    int testChannel = 0;
    int signalling = 0;
    int mode = 0;
    int spacing = 1;
    int power = 0;
    int squelch = 0;
    int berOutput = 0;
    bool transmitting = false;
    std::array<uint16_t, 3> tones{}; // courtesy, test, voting pilot tone
    // Saved per-mode choice: signalling index and spacing.
    std::array<std::array<int, 2>, 2> perMode{{{0, 1}, {0, 3}}};
};

class TestModeSession {
public:
    TestModeSession(RadioLink& link, DialogService& dialogs, const LanguageTable& texts,
                    std::span<const uint8_t> mainArea);
    ~TestModeSession();
    TestModeSession(const TestModeSession&) = delete;
    TestModeSession& operator=(const TestModeSession&) = delete;

    // Opens the port, enters tuning mode and checks the radio against the image; the messages
    // (772, 773, 774, 776, 775, 788) are shown here. False: no dialog; the port is closed.
    bool start();
    // Transmit off when on, a single 'E', port closed. Safe to call more than once.
    void finish();
    bool active() const { return active_; }
    // Called when the user answers Cancel to a failed command: the dialog must close.
    void setOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }

    const TestModeState& state() const { return state_; }
    std::span<const uint8_t> mainArea() const { return main_; }
    bool firstGroup() const;
    bool busy() const { return busy_; }

    // Control changes; false when the command failed and the user cancelled.
    bool selectTestChannel(int channel);
    bool selectSignalling(int signalling);
    bool selectMode(int mode);
    bool selectSpacing(int spacing);
    bool setPower(int power);
    bool setSquelch(int squelch);
    bool setSwitch(uint8_t command, bool on); // beat shift, repeat, compander, voting pilot tone
    bool setBerOutput(int output, bool afc, bool eyePattern);
    bool setTransmit(bool on);
    // Test channel, signalling and spacing again (after an adjustment).
    bool sendTestConditions();
    // The BER timer tick: the text to show, nothing when skipped (a command runs); a failed
    // query stops the polling (berOutput stays, the text is blanked by the caller).
    std::optional<std::string> pollBer(bool& failed);

    // What the printed test-mode page shows of the radio: the unit record ("URK") and the
    // alignment value dump, its bytes put back in order (the radio sends them last first).
    // False when a read failed and the user cancelled.
    bool readPrintData(UnitRecord& unit, std::array<uint8_t, kAlignmentDumpSize>& dump);

    // One command with the 798 Retry/Cancel question after start-up. Used by the
    // adjustment dialogs too. False when the user cancelled; the dialog is then told to end.
    bool run(const std::function<int()>& command);
    RadioLink& link() { return link_; }
    DialogService& dialogs() { return dialogs_; }

private:
    bool entrySequence();
    bool startupCommand(const std::function<int()>& command);
    void refuse(int text);
    void showError(int text);
    bool sendSpacing();

    RadioLink& link_;
    DialogService& dialogs_;
    const LanguageTable& texts_;
    std::span<const uint8_t> main_;
    LinkSession* session_ = nullptr;
    TestModeState state_;
    std::function<void()> onEnd_;
    bool active_ = false;
    bool busy_ = false;
    bool modeEntered_ = false;
};

} // namespace rps
