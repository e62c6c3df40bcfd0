// The window program started from an installed layout (PREFIX/bin, PREFIX/share/tenzora) with a
// fresh home folder: it shows the installed logo, works on the user's own materials base, and a
// base saved with the core save the materials window uses is read back at the next start.

#include <gtest/gtest.h>

#include <fstream>

#include "app/program_home.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One start of the window program as main() makes it, on the given layout and home folder.
struct Start {
    Start(const fs::path& executable, const ProgramEnvironment& env, const fs::path& documents)
        : app({ui, settings, launcher, clock, images},
              resolveProgramDirectory(std::nullopt, executable, env, settings)) {
        app.readSettings();
        setUpFirstDrawingFolder(app.settings(), settings, documents, app.programDirectory());
    }
    ScriptedUi ui;
    MemorySettingsStore settings;
    QtLauncher launcher;
    FixedClock clock{LocalTime{}};
    QtImageCodec images;
    CTenzoraApp app;
};

} // namespace

TEST(InstalledStart, FreshHomeWorksOnTheUsersMaterialsBaseAndReadsItBackNextTime) {
    testApplication();
    TempDir root;
    const fs::path prefix = root / "usr";
    fs::create_directories(prefix / "bin");
    std::ofstream(prefix / "bin" / "tenzora") << "";
    fs::create_directories(prefix / "share" / "tenzora");
    fs::copy(fs::path(TENZORA_SOURCE_DIR) / "data", prefix / "share" / "tenzora",
             fs::copy_options::recursive);
    const std::string installedBase = readBytes(prefix / "share" / "tenzora" / "materials.mat");
    ProgramEnvironment env;
    env.home = (root / "home").string();
    const fs::path own = root / "home" / ".local" / "share" / "tenzora";
    const fs::path documents = root / "home" / "Documents";

    std::string edited;
    {
        Start first(prefix / "bin" / "tenzora", env, documents);
        std::wstring missing;
        ASSERT_TRUE(first.app.loadLogos(missing)) << codepage::toUtf8(missing);
        CMainFrame frame(first.app);
        frame.resize(900, 600);
        frame.show();
        first.app.finishStartup();
        frame.grab().save(QString::fromStdString(
            (fs::path(TENZORA_PROGRAM_DIR).parent_path() / "installed-start.png").string()));

        TZMaterialBase& base = first.app.document().resources.materialBase;
        EXPECT_EQ(base.file(), own / "materials.mat");
        ASSERT_GT(base.count(), 1);
        base.at(base.count() - 1).name = "Seen again";
        base.at(base.count() - 1).width = 320;
        ASSERT_TRUE(base.save(false));
        edited = readBytes(own / "materials.mat");
        EXPECT_EQ(first.app.settings().drawingFolders[0], codepage::fromPath(documents / "Tenzora"));
        EXPECT_TRUE(
            fs::exists(documents / "Tenzora" / codepage::toPath(kExamplesSubfolder) / "room-400x300.tz"));
    }
    EXPECT_EQ(readBytes(prefix / "share" / "tenzora" / "materials.mat"), installedBase);

    Start second(prefix / "bin" / "tenzora", env, documents);
    const TZMaterialBase& base = second.app.document().resources.materialBase;
    EXPECT_EQ(base.at(base.count() - 1).name, "Seen again");
    EXPECT_EQ(base.at(base.count() - 1).width, 320);
}
