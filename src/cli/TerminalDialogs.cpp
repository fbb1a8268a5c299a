#include "cli/TerminalDialogs.h"

#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <iostream>

namespace rps::cli {

namespace {

bool onTerminal()
{
    return ::isatty(STDIN_FILENO) == 1 && ::isatty(STDERR_FILENO) == 1;
}

std::string readLine(bool echo)
{
    termios saved{};
    const bool hide = !echo && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (hide) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::cerr << '\n';
    }
    return line;
}

} // namespace

TerminalDialogs::TerminalDialogs(std::ostream& err, Answers answers, std::optional<std::string> password,
                                 std::string passwordMissingText)
    : err_(err), answers_(answers), password_(std::move(password)),
      passwordMissingText_(std::move(passwordMissingText))
{
}

MessageAnswer TerminalDialogs::showMessage(const MessageRequest& request)
{
    shown_ = true;
    err_ << request.text << '\n';
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    const bool yesNo = request.buttons != MessageButtons::OkCancel;
    if (request.kind == QuestionKind::ModelChange) {
        const bool agreed = answers_.modelChange;
        return yesNo ? (agreed ? MessageAnswer::Yes : MessageAnswer::No)
                     : (agreed ? MessageAnswer::Ok : MessageAnswer::Cancel);
    }
    if (answers_.routine)
        return yesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    if (!onTerminal())
        return yesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    err_ << (yesNo ? "[y/N] " : "[OK/Cancel: o/C] ") << std::flush;
    const std::string answer = readLine(true);
    const bool agreed =
        !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y' || answer[0] == 'o' || answer[0] == 'O');
    if (yesNo)
        return agreed ? MessageAnswer::Yes : MessageAnswer::No;
    return agreed ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<std::string> TerminalDialogs::askPassword(const std::string&, const std::string& prompt,
                                                        int maxLength)
{
    if (password_) {
        std::optional<std::string> given = std::move(password_);
        password_.reset();
        return given;
    }
    if (!onTerminal()) {
        // The transfer ends as cancelled; without this line the failure would carry no reason.
        shown_ = true;
        err_ << prompt << ": " << passwordMissingText_ << '\n';
        return std::nullopt;
    }
    err_ << prompt << ": " << std::flush;
    std::string typed = readLine(false);
    if (!std::cin)
        return std::nullopt;
    // As in the password dialog, characters other than letters and digits are swallowed as
    // they are typed, so they never take one of the six places.
    std::erase_if(typed, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; });
    if (static_cast<int>(typed.size()) > maxLength)
        typed.resize(static_cast<std::size_t>(maxLength));
    return typed;
}

} // namespace rps::cli
