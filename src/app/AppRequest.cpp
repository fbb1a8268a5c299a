#include "app/AppRequest.h"

namespace rps {

AppRequest scanAppRequest(const std::vector<std::string>& arguments)
{
    AppRequest request;
    constexpr std::string_view kOpenEquals = "--open=";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h")
            request.help = true;
        else if (argument == "--version")
            request.version = true;
        else if (argument == "--open" && i + 1 < arguments.size())
            request.openPath = arguments[++i];
        else if (argument.starts_with(kOpenEquals) && argument.size() > kOpenEquals.size())
            request.openPath = argument.substr(kOpenEquals.size());
    }
    return request;
}

bool displayIsReachable(const std::vector<std::string>& arguments,
                        const std::function<std::string(const char* name)>& environment)
{
    // Qt takes its options with one dash or two.
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument.starts_with("--"))
            argument.remove_prefix(1);
        if ((argument == "-platform" && i + 1 < arguments.size()) || argument.starts_with("-platform="))
            return true;
    }
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!environment(name).empty())
            return true;
    }
    return false;
}

std::string noDisplayMessage()
{
    return "rps360t: there is no display to show the application on (neither DISPLAY nor WAYLAND_DISPLAY is "
           "set).\n"
           "Start it from a desktop session, or under a virtual display:  xvfb-run -a rps360t [ARGUMENTS]\n"
           "or with no window at all:  rps360t -platform offscreen [ARGUMENTS]  (or "
           "QT_QPA_PLATFORM=offscreen)\n";
}

std::string appUsage()
{
    return "usage: rps360t [memmap] [demo] [step] [SupportUtility] [--open FILE.dat] [Qt options]\n"
           "\n"
           "RPS-360T programs Zentrel QLM-640 and QLM-940 repeaters.\n"
           "\n"
           "Words (MEMMAP, DEMO and STEP in any letter case; SupportUtility exactly so):\n"
           "  memmap           the editing forms offer their memory map windows\n"
           "  demo             test mode, tuning and the service dialogs work without a repeater\n"
           "  step             VHF frequencies may use the 1.25 kHz step\n"
           "  SupportUtility   the support utility and the debugging library\n"
           "Other words are ignored; a file name alone opens nothing.\n"
           "\n"
           "Options:\n"
           "  --open FILE.dat  open this data file at start-up, as File > Open does\n"
           "  --help           show this text and end\n"
           "  --version        show the version and end\n"
           "\n"
           "Environment:\n"
           "  RPS360T_PORT     the serial port for this run (a device path; the simulated repeater's link)\n";
}

std::string appVersion()
{
    return "rps360t 1.00\n";
}

} // namespace rps
