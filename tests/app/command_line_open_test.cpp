#include <gtest/gtest.h>

#include "app/tenzora_app.h"
#include "business/project_file.h"
#include "platform/clock.h"
#include "platform/image_codec.h"
#include "platform/launcher.h"
#include "platform/settings_store.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

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

struct TestApp {
    explicit TestApp(const std::filesystem::path& programDir)
        : app({ui, settings, launcher, clock, images}, programDir) {
        app.document().setViews(&views);
    }
    ScriptedUi ui;
    MemorySettingsStore settings;
    NoLauncher launcher;
    FixedClock clock{LocalTime{}};
    NoImages images;
    RecordingViews views;
    CTenzoraApp app;
};

// A project saved under a name with blanks, in a folder with blanks.
std::wstring saveRoom(const TempDir& dir) {
    const std::filesystem::path folder = dir / "мои проекты";
    std::filesystem::create_directories(folder);
    const std::wstring path = codepage::fromPath(folder) + L"/гостиная 2.tz";
    TestDocument source;
    setOutline(*source, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    source->orderName = L"Гостиная";
    EXPECT_TRUE(saveProject(*source, path));
    return path;
}

} // namespace

TEST(CommandLineOpen, QuotedPathWithBlanksIsOpened) {
    TempDir dir;
    const std::wstring path = saveRoom(dir);
    TestApp t(dir.path());
    ASSERT_TRUE(t.app.openCommandLine(L"  \"" + path + L"\"  "));
    TZCeiling& doc = t.app.document();
    EXPECT_EQ(doc.filePath, path);
    EXPECT_EQ(doc.polygon.count(), 4);
    EXPECT_EQ(t.views.title, L"Tenzora 1.0 ::: Гостиная (" + path + L")");
    EXPECT_GE(t.views.repaints, 1);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(CommandLineOpen, EveryDoubleQuoteIsRemovedWhereverItStands) {
    TempDir dir;
    const std::wstring path = saveRoom(dir);
    std::wstring commandLine = path;
    commandLine.insert(commandLine.size() - 3, L"\"\""); // "…гостиная 2\"\".tz"
    commandLine.insert(0, L"\"");
    TestApp t(dir.path());
    ASSERT_TRUE(t.app.openCommandLine(commandLine));
    EXPECT_EQ(t.app.document().filePath, path);
}

TEST(CommandLineOpen, EmptyCommandLineOpensNothing) {
    TempDir dir;
    TestApp t(dir.path());
    EXPECT_TRUE(t.app.openCommandLine(L"   \"\"  "));
    EXPECT_TRUE(t.app.document().filePath.empty());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(CommandLineOpen, MissingFileIsReportedAndStartUpGoesOnWithTheEmptyProject) {
    TempDir dir;
    TestApp t(dir.path());
    const std::wstring missing = codepage::fromPath(dir.path()) + L"/нет такого.tz";
    EXPECT_FALSE(t.app.openCommandLine(L"\"" + missing + L"\""));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_NE(t.ui.messages[0].text.find(missing), std::wstring::npos);
    EXPECT_EQ(t.app.document().polygon.count(), 0);
    EXPECT_TRUE(t.app.document().filePath.empty());
}
