#pragma once
// A Windows metafile (WMF) writer: a Surface that writes a placeable metafile itself,
// little-endian: the placeable header (bounding box and units per inch), the META header, then
// the window origin and extent, pens, brushes (solid, hatched, none), fonts with escapement
// (LOGFONT with the face name in single bytes), object selection and deletion, polylines,
// polygons, poly-polygons for areas with holes, ellipses, rectangles, text (META_EXTTEXTOUT with
// character spacing, in the code page of the font's character set), text alignment, colours,
// background and fill modes, clipping (saved contexts and META_INTERSECTCLIPRECT), bitmaps
// (META_STRETCHDIB) and EOF.
//
// What the format cannot say: coordinates are 16-bit, so a picture larger than 32767 pixels is
// written at a reduced scale (same physical size); there are no clip paths, so an area clip
// clips lines exactly (done here) and everything else to the area's bounding rectangle; dotted
// pens wider than a pixel are drawn solid by Windows; text outside the character set's code page
// is written as "?".

#include <filesystem>
#include <string>

#include "output/metafile_surface.h"

namespace tenzora {

class WmfWriter : public MetafileSurface {
  public:
    static constexpr std::int32_t kDefaultDpi = 96;

    WmfWriter(std::int32_t width, std::int32_t height, const TextMeasurer& measurer,
              std::int32_t dpi = kDefaultDpi);

    // Ends the picture (open clips restored, EOF written, header totals filled in) and returns the
    // file's bytes. Later calls return the same bytes; drawing after it is ignored.
    const std::string& finish();
    // finish() and writes the bytes to the path, replacing any file there. False when writing fails.
    bool save(const std::filesystem::path& path);

    // Logical units per device pixel in the file (1 unless the picture is too large for 16 bits).
    double scale() const { return scale_; }

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
    int firstObjectSlot() const override { return 0; }

  private:
    std::size_t begin(std::uint16_t function);
    void end(std::size_t start);
    void simple(std::uint16_t function, std::uint16_t value);
    std::int16_t x(std::int32_t v) const; // a device coordinate (or length) in file units
    void point(const Point& p);
    void boxReversed(const Rect& r); // bottom, right, top, left: the order records use
    void pointRecord(std::uint16_t function, std::span<const Point> pts);

    ByteBuffer out_;
    double scale_ = 1.0;
    std::uint32_t maxRecordWords_ = 0;
};

// The bytes of a text in the code page of a font's character set: Windows-1252 (Latin-1 part) for
// the ANSI set, Windows-1251 for the Cyrillic and the default set (the program's own). Characters
// the code page lacks become "?".
std::string encodeForCharSet(std::wstring_view text, std::uint8_t charSet);

} // namespace tenzora
