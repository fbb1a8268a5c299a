#include "cli/TerminalDialogs.h"

#include "cli/Interruption.h"

#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <ostream>

namespace rps::cli {

namespace {

bool onTerminal()
{
    return ::isatty(STDIN_FILENO) == 1 && ::isatty(STDERR_FILENO) == 1;
}

// Switches the terminal's echo off for as long as it lives; every way out restores it.
class EchoOff {
public:
    EchoOff() : active_(::tcgetattr(STDIN_FILENO, &saved_) == 0)
    {
        if (active_) {
            termios quiet = saved_;
            quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
            ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
        }
    }
    ~EchoOff()
    {
        if (active_)
            ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios saved_{};
    bool active_;
};

// One line from the terminal without its line feed; nothing at the end of the input, on a
// read error, or when Ctrl+C or another ending signal arrives while it waits.
std::optional<std::string> readLine()
{
    std::string line;
    for (;;) {
        if (!waitForInput(STDIN_FILENO))
            return std::nullopt;
        char c = 0;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        if (c == '\n')
            return line;
        line.push_back(c);
    }
}

// The prompt is shown only once the echo is off, so nothing typed after it appears can be seen.
std::optional<std::string> readHiddenLine(std::ostream& err, const std::string& prompt)
{
    std::optional<std::string> line;
    {
        const EchoOff hidden;
        err << prompt << ": " << std::flush;
        line = readLine();
    }
    // The line feed the user typed was not echoed either.
    err << '\n' << std::flush;
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
    if (beforeText_)
        beforeText_();
    // Data of the repeater's own model: what differs is said instead of the model question.
    err_ << (request.kind == QuestionKind::OptionFlags && !request.detail.empty() ? request.detail
                                                                                  : request.text)
         << '\n';
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    const bool yesNo = request.buttons != MessageButtons::OkCancel;
    if (request.kind == QuestionKind::ModelChange) {
        const bool agreed = answers_.modelChange;
        if (!agreed)
            err_ << "Not written: the repeater is of another model; --allow-model-change writes over it.\n";
        return yesNo ? (agreed ? MessageAnswer::Yes : MessageAnswer::No)
                     : (agreed ? MessageAnswer::Ok : MessageAnswer::Cancel);
    }
    if (request.kind == QuestionKind::OtherUnit) {
        const bool agreed = answers_.otherUnit;
        if (!agreed)
            err_ << "Not written: the tuning block is of another unit; --allow-other-unit writes it.\n";
        return agreed ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    if (request.buttons == MessageButtons::RetryCancel) {
        // A failed command is repeated only when someone at the terminal asks for it: --yes
        // would keep a script retrying a repeater that no longer answers.
        if (!onTerminal())
            return MessageAnswer::Cancel;
        err_ << "[Retry/Cancel: r/C] " << std::flush;
        const std::string answer = readLine().value_or(std::string());
        return !answer.empty() && (answer[0] == 'r' || answer[0] == 'R') ? MessageAnswer::Retry
                                                                         : MessageAnswer::Cancel;
    }
    if (answers_.routine)
        return yesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    if (!onTerminal())
        return yesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    err_ << (yesNo ? "[y/N] " : "[OK/Cancel: o/C] ") << std::flush;
    const std::string answer = readLine().value_or(std::string());
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
    if (beforeText_)
        beforeText_();
    if (!onTerminal()) {
        // The transfer ends as cancelled; without this line the failure would carry no reason.
        shown_ = true;
        err_ << prompt << ": " << passwordMissingText_ << '\n';
        return std::nullopt;
    }
    std::optional<std::string> line = readHiddenLine(err_, prompt);
    if (!line)
        return std::nullopt;
    std::string typed = std::move(*line);
    // As in the password dialog, characters other than letters and digits are swallowed as
    // they are typed, so they never take one of the six places.
    std::erase_if(typed, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; });
    if (static_cast<int>(typed.size()) > maxLength)
        typed.resize(static_cast<std::size_t>(maxLength));
    return typed;
}

} // namespace rps::cli
