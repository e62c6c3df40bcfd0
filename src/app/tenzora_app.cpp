#include "app/tenzora_app.h"

#include <cstdlib>

#include "platform/image_codec.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {
// The materials base of the program directory, read before the document is made (a missing base
// is simply empty). An installed program has copied the installed base into its own folder
// before, so the base is read from and saved to the user's file.
TZProgramResources& withMaterialBase(TZProgramResources& resources, const ProgramDirectory& dir) {
    resources.materialBase.load(dir.own);
    return resources;
}
} // namespace

CTenzoraApp::CTenzoraApp(AppServices services, ProgramDirectory programDir)
    : services_(services), programDir_(std::move(programDir)),
      document_(
          std::make_unique<TZCeiling>(services.ui, programDir_, withMaterialBase(resources_, programDir_))) {
    document_->setSettings(&settings_);
}

namespace {
ProgramDirectory preparedProgramDirectory(UiServices& ui, const ProgramDirectoryChoice& choice) {
    if (!choice.problem.empty()) ui.error(choice.problem);
    if (!choice.dir.isSplit()) return choice.dir;
    std::wstring problem;
    if (seedProgramDirectory(choice.dir, choice.createOwn, problem)) return choice.dir;
    ui.error(problem +
             L". Материалы и цены взяты из файлов, установленных с программой, и не будут сохранены.");
    return ProgramDirectory(choice.dir.shipped);
}
} // namespace

CTenzoraApp::CTenzoraApp(AppServices services, const ProgramDirectoryChoice& choice)
    : CTenzoraApp(services, preparedProgramDirectory(services.ui, choice)) {}

void CTenzoraApp::readSettings() {
    tenzora::readSettings(settings_, services_.settings);
}

bool CTenzoraApp::loadLogos(std::wstring& missing) {
    const std::pair<const wchar_t*, Bitmap*> pictures[] = {{kLogoFile, &resources_.logo},
                                                           {kPrintLogoFile, &resources_.printLogo}};
    for (auto [name, target] : pictures) {
        const std::wstring path = codepage::fromPath(programFile(name, ProgramFileUse::Read));
        auto picture = services_.images.decodeFile(path);
        if (!picture || picture->empty()) {
            missing = path;
            return false;
        }
        *target = std::move(*picture);
    }
    return true;
}

bool CTenzoraApp::openCommandLine(const std::wstring& commandLine) {
    const std::wstring path = projectPathFromCommandLine(commandLine);
    if (path.empty()) return true;
    // The open operation repaints, refreshes the panel and rebuilds the title on success.
    return document_->openFile(path);
}

std::filesystem::path resolveProgramDir(const std::optional<std::filesystem::path>& home,
                                        const std::filesystem::path& executable) {
    if (home && !home->empty()) return *home;
    if (const char* env = std::getenv("TENZORA_HOME"); env != nullptr && *env != '\0')
        return std::filesystem::path(env);
    return executable.parent_path();
}

} // namespace tenzora
