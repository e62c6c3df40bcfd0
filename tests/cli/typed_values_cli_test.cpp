// tenzora-cli refuses the typed values the window refuses: exit status 1, the window's message on
// standard error, and no project written.

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>

#include "business/project_file.h"
#include "cli_run.h"
#include "storage/codepage.h"
#include "storage/material_base.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using namespace clitest;

const std::vector<std::string> kBad = {"-5", "nan", "inf", "1e308", "1e999", "abc"};

class TypedValuesCli : public ::testing::Test {
  protected:
    void SetUp() override {
        TZMaterialBase base;
        Material group;
        group.id = 1, group.isGroup = 1, group.setName("MSD");
        Material white;
        white.id = 2, white.groupId = 1, white.setName("White"), white.width = 320;
        base.append(group);
        base.append(white);
        std::ofstream(home / "materials.mat", std::ios::binary) << materialsFile::serialize(base, false);
        TestDocument doc;
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        ASSERT_TRUE(saveProject(*doc, (home / "room.tz").wstring()));
    }
    CliRun run(std::vector<std::string> args) { return runCli(args, home.path()); }
    std::string room() { return (home / "room.tz").string(); }
    std::string out() { return (home / "out.tz").string(); }
    TempDir home;
};

TEST_F(TypedValuesCli, MeasureRefusesALengthNoRoomHasAndEntersNothing) {
    for (const std::string& bad : kBad) {
        // A good length before the bad one is not entered either: the project is not written.
        const CliRun r = run({"measure", room(), "AB=500", "AC=" + bad, "-o", out()});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("AC: Поле «Длина»: введите число больше 0 и не больше 10000 см"),
                  std::string::npos)
            << bad << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << bad;
        EXPECT_FALSE(std::filesystem::exists(home / "out.tz")) << bad;
    }
    const CliRun ok = run({"measure", room(), "AB=500", "AC=640,3", "-o", out()});
    ASSERT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.out.find("null"), std::string::npos);
}

TEST_F(TypedValuesCli, LayoutConstructionAndCutoutOptionsRefuseWhatTheirFieldsRefuse) {
    struct Case {
        std::vector<std::string> args; // the value is appended
        std::string message;
    };
    const Case cases[] = {
        {{"layout", room(), "--side", "AB", "--width"},
         "Поле «Ширина»: введите число больше 0 и не больше 1000 см"},
        {{"layout", room(), "--side", "AB", "--tension"}, "Поле «К-т натяжения»: введите число от 0.5 до 1"},
        {{"layout", room(), "--side", "AB", "--offset"}, "Поле «Отступ»:"},
        {{"layout", room(), "--side", "AB", "--offcut-coef"}, "Поле «К-т лишнего материала»:"},
        {{"add-construction", room(), "--kind", "rectangle", "--v1", "A", "--v2", "B", "--d1", "100", "--d2",
          "100", "--depth"},
         "Поле «Глубина»: введите число от -10000 до 10000 см"},
        {{"add-cutout", room(), "--type", "circle", "--mode", "3", "--row", "A:100,B:100", "--size"},
         "Поле «Размер»: введите число от 0 до 10000 см"},
    };
    for (const Case& c : cases) {
        for (const char* bad : {"nan", "inf", "1e308", "1e999", "-20000"}) {
            std::vector<std::string> args = c.args;
            args.push_back(bad);
            args.insert(args.end(), {"-o", out()});
            const CliRun r = run(args);
            EXPECT_EQ(r.status, 1) << c.args[0] << " " << c.args.back() << " " << bad << ": " << r.err;
            EXPECT_NE(r.err.find(c.message), std::string::npos)
                << c.args.back() << " " << bad << ": " << r.err;
            EXPECT_FALSE(std::filesystem::exists(home / "out.tz")) << c.args.back() << " " << bad;
        }
        // A word where a number belongs stays bad usage.
        std::vector<std::string> args = c.args;
        args.push_back("abc");
        EXPECT_EQ(run(args).status, 2) << c.args.back();
    }
}

} // namespace

namespace {

bool holdsNanOrInfinity(const std::string& text) {
    for (const char* word : {"nan", "NaN", "inf", "null"}) {
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
            const auto isWordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
            const bool starts = at == 0 || !isWordChar(text[at - 1]);
            const std::size_t end = at + std::strlen(word);
            if (starts && (end >= text.size() || !isWordChar(text[end]))) return true;
        }
    }
    return false;
}

} // namespace

TEST_F(TypedValuesCli, ARoomAtTheEdgeOfTheRangesPaintsPricesAndExportsWithoutNaN) {
    // A kilometre across, the largest coordinates a project may hold.
    TestDocument doc;
    setOutline(*doc, {{0, 0}, {100000, 0}, {100000, 100000}, {0, 100000}});
    doc->diagonals.at(0).length = 100000;
    doc->editor.mode = kModePoints;
    doc->orderName = L"Ангар";
    doc->client = L"ООО Ромашка";
    doc->orderNumber = L"7";
    const std::filesystem::path folder = home / "drawings";
    std::filesystem::create_directories(folder);
    const std::string edge = (folder / "edge.tz").string();
    ASSERT_TRUE(saveProject(*doc, codepage::fromPath(folder / "edge.tz")));

    const std::vector<std::vector<std::string>> commands = {
        {"info", edge}, {"form", edge},  {"price", edge},
        {"vars", edge}, {"check", edge}, {"measure", edge, "BC=10000"},
    };
    for (const auto& args : commands) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;
        EXPECT_FALSE(holdsNanOrInfinity(r.out)) << args[0] << ": " << r.out;
    }
    const double area = run({"info", edge}).json()["figures"]["area"].get<double>();
    EXPECT_NEAR(area, 1e6, 1e-3) << "m²";

    // The files written from it.
    struct Written {
        std::vector<std::string> args;
        std::filesystem::path file;
        bool text;
    };
    const Written files[] = {
        {{"export", edge, (home / "edge.png").string()}, home / "edge.png", false},
        {{"export", edge, (home / "edge.pdf").string()}, home / "edge.pdf", false},
        {{"export", edge, (home / "edge.dxf").string()}, home / "edge.dxf", true},
        {{"order-export", edge, (home / "order.txt").string()}, home / "order.txt", true},
        {{"clients", "--folder", folder.string(), "--csv", (home / "clients.csv").string()},
         home / "clients.csv",
         true},
    };
    for (const Written& w : files) {
        const CliRun r = run(w.args);
        EXPECT_EQ(r.status, 0) << w.args[0] << ": " << r.err;
        ASSERT_TRUE(std::filesystem::exists(w.file)) << w.file;
        EXPECT_GT(std::filesystem::file_size(w.file), 0u) << w.file;
        if (w.text) {
            EXPECT_FALSE(holdsNanOrInfinity(slurp(w.file))) << w.file;
        }
    }
}

TEST_F(TypedValuesCli, AProjectWithCoordinatesBeyondAnyRoomIsRefusedOnOpening) {
    for (double huge : {1e300, -1e300, 1e6}) {
        TestDocument doc;
        setOutline(*doc, {{0, 0}, {huge, 0}, {huge, huge}, {0, huge}});
        const std::filesystem::path file = home / "damaged.tz";
        ASSERT_TRUE(saveProject(*doc, codepage::fromPath(file)));
        for (const char* command : {"info", "price", "vars"}) {
            const CliRun r = run({command, file.string()});
            EXPECT_EQ(r.status, 1) << command << " " << huge;
            EXPECT_NE(r.err.find("повреждён: вершина 2 за пределами допустимых значений"), std::string::npos)
                << r.err;
            EXPECT_TRUE(r.out.empty());
        }
    }
    // The window's document is left as it was.
    TestDocument before(true);
    setOutline(*before, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
    EXPECT_FALSE(before->openFile(codepage::fromPath(home / "damaged.tz")));
    EXPECT_EQ(before->polygon.count(), 4);
    EXPECT_EQ(before->polygon[1].x, 500);
    ASSERT_EQ(before.ui.messages.size(), 1u);
    EXPECT_TRUE(before->filePath.empty());
}
