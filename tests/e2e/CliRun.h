#pragma once
// Runs rps360t-cli with a command line, standard input empty, and keeps its exit code and
// what it wrote on standard output and standard error.
#include "model/TempFolder.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace rps::test {

struct CliRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

inline CliRun runCli(const std::string& arguments, const TempFolder& folder)
{
    const std::string outputFile = folder.file("stdout.txt");
    const std::string errorFile = folder.file("stderr.txt");
    // Backups the tool makes go to the test's folder, never to the user's data folder.
    const std::string command = "XDG_DATA_HOME=" + folder.file("data") + " " + std::string(RPS_CLI_PROGRAM) +
                                " " + arguments + " </dev/null >" + outputFile + " 2>" + errorFile;
    const int status = std::system(command.c_str());
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto output = readBytes(outputFile);
    run.output.assign(output.begin(), output.end());
    const auto errors = readBytes(errorFile);
    run.errors.assign(errors.begin(), errors.end());
    return run;
}

} // namespace rps::test
