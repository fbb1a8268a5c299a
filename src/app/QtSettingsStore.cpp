#include "app/QtSettingsStore.h"

namespace rps {

QtSettingsStore::QtSettingsStore(QSettings::Scope scope) : settings_(scope, "ZENTREL", "RPS360T") {}

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
    settings_.setValue(key(name), QString::fromStdString(value));
}

void QtSettingsStore::writeInt(const std::string& name, int value)
{
    settings_.setValue(key(name), value);
}

bool QtSettingsStore::sync()
{
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

} // namespace rps
