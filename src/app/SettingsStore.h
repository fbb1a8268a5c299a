#pragma once
// Where the application keeps its settings: named string and integer values of one section.
// The application uses the Qt settings adapter; tests and the command-line tool use the
// in-memory store.
#include <map>
#include <optional>
#include <string>

namespace rps {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Nothing when the value is absent (or, for an integer, not a number).
    virtual std::optional<std::string> readString(const std::string& name) const = 0;
    virtual std::optional<int> readInt(const std::string& name) const = 0;
    virtual void writeString(const std::string& name, const std::string& value) = 0;
    virtual void writeInt(const std::string& name, int value) = 0;
};

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> readString(const std::string& name) const override;
    std::optional<int> readInt(const std::string& name) const override;
    void writeString(const std::string& name, const std::string& value) override;
    void writeInt(const std::string& name, int value) override;

    bool contains(const std::string& name) const { return values_.count(name) != 0; }
    void remove(const std::string& name) { values_.erase(name); }

private:
    std::map<std::string, std::string> values_;
};

} // namespace rps
