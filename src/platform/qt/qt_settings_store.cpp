#include "platform/qt/qt_settings_store.h"

#include "platform/qt/qt_text.h"

QtSettingsStore::QtSettingsStore() : settings_(std::make_unique<QSettings>("Tenzora", "tenzora")) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

namespace {
QString key(const std::wstring& section, const std::wstring& name) { return toQt(section) + "/" + toQt(name); }
}  // namespace

std::optional<std::wstring> QtSettingsStore::read(const std::wstring& section, const std::wstring& name) {
    const QVariant value = settings_->value(key(section, name));
    if (!value.isValid()) return std::nullopt;
    return fromQt(value.toString());
}

void QtSettingsStore::write(const std::wstring& section, const std::wstring& name, const std::wstring& value) {
    settings_->setValue(key(section, name), toQt(value));
}

void QtSettingsStore::remove(const std::wstring& section, const std::wstring& name) {
    settings_->remove(key(section, name));
}

bool QtSettingsStore::flush() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}
