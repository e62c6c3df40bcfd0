#pragma once
// Which folders make the program directory of this run, and the first start of a new user.

#include <filesystem>
#include <optional>
#include <string>

#include "storage/program_directory.h"

namespace tenzora {

class SettingsStore;
struct AppSettings;

// The setting (section "Params") that points every seat of a firm at one shared folder for the
// files the program writes (materials.mat, price.dat, forms, templates), e.g. on a network share.
inline constexpr wchar_t kSharedProgramFolderSetting[] = L"program_folder";

// The parts of the process environment the choice depends on (none: the variable is not set).
struct ProgramEnvironment {
    std::optional<std::string> tenzoraHome; // $TENZORA_HOME
    std::optional<std::string> home;        // $HOME
    std::optional<std::string> xdgDataHome; // $XDG_DATA_HOME

    static ProgramEnvironment fromProcess();
};

struct ProgramDirectoryChoice {
    ProgramDirectory dir;
    // `dir.own` is the user's folder, to be created when missing (a shared folder never is:
    // a missing one is an unmounted share, and files written there would go astray).
    bool createOwn = false;
    // Why the wanted folder is not used (empty: it is); to be told to the user.
    std::wstring problem;
};

// The installed files of a program whose executable lies in PREFIX/bin: PREFIX/share/tenzora.
// Found relative to the executable so that a package unpacked anywhere (dpkg -x) still finds
// its own files. None when that folder does not exist (a build folder).
std::optional<std::filesystem::path> installedDataFolder(const std::filesystem::path& executable);

// The program directory, in this order: --home DIR, $TENZORA_HOME (one folder for everything,
// as they always were); then an installed program: the installed files for reading, and for
// writing the shared folder of the settings or else the user's $XDG_DATA_HOME/tenzora
// (~/.local/share/tenzora); otherwise the executable's folder (a build).
ProgramDirectoryChoice resolveProgramDirectory(const std::optional<std::filesystem::path>& home,
                                               const std::filesystem::path& executable,
                                               const ProgramEnvironment& env, SettingsStore& store);

// The examples' subfolder of the first drawing folder. The stock and client scans read only
// the files directly inside a drawing folder, so the examples there never count as orders.
inline constexpr wchar_t kExamplesSubfolder[] = L"Примеры";

// The first start of a user: when no drawing folder is set, makes `documents`/Tenzora, stores it
// as drawing folder 1 (in the settings and the store, so that the settings dialog shows it) and
// copies the installed examples (shipped/examples/*.tz) into its subfolder "Примеры" unless
// that subfolder exists already. False when nothing was set up (a folder is set, or the folder
// could not be made).
bool setUpFirstDrawingFolder(AppSettings& settings, SettingsStore& store,
                             const std::filesystem::path& documents, const ProgramDirectory& dir);

} // namespace tenzora
