#pragma once
// The settings store on QSettings: organisation "ZENTREL", application "RPS360T", section
// "Backup". The user scope holds the settings; the system scope holds what an installation
// provides for every user (the initial security password). The user's file carries the
// scrambled start-up password, so it is made readable by its owner only (0600), and an existing
// one is tightened when the store opens it; the system-wide file stays as the installation made it.
#include "app/SettingsStore.h"

#include <QSettings>

namespace rps {

class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QSettings::Scope scope = QSettings::UserScope);
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    std::optional<std::string> readString(const std::string& name) const override;
    std::optional<int> readInt(const std::string& name) const override;
    void writeString(const std::string& name, const std::string& value) override;
    void writeInt(const std::string& name, int value) override;

    // Writes pending changes to their storage; false when the settings could not be written.
    bool sync();

private:
    static QString key(const std::string& name);
    // Takes the group's and others' access off the user's file; with create, makes it (empty,
    // 0600) first, so the values are never written into a file that others can read.
    void restrictToOwner(bool create);

    mutable QSettings settings_;
    bool ownerOnly_;
};

} // namespace rps
