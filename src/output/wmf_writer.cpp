#include "output/wmf_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

// Record functions (MS-WMF RecordType).
enum WmfRecord : std::uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_SETBKMODE = 0x0102,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETSTRETCHBLTMODE = 0x0107,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DELETEOBJECT = 0x01F0,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_POLYPOLYGON = 0x0538,
    META_EXTTEXTOUT = 0x0A32,
    META_STRETCHDIB = 0x0F43
};

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kMetaHeaderWords = 9;
constexpr std::uint16_t kMetaVersion = 0x0300;
constexpr std::uint16_t kMemoryMetafile = 1;
// Offsets of the totals in the META header, counted from the start of the file.
constexpr std::size_t kSizeOffset = kPlaceableSize + 6;
constexpr std::size_t kObjectsOffset = kPlaceableSize + 10;
constexpr std::size_t kMaxRecordOffset = kPlaceableSize + 12;
// The largest coordinate a 16-bit field holds; larger pictures are written at a reduced scale.
constexpr std::int32_t kMaxCoordinate = std::numeric_limits<std::int16_t>::max();
// Point counts and string lengths are 16-bit too: longer polylines are split, longer polygons
// and texts are cut (no drawing of this program comes near).
constexpr std::size_t kMaxCount = std::numeric_limits<std::int16_t>::max();
constexpr std::size_t kFaceBytes = 32;
constexpr std::uint16_t kBsSolid = 0, kBsNull = 1, kBsHatched = 2;
constexpr std::uint16_t kHalftone = 4;
constexpr std::uint16_t kDibRgbColors = 0;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;

} // namespace

std::string encodeForCharSet(std::wstring_view text, std::uint8_t charSet) {
    if (charSet != kCharSetAnsi) return codepage::toCp1251(text);
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text) {
        // Latin-1 agrees with Windows-1252 outside 0x80–0x9F.
        const bool latin1 = c < 0x80 || (c >= 0xA0 && c <= 0xFF);
        bytes.push_back(latin1 ? static_cast<char>(c) : '?');
    }
    return bytes;
}

WmfWriter::WmfWriter(std::int32_t width, std::int32_t height, const TextMeasurer& measurer, std::int32_t dpi)
    : MetafileSurface(width, height, measurer, dpi) {
    const std::int32_t longer = std::max(this->width(), this->height());
    if (longer > kMaxCoordinate) scale_ = static_cast<double>(kMaxCoordinate) / longer;
    const std::int16_t w = x(this->width()), h = x(this->height());
    const std::uint16_t inch =
        static_cast<std::uint16_t>(std::clamp(roundToPixel(this->dpi() * scale_), 1, 0xFFFF));

    // Placeable header, with its checksum over the ten words before it.
    out_.u32(kPlaceableKey);
    out_.u16(0);
    out_.i16(0);
    out_.i16(0);
    out_.i16(w);
    out_.i16(h);
    out_.u16(inch);
    out_.u32(0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(out_.bytes()[i]) |
                                               (static_cast<std::uint8_t>(out_.bytes()[i + 1]) << 8));
    out_.u16(checksum);

    out_.u16(kMemoryMetafile);
    out_.u16(static_cast<std::uint16_t>(kMetaHeaderWords));
    out_.u16(kMetaVersion);
    out_.u32(0); // size in words: filled in by finish()
    out_.u16(0); // number of objects: filled in by finish()
    out_.u32(0); // largest record: filled in by finish()
    out_.u16(0);

    std::size_t s = begin(META_SETWINDOWORG);
    out_.i16(0);
    out_.i16(0);
    end(s);
    s = begin(META_SETWINDOWEXT);
    out_.i16(h);
    out_.i16(w);
    end(s);
    writeInitialState();
}

std::size_t WmfWriter::begin(std::uint16_t function) {
    const std::size_t start = out_.size();
    out_.u32(0);
    out_.u16(function);
    return start;
}

void WmfWriter::end(std::size_t start) {
    out_.padTo(2);
    const std::uint32_t words = static_cast<std::uint32_t>((out_.size() - start) / 2);
    out_.patchU32(start, words);
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

void WmfWriter::simple(std::uint16_t function, std::uint16_t value) {
    const std::size_t s = begin(function);
    out_.u16(value);
    end(s);
}

std::int16_t WmfWriter::x(std::int32_t v) const {
    const double scaled = std::round(v * scale_);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

void WmfWriter::point(const Point& p) {
    out_.i16(x(p.x));
    out_.i16(x(p.y));
}

void WmfWriter::boxReversed(const Rect& r) {
    out_.i16(x(r.bottom));
    out_.i16(x(r.right));
    out_.i16(x(r.top));
    out_.i16(x(r.left));
}

void WmfWriter::writeCreatePen(int, const Pen& pen) {
    const std::size_t s = begin(META_CREATEPENINDIRECT);
    out_.u16(static_cast<std::uint16_t>(pen.style));
    out_.i16(pen.width <= 1 ? static_cast<std::int16_t>(std::max(pen.width, 0))
                            : std::max<std::int16_t>(1, x(pen.width)));
    out_.i16(0);
    out_.u32(pen.color.colorRef());
    end(s);
}

void WmfWriter::writeCreateBrush(int, const Brush& brush) {
    const std::size_t s = begin(META_CREATEBRUSHINDIRECT);
    out_.u16(brush.style == BrushStyle::None      ? kBsNull
             : brush.style == BrushStyle::Hatched ? kBsHatched
                                                  : kBsSolid);
    out_.u32(brush.color.colorRef());
    out_.u16(brush.style == BrushStyle::Hatched ? static_cast<std::uint16_t>(brush.hatch) : 0);
    end(s);
}

void WmfWriter::writeCreateFont(int, const Font& font) {
    const std::size_t s = begin(META_CREATEFONTINDIRECT);
    const std::int32_t height = font.effectiveHeight();
    std::int16_t h = x(height);
    if (h == 0) h = height > 0 ? 1 : -1; // 0 would ask for the default size
    out_.i16(h);
    out_.i16(0);
    out_.i16(static_cast<std::int16_t>(std::clamp(font.escapement, -32768, 32767)));
    out_.i16(static_cast<std::int16_t>(std::clamp(font.escapement, -32768, 32767)));
    out_.i16(static_cast<std::int16_t>(std::clamp(font.weight, 0, 1000)));
    out_.u8(font.italic ? 1 : 0);
    out_.u8(0);
    out_.u8(0);
    out_.u8(font.charSet);
    out_.u8(font.outPrecision);
    out_.u8(0);
    out_.u8(0);
    out_.u8(font.pitchAndFamily);
    std::string face = encodeForCharSet(font.face.view(), font.charSet);
    face.resize(kFaceBytes - 1);
    out_.raw(face);
    out_.u8(0);
    end(s);
}

void WmfWriter::writeSelectObject(int slot) {
    simple(META_SELECTOBJECT, static_cast<std::uint16_t>(slot));
}
void WmfWriter::writeDeleteObject(int slot) {
    simple(META_DELETEOBJECT, static_cast<std::uint16_t>(slot));
}

void WmfWriter::writeTextColor(Color color) {
    const std::size_t s = begin(META_SETTEXTCOLOR);
    out_.u32(color.colorRef());
    end(s);
}

void WmfWriter::writeBackgroundColor(Color color) {
    const std::size_t s = begin(META_SETBKCOLOR);
    out_.u32(color.colorRef());
    end(s);
}

void WmfWriter::writeBackgroundMode(BackgroundMode mode) {
    simple(META_SETBKMODE, static_cast<std::uint16_t>(mode));
}
void WmfWriter::writeTextAlign(TextAlign align) {
    simple(META_SETTEXTALIGN, align.gdiFlags());
}
void WmfWriter::writePolyFillMode(FillRule rule) {
    simple(META_SETPOLYFILLMODE, static_cast<std::uint16_t>(rule));
}
void WmfWriter::writeSaveDc() {
    end(begin(META_SAVEDC));
}
void WmfWriter::writeRestoreDc() {
    simple(META_RESTOREDC, static_cast<std::uint16_t>(-1));
}

void WmfWriter::writeIntersectClipRect(const Rect& box) {
    const std::size_t s = begin(META_INTERSECTCLIPRECT);
    boxReversed(box);
    end(s);
}

void WmfWriter::writeClipArea(std::span<const Point> pts, std::span<const std::int32_t> rings) {
    // No clip paths in this format: the outer ring's bounding rectangle.
    const Rect b = inclusiveBounds(pts.first(static_cast<std::size_t>(rings[0])));
    writeIntersectClipRect({b.left, b.top, Rect::saturate(std::int64_t{b.right} + 1),
                            Rect::saturate(std::int64_t{b.bottom} + 1)});
}

void WmfWriter::pointRecord(std::uint16_t function, std::span<const Point> pts) {
    const std::size_t s = begin(function);
    out_.i16(static_cast<std::int16_t>(pts.size()));
    for (const Point& p : pts)
        point(p);
    end(s);
}

void WmfWriter::writePolyline(std::span<const Point> pts) {
    while (pts.size() > kMaxCount) { // consecutive pieces share their end points
        pointRecord(META_POLYLINE, pts.first(kMaxCount));
        pts = pts.subspan(kMaxCount - 1);
    }
    pointRecord(META_POLYLINE, pts);
}

void WmfWriter::writePolygon(std::span<const Point> pts) {
    pointRecord(META_POLYGON, pts.first(std::min(pts.size(), kMaxCount)));
}

void WmfWriter::writePolyPolygon(std::span<const Point> pts, std::span<const std::int32_t> rings) {
    const std::size_t s = begin(META_POLYPOLYGON);
    // Rings are kept while the total stays within the 16-bit counts.
    std::size_t kept = 0, total = 0;
    while (kept < rings.size() && kept < kMaxCount &&
           total + static_cast<std::size_t>(rings[kept]) <= kMaxCount)
        total += static_cast<std::size_t>(rings[kept++]);
    out_.u16(static_cast<std::uint16_t>(kept));
    for (std::size_t i = 0; i < kept; ++i)
        out_.u16(static_cast<std::uint16_t>(rings[i]));
    for (const Point& p : pts.first(total))
        point(p);
    end(s);
}

void WmfWriter::writeEllipse(const Rect& box) {
    const std::size_t s = begin(META_ELLIPSE);
    boxReversed(box);
    end(s);
}

void WmfWriter::writeRectangle(const Rect& box) {
    const std::size_t s = begin(META_RECTANGLE);
    boxReversed(box);
    end(s);
}

void WmfWriter::writeText(Point reference, std::wstring_view text, std::span<const std::int32_t> advances,
                          const Rect&) {
    text = text.substr(0, std::min(text.size(), kMaxCount));
    // One byte per character in the font's code page (a character it lacks becomes "?").
    const std::string bytes = encodeForCharSet(text, state().font.charSet);
    const std::size_t s = begin(META_EXTTEXTOUT);
    out_.i16(x(reference.y)); // y before x
    out_.i16(x(reference.x));
    out_.i16(static_cast<std::int16_t>(bytes.size()));
    out_.u16(0); // options: no rectangle
    out_.raw(bytes);
    out_.padTo(2);
    // Spacing in file units, rounded on the running sum so that scaled text keeps its width.
    std::int64_t exact = 0;
    std::int32_t placed = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        exact += advances[i];
        const std::int32_t next =
            x(static_cast<std::int32_t>(std::clamp<std::int64_t>(exact, -65536, 65536)));
        out_.i16(static_cast<std::int16_t>(std::clamp(next - placed, -32768, 32767)));
        placed = next;
    }
    end(s);
}

void WmfWriter::writeBitmap(const Rect& target, const DibImage& dib) {
    if (dib.width > kMaxCoordinate || dib.height > kMaxCoordinate) return;
    simple(META_SETSTRETCHBLTMODE, kHalftone);
    const std::size_t s = begin(META_STRETCHDIB);
    out_.u32(kSrcCopy);
    out_.u16(kDibRgbColors);
    out_.i16(static_cast<std::int16_t>(dib.height));
    out_.i16(static_cast<std::int16_t>(dib.width));
    out_.i16(0);
    out_.i16(0);
    out_.i16(x(target.height()));
    out_.i16(x(target.width()));
    out_.i16(x(target.top));
    out_.i16(x(target.left));
    out_.raw(dib.header);
    out_.raw(dib.bits);
    end(s);
}

const std::string& WmfWriter::finish() {
    if (finished()) return out_.bytes();
    finishDrawing();
    end(begin(META_EOF));
    const std::uint32_t words = static_cast<std::uint32_t>((out_.size() - kPlaceableSize) / 2);
    out_.patchU16(kSizeOffset, static_cast<std::uint16_t>(words & 0xFFFF));
    out_.patchU16(kSizeOffset + 2, static_cast<std::uint16_t>(words >> 16));
    out_.patchU16(kObjectsOffset, static_cast<std::uint16_t>(std::min(objectTableSize(), 0xFFFF)));
    out_.patchU16(kMaxRecordOffset, static_cast<std::uint16_t>(maxRecordWords_ & 0xFFFF));
    out_.patchU16(kMaxRecordOffset + 2, static_cast<std::uint16_t>(maxRecordWords_ >> 16));
    return out_.bytes();
}

bool WmfWriter::save(const std::filesystem::path& path) {
    return writeFileReplacing(path, finish());
}

} // namespace tenzora
