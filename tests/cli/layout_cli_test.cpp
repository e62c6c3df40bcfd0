// tenzora-cli layout: the cutting dialog's OK and its optimiser, run as the program they are.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "business/project_file.h"
#include "cli_run.h"
#include "storage/codepage.h"
#include "storage/material_base.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using namespace clitest;

Material record(std::int32_t id, std::int32_t groupId, bool group, const wchar_t* name, double width = 0) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = group ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    return m;
}

class LayoutCli : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(home.path() / "empty");
        TZMaterialBase base;
        base.append(record(1, 0, true, L"MSD"));
        base.append(record(2, 1, false, L"Белый мат", 320));
        base.append(record(3, 1, false, L"Широкий", 500));
        std::ofstream(home / "materials.mat", std::ios::binary) << materialsFile::serialize(base, false);

        TestDocument doc;
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        ASSERT_TRUE(saveProject(*doc, (home / "room.tz").wstring()));
    }
    CliRun run(const std::vector<std::string>& args, const std::string& programDir = "") {
        std::string command = shellQuoted(TENZORA_CLI_PATH) + " --home " +
                              shellQuoted(programDir.empty() ? home.path().string() : programDir) +
                              " --settings " + shellQuoted((home / "settings.ini").string()) +
                              " --material-with-tension no";
        for (const std::string& a : args)
            command += " " + shellQuoted(a);
        command += " >" + shellQuoted((home / "out").string()) + " 2>" + shellQuoted((home / "err").string());
        CliRun r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(home / "out");
        r.err = slurp(home / "err");
        return r;
    }
    std::string file(const std::string& name) { return (home / name).string(); }
    TempDir home;
};

TEST_F(LayoutCli, LaysTheCanvasesOutWithTheChosenFabricAndSavesThem) {
    CliRun r =
        run({"layout", file("room.tz"), "--side", "ab", "--fabric", "Белый мат", "-o", file("laid.tz")});
    ASSERT_EQ(r.status, 0) << r.err;
    auto j = r.json();
    EXPECT_EQ(j["mode"], 8);
    EXPECT_EQ(j["material"]["name"], "Белый мат");
    const auto& layout = j["layout"];
    EXPECT_EQ(layout["seamFrom"], 0);
    EXPECT_EQ(layout["seamTo"], 1);
    EXPECT_NEAR(layout["materialQuantity"].get<double>(), 34.41, 0.005);
    EXPECT_EQ(layout["canvasLengths"].size(), 2u);
    EXPECT_EQ(layout["seamLines"].size(), 6u);
    ASSERT_EQ(layout["canvases"].size(), 2u);
    EXPECT_EQ(layout["canvases"][0], "C(0;0)     D(465.0;0)     E(0;52.0)     F(465.0;52.0)     ");
    EXPECT_EQ(layout["tensionY"], -1.0);

    // The saved project keeps the layout; info reads it back with the canvas texts.
    r = run({"info", file("laid.tz")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json()["layout"]["canvases"], layout["canvases"]);

    // Numbers override the fabric's fields; a comma reads as a decimal point in the fields.
    r = run({"layout", file("room.tz"), "--side", "AB", "--width", "500", "--tension", "0.9", "--tension-y",
             "0.95", "--seams", "20", "--perpendicular", "--offset", "-250"});
    ASSERT_EQ(r.status, 0) << r.err;
    j = r.json();
    EXPECT_EQ(j["material"]["width"], 500.0);
    EXPECT_EQ(j["layout"]["seamWidth"], 20);
    EXPECT_EQ(j["layout"]["seamPerpendicular"], true);
    EXPECT_EQ(j["layout"]["seamOffset"], -250.0);
    EXPECT_NEAR(j["layout"]["materialQuantity"].get<double>(), 480 / 0.9 * 800 / 10000, 1e-6);
}

TEST_F(LayoutCli, TheOptimiserChoosesTheSideItself) {
    const CliRun r = run({"layout", file("room.tz"), "--optimise", "--group", "MSD", "--fabric", "Широкий"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = r.json();
    EXPECT_GE(j["layout"]["seamFrom"].get<int>(), 0);
    EXPECT_EQ(j["layout"]["seamOffset"], 0.0);
    EXPECT_EQ(j["layout"]["seamPerpendicular"], false);
    // 500 cm of fabric covers the room in one canvas of 400 across.
    EXPECT_NEAR(j["layout"]["materialQuantity"].get<double>(), 500 / 0.93 * 400 / 10000, 1e-6);
}

TEST_F(LayoutCli, BadUsageAndFailures) {
    const std::string room = file("room.tz");
    EXPECT_EQ(run({"layout", room}).status, 2);                  // no side
    EXPECT_EQ(run({"layout", room, "--side", "XYZ"}).status, 2); // not a name
    EXPECT_EQ(run({"layout", room, "--side", "AB", "--width", "wide"}).status, 2);
    EXPECT_EQ(run({"layout", room, "--side", "AB", "--fabric", "Нет такого"}).status, 2);
    EXPECT_EQ(run({"layout", room, "--side", "AB", "--offset2", "3"}).status, 2);
    EXPECT_EQ(run({"layout", room, "--side", "AK"}).status, 1);                   // no point K
    EXPECT_EQ(run({"layout", room, "--side", "AB", "--seams", "320"}).status, 1); // no pitch left
    EXPECT_EQ(run({"layout", file("missing.tz"), "--side", "AB"}).status, 1);
    const CliRun empty = run({"layout", room, "--side", "AB"}, file("empty"));
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("базе материалов"), std::string::npos);
}

} // namespace
