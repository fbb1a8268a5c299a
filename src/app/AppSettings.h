#pragma once
// The application's persistent settings (section "Backup"): read once at start-up, written
// once at exit; the window placement is written when the main window closes.
#include "app/SecurityRules.h"
#include "app/SettingsStore.h"
#include "document/Backups.h"
#include "document/DataFolder.h"
#include "model/InstallationId.h"
#include "model/ModelBlock.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace rps {

inline constexpr const char* kSettingLastModel = "LastModel";
inline constexpr const char* kSettingComPort = "ComPort";
inline constexpr const char* kSettingComDevice = "ComDevice"; // device path of the chosen port
inline constexpr const char* kSettingLastFilePath = "LastFilePath";
inline constexpr const char* kSettingLanguage = "Language";
inline constexpr const char* kSettingLastWinPos = "LastWinPos";
inline constexpr const char* kSettingDataFile = "DataFile";
inline constexpr const char* kSettingProtect = "Protect";
inline constexpr const char* kSettingInstallId = "InstallId";
inline constexpr const char* kSettingVerifyWrite = "VerifyWrite";         // 1 = read back after a write
inline constexpr const char* kSettingBackupKeepDays = "BackupKeepDays";   // every backup younger is kept
inline constexpr const char* kSettingBackupKeepCount = "BackupKeepCount"; // the newest kept per unit
inline constexpr const char* kSettingWritePreview =
    "WritePreview"; // 1: the write dialog lists what will change

inline constexpr int kDefaultComPort = 1;
inline constexpr int kHighestComPort = 20;

struct AppSettings {
    std::string lastModel; // as stored; see startupModelFromSetting
    int comPort = kDefaultComPort;
    std::string comDevice;  // empty = none chosen yet
    std::string dataFolder; // "LastFilePath" when that folder exists, else the default data folder
    int languageKey = 1;
    std::string lastWinPos; // as stored; see parseWindowPlacement
    SecuritySettings security;
    bool verifyWrite = true; // the write dialog's read-back box
    backup::Policy backupPolicy;
    bool writePreview = false; // "Show what will change" in the write dialog
};

// A stored port number of 0, a negative one or one above 20 reads as 1.
int comPortFromSetting(std::optional<int> stored);

// installation: the system-wide settings whose "Protect" is used while the user has none
// (may be null).
AppSettings loadAppSettings(const SettingsStore& user, const SettingsStore* installation,
                            const InstallationId& installationId, const DataFolderPlaces& places);

// SaveSettings at exit: the model block, port, data folder, language (0 when the name is not
// one of ours), the data-file flag and the encoded security password.
void saveAppSettings(SettingsStore& user, const AppSettings& settings, const ModelBlock& model,
                     std::string_view languageName, const InstallationId& installationId);

void saveWindowPlacement(SettingsStore& user, const std::string& placement);

using RandomFill = std::function<void(std::span<uint8_t>)>;
void fillFromSystemRandom(std::span<uint8_t> bytes);

// The identifier kept in the settings; made from random bytes and stored at once the first
// time (or when the stored one is unreadable), so it never changes afterwards.
InstallationId loadInstallationId(SettingsStore& user, const RandomFill& fill = fillFromSystemRandom);

} // namespace rps
