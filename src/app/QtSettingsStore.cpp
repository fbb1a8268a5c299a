#include "app/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rps {

QtSettingsStore::QtSettingsStore(QSettings::Scope scope)
    : settings_(scope, "ZENTREL", "RPS360T"), ownerOnly_(scope == QSettings::UserScope)
{
    restrictToOwner(false);
}

QtSettingsStore::~QtSettingsStore()
{
    // QSettings would write pending values on its way out; written here, the file is checked after.
    sync();
}

void QtSettingsStore::restrictToOwner(bool create)
{
    if (!ownerOnly_)
        return;
    const QByteArray path = QFile::encodeName(settings_.fileName());
    struct stat st {};
    if (::stat(path.constData(), &st) == 0) {
        if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
            ::chmod(path.constData(), st.st_mode & (S_IRWXU | S_ISUID | S_ISGID | S_ISVTX));
        return;
    }
    if (!create)
        return;
    QDir().mkpath(QFileInfo(settings_.fileName()).absolutePath());
    // QSettings replaces the file through a temporary that takes over the permissions of the file
    // it replaces, so an empty file made 0600 here keeps the values private from their first write.
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}

QString QtSettingsStore::key(const std::string& name)
{
    return QStringLiteral("Backup/") + QString::fromStdString(name);
}

std::optional<std::string> QtSettingsStore::readString(const std::string& name) const
{
    const QVariant value = settings_.value(key(name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

std::optional<int> QtSettingsStore::readInt(const std::string& name) const
{
    const QVariant value = settings_.value(key(name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return number;
}

void QtSettingsStore::writeString(const std::string& name, const std::string& value)
{
    restrictToOwner(true);
    settings_.setValue(key(name), QString::fromStdString(value));
}

void QtSettingsStore::writeInt(const std::string& name, int value)
{
    restrictToOwner(true);
    settings_.setValue(key(name), value);
}

bool QtSettingsStore::sync()
{
    settings_.sync();
    restrictToOwner(false);
    return settings_.status() == QSettings::NoError;
}

} // namespace rps
