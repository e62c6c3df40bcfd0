// The CAD export: the drawing and the canvas pieces as DXF (read back by ezdxf, an independent
// reader) and the pieces as HPGL (read back by a small parser).

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "cutting/canvas_pieces.h"
#include "cutting/layout.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "model/working_outline.h"
#include "output/cad_drawing.h"
#include "output/cad_export.h"
#include "output/cad_files.h"
#include "output/export_choice.h"
#include "output/picture_export.h"
#include "platform/approximate_text_measurer.h"
#include "platform/image_codec.h"
#include "platform/text_measurer.h"
#include "storage/codepage.h"
#include "support/dxf_reading.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

constexpr double kTension = 0.93;

// The 500 × 400 room laid out along AB with a 320 cm roll, k = 0.93 and no seam allowance, so
// that the pieces tile the room; a free cutout 200…300 × 310…370 lies across the middle seam.
class CadRoomTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        doc->editor.mode = kModePoints;
        doc->showConstructions = true;
        TZHole hole;
        hole.type = static_cast<std::int32_t>(TZHoleType::Free);
        for (const auto& c : {std::pair{200.0, 310.0}, {300.0, 310.0}, {300.0, 370.0}, {200.0, 370.0}}) {
            TZHoleDiagonal row;
            row.vertex1 = 0;
            row.vertex2 = 1;
            row.distance1 = std::hypot(c.first, c.second);
            row.distance2 = std::hypot(500 - c.first, c.second);
            hole.rows.append(row);
        }
        doc->holes.append(hole);
        doc->dopHoleOrder.append({kOrderCutout, 0});
        doc->seamFrom = 0;
        doc->seamTo = 1;
        doc->material.width = 320;
        doc->material.tensionCoef = kTension;
        ASSERT_EQ(layoutCanvases(*doc, doc->material, true, false), LayoutOutcome::LaidOut);
        ASSERT_EQ(doc->seamLines.count(), 6);
        seam = doc->seamLines.at(2).y; // the middle seam, across the cutout
        ASSERT_GT(seam, 310);
        ASSERT_LT(seam, 370);
    }
    TestDocument doc;
    double seam = 0;
};

// Rings of a roll piece turned back into the piece's fabric frame, as the canvas text gives it.
Vertex fabricPoint(const CanvasRoll& roll, const RollPiece& piece, const Vertex& p) {
    const double along = p.x - piece.start;
    return makeVertex(roll.mirrored ? along : piece.length - along, p.y);
}

void ringAreas(const std::vector<const DxfPolyline*>& rings, std::vector<double>& areas) {
    for (const DxfPolyline* r : rings)
        areas.push_back(ringArea(r->points));
}

} // namespace

TEST(CadExport, ChosenByTheEndingDxfOrPltInAnyCase) {
    EXPECT_EQ(cadFormatFor(L"plan.dxf"), CadFormat::Dxf);
    EXPECT_EQ(cadFormatFor(L"plan.DXF"), CadFormat::Dxf);
    EXPECT_EQ(cadFormatFor(L"/home/u/план.Plt"), CadFormat::Hpgl);
    EXPECT_EQ(cadFormatFor(L"plan.dxf.png"), CadFormat::None);
    EXPECT_EQ(cadFormatFor(L"dxf"), CadFormat::None);
    EXPECT_EQ(cadFormatFor(L"plan.pdxf"), CadFormat::None);
    // The picture formats keep their rule.
    EXPECT_EQ(exportFormatFor(L"plan.png"), ExportFormat::Png);
}

TEST_F(CadRoomTest, EachPieceIsClosedRingsOfItsCanvasPointsWithTheCanvasArea) {
    const std::vector<CanvasPiece> pieces = canvasPieces(*doc);
    const CanvasRoll roll = canvasRoll(*doc, true);
    ASSERT_EQ(roll.pieces.size(), 2u);
    EXPECT_EQ(roll.width, 320);
    const double k2 = kTension * kTension;
    // Canvas 1 from the seam to CD, canvas 2 from AB to the seam; each loses its part of the cutout.
    const double outer[] = {500 * (400 - seam) * k2, 500 * seam * k2};
    const double holes[] = {100 * (370 - seam) * k2, 100 * (seam - 310) * k2};
    for (std::size_t i = 0; i < 2; ++i) {
        const RollPiece& piece = roll.pieces[i];
        EXPECT_EQ(piece.number, static_cast<int>(i) + 1);
        EXPECT_EQ(piece.pointCount, static_cast<int>(pieces[i].points.size()));
        ASSERT_EQ(piece.rings.size(), 2u) << "the outline's ring and the cutout's";
        EXPECT_NEAR(ringArea(piece.rings[0]), outer[i], 0.01);
        EXPECT_NEAR(ringArea(piece.rings[1]), holes[i], 0.01);
        // Every ring point is a point of the canvas, in fabric coordinates.
        for (const auto& ring : piece.rings)
            for (const Vertex& p : ring) {
                const Vertex f = fabricPoint(roll, piece, p);
                bool found = false;
                for (const Vertex& c : pieces[i].points)
                    found = found || (std::fabs(c.x * kTension - f.x) < 1e-9 &&
                                      std::fabs(c.y * kTension - f.y) < 1e-9);
                EXPECT_TRUE(found) << f.x << ";" << f.y;
            }
    }
    EXPECT_NEAR(roll.pieces[0].length, 500 * kTension, 1e-9);
    EXPECT_NEAR(roll.pieces[1].start, 500 * kTension + kRollPieceGap, 1e-9);
    EXPECT_NEAR(roll.length, 2 * 500 * kTension + kRollPieceGap, 1e-9);

    // Not mirrored: each piece is the mirror image of its mirrored self within its own length.
    const CanvasRoll plain = canvasRoll(*doc, false);
    ASSERT_EQ(plain.pieces.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t r = 0; r < 2; ++r)
            for (std::size_t p = 0; p < plain.pieces[i].rings[r].size(); ++p) {
                const RollPiece& a = roll.pieces[i];
                const RollPiece& b = plain.pieces[i];
                EXPECT_NEAR(b.rings[r][p].x - b.start, a.length - (a.rings[r][p].x - a.start), 1e-9);
                EXPECT_NEAR(b.rings[r][p].y, a.rings[r][p].y, 1e-9);
            }
    AppSettings settings;
    settings.flipCutting = true;
    EXPECT_TRUE(cuttingDisplayMirrored(settings));
    settings.dealerMode = true;
    EXPECT_FALSE(cuttingDisplayMirrored(settings));
}

TEST_F(CadRoomTest, HpglCutsEveryRingClosedInPlotterUnitsOfTheCanvasPoints) {
    TempDir dir;
    AppSettings settings;
    const CadExportResult r = exportCad(*doc, codepage::fromPath(dir / "cut.plt"), false, settings);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.canvases);
    EXPECT_TRUE(r.mirrored);
    std::ifstream in(dir / "cut.plt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const HpglReading plot = readHpgl(text.str());
    ASSERT_TRUE(plot.ok) << text.str();
    EXPECT_TRUE(plot.initialised);
    EXPECT_NE(text.str().find("SP1;"), std::string::npos);

    const CanvasRoll roll = canvasRoll(*doc, true);
    std::vector<std::vector<Vertex>> rings;
    for (const RollPiece& piece : roll.pieces)
        for (const auto& ring : piece.rings)
            rings.push_back(ring);
    ASSERT_EQ(plot.polylines.size(), rings.size());
    for (std::size_t i = 0; i < rings.size(); ++i) {
        const auto& line = plot.polylines[i];
        ASSERT_EQ(line.size(), rings[i].size() + 1);
        EXPECT_EQ(line.front(), line.back()) << "ring " << i << " is cut closed";
        for (std::size_t p = 0; p < rings[i].size(); ++p) {
            EXPECT_LE(std::fabs(line[p].first - rings[i][p].x * 400), 1.0);
            EXPECT_LE(std::fabs(line[p].second - rings[i][p].y * 400), 1.0);
        }
    }
    // Mirrored pieces are the canvas points themselves, moved along the roll: the first
    // piece's points × 400 are its canvas points × k × 400.
    const std::vector<CanvasPiece> pieces = canvasPieces(*doc);
    for (const auto& [x, y] : plot.polylines[0]) {
        bool found = false;
        for (const Vertex& c : pieces[0].points)
            found = found || (std::llabs(x - std::llround(c.x * kTension * 400)) <= 1 &&
                              std::llabs(y - std::llround(c.y * kTension * 400)) <= 1);
        EXPECT_TRUE(found) << x << "," << y;
    }
}

TEST_F(CadRoomTest, TheDxfFilesReadBackWithLayersOutlinePiecesAndTexts) {
    TempDir dir;
    AppSettings settings;
    ASSERT_TRUE(exportCad(*doc, codepage::fromPath(dir / "room.dxf"), false, settings).ok());
    ASSERT_TRUE(exportCad(*doc, codepage::fromPath(dir / "cut.dxf"), true, settings).ok());
    std::string why;
    const auto room = readDxf(dir / "room.dxf", why);
    if (!room) GTEST_SKIP() << "DXF reader not available: " << why;
    EXPECT_EQ(room->insunits, 5);
    EXPECT_EQ(room->auditErrors, 0);
    for (const char* layer : {"MEASURED_OUTLINE", "WORKING_OUTLINE", "CUTOUTS", "DIAGONALS", "SEAMS",
                              "CANVASES", "DIMENSIONS", "LABELS"})
        EXPECT_TRUE(room->hasLayer(layer)) << layer;
    // The working outline with its y axis turned up.
    WorkingOutline outline;
    buildWorkingOutline(*doc, true, outline);
    const auto working = room->on("WORKING_OUTLINE");
    ASSERT_EQ(working.size(), 1u);
    EXPECT_TRUE(working[0]->closed);
    ASSERT_EQ(working[0]->points.size(), static_cast<std::size_t>(outline.count()));
    for (int i = 0; i < outline.count(); ++i) {
        EXPECT_NEAR(working[0]->points[static_cast<std::size_t>(i)].x, outline.point(i).x, 0.01);
        EXPECT_NEAR(working[0]->points[static_cast<std::size_t>(i)].y, -outline.point(i).y, 0.01);
    }
    ASSERT_EQ(room->on("CUTOUTS").size(), 1u);
    EXPECT_NEAR(ringArea(room->on("CUTOUTS")[0]->points), 100 * 60, 0.01);
    EXPECT_EQ(room->on("SEAMS").size(), 3u);
    EXPECT_EQ(room->on("CANVASES").size(), 2u);
    for (const char* name : {"A", "B", "C", "D", "1", "2", "100.0", "60.0"})
        EXPECT_TRUE(room->hasText(name)) << name;

    const auto cut = readDxf(dir / "cut.dxf", why);
    ASSERT_TRUE(cut) << why;
    EXPECT_EQ(cut->insunits, 5);
    EXPECT_EQ(cut->auditErrors, 0);
    const CanvasRoll roll = canvasRoll(*doc, true);
    const auto rings = cut->on("CANVASES");
    ASSERT_EQ(rings.size(), 4u);
    std::size_t at = 0;
    for (const RollPiece& piece : roll.pieces) {
        int points = 0;
        for (const auto& ring : piece.rings) {
            EXPECT_TRUE(rings[at]->closed);
            EXPECT_NEAR(ringArea(rings[at]->points), ringArea(ring), 0.01);
            points += static_cast<int>(rings[at]->points.size());
            ++at;
        }
        EXPECT_EQ(points, piece.pointCount);
    }
    std::vector<double> areas;
    const double k2 = kTension * kTension;
    ringAreas(rings, areas);
    // Outer rings less the holes: the net area on the fabric.
    EXPECT_NEAR(areas[0] - areas[1] + areas[2] - areas[3], k2 * (500 * 400 - 100 * 60), 0.05);
    const auto edges = cut->on("ROLL_EDGES");
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_NEAR(edges[0]->points[0].y, 0, 1e-9);
    EXPECT_NEAR(edges[1]->points[0].y, 320, 1e-9);
    EXPECT_NEAR(edges[1]->points[1].x, roll.length, 1e-6);
    EXPECT_TRUE(cut->hasText("1"));
    EXPECT_TRUE(cut->hasText("2"));
}

TEST_F(CadRoomTest, RefusalsAndFailuresSayWhy) {
    TempDir dir;
    AppSettings settings;
    // Into a folder that does not exist: nothing left behind, and the path named.
    const std::wstring lost = codepage::fromPath(dir / "no such folder" / "room.dxf");
    const CadExportResult failed = exportCad(*doc, lost, false, settings);
    EXPECT_EQ(failed.status, CadStatus::WriteFailed);
    EXPECT_EQ(cadFailureText(failed, lost), L"Не удалось записать файл " + lost);
    EXPECT_EQ(exportCad(*doc, codepage::fromPath(dir / "x.plt"), false, settings).status, CadStatus::Written);

    // Without a layout there are no pieces to cut.
    doc->seamLines.clear();
    const CadExportResult none = exportCad(*doc, codepage::fromPath(dir / "cut.plt"), false, settings);
    EXPECT_EQ(none.status, CadStatus::NoLayout);
    EXPECT_FALSE(std::filesystem::exists(dir / "cut.plt"));
    EXPECT_FALSE(hasCanvasPieces(*doc));
    EXPECT_EQ(exportCad(*doc, codepage::fromPath(dir / "room.dxf"), false, settings).status,
              CadStatus::Written);

    // A mistyped outline of 50 km is refused whole rather than written at a wrong scale.
    setOutline(*doc, {{0, 0}, {5e6, 0}, {5e6, 400}, {0, 400}});
    const CadExportResult huge = exportCad(*doc, codepage::fromPath(dir / "huge.dxf"), false, settings);
    EXPECT_EQ(huge.status, CadStatus::TooLarge);
    EXPECT_GE(huge.extent, 5e6);
    EXPECT_FALSE(std::filesystem::exists(dir / "huge.dxf"));
    EXPECT_NE(cadFailureText(huge, L"huge.dxf").find(L"слишком велик"), std::wstring::npos);

    TestDocument empty;
    EXPECT_EQ(exportCad(*empty, codepage::fromPath(dir / "e.dxf"), false, settings).status,
              CadStatus::NothingToDraw);
}

namespace {

class NoPictures : public ExportBackend {
  public:
    const TextMeasurer& measurer() const override { return measurer_; }
    std::unique_ptr<RasterPicture> createRaster(std::int32_t, std::int32_t) override { return nullptr; }
    std::unique_ptr<PdfDocument> createPdf(const std::filesystem::path&, std::int32_t, std::int32_t, double,
                                           double) override {
        return nullptr;
    }

  private:
    ApproximateTextMeasurer measurer_;
};

class NoCodec : public ImageCodec {
  public:
    std::optional<Bitmap> decodeFile(const std::wstring&) override { return std::nullopt; }
    bool encodeFile(const Bitmap&, ImageFormat, const std::wstring&) override { return false; }
};

} // namespace

TEST_F(CadRoomTest, TheExportDialogOffersTheCadFilesAndTheCanvasEntryWritesThePieces) {
    TempDir dir;
    AppSettings settings;
    NoPictures backend;
    NoCodec codec;
    ExportServices services{settings, backend, codec, nullptr, dir.path(), nullptr};
    ScriptedUi& ui = doc.ui;

    ui.files.push_back(codepage::fromPath(dir / "room.dxf"));
    ui.filterChoices.push_back(L"Чертёж DXF (для CAD-систем и плоттеров) (*.dxf)");
    EXPECT_TRUE(chooseExportFile(*doc, -1, services, nullptr));
    const std::wstring& filter = ui.fileDialogs.back().filter;
    EXPECT_NE(filter.find(L"Чертёж DXF (для CAD-систем и плоттеров) (*.dxf)|*.dxf|"), std::wstring::npos);
    EXPECT_NE(filter.find(std::wstring(kCanvasDxfFilterText) + L"|*.dxf|"), std::wstring::npos);
    EXPECT_NE(filter.find(L"Полотна для плоттера HPGL (*.plt)|*.plt|"), std::wstring::npos);
    EXPECT_EQ(filter.substr(filter.size() - 2), L"||");
    EXPECT_TRUE(ui.messages.empty());

    ui.files.push_back(codepage::fromPath(dir / "cut.dxf"));
    ui.filterChoices.push_back(kCanvasDxfFilterText);
    EXPECT_TRUE(chooseExportFile(*doc, -1, services, nullptr));
    std::ifstream room(dir / "room.dxf"), cut(dir / "cut.dxf");
    std::stringstream roomText, cutText;
    roomText << room.rdbuf();
    cutText << cut.rdbuf();
    EXPECT_NE(roomText.str().find("WORKING_OUTLINE"), std::string::npos);
    EXPECT_EQ(cutText.str().find("WORKING_OUTLINE"), std::string::npos);
    EXPECT_NE(cutText.str().find("ROLL_EDGES"), std::string::npos);

    // Without a layout the canvas entries are not offered, and a ".plt" chosen anyway is refused.
    doc->seamLines.clear();
    ui.files.push_back(codepage::fromPath(dir / "cut.plt"));
    EXPECT_FALSE(chooseExportFile(*doc, -1, services, nullptr));
    EXPECT_EQ(ui.fileDialogs.back().filter.find(L"HPGL"), std::wstring::npos);
    EXPECT_TRUE(ui.saw(L"В проекте нет раскроя: сначала разложите полотна («Раскрой фигуры»)."));
    // A printed sheet is no CAD drawing.
    EXPECT_EQ(exportFileFilter(0, true).find(L"DXF"), std::wstring::npos);
}
