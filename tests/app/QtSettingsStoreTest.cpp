#include "app/QtSettingsStore.h"
#include "app/AppSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace rps {
namespace {

TEST(QtSettingsStore, KeepsValuesUnderBackupOfTheProductKey)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    {
        QtSettingsStore store;
        EXPECT_FALSE(store.readString(kSettingLastModel));
        EXPECT_FALSE(store.readInt(kSettingComPort));
        store.writeInt(kSettingComPort, 25);
        store.writeString(kSettingLastFilePath, "/home/dealer/data");
        store.writeString(kSettingLanguage, "French");
        EXPECT_TRUE(store.sync());
    }
    QSettings raw(QSettings::UserScope, "ZENTREL", "RPS360T");
    EXPECT_EQ(raw.value("Backup/ComPort").toInt(), 25);
    EXPECT_EQ(raw.value("Backup/LastFilePath").toString(), "/home/dealer/data");

    const QtSettingsStore reopened;
    EXPECT_EQ(reopened.readInt(kSettingComPort), 25);
    EXPECT_EQ(comPortFromSetting(reopened.readInt(kSettingComPort)), 1);
    EXPECT_EQ(reopened.readString(kSettingLastFilePath), "/home/dealer/data");
    EXPECT_FALSE(reopened.readInt(kSettingLanguage)); // text where a number belongs
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0)
        return 07777;
    return st.st_mode & 07777;
}

class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : previous_(::umask(mask)) {}
    ~UmaskScope() { ::umask(previous_); }

private:
    mode_t previous_;
};

// The user's settings hold the scrambled start-up password: only their owner reads them. The
// installation's settings are there for every user.
TEST(QtSettingsStore, TheUsersSettingsAreReadableByTheirOwnerOnly)
{
    const UmaskScope scope(022);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path() + "/user");
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, folder.path() + "/system");
    const QString userFile = QSettings(QSettings::UserScope, "ZENTREL", "RPS360T").fileName();
    const QString systemFile = QSettings(QSettings::SystemScope, "ZENTREL", "RPS360T").fileName();

    {
        QtSettingsStore store;
        store.writeString(kSettingProtect, "scrambled");
        EXPECT_TRUE(store.sync());
        EXPECT_EQ(modeOf(userFile), 0600u) << "a new settings file";
    }
    EXPECT_EQ(modeOf(userFile), 0600u) << "after the store wrote on its way out";

    // A file left readable by others is tightened as soon as the store opens it.
    ASSERT_EQ(::chmod(userFile.toLocal8Bit().constData(), 0644), 0);
    {
        const QtSettingsStore store;
        EXPECT_EQ(modeOf(userFile), 0600u) << "an existing settings file";
    }

    {
        QtSettingsStore installation(QSettings::SystemScope);
        installation.writeString(kSettingProtect, "initial");
        EXPECT_TRUE(installation.sync());
    }
    EXPECT_EQ(modeOf(systemFile), 0644u);
}

} // namespace
} // namespace rps
