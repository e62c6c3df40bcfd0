#include "model/working_outline.h"

#include <algorithm>
#include <cmath>

#include "model/ceiling.h"
#include "model/construction_kinds.h"
#include "model/geometry.h"

namespace tenzora {

namespace {

// Points closer than this to a point a little before them on the outline are duplicates.
constexpr double kCleanUpDistance = 1.0;
// The clean-up looks this many points ahead of each point.
constexpr int kCleanUpLookAhead = 3;
// ... but never so far that fewer than this many points could be left (on a tiny outline the
// points ahead wrap round to the ones behind).
constexpr int kCleanUpKeepAtLeast = 3;

// Empties the list without giving its storage back: the build runs on every repaint.
void emptyKeepingStorage(TZStaticArray<Vertex>& list) {
    while (!list.empty())
        list.removeAt(list.count() - 1);
}

// The host side of a construction along a side (every kind but the corner cut), or none.
bool hostSide(const WorkingOutline& outline, const TZDop& dop, HostSide& side) {
    side.a = dop.vertex1;
    side.b = dop.vertex2;
    side.exchanged = false;
    // Given from point 0 to the last point: a construction on one side lies on the closing side,
    // which runs from the last point to point 0. A bend follows a chain of sides, and from point
    // 0 to the last point is the chain of every side but the closing one (the closing side alone
    // is given from the last point to point 0), so a bend keeps the order it was given in.
    const bool alongOneSide = dop.kind != static_cast<std::int32_t>(TZDopKind::Bend);
    if (alongOneSide && side.b == outline.count() - 1 && side.a == 0) {
        std::swap(side.a, side.b);
        side.exchanged = true;
    }
    if (!outline.valid(side.a) || !outline.valid(side.b) || side.a == side.b) return false;
    side.pa = outline.point(side.a);
    side.pb = outline.point(side.b);
    return true;
}

// Applies one construction; false when it was skipped (points that do not exist, or points that
// would not fit), the outline then being unchanged.
bool applyConstruction(OutlineEditor& editor, TZDop& dop, int k) {
    const WorkingOutline& outline = editor.outline();
    const auto kind = static_cast<TZDopKind>(dop.kind);
    if (kind == TZDopKind::CornerCut) {
        const int corner = dop.vertex2;
        if (!outline.valid(corner) || outline.count() < 2) return false;
        return applyCornerCut(editor, dop, k, corner);
    }
    HostSide side;
    if (!hostSide(outline, dop, side)) return false;
    switch (kind) {
    case TZDopKind::Rectangle:
        return applyRectangle(editor, dop, k, side, false);
    case TZDopKind::Trapezoid:
        return applyRectangle(editor, dop, k, side, true);
    case TZDopKind::Arc:
        return applyArc(editor, dop, k, side);
    case TZDopKind::Bend:
        return applyBend(editor, dop, side);
    default:
        return false;
    }
}

} // namespace

ScreenPoint ScreenMapping::toOutput(double x, double y) const {
    return worldToScreen(doc_, x, y, mirrored_);
}

// ---- WorkingOutline -------------------------------------------------------------------------

WorkingOutline::WorkingOutline() {
    points_.reserve(kWorkingOutlineCapacity);
    entries_.reserve(kWorkingOutlineCapacity);
    positions_.reserve(kWorkingOutlineCapacity);
}

void WorkingOutline::clear() {
    points_.clear();
    entries_.clear();
    positions_.clear();
    constructions_.clear();
    cutMarks_.clear();
    foldLines_.clear();
    truncated_ = false;
}

void WorkingOutline::markCut(int vertex) {
    if (vertex >= 0 && vertex < static_cast<int>(cutMarks_.size()))
        cutMarks_[static_cast<std::size_t>(vertex)] = 1;
}

void WorkingOutline::addFoldLine(const Vertex& from, const Vertex& to) {
    if (foldLines_.size() >= 2 * static_cast<std::size_t>(kMaxFoldLines)) return;
    foldLines_.push_back(from);
    foldLines_.push_back(to);
}

void WorkingOutline::dropFoldPointsAfter(int count) {
    if (count >= 0 && static_cast<std::size_t>(count) < foldLines_.size())
        foldLines_.resize(static_cast<std::size_t>(count));
}

bool WorkingOutline::insert(int at, const Vertex& point, const TZDopPoint& entry, ScreenPoint position) {
    if (count() >= kWorkingOutlineCapacity) return false;
    at = std::clamp(at, 0, count());
    points_.insert(points_.begin() + at, point);
    entries_.insert(entries_.begin() + at, entry);
    positions_.insert(positions_.begin() + at, position);
    return true;
}

void WorkingOutline::remove(int i) {
    if (!valid(i)) return;
    points_.erase(points_.begin() + i);
    entries_.erase(entries_.begin() + i);
    positions_.erase(positions_.begin() + i);
}

void WorkingOutline::setPoint(int i, const Vertex& point, ScreenPoint position) {
    if (!valid(i)) return;
    points_[static_cast<std::size_t>(i)] = point;
    positions_[static_cast<std::size_t>(i)] = position;
}

void WorkingOutline::saveBackup() {
    if (backupPoints_.capacity() < kWorkingOutlineCapacity) {
        backupPoints_.reserve(kWorkingOutlineCapacity);
        backupEntries_.reserve(kWorkingOutlineCapacity);
        backupPositions_.reserve(kWorkingOutlineCapacity);
    }
    backupPoints_.assign(points_.begin(), points_.end());
    backupEntries_.assign(entries_.begin(), entries_.end());
    backupPositions_.assign(positions_.begin(), positions_.end());
}

void WorkingOutline::restoreBackup() {
    points_.assign(backupPoints_.begin(), backupPoints_.end());
    entries_.assign(backupEntries_.begin(), backupEntries_.end());
    positions_.assign(backupPositions_.begin(), backupPositions_.end());
}

// ---- building ---------------------------------------------------------------------------------

int buildWorkingOutline(const TZCeiling& doc, bool applyConstructions, const OutputMapping& mapping,
                        WorkingOutline& outline) {
    outline.clear();
    outline.resetCutMarks(doc.polygon.count());

    for (int i = 0; i < doc.polygon.count(); ++i) {
        if (outline.count() == kWorkingOutlineCapacity) {
            outline.markTruncated();
            break;
        }
        // The copy carries no mark: the marks of a build are its cut marks.
        Vertex v = doc.polygon.at(i);
        v.placed = 0;
        TZDopPoint entry;
        entry.measuredVertex = i;
        outline.insert(outline.count(), v, entry, mapping.toOutput(v.x, v.y));
    }
    if (!applyConstructions) return outline.count();

    std::vector<TZDop>& records = outline.constructionRecords();
    for (const TZDop& dop : doc.dops)
        records.push_back(dop);
    OutlineEditor editor(doc, outline, mapping);
    for (int k = 0; k < static_cast<int>(records.size()); ++k) {
        TZDop& dop = records[static_cast<std::size_t>(k)];
        dop.firstPointIndex = -1;
        dop.lastPointIndex = -1;
        dop.firstPointPosX = dop.firstPointPosY = kUnsetPosition;
        dop.lastPointPosX = dop.lastPointPosY = kUnsetPosition;
        if (dop.kind <= static_cast<std::int32_t>(TZDopKind::Disabled) ||
            dop.kind > static_cast<std::int32_t>(TZDopKind::Bend))
            continue;
        if (applyConstruction(editor, dop, k)) cleanUpOutline(outline);
    }

    // The first and last points carry the number of their construction, so they are found
    // wherever later constructions have moved them (and not found when one removed them).
    const auto recordOf = [&](int k) -> TZDop* {
        return k >= 0 && k < static_cast<int>(records.size()) ? &records[static_cast<std::size_t>(k)]
                                                              : nullptr;
    };
    for (int i = 0; i < outline.count(); ++i) {
        const TZDopPoint& e = outline.entry(i);
        if (TZDop* dop = recordOf(e.firstOf)) dop->firstPointIndex = i;
        if (TZDop* dop = recordOf(e.lastOf)) dop->lastPointIndex = i;
    }
    return outline.count();
}

int buildWorkingOutline(const TZCeiling& doc, bool applyConstructions, WorkingOutline& outline,
                        bool mirrored) {
    const ScreenMapping mapping(doc, mirrored);
    return buildWorkingOutline(doc, applyConstructions, mapping, outline);
}

void storeWorkingOutline(TZCeiling& doc, const WorkingOutline& outline) {
    const std::span<const std::uint8_t> marks = outline.cutMarks();
    for (int i = 0; i < doc.polygon.count(); ++i)
        doc.polygon.at(i).placed =
            static_cast<std::size_t>(i) < marks.size() ? marks[static_cast<std::size_t>(i)] : 0;
    emptyKeepingStorage(doc.bendPieces);
    for (const Vertex& p : outline.foldLines())
        doc.bendPieces.append(p);
    const std::span<const TZDop> records = outline.constructions();
    if (static_cast<int>(records.size()) != doc.dops.count()) return;
    for (int k = 0; k < doc.dops.count(); ++k)
        doc.dops.at(k) = records[static_cast<std::size_t>(k)];
}

int regenerateWorkingOutline(TZCeiling& doc, bool applyConstructions, const OutputMapping& mapping,
                             WorkingOutline& outline) {
    const int count = buildWorkingOutline(doc, applyConstructions, mapping, outline);
    storeWorkingOutline(doc, outline);
    return count;
}

int regenerateWorkingOutline(TZCeiling& doc, bool applyConstructions, WorkingOutline& outline,
                             bool mirrored) {
    const ScreenMapping mapping(doc, mirrored);
    return regenerateWorkingOutline(doc, applyConstructions, mapping, outline);
}

Vertex pointAlongSide(const Vertex& p0, const Vertex& p1, bool fromStart, double distance, double offset) {
    double ux = p1.x - p0.x;
    double uy = p1.y - p0.y;
    const double length = std::hypot(ux, uy);
    if (length > 0) {
        ux /= length;
        uy /= length;
    } else {
        ux = 1.0;
        uy = 0.0;
    }
    Vertex p;
    p.x = fromStart ? p0.x + ux * distance : p1.x - ux * distance;
    p.y = fromStart ? p0.y + uy * distance : p1.y - uy * distance;
    if (offset != 0) {
        // (cos(θ + π/2), sin(θ + π/2)) with θ the direction of the side.
        p.x += -uy * offset;
        p.y += ux * offset;
    }
    return p;
}

void cleanUpOutline(WorkingOutline& outline) {
    for (int j = 0; j < outline.count(); ++j) {
        const int n = outline.count();
        const int lookAhead = std::min(kCleanUpLookAhead, n - kCleanUpKeepAtLeast);
        int removeCount = 0;
        for (int s = lookAhead; s >= 1; --s) {
            const Vertex& p = outline.point(j);
            const Vertex& q = outline.point(j + s < n ? j + s : j + s - n);
            const double dx = q.x - p.x, dy = q.y - p.y;
            if (dx * dx + dy * dy < kCleanUpDistance * kCleanUpDistance) {
                removeCount = s;
                break;
            }
        }
        for (int r = 0; r < removeCount; ++r) {
            const int at = (j + 1) % outline.count();
            outline.remove(at);
            if (at < j) --j;
        }
    }
}

} // namespace tenzora
