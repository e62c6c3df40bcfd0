#pragma once
// The part of a metafile writer that does not depend on the format: it keeps track of what the
// reader's device context will hold (selected pen, brush and font, colours, alignment, modes,
// saved states) and writes a state record only when a primitive needs a different value. Pens,
// brushes and fonts are created once and kept in a small table of objects for reuse, so a drawing
// that switches between a handful of pens writes each only once; the least recently used object
// that no context state refers to is deleted when the table is full.
//
// The EMF and WMF writers supply the records.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "output/metafile_support.h"
#include "platform/surface.h"

namespace tenzora {

class MetafileSurface : public Surface {
  public:
    // A picture of width × height pixels at `dpi` pixels per inch. The measurer must outlive the
    // writer.
    MetafileSurface(std::int32_t width, std::int32_t height, const TextMeasurer& measurer, std::int32_t dpi);

    void polyline(std::span<const Point> points) override;
    void polygon(std::span<const Point> points, FillRule rule) override;
    void ellipse(const Rect& box) override;
    void rectangle(const Rect& box) override;
    void fillRect(const Rect& box, Color color) override;
    void textOut(Point reference, std::wstring_view text) override;
    DeviceMetrics metrics() const override { return metrics_; }
    const TextMeasurer& measurer() const override { return measurer_; }

    std::int32_t width() const { return metrics_.widthPx; }
    std::int32_t height() const { return metrics_.heightPx; }
    std::int32_t dpi() const { return metrics_.dpiX; }
    // True once the file has been finished; later drawing is ignored.
    bool finished() const { return finished_; }

  protected:
    // ---- Records the format writes -------------------------------------------------------------
    virtual void writeCreatePen(int slot, const Pen& pen) = 0;
    virtual void writeCreateBrush(int slot, const Brush& brush) = 0;
    virtual void writeCreateFont(int slot, const Font& font) = 0;
    virtual void writeSelectObject(int slot) = 0;
    virtual void writeDeleteObject(int slot) = 0;
    virtual void writeTextColor(Color color) = 0;
    virtual void writeBackgroundColor(Color color) = 0;
    virtual void writeBackgroundMode(BackgroundMode mode) = 0;
    virtual void writeTextAlign(TextAlign align) = 0;
    virtual void writePolyFillMode(FillRule rule) = 0;
    virtual void writeSaveDc() = 0;
    virtual void writeRestoreDc() = 0;
    virtual void writeIntersectClipRect(const Rect& box) = 0;
    // After writeSaveDc and the area's fill mode: restricts the clip to the area given as rings
    // (holes already turned for the fill mode). A format without clip paths may restrict it to a
    // rectangle around the area; lines are clipped exactly in any case.
    virtual void writeClipArea(std::span<const Point> points, std::span<const std::int32_t> rings) = 0;
    virtual void writePolyline(std::span<const Point> points) = 0;
    virtual void writePolygon(std::span<const Point> points) = 0;
    virtual void writePolyPolygon(std::span<const Point> points, std::span<const std::int32_t> rings) = 0;
    virtual void writeEllipse(const Rect& box) = 0;
    virtual void writeRectangle(const Rect& box) = 0;
    // `advances` holds the whole-pixel advance of each character of `text`; `bounds` the text's cell.
    virtual void writeText(Point reference, std::wstring_view text, std::span<const std::int32_t> advances,
                           const Rect& bounds) = 0;
    virtual void writeBitmap(const Rect& target, const DibImage& dib) = 0;
    // The first index of the object table (EMF reserves 0 for the file itself).
    virtual int firstObjectSlot() const = 0;

    // ---- For the formats -----------------------------------------------------------------------
    // Writes the initial context state records (call once after the header).
    void writeInitialState();
    // Restores every open clip and marks the file finished.
    void finishDrawing();
    // The number of object slots ever used at once, counted from 0 (the table size a reader needs).
    int objectTableSize() const { return static_cast<int>(slotUsed_.size()); }

    void doFillPolygonWithHoles(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                FillRule outerRule) override;
    void doDrawBitmap(const Bitmap& bitmap, const Rect& target, BitmapOptions options) override;
    void doPushClipRect(const Rect& box) override;
    void doPushClipRegion(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                          FillRule outerRule) override;
    void doPopClip() override;

  private:
    enum class ObjectKind : std::uint8_t { Pen, Brush, Font };
    struct CachedObject {
        ObjectKind kind;
        Pen pen;
        Brush brush;
        Font font;
        int slot;
        std::uint64_t lastUse;
    };
    // What the reader's device context holds; -1 and "unknown" mean nothing written yet.
    struct DcState {
        int penSlot = -1, brushSlot = -1, fontSlot = -1;
        bool colorsKnown = false;
        Color textColor, backgroundColor;
        bool modesKnown = false;
        BackgroundMode backgroundMode = BackgroundMode::Opaque;
        TextAlign textAlign;
        bool fillKnown = false;
        FillRule polyFill = FillRule::EvenOdd;
    };

    void usePen(const Pen& pen);
    void useBrush(const Brush& brush);
    void useFont(const Font& font);
    void useBackground();
    void useTextAttributes();
    void usePolyFill(FillRule rule);
    // Finds or creates the object and selects it; returns its slot.
    int selectObject(ObjectKind kind, const Pen* pen, const Brush* brush, const Font* font);
    int allocateSlot();
    bool pinned(int slot) const;
    // The points of the rings with every hole turned against the outer ring, so that the non-zero
    // rule leaves the holes empty (written to ringPoints_).
    std::span<const Point> orientedRings(std::span<const Point> points, std::span<const std::int32_t> rings);
    void writeClippedPolyline(std::span<const Point> points);

    const TextMeasurer& measurer_;
    DeviceMetrics metrics_;
    bool finished_ = false;
    DcState dc_;
    std::vector<DcState> savedDc_;
    std::vector<CachedObject> objects_;
    std::vector<bool> slotUsed_;
    std::uint64_t useClock_ = 0;
    std::vector<ClipArea> clipAreas_; // one per pushed clip (empty for rectangles)
    int activeAreas_ = 0;
    std::vector<Point> ringPoints_;
    std::vector<double> advances_;
    std::vector<std::int32_t> pixelAdvances_;
    std::vector<std::pair<double, double>> pieces_;
};

} // namespace tenzora
