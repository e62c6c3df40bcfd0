#include <gtest/gtest.h>

#include <fstream>

#include "app/program_home.h"
#include "app/tenzora_app.h"
#include "business/drawing_folders.h"
#include "model/settings.h"
#include "output/print_form_file.h"
#include "output/report_command.h"
#include "platform/clock.h"
#include "platform/image_codec.h"
#include "platform/launcher.h"
#include "platform/settings_store.h"
#include "storage/codepage.h"
#include "storage/price_file.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

namespace fs = std::filesystem;

class NoLauncher : public FakeLauncherBase {
  public:
    bool startProgram(const std::wstring&, const std::vector<std::wstring>&) override { return false; }
    bool openDocument(const std::wstring&) override { return false; }
    std::wstring selfPath() override { return L"tenzora"; }
};

class NoImages : public ImageCodec {
  public:
    std::optional<Bitmap> decodeFile(const std::wstring&) override { return std::nullopt; }
    bool encodeFile(const Bitmap&, ImageFormat, const std::wstring&) override { return false; }
};

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An installed program laid out as a package unpacks it: PREFIX/bin/tenzora and
// PREFIX/share/tenzora with the program's data, and an empty home folder.
struct Installation {
    Installation() {
        fs::create_directories(prefix() / "bin");
        writeText(prefix() / "bin" / "tenzora", "");
        fs::create_directories(shipped());
        fs::copy(fs::path(TENZORA_SOURCE_DIR) / "data", shipped(), fs::copy_options::recursive);
        fs::create_directories(home());
        env.home = home().string();
    }
    fs::path prefix() const { return root / "usr"; }
    fs::path shipped() const { return prefix() / "share" / "tenzora"; }
    fs::path executable() const { return prefix() / "bin" / "tenzora"; }
    fs::path home() const { return root / "home"; }
    fs::path userFolder() const { return home() / ".local" / "share" / "tenzora"; }
    ProgramDirectoryChoice choose() {
        return resolveProgramDirectory(std::nullopt, executable(), env, store);
    }

    TempDir root;
    ProgramEnvironment env;
    MemorySettingsStore store;
};

struct App {
    explicit App(const ProgramDirectoryChoice& choice) : app({ui, store, launcher, clock, images}, choice) {}
    ScriptedUi ui;
    MemorySettingsStore store;
    NoLauncher launcher;
    FixedClock clock{LocalTime{}};
    NoImages images;
    CTenzoraApp app;
};

} // namespace

TEST(ProgramHome, HomeOptionAndVariableWinAndKeepOneFolder) {
    Installation inst;
    inst.env.tenzoraHome = "/srv/tenzora";
    EXPECT_EQ(resolveProgramDirectory(fs::path("/opt/firm"), inst.executable(), inst.env, inst.store).dir.own,
              "/opt/firm");
    const ProgramDirectoryChoice byVariable = inst.choose();
    EXPECT_EQ(byVariable.dir.own, "/srv/tenzora");
    EXPECT_FALSE(byVariable.dir.isSplit());
    EXPECT_FALSE(byVariable.createOwn);

    // A build folder (no share/tenzora beside bin/) is the program directory itself.
    TempDir build;
    const ProgramDirectoryChoice fromBuild =
        resolveProgramDirectory(std::nullopt, build / "bin" / "tenzora", ProgramEnvironment{}, inst.store);
    EXPECT_EQ(fromBuild.dir.own, build / "bin");
    EXPECT_FALSE(fromBuild.dir.isSplit());
}

TEST(ProgramHome, InstalledProgramWritesToTheUsersDataFolder) {
    Installation inst;
    ProgramDirectoryChoice choice = inst.choose();
    EXPECT_EQ(choice.dir.shipped, inst.shipped());
    EXPECT_EQ(choice.dir.own, inst.userFolder());
    EXPECT_TRUE(choice.createOwn);
    EXPECT_TRUE(choice.problem.empty());

    inst.env.xdgDataHome = (inst.root / "data").string();
    EXPECT_EQ(inst.choose().dir.own, inst.root / "data" / "tenzora");
    // A relative XDG_DATA_HOME is to be ignored.
    inst.env.xdgDataHome = "relative/data";
    EXPECT_EQ(inst.choose().dir.own, inst.userFolder());
}

TEST(ProgramHome, SharedFolderOfTheSettingsIsUsedOnlyWhenItIsThere) {
    Installation inst;
    const fs::path shared = inst.root / "share" / "firm";
    inst.store.write(kSettingsSection, kSharedProgramFolderSetting, codepage::fromPath(shared));

    // Not mounted: the firm's prices are not at hand; the installed files are read, nothing written.
    ProgramDirectoryChoice missing = inst.choose();
    EXPECT_FALSE(missing.dir.isSplit());
    EXPECT_EQ(missing.dir.own, inst.shipped());
    EXPECT_NE(missing.problem.find(codepage::fromPath(shared)), std::wstring::npos);

    fs::create_directories(shared);
    ProgramDirectoryChoice present = inst.choose();
    EXPECT_EQ(present.dir.own, shared);
    EXPECT_EQ(present.dir.shipped, inst.shipped());
    EXPECT_FALSE(present.createOwn);
    EXPECT_TRUE(present.problem.empty());
}

TEST(ProgramHome, FilesAreReadFromTheUsersCopyOnceItExistsAndWrittenThereAlways) {
    TempDir t;
    const ProgramDirectory dir(t / "own", t / "shipped");
    writeText(t / "shipped" / "logo.bmp", "installed");
    EXPECT_EQ(dir.file(L"logo.bmp", ProgramFileUse::Read), t / "shipped" / "logo.bmp");
    EXPECT_EQ(dir.file(L"logo.bmp", ProgramFileUse::Write), t / "own" / "logo.bmp");
    writeText(t / "own" / "logo.bmp", "the firm's");
    EXPECT_EQ(dir.file(L"logo.bmp", ProgramFileUse::Read), t / "own" / "logo.bmp");
    EXPECT_EQ(dir.searchFolders(), (std::vector<fs::path>{t / "own", t / "shipped"}));
    EXPECT_EQ(ProgramDirectory(t.path()).searchFolders("templates"), std::vector<fs::path>{t / "templates"});
}

TEST(ProgramHome, SeedingCopiesTheEditedFilesOnceAndNeverReplacesTheUsersCopy) {
    Installation inst;
    const ProgramDirectoryChoice choice = inst.choose();
    std::wstring problem;
    ASSERT_TRUE(seedProgramDirectory(choice.dir, choice.createOwn, problem)) << codepage::toUtf8(problem);
    EXPECT_EQ(readText(inst.userFolder() / "price.dat"), readText(inst.shipped() / "price.dat"));
    EXPECT_TRUE(fs::exists(inst.userFolder() / "materials.mat"));
    // Forms and logos stay with the installation, so that an update brings its new ones.
    EXPECT_FALSE(fs::exists(inst.userFolder() / "logo.bmp"));

    writeText(inst.userFolder() / "price.dat", "the user's prices");
    ASSERT_TRUE(seedProgramDirectory(choice.dir, choice.createOwn, problem));
    EXPECT_EQ(readText(inst.userFolder() / "price.dat"), "the user's prices");

    // A shared folder is never created.
    const ProgramDirectory absent(inst.root / "unmounted", inst.shipped());
    EXPECT_FALSE(seedProgramDirectory(absent, false, problem));
    EXPECT_FALSE(fs::exists(inst.root / "unmounted"));
    EXPECT_NE(problem.find(L"unmounted"), std::wstring::npos);
}

TEST(ProgramHome, StartOfAnInstalledProgramWorksOnTheUsersFilesAndLeavesTheInstallationAlone) {
    Installation inst;
    const std::string installedBase = readText(inst.shipped() / "materials.mat");
    {
        App first(inst.choose());
        EXPECT_TRUE(first.ui.messages.empty());
        EXPECT_EQ(first.app.programDir(), inst.userFolder());
        // The document works with the program's resources, which a new project leaves alone.
        EXPECT_EQ(&first.app.document().resources, &first.app.resources());
        ASSERT_TRUE(first.app.document().newProject());
        TZMaterialBase& base = first.app.document().resources.materialBase;
        ASSERT_GT(base.count(), 1);
        EXPECT_EQ(base.file(), inst.userFolder() / "materials.mat");
        base.at(1).name = "Edited";
        ASSERT_TRUE(base.save(false));

        // Prices are saved where the price dialogs save them: the program directory of the document.
        TZPriceFile prices;
        ASSERT_TRUE(prices.load(first.app.document().programDir()));
        ASSERT_TRUE(prices.save(first.app.document().programDir()));

        // The installed forms are offered.
        reloadPrintForms(first.app.document(), false);
        EXPECT_EQ(first.app.document().resources.printForms.count(), 3);
    }
    EXPECT_EQ(readText(inst.shipped() / "materials.mat"), installedBase);

    // A form the user adds joins the installed ones, in the order of the file names.
    fs::copy_file(inst.shipped() / "2-client.pem", inst.userFolder() / "0-mine.pem");
    App second(inst.choose());
    EXPECT_EQ(second.app.document().resources.materialBase.at(1).name, "Edited");
    reloadPrintForms(second.app.document(), false);
    ASSERT_EQ(second.app.document().resources.printForms.count(), 4);
    EXPECT_EQ(second.app.document().resources.printForms.at(0).file,
              codepage::fromPath(inst.userFolder() / "0-mine.pem"));
}

TEST(ProgramHome, FolderThatCannotBeMadeFallsBackToTheInstalledFilesAndSaysSo) {
    Installation inst;
    writeText(inst.home() / ".local", "a file where the folder should be");
    App app(inst.choose());
    EXPECT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.app.programDir(), inst.shipped());
    EXPECT_GT(app.app.document().resources.materialBase.count(), 1);
}

TEST(ProgramHome, FirstStartMakesTheDrawingFolderWithTheExamplesOutOfTheScans) {
    Installation inst;
    AppSettings settings;
    const fs::path documents = inst.home() / "Документы";
    ASSERT_TRUE(setUpFirstDrawingFolder(settings, inst.store, documents, inst.choose().dir));
    const fs::path folder = documents / "Tenzora";
    EXPECT_EQ(settings.drawingFolders[0], codepage::fromPath(folder));
    EXPECT_EQ(inst.store.read(kSettingsSection, L"path1"), codepage::fromPath(folder));
    const fs::path examples = folder / codepage::toPath(kExamplesSubfolder);
    EXPECT_TRUE(fs::exists(examples / "room-400x300.tz"));
    EXPECT_TRUE(fs::exists(examples / "l-shaped-hall.tz"));

    // The scans read the folder itself: the examples are not the firm's orders.
    EXPECT_TRUE(listProjectFiles(settings.drawingFolders).empty());
    fs::copy_file(examples / "room-400x300.tz", folder / "order.tz");
    EXPECT_EQ(listProjectFiles(settings.drawingFolders).size(), 1u);

    // Set once: a later start with a folder set changes nothing, and the examples are copied once.
    EXPECT_FALSE(setUpFirstDrawingFolder(settings, inst.store, documents, inst.choose().dir));
    fs::remove(examples / "l-shaped-hall.tz");
    AppSettings cleared;
    ASSERT_TRUE(setUpFirstDrawingFolder(cleared, inst.store, documents, inst.choose().dir));
    EXPECT_FALSE(fs::exists(examples / "l-shaped-hall.tz"));
}

TEST(ProgramHome, TemplatesOfTheUserComeBeforeTheInstalledOnesAndReplaceThoseOfTheSameName) {
    TempDir t;
    writeText(t / "own" / "templates" / "Смета.doc", "the user's");
    writeText(t / "shipped" / "templates" / "Смета.doc", "installed");
    writeText(t / "shipped" / "templates" / "Акт.xls", "installed");
    ScriptedUi ui;
    TZCeiling doc(ui, ProgramDirectory(t / "own", t / "shipped"));
    AppSettings settings;
    settings.templatesFolder = defaultTemplatesFolder();
    std::vector<std::wstring> names;
    ASSERT_TRUE(prepareReportTemplates(doc, settings, names));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Смета.doc", L"Акт.xls"}));
    EXPECT_EQ(doc.resources.wordForms.at(0).path, codepage::fromPath(t / "own" / "templates" / "Смета.doc"));

    // A folder of the settings given in full is the only one looked at.
    settings.templatesFolder = codepage::fromPath(t / "own" / "templates");
    ASSERT_TRUE(prepareReportTemplates(doc, settings, names));
    EXPECT_EQ(names, std::vector<std::wstring>{L"Смета.doc"});
}
