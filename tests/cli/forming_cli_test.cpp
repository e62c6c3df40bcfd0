#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/fakes.h"

using namespace tenzora;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

// Runs tenzora-cli with the arguments (a shell command line tail), standard error discarded.
CliRun cli(const std::string& arguments) {
    const std::string command = std::string("\"") + TENZORA_CLI_PATH + "\" " + arguments + " 2>/dev/null";
    CliRun result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string quoted(const std::filesystem::path& p) {
    return "\"" + p.string() + "\"";
}

} // namespace

TEST(CliForming, ANewRectangleFormsCompletely) {
    TempDir dir;
    const auto file = dir / "r.tz";
    const CliRun created = cli("new rectangle 400 300 -o " + quoted(file));
    ASSERT_EQ(created.status, 0);
    const auto project = nlohmann::json::parse(created.out);
    EXPECT_EQ(project["vertices"].size(), 4u);
    EXPECT_EQ(project["records"].size(), 5u);
    EXPECT_EQ(project["mode"], 5);

    const CliRun formed = cli("form " + quoted(file));
    ASSERT_EQ(formed.status, 0);
    const auto json = nlohmann::json::parse(formed.out);
    EXPECT_EQ(json["formResult"], true);
    EXPECT_EQ(json["statusText"], "");
    EXPECT_EQ(json["outlineFormed"], true);
    EXPECT_EQ(json["figures"]["crossings"], 0);
    EXPECT_NEAR(json["figures"]["area"].get<double>(), 12.0, 1e-3);
    // A new project counts the constructions as the window does: the perimeter is the drawn
    // outline's, within the forming's error of the measured one.
    EXPECT_NEAR(json["figures"]["perimeter"].get<double>(), 14.0, 1e-4);
    for (const auto& r : json["records"])
        EXPECT_NEAR(r["actual"].get<double>(), r["length"].get<double>(), 0.05) << r["name"];
}

TEST(CliForming, MeasureReportsTheTriangleWarningAndSavesOnlyWithO) {
    TempDir dir;
    const auto file = dir / "q.tz";
    const auto measured = dir / "q2.tz";
    ASSERT_EQ(cli("new corners D -o " + quoted(file)).status, 0);
    const CliRun run =
        cli("measure " + quoted(file) + " AB=300 BC=500 CD=300 DA=500 AC=900 -o " + quoted(measured));
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json["warnings"].size(), 1u);
    EXPECT_EQ(json["warnings"][0], "Диагональ AC не может быть больше 800.0 см (AB + BC)");
    EXPECT_TRUE(std::filesystem::exists(measured));
    const auto original = nlohmann::json::parse(cli("info " + quoted(file)).out);
    EXPECT_EQ(original["records"][0]["length"], 0.0) << "the input file is not changed";
}

TEST(CliForming, BadShapesAndNamesFailWithTheRightStatus) {
    TempDir dir;
    const auto file = dir / "s.tz";
    EXPECT_EQ(cli("new circle 100 0 -o " + quoted(file)).status, 1) << "the wizard's message";
    EXPECT_EQ(cli("new circle 100 -o " + quoted(file)).status, 2);
    EXPECT_EQ(cli("new hexagon 1 -o " + quoted(file)).status, 2);
    EXPECT_EQ(cli("new square 300").status, 2) << "-o is required";
    ASSERT_EQ(cli("new square 300 -o " + quoted(file)).status, 0);
    EXPECT_EQ(cli("form " + quoted(file) + " --method 3").status, 2);
    EXPECT_EQ(cli("measure " + quoted(file) + " AZ=5").status, 1);
    EXPECT_EQ(cli("measure " + quoted(file) + " AB").status, 2);
}
