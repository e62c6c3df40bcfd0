#include "model/forming.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "model/records.h"
#include "model/relaxation.h"
#include "model/triangles.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

// Error figures (per cent) closer than this count as equal when outlines are compared.
constexpr double kScoreErrorMargin = 0.02;
// The score the outline on entry starts with, so that the first formed outline replaces it.
constexpr int kUnscoredCrossings = 1'000'000;
constexpr double kUnscoredError = 1'000'000.0;
// Refinements from successive records, before the worst side gets one of its own.
constexpr int kRefinements = 3;
// A side is refined once more when it misses its measured length by more than this fraction.
constexpr double kWorstSideThreshold = 0.1;

enum ConstructionMethod { kBothPhases = 0, kTrianglesOnly = 1, kRefinementOnly = 2 };

bool isVertex(const TZCeiling& doc, int i) {
    return i >= 0 && i < doc.polygon.count();
}

// What the records allow: forming needs a diagonal, or a triangle of three measured sides.
struct RecordSurvey {
    int joiningVertices = 0;
    bool sidesMeasured = true;
    bool anyDiagonal = false;
};

RecordSurvey surveyRecords(const TZCeiling& doc) {
    RecordSurvey survey;
    const int n = doc.polygon.count();
    for (const Diagonal& d : doc.diagonals) {
        if (!isVertex(doc, d.a) || !isVertex(doc, d.b)) continue;
        ++survey.joiningVertices;
        if (!areNeighbours(d.a, d.b, n))
            survey.anyDiagonal = true;
        else if (!(d.length > 0))
            survey.sidesMeasured = false;
    }
    return survey;
}

// Drops every later record of a pair already joined by an earlier one; *follow moves to the
// record kept for its pair.
void removeDuplicates(TZCeiling& doc, int& follow) {
    for (int k = doc.diagonals.count() - 1; k > 0; --k) {
        const Diagonal& d = doc.diagonals.at(k);
        int earlier = -1;
        for (int j = 0; j < k && earlier < 0; ++j) {
            const Diagonal& e = doc.diagonals.at(j);
            if ((e.a == d.a && e.b == d.b) || (e.a == d.b && e.b == d.a)) earlier = j;
        }
        if (earlier < 0) continue;
        eraseRecord(doc, k);
        if (follow == k)
            follow = earlier;
        else if (follow > k)
            --follow;
    }
}

// The best outline seen so far with its score.
struct BestOutline {
    CPolygon outline;
    OutlineScore score;

    void keep(const TZCeiling& doc, const OutlineScore& s) {
        outline.copyFrom(doc.polygon);
        score = s;
    }
};

bool runTrianglePhase(TZCeiling& doc, int& start) {
    BestOutline best;
    best.keep(doc, {kUnscoredCrossings, kUnscoredError, 0.0});

    // Pass 1 only learns on which side of its neighbours every vertex falls.
    for (Vertex& v : doc.polygon)
        v.autoSide = 0;
    doc.stepMode = true;
    bool formed = constructionPass(doc, &start);
    computeAutoSides(doc);

    // Passes 2 and 3 honour the side preferences against those automatic sides.
    for (int pass = 2; pass <= 3; ++pass) {
        doc.stepMode = false;
        formed = constructionPass(doc, &start);
        const OutlineScore score = scoreOutline(doc);
        if (betterByRuleB(score, best.score)) best.keep(doc, score);
    }
    doc.polygon.copyFrom(best.outline);
    return formed;
}

// The side that misses its measured length by the largest fraction above the threshold; −1.
int worstSide(const TZCeiling& doc) {
    const int n = doc.polygon.count();
    int worst = -1;
    double largest = kWorstSideThreshold;
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& d = doc.diagonals.at(k);
        if (!areNeighbours(d.a, d.b, n) || !(d.length > 0)) continue;
        const double relative = std::fabs(d.length - actualLength(doc, d)) / d.length;
        if (relative > largest) {
            largest = relative;
            worst = k;
        }
    }
    return worst;
}

void runRefinementPhase(TZCeiling& doc, int start) {
    BestOutline best;
    best.keep(doc, scoreOutline(doc));
    const int count = doc.diagonals.count();
    if (count == 0) return;
    // Each refinement goes on from where the previous one left the outline, not from the best.
    int d = doc.diagonals.checkedAt(start) ? start : 0;
    for (int i = 0; i < kRefinements; ++i) {
        refine(doc, d);
        const OutlineScore score = scoreOutline(doc);
        if (betterByRuleA(score, best.score)) best.keep(doc, score);
        d = (d + 1) % count;
    }
    if (const int side = worstSide(doc); side >= 0) {
        refine(doc, side);
        const OutlineScore score = scoreOutline(doc);
        if (betterByRuleA(score, best.score)) best.keep(doc, score);
    }
    doc.polygon.copyFrom(best.outline);
}

} // namespace

OutlineScore scoreOutline(TZCeiling& doc) {
    const bool wasPlacedOnly = doc.placedOnly;
    doc.placedOnly = false;
    const OutlineScore score{crossingCount(doc), errorFigure(doc, true), outlineArea(doc)};
    doc.placedOnly = wasPlacedOnly;
    return score;
}

bool betterByRuleA(const OutlineScore& candidate, const OutlineScore& best) {
    if (candidate.crossings != best.crossings) return candidate.crossings < best.crossings;
    if (best.error - candidate.error >= kScoreErrorMargin) return true;
    return std::fabs(candidate.error - best.error) < kScoreErrorMargin && candidate.area > best.area;
}

bool betterByRuleB(const OutlineScore& candidate, const OutlineScore& best) {
    if (candidate.crossings != best.crossings) return candidate.crossings < best.crossings;
    if (candidate.error < best.error) return true;
    return candidate.error - best.error <= kScoreErrorMargin && candidate.area > best.area;
}

bool formProject(TZCeiling& doc, int startDiagonal) {
    doc.statusText.clear();
    if (doc.diagonals.count() < 2) return false;
    doc.takeSnapshot();

    const RecordSurvey survey = surveyRecords(doc);
    const bool triangle = survey.joiningVertices == 3 && survey.sidesMeasured;
    if (!survey.anyDiagonal && !triangle) return false;

    doc.seamLines.clear();
    doc.editor.hoverCanvas = -1;
    int start = doc.diagonals.checkedAt(startDiagonal) ? startDiagonal : 0;
    removeDuplicates(doc, start);

    const int method = doc.constructionMethod;
    bool formed = false;
    if (method == kBothPhases || method == kTrianglesOnly) formed = runTrianglePhase(doc, start);
    if ((method == kBothPhases || method == kRefinementOnly) && survey.sidesMeasured)
        runRefinementPhase(doc, start);

    if (!isClockwise(pointsOf(doc.polygon))) mirror(doc.polygon);
    doc.refreshFigures(formed);
    normalize(doc);
    return formed;
}

void normalize(TZCeiling& doc) {
    if (doc.polygon.empty()) return;
    const Diagonal* first = doc.diagonals.empty() ? nullptr : &doc.diagonals.at(0);
    const bool firstJoinsVertices = first && isVertex(doc, first->a) && isVertex(doc, first->b);

    // Rotation: the first record, a → b, ends up pointing straight up on screen.
    if (doc.editor.mode != kModeCutting && firstJoinsVertices) {
        const Vertex& a = doc.polygon.at(first->a);
        const Vertex& b = doc.polygon.at(first->b);
        const double turn = kPi / 2 - direction(b.x - a.x, b.y - a.y);
        // A degenerate outline (coordinates that are not numbers) is left as it is.
        if (std::isfinite(turn)) {
            rotateAll(doc.polygon, turn);
            rotateAll(doc.polygon, kPi);
        }
    }

    // Centre the bounding box on the origin, then put the first record's start on a grid node.
    // Forming ends here, so the working outline is regenerated: the records get the derived
    // values of the new outline (the corner-cut marks take the place of forming's placed marks).
    WorkingOutline working;
    regenerateWorkingOutline(doc, doc.showConstructions, working);
    const std::span<const Vertex> outline = working.points();
    double minX = std::numeric_limits<double>::infinity();
    double minY = minX;
    double maxX = -minX;
    double maxY = -minX;
    for (const Vertex& v : outline) {
        minX = std::min(minX, v.x);
        maxX = std::max(maxX, v.x);
        minY = std::min(minY, v.y);
        maxY = std::max(maxY, v.y);
    }
    double shiftX = -(minX + maxX) / 2;
    double shiftY = -(minY + maxY) / 2;
    const double step = doc.view.gridStep;
    if (firstJoinsVertices && std::isfinite(step) && step > 0) {
        const Vertex& a = doc.polygon.at(first->a);
        const double sx = a.x + shiftX;
        const double sy = a.y + shiftY;
        shiftX += step * std::trunc(sx / step) - sx;
        shiftY += step * std::trunc(sy / step) - sy;
    }
    if (std::isfinite(shiftX) && std::isfinite(shiftY)) {
        for (Vertex& v : doc.polygon) {
            v.x += shiftX;
            v.y += shiftY;
        }
    }
    doc.view.panX = 0;
    doc.view.panY = 0;
}

} // namespace tenzora
