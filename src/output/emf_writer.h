#pragma once
// An enhanced metafile (EMF) writer: a Surface that writes the records of the drawing itself,
// little-endian, so that the picture export needs no Windows graphics library. The picture is
// `width` × `height` pixels in device units of a reference device of `dpi` pixels per inch (the
// frame in the header gives its size in hundredths of a millimetre).
//
// Written: the header (bounds, frame, reference device in pixels, millimetres and micrometres),
// pens (EMR_CREATEPEN; EMR_EXTCREATEPEN for dotted and dashed pens wider than a pixel, which
// would otherwise be drawn solid), brushes (solid, hatched, none), fonts with escapement
// (EMR_EXTCREATEFONTINDIRECTW with a LOGFONTW), object selection and deletion, polylines,
// polygons, poly-polygons for areas with holes, ellipses, rectangles, text (EMR_EXTTEXTOUTW with
// character spacing), text alignment, colours and background mode, fill mode, clipping (saved
// contexts, EMR_INTERSECTCLIPRECT, clip paths for areas), bitmaps (EMR_STRETCHDIBITS) and EOF.

#include <filesystem>
#include <string>
#include <vector>

#include "output/metafile_surface.h"

namespace tenzora {

class EmfWriter : public MetafileSurface {
  public:
    static constexpr std::int32_t kDefaultDpi = 96;

    EmfWriter(std::int32_t width, std::int32_t height, const TextMeasurer& measurer,
              std::int32_t dpi = kDefaultDpi);

    // Ends the picture (open clips restored, EOF written, header totals filled in) and returns the
    // file's bytes. Later calls return the same bytes; drawing after it is ignored.
    const std::string& finish();
    // finish() and writes the bytes to the path, replacing any file there. False when writing fails.
    bool save(const std::filesystem::path& path);

  protected:
    void writeCreatePen(int slot, const Pen& pen) override;
    void writeCreateBrush(int slot, const Brush& brush) override;
    void writeCreateFont(int slot, const Font& font) override;
    void writeSelectObject(int slot) override;
    void writeDeleteObject(int slot) override;
    void writeTextColor(Color color) override;
    void writeBackgroundColor(Color color) override;
    void writeBackgroundMode(BackgroundMode mode) override;
    void writeTextAlign(TextAlign align) override;
    void writePolyFillMode(FillRule rule) override;
    void writeSaveDc() override;
    void writeRestoreDc() override;
    void writeIntersectClipRect(const Rect& box) override;
    void writeClipArea(std::span<const Point> points, std::span<const std::int32_t> rings) override;
    void writePolyline(std::span<const Point> points) override;
    void writePolygon(std::span<const Point> points) override;
    void writePolyPolygon(std::span<const Point> points, std::span<const std::int32_t> rings) override;
    void writeEllipse(const Rect& box) override;
    void writeRectangle(const Rect& box) override;
    void writeText(Point reference, std::wstring_view text, std::span<const std::int32_t> advances,
                   const Rect& bounds) override;
    void writeBitmap(const Rect& target, const DibImage& dib) override;
    int firstObjectSlot() const override { return 1; }

  private:
    std::size_t begin(std::uint32_t type);
    void end(std::size_t start);
    void simple(std::uint32_t type, std::uint32_t value);
    void rectl(const Rect& r);
    void points(std::uint32_t type, std::span<const Point> pts);

    ByteBuffer out_;
    std::uint32_t records_ = 0;
    std::vector<std::uint16_t> units_; // reused by every text
    std::vector<std::int32_t> dx_;
};

} // namespace tenzora
