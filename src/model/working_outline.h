#pragma once
// The working outline: the measured vertices of the project with the points of every additional
// construction inserted, in order. It is not stored; it is rebuilt from the construction records
// whenever the drawing, a measurement, the cutouts or the layout need it, so building it must be
// cheap and must never allocate: a WorkingOutline is kept by its caller and reused.
//
// Building reads the document and changes nothing in it. What a build derives besides the points
// (the constructions' computed fields, the corner-cut marks, the fold lines of bends) stays in the
// WorkingOutline; regenerateWorkingOutline() also writes it into the document's records, which is
// where the project file and the construction texts find it.

#include <cstdint>
#include <span>
#include <vector>

#include "model/construction.h"
#include "model/polygon.h"
#include "model/view_transform.h"

namespace tenzora {

class TZCeiling;

// Points the working outline can hold. A construction whose points would not fit is skipped
// whole, so the outline is always a complete, valid ring.
inline constexpr int kWorkingOutlineCapacity = 1000;

// Fold lines (two points each) one build keeps at most. The
// fold lines are only drawn; a build with more bent sides than this draws the first ones.
inline constexpr int kMaxFoldLines = 1000;

// One point of the working outline besides its world position. A measured vertex is referenced
// by its index (its record stays in the document's outline); a point made by a construction
// belongs to the working outline alone.
struct TZDopPoint {
    std::int32_t measuredVertex = -1; // index into the document's outline; −1: made by a construction
    std::int32_t firstOf = -1;        // this is the first point of that construction (index into dops)
    std::int32_t lastOf = -1;         // this is the last point of that construction
    bool owned() const { return measuredVertex < 0; }
};

// Where the working outline's points land on the output: the screen transform of the drawing
// view, or the transform of a printed or exported picture.
class OutputMapping {
  public:
    virtual ~OutputMapping() = default;
    virtual ScreenPoint toOutput(double x, double y) const = 0;
};

// The drawing view's transform; `mirrored` for the mirrored cutting layout display.
class ScreenMapping : public OutputMapping {
  public:
    explicit ScreenMapping(const TZCeiling& doc, bool mirrored = false) : doc_(doc), mirrored_(mirrored) {}
    ScreenPoint toOutput(double x, double y) const override;

  private:
    const TZCeiling& doc_;
    bool mirrored_;
};

// Three parallel arrays of equal length and fixed capacity: world points (centimetres), what
// each point is, and its output position. Storage is reserved once, on construction.
class WorkingOutline {
  public:
    WorkingOutline();

    int count() const { return static_cast<int>(points_.size()); }
    bool empty() const { return points_.empty(); }
    // Points of the outline in order (a copy of the measured vertex's record for measured ones).
    std::span<const Vertex> points() const { return points_; }
    std::span<const ScreenPoint> positions() const { return positions_; }
    std::span<const TZDopPoint> entries() const { return entries_; }
    const Vertex& point(int i) const { return points_[static_cast<std::size_t>(i)]; }
    ScreenPoint position(int i) const { return positions_[static_cast<std::size_t>(i)]; }
    const TZDopPoint& entry(int i) const { return entries_[static_cast<std::size_t>(i)]; }
    bool valid(int i) const { return i >= 0 && i < count(); }
    // Room left for further points.
    int room() const { return kWorkingOutlineCapacity - count(); }
    // The measured outline had more vertices than the capacity: only the first ones are here.
    bool truncated() const { return truncated_; }

    // Editing, used while the outline is built. Insertion fails (false) when the outline is full.
    void clear();
    bool insert(int at, const Vertex& point, const TZDopPoint& entry, ScreenPoint position);
    void remove(int i);
    void setPoint(int i, const Vertex& point, ScreenPoint position);
    TZDopPoint& entryAt(int i) { return entries_[static_cast<std::size_t>(i)]; }
    void markTruncated() { truncated_ = true; }

    // Keeps a copy of the whole outline, to be put back when a construction turns out not to fit.
    void saveBackup();
    void restoreBackup();
    // A list of points for the builder's own bookkeeping, kept to save allocations.
    std::vector<Vertex>& scratch() { return scratch_; }

    // ---- what the build derived besides the points ----
    // Copies of the document's construction records with the fields the build computes (first
    // and last point index and output position, a rectangle's width, an arc's radius); empty
    // when the build applied no constructions.
    std::span<const TZDop> constructions() const { return constructions_; }
    // The record of construction k as computed, or null.
    const TZDop* construction(int k) const {
        return k >= 0 && k < static_cast<int>(constructions_.size())
                   ? &constructions_[static_cast<std::size_t>(k)]
                   : nullptr;
    }
    // One mark per measured vertex of the document: 1 for a vertex at a cut corner, else 0.
    std::span<const std::uint8_t> cutMarks() const { return cutMarks_; }
    // The fold lines of bends, two points (start and end of the folded side) each.
    std::span<const Vertex> foldLines() const { return foldLines_; }

    // Editing of the derived parts, used while the outline is built.
    std::vector<TZDop>& constructionRecords() { return constructions_; }
    void resetCutMarks(int vertices) { cutMarks_.assign(static_cast<std::size_t>(vertices), 0); }
    void markCut(int vertex);
    // Appends one fold line, unless kMaxFoldLines are kept already.
    void addFoldLine(const Vertex& from, const Vertex& to);
    void dropFoldPointsAfter(int count);

  private:
    std::vector<Vertex> points_;
    std::vector<TZDopPoint> entries_;
    std::vector<ScreenPoint> positions_;
    std::vector<Vertex> backupPoints_;
    std::vector<TZDopPoint> backupEntries_;
    std::vector<ScreenPoint> backupPositions_;
    std::vector<Vertex> scratch_;
    std::vector<TZDop> constructions_;
    std::vector<std::uint8_t> cutMarks_;
    std::vector<Vertex> foldLines_;
    bool truncated_ = false;
};

// Builds the working outline of the document into `outline` and returns its number of points.
// Without `applyConstructions` it is the measured vertices alone. With it, every construction is
// applied in creation order, and the outline keeps the records with their computed fields, the
// corner-cut marks of the measured vertices and the fold lines of bends. The document is only read.
int buildWorkingOutline(const TZCeiling& doc, bool applyConstructions, const OutputMapping& mapping,
                        WorkingOutline& outline);
// The same with the drawing view's transform.
int buildWorkingOutline(const TZCeiling& doc, bool applyConstructions, WorkingOutline& outline,
                        bool mirrored = false);

// Writes what a build derived into the document: each construction's computed fields into its
// record (when the build applied them), the corner-cut mark `placed` of every measured vertex
// (cleared elsewhere) and the fold lines into `bendPieces` (emptied first, its storage kept).
void storeWorkingOutline(TZCeiling& doc, const WorkingOutline& outline);

// Builds and stores: what a change of the document runs, so that its records carry the derived
// values the project file stores and the construction texts read.
int regenerateWorkingOutline(TZCeiling& doc, bool applyConstructions, const OutputMapping& mapping,
                             WorkingOutline& outline);
int regenerateWorkingOutline(TZCeiling& doc, bool applyConstructions, WorkingOutline& outline,
                             bool mirrored = false);

// The point `distance` along the side p0→p1, measured from p0 (fromStart) or back from p1, moved
// by `offset` to the left of the direction of travel (x right, y down: towards the inside of a
// clockwise outline). A side of length 0 is taken as pointing along +x.
Vertex pointAlongSide(const Vertex& p0, const Vertex& p1, bool fromStart, double distance, double offset);

// Removes near-duplicate points: for each point, when the third, else the second, else the first
// point after it lies closer than 1 cm, the points between are removed with it.
void cleanUpOutline(WorkingOutline& outline);

} // namespace tenzora
