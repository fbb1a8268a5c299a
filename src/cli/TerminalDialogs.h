#pragma once
// The dialog service of the command line: messages go to standard error, questions and the
// password prompt to the terminal. Without a terminal a question counts as Cancel unless the
// user answered the routine ones in advance (--yes), and a password nobody can type is reported
// with its prompt and the missing-password text. Writing over a repeater of another model is
// never asked on the terminal: it happens only when the command line allowed it by name, and a
// refusal names the option. To a repeater of the data's own model whose option flags differ,
// the difference is said instead of the model question. A Retry/Cancel question is answered
// Retry only on the terminal; --yes does not answer it.
#include "texts/DialogService.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace rps::cli {

class TerminalDialogs : public DialogService {
public:
    struct Answers {
        bool routine = false;     // --yes
        bool modelChange = false; // --allow-model-change
        bool otherUnit = false;   // --allow-other-unit: a tuning block of another unit
    };
    TerminalDialogs(std::ostream& err, Answers answers, std::optional<std::string> password,
                    std::string passwordMissingText);

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    // The password of the command line is offered once; later prompts go to the terminal.
    std::optional<std::string> askPassword(const std::string& caption, const std::string& prompt,
                                           int maxLength) override;

    bool shownAnything() const { return shown_; }
    // Called before anything is printed (ends an open progress line).
    void setBeforeText(std::function<void()> beforeText) { beforeText_ = std::move(beforeText); }

private:
    std::ostream& err_;
    Answers answers_;
    std::optional<std::string> password_;
    std::string passwordMissingText_;
    bool shown_ = false;
    std::function<void()> beforeText_;
};

} // namespace rps::cli
