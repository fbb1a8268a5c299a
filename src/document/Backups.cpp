#include "document/Backups.h"

#include "model/ModelBlock.h"
#include "model/ModelTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

namespace rps::backup {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSerialFirst = 16;
constexpr std::size_t kSerialLength = 12;
constexpr int64_t kDaySeconds = 24 * 60 * 60;
constexpr mode_t kFolderMode = 0700;
constexpr mode_t kFileMode = 0600;

bool fileNameCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.';
}

// Makes the folder (0700) when it is missing, and keeps an existing one to its owner.
int makePrivateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), kFolderMode) == 0)
        return 0;
    if (errno != EEXIST)
        return errno;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno;
    if (!S_ISDIR(status.st_mode))
        return ENOTDIR;
    return 0;
}

int makeFolders(const std::string& root, const std::string& unit)
{
    // The folders above root (the data home) are the user's own; rps360t and below are ours.
    const fs::path backups(root);
    std::error_code error;
    fs::create_directories(backups.parent_path().parent_path(), error);
    for (const fs::path& folder : {backups.parent_path(), backups, backups / unit})
        if (const int failure = makePrivateFolder(folder.string()); failure != 0)
            return failure;
    for (const fs::path& folder : {backups, backups / unit})
        ::chmod(folder.c_str(), kFolderMode);
    return 0;
}

// A new, empty file only its owner may read: the save that follows keeps its mode.
std::string claimFile(const fs::path& folder, int64_t localSeconds, int& error)
{
    const std::string base = fileName(localSeconds);
    for (int n = 1; n < 100; ++n) {
        std::string name = base;
        if (n > 1) {
            std::string suffix = "-";
            suffix += std::to_string(n);
            name.insert(name.size() - 4, suffix);
        }
        const fs::path path = folder / name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
        if (fd >= 0) {
            ::close(fd);
            return path.string();
        }
        if (errno != EEXIST) {
            error = errno;
            return {};
        }
    }
    error = EEXIST;
    return {};
}

} // namespace

std::string backupsRoot(const std::optional<std::string>& xdgDataHome, const std::string& home)
{
    const fs::path data =
        xdgDataHome && !xdgDataHome->empty() ? fs::path(*xdgDataHome) : fs::path(home) / ".local" / "share";
    return (data / "rps360t" / "backups").string();
}

std::string backupsRoot()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    return backupsRoot(data ? std::optional<std::string>(data) : std::nullopt, home ? home : ".");
}

std::string serialText(std::span<const uint8_t> unitRecord)
{
    if (unitRecord.size() < kSerialFirst + kSerialLength)
        return {};
    std::string text;
    for (std::size_t i = kSerialFirst; i < kSerialFirst + kSerialLength; ++i) {
        const auto c = static_cast<char>(unitRecord[i]);
        text += unitRecord[i] == 0xFF || c == ' ' ? ' ' : (fileNameCharacter(c) ? c : '_');
    }
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::replace(text.begin(), text.end(), ' ', '_');
    return text;
}

std::string unitName(std::span<const uint8_t> modelBlock, std::span<const uint8_t> unitRecord)
{
    const int row = findModelRow(ModelBlock(modelBlock.first(kModelBlockSize)));
    std::string model = row >= 0 ? kModelRows[static_cast<std::size_t>(row)].name : "repeater";
    const std::string serial = serialText(unitRecord);
    return model + "-" + (serial.empty() ? "unknown" : serial);
}

int64_t localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return static_cast<int64_t>(::timegm(&local));
}

std::string fileName(int64_t localSeconds)
{
    const auto seconds = static_cast<std::time_t>(localSeconds);
    std::tm time{};
    ::gmtime_r(&seconds, &time);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S.dat", &time);
    return text;
}

std::optional<int64_t> fileTime(const std::string& fileName)
{
    // "YYYYMMDD-HHMMSS.dat", or "YYYYMMDD-HHMMSS-N.dat" for a second backup within a second.
    constexpr std::size_t kStamp = 15;
    if (fileName.size() < kStamp + 4 || !fileName.ends_with(".dat") || fileName[8] != '-')
        return std::nullopt;
    const std::string tail = fileName.substr(kStamp, fileName.size() - kStamp - 4);
    if (!tail.empty() &&
        (tail.size() < 2 || tail[0] != '-' ||
         !std::all_of(tail.begin() + 1, tail.end(), [](char c) { return c >= '0' && c <= '9'; })))
        return std::nullopt;
    int digits[14];
    int n = 0;
    for (std::size_t i = 0; i < kStamp; ++i) {
        if (i == 8)
            continue;
        if (fileName[i] < '0' || fileName[i] > '9')
            return std::nullopt;
        digits[n++] = fileName[i] - '0';
    }
    const auto number = [&](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i)
            value = value * 10 + digits[i];
        return value;
    };
    std::tm time{};
    time.tm_year = number(0, 4) - 1900;
    time.tm_mon = number(4, 2) - 1;
    time.tm_mday = number(6, 2);
    time.tm_hour = number(8, 2);
    time.tm_min = number(10, 2);
    time.tm_sec = number(12, 2);
    return static_cast<int64_t>(::timegm(&time));
}

std::string timeText(int64_t localSeconds)
{
    const auto seconds = static_cast<std::time_t>(localSeconds);
    std::tm time{};
    ::gmtime_r(&seconds, &time);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &time);
    return text;
}

Saved saveBackup(const std::string& root, const std::string& unit, const ImageAreas& image,
                 const SaveOptions& options, int64_t localSeconds, const Policy& policy)
{
    Saved saved;
    if ((saved.systemError = makeFolders(root, unit)) != 0)
        return saved;
    const fs::path folder = fs::path(root) / unit;
    const std::string path = claimFile(folder, localSeconds, saved.systemError);
    if (path.empty())
        return saved;
    // Saving stamps the image it saves: the backup is made from a copy.
    auto copy = std::make_unique<ConfigImage>();
    copy->working() = image;
    const SaveResult result = saveImage(path, *copy, options);
    if (result.code != kSaveOk) {
        ::unlink(path.c_str());
        saved.systemError = result.systemError != 0 ? result.systemError : EIO;
        return saved;
    }
    saved.path = path;
    pruneUnit(folder.string(), localSeconds, policy);
    return saved;
}

void pruneUnit(const std::string& unitFolder, int64_t localSeconds, const Policy& policy)
{
    std::vector<std::pair<std::string, int64_t>> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(unitFolder, error)) {
        const std::string name = entry.path().filename().string();
        if (const std::optional<int64_t> time = fileTime(name); time && entry.is_regular_file(error))
            files.emplace_back(name, *time);
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first > b.first;
    });
    const int64_t oldestKept = localSeconds - static_cast<int64_t>(policy.keepDays) * kDaySeconds;
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (files[i].second >= oldestKept || static_cast<int>(i) < policy.keepCount)
            continue;
        fs::remove(fs::path(unitFolder) / files[i].first, error);
    }
}

std::vector<Entry> listBackups(const std::string& root)
{
    std::vector<Entry> entries;
    std::error_code error;
    for (const fs::directory_entry& unit : fs::directory_iterator(root, error)) {
        if (!unit.is_directory(error))
            continue;
        std::error_code inner;
        for (const fs::directory_entry& file : fs::directory_iterator(unit.path(), inner)) {
            const std::optional<int64_t> time = fileTime(file.path().filename().string());
            if (time && file.is_regular_file(inner))
                entries.push_back(Entry{unit.path().filename().string(), file.path().string(), *time});
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    return entries;
}

} // namespace rps::backup
