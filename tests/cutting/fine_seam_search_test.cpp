// The finer seam search: never more fabric than the optimiser, often less; one step of the
// history; a cancelled search leaves the project as it was.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "cutting/construction_operations.h"
#include "cutting/cutting_dialog.h"
#include "model/names.h"
#include "model/settings.h"
#include "storage/codepage.h"
#include "storage/project_image.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using Corners = std::vector<std::pair<double, double>>;

Material fabric(std::int32_t id, std::int32_t groupId, bool group, const wchar_t* name, double width) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = group ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    m.tensionCoef = 0.93;
    m.offcutPriceCoef = 1.0;
    return m;
}

struct Room {
    std::string name;
    Corners corners;
    double rollWidth;
    std::function<void(TZCeiling&)> furnish; // constructions and cutouts
};

// A project of the room with one fabric of the room's roll width, the cutting dialog shown.
struct Project {
    explicit Project(const Room& room) {
        setOutline(*doc, room.corners);
        doc->showConstructions = true;
        doc->editor.mode = kModeCutting;
        settings.materialWithTension = true;
        doc->setSettings(&settings);
        if (room.furnish) room.furnish(*doc);
        TZMaterialBase& base = doc->resources.materialBase;
        base.clear();
        base.append(fabric(1, 0, true, L"MSD", 0));
        base.append(fabric(2, 1, false, L"Белый мат", room.rollWidth));
        doc->material = fabric(2, 1, false, L"Белый мат", room.rollWidth);
        dialog.setVisible(true);
        dialog.fabricChosen();
    }
    TestDocument doc{true};
    AppSettings settings;
    CuttingDialog dialog{*doc, settings};
};

std::vector<unsigned char> imageOf(TZCeiling& doc) {
    TZDynamicMemory stream(TZCeiling::kStreamGrowBy);
    saveToStream(doc, stream);
    const auto* bytes = static_cast<const unsigned char*>(stream.data());
    return {bytes, bytes + stream.size()};
}

TZDop niche(int v1, int v2, double depth) {
    TZDop d;
    d.kind = static_cast<std::int32_t>(TZDopKind::Rectangle);
    d.vertex1 = v1;
    d.vertex2 = v2;
    d.distance1 = 80;
    d.distance2 = 120;
    d.depth = depth;
    return d;
}

TZDop arc(int v1, int v2, double depth) {
    TZDop d = niche(v1, v2, depth);
    d.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    d.extraPoints = 7;
    return d;
}

TZHole lamp(double x, double y) {
    TZHole h;
    h.type = static_cast<std::int32_t>(TZHoleType::Circle);
    h.mode = static_cast<std::int32_t>(TZHoleMode::Centre);
    h.size1 = 60;
    TZHoleDiagonal r;
    r.vertex1 = 0;
    r.vertex2 = 1;
    r.distance1 = std::hypot(x, y);
    r.distance2 = 0; // replaced below
    h.rows.append(r);
    return h;
}

std::vector<Room> corpus() {
    std::vector<Room> rooms;
    const double widths[] = {320, 250, 500};
    // Rectangles of many sizes.
    const std::pair<double, double> sizes[] = {{500, 400}, {730, 410},  {360, 290}, {612, 333}, {900, 450},
                                               {450, 450}, {1040, 380}, {333, 620}, {700, 700}, {815, 520}};
    int k = 0;
    for (const auto& [x, y] : sizes) {
        const double w = widths[k++ % 3];
        rooms.push_back(
            {"rect " + std::to_string(int(x)) + "x" + std::to_string(int(y)) + " w" + std::to_string(int(w)),
             {{0, 0}, {x, 0}, {x, y}, {0, y}},
             w,
             nullptr});
    }
    // L shapes.
    const double ls[][4] = {{600, 500, 300, 300}, {720, 430, 250, 180}, {540, 610, 310, 260},
                            {880, 420, 500, 200}, {400, 400, 180, 220}, {650, 520, 420, 130}};
    for (const auto& l : ls) {
        const double w = widths[k++ % 3];
        rooms.push_back({"L " + std::to_string(int(l[0])) + " w" + std::to_string(int(w)),
                         {{0, 0}, {l[0], 0}, {l[0], l[3]}, {l[2], l[3]}, {l[2], l[1]}, {0, l[1]}},
                         w,
                         nullptr});
    }
    // T shapes.
    const double ts[][4] = {{900, 300, 300, 300}, {700, 250, 260, 420}, {1000, 350, 420, 260},
                            {640, 280, 200, 380}, {820, 310, 330, 290}, {560, 240, 240, 330}};
    for (const auto& t : ts) {
        const double w = widths[k++ % 3];
        const double x0 = (t[0] - t[2]) / 2, x1 = x0 + t[2];
        rooms.push_back({"T " + std::to_string(int(t[0])) + " w" + std::to_string(int(w)),
                         {{0, 0},
                          {t[0], 0},
                          {t[0], t[1]},
                          {x1, t[1]},
                          {x1, t[1] + t[3]},
                          {x0, t[1] + t[3]},
                          {x0, t[1]},
                          {0, t[1]}},
                         w,
                         nullptr});
    }
    // Rooms with niches, arcs and cutouts.
    const std::pair<double, double> furnished[] = {{600, 420}, {540, 380}, {780, 460}, {480, 520},
                                                   {690, 350}, {830, 610}, {560, 470}, {950, 430}};
    int f = 0;
    for (const auto& size : furnished) {
        // Named copies: a lambda cannot capture the names of a structured binding in C++20.
        const double x = size.first, y = size.second;
        const double w = widths[k++ % 3];
        const int variant = f++;
        rooms.push_back({"furnished " + std::to_string(variant) + " w" + std::to_string(int(w)),
                         {{0, 0}, {x, 0}, {x, y}, {0, y}},
                         w,
                         [variant, x, y](TZCeiling& doc) {
                             if (variant % 2 == 0)
                                 addConstruction(doc, niche(1, 2, -40 - 10 * variant));
                             else
                                 addConstruction(doc, arc(0, 1, -35 - 5 * variant));
                             if (variant % 3 != 2) {
                                 TZHole h = lamp(x / 2, y / 2);
                                 h.rows.at(0).distance2 = std::hypot(x / 2 - x, y / 2);
                                 addCutout(doc, h);
                             }
                         }});
    }
    return rooms;
}

TEST(FineSeamSearch, NeverUsesMoreFabricThanTheOptimiserAndOftenLess) {
    int better = 0;
    double saving = 0, largest = 0;
    std::string largestRoom;
    const std::vector<Room> rooms = corpus();
    ASSERT_GE(rooms.size(), 30u);
    for (const Room& room : rooms) {
        Project optimised(room);
        const OptimiserResult part = optimised.dialog.optimiseSeamSide();
        ASSERT_EQ(part.final, ConfirmOutcome::LaidOut) << room.name;

        Project fine(room);
        const FineSearchResult result = fine.dialog.optimiseSeamSideFine();
        ASSERT_EQ(result.final, ConfirmOutcome::LaidOut) << room.name;
        EXPECT_FALSE(result.cancelled);
        EXPECT_EQ(result.pairQuantity, part.bestQuantity) << room.name;
        EXPECT_LE(result.bestQuantity, part.bestQuantity + 1e-9) << room.name;
        // The closing layout lays the seams exactly where the search measured them.
        EXPECT_NEAR(fine.doc->materialQuantity, result.bestQuantity, 1e-9) << room.name;
        EXPECT_LE(fine.doc->materialQuantity, optimised.doc->materialQuantity + 1e-9) << room.name;
        if (result.bestQuantity < part.bestQuantity - 1e-6) {
            ++better;
            const double s = part.bestQuantity - result.bestQuantity;
            saving += s;
            if (s > largest) {
                largest = s;
                largestRoom = room.name;
            }
        } else {
            // No saving: the optimiser's own choice stays.
            EXPECT_EQ(result.bestPair, part.bestPair) << room.name;
            EXPECT_FALSE(result.perpendicular) << room.name;
            EXPECT_EQ(result.offset, L"0") << room.name;
        }
    }
    EXPECT_GT(better, 0);
    std::printf(
        "fine seam search: %d of %zu rooms need less fabric, %.2f m2 saved in all, most %.2f m2 (%s)\n",
        better, rooms.size(), saving, largest, largestRoom.c_str());
}

TEST(FineSeamSearch, IsOneStepOfTheHistory) {
    Project p(corpus()[1]);
    const int undoCount = p.doc->history.undoCount;
    const FineSearchResult result = p.dialog.optimiseSeamSideFine();
    ASSERT_EQ(result.final, ConfirmOutcome::LaidOut);
    EXPECT_GT(result.layouts, 12);
    EXPECT_EQ(p.doc->history.undoCount, undoCount + 1);
    EXPECT_FALSE(p.doc->suppressUndo);
    EXPECT_FALSE(p.dialog.optimising());
    EXPECT_EQ(pairName(p.doc->seamFrom, p.doc->seamTo), result.bestPair);
    EXPECT_EQ(p.doc->seamPerpendicular, result.perpendicular);
    EXPECT_EQ(p.dialog.fields().offset, result.offset);
    ASSERT_TRUE(p.doc->undo());
    EXPECT_EQ(p.doc->seamFrom, -1);
    EXPECT_TRUE(p.doc->seamLines.empty());
}

TEST(FineSeamSearch, ACancelledSearchChangesNothing) {
    Project p(corpus()[12]);
    const auto before = imageOf(*p.doc);
    const int undoCount = p.doc->history.undoCount;
    const CuttingDialogFields fields = p.dialog.fields();
    long lastTotal = 0;
    const FineSearchResult result = p.dialog.optimiseSeamSideFine([&](long done, long total) {
        EXPECT_LE(done, total);
        lastTotal = total;
        return done < 40; // the user presses "Отмена" after 40 layouts
    });
    EXPECT_TRUE(result.cancelled);
    EXPECT_GT(lastTotal, 40);
    EXPECT_EQ(imageOf(*p.doc), before);
    EXPECT_EQ(p.doc->history.undoCount, undoCount);
    EXPECT_FALSE(p.doc->suppressUndo);
    EXPECT_FALSE(p.dialog.optimising());
    EXPECT_EQ(p.dialog.fields().seamSide, fields.seamSide);
    EXPECT_EQ(p.dialog.fields().offset, fields.offset);
}

} // namespace
