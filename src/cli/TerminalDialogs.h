#pragma once
// The dialog service of the command line: messages go to standard error, questions and the
// password prompt to the terminal. Without a terminal a question counts as Cancel unless the
// user answered all of them in advance (--yes), and a password nobody can type is reported with
// its prompt and the missing-password text.
#include "app/DialogService.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace rps::cli {

class TerminalDialogs : public DialogService {
public:
    TerminalDialogs(std::ostream& err, bool assumeYes, std::optional<std::string> password,
                    std::string passwordMissingText);

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    // The password of the command line is offered once; later prompts go to the terminal.
    std::optional<std::string> askPassword(const std::string& caption, const std::string& prompt,
                                           int maxLength) override;

    bool shownAnything() const { return shown_; }

private:
    std::ostream& err_;
    bool assumeYes_;
    std::optional<std::string> password_;
    std::string passwordMissingText_;
    bool shown_ = false;
};

} // namespace rps::cli
