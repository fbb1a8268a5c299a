#pragma once
// Questions, messages and file choices asked of the user. The core flows ask through this
// interface; the application answers with real Qt dialogs, tests and the CLI answer in
// advance or on the terminal.
#include <functional>
#include <optional>
#include <string>

namespace rps {

enum class MessageIcon { None, Information, Question, Warning, Error };
// RetryCancel: a failed repeater command may be repeated (Retry) or given up (Cancel).
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };
// What agreeing to a question lets happen. The command line answers routine questions in advance
// (--yes) but writes over a repeater of another model only when that was asked for by name.
// OptionFlags: the repeater is of the data's model, only its password settings differ; `detail`
// says how, for a front end that names the difference rather than asking about the model.
// OtherUnit: a tuning block is about to go to another unit than the one it came from.
enum class QuestionKind { Routine, ModelChange, OptionFlags, OtherUnit };

// What a password question does with an entry: closes accepted, stays open for another entry
// (the check has told the user why), or closes refused.
enum class PasswordVerdict { Accept, TryAgain, Refuse };
using PasswordCheck = std::function<PasswordVerdict(const std::string& entry)>;

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool cancelIsDefault = false;
    QuestionKind kind = QuestionKind::Routine;
    std::string detail = {};
};

// The password change question: the old password (filled in, or disabled when the repeater has
// none), the new one and its confirmation, each shown in clear. The check runs for every Write
// press and may change the entry (put the old password back); TryAgain keeps the question open.
struct PasswordChangeEntry {
    std::string oldPassword;
    std::string newPassword;
    std::string confirmation;
};
struct PasswordChangeRequest {
    std::string caption;
    std::string oldLabel;
    std::string newLabel;
    std::string confirmationLabel;
    std::string oldPassword;
    bool oldEnabled = true;
    int maxLength = 6;
};
using PasswordChangeCheck = std::function<PasswordVerdict(PasswordChangeEntry& entry)>;

struct FileRequest {
    std::string caption;
    std::string filterText; // e.g. "Data File (*.dat)"
    std::string startFolder;
    std::string proposedName;
    std::string defaultExtension; // without the point
    // The Open preview also shows the data file's model, band and version ("File Information").
    bool fileInformation = false;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    // Full path of the chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> chooseOpenFile(const FileRequest& request) = 0;
    // The save dialog asks its own overwrite question for the name the user picked.
    virtual std::optional<std::string> chooseSaveFile(const FileRequest& request) = 0;
    // A password prompt (caption, prompt line, at most maxLength characters); nothing on Cancel.
    virtual std::optional<std::string> askPassword(const std::string& caption, const std::string& prompt,
                                                   int maxLength) = 0;
    // The security password question: as askPassword, but only digits can be typed.
    virtual std::optional<std::string> askDigitPassword(const std::string& caption, const std::string& prompt,
                                                        int maxLength)
    {
        return askPassword(caption, prompt, maxLength);
    }
    // The security password question, which stays open while check answers TryAgain: true
    // when an entry was accepted, false on Cancel or a refusal. Without a question that can
    // stay open, each try is a question of its own.
    virtual bool askDigitPasswordUntil(const std::string& caption, const std::string& prompt, int maxLength,
                                       const PasswordCheck& check)
    {
        for (;;) {
            const std::optional<std::string> entry = askDigitPassword(caption, prompt, maxLength);
            if (!entry)
                return false;
            const PasswordVerdict verdict = check(*entry);
            if (verdict != PasswordVerdict::TryAgain)
                return verdict == PasswordVerdict::Accept;
        }
    }
    // The password change question until the check closes it or the user cancels. Without a
    // dialog of its own, each field is a password prompt; an empty new password (no password)
    // asks no confirmation.
    virtual void askPasswordChange(const PasswordChangeRequest& request, const PasswordChangeCheck& check)
    {
        PasswordChangeEntry entry{request.oldPassword, {}, {}};
        for (;;) {
            if (request.oldEnabled) {
                const std::optional<std::string> old =
                    askPassword(request.caption, request.oldLabel, request.maxLength);
                if (!old)
                    return;
                entry.oldPassword = *old;
            }
            const std::optional<std::string> fresh =
                askPassword(request.caption, request.newLabel, request.maxLength);
            if (!fresh)
                return;
            entry.newPassword = *fresh;
            entry.confirmation.clear();
            if (!fresh->empty()) {
                const std::optional<std::string> confirmation =
                    askPassword(request.caption, request.confirmationLabel, request.maxLength);
                if (!confirmation)
                    return;
                entry.confirmation = *confirmation;
            }
            if (check(entry) != PasswordVerdict::TryAgain)
                return;
        }
    }
};

} // namespace rps
