#pragma once
// Command numbers of the editing forms: the Edit menu entries (also the help contexts and the
// tree of editing areas) and the forms opened from other forms, and the Edit menu entry the
// registry of editing forms gives for each.
namespace rps {

inline constexpr int kChannelInformationCommand = 32773;
inline constexpr int kOptionalFeaturesCommand = 32822;
inline constexpr int kKeyAssignmentCommand = 32818;
inline constexpr int kScanInformationCommand = 32817;
inline constexpr int kDtmfCommand = 32824;
inline constexpr int kEncodeDecodeCommand = 32825;
inline constexpr int kNxdnCommand = 32861;
inline constexpr int kRemoteControlCommand = 32826;
inline constexpr int kFunctionPortCommand = 32832;
inline constexpr int kMultiTableCommand = 32820;
inline constexpr int kCwMessageCommand = 32819;
inline constexpr int kUserListCommand = 32835;
inline constexpr int kTestFrequencyCommand = 32787;
inline constexpr int kEmbeddedMessageCommand = 32788;
inline constexpr int kEmbeddedPasswordCommand = 32821;
inline constexpr int kAdvancedSettingsCommand = 32860;

// Opened from the channel forms, not from the Edit menu.
inline constexpr int kChannelEditCommand = 164;
inline constexpr int kBeatShiftCommand = 106;
inline constexpr int kCwIdCommand = 110;

// An entry of the Edit menu as the form registry gives it.
struct EditMenuForm {
    int command;
    int menuText; // language text of the Edit entry
    bool separatorAfter;
};

} // namespace rps
