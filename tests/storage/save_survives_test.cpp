// A save interrupted at any moment — the process killed in the middle of writing, or between the
// write and the rename — leaves either the previous file intact or the new file complete: never a
// mix of the two, a truncated file or an empty one. Each case forks a child that saves and is
// killed part-way, then reads what is on the disk.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <random>

#include "business/project_file.h"
#include "storage/codepage.h"
#include "storage/file_io.h"
#include "storage/image_bytes.h"
#include "storage/material_base.h"
#include "storage/price_file.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::string bytes;
    readWholeFile(path, 1u << 30, bytes);
    return bytes;
}

// One of the program's files: how to save version 0 (small) or version 1 (large) of it, and where.
struct SavedFile {
    const char* what;
    std::filesystem::path file;
    std::function<bool(int version)> save;
};

// Saves in a child process that a file size limit stops `limit` bytes into what it writes (the
// kernel sends SIGXFSZ, which ends the process as a crash would).
void saveStoppedAtByte(const SavedFile& f, int version, rlim_t limit) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        f.save(version);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
}

// Saves the two versions one after the other, over and over, in a child killed after `delay`.
void saveKilledAfter(const SavedFile& f, std::chrono::microseconds delay) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        for (int version = 0;; version ^= 1)
            f.save(version);
    }
    usleep(static_cast<useconds_t>(delay.count()));
    kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
}

void expectSurvivesKills(const SavedFile& f) {
    ASSERT_TRUE(f.save(1)) << f.what;
    const std::string large = readFile(f.file);
    ASSERT_TRUE(f.save(0)) << f.what;
    const std::string small = readFile(f.file);
    ASSERT_FALSE(small.empty());
    ASSERT_GT(large.size(), small.size() + 4096) << f.what << ": the large version must take many writes";

    // Stopped at many points inside the large version's bytes: the small one stays.
    constexpr int kPoints = 24;
    for (int i = 0; i < kPoints; ++i) {
        const rlim_t limit = large.size() * static_cast<std::size_t>(i) / kPoints;
        saveStoppedAtByte(f, 1, limit);
        EXPECT_TRUE(readFile(f.file) == small) << f.what << " stopped at byte " << limit;
    }
    // With room for the whole file the save completes.
    saveStoppedAtByte(f, 1, large.size() + 1);
    EXPECT_TRUE(readFile(f.file) == large) << f.what;

    // Killed at random moments of repeated saves: always one version or the other, whole.
    std::mt19937 random(20261209u);
    std::uniform_int_distribution<int> delays(0, 4000);
    for (int run = 0; run < 40; ++run) {
        const int us = delays(random);
        saveKilledAfter(f, std::chrono::microseconds(us));
        const std::string now = readFile(f.file);
        EXPECT_TRUE(now == small || now == large)
            << f.what << " killed after " << us << " us: " << now.size() << " bytes on the disk";
    }
}

TEST(SaveSurvivesKill, ProjectMaterialsBaseAndPriceFileAreOldOrNewNeverAMix) {
    TempDir dir;

    TestDocument project;
    fillEveryField(*project);
    const std::wstring projectPath = codepage::fromPath(dir.path()) + L"/кухня.tz";
    const std::wstring shortNote = project->note;
    const std::wstring longNote(200000, L'ж');

    TZMaterialBase base;
    {
        // The base saves to the file it was loaded from.
        TZMaterialBase seed;
        ASSERT_TRUE(writeFileReplacing(dir / "materials.mat", materialsFile::serialize(seed, false)));
        ASSERT_TRUE(base.load(dir.path()));
    }
    auto materials = [&base](int version) {
        base.clear();
        const int n = version == 0 ? 3 : 4000;
        for (int i = 0; i < n; ++i) {
            Material m;
            m.id = i + 1;
            m.name = "fabric " + std::to_string(i);
            m.width = 320.0;
            base.append(m);
        }
        return base.save(false);
    };

    TZPriceFile prices;
    auto priceList = [&prices, &dir](int version) {
        prices.clear();
        prices.cities.append(L"Москва");
        const int n = version == 0 ? 2 : 4000;
        for (int i = 0; i < n; ++i)
            prices.extraWorks.append(TZPriceDop{L"Работа " + std::to_wstring(i), 0, 100.0 + i});
        return prices.save(dir.path());
    };

    const SavedFile files[] = {
        {"project", codepage::toPath(projectPath),
         [&](int version) {
             project->note = version == 0 ? shortNote : longNote;
             return saveProject(*project, projectPath);
         }},
        {"materials base", dir / "materials.mat", materials},
        {"price file", dir / "price.dat", priceList},
    };
    for (const SavedFile& f : files)
        expectSurvivesKills(f);
}

TEST(SaveSurvivesKill, ReplacingSaveKeepsNoTemporaryFileAndKeepsThePermissions) {
    TempDir dir;
    const std::filesystem::path file = dir / "a.dat";
    ASSERT_TRUE(writeFileReplacing(file, "old"));
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_TRUE(writeFileReplacing(file, "new bytes"));
    EXPECT_EQ(readFile(file), "new bytes");
    EXPECT_EQ(std::filesystem::status(file).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);

    // A library's finished output beside the file replaces it the same way; a missing one fails
    // and leaves the file as it was.
    writeFileReplacing(dir / "a.dat.part", "from a library");
    EXPECT_TRUE(replaceWithWritten(dir / "a.dat.part", file));
    EXPECT_EQ(readFile(file), "from a library");
    EXPECT_FALSE(replaceWithWritten(dir / "missing.part", file));
    EXPECT_EQ(readFile(file), "from a library");
    EXPECT_FALSE(writeFileReplacing(dir / "no such folder" / "b.dat", "x"));
    EXPECT_TRUE(syncFolder(dir.path()));
    EXPECT_FALSE(syncFolder(dir / "no such folder"));
}

} // namespace
