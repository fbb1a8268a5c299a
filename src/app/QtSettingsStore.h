#pragma once
// The settings store on QSettings: organisation "ZENTREL", application "RPS360T", section
// "Backup". The user scope holds the settings; the system scope holds what an installation
// provides for every user (the initial security password).
#include "app/SettingsStore.h"

#include <QSettings>

namespace rps {

class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QSettings::Scope scope = QSettings::UserScope);

    std::optional<std::string> readString(const std::string& name) const override;
    std::optional<int> readInt(const std::string& name) const override;
    void writeString(const std::string& name, const std::string& value) override;
    void writeInt(const std::string& name, int value) override;

    // Writes pending changes to their storage; false when the settings could not be written.
    bool sync();

private:
    static QString key(const std::string& name);
    mutable QSettings settings_;
};

} // namespace rps
