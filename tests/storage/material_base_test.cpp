#include <gtest/gtest.h>

#include <fstream>
#include <limits>

#include "storage/file_io.h"
#include "storage/image_bytes.h"
#include "storage/material_base.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct Row {
    std::int32_t id, groupId;
    unsigned isGroup;
    double tension, offcut;
    std::string name; // Windows-1251 bytes
    double width;
};

// A materials.mat built by hand: N, then the records, the counter in front of record 1.
std::string handBuiltBase(const std::vector<Row>& rows, std::int32_t counter) {
    ImageBytes b;
    b.i32(static_cast<std::int32_t>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 1) b.i32(counter);
        b.i32(rows[i].id);
        b.i32(rows[i].groupId);
        b.u8(rows[i].isGroup);
        b.f64(rows[i].tension);
        b.f64(rows[i].offcut);
        b.str(rows[i].name);
        b.f64(rows[i].width);
    }
    return b.bytes;
}

const std::vector<Row> kRows = {
    {1, 0, 1, 0.93, 1.0, "\xCC\xE0\xF2\xEE\xE2\xFB\xE5", 0.0}, // group "Матовые"
    {2, 1, 0, 0.93, 1.0, "\xC1\xE5\xEB\xFB\xE9", 320.0},       // "Белый"
    {3, 1, 0, 0.95, 1.5, "Ivory 2", 270.5},
};

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_EQ(readWholeFile(path, 1u << 30, bytes), ReadStatus::Ok);
    return bytes;
}

} // namespace

TEST(MaterialBase, LoadsEveryFieldAndStoresTheCounterOneHigher) {
    TempDir dir;
    const std::string original = handBuiltBase(kRows, 41);
    writeFile(dir / "materials.mat", original);

    TZMaterialBase base;
    ASSERT_TRUE(base.load(dir.path()));
    ASSERT_EQ(base.count(), 3);
    EXPECT_EQ(base.loadCounter, 41);
    const Material& white = base.at(1);
    EXPECT_EQ(white.id, 2);
    EXPECT_EQ(white.groupId, 1);
    EXPECT_EQ(white.isGroup, 0);
    EXPECT_EQ(white.tensionCoef, 0.93);
    EXPECT_EQ(white.offcutPriceCoef, 1.0);
    EXPECT_EQ(white.name, "\xC1\xE5\xEB\xFB\xE9");
    EXPECT_EQ(white.width, 320.0);
    EXPECT_EQ(white.groupRow, -1);
    EXPECT_EQ(white.baseRecord, -1);
    EXPECT_EQ(white.stock, 0.0);
    EXPECT_EQ(base.at(0).isGroup, 1);
    EXPECT_EQ(base.at(2).offcutPriceCoef, 1.5);

    // Loading wrote the file back at once: the same bytes but the counter, one higher.
    EXPECT_EQ(readFile(dir / "materials.mat"), handBuiltBase(kRows, 42));
    // A save from the dialog stores the counter as read; with the bump, one higher.
    ASSERT_TRUE(base.save(false));
    EXPECT_EQ(readFile(dir / "materials.mat"), original);
    ASSERT_TRUE(base.save(true));
    EXPECT_EQ(readFile(dir / "materials.mat"), handBuiltBase(kRows, 42));
    EXPECT_EQ(base.loadCounter, 41); // saving never changes it
}

TEST(MaterialBase, CounterStandsBetweenRecordZeroAndOneOnly) {
    TZMaterialBase base;
    base.loadCounter = 7;
    EXPECT_EQ(materialsFile::serialize(base, true), std::string(4, '\0'));
    Material m;
    m.name = "A";
    base.append(m);
    // One record: no counter at all, and reading such a file leaves the counter in memory alone.
    const std::string one = materialsFile::serialize(base, true);
    EXPECT_EQ(one, handBuiltBase({{0, 0, 0, 0.93, 1.0, "A", 100.0}}, 0));
    TZMaterialBase reread;
    reread.loadCounter = 99;
    ASSERT_TRUE(materialsFile::parse(one, reread));
    EXPECT_EQ(reread.loadCounter, 99);
    base.append(m);
    const std::string two = materialsFile::serialize(base, true);
    EXPECT_EQ(two.size(), 4u + 2 * (33u + 2u) + 4u);
    EXPECT_EQ(two.substr(4 + 35, 4), std::string("\x08\0\0\0", 4));
}

TEST(MaterialBase, CounterWrapsAsA32BitNumber) {
    TZMaterialBase base;
    base.append(Material{});
    base.append(Material{});
    base.loadCounter = std::numeric_limits<std::int32_t>::max();
    TZMaterialBase reread;
    ASSERT_TRUE(materialsFile::parse(materialsFile::serialize(base, true), reread));
    EXPECT_EQ(reread.loadCounter, std::numeric_limits<std::int32_t>::min());
}

TEST(MaterialBase, MissingFileGivesAnEmptyBaseAndTheMissingCounterAndWritesNothing) {
    TempDir dir;
    TZMaterialBase base;
    EXPECT_FALSE(base.load(dir.path()));
    EXPECT_EQ(base.count(), 0);
    EXPECT_EQ(base.loadCounter, 0x1FFFFFFF);
    EXPECT_FALSE(std::filesystem::exists(dir / "materials.mat"));
    // The file comes into being with the first save from the dialog.
    Material m;
    m.name = "x";
    base.append(m);
    base.append(m);
    ASSERT_TRUE(base.save(false));
    TZMaterialBase reread;
    ASSERT_TRUE(reread.load(dir.path()));
    EXPECT_EQ(reread.loadCounter, 0x1FFFFFFF);
}

TEST(MaterialBase, IsGroupIsWrittenAsZeroOrOne) {
    TZMaterialBase base;
    Material m;
    m.isGroup = 5;
    base.append(m);
    EXPECT_EQ(materialsFile::serialize(base, false)[4 + 8], '\x01');
}

TEST(MaterialBase, NamesTakeTheirLengthPlusOneAndAreCutToTheField) {
    TZMaterialBase base;
    Material m;
    m.name = std::string(149, '\xE0');
    base.append(m);
    const std::string bytes = materialsFile::serialize(base, false);
    EXPECT_EQ(bytes.size(), 4u + 33u + 150u);
    TZMaterialBase reread;
    ASSERT_TRUE(materialsFile::parse(bytes, reread));
    EXPECT_EQ(reread.at(0).name, m.name);
    EXPECT_EQ(materialsFile::serialize(reread, false), bytes);

    // A damaged file with a longer name: cut to 149 bytes, and the record after it still reads.
    const std::string damaged = handBuiltBase(
        {{1, 0, 0, 0.9, 1.0, std::string(400, 'n'), 100.0}, {2, 1, 0, 0.8, 1.1, "next", 200.0}}, 5);
    ASSERT_TRUE(materialsFile::parse(damaged, reread));
    ASSERT_EQ(reread.count(), 2);
    EXPECT_EQ(reread.at(0).name, std::string(149, 'n'));
    EXPECT_EQ(reread.at(0).width, 100.0);
    EXPECT_EQ(reread.at(1).name, "next");
    // A name that reached memory longer than its field is written cut too.
    reread.at(0).name = std::string(300, 'q');
    EXPECT_EQ(materialsFile::serialize(reread, false).find(std::string(150, 'q')), std::string::npos);
}

TEST(MaterialBase, TruncatedFileKeepsTheRecordsReadAndZeroFillsTheRest) {
    const std::string full = handBuiltBase(kRows, 3);
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        TZMaterialBase base;
        ASSERT_TRUE(materialsFile::parse(full.substr(0, cut), base)) << cut;
        EXPECT_EQ(base.count(), cut >= 4 ? 3 : 0) << cut;
    }
    TZMaterialBase base;
    // Cut inside record 2's name: records 0 and 1 intact, record 2 has its id and nothing after it.
    const std::size_t inName = full.rfind("Ivory") + 2;
    ASSERT_TRUE(materialsFile::parse(full.substr(0, inName), base));
    EXPECT_EQ(base.at(1).name, kRows[1].name);
    EXPECT_EQ(base.at(2).id, 3);
    EXPECT_EQ(base.at(2).name, "");
    EXPECT_EQ(base.at(2).width, 0.0);
}

TEST(MaterialBase, ImpossibleCountsLeaveTheBaseEmptyAndTheFileUntouched) {
    for (std::int32_t count : {10001, -1, std::numeric_limits<std::int32_t>::max()}) {
        TempDir dir;
        ImageBytes b;
        b.i32(count);
        b.bytes += handBuiltBase(kRows, 3).substr(4);
        writeFile(dir / "materials.mat", b.bytes);
        TZMaterialBase base;
        EXPECT_FALSE(base.load(dir.path())) << count;
        EXPECT_EQ(base.count(), 0);
        EXPECT_EQ(readFile(dir / "materials.mat"), b.bytes);
    }
    // The limit itself is read (zero-filled records past the data).
    ImageBytes b;
    b.i32(10000);
    TZMaterialBase base;
    ASSERT_TRUE(materialsFile::parse(b.bytes, base));
    EXPECT_EQ(base.count(), 10000);
}

TEST(MaterialBase, FailedSaveIsReportedAndKeepsTheOldFile) {
    TZMaterialBase never;
    EXPECT_FALSE(never.save(false)); // never loaded: no file to write

    TempDir dir;
    TZMaterialBase base;
    base.load(dir.path() / "no such folder");
    base.append(Material{});
    EXPECT_FALSE(base.save(false));

    // The file's place is taken by a folder: the save fails and the folder stays.
    std::filesystem::create_directory(dir / "materials.mat");
    TZMaterialBase blocked;
    EXPECT_FALSE(blocked.load(dir.path()));
    blocked.append(Material{});
    EXPECT_FALSE(blocked.save(false));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "materials.mat"));
}

TEST(MaterialBase, TheDocumentLoadsTheBaseOfItsProgramDirectory) {
    TempDir dir;
    writeFile(dir / "materials.mat", handBuiltBase(kRows, 10));
    TestDocument t(false, dir.path());
    ASSERT_EQ(t->resources.materialBase.count(), 3);
    EXPECT_EQ(t->resources.materialBase.loadCounter, 10);
    EXPECT_EQ(t->resources.materialBase.file(), dir / "materials.mat");
    EXPECT_EQ(readFile(dir / "materials.mat"), handBuiltBase(kRows, 11));
}
