#include "app/AppSettings.h"

#include "app/HexText.h"
#include "app/LanguageChoice.h"
#include "app/LastModelSetting.h"
#include "app/ProtectCodec.h"

#include <algorithm>
#include <random>

namespace rps {

int comPortFromSetting(std::optional<int> stored)
{
    if (!stored || *stored <= 0 || *stored > kHighestComPort) {
        return kDefaultComPort;
    }
    return *stored;
}

AppSettings loadAppSettings(const SettingsStore& user, const SettingsStore* installation,
                            const InstallationId& installationId, const DataFolderPlaces& places)
{
    AppSettings settings;
    settings.lastModel = user.readString(kSettingLastModel).value_or("");
    settings.comPort = comPortFromSetting(user.readInt(kSettingComPort));
    settings.comDevice = user.readString(kSettingComDevice).value_or("");
    settings.dataFolder = chooseDataFolder(user.readString(kSettingLastFilePath).value_or(""), places);
    settings.languageKey = user.readInt(kSettingLanguage).value_or(1);
    settings.lastWinPos = user.readString(kSettingLastWinPos).value_or("");

    std::string protect = user.readString(kSettingProtect).value_or("");
    if (protect.empty() && installation != nullptr) {
        protect = installation->readString(kSettingProtect).value_or("");
    }
    const StoredPassword stored = decodeProtect(protect, installationId);
    settings.security.password = stored.password;
    settings.security.programExecution = stored.programExecution;
    settings.security.dataFile = user.readInt(kSettingDataFile).value_or(0) != 0;
    settings.verifyWrite = user.readInt(kSettingVerifyWrite).value_or(1) != 0;
    // A negative number keeps nothing extra; the newest backup of a unit stays all the same.
    settings.backupPolicy.keepDays =
        std::max(0, user.readInt(kSettingBackupKeepDays).value_or(backup::kDefaultKeepDays));
    settings.backupPolicy.keepCount =
        std::max(0, user.readInt(kSettingBackupKeepCount).value_or(backup::kDefaultKeepCount));
    settings.writePreview = user.readInt(kSettingWritePreview).value_or(0) != 0;
    return settings;
}

void saveAppSettings(SettingsStore& user, const AppSettings& settings, const ModelBlock& model,
                     std::string_view languageName, const InstallationId& installationId)
{
    user.writeString(kSettingLastModel, formatLastModel(model));
    user.writeInt(kSettingComPort, settings.comPort);
    user.writeString(kSettingComDevice, settings.comDevice);
    user.writeString(kSettingLastFilePath, settings.dataFolder);
    user.writeInt(kSettingLanguage, languageKeyForName(languageName));
    user.writeInt(kSettingDataFile, settings.security.dataFile ? 1 : 0);
    user.writeInt(kSettingVerifyWrite, settings.verifyWrite ? 1 : 0);
    user.writeInt(kSettingBackupKeepDays, settings.backupPolicy.keepDays);
    user.writeInt(kSettingBackupKeepCount, settings.backupPolicy.keepCount);
    user.writeInt(kSettingWritePreview, settings.writePreview ? 1 : 0);
    const StoredPassword stored{settings.security.password, settings.security.programExecution};
    user.writeString(kSettingProtect, encodeProtect(stored, installationId));
}

void saveWindowPlacement(SettingsStore& user, const std::string& placement)
{
    user.writeString(kSettingLastWinPos, placement);
}

void fillFromSystemRandom(std::span<uint8_t> bytes)
{
    std::random_device device;
    std::uniform_int_distribution<int> byte(0, 255);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<uint8_t>(byte(device)); });
}

InstallationId loadInstallationId(SettingsStore& user, const RandomFill& fill)
{
    InstallationId id{};
    if (const auto stored = parseHexBytes(user.readString(kSettingInstallId).value_or(""), id.size())) {
        std::copy(stored->begin(), stored->end(), id.begin());
        return id;
    }
    fill(id);
    user.writeString(kSettingInstallId, formatHexBytes(id));
    return id;
}

} // namespace rps
