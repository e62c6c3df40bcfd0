#pragma once
// Per-user settings: string values by section and name (the registry's role on Windows).

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace tenzora {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The value, or none when it is absent.
    virtual std::optional<std::wstring> read(const std::wstring& section, const std::wstring& name) = 0;
    virtual void write(const std::wstring& section, const std::wstring& name, const std::wstring& value) = 0;
    virtual void remove(const std::wstring& section, const std::wstring& name) = 0;
};

// Settings held in memory: the default of the headless program without --settings, and tests.
class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::wstring> read(const std::wstring& section, const std::wstring& name) override {
        auto it = values.find({section, name});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void write(const std::wstring& section, const std::wstring& name, const std::wstring& value) override {
        values[{section, name}] = value;
    }
    void remove(const std::wstring& section, const std::wstring& name) override {
        values.erase({section, name});
    }

    std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
};

} // namespace tenzora
