// tenzora-cli info: the project JSON of a saved project, and the failures a script must see.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "business/project_file.h"
#include "cli_run.h"
#include "storage/codepage.h"
#include "storage/image_bytes.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using namespace clitest;

CliRun cli(const std::vector<std::string>& args) {
    return runCli(args);
}

std::string utf8Path(const std::filesystem::path& p) {
    return codepage::toUtf8(codepage::fromPath(p));
}

} // namespace

TEST(CliInfo, PrintsVerticesRecordsOrderAndMaterialOfASavedProject) {
    TempDir dir;
    TestDocument t;
    fillEveryField(*t);
    const std::wstring path = codepage::fromPath(dir.path()) + L"/заказ 17.tz";
    ASSERT_TRUE(saveProject(*t, path));

    const CliRun run = cli({"info", codepage::toUtf8(path)});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = run.json();

    ASSERT_EQ(j["vertices"].size(), 4u);
    EXPECT_EQ(j["vertices"][2]["name"], "C");
    EXPECT_EQ(j["vertices"][2]["x"], 400.0);
    EXPECT_EQ(j["vertices"][2]["y"], 300.0);
    EXPECT_EQ(j["vertices"][1]["rightAngle"], true);
    EXPECT_EQ(j["vertices"][2]["sidePreference"], 2);

    ASSERT_EQ(j["records"].size(), 5u);
    EXPECT_EQ(j["records"][4]["name"], "AC");
    EXPECT_EQ(j["records"][4]["length"], 500.0);
    EXPECT_EQ(j["records"][4]["isSide"], false);
    EXPECT_EQ(j["records"][3]["name"], "AD");
    EXPECT_EQ(j["records"][3]["isSide"], true);

    const nlohmann::json& order = j["order"];
    EXPECT_EQ(order["name"], "Кухня");
    EXPECT_EQ(order["number"], "№ 17");
    EXPECT_EQ(order["date"], "12.03.2024");
    EXPECT_EQ(order["client"], "Иванов Иван Иванович¬+7 900 000-00-00");
    EXPECT_EQ(order["note"], "Потолок белый, люстра по центру");
    EXPECT_EQ(order["city"], 1);
    EXPECT_EQ(order["ceilingType"], "Сатин ☂ 𝄞");
    EXPECT_EQ(order["harpoon"], 2);
    EXPECT_EQ(order["sentToWork"], true);

    const nlohmann::json& material = j["material"];
    EXPECT_EQ(material["id"], 7);
    EXPECT_EQ(material["groupId"], 3);
    EXPECT_EQ(material["name"], "Белый матовый 320");
    EXPECT_EQ(material["width"], 320.0);
    EXPECT_EQ(material["tensionCoef"], 0.95);
    EXPECT_EQ(material["offcutPriceCoef"], 1.2);

    // Saved without price lists (the document's program directory has none): the job cost is 0.
    EXPECT_EQ(j["file"]["signature"], "Tenzora file format. Version 1.01. $0");
    EXPECT_EQ(j["file"]["priceTag"], "0");
    EXPECT_EQ(j["file"]["currentFormat"], true);
    EXPECT_EQ(j["title"], "Tenzora 1.0 ::: Кухня (" + codepage::toUtf8(path) + ")");
    EXPECT_EQ(j["extraWorks"][1]["name"], "%Срочность");
    EXPECT_EQ(j["photos"].size(), 2u);
    EXPECT_EQ(j["shownPhoto"], 1);
    EXPECT_EQ(j["cutouts"][0]["rows"].size(), 2u);
    EXPECT_EQ(j["layout"]["seamLines"].size(), 4u);
    EXPECT_EQ(j["gridStep"], 25.0);
    EXPECT_EQ(j["mode"], kModeCutting);
}

TEST(CliInfo, ShowsThePriceTagAndFormatAsTheFileHasThem) {
    TempDir dir;
    TestDocument t;
    fillEveryField(*t);
    ImageBytes b = expectedImage(*t); // an image as a later version with a price would write
    b.bytes.replace(0, b.fieldStart.at(2),
                    std::string("Tenzora file format. Version 1.01. $15300.50") + '\0');
    const auto oldFile = dir / "old.tz";
    std::ofstream(oldFile, std::ios::binary)
        << b.bytes.substr(0, b.bytes.size() - (b.fieldStart.at(88) - b.fieldStart.at(84)));

    const CliRun run = cli({"info", utf8Path(oldFile)});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = run.json();
    EXPECT_EQ(j["file"]["priceTag"], "15300.50");
    EXPECT_EQ(j["file"]["currentFormat"], false);
    const std::string title = j["title"];
    EXPECT_NE(title.find(" СТАРАЯ ВЕРСИЯ ФАЙЛА!"), std::string::npos);
    EXPECT_EQ(j["photos"].size(), 0u);
}

TEST(CliInfo, ReadsTheShippedExample) {
    const CliRun run = cli({"info", std::string(TENZORA_SOURCE_DIR) + "/data/examples/room-400x300.tz"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = run.json();
    ASSERT_EQ(j["vertices"].size(), 4u);
    EXPECT_EQ(j["vertices"][1]["x"], 400.0);
    ASSERT_EQ(j["records"].size(), 5u);
    EXPECT_EQ(j["records"][4]["name"], "AC");
    EXPECT_EQ(j["records"][4]["length"], 500.0);
    EXPECT_EQ(j["order"]["name"], "Кухня");
    EXPECT_EQ(j["material"]["name"], "Белый матовый");
    EXPECT_EQ(j["material"]["width"], 320.0);
}

TEST(CliInfo, FailuresGoToStandardErrorWithTheirExitStatus) {
    TempDir dir;
    const CliRun missing = cli({"info", utf8Path(dir / "нет.tz")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("нет.tz"), std::string::npos) << missing.err;

    std::ofstream(dir / "other.tz", std::ios::binary)
        << std::string("PK\x03\x04 something else", 20) << '\0' << "xx";
    const CliRun foreign = cli({"info", utf8Path(dir / "other.tz")});
    EXPECT_EQ(foreign.status, 1);
    // The message box text as one line (Qt may put notices of its own in front).
    const std::string line = "Файл этого формата не поддерживается\n";
    ASSERT_GE(foreign.err.size(), line.size());
    EXPECT_EQ(foreign.err.substr(foreign.err.size() - line.size()), line) << foreign.err;

    EXPECT_EQ(cli({"info"}).status, 2);
    EXPECT_EQ(cli({"info", "a.tz", "b.tz"}).status, 2);
}
