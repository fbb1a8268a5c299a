#pragma once
// The command table of rps360t-cli. Each group of commands (file commands, link commands)
// lives in its own file and hands its rows to main through a function declared here.
#include "model/DataFile.h"
#include "texts/LanguageTable.h"

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

// One option of a command: a value option ("--port" taking "DEVICE"), or a flag when it takes
// no value. The help sentence is what --help prints beside it.
struct CliOption {
    std::string_view name;
    std::string_view value; // the value's name in the help, empty for a flag
    std::string_view help;
    bool required = false;
};

// One positional argument ("FILE"); the last one may take every further argument.
struct CliPositional {
    std::string_view name;
    std::string_view help;
    bool required = true;
    bool many = false;
};

// What the command line said to one command, as the parser found it.
class CommandLine {
public:
    bool has(std::string_view name) const;
    std::string value(std::string_view name) const; // empty when absent
    const std::vector<std::string>& positional() const { return positional_; }

    void add(std::string name, std::string value) { found_.emplace_back(std::move(name), std::move(value)); }
    void addPositional(std::string argument) { positional_.push_back(std::move(argument)); }

private:
    std::vector<std::pair<std::string, std::string>> found_;
    std::vector<std::string> positional_;
};

struct CliCommand {
    std::string_view name;
    std::string_view usage;   // the synopsis after "rps360t-cli"
    std::string_view summary; // one sentence for --help
    std::span<const CliOption> options;
    std::span<const CliPositional> positionals;
    int (*run)(CliContext& context, const CommandLine& line);
    std::string_view footer = {}; // more help after the options
};

// new, info, export-raw, import-raw
std::span<const CliCommand> fileCommands();
// Prints why a data file could not be opened (the message, then the file and the system's
// reason) and returns the failure exit code.
int failLoad(const CliContext& context, const LoadResult& result, const std::string& path);
// The file an output argument names: "-" is standard output.
std::string outputPath(const std::string& given);
// Zero when a file can be saved at path (its folder takes a new file, or it is a device or pipe
// that can be written), otherwise the system's reason. Nothing is left behind.
int outputProblem(const std::string& path);
// Prints on one line what could not be written, where, and the system's reason; returns the
// failure exit code.
int failSave(const CliContext& context, const std::string& what, const std::string& path, int systemError);
// show, set: fields by stable key
std::span<const CliCommand> fieldCommands();
// diff: two data files compared field by field
std::span<const CliCommand> diffCommands();
// read, write (built with the Qt serial device)
std::span<const CliCommand> linkCommands();
// verify, backup (built with the Qt serial device)
std::span<const CliCommand> backupCommands();
// tuning-read, tuning-write (built with the Qt serial device)
std::span<const CliCommand> tuningCommands();
// report (built with the Qt painter)
std::span<const CliCommand> reportCommands();
// ports (built with the Qt serial device)
std::span<const CliCommand> portsCommands();

} // namespace rps::cli
