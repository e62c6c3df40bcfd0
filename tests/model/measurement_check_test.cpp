// The measurement check: which record disagrees with the rest, and what length would fit.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/ceiling.h"
#include "model/forming.h"
#include "model/measurement_check.h"
#include "model/measurements.h"
#include "model/names.h"
#include "storage/project_image.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

// An L-shaped room: 6 m × 3 m with a 3 m × 2 m wing; six diagonals give three records more than
// the outline needs.
const std::vector<std::pair<double, double>> kLShape = {{0, 0},     {600, 0},   {600, 300},
                                                        {300, 300}, {300, 500}, {0, 500}};
const std::vector<std::wstring> kLDiagonals = {L"AC", L"AD", L"AE", L"BD", L"BE", L"CE"};

// A 24-corner room (a zigzag of bays) measured by every side and the diagonals from A and B.
std::vector<std::pair<double, double>> bays(int count) {
    std::vector<std::pair<double, double>> corners;
    for (int i = 0; i < count / 2; ++i) {
        corners.emplace_back(100.0 * i, (i % 2) ? 40.0 : 0.0);
    }
    for (int i = count / 2 - 1; i >= 0; --i)
        corners.emplace_back(100.0 * i, 400.0 + ((i % 3) ? 30.0 : 0.0));
    return corners;
}

double trueLength(const std::vector<std::pair<double, double>>& corners, std::wstring_view name) {
    const auto pair = parsePairName(name);
    const auto& a = corners[static_cast<std::size_t>(pair->first)];
    const auto& b = corners[static_cast<std::size_t>(pair->second)];
    return std::hypot(a.first - b.first, a.second - b.second);
}

void formRoom(TZCeiling& doc) {
    doc.relaxPasses = 5;
    formProject(doc, -1);
    doc.relaxPasses = 3;
}

struct Mistake {
    const wchar_t* record;
    double change;
};

class MeasurementCheckTest : public ::testing::TestWithParam<Mistake> {};

TEST_P(MeasurementCheckTest, NamesTheMistypedRecordFirstAndFitsItsLength) {
    const Mistake mistake = GetParam();
    TestDocument t;
    buildMeasuredRoom(*t, kLShape, kLDiagonals, 15);
    const double truth = trueLength(kLShape, mistake.record);
    measureRecord(*t, mistake.record, truth + mistake.change);
    formRoom(*t);

    const std::vector<Vertex> formed(t->polygon.begin(), t->polygon.end());
    const double errorBefore = errorFigure(*t, false);
    const MeasurementCheck check = checkMeasurements(*t);

    ASSERT_TRUE(check.redundant);
    ASSERT_FALSE(check.suspects.empty());
    EXPECT_EQ(check.suspects[0].name, std::wstring(mistake.record));
    EXPECT_NEAR(check.suspects[0].measured, truth + mistake.change, 1e-9);
    EXPECT_NEAR(check.suspects[0].fitted, truth, 1.0);
    EXPECT_LT(check.suspects[0].errorWithout, 0.01);
    EXPECT_GT(check.error, check.suspects[0].errorWithout);

    // The check changes nothing: the outline and the error figure are as forming left them.
    ASSERT_EQ(t->polygon.count(), static_cast<int>(formed.size()));
    for (int i = 0; i < t->polygon.count(); ++i) {
        EXPECT_EQ(t->polygon.at(i).x, formed[static_cast<std::size_t>(i)].x);
        EXPECT_EQ(t->polygon.at(i).y, formed[static_cast<std::size_t>(i)].y);
    }
    EXPECT_EQ(errorFigure(*t, false), errorBefore);

    // The window's first line names the record with both lengths and the difference.
    const auto lines = measurementCheckLines(check);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind(check.suspects[0].name + L": измерено ", 0), 0u);
    EXPECT_NE(lines[0].find(mistake.change > 0 ? L"(\u2212" : L"(+"), std::wstring::npos);
    EXPECT_EQ(measurementCheckLineRecord(check, 0), check.suspects[0].record);
}

INSTANTIATE_TEST_SUITE_P(OneMistake, MeasurementCheckTest,
                         ::testing::Values(Mistake{L"AD", 20.0}, Mistake{L"BE", 20.0}, Mistake{L"BC", -15.0},
                                           Mistake{L"CD", -15.0}));

TEST(MeasurementCheck, FindsTheMistakeInALargeRoom) {
    const auto corners = bays(24);
    std::vector<std::wstring> diagonals;
    for (int j = 2; j < 23; ++j)
        diagonals.push_back(L"A-" + vertexName(j));
    for (int j = 3; j < 24; ++j)
        diagonals.push_back(L"B-" + vertexName(j));
    TestDocument t;
    buildMeasuredRoom(*t, corners, diagonals, 5);
    const std::wstring wrong = L"B-" + vertexName(10);
    measureRecord(*t, wrong, trueLength(corners, wrong) + 20);
    formRoom(*t);
    const MeasurementCheck check = checkMeasurements(*t);
    ASSERT_FALSE(check.suspects.empty());
    EXPECT_EQ(check.suspects[0].name, pairName(1, 10));
    EXPECT_NEAR(check.suspects[0].fitted, trueLength(corners, wrong), 1.0);
}

TEST(MeasurementCheck, ExactMeasurementsHaveNoSuspect) {
    TestDocument t;
    buildMeasuredRoom(*t, kLShape, kLDiagonals, 15);
    formRoom(*t);
    const MeasurementCheck check = checkMeasurements(*t);
    EXPECT_TRUE(check.redundant);
    EXPECT_TRUE(check.suspects.empty());
    EXPECT_LT(check.error, 0.01);
    EXPECT_EQ(measurementCheckLines(check), std::vector<std::wstring>{kCheckConsistent});
}

TEST(MeasurementCheck, ARecordNoOtherControlsIsNotBlamed) {
    // F hangs on EF and FA alone: nothing can tell whether EF is right, so a wrong EF moves F
    // and no record is named.
    TestDocument t;
    buildMeasuredRoom(*t, kLShape, kLDiagonals, 15);
    measureRecord(*t, L"EF", trueLength(kLShape, L"EF") - 15);
    formRoom(*t);
    const MeasurementCheck check = checkMeasurements(*t);
    EXPECT_TRUE(check.redundant);
    EXPECT_TRUE(check.suspects.empty());
}

TEST(MeasurementCheck, WithoutARedundantRecordSaysSoPlainly) {
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {0, 300}, {400, 300}, {400, 0}}, {L"AC"}, 10);
    measureRecord(*t, L"AB", 310); // wrong, but nothing can tell
    formRoom(*t);
    const MeasurementCheck check = checkMeasurements(*t);
    EXPECT_FALSE(check.redundant);
    EXPECT_TRUE(check.suspects.empty());
    EXPECT_EQ(measurementCheckLines(check), std::vector<std::wstring>{kCheckNeedsRedundancy});
    EXPECT_EQ(measurementCheckLineRecord(check, 0), -1);

    TestDocument empty;
    EXPECT_EQ(measurementCheckLines(checkMeasurements(*empty)),
              std::vector<std::wstring>{kCheckNothingToCheck});
}

TEST(MeasurementCheck, NamesADiagonalTheTwoSidesCannotReachEvenWithoutRedundancy) {
    // A 400 × 500 room with its diagonal typed as 900: forming keeps it and the room collapses,
    // while the error figure still reads 0.
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {0, 400}, {500, 400}, {500, 0}}, {L"AC"}, 10);
    measureRecord(*t, L"AC", 900);
    formRoom(*t);
    EXPECT_LT(outlineArea(*t), 1.0);
    EXPECT_EQ(displayedError(*t), 0.0);

    const MeasurementCheck check = checkMeasurements(*t);
    EXPECT_FALSE(check.redundant);
    ASSERT_EQ(check.impossible.size(), 1u);
    const ImpossibleTriangle& triangle = check.impossible[0];
    EXPECT_EQ(triangle.name, L"AC");
    EXPECT_EQ(triangle.triangle, L"ABC");
    EXPECT_EQ(triangle.length, 900);
    EXPECT_EQ(triangle.sideLengths[0] + triangle.sideLengths[1], 900);

    const auto lines = measurementCheckLines(check);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"AC: 900.0 не короче AB и BC вместе (400.0 + 500.0), треугольник ABC не замыкается");
    EXPECT_EQ(lines[1], kCheckNeedsRedundancy);
    EXPECT_EQ(measurementCheckLineRecord(check, 0), triangle.record);
    EXPECT_EQ(t->diagonals.at(triangle.record).length, 900);
}

TEST(MeasurementCheck, SurvivesDegenerateOutlines) {
    // Every point in one place, records to missing points and lengths that are not numbers.
    TestDocument t;
    buildMeasuredRoom(*t, kLShape, kLDiagonals, 0);
    for (Vertex& v : t->polygon)
        v.x = v.y = 0;
    t->diagonals.at(0).length = std::numeric_limits<double>::infinity();
    t->diagonals.at(1).b = 99;
    const MeasurementCheck check = checkMeasurements(*t);
    EXPECT_TRUE(check.checked);
    EXPECT_TRUE(std::isfinite(check.error));
    for (const MeasurementSuspect& s : check.suspects) {
        EXPECT_TRUE(std::isfinite(s.fitted));
        EXPECT_TRUE(std::isfinite(s.errorWithout));
    }
}

} // namespace
