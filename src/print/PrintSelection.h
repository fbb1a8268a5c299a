#pragma once
// What the "Print Out List" dialog selects: one flag per item (header blocks and sections) and
// the channel range, with the dialog's rules. The command-line tool names the same items by the
// form keys of show.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rps::print {

enum Flag : uint32_t {
    kModel = 1u << 0,
    kFeatures = 1u << 1,
    kKey = 1u << 2,
    kScan = 1u << 3,
    kDtmf = 1u << 5,
    kEncDec = 1u << 7,
    kRemote = 1u << 8,
    kMulti = 1u << 9,
    kCwMessage = 1u << 10,
    kTestFrequency = 1u << 11,
    kMessage = 1u << 12,
    kProtectedMessage = 1u << 13,
    kChannels = 1u << 14,
    kPort = 1u << 16,
    kCwId = 1u << 17,
    kUsers = 1u << 18,
    kProduct = 1u << 19,
    kNxdn = 1u << 20,
    kAdvanced = 1u << 21,
};

inline constexpr uint32_t kHeaderFlags = kModel | kMessage | kProtectedMessage;
inline constexpr uint32_t kAllFlags = kHeaderFlags | kFeatures | kKey | kScan | kDtmf | kEncDec | kRemote |
                                      kMulti | kCwMessage | kTestFrequency | kChannels | kPort | kCwId |
                                      kUsers | kProduct | kNxdn | kAdvanced;
inline constexpr int kFirstChannel = 1;
inline constexpr int kLastChannel = 30;

class PrintSelection {
public:
    // As the dialog opens: the model and the embedded message, channels 1-30.
    static PrintSelection opening();

    uint32_t flags() const { return flags_; }
    bool isOn(Flag flag) const { return (flags_ & flag) != 0; }
    // Channel Information switched either way clears CW ID; CW ID is taken only with it.
    void set(Flag flag, bool on);
    void selectAll();
    void clearAll() { flags_ = 0; }
    bool anyChecked() const { return flags_ != 0; }

    int start() const { return start_; }
    int end() const { return end_; }
    // A typed channel is clamped to 1-30; the one just typed wins over the other.
    void setStart(int typed);
    void setEnd(int typed);

private:
    uint32_t flags_ = 0;
    int start_ = kFirstChannel;
    int end_ = kLastChannel;
};

// The items by the names the command-line tool takes, in dialog order.
struct ItemName {
    std::string_view name;
    Flag flag;
};
std::span<const ItemName> itemNames();

// A comma-separated list of item names as flags; `problem` names what is wrong otherwise (an
// unknown name, or cwid without channel).
std::optional<uint32_t> parseItems(std::string_view list, std::string& problem);

} // namespace rps::print
