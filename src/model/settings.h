#pragma once
// The program-wide settings and their rules of reading and writing.

#include <array>
#include <string>

namespace tenzora {

class SettingsStore;

// Section of the per-user settings that holds every value of the program.
inline constexpr wchar_t kSettingsSection[] = L"Params";

struct AppSettings {
    static constexpr int kFolderCount = 10;
    // Drawing folders: filled entries are distinct and come first.
    std::array<std::wstring, kFolderCount> drawingFolders;
    std::wstring templatesFolder;
    bool flipCutting = true; // "Переворачивать при раскрое"
    bool materialWithTension = true; // "В отчете материал с учетом коэффициента натяжения"
    bool dealerMode = false; // not stored
    std::wstring printTitle; // the firm's name, at most 200 characters; "print_title"

    // Number of filled drawing folders.
    int folderCount() const;
};

// The templates folder used when none is set: "templates" below the program directory, written
// with this platform's separators (so that it reads as a relative folder here).
std::wstring defaultTemplatesFolder();

// Reads "flip_raskroy", "velmar" ("YES"/"NO"; anything else leaves the flag as it is),
// "folder_word" (empty: the default), "path1" … "path10" (empty and repeated values skipped) and
// "print_title" (the firm's name, cut to its limit).
void readSettings(AppSettings& settings, SettingsStore& store);

// The settings dialog's fields.
struct SettingsDialogFields {
    static constexpr int kFolderEdits = 8;
    bool flipCutting = true;
    bool materialWithTension = true;
    std::wstring templatesFolder;
    std::array<std::wstring, kFolderEdits> drawingFolders;
    // The firm's name: the title of the printed sheet and the firm the About window names.
    std::wstring printTitle;
};

// What the dialog shows when it opens: the flags, the templates folder, the first eight filled folders.
SettingsDialogFields settingsDialogFields(const AppSettings& settings);

// The dialog's OK: sets and writes the flags and the templates folder; stores the filled, distinct
// folders in order as path1 … pathN and deletes pathN+1 … path9 (path10 is left alone); sets and
// writes the firm's name (cut to its limit) as "print_title", deleting the value when it is empty.
void acceptSettingsDialog(AppSettings& settings, SettingsStore& store, const SettingsDialogFields& fields);

// The project path of a command line: blanks trimmed at both ends, every double quote removed.
std::wstring projectPathFromCommandLine(const std::wstring& commandLine);

// The value of the settings store that keeps printTitle.
inline constexpr wchar_t kPrintTitleValue[] = L"print_title";

// Applies printTitle's limit of 200 characters.
std::wstring limitPrintTitle(const std::wstring& title);

} // namespace tenzora
