// tenzora-cli check and layout --optimise=fine, run as the program they are.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "business/project_file.h"
#include "cli_run.h"
#include "cutting/construction_operations.h"
#include "model/ceiling.h"
#include "model/forming.h"
#include "storage/codepage.h"
#include "storage/material_base.h"
#include "support/fakes.h"
#include "support/rooms.h"

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
    m.tensionCoef = 0.93;
    m.offcutPriceCoef = 1;
    return m;
}

class CheckCli : public ::testing::Test {
  protected:
    void SetUp() override {
        TZMaterialBase base;
        base.append(record(1, 0, true, L"MSD"));
        base.append(record(2, 1, false, L"Широкий", 500));
        std::ofstream(home / "materials.mat", std::ios::binary) << materialsFile::serialize(base, false);
    }
    std::string save(TestDocument& doc, const std::string& name) {
        const auto path = home / name;
        EXPECT_TRUE(saveProject(*doc, path.wstring()));
        return path.string();
    }
    TempDir home;
};

TEST_F(CheckCli, NamesTheMistypedDiagonalAndTheImpossibleOne) {
    TestDocument room;
    buildMeasuredRoom(*room, {{0, 0}, {600, 0}, {600, 300}, {300, 300}, {300, 500}, {0, 500}},
                      {L"AC", L"AD", L"AE", L"BD", L"BE", L"CE"}, 10);
    measureRecord(*room, L"BD", std::hypot(300, 300) + 20);
    formProject(*room, -1);
    CliRun r = runCli({"check", save(room, "l.tz")}, home.path());
    ASSERT_EQ(r.status, 0) << r.err;
    auto j = r.json();
    EXPECT_EQ(j["redundant"], true);
    ASSERT_FALSE(j["suspects"].empty());
    EXPECT_EQ(j["suspects"][0]["name"], "BD");
    EXPECT_NEAR(j["suspects"][0]["fitted"].get<double>(), std::hypot(300, 300), 1.0);
    EXPECT_GT(j["error"].get<double>(), j["suspects"][0]["errorWithout"].get<double>());
    EXPECT_EQ(j["messages"][0].get<std::string>().rfind("BD: измерено 444.3, по остальным ", 0), 0u);

    TestDocument flat;
    buildMeasuredRoom(*flat, {{0, 0}, {0, 400}, {500, 400}, {500, 0}}, {L"AC"}, 10);
    measureRecord(*flat, L"AC", 900);
    formProject(*flat, -1);
    r = runCli({"check", save(flat, "flat.tz")}, home.path());
    ASSERT_EQ(r.status, 0) << r.err;
    j = r.json();
    EXPECT_EQ(j["redundant"], false);
    ASSERT_EQ(j["impossible"].size(), 1u);
    EXPECT_EQ(j["impossible"][0]["name"], "AC");
    EXPECT_EQ(j["impossible"][0]["triangle"], "ABC");
    EXPECT_EQ(j["messages"][1], "Для проверки нужна хотя бы одна лишняя диагональ");

    EXPECT_EQ(runCli({"check"}, home.path()).status, 2);
    EXPECT_EQ(runCli({"check", (home / "missing.tz").string()}, home.path()).status, 1);
}

TEST_F(CheckCli, TheFinerSearchNeedsNoMoreFabricThanTheOptimiser) {
    // A room whose niche sticks out past the seam the optimiser lays through a corner.
    TestDocument room;
    setOutline(*room, {{0, 0}, {950, 0}, {950, 430}, {0, 430}});
    room->showConstructions = true;
    TZDop niche;
    niche.kind = static_cast<std::int32_t>(TZDopKind::Rectangle);
    niche.vertex1 = 1;
    niche.vertex2 = 2;
    niche.distance1 = 80;
    niche.distance2 = 120;
    niche.depth = -100;
    addConstruction(*room, niche);
    const std::string file = save(room, "niche.tz");

    const CliRun part = runCli({"layout", file, "--optimise", "--fabric", "Широкий"}, home.path());
    ASSERT_EQ(part.status, 0) << part.err;
    const CliRun fine =
        runCli({"layout", file, "--optimise=fine", "--fabric", "Широкий", "-o", (home / "fine.tz").string()},
               home.path());
    ASSERT_EQ(fine.status, 0) << fine.err;
    const double partQuantity = part.json()["layout"]["materialQuantity"].get<double>();
    const double fineQuantity = fine.json()["layout"]["materialQuantity"].get<double>();
    EXPECT_LT(fineQuantity, partQuantity - 1.0);

    // The saved project keeps the finer layout.
    const CliRun info = runCli({"info", (home / "fine.tz").string()}, home.path());
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.json()["layout"]["materialQuantity"].get<double>(), fineQuantity);
}

} // namespace
