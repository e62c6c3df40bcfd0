#pragma once
// The working outline: the measured vertices of the project with the points of every additional
// construction inserted, in order. It is not stored; it is rebuilt from the construction records
// whenever the drawing, a measurement, the cutouts or the layout need it, so building it must be
// cheap and must never allocate: a WorkingOutline is kept by its caller and reused.

#include <cstdint>
#include <span>
#include <vector>

#include "model/polygon.h"
#include "model/view_transform.h"

class TZCeiling;

// Points the working outline can hold. A construction whose points would not fit is skipped
// whole, so the outline is always a complete, valid ring.
inline constexpr int kWorkingOutlineCapacity = 1000;

// Fold lines kept in the document's `bendPieces` (two points each) by one build at most. The
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

  private:
    std::vector<Vertex> points_;
    std::vector<TZDopPoint> entries_;
    std::vector<ScreenPoint> positions_;
    std::vector<Vertex> backupPoints_;
    std::vector<TZDopPoint> backupEntries_;
    std::vector<ScreenPoint> backupPositions_;
    std::vector<Vertex> scratch_;
    bool truncated_ = false;
};

// Builds the working outline of the document into `outline` and returns its number of points.
// Without `applyConstructions` it is the measured vertices alone. With it, every construction is
// applied in creation order; each construction's first and last point indexes and output
// positions, an arc's radius (depth2) and a rectangle's width are written into its record, the
// corner-cut mark (`placed`) of the measured vertices is set, and the document's `bendPieces`
// receives the fold lines of bends (emptied first, its storage kept).
int buildWorkingOutline(TZCeiling& doc, bool applyConstructions, const OutputMapping& mapping,
                        WorkingOutline& outline);
// The same with the drawing view's transform.
int buildWorkingOutline(TZCeiling& doc, bool applyConstructions, WorkingOutline& outline,
                        bool mirrored = false);

// The point `distance` along the side p0→p1, measured from p0 (fromStart) or back from p1, moved
// by `offset` to the left of the direction of travel (x right, y down: towards the inside of a
// clockwise outline). A side of length 0 is taken as pointing along +x.
Vertex pointAlongSide(const Vertex& p0, const Vertex& p1, bool fromStart, double distance, double offset);

// Removes near-duplicate points: for each point, when the third, else the second, else the first
// point after it lies closer than 1 cm, the points between are removed with it.
void cleanUpOutline(WorkingOutline& outline);
