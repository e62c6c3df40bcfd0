// tenzora-cli export to ".dxf" and ".plt": the drawing and the canvas pieces for CAD programs
// and cutting plotters, read back by ezdxf and by a small HPGL parser, and opened by LibreOffice.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>

#include "business/project_file.h"
#include "cli_run.h"
#include "model/ceiling.h"
#include "storage/codepage.h"
#include "support/dxf_reading.h"

using namespace tenzora;

namespace {

using namespace clitest;

const std::string kExample = std::string(TENZORA_SOURCE_DIR) + "/data/examples/l-shaped-hall.tz";

int pointsInCanvasText(const std::string& text) {
    int count = 0;
    for (char c : text)
        count += c == '(';
    return count;
}

// A 600 × 400 room with an arc, a niche and a bend, a circle and an ellipse cut out, laid out
// along AB on a 320 cm roll without seam allowance.
class CadCli : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        const auto step = [](std::vector<std::string> args) {
            const CliRun r = runCli(args);
            ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
        };
        {
            TestDocument doc;
            setOutline(*doc, {{0, 0}, {600, 0}, {600, 400}, {0, 400}});
            for (int k = 0; k < 4; ++k)
                doc->diagonals.at(k).length = k % 2 ? 400 : 600;
            doc->editor.mode = kModePoints;
            doc->showConstructions = true;
            doc->view.showLengths = true;
            doc->view.showPointNames = true;
            ASSERT_TRUE(saveProject(*doc, codepage::fromPath(*dir_ / "room.tz")));
        }
        // From the last side backwards, so that the names of the earlier points stay.
        step({"add-construction", file("room.tz"), "--kind", "bend", "--v1", "D", "--v2", "A", "--d1", "100",
              "--d2", "100", "--depth", "30", "-o", file("bend.tz")});
        step({"add-construction", file("bend.tz"), "--kind", "rectangle", "--v1", "C", "--v2", "D", "--d1",
              "200", "--d2", "250", "--depth", "-50", "-o", file("niche.tz")});
        step({"add-construction", file("niche.tz"), "--kind", "arc", "--v1", "B", "--v2", "C", "--d1", "80",
              "--d2", "80", "--depth", "-40", "-o", file("arc.tz")});
        step({"add-cutout", file("arc.tz"), "--type", "circle", "--mode", "3", "--size", "60", "--row",
              "A:200,B:450", "-o", file("lamp.tz")});
        step({"add-cutout", file("lamp.tz"), "--type", "ellipse", "--mode", "3", "--size", "90", "--size2",
              "40", "--row", "A:420,B:300", "-o", file("cutouts.tz")});
        step({"layout", file("cutouts.tz"), "--side", "AB", "--width", "320", "--tension", "0.93", "--seams",
              "0", "-o", file("laid.tz")});
        // To look at the files the tests write: TENZORA_KEEP_TEST_FILES names a folder.
        if (const char* keep = std::getenv("TENZORA_KEEP_TEST_FILES")) {
            std::error_code ec;
            std::filesystem::copy_file(*dir_ / "laid.tz", std::filesystem::path(keep) / "cad-room-laid.tz",
                                       std::filesystem::copy_options::overwrite_existing, ec);
        }
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static std::string file(const std::string& name) { return (*dir_ / name).string(); }
    static TempDir* dir_;
};

TempDir* CadCli::dir_ = nullptr;

} // namespace

TEST_F(CadCli, TheHallAsDxfHasItsLayersOutlineAndTexts) {
    const CliRun run = runCli({"export", kExample, file("hall.dxf")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("export: " + file("hall.dxf") + ", the drawing in centimetres"), std::string::npos)
        << run.err;
    std::string why;
    const auto dxf = readDxf(file("hall.dxf"), why);
    if (!dxf) GTEST_SKIP() << "DXF reader not available: " << why;
    EXPECT_EQ(dxf->insunits, 5);
    EXPECT_EQ(dxf->auditErrors, 0);
    for (const char* layer : {"MEASURED_OUTLINE", "WORKING_OUTLINE", "CUTOUTS", "DIAGONALS", "SEAMS",
                              "CANVASES", "DIMENSIONS", "LABELS"})
        EXPECT_TRUE(dxf->hasLayer(layer)) << layer;

    const auto project = runCli({"info", kExample}).json();
    const auto& points = project["workingOutline"];
    const auto working = dxf->on("WORKING_OUTLINE");
    ASSERT_GE(working.size(), 1u);
    EXPECT_TRUE(working[0]->closed);
    ASSERT_EQ(working[0]->points.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(working[0]->points[i].x, points[i][0].get<double>(), 0.01);
        EXPECT_NEAR(working[0]->points[i].y, -points[i][1].get<double>(), 0.01) << "the y axis turned up";
    }
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        EXPECT_TRUE(dxf->hasText(name)) << name;
    int dimensions = 0;
    for (const DxfText& t : dxf->texts)
        dimensions += t.layer == "DIMENSIONS" && std::regex_match(t.text, std::regex("[0-9]+([.][0-9]+)?.*"));
    EXPECT_GE(dimensions, static_cast<int>(points.size())) << "a length on every side";
}

TEST_F(CadCli, TheCanvasPiecesOfARoomWithConstructionsAndCutoutsAreClosedWithTheirPointsAndArea) {
    const CliRun run = runCli({"export", file("laid.tz"), file("cut.dxf"), "--canvases"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("canvas pieces along a roll 320.0 cm wide"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("mirrored as the cutting display"), std::string::npos) << run.err;

    const auto project = runCli({"info", file("laid.tz")}).json();
    std::vector<int> counts;
    for (const auto& text : project["layout"]["canvases"])
        if (!text.get<std::string>().empty()) counts.push_back(pointsInCanvasText(text.get<std::string>()));
    ASSERT_GE(counts.size(), 2u);

    std::string why;
    const auto dxf = readDxf(file("cut.dxf"), why);
    if (!dxf) GTEST_SKIP() << "DXF reader not available: " << why;
    // The ceiling as the room's own DXF has it: the working outline and the cutouts.
    ASSERT_EQ(runCli({"export", file("laid.tz"), file("laid.dxf")}).status, 0);
    const auto room = readDxf(file("laid.dxf"), why);
    ASSERT_TRUE(room) << why;
    ASSERT_GE(room->on("WORKING_OUTLINE").size(), 2u) << "the outline and the fold line of the bend";
    EXPECT_TRUE(room->on("WORKING_OUTLINE")[0]->closed);
    EXPECT_FALSE(room->on("WORKING_OUTLINE")[1]->closed);
    ASSERT_EQ(room->on("CUTOUTS").size(), 2u);
    const double grossArea = ringArea(room->on("WORKING_OUTLINE")[0]->points);
    const double cutoutArea =
        ringArea(room->on("CUTOUTS")[0]->points) + ringArea(room->on("CUTOUTS")[1]->points);
    EXPECT_GT(grossArea, 600 * 400 + 40 * 40) << "the arc and the niche go out of the room";
    EXPECT_EQ(dxf->insunits, 5);
    EXPECT_EQ(dxf->auditErrors, 0);
    EXPECT_EQ(dxf->on("ROLL_EDGES").size(), 2u);
    // The pieces: each a closed outline ring followed by its holes; the rings of a piece lie
    // within its stretch of the roll, so they are grouped by the piece numbers' places.
    const auto rings = dxf->on("CANVASES");
    int total = 0, expected = 0;
    double area = 0;
    for (const DxfPolyline* r : rings) {
        EXPECT_TRUE(r->closed);
        total += static_cast<int>(r->points.size());
        area += ringArea(r->points);
    }
    for (int c : counts)
        expected += c;
    EXPECT_EQ(total, expected) << "every point of every canvas, once";
    // Outer rings add, the cutouts' rings (whole or cut by a seam) take away: the fabric is k²
    // times the ceiling's net area, so all the rings together are k² × (area + cutouts' area).
    EXPECT_NEAR(area, 0.93 * 0.93 * (grossArea + cutoutArea), 1e-4 * grossArea);
    for (std::size_t i = 1; i <= counts.size(); ++i)
        EXPECT_TRUE(dxf->hasText(std::to_string(i))) << i;
}

TEST_F(CadCli, HpglOfThePiecesAndTheUsage) {
    const CliRun run = runCli({"export", file("laid.tz"), file("cut.plt")});
    ASSERT_EQ(run.status, 0) << run.err;
    const HpglReading plot = readHpgl(slurp(file("cut.plt")));
    ASSERT_TRUE(plot.ok);
    EXPECT_TRUE(plot.initialised);
    ASSERT_GE(plot.polylines.size(), 2u);
    for (const auto& line : plot.polylines) {
        EXPECT_EQ(line.front(), line.back());
        for (const auto& [x, y] : line) {
            EXPECT_GE(x, 0);
            EXPECT_GE(y, 0);
            EXPECT_LE(y, 320 * 400 + 1) << "within the roll";
        }
    }
    // Not mirrored, the same pieces are cut turned over along the roll.
    const CliRun plain = runCli({"--flip-cutting", "no", "export", file("laid.tz"), file("plain.plt")});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err.find("mirrored"), std::string::npos);
    EXPECT_NE(slurp(file("plain.plt")), slurp(file("cut.plt")));
    EXPECT_EQ(readHpgl(slurp(file("plain.plt"))).polylines.size(), plot.polylines.size());

    // The hall has no layout: nothing to cut, and no file.
    const CliRun none = runCli({"export", kExample, file("hall.plt")});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("no cutting layout"), std::string::npos) << none.err;
    EXPECT_FALSE(std::filesystem::exists(file("hall.plt")));
    EXPECT_EQ(runCli({"export", kExample, file("hall.png"), "--canvases"}).status, 2);
    EXPECT_EQ(runCli({"export", kExample, file("hall.dxf"), "--form", "0"}).status, 2);
    EXPECT_EQ(runCli({"export", kExample, file("no such folder/hall.dxf")}).status, 1);
}

TEST_F(CadCli, LibreOfficeDrawOpensTheDxfFiles) {
    ASSERT_EQ(runCli({"export", kExample, file("open-hall.dxf")}).status, 0);
    ASSERT_EQ(runCli({"export", file("laid.tz"), file("open-cut.dxf"), "--canvases"}).status, 0);
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice is not installed";
    TempDir profile, out;
    // One start of LibreOffice for both files, with a profile of its own.
    const std::string command = "soffice --headless -env:UserInstallation=file://" + profile.path().string() +
                                " --convert-to pdf --outdir " + shellQuoted(out.path().string()) + " " +
                                shellQuoted(file("open-hall.dxf")) + " " + shellQuoted(file("open-cut.dxf")) +
                                " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    for (const char* name : {"open-hall.pdf", "open-cut.pdf"}) {
        const std::string pdf = slurp(out / name);
        EXPECT_EQ(pdf.substr(0, 4), "%PDF") << name;
        EXPECT_GT(pdf.size(), 1000u) << name;
    }
}
