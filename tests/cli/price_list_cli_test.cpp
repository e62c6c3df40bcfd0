// tenzora-cli price-list: price.dat as JSON and back, run as the program it is.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "cli_run.h"
#include "storage/price_file.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using namespace clitest;

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A program directory holding a copy of the shipped price.dat.
struct PriceListCli : ::testing::Test {
    TempDir home;
    TempDir work;
    std::string shipped;
    void SetUp() override {
        shipped = slurp(std::filesystem::path(TENZORA_SOURCE_DIR) / "data" / "price.dat");
        ASSERT_FALSE(shipped.empty());
        writeText(home / "price.dat", shipped);
    }
    std::string priceDat() const { return slurp(home / "price.dat"); }
    CliRun set(const std::string& json) {
        writeText(work / "prices.json", json);
        return runCli({"price-list", "--set", (work / "prices.json").string()}, home.path());
    }
};

} // namespace

TEST_F(PriceListCli, TheShippedPriceListRoundTripsByteForByte) {
    CliRun run = runCli({"price-list"}, home.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = run.json();
    for (const char* key : {"cities", "areaSteps", "cornerSteps", "ceilings", "corners", "extraWorks"})
        EXPECT_TRUE(j.contains(key)) << key;
    TZPriceFile expected;
    ASSERT_TRUE(expected.parse(shipped));
    ASSERT_EQ(j["cities"].size(), static_cast<std::size_t>(expected.cities.count()));
    EXPECT_EQ(j["cities"][0], "Москва");
    EXPECT_EQ(j["ceilings"].size(), static_cast<std::size_t>(expected.ceilingPrices.count()));
    EXPECT_EQ(j["ceilings"][0]["name"], "Матовый");
    EXPECT_EQ(j["ceilings"][0]["prices"].size(), 4u);

    // The printed JSON written back makes the very same file.
    std::filesystem::remove(home / "price.dat");
    run = set(run.out);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(priceDat(), shipped);
    EXPECT_EQ(run.json(), j);
    // No temporary file is left beside it.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(PriceListCli, AWrittenPriceListPricesAProject) {
    const CliRun run = set(R"({"cities": ["Тверь"], "areaSteps": [20, 50], "cornerSteps": [4, 8],
        "ceilings": [{"name": "Глянец", "city": 0, "prices": [500, 450, 400]}],
        "corners": [{"city": 0, "prices": [0, 100, 150]}],
        "extraWorks": [{"name": "%Срочно", "city": 0, "price": 1.2}]})");
    ASSERT_EQ(run.status, 0) << run.err;
    TZPriceFile written;
    ASSERT_TRUE(written.load(home.path()));
    ASSERT_EQ(written.cities.count(), 1);
    EXPECT_EQ(written.cities[0], L"Тверь");
    ASSERT_EQ(written.ceilingPrices.count(), 1);
    EXPECT_EQ(written.ceilingPrices[0].prices.count(), 3);
    EXPECT_DOUBLE_EQ(written.ceilingPrices[0].prices[1], 450.0);
    EXPECT_EQ(written.extraWorks[0].name, L"%Срочно");

    // An empty price list is the 24 bytes of six empty counts.
    ASSERT_EQ(
        set(R"({"cities":[],"areaSteps":[],"cornerSteps":[],"ceilings":[],"corners":[],"extraWorks":[]})")
            .status,
        0);
    EXPECT_EQ(priceDat(), std::string(24, '\0'));
}

TEST_F(PriceListCli, RefusedTextNamesTheFieldAndKeepsTheOldFile) {
    const std::string base =
        R"("areaSteps": [20, 50], "cornerSteps": [4, 8], "corners": [], "extraWorks": [])";
    const std::pair<std::string, std::string> cases[] = {
        {R"({"cities": ["A"], )" + base + R"(, "ceilings": [{"name": "X", "city": 1, "prices": []}]})",
         "\"ceilings[0].city\""},
        {R"({"cities": ["A"], "areaSteps": [50, 20], "cornerSteps": [], "ceilings": [], "corners": [], "extraWorks": []})",
         "\"areaSteps[1]\""},
        {R"({"cities": ["A"], "areaSteps": [], "cornerSteps": [0], "ceilings": [], "corners": [], "extraWorks": []})",
         "\"cornerSteps[0]\""},
        {R"({"cities": ["A"], )" + base + R"(, "ceilings": [{"name": "", "city": 0, "prices": []}]})",
         "\"ceilings[0].name\""},
        {R"({"cities": ["A"], )" + base + R"(, "ceilings": [{"name": "X", "city": 0, "prices": [1, "2"]}]})",
         "\"ceilings[0].prices[1]\""},
        {R"({"cities": ["A"], )" + base + R"(, "ceilings": [{"name": "X", "city": 0, "prices": [-5]}]})",
         "\"ceilings[0].prices[0]\""},
        {R"({"cities": ["A"], )" + base + R"(, "ceilings": [{"name": "X", "city": 0, "prices": [1e308]}]})",
         "\"ceilings[0].prices[0]\": цена должна быть не больше 1000000000"},
        {R"({"cities": ["A"], "areaSteps": [20, 1e300], "cornerSteps": [], "ceilings": [], "corners": [], "extraWorks": []})",
         "\"areaSteps[1]\": градация площади должна быть не больше 1000000"},
        {R"({"cities": ["A"], )" + base + R"(})", "\"ceilings\""},
        {R"({"cities": ["A"], )" + base + R"(, "ceilings": [], "extra": 1})", "\"extra\""},
        {R"({"cities": ["A"], )" + base + R"(, "ceilings": [{"name": "X", "city": 0.5, "prices": []}]})",
         "\"ceilings[0].city\""},
        {R"({"cities": ["A"], "areaSteps": [], "cornerSteps": [], "ceilings": [], "corners": [],
             "extraWorks": [{"name": "W", "city": 0}]})",
         "\"extraWorks[0].price\""},
        {R"({"cities": [)", "JSON"},
        {R"([1, 2])", "объект"},
    };
    for (const auto& [text, field] : cases) {
        const CliRun run = set(text);
        EXPECT_EQ(run.status, 1) << text;
        EXPECT_NE(run.err.find(field), std::string::npos) << text << "\n" << run.err;
        EXPECT_NE(run.err.find("price.dat не изменён"), std::string::npos) << run.err;
        EXPECT_EQ(priceDat(), shipped) << text;
    }
    // A file that cannot be read is named; usage errors are usage errors.
    CliRun run = runCli({"price-list", "--set", (work / "absent.json").string()}, home.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("absent.json"), std::string::npos) << run.err;
    EXPECT_EQ(runCli({"price-list", "extra"}, home.path()).status, 2);
    EXPECT_EQ(priceDat(), shipped);
}
