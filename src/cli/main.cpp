// rps360t-cli: data files and repeater transfers from the command line, over the same core
// as the desktop application.
#include "cli/CliCommand.h"

#include <iostream>
#include <vector>

namespace {

std::vector<rps::cli::CliCommand> allCommands()
{
    std::vector<rps::cli::CliCommand> commands;
    for (auto group : {rps::cli::fileCommands(), rps::cli::fieldCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
#ifdef RPS_CLI_LINK_COMMANDS
    const auto link = rps::cli::linkCommands();
    commands.insert(commands.end(), link.begin(), link.end());
    const auto ports = rps::cli::portsCommands();
    commands.insert(commands.end(), ports.begin(), ports.end());
#endif
    return commands;
}

int printUsage(const std::vector<rps::cli::CliCommand>& commands)
{
    std::cerr << "usage:\n";
    for (const auto& command : commands)
        std::cerr << "  rps360t-cli " << command.usage << '\n';
    return rps::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<rps::cli::CliCommand> commands = allCommands();
    if (argc < 2)
        return printUsage(commands);
    const std::string name = argv[1];
    for (const auto& command : commands) {
        if (command.name == name) {
            rps::cli::CliContext context(std::cout, std::cerr);
            return command.run(context, rps::cli::Arguments(argv + 2, argv + argc));
        }
    }
    return printUsage(commands);
}
