// tenzora-cli add-construction and add-cutout, run as the program they are.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "business/project_file.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun runCli(const std::string& arguments) {
    CliRun r;
    const std::string command = std::string(TENZORA_CLI_PATH) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class ConstructionsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        TestDocument doc;
        setOutline(*doc, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
        doc->showConstructions = true;
        ASSERT_TRUE(saveProject(*doc, (dir / "room.tz").wstring()));
    }
    std::string file(const std::string& name) { return (dir / name).string(); }
    TempDir dir;
};

TEST_F(ConstructionsCli, AddsAConstructionAndACutoutMeasuredOnTheOutlineWithIt) {
    CliRun r = runCli("add-construction " + file("room.tz") +
                      " --kind rectangle --v1 A --v2 B --d1 100 --d2 100 --depth -50 -o " + file("niche.tz"));
    ASSERT_EQ(r.status, 0) << r.out;
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["constructions"].size(), 1u);
    EXPECT_EQ(j["constructions"][0]["kind"], 1);
    EXPECT_EQ(j["constructions"][0]["firstPointIndex"], 1);
    EXPECT_EQ(j["workingOutline"].size(), 8u);
    // The niche goes 50 cm out of the room: its first corner P1 and its outer corner P2 lie 50 apart
    // (the outline is re-placed after the construction is stored, so positions are relative).
    const auto& w = j["workingOutline"];
    EXPECT_NEAR(std::hypot(w[2][0].get<double>() - w[1][0].get<double>(),
                           w[2][1].get<double>() - w[1][1].get<double>()),
                50.0, 1e-9);

    // G and H are C and D of the outline with the niche.
    r = runCli("add-cutout " + file("niche.tz") +
               " --type circle --mode 3 --size 40 --row G:100,H:316.2278 -o " + file("both.tz"));
    ASSERT_EQ(r.status, 0) << r.out;
    j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["cutouts"].size(), 1u);
    EXPECT_EQ(j["cutouts"][0]["rows"][0]["vertex1"], 6);
    EXPECT_EQ(j["cutouts"][0]["points"].size(), 6u);

    r = runCli("info " + file("both.tz"));
    ASSERT_EQ(r.status, 0);
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["cutouts"][0]["points"].size(), 6u);
    EXPECT_EQ(j["workingOutline"].size(), 8u);
}

TEST_F(ConstructionsCli, BadUsageAndUnknownNamesExitWithTwo) {
    const std::string room = file("room.tz");
    EXPECT_EQ(runCli("add-construction " + room + " --kind spiral --v1 A --v2 B").status, 2);
    EXPECT_EQ(runCli("add-construction " + room + " --kind arc --v1 A --v2 B").status, 2); // no depth
    EXPECT_EQ(runCli("add-construction " + room + " --kind rectangle --v1 A --v2 Q --depth 5").status, 2);
    EXPECT_EQ(runCli("add-construction " + room + " --kind rectangle --v1 A --v2 B --depth x").status, 2);
    EXPECT_EQ(runCli("add-cutout " + room + " --type circle --mode 1 --size 4 --row A:1,B:1").status, 2);
    EXPECT_EQ(runCli("add-cutout " + room + " --type rectangle --size 4 --row A:1,B:1").status, 2); // one row
    EXPECT_EQ(runCli("add-cutout " + room + " --type free --row A:1,A:1").status, 2);
    EXPECT_EQ(runCli("add-cutout " + room + " --type free --row A:1,E:1").status, 2);
    EXPECT_EQ(runCli("add-cutout " + room + " --type ellipse --size 4 --row A:100,B:350").status, 2);
    EXPECT_EQ(runCli("add-cutout " + file("missing.tz") + " --type free --row A:1,B:1").status, 1);
    // A corner cut needs only its corner; an ellipse its side and second diameter.
    EXPECT_EQ(runCli("add-construction " + room + " --kind corner-cut --v2 C --d1 30 --d2 30").status, 0);
    const CliRun e = runCli("add-cutout " + room +
                            " --type ellipse --size 80 --size2 40 --parallel BC --turned --row A:100,B:350");
    ASSERT_EQ(e.status, 0);
    const auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(j["cutouts"][0]["rows"].size(), 2u);
    EXPECT_EQ(j["cutouts"][0]["rows"][1]["vertex1"], 1);
    EXPECT_EQ(j["cutouts"][0]["rows"][1]["distance2"], 1.0);
}

} // namespace
