#include "platform/qt/qt_settings_store.h"

#include "platform/qt/qt_text.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

// QSettings writes its file to a temporary one, flushes it and renames it over the old one; the
// atomic write is insisted on here (no falling back to writing in place), and flush() also flushes
// the folder so that the rename itself survives a power cut.
QtSettingsStore::QtSettingsStore() : settings_(std::make_unique<QSettings>("Tenzora", "tenzora")) {
    settings_->setAtomicSyncRequired(true);
}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {
    settings_->setAtomicSyncRequired(true);
}

namespace {
QString key(const std::wstring& section, const std::wstring& name) {
    return toQt(section) + "/" + toQt(name);
}
} // namespace

std::optional<std::wstring> QtSettingsStore::read(const std::wstring& section, const std::wstring& name) {
    const QVariant value = settings_->value(key(section, name));
    if (!value.isValid()) return std::nullopt;
    return fromQt(value.toString());
}

void QtSettingsStore::write(const std::wstring& section, const std::wstring& name,
                            const std::wstring& value) {
    settings_->setValue(key(section, name), toQt(value));
}

void QtSettingsStore::remove(const std::wstring& section, const std::wstring& name) {
    settings_->remove(key(section, name));
}

bool QtSettingsStore::flush() {
    settings_->sync();
    if (settings_->status() != QSettings::NoError) return false;
    const std::filesystem::path file = codepage::toPath(fromQt(settings_->fileName()));
    syncFolder(file.parent_path());
    return true;
}

} // namespace tenzora
