#pragma once
// The rules around the security password: what the Security dialog accepts, and the
// password question asked at start-up when program execution is protected.
#include <string>

namespace rps {

class DialogService;
class LanguageTable;

struct SecuritySettings {
    std::string password;          // 0..6 digits
    bool programExecution = false; // ask the password at start-up
    bool dataFile = false;         // write the password into saved data files

    bool operator==(const SecuritySettings&) const = default;
};

// What the user typed and checked in the Security dialog.
struct SecurityEntry {
    std::string password;
    std::string confirmation;
    bool programExecution = false;
    bool dataFile = false;
};

struct SecurityVerdict {
    int refusalText = 0;            // 0 = accepted, else the language text to show
    bool focusConfirmation = false; // where the focus goes after a refusal
};

inline constexpr int kPasswordMissingText = 821;
inline constexpr int kConfirmationDiffersText = 822;
inline constexpr int kWrongPasswordText = 793;
inline constexpr int kPasswordCaptionText = 629;
inline constexpr int kPasswordTries = 3;

// With either protection checked the password must not be empty and must equal its
// confirmation; with neither checked the typed password is taken as it is.
SecurityVerdict checkSecurityEntry(const SecurityEntry& entry);

// Asks for the expected password through the dialog service; each wrong entry is answered
// with language text 793 over the question, and the third one ends it refused. True when the
// right password was given.
bool askPasswordThreeTimes(const std::string& expected, const LanguageTable& texts, DialogService& dialogs);

// The start-up check: without program execution protection it passes without a question.
bool passesStartupPasswordCheck(const SecuritySettings& security, const LanguageTable& texts,
                                DialogService& dialogs);

} // namespace rps
