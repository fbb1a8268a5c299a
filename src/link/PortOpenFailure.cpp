#include "link/PortOpenFailure.h"

#include "texts/TextArguments.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace rps {

namespace {

constexpr int kDeviceAndReason = 1256;
constexpr int kDialoutHint = 1257;
constexpr int kHeldBy = 1258;
constexpr int kUsualHolders = 1259;
constexpr int kBrlttyHint = 1260;

// The English text when the language file holds none (a program that cannot read its
// language file must still say how to get the port).
std::string textOr(const LanguageTable& texts, int number, const char* english)
{
    const std::string& text = texts.text(number);
    return text.empty() ? std::string(english) : text;
}

bool isBusy(int error)
{
    return error == EBUSY || error == EWOULDBLOCK || error == EAGAIN;
}

bool isMissing(int error)
{
    return error == ENOENT || error == ENODEV || error == ENXIO;
}

// The USB serial adapters brltty takes for braille displays.
bool isUsbSerialDevice(const std::string& path)
{
    return path.starts_with("/dev/ttyUSB") || path.starts_with("/dev/ttyACM");
}

} // namespace

std::string portOpenFailureText(const LanguageTable& texts, const std::string& devicePath,
                                const PortOpenFailure& failure)
{
    // EWOULDBLOCK from the lock reads "Resource temporarily unavailable"; the user meets "busy".
    const int shown = isBusy(failure.systemError) ? EBUSY : failure.systemError;
    const std::string reason = shown != 0 ? std::generic_category().message(shown) : std::string();
    std::string text =
        reason.empty() ? devicePath
                       : fillTextArguments(textOr(texts, kDeviceAndReason, "%s: %s"), {devicePath, reason});
    std::string hint;
    if (failure.systemError == EACCES || failure.systemError == EPERM)
        hint = textOr(texts, kDialoutHint,
                      "Serial ports belong to the dialout group. Join it (sudo usermod -aG dialout $USER), "
                      "then log out and in again.");
    else if (isBusy(failure.systemError))
        hint = failure.holder.empty()
                   ? textOr(texts, kUsualHolders,
                            "When ModemManager or brltty run, they are the usual programs that hold a serial "
                            "port; stop them or tell them to leave this port alone.")
                   : fillTextArguments(textOr(texts, kHeldBy, "The port is held by %s."), {failure.holder});
    else if (isMissing(failure.systemError) && isUsbSerialDevice(devicePath))
        hint = textOr(texts, kBrlttyHint,
                      "If the cable was plugged in just now, brltty may have taken it: remove brltty or stop "
                      "it, then plug the cable in again.");
    if (!hint.empty())
        text += "\n" + hint;
    return text;
}

namespace {

std::string processName(const std::filesystem::path& process, const std::string& pid)
{
    std::string name;
    std::ifstream comm(process / "comm");
    std::getline(comm, name);
    return (name.empty() ? std::string("?") : name) + " (pid " + pid + ")";
}

// The process holding an exclusive flock on the device node (how our programs hold a port).
std::optional<std::string> flockHolder(const struct stat& node, const std::string& procFolder)
{
    char wanted[64];
    std::snprintf(wanted, sizeof wanted, "%02x:%02x:%llu", major(node.st_dev), minor(node.st_dev),
                  static_cast<unsigned long long>(node.st_ino));
    std::ifstream locks(procFolder + "/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, pid, file;
        fields >> number >> kind >> mode >> access >> pid >> file;
        if (kind == "FLOCK" && access == "WRITE" && file == wanted && pid != std::to_string(::getpid()))
            return processName(std::filesystem::path(procFolder) / pid, pid);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> findPortHolder(const std::string& devicePath, const std::string& procFolder)
{
    namespace fs = std::filesystem;
    struct stat node {};
    if (::stat(devicePath.c_str(), &node) != 0 || !S_ISCHR(node.st_mode))
        return std::nullopt;
    if (auto holder = flockHolder(node, procFolder))
        return holder;
    // A program that does not lock the device: any other process with it open.
    const std::string self = std::to_string(::getpid());
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator(procFolder, error)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self)
            continue;
        std::error_code listError;
        for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", listError)) {
            struct stat opened {};
            if (::stat(fd.path().c_str(), &opened) == 0 && S_ISCHR(opened.st_mode) &&
                opened.st_rdev == node.st_rdev)
                return processName(process.path(), pid);
        }
    }
    return std::nullopt;
}

} // namespace rps
