#pragma once
// A surface that keeps every call as a record, for tests of the painting routine and the sheet:
// which texts were written where, in which font, colour and angle; which lines and shapes were
// drawn with which pen and brush; which clips were in force. Texts are measured with the given
// measurer (the deterministic approximation by default), so layouts are the same on every machine.

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/approximate_text_measurer.h"
#include "platform/surface.h"

namespace tenzora {

enum class RecordKind : std::uint8_t {
    Polyline,
    Polygon,
    PolygonWithHoles,
    Ellipse,
    Rectangle,
    FillRect,
    Bitmap,
    Text,
    TabbedText,
    WrappedText,
    PushClipRect,
    PushClipRegion,
    PopClip
};

struct SurfaceRecord {
    RecordKind kind = RecordKind::Polyline;
    DrawState state;   // the drawing state when the call was made
    int clipDepth = 0; // clips in force (for clip records: after the call)
    Rect rect;         // Ellipse, Rectangle, FillRect, Bitmap (target), WrappedText (box), PushClipRect
    Point point;       // Text (reference point), TabbedText (origin)
    Color color;       // FillRect
    FillRule rule = FillRule::EvenOdd; // Polygon, PolygonWithHoles, PushClipRegion
    BitmapOptions bitmapOptions;       // Bitmap
    Size bitmapSize;                   // Bitmap: the source's size
    std::int32_t tabOrigin = 0;        // TabbedText

    // Ranges in the recorder's pools; read them through RecordingSurface::points() and friends.
    std::size_t pointStart = 0, pointCount = 0;
    std::size_t ringStart = 0, ringCount = 0;
    std::size_t textStart = 0, textCount = 0;
    std::size_t tabStart = 0, tabCount = 0;

    bool isText() const {
        return kind == RecordKind::Text || kind == RecordKind::TabbedText || kind == RecordKind::WrappedText;
    }
};

class RecordingSurface : public Surface {
  public:
    // With no measurer, the recorder measures with its own ApproximateTextMeasurer; a given one must
    // outlive the recorder.
    explicit RecordingSurface(const DeviceMetrics& metrics = deviceMetricsFor(800, 600),
                              const TextMeasurer* measurer = nullptr);

    void polyline(std::span<const Point> points) override;
    void polygon(std::span<const Point> points, FillRule rule) override;
    void ellipse(const Rect& box) override;
    void rectangle(const Rect& box) override;
    void fillRect(const Rect& box, Color color) override;
    void textOut(Point reference, std::wstring_view text) override;
    // Kept as one record each (with the tab stops, or the box); the results are those the
    // default layout gives.
    Size tabbedTextOut(Point origin, std::wstring_view text, std::span<const std::int32_t> tabStops,
                       std::int32_t tabOrigin) override;
    std::int32_t drawWrappedText(const Rect& box, std::wstring_view text) override;
    DeviceMetrics metrics() const override { return metrics_; }
    const TextMeasurer& measurer() const override { return *measurer_; }

    void setMetrics(const DeviceMetrics& metrics) { metrics_ = metrics; }
    void clear();

    const std::vector<SurfaceRecord>& records() const { return records_; }
    std::span<const Point> points(const SurfaceRecord& r) const;
    // PolygonWithHoles, PushClipRegion: the checked ring sizes (outer boundary first).
    std::span<const std::int32_t> rings(const SurfaceRecord& r) const;
    std::wstring_view text(const SurfaceRecord& r) const;
    std::span<const std::int32_t> tabStops(const SurfaceRecord& r) const;

    // Finding records.
    std::vector<const SurfaceRecord*> ofKind(RecordKind kind) const;
    std::size_t count(RecordKind kind) const;
    // Text records (of all three kinds) whose text equals / contains the given text, in call order.
    std::vector<const SurfaceRecord*> textsEqual(std::wstring_view text) const;
    std::vector<const SurfaceRecord*> textsContaining(std::wstring_view part) const;
    // Every text written, in call order.
    std::vector<std::wstring> allTexts() const;

  protected:
    void doFillPolygonWithHoles(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                FillRule outerRule) override;
    void doDrawBitmap(const Bitmap& bitmap, const Rect& target, BitmapOptions options) override;
    void doPushClipRect(const Rect& box) override;
    void doPushClipRegion(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                          FillRule outerRule) override;
    void doPopClip() override;

  private:
    SurfaceRecord& add(RecordKind kind);
    void keepPoints(SurfaceRecord& r, std::span<const Point> points);
    void keepRings(SurfaceRecord& r, std::span<const std::int32_t> rings);
    void keepText(SurfaceRecord& r, std::wstring_view text);

    std::unique_ptr<ApproximateTextMeasurer> ownMeasurer_;
    const TextMeasurer* measurer_;
    DeviceMetrics metrics_;
    int depth_ = 0;
    std::vector<SurfaceRecord> records_;
    std::vector<Point> points_;
    std::vector<std::int32_t> ints_; // ring sizes and tab stops
    std::wstring texts_;
    std::vector<WrappedLine> wrapScratch_;
    std::vector<TabbedPiece> tabScratch_;
};

} // namespace tenzora
