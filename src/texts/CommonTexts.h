#pragma once
// Language text numbers shared by every window: message-box captions and button labels.
namespace rps::texts {

inline constexpr int kOkText = 26;
inline constexpr int kCancelText = 27;
inline constexpr int kCloseText = 28;
inline constexpr int kHelpText = 29;
inline constexpr int kErrorCaption = 768;
inline constexpr int kQuestionCaption = 769;
inline constexpr int kWarningCaption = 770;

} // namespace rps::texts
