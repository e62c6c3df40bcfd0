// The finer seam search of the cutting dialog ("Искать точнее"). The optimiser tries seams
// through two points with no offset; a seam grid shifted across the ceiling, or turned at right
// angles, often needs less fabric. The search first runs exactly the optimiser's candidates, so
// its result is never worse, then tries every direction of a side or recorded diagonal, parallel and at
// right angles, with the grid shifted over one whole pitch at a coarse step, and refines the
// offset around the best one found.

#include <cmath>
#include <cstdio>
#include <vector>

#include "cutting/cutting_dialog.h"
#include "cutting/layout_points.h"
#include "model/ceiling.h"
#include "model/names.h"
#include "model/typed_number.h"
#include "storage/project_image.h"

namespace tenzora {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The optimiser starts from a quantity no layout reaches (m²).
constexpr double kNoQuantity = 1e12;
// A layout replaces the best one only when it saves more than this (m²): rounding noise between
// two equal layouts must not override the optimiser's choice.
constexpr double kSaving = 1e-9;
// Directions closer than this (radians) are one direction.
constexpr double kSameDirection = 1e-9;
// Offsets are tried in tenths of a centimetre: coarse over the whole pitch, then in tenths
// within one coarse step on either side of the best.
constexpr int kCoarseStepTenths = 10;
// A pitch beyond this (cm) is no roll anyone cuts from; the sweep is not run for it.
constexpr double kLongestPitch = 10000;

// The offset field's text for a number of tenths of a centimetre, and the value the dialog reads
// from it, so that the closing layout lies the seams exactly where the search measured them.
std::wstring offsetText(long tenths) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%.1f", static_cast<double>(tenths) / 10.0);
    return buffer;
}

// A direction brought into [0, π): seams along θ and θ + π are the same seams.
double halfTurn(double angle) {
    double a = std::fmod(angle, kPi);
    if (a < 0) a += kPi;
    if (a >= kPi - kSameDirection) a = 0;
    return a;
}

struct Candidate {
    int from, to;
    bool perpendicular;
};

} // namespace

FineSearchResult CuttingDialog::optimiseSeamSideFine(const SearchProgress& progress) {
    FineSearchResult result;
    if (const auto refusal = fieldRefusal()) {
        doc_.ui().exclamation(*refusal);
        result.final = ConfirmOutcome::Refused;
        return result;
    }
    const CuttingDialogFields before = fields_;
    fields_.perpendicular = false;
    fields_.twoDiagonals = false;
    fields_.offset = L"0";

    // The search lays out hundreds of candidates on the document itself; it is put back as it
    // was before the closing layout (or when the user stops the search).
    TZDynamicMemory saved(TZCeiling::kStreamGrowBy);
    saveToStream(doc_, saved, /*keepBlock=*/false);
    const int madeRecord = madeCurrentRecord_;
    const bool suppressed = doc_.suppressUndo;
    doc_.suppressUndo = true;
    optimising_ = true;

    const int n = doc_.polygon.count();
    LayoutPoints points;
    points.build(doc_);
    const int usable = std::min(n, points.count());

    // Every distinct seam direction of a side or of a recorded diagonal, parallel or at right
    // angles (all pairs of points would be thousands of directions on a round room).
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < usable; ++i)
        pairs.emplace_back(i, (i + 1) % usable);
    for (const Diagonal& d : doc_.diagonals)
        if (d.a >= 0 && d.b >= 0 && d.a < usable && d.b < usable && d.a != d.b) pairs.emplace_back(d.a, d.b);
    std::vector<Candidate> candidates;
    std::vector<double> seen;
    for (const auto& [i, j] : pairs) {
        const Vertex& a = points.point(i);
        const Vertex& b = points.point(j);
        if (!(std::hypot(b.x - a.x, b.y - a.y) > 0)) continue;
        for (const bool perpendicular : {false, true}) {
            const double angle = halfTurn(std::atan2(b.y - a.y, b.x - a.x) + (perpendicular ? kPi / 2 : 0));
            bool known = false;
            for (const double s : seen) {
                const double d = std::fabs(s - angle);
                if (d < kSameDirection || kPi - d < kSameDirection) known = true;
            }
            if (known) continue;
            seen.push_back(angle);
            candidates.push_back({std::min(i, j), std::max(i, j), perpendicular});
        }
    }

    long done = 0;
    long total = static_cast<long>(n) * std::max(0, n - 1);
    bool stopped = false;
    const auto step = [&] {
        ++done;
        if (progress && !progress(done, total)) stopped = true;
        return !stopped;
    };

    double best = kNoQuantity;
    double pitch = 0;
    // One layout of the fields as they stand; true when it laid canvases out.
    const auto tryLayout = [&]() {
        ++result.layouts;
        const ConfirmOutcome outcome = confirm();
        if (outcome != ConfirmOutcome::LaidOut || lastLayout_ != LayoutOutcome::LaidOut) return false;
        const double k = doc_.tensionY > 0 ? doc_.tensionY : working_.tensionCoef;
        pitch = (working_.width - doc_.seamWidth) / k;
        return true;
    };

    // The optimiser's own candidates, in its order and with its tie rule.
    for (int i = 0; i < n && !stopped; ++i) {
        for (int j = 0; j < n && !stopped; ++j) {
            if (i == j) continue;
            fields_.seamSide = pairName(i, j);
            if (tryLayout() && best > doc_.materialQuantity) {
                best = doc_.materialQuantity;
                result.bestPair = fields_.seamSide;
            }
            step();
        }
    }
    result.pairQuantity = result.bestPair.empty() ? 0.0 : best;

    // The sweep over the offsets of every direction.
    const bool sweep = !stopped && !result.bestPair.empty() && pitch > 0 && pitch < kLongestPitch;
    if (sweep) {
        const long coarse = static_cast<long>(std::ceil(pitch * 10.0 / kCoarseStepTenths));
        total += static_cast<long>(candidates.size()) * coarse + 2 * kCoarseStepTenths;
        long bestTenths = 0;
        int bestCandidate = -1;
        const auto tryOffset = [&](const Candidate& c, long tenths) {
            fields_.seamSide = pairName(c.from, c.to);
            fields_.perpendicular = c.perpendicular;
            fields_.offset = offsetText(tenths);
            const bool laid = tryLayout();
            if (laid && doc_.materialQuantity < best - kSaving) {
                best = doc_.materialQuantity;
                result.bestPair = fields_.seamSide;
                result.perpendicular = c.perpendicular;
                result.offset = fields_.offset;
                return true;
            }
            return false;
        };
        for (int c = 0; c < static_cast<int>(candidates.size()) && !stopped; ++c) {
            for (long s = 0; s < coarse && !stopped; ++s) {
                if (tryOffset(candidates[static_cast<std::size_t>(c)], s * kCoarseStepTenths)) {
                    bestTenths = s * kCoarseStepTenths;
                    bestCandidate = c;
                }
                step();
            }
        }
        // Tenths of a centimetre around the best coarse offset.
        if (bestCandidate >= 0) {
            const Candidate c = candidates[static_cast<std::size_t>(bestCandidate)];
            const long centre = bestTenths;
            for (long t = centre - kCoarseStepTenths; t <= centre + kCoarseStepTenths && !stopped; ++t) {
                if (t != centre) tryOffset(c, t);
                step();
            }
        }
    }

    bool throwAwayFormat = true;
    loadFromStream(doc_, saved, throwAwayFormat);
    madeCurrentRecord_ = madeRecord;
    optimising_ = false;
    if (stopped) {
        fields_ = before;
        doc_.suppressUndo = suppressed;
        result = FineSearchResult{};
        result.cancelled = true;
        doc_.refreshAfterChange();
        return result;
    }

    // The closing layout, normally, as one step of the history.
    result.bestQuantity = result.bestPair.empty() ? 0.0 : best;
    fields_.seamSide = result.bestPair;
    fields_.perpendicular = result.perpendicular;
    fields_.offset = result.offset;
    applyPerpendicular();
    doc_.suppressUndo = suppressed;
    doc_.takeSnapshot();
    doc_.suppressUndo = true;
    result.final = confirm();
    doc_.suppressUndo = suppressed;
    return result;
}

} // namespace tenzora
