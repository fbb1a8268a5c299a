#include "app/QtSettingsStore.h"
#include "app/AppSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
} // namespace rps
