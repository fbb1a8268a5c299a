// rps360t-cli: data files and repeater transfers from the command line, over the same core
// as the desktop application.
#include "cli/CliCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <map>
#include <vector>

namespace {

constexpr const char* kVersion = "rps360t-cli 1.00";
constexpr const char* kExitCodes =
    "Exit codes: 0 done; 1 failure (the reason on standard error); 2 usage error; 128+N ended by\n"
    "signal N (130 for Ctrl+C, 143 for SIGTERM).";
constexpr const char* kDescription =
    "Creates, inspects and converts RPS-360T data files, edits their fields by key, and reads "
    "and writes QLM-640/QLM-940 repeaters over a serial port.";

std::vector<rps::cli::CliCommand> allCommands()
{
    std::vector<rps::cli::CliCommand> commands;
    for (auto group : {rps::cli::fileCommands(), rps::cli::fieldCommands(), rps::cli::diffCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
#ifdef RPS_CLI_LINK_COMMANDS
    for (auto group : {rps::cli::linkCommands(), rps::cli::backupCommands(), rps::cli::tuningCommands(),
                       rps::cli::portsCommands(), rps::cli::reportCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
#endif
    return commands;
}

// What the parser fills for one command: a text per value option, a count per flag, the
// positional arguments in their order.
struct CommandSlots {
    std::map<std::string, std::string> values;
    std::map<std::string, CLI::Option*> options;
    struct Positional {
        CLI::Option* option = nullptr;
        std::string one;
        std::vector<std::string> many;
    };
    std::vector<Positional> positional;
};

CLI::App* describe(CLI::App& app, const rps::cli::CliCommand& command, CommandSlots& slots)
{
    CLI::App* sub = app.add_subcommand(std::string(command.name), std::string(command.summary));
    if (!command.footer.empty())
        sub->footer(std::string(command.footer));
    for (const rps::cli::CliOption& option : command.options) {
        const std::string name(option.name);
        CLI::Option* added = option.value.empty()
                                 ? sub->add_flag(name)->description(std::string(option.help))
                                 : sub->add_option(name, slots.values[name], std::string(option.help))
                                       ->type_name(std::string(option.value));
        slots.options[name] = added->required(option.required);
    }
    slots.positional.resize(command.positionals.size());
    for (std::size_t i = 0; i < command.positionals.size(); ++i) {
        const rps::cli::CliPositional& positional = command.positionals[i];
        CommandSlots::Positional& slot = slots.positional[i];
        const std::string name(positional.name);
        const std::string help(positional.help);
        slot.option = positional.many ? sub->add_option(name, slot.many, help)->expected(1, -1)
                                      : sub->add_option(name, slot.one, help);
        slot.option->required(positional.required);
    }
    return sub;
}

// An option before the command is one of the program's own or misspelt: it is named, rather
// than reported as a missing command.
bool isProgramOption(std::string_view word)
{
    return word == "--help" || word == "-h" || word == "--version";
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<rps::cli::CliCommand> commands = allCommands();
    CLI::App app(kDescription, "rps360t-cli");
    app.set_version_flag("--version", kVersion, "show the version and end");
    app.require_subcommand(1);
    app.footer(kExitCodes);
    std::vector<CommandSlots> slots(commands.size());
    std::vector<CLI::App*> subcommands;
    for (std::size_t i = 0; i < commands.size(); ++i)
        subcommands.push_back(describe(app, commands[i], slots[i]));

    // A misspelt command is named, rather than reported as a missing one.
    const auto named = [&](const char* word) {
        return std::any_of(commands.begin(), commands.end(), [&](const auto& c) { return c.name == word; });
    };
    if (argc > 1 && argv[1][0] != '-' && !named(argv[1])) {
        std::cerr << "rps360t-cli: unknown command \"" << argv[1]
                  << "\"\nRun with --help for more information.\n";
        return rps::cli::kExitUsage;
    }
    if (argc > 1 && argv[1][0] == '-' && !isProgramOption(argv[1])) {
        std::cerr << "rps360t-cli: unknown option \"" << argv[1]
                  << "\" (a command comes first)\nRun with --help for more information.\n";
        return rps::cli::kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Help and version go to standard output with success; every other parse failure is a
        // usage error, named by the library's message and followed by the command's usage.
        if (error.get_exit_code() == 0)
            return app.exit(error) == 0 ? rps::cli::kExitOk : rps::cli::kExitUsage;
        std::cerr << "rps360t-cli: " << error.what() << '\n';
        const auto command = std::find_if(commands.begin(), commands.end(),
                                          [&](const auto& c) { return argc > 1 && c.name == argv[1]; });
        if (command != commands.end())
            std::cerr << "usage: rps360t-cli " << command->usage << '\n';
        std::cerr << "Run with --help for more information.\n";
        return rps::cli::kExitUsage;
    }

    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (!subcommands[i]->parsed())
            continue;
        rps::cli::CommandLine line;
        for (const auto& [name, option] : slots[i].options) {
            if (option->count() > 0)
                line.add(name, slots[i].values[name]);
        }
        for (CommandSlots::Positional& positional : slots[i].positional) {
            if (positional.option->count() == 0)
                continue;
            if (positional.many.empty())
                line.addPositional(std::move(positional.one));
            for (std::string& argument : positional.many)
                line.addPositional(std::move(argument));
        }
        rps::cli::CliContext context(std::cout, std::cerr);
        return commands[i].run(context, line);
    }
    return rps::cli::kExitUsage;
}
