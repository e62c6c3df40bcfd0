#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include "business/project_file.h"
#include "storage/file_io.h"
#include "storage/image_bytes.h"
#include "storage/project_image.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_EQ(readWholeFile(path, 1u << 30, bytes), ReadStatus::Ok) << path;
    return bytes;
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int filesIn(const std::filesystem::path& dir) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

// Limits the size of files this process may write, for the length of a test; writing beyond it
// fails half-way (as a full disk would) instead of stopping the process.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

void makeProject(TZCeiling& doc) {
    fillEveryField(doc);
    doc.editor.mode = kModePoints;
}

} // namespace

TEST(ProjectFile, SavedProjectOpensWithItsPathTitleAndClearedModifiedFlag) {
    TempDir dir;
    const std::wstring path = codepage::fromPath(dir.path()) + L"/кухня 1.tz";
    TestDocument source;
    makeProject(*source);
    source->priceTag = "999"; // not the estimate: saving writes the job cost, 0 without price lists
    ASSERT_TRUE(saveProject(*source, path));
    EXPECT_FALSE(source->modified);
    EXPECT_TRUE(source->filePath.empty()); // saving does not change the path
    const std::string bytes = readFile(codepage::toPath(path));
    EXPECT_EQ(projectHeaderOf(bytes), std::string("Tenzora file format. Version 1.01. $0"));
    EXPECT_EQ(bytes, expectedImage(*source).bytes); // `modified` stored as 0

    TestDocument t(true);
    t->currentFormat = false;
    ASSERT_TRUE(t->openFile(path));
    EXPECT_EQ(t->filePath, path);
    EXPECT_TRUE(t->currentFormat);
    EXPECT_FALSE(t->modified);
    EXPECT_EQ(t->polygon.count(), 4);
    EXPECT_EQ(t->orderName, L"Кухня");
    EXPECT_EQ(t.views.title, L"Tenzora 1.0 ::: Кухня (" + path + L")");
    EXPECT_GE(t.views.repaints, 1);
    EXPECT_GE(t.views.trees, 1);
    EXPECT_GE(t.views.figures, 1);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(ProjectFile, OpeningCanBeUndone) {
    TempDir dir;
    TestDocument source;
    makeProject(*source);
    ASSERT_TRUE(saveProject(*source, (dir / "a.tz").wstring()));
    TestDocument t;
    setOutline(*t, {{0, 0}, {10, 0}, {0, 10}});
    t->orderName = L"before";
    ASSERT_TRUE(t->openFile((dir / "a.tz").wstring()));
    EXPECT_EQ(t->orderName, L"Кухня");
    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->orderName, L"before");
    EXPECT_EQ(t->polygon.count(), 3);
}

TEST(ProjectFile, FileOfThePreviousFormatMarksTheTitle) {
    TempDir dir;
    TestDocument source;
    makeProject(*source);
    const ImageBytes b = expectedImage(*source);
    writeFile(dir / "old.tz", b.before(84));
    TestDocument t(true);
    ASSERT_TRUE(t->openFile((dir / "old.tz").wstring()));
    EXPECT_FALSE(t->currentFormat);
    EXPECT_EQ(t.views.title,
              L"Tenzora 1.0 ::: Кухня (" + (dir / "old.tz").wstring() + L") СТАРАЯ ВЕРСИЯ ФАЙЛА!");
    // Saving writes the current format.
    ASSERT_TRUE(saveProject(*t, (dir / "new.tz").wstring()));
    TestDocument u;
    ASSERT_TRUE(u->openFile((dir / "new.tz").wstring()));
    EXPECT_TRUE(u->currentFormat);
}

TEST(ProjectFile, FailedOpenTellsTheUserAndKeepsTheDocument) {
    TempDir dir;
    writeFile(dir / "empty.tz", "");
    writeFile(dir / "huge.tz", std::string(1'000'001, 'T'));
    std::filesystem::create_directory(dir / "folder.tz");
    struct Case {
        const char* file;
        const wchar_t* mentions;
    };
    const Case cases[] = {{"missing.tz", L"Не удалось открыть"},
                          {"empty.tz", L"пуст"},
                          {"huge.tz", L"слишком велик"},
                          {"folder.tz", L"Не удалось открыть"}};
    for (const Case& c : cases) {
        TestDocument t(true);
        setOutline(*t, {{0, 0}, {10, 0}, {0, 10}});
        t->filePath = L"/old.tz";
        const std::wstring path = (dir / c.file).wstring();
        EXPECT_FALSE(t->openFile(path)) << c.file;
        ASSERT_EQ(t.ui.messages.size(), 1u) << c.file;
        const MessageRequest& m = t.ui.messages[0];
        EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_NE(m.text.find(path), std::wstring::npos) << c.file;
        EXPECT_NE(m.text.find(c.mentions), std::wstring::npos) << c.file;
        EXPECT_EQ(t->polygon.count(), 3);
        EXPECT_EQ(t->filePath, L"/old.tz");
    }
}

TEST(ProjectFile, ProjectOfExactlyTheSizeLimitOpens) {
    TempDir dir;
    TestDocument source;
    makeProject(*source);
    std::string bytes = expectedImage(*source).bytes;
    bytes.resize(1'000'000, '\0'); // whatever follows the last field is not read
    writeFile(dir / "big.tz", bytes);
    TestDocument t;
    ASSERT_TRUE(t->openFile((dir / "big.tz").wstring()));
    EXPECT_EQ(t->orderName, L"Кухня");
}

TEST(ProjectFile, UnrecognisedFileIsReportedAndItsPathNotAdopted) {
    TempDir dir;
    writeFile(dir / "notes.tz", std::string("Some other program's file") + '\0' + "data");
    TestDocument t(true);
    t->filePath = L"/old.tz";
    t->currentFormat = false;
    EXPECT_FALSE(t->openFile((dir / "notes.tz").wstring()));
    EXPECT_EQ(t.ui.texts(), std::vector<std::wstring>{projectImage::kFormatMessage});
    EXPECT_EQ(t->filePath, L"/old.tz");
    EXPECT_FALSE(t->currentFormat);
}

TEST(ProjectFile, DialogsProposeTheOrderNameWithTheirFilters) {
    TempDir dir;
    TestDocument t;
    t->orderName = L"Спальня";
    t.ui.files = {(dir / "s.tz").wstring()};
    ASSERT_TRUE(t->saveAs());
    ASSERT_EQ(t.ui.fileDialogs.size(), 1u);
    const FileDialogRequest& save = t.ui.fileDialogs[0];
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.filter, L"Файлы Tenzora(*.tz)|*.tz|Все файлы(*.*)|*.*|");
    EXPECT_EQ(save.defaultExtension, L"tz");
    EXPECT_EQ(save.initialName, L"Спальня");
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_TRUE(t->filePath.empty());

    t.ui.files = {(dir / "s.tz").wstring()};
    ASSERT_TRUE(t->openFile());
    const FileDialogRequest& open = t.ui.fileDialogs[1];
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.filter, L"Файлы Tenzora (*.tz)|*.tz|Все файлы(*.*)|*.*|");
    EXPECT_EQ(open.defaultExtension, L"tz");
    EXPECT_EQ(open.initialName, L"Спальня");
    EXPECT_TRUE(open.mustExist);
    EXPECT_EQ(t->filePath, (dir / "s.tz").wstring());

    // Cancelled dialogs do nothing.
    EXPECT_FALSE(t->saveAs());
    EXPECT_FALSE(t->openFile());
}

TEST(ProjectFile, SaveIntoAMissingFolderTellsTheUserAndKeepsModified) {
    TempDir dir;
    TestDocument t;
    makeProject(*t);
    t->modified = true;
    const std::wstring path = (dir / "no such folder" / "p.tz").wstring();
    EXPECT_FALSE(saveProject(*t, path));
    EXPECT_TRUE(t->modified);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(t.ui.messages[0].text.find(path), std::wstring::npos);

    // A project that was not modified stays so.
    t->modified = false;
    EXPECT_FALSE(saveProject(*t, path));
    EXPECT_FALSE(t->modified);
}

TEST(ProjectFile, SaveFailingHalfWayKeepsTheOldFileIntact) {
    TempDir dir;
    const auto path = dir / "p.tz";
    TestDocument old;
    old->orderName = L"old";
    ASSERT_TRUE(saveProject(*old, path.wstring()));
    const std::string before = readFile(path);

    TestDocument t;
    makeProject(*t);
    for (int i = 0; i < 200; ++i)
        t->polygon.append(makeVertex(i, i)); // larger than the limit below
    t->modified = true;
    {
        FileSizeLimit limit(before.size() + 100);
        EXPECT_FALSE(saveProject(*t, path.wstring()));
    }
    EXPECT_TRUE(t->modified);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(filesIn(dir.path()), 1); // no temporary file left behind
    EXPECT_EQ(t.ui.messages.size(), 1u);
}

TEST(ProjectFile, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    const auto path = dir / "p.tz";
    TestDocument old;
    ASSERT_TRUE(saveProject(*old, path.wstring()));
    const std::string before = readFile(path);
    std::filesystem::permissions(dir.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    TestDocument t;
    makeProject(*t);
    t->modified = true;
    EXPECT_FALSE(saveProject(*t, path.wstring()));
    EXPECT_TRUE(t->modified);
    EXPECT_EQ(readFile(path), before);
}

TEST(ProjectFile, SaveReplacesAnExistingFile) {
    TempDir dir;
    const auto path = dir / "p.tz";
    writeFile(path, std::string(5000, 'x'));
    TestDocument t;
    makeProject(*t);
    ASSERT_TRUE(saveProject(*t, path.wstring()));
    EXPECT_EQ(readFile(path), expectedImage(*t).bytes);
    EXPECT_EQ(filesIn(dir.path()), 1);
}
