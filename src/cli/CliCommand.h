#pragma once
// The command table of rps360t-cli. Each group of commands (file commands, link commands)
// lives in its own file and hands its rows to main through a function declared here.
#include "app/LanguageTable.h"

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class CliContext {
public:
    CliContext(std::ostream& out, std::ostream& err);

    std::ostream& out;
    std::ostream& err;

    // The English language text N, or the fallback when the language file is not there.
    std::string text(int number, std::string_view fallback) const;
    // Prints the message on standard error and returns the failure exit code.
    int fail(const std::string& message) const;
    int failText(int number, std::string_view fallback) const { return fail(text(number, fallback)); }
    int usage(std::string_view line) const;
    // The whole table, for core flows that take one (the repeater transfers).
    const LanguageTable& languageTable() const { return texts_; }

private:
    LanguageTable texts_;
    bool textsLoaded_ = false;
};

using Arguments = std::vector<std::string>;

struct CliCommand {
    std::string_view name;
    std::string_view usage;
    int (*run)(CliContext& context, const Arguments& arguments); // arguments after the name
};

// new, info, export-raw, import-raw
std::span<const CliCommand> fileCommands();
// show, set: fields by stable key
std::span<const CliCommand> fieldCommands();
// read, write (built with the Qt serial device)
std::span<const CliCommand> linkCommands();
// ports (built with the Qt serial device)
std::span<const CliCommand> portsCommands();

// Options of the form "--name value" or "-o value" and flags of the form "--name"; what is
// left are the positional arguments. Unknown options make parse() fail.
class OptionParser {
public:
    OptionParser(std::vector<std::string_view> valueOptions, std::vector<std::string_view> flags);
    bool parse(const Arguments& arguments);

    bool has(std::string_view name) const;
    std::string value(std::string_view name) const; // empty when absent
    const std::vector<std::string>& positional() const { return positional_; }

private:
    std::vector<std::string_view> valueOptions_;
    std::vector<std::string_view> flags_;
    std::vector<std::pair<std::string, std::string>> found_;
    std::vector<std::string> positional_;
};

} // namespace rps::cli
