#include "model/settings.h"

#include <algorithm>
#include <filesystem>

#include "model/formatting.h"
#include "platform/settings_store.h"

namespace tenzora {

namespace {
constexpr std::size_t kPrintTitleLimit = 200;

void readFlag(SettingsStore& store, const wchar_t* name, bool& flag) {
    const auto value = store.read(kSettingsSection, name);
    if (!value) return;
    if (*value == L"YES")
        flag = true;
    else if (*value == L"NO")
        flag = false;
}

std::wstring yesNo(bool flag) {
    return flag ? L"YES" : L"NO";
}
std::wstring pathName(int n) {
    return L"path" + std::to_wstring(n);
}
} // namespace

int AppSettings::folderCount() const {
    return static_cast<int>(std::count_if(drawingFolders.begin(), drawingFolders.end(),
                                          [](const std::wstring& f) { return !f.empty(); }));
}

std::wstring defaultTemplatesFolder() {
    const wchar_t sep = static_cast<wchar_t>(std::filesystem::path::preferred_separator);
#ifdef _WIN32
    return std::wstring(1, sep) + L"templates" + sep;
#else
    return std::wstring(L"templates") + sep;
#endif
}

void readSettings(AppSettings& settings, SettingsStore& store) {
    readFlag(store, L"flip_raskroy", settings.flipCutting);
    readFlag(store, L"velmar", settings.materialWithTension);
    settings.templatesFolder = store.read(kSettingsSection, L"folder_word").value_or(L"");
    if (settings.templatesFolder.empty()) settings.templatesFolder = defaultTemplatesFolder();
    int filled = settings.folderCount();
    for (int n = 1; n <= AppSettings::kFolderCount && filled < AppSettings::kFolderCount; ++n) {
        const std::wstring value = store.read(kSettingsSection, pathName(n)).value_or(L"");
        if (value.empty()) continue;
        const auto end = settings.drawingFolders.begin() + filled;
        if (std::find(settings.drawingFolders.begin(), end, value) != end) continue;
        settings.drawingFolders[static_cast<std::size_t>(filled++)] = value;
    }
    if (const auto title = store.read(kSettingsSection, kPrintTitleValue))
        settings.printTitle = limitPrintTitle(*title);
}

SettingsDialogFields settingsDialogFields(const AppSettings& settings) {
    SettingsDialogFields fields;
    fields.flipCutting = settings.flipCutting;
    fields.materialWithTension = settings.materialWithTension;
    fields.templatesFolder = settings.templatesFolder;
    int edit = 0;
    for (const std::wstring& folder : settings.drawingFolders) {
        if (folder.empty()) continue;
        if (edit == SettingsDialogFields::kFolderEdits) break;
        fields.drawingFolders[static_cast<std::size_t>(edit++)] = folder;
    }
    fields.printTitle = settings.printTitle;
    return fields;
}

void acceptSettingsDialog(AppSettings& settings, SettingsStore& store, const SettingsDialogFields& fields) {
    settings.flipCutting = fields.flipCutting;
    settings.materialWithTension = fields.materialWithTension;
    store.write(kSettingsSection, L"flip_raskroy", yesNo(fields.flipCutting));
    store.write(kSettingsSection, L"velmar", yesNo(fields.materialWithTension));
    store.write(kSettingsSection, L"folder_word", fields.templatesFolder);
    settings.templatesFolder = fields.templatesFolder;

    for (std::wstring& folder : settings.drawingFolders)
        folder.clear();
    int n = 1;
    for (const std::wstring& edit : fields.drawingFolders) {
        if (edit.empty()) continue;
        const auto end = settings.drawingFolders.begin() + (n - 1);
        if (std::find(settings.drawingFolders.begin(), end, edit) != end) continue;
        settings.drawingFolders[static_cast<std::size_t>(n - 1)] = edit;
        store.write(kSettingsSection, pathName(n), edit);
        ++n;
    }
    for (int k = n; k <= 9; ++k)
        store.remove(kSettingsSection, pathName(k));

    settings.printTitle = limitPrintTitle(fields.printTitle);
    if (settings.printTitle.empty())
        store.remove(kSettingsSection, kPrintTitleValue);
    else
        store.write(kSettingsSection, kPrintTitleValue, settings.printTitle);
}

std::wstring projectPathFromCommandLine(const std::wstring& commandLine) {
    std::wstring text = trimBlanks(commandLine);
    std::erase(text, L'"');
    return text;
}

std::wstring limitPrintTitle(const std::wstring& title) {
    return title.size() > kPrintTitleLimit ? title.substr(0, kPrintTitleLimit) : title;
}

} // namespace tenzora
