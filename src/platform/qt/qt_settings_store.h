#pragma once
// Settings through QSettings: the registry on Windows, an INI file in the user's configuration
// folder on Linux (organisation "Tenzora", application "tenzora"), or a given INI file.

#include <QSettings>
#include <memory>

#include "platform/settings_store.h"

namespace tenzora {

class QtSettingsStore : public SettingsStore {
  public:
    // The per-user store of the program.
    QtSettingsStore();
    // An INI file (the headless program's --settings).
    explicit QtSettingsStore(const QString& iniFile);

    std::optional<std::wstring> read(const std::wstring& section, const std::wstring& name) override;
    void write(const std::wstring& section, const std::wstring& name, const std::wstring& value) override;
    void remove(const std::wstring& section, const std::wstring& name) override;
    // Writes pending changes to the store; false when it could not be written.
    bool flush();

  private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace tenzora
