#pragma once
// The backups folder: every image read from a repeater, and every image before it is written,
// saved as a data file under <root>/<model>-<serial>/<date-time>.dat. Folders are made 0700 and
// files 0600 (they hold the data passwords). Pruning keeps everything of the last days, beyond
// that the newest few per unit, and never a unit's newest backup.
//
// Times are "local seconds": the local wall-clock time counted as if it were UTC, so that file
// names read as the user's clock and compare without time zones.
#include "model/ConfigImage.h"
#include "model/DataFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace rps::backup {

inline constexpr int kDefaultKeepDays = 30;
inline constexpr int kDefaultKeepCount = 20;

struct Policy {
    int keepDays = kDefaultKeepDays;
    int keepCount = kDefaultKeepCount;
};

// $XDG_DATA_HOME/rps360t/backups, or ~/.local/share/rps360t/backups when it is unset or empty.
std::string backupsRoot(const std::optional<std::string>& xdgDataHome, const std::string& home);
// The root for this process's environment.
std::string backupsRoot();

// Bytes 16..27 of a unit record with 0xFF read as blanks, outer blanks trimmed and every
// character a file name cannot hold made '_'; empty when the record carries no serial.
std::string serialText(std::span<const uint8_t> unitRecord);
// "<model>-<serial>", "<model>-unknown" without a serial (an empty record).
std::string unitName(std::span<const uint8_t> modelBlock, std::span<const uint8_t> unitRecord);

int64_t localNow();
std::string fileName(int64_t localSeconds);                   // "20261207-091725.dat"
std::optional<int64_t> fileTime(const std::string& fileName); // nothing for other names
std::string timeText(int64_t localSeconds);                   // "2026-12-07 09:17:25"

struct Saved {
    std::string path;    // empty on failure
    int systemError = 0; // errno of the failure
};

// Saves the image (it is not changed itself) under root/unit, then prunes that unit's folder.
Saved saveBackup(const std::string& root, const std::string& unit, const ImageAreas& image,
                 const SaveOptions& options, int64_t localSeconds, const Policy& policy);

// Removes what the policy does not keep from one unit's folder; other files stay.
void pruneUnit(const std::string& unitFolder, int64_t localSeconds, const Policy& policy);

struct Entry {
    std::string unit;
    std::string path;
    int64_t time = 0;
};

// Every backup under root, newest first.
std::vector<Entry> listBackups(const std::string& root);

} // namespace rps::backup
