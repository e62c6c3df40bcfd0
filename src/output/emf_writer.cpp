#include "output/emf_writer.h"

#include <algorithm>

#include "storage/file_io.h"

namespace tenzora {

namespace {

// Record types (MS-EMF RecordType).
enum EmfRecord : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYPOLYGON = 8,
    EMR_EOF = 14,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_SELECTCLIPPATH = 67,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_EXTCREATEPEN = 95
};

constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kEmfVersion = 0x00010000;
constexpr std::size_t kHeaderSize = 108; // EMR_HEADER with both header extensions
// The reference device: 254 mm square at the picture's resolution, so that pixels per millimetre
// come out exact for any whole dpi.
constexpr std::int32_t kReferenceMm = 254;
constexpr std::uint32_t kGmCompatible = 1;
constexpr std::uint32_t kRgnAnd = 1;
constexpr std::uint32_t kHalftone = 4;
constexpr std::uint32_t kDibRgbColors = 0;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kPsGeometric = 0x00010000;
constexpr std::uint32_t kPsEndcapFlat = 0x00000200;
constexpr std::uint32_t kBsSolid = 0, kBsNull = 1, kBsHatched = 2;
constexpr std::size_t kLogFontPanoseSize = 320; // LOGFONTW followed by the names and panose
constexpr std::size_t kFaceChars = 32;
constexpr wchar_t kDescription[] = L"Tenzora\0Drawing\0"; // application and picture, each NUL-ended

std::uint16_t utf16Unit(wchar_t c) {
    return c > 0xFFFF ? u'?' : static_cast<std::uint16_t>(c);
}

} // namespace

EmfWriter::EmfWriter(std::int32_t width, std::int32_t height, const TextMeasurer& measurer, std::int32_t dpi)
    : MetafileSurface(width, height, measurer, dpi) {
    const std::int32_t w = this->width(), h = this->height(), d = this->dpi();
    const std::size_t descChars = sizeof(kDescription) / sizeof(wchar_t); // includes the final NUL
    const std::size_t start = begin(EMR_HEADER);
    rectl({0, 0, w - 1, h - 1}); // bounds, inclusive, pixels
    rectl({0, 0, roundToPixel(w * 2540.0 / d) - 1, roundToPixel(h * 2540.0 / d) - 1}); // frame, 0.01 mm
    out_.u32(kEmfSignature);
    out_.u32(kEmfVersion);
    out_.u32(0); // bytes: filled in by finish()
    out_.u32(0); // records: filled in by finish()
    out_.u16(0); // handles: filled in by finish()
    out_.u16(0);
    out_.u32(static_cast<std::uint32_t>(descChars));
    out_.u32(static_cast<std::uint32_t>(kHeaderSize));
    out_.u32(0);      // palette entries
    out_.i32(d * 10); // reference device: pixels …
    out_.i32(d * 10);
    out_.i32(kReferenceMm); // … and millimetres
    out_.i32(kReferenceMm);
    out_.u32(0); // no pixel format
    out_.u32(0);
    out_.u32(0);                   // no OpenGL
    out_.i32(kReferenceMm * 1000); // micrometres
    out_.i32(kReferenceMm * 1000);
    for (std::size_t i = 0; i < descChars; ++i)
        out_.u16(static_cast<std::uint16_t>(kDescription[i]));
    end(start);
    writeInitialState();
}

std::size_t EmfWriter::begin(std::uint32_t type) {
    const std::size_t start = out_.size();
    out_.u32(type);
    out_.u32(0);
    return start;
}

void EmfWriter::end(std::size_t start) {
    out_.padTo(4);
    out_.patchU32(start + 4, static_cast<std::uint32_t>(out_.size() - start));
    ++records_;
}

void EmfWriter::simple(std::uint32_t type, std::uint32_t value) {
    const std::size_t s = begin(type);
    out_.u32(value);
    end(s);
}

void EmfWriter::rectl(const Rect& r) {
    out_.i32(r.left);
    out_.i32(r.top);
    out_.i32(r.right);
    out_.i32(r.bottom);
}

void EmfWriter::writeCreatePen(int slot, const Pen& pen) {
    const std::uint32_t width = static_cast<std::uint32_t>(std::max(pen.width, 0));
    const bool styled = pen.style != PenStyle::Solid && pen.style != PenStyle::None;
    if (styled && pen.width > 1) {
        // A plain pen wider than a pixel is drawn solid whatever its style; a geometric one keeps
        // its dots and dashes (in multiples of its width).
        const std::size_t s = begin(EMR_EXTCREATEPEN);
        out_.u32(static_cast<std::uint32_t>(slot));
        out_.u32(0); // no brush bitmap
        out_.u32(0);
        out_.u32(0);
        out_.u32(0);
        out_.u32(kPsGeometric | kPsEndcapFlat | static_cast<std::uint32_t>(pen.style));
        out_.u32(width);
        out_.u32(kBsSolid);
        out_.u32(pen.color.colorRef());
        out_.u32(0);
        out_.u32(0); // no custom style entries
        end(s);
        return;
    }
    const std::size_t s = begin(EMR_CREATEPEN);
    out_.u32(static_cast<std::uint32_t>(slot));
    out_.u32(static_cast<std::uint32_t>(pen.style));
    out_.u32(width);
    out_.u32(0);
    out_.u32(pen.color.colorRef());
    end(s);
}

void EmfWriter::writeCreateBrush(int slot, const Brush& brush) {
    const std::size_t s = begin(EMR_CREATEBRUSHINDIRECT);
    out_.u32(static_cast<std::uint32_t>(slot));
    out_.u32(brush.style == BrushStyle::None      ? kBsNull
             : brush.style == BrushStyle::Hatched ? kBsHatched
                                                  : kBsSolid);
    out_.u32(brush.color.colorRef());
    out_.u32(brush.style == BrushStyle::Hatched ? static_cast<std::uint32_t>(brush.hatch) : 0);
    end(s);
}

void EmfWriter::writeCreateFont(int slot, const Font& font) {
    const std::size_t s = begin(EMR_EXTCREATEFONTINDIRECTW);
    out_.u32(static_cast<std::uint32_t>(slot));
    const std::size_t logFont = out_.size();
    out_.i32(font.effectiveHeight());
    out_.i32(0); // width: the font's own
    out_.i32(font.escapement);
    out_.i32(font.escapement); // orientation follows the escapement, as GDI draws it
    out_.i32(font.weight);
    out_.u8(font.italic ? 1 : 0);
    out_.u8(0); // underline
    out_.u8(0); // strike-out
    out_.u8(font.charSet);
    out_.u8(font.outPrecision);
    out_.u8(0); // clip precision
    out_.u8(0); // quality
    out_.u8(font.pitchAndFamily);
    const std::wstring_view face = font.face.view();
    for (std::size_t i = 0; i < kFaceChars; ++i)
        out_.u16(i < face.size() ? utf16Unit(face[i]) : 0);
    out_.zeros(kLogFontPanoseSize - (out_.size() - logFont));
    end(s);
}

void EmfWriter::writeSelectObject(int slot) {
    simple(EMR_SELECTOBJECT, static_cast<std::uint32_t>(slot));
}
void EmfWriter::writeDeleteObject(int slot) {
    simple(EMR_DELETEOBJECT, static_cast<std::uint32_t>(slot));
}
void EmfWriter::writeTextColor(Color color) {
    simple(EMR_SETTEXTCOLOR, color.colorRef());
}
void EmfWriter::writeBackgroundColor(Color color) {
    simple(EMR_SETBKCOLOR, color.colorRef());
}
void EmfWriter::writeBackgroundMode(BackgroundMode mode) {
    simple(EMR_SETBKMODE, static_cast<std::uint32_t>(mode));
}
void EmfWriter::writeTextAlign(TextAlign align) {
    simple(EMR_SETTEXTALIGN, align.gdiFlags());
}
void EmfWriter::writePolyFillMode(FillRule rule) {
    simple(EMR_SETPOLYFILLMODE, static_cast<std::uint32_t>(rule));
}

void EmfWriter::writeSaveDc() {
    end(begin(EMR_SAVEDC));
}
void EmfWriter::writeRestoreDc() {
    simple(EMR_RESTOREDC, static_cast<std::uint32_t>(-1));
}

void EmfWriter::writeIntersectClipRect(const Rect& box) {
    const std::size_t s = begin(EMR_INTERSECTCLIPRECT);
    rectl(box);
    end(s);
}

void EmfWriter::writeClipArea(std::span<const Point> pts, std::span<const std::int32_t> rings) {
    end(begin(EMR_BEGINPATH));
    writePolyPolygon(pts, rings);
    end(begin(EMR_ENDPATH));
    simple(EMR_SELECTCLIPPATH, kRgnAnd);
}

void EmfWriter::points(std::uint32_t type, std::span<const Point> pts) {
    const std::size_t s = begin(type);
    rectl(inclusiveBounds(pts));
    out_.u32(static_cast<std::uint32_t>(pts.size()));
    for (const Point& p : pts) {
        out_.i32(p.x);
        out_.i32(p.y);
    }
    end(s);
}

void EmfWriter::writePolyline(std::span<const Point> pts) {
    points(EMR_POLYLINE, pts);
}
void EmfWriter::writePolygon(std::span<const Point> pts) {
    points(EMR_POLYGON, pts);
}

void EmfWriter::writePolyPolygon(std::span<const Point> pts, std::span<const std::int32_t> rings) {
    const std::size_t s = begin(EMR_POLYPOLYGON);
    rectl(inclusiveBounds(pts));
    out_.u32(static_cast<std::uint32_t>(rings.size()));
    out_.u32(static_cast<std::uint32_t>(pts.size()));
    for (std::int32_t n : rings)
        out_.u32(static_cast<std::uint32_t>(n));
    for (const Point& p : pts) {
        out_.i32(p.x);
        out_.i32(p.y);
    }
    end(s);
}

void EmfWriter::writeEllipse(const Rect& box) {
    const std::size_t s = begin(EMR_ELLIPSE);
    rectl(box);
    end(s);
}

void EmfWriter::writeRectangle(const Rect& box) {
    const std::size_t s = begin(EMR_RECTANGLE);
    rectl(box);
    end(s);
}

void EmfWriter::writeText(Point reference, std::wstring_view text, std::span<const std::int32_t> advances,
                          const Rect& bounds) {
    // UTF-16 units with one spacing value each; a character outside the basic plane takes two
    // units, the second advancing nothing.
    std::vector<std::uint16_t>& units = units_;
    std::vector<std::int32_t>& dx = dx_;
    units.clear();
    dx.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint32_t c = static_cast<std::uint32_t>(text[i]);
        if (c > 0xFFFF && c <= 0x10FFFF) {
            units.push_back(static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
            dx.push_back(advances[i]);
            dx.push_back(0);
        } else {
            units.push_back(c > 0xFFFF ? u'?' : static_cast<std::uint16_t>(c));
            dx.push_back(advances[i]);
        }
    }
    constexpr std::uint32_t kStringOffset = 76;
    const std::uint32_t stringBytes = static_cast<std::uint32_t>((units.size() * 2 + 3) & ~std::size_t{3});
    const std::size_t s = begin(EMR_EXTTEXTOUTW);
    rectl({bounds.left, bounds.top, Rect::saturate(std::int64_t{bounds.right} - 1),
           Rect::saturate(std::int64_t{bounds.bottom} - 1)}); // inclusive
    out_.u32(kGmCompatible);
    out_.f32(0); // scales: unused in the compatible graphics mode
    out_.f32(0);
    out_.i32(reference.x);
    out_.i32(reference.y);
    out_.u32(static_cast<std::uint32_t>(units.size()));
    out_.u32(kStringOffset);
    out_.u32(0); // options
    rectl({0, 0, 0, 0});
    out_.u32(kStringOffset + stringBytes);
    for (std::uint16_t u : units)
        out_.u16(u);
    out_.padTo(4);
    for (std::int32_t d : dx)
        out_.i32(d);
    end(s);
}

void EmfWriter::writeBitmap(const Rect& target, const DibImage& dib) {
    simple(EMR_SETSTRETCHBLTMODE, kHalftone);
    constexpr std::uint32_t kBmiOffset = 80;
    const std::size_t s = begin(EMR_STRETCHDIBITS);
    rectl({target.left, target.top, Rect::saturate(std::int64_t{target.right} - 1),
           Rect::saturate(std::int64_t{target.bottom} - 1)});
    out_.i32(target.left);
    out_.i32(target.top);
    out_.i32(0);
    out_.i32(0);
    out_.i32(dib.width);
    out_.i32(dib.height);
    out_.u32(kBmiOffset);
    out_.u32(static_cast<std::uint32_t>(dib.header.size()));
    out_.u32(kBmiOffset + static_cast<std::uint32_t>(dib.header.size()));
    out_.u32(static_cast<std::uint32_t>(dib.bits.size()));
    out_.u32(kDibRgbColors);
    out_.u32(kSrcCopy);
    out_.i32(target.width());
    out_.i32(target.height());
    out_.raw(dib.header);
    out_.raw(dib.bits);
    end(s);
}

const std::string& EmfWriter::finish() {
    if (finished()) return out_.bytes();
    finishDrawing();
    const std::size_t s = begin(EMR_EOF);
    out_.u32(0);  // palette entries
    out_.u32(16); // offset of the (empty) palette
    out_.u32(20); // size of this record, repeated at its end
    end(s);
    out_.patchU32(48, static_cast<std::uint32_t>(out_.size()));
    out_.patchU32(52, records_);
    out_.patchU16(56, static_cast<std::uint16_t>(std::clamp(objectTableSize(), 1, 0xFFFF)));
    return out_.bytes();
}

bool EmfWriter::save(const std::filesystem::path& path) {
    return writeFileReplacing(path, finish());
}

} // namespace tenzora
