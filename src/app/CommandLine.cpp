#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace rps {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

AppOptions scanCommandLine(const std::vector<std::string>& arguments)
{
    AppOptions options;
    for (const std::string& argument : arguments) {
        if (equalsIgnoringCase(argument, "memmap")) {
            options.memoryMap = true;
        } else if (argument == "SupportUtility") { // exact case: it unlocks the debugging library
            options.supportUtility = true;
        } else if (equalsIgnoringCase(argument, "demo")) {
            options.demo = true;
        } else if (equalsIgnoringCase(argument, "step")) {
            options.fineStep = true;
        }
    }
    return options;
}

AppOptions scanCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr) {
            arguments.emplace_back(argv[i]);
        }
    }
    return scanCommandLine(arguments);
}

} // namespace rps
