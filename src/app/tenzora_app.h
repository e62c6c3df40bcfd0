#pragma once
// CTenzoraApp: the application object. It owns the program-wide settings and the one project
// document for the whole run, and carries out the start-up steps that are not about windows.
// The window program and the headless program both build one.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/program_home.h"
#include "model/ceiling.h"
#include "model/settings.h"

namespace tenzora {

class Clock;
class ImageCodec;
class Launcher;
class SettingsStore;
class UiServices;

// The platform services the application works through.
struct AppServices {
    UiServices& ui;
    SettingsStore& settings;
    Launcher& launcher;
    Clock& clock;
    ImageCodec& images;
};

class CTenzoraApp {
  public:
    // Constructs the settings with their defaults, loads the materials base and makes the document.
    CTenzoraApp(AppServices services, ProgramDirectory programDir);
    // The program directory as chosen at start: tells the user why a wanted folder is not used,
    // and for an installed program creates the writable folder and seeds it with the installed
    // materials base and price file. When that fails, the installed files are read for this run.
    CTenzoraApp(AppServices services, const ProgramDirectoryChoice& choice);

    // Reads the settings from the per-user store.
    void readSettings();
    // Loads logo.bmp and printlogo.bmp from the program directory. When one
    // cannot be loaded, names that file in `missing` and returns false: the program cannot start.
    bool loadLogos(std::wstring& missing);
    // Opens the project named on the command line, if any. False when one was named and failed.
    bool openCommandLine(const std::wstring& commandLine);
    // The last start-up step: the empty view may now show the logo.
    void finishStartup() { document_->showLogo = true; }

    AppSettings& settings() { return settings_; }
    const AppSettings& settings() const { return settings_; }
    TZCeiling& document() { return *document_; }
    TZProgramResources& resources() { return resources_; }
    AppServices& services() { return services_; }
    // The folder the program writes its files to.
    const std::filesystem::path& programDir() const { return programDir_.own; }
    const ProgramDirectory& programDirectory() const { return programDir_; }
    // The one rule for the path of a program file (materials.mat, price.dat, a form, a logo):
    // written to the writable folder; read from it when it has the file, else from the installed files.
    std::filesystem::path programFile(std::wstring_view name, ProgramFileUse use) const {
        return programDir_.file(name, use);
    }

  private:
    AppServices services_;
    ProgramDirectory programDir_;
    AppSettings settings_;
    // The materials base, the logos, the print forms and the report templates of the run.
    TZProgramResources resources_;
    std::unique_ptr<TZCeiling> document_;
};

// The program directory: the --home option, else $TENZORA_HOME, else the executable's folder.
std::filesystem::path resolveProgramDir(const std::optional<std::filesystem::path>& home,
                                        const std::filesystem::path& executable);

inline constexpr wchar_t kLogoFile[] = L"logo.bmp";
inline constexpr wchar_t kPrintLogoFile[] = L"printlogo.bmp";

} // namespace tenzora
