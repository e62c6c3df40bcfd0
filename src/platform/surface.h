#pragma once
// The drawing target of the program: a GDI-like 2D surface that the painting routine, the
// printed sheet and the picture export draw on. Backends: QtSurface (a widget, a QImage, a printer
// or PDF page), the EMF and WMF writers, a recording surface for tests, and a scratch surface
// that measures but draws nothing.
//
// Conventions (those of GDI in its default mapping mode):
//  - coordinates are integer device pixels, x to the right, y downwards;
//  - rectangles exclude their right and bottom edges (see Rect);
//  - the drawing state (pen, brush, font, text colour and alignment, background) is held by the
//    surface and set with the setters below; it stays until changed. Setting it is cheap (it is
//    only stored); backends apply it when a primitive needs it;
//  - primitives outline with the pen and fill with the brush where GDI does: polygons, ellipses
//    and rectangles do both, polylines only outline, fillRect and fillPolygonWithHoles only fill;
//  - texts are written with the font, the text colour, the text alignment and the background
//    mode; the font's escapement turns the text counter-clockwise (tenths of a degree) about its
//    reference point, and the alignment says where on the text's box that point lies;
//  - clipping is a stack: each push intersects the current clip, each pop restores the one before.
//
// Per-call costs are kept low: nothing here allocates per primitive; spans are read during the
// call only.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/surface_types.h"
#include "platform/text_layout.h"
#include "platform/text_measurer.h"

namespace tenzora {

class Surface {
  public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    virtual ~Surface() = default;

    // ---- Drawing state -------------------------------------------------------------------------
    void setPen(const Pen& pen) { state_.pen = pen; }
    void setBrush(const Brush& brush) { state_.brush = brush; }
    void setFont(const Font& font) { state_.font = font; }
    void setTextColor(Color color) { state_.textColor = color; }
    void setTextAlign(TextAlign align) { state_.textAlign = align; }
    void setBackgroundMode(BackgroundMode mode) { state_.backgroundMode = mode; }
    void setBackgroundColor(Color color) { state_.backgroundColor = color; }
    // The whole state at once (to restore what a caller saved with state()).
    void setState(const DrawState& state) { state_ = state; }
    const DrawState& state() const { return state_; }

    // ---- Lines and shapes ----------------------------------------------------------------------
    // Connected line segments through the points, with the pen. Fewer than 2 points draw nothing.
    virtual void polyline(std::span<const Point> points) = 0;
    void line(Point from, Point to) {
        const Point ends[2] = {from, to};
        polyline(ends);
    }
    // A closed polygon: filled with the brush by the rule, outlined with the pen.
    virtual void polygon(std::span<const Point> points, FillRule rule) = 0;
    // A filled area with holes, filled with the brush and not outlined: `points` holds rings one
    // after the other, `ringSizes` their point counts. Ring 0 is the outer boundary, filled by
    // `outerRule`; every further ring is a hole: the inside of each hole (non-zero rule) is taken
    // away, whatever the holes' orientation and even where holes overlap (GDI: a polygon region
    // combined with RGN_DIFF). Ring sizes that run past the points end the list; rings of fewer
    // than 3 points are ignored.
    void fillPolygonWithHoles(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                              FillRule outerRule);
    // The ellipse inscribed in the box: filled with the brush, outlined with the pen.
    virtual void ellipse(const Rect& box) = 0;
    // The rectangle: filled with the brush, outlined with the pen (GDI Rectangle).
    virtual void rectangle(const Rect& box) = 0;
    // Fills the rectangle with a colour, no outline, whatever the pen and brush (GDI FillRect).
    virtual void fillRect(const Rect& box, Color color) = 0;
    // Stretches the whole bitmap into the target rectangle (a normalised copy of it), mirrored and
    // blended as the options say. An empty bitmap or target, or a bitmap whose pixels do not
    // match its size, draws nothing.
    void drawBitmap(const Bitmap& bitmap, const Rect& target, BitmapOptions options = {});

    // ---- Text ----------------------------------------------------------------------------------
    // One line of text at the reference point, placed by the text alignment and turned by the
    // font's escapement. Line-break characters are not interpreted.
    virtual void textOut(Point reference, std::wstring_view text) = 0;
    // Width (advance) and cell height of the text in the current font, unrotated
    // (GetTextExtentPoint32), in whole pixels.
    Size textExtent(std::wstring_view text) const;
    FontMetrics fontMetrics() const { return measurer().metrics(state_.font); }
    // One line with tab characters (TabbedTextOut): the runs between tabs are written left-aligned
    // from `origin` (the vertical alignment applies as set), each tab moving to the next stop as
    // layoutTabbedLine says. Returns the line's width and cell height.
    virtual Size tabbedTextOut(Point origin, std::wstring_view text, std::span<const std::int32_t> tabStops,
                               std::int32_t tabOrigin);
    // Text word-wrapped into the box, left and top aligned whatever the text alignment is, lines
    // one cell height apart, clipped to the box (DrawText with DT_WORDBREAK, without prefix
    // processing: "&" is written as it is). Returns the height of all lines, as DrawText does.
    // Meant for horizontal fonts.
    virtual std::int32_t drawWrappedText(const Rect& box, std::wstring_view text);

    // ---- Clipping ------------------------------------------------------------------------------
    void pushClip(const Rect& box);
    // Clips to an area given as for fillPolygonWithHoles.
    void pushClip(std::span<const Point> points, std::span<const std::int32_t> ringSizes, FillRule outerRule);
    // Removes the most recent clip; does nothing when there is none.
    void popClip();
    int clipDepth() const { return clipDepth_; }

    // ---- The device ----------------------------------------------------------------------------
    virtual DeviceMetrics metrics() const = 0;
    virtual const TextMeasurer& measurer() const = 0;
    // A surface compatible with this one (same metrics and text measurement) that draws nothing:
    // GDI's compatible memory context used to learn layouts without output. It measures with this
    // surface's measurer, so it must not outlive this surface.
    virtual std::unique_ptr<Surface> createScratch() const;

  protected:
    // Called with the rings already checked: at least one ring, every ring of 3 points or more,
    // sizes summing to at most the points. The first ring is the outer boundary.
    virtual void doFillPolygonWithHoles(std::span<const Point> points,
                                        std::span<const std::int32_t> ringSizes, FillRule outerRule) = 0;
    // Called with a consistent, non-empty bitmap and a normalised, non-empty target.
    virtual void doDrawBitmap(const Bitmap& bitmap, const Rect& target, BitmapOptions options) = 0;
    virtual void doPushClipRect(const Rect& box) = 0;
    virtual void doPushClipRegion(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                  FillRule outerRule) = 0;
    virtual void doPopClip() = 0;

  private:
    // Checks rings for the calls above; the checked sizes go to `ringBuffer_`. False when no ring
    // remains.
    bool checkRings(std::span<const Point>& points, std::span<const std::int32_t> ringSizes);

    DrawState state_;
    int clipDepth_ = 0;
    std::vector<std::int32_t> ringBuffer_;
    std::vector<Point> pointBuffer_;
    std::vector<WrappedLine> wrapBuffer_;
    std::vector<TabbedPiece> tabBuffer_;
};

// Where a text lands: the start of its baseline and its directions, for backends that place
// glyphs themselves and for tests. Coordinates are device pixels.
struct TextPlacement {
    double baselineX = 0, baselineY = 0; // the start of the baseline
    double dirX = 1, dirY = 0;           // unit vector along the baseline
    double downX = 0, downY = 1;         // unit vector from the baseline towards the descent
    double width = 0, ascent = 0, descent = 0;

    // The corners of the text's cell: top-left, top-right, bottom-right, bottom-left (in the
    // text's own frame).
    std::array<std::array<double, 2>, 4> corners() const;
    // The smallest pixel rectangle holding the cell.
    Rect bounds() const;
};

TextPlacement placeText(Point reference, TextAlign align, double width, const FontMetrics& metrics,
                        std::int32_t escapement);

} // namespace tenzora
