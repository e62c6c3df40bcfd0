#include <gtest/gtest.h>

#include <fstream>

#include "storage/file_io.h"
#include "storage/image_bytes.h"
#include "storage/price_file.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// A price file built by hand: two cities, two area steps, one corner step, two ceiling rows (one
// without prices), one corner row, two extra works.
ImageBytes handBuiltPrices() {
    ImageBytes b;
    b.field(1), b.i32(2), b.wstr(L"Москва"), b.wstr(L"Тверь");
    b.field(2), b.i32(2), b.f64(10.0), b.f64(20.5);
    b.field(3), b.i32(1), b.i32(4);
    b.field(4), b.i32(2);
    b.wstr(L"Матовый белый"), b.i32(0), b.i32(3), b.f64(450.0), b.f64(420.0), b.f64(400.0);
    b.wstr(L"Сатин"), b.i32(1), b.i32(0);
    b.field(5), b.i32(1), b.i32(0), b.i32(2), b.f64(0.0), b.f64(150.0);
    b.field(6), b.i32(2);
    b.wstr(L"Люстра"), b.i32(0), b.f64(500.0);
    b.wstr(L"%Срочность"), b.i32(1), b.f64(1.2);
    b.field(7);
    return b;
}

} // namespace

TEST(PriceFile, EmptyFileIsSixZeroCounts) {
    TZPriceFile prices;
    EXPECT_EQ(prices.serialize(), std::string(24, '\0'));
    prices.cities.append(L"x");
    ASSERT_TRUE(prices.parse(std::string(24, '\0')));
    EXPECT_EQ(prices.cities.count(), 0);
}

TEST(PriceFile, EveryListIsReadFromTheLayout) {
    TZPriceFile p;
    ASSERT_TRUE(p.parse(handBuiltPrices().bytes));
    ASSERT_EQ(p.cities.count(), 2);
    EXPECT_EQ(p.cities.at(1), L"Тверь");
    ASSERT_EQ(p.areaSteps.count(), 2);
    EXPECT_EQ(p.areaSteps.at(1), 20.5);
    ASSERT_EQ(p.cornerSteps.count(), 1);
    EXPECT_EQ(p.cornerSteps.at(0), 4);
    ASSERT_EQ(p.ceilingPrices.count(), 2);
    EXPECT_EQ(p.ceilingPrices.at(0).name, L"Матовый белый");
    EXPECT_EQ(p.ceilingPrices.at(0).city, 0);
    ASSERT_EQ(p.ceilingPrices.at(0).prices.count(), 3);
    EXPECT_EQ(p.ceilingPrices.at(0).prices.at(2), 400.0);
    EXPECT_EQ(p.ceilingPrices.at(1).city, 1);
    EXPECT_EQ(p.ceilingPrices.at(1).prices.count(), 0);
    ASSERT_EQ(p.cornerPrices.count(), 1);
    EXPECT_EQ(p.cornerPrices.at(0).city, 0);
    EXPECT_EQ(p.cornerPrices.at(0).prices.at(1), 150.0);
    ASSERT_EQ(p.extraWorks.count(), 2);
    EXPECT_EQ(p.extraWorks.at(1).name, L"%Срочность");
    EXPECT_EQ(p.extraWorks.at(1).city, 1);
    EXPECT_EQ(p.extraWorks.at(1).price, 1.2);
    // Written back byte for byte.
    EXPECT_EQ(p.serialize(), handBuiltPrices().bytes);
}

TEST(PriceFile, RowWithoutPricesIsItsNameCityAndZero) {
    TZPriceFile p;
    p.ceilingPrices.append(TZPriceCeil{L"A", {}, 3});
    ImageBytes expected;
    expected.i32(0), expected.i32(0), expected.i32(0), expected.i32(1);
    expected.wstr(L"A"), expected.i32(3), expected.i32(0);
    expected.i32(0), expected.i32(0);
    EXPECT_EQ(p.serialize(), expected.bytes);
}

TEST(PriceFile, CityNamesOutsideWindows1251SurviveSaveAndLoad) {
    TempDir dir;
    TZPriceFile p;
    const std::wstring names[] = {L"Øresund", L"東京", L"Škofja Loka", L"𝄞 Musikstadt", L"Київ"};
    for (const std::wstring& n : names)
        p.cities.append(n);
    ASSERT_TRUE(p.save(dir.path()));
    TZPriceFile q;
    ASSERT_TRUE(q.load(dir.path()));
    ASSERT_EQ(q.cities.count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(q.cities.at(i), names[i]);
    EXPECT_EQ(q.serialize(), p.serialize());
}

TEST(PriceFile, SaveThenLoadIsByteIdentical) {
    TempDir dir;
    TZPriceFile p;
    ASSERT_TRUE(p.parse(handBuiltPrices().bytes));
    ASSERT_TRUE(p.save(dir.path()));
    std::string onDisk;
    ASSERT_EQ(readWholeFile(dir / "price.dat", 1u << 20, onDisk), ReadStatus::Ok);
    EXPECT_EQ(onDisk, handBuiltPrices().bytes);
    TZPriceFile q;
    ASSERT_TRUE(q.load(dir.path()));
    ASSERT_TRUE(q.save(dir.path()));
    std::string again;
    ASSERT_EQ(readWholeFile(dir / "price.dat", 1u << 20, again), ReadStatus::Ok);
    EXPECT_EQ(again, onDisk);
}

TEST(PriceFile, TruncatedFileGivesTheRowsReadAndZeroFilledOnes) {
    const ImageBytes b = handBuiltPrices();
    for (std::size_t cut = 0; cut <= b.bytes.size(); ++cut) {
        TZPriceFile p;
        ASSERT_TRUE(p.parse(b.bytes.substr(0, cut))) << cut;
    }
    // Cut inside the second ceiling row's name: the first row intact, the second zero-filled,
    // the counts already read give their rows, later lists empty.
    TZPriceFile p;
    ASSERT_TRUE(p.parse(b.bytes.substr(0, b.bytes.find(std::string("\x21\x04\x30\x04", 4)) + 3))); // "Са…"
    ASSERT_EQ(p.ceilingPrices.count(), 2);
    EXPECT_EQ(p.ceilingPrices.at(0).prices.count(), 3);
    EXPECT_EQ(p.ceilingPrices.at(1).name, L"");
    EXPECT_EQ(p.ceilingPrices.at(1).city, 0);
    EXPECT_EQ(p.cornerPrices.count(), 0);
    EXPECT_EQ(p.extraWorks.count(), 0);
}

TEST(PriceFile, CountsAboveTheirLimitsStopParsing) {
    const ImageBytes b = handBuiltPrices();
    auto listCount = [](const TZPriceFile& p, int field) {
        const int counts[] = {p.cities.count(),        p.areaSteps.count(),    p.cornerSteps.count(),
                              p.ceilingPrices.count(), p.cornerPrices.count(), p.extraWorks.count()};
        return counts[field - 1];
    };
    for (int field = 1; field <= 6; ++field) {
        // At the limit, in a file that ends right after the count: that many zero-filled entries.
        ImageBytes atLimit = b;
        atLimit.patchI32(b.fieldStart.at(field), 10000);
        TZPriceFile p;
        EXPECT_TRUE(p.parse(atLimit.bytes.substr(0, b.fieldStart.at(field) + 4))) << field;
        EXPECT_EQ(listCount(p, field), 10000) << field;

        ImageBytes above = b;
        above.patchI32(b.fieldStart.at(field), 10001);
        EXPECT_FALSE(p.parse(above.bytes)) << field;
        EXPECT_EQ(p.cities.count(), field > 1 ? 2 : 0) << field; // lists before the bad count stay
        EXPECT_EQ(p.extraWorks.count(), 0) << field;
    }
    // The prices of one row: one per band, so one more than the largest list.
    const std::size_t firstRowPrices = b.fieldStart.at(4) + 4 + 2 * 14 + 4;
    ImageBytes atLimit = b;
    atLimit.patchI32(firstRowPrices, 10001);
    TZPriceFile p;
    EXPECT_TRUE(p.parse(atLimit.bytes.substr(0, firstRowPrices + 4)));
    EXPECT_EQ(p.ceilingPrices.at(0).prices.count(), 10001);
    ImageBytes above = b;
    above.patchI32(firstRowPrices, 10002);
    EXPECT_FALSE(p.parse(above.bytes));
    ASSERT_EQ(p.ceilingPrices.count(), 1); // the row keeps its name and city
    EXPECT_EQ(p.ceilingPrices.at(0).name, L"Матовый белый");
    EXPECT_EQ(p.ceilingPrices.at(0).prices.count(), 0);
    EXPECT_EQ(p.cornerPrices.count(), 0);
}

TEST(PriceFile, MissingFileLeavesEveryListEmpty) {
    TempDir dir;
    TZPriceFile p;
    p.cities.append(L"old");
    EXPECT_FALSE(p.load(dir.path()));
    EXPECT_EQ(p.cities.count(), 0);
    std::ofstream(dir / "price.dat", std::ios::binary); // an empty file: no lists either
    EXPECT_TRUE(p.load(dir.path()));
    EXPECT_EQ(p.cities.count(), 0);
}

TEST(PriceFile, FailedSaveIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    TZPriceFile p;
    p.cities.append(L"Тверь");
    EXPECT_FALSE(p.save(dir / "missing folder"));
    std::filesystem::create_directory(dir / "price.dat");
    EXPECT_FALSE(p.save(dir.path()));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "price.dat"));
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}
