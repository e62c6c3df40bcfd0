#pragma once
// An independent structural reader of EMF and WMF files for the tests: it walks the records,
// checks the header against the file (sizes, counts, bounds), and plays the records the way a
// reader's device context would (object table, selections, saved states, paths), collecting what
// gets drawn with the pen, brush, font and attributes in force. Any inconsistency a reader would
// trip over is reported as an error.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface_types.h"

namespace tenzora {

namespace metafile {

struct PenInfo {
    std::uint32_t style = 0; // PS_* (with PS_GEOMETRIC and end-cap bits for extended pens)
    std::int32_t width = 0;
    std::uint32_t color = 0; // COLORREF
};

struct BrushInfo {
    std::uint32_t style = 0; // BS_SOLID 0, BS_NULL 1, BS_HATCHED 2
    std::uint32_t color = 0;
    std::uint32_t hatch = 0;
};

struct FontInfo {
    std::int32_t height = 0, escapement = 0, orientation = 0, weight = 0;
    std::uint8_t charSet = 0, italic = 0, outPrecision = 0, pitchAndFamily = 0;
    std::wstring face;
};

struct DcState {
    bool penSelected = false, brushSelected = false, fontSelected = false;
    PenInfo pen;
    BrushInfo brush;
    FontInfo font;
    std::uint32_t textColor = 0, backgroundColor = 0xFFFFFF, backgroundMode = 2, textAlign = 0,
                  polyFillMode = 1;
    int saveDepth = 0;
    int clipRects = 0; // intersect-clip records in force
    int clipPaths = 0; // clip paths in force
};

// One drawing record as played.
struct Drawn {
    std::uint32_t type = 0;    // the record type (EMR_*) or function (META_*)
    DcState dc;                // the context when it was drawn
    bool inPath = false;       // EMF: between BEGINPATH and ENDPATH (defines a path, draws nothing)
    std::vector<Point> points; // polylines, polygons, poly-polygons
    std::vector<std::uint32_t> polygonCounts;
    Rect box;        // ellipse, rectangle, clip rectangle, bitmap target, text bounds (EMF)
    Point reference; // text
    std::wstring text;
    std::vector<std::int32_t> dx;
    std::int32_t dibWidth = 0, dibHeight = 0;
    std::string dibBits;
};

struct Playback {
    std::string error; // empty when everything was consistent
    std::vector<Drawn> drawn;
    int created = 0, deleted = 0, selected = 0;
    int maxObjectsAlive = 0;
    std::vector<std::uint32_t> types; // every record's type, in order

    bool ok() const { return error.empty(); }
    std::vector<const Drawn*> ofType(std::uint32_t type) const;
    std::size_t count(std::uint32_t type) const;
    const Drawn* textEqual(std::wstring_view text) const;
};

// ---- EMF ---------------------------------------------------------------------------------------
namespace emr {
constexpr std::uint32_t HEADER = 1, POLYGON = 3, POLYLINE = 4, POLYPOLYGON = 8, EOF_ = 14, SETBKMODE = 18,
                        SETPOLYFILLMODE = 19, SETSTRETCHBLTMODE = 21, SETTEXTALIGN = 22, SETTEXTCOLOR = 24,
                        SETBKCOLOR = 25, INTERSECTCLIPRECT = 30, SAVEDC = 33, RESTOREDC = 34,
                        SELECTOBJECT = 37, CREATEPEN = 38, CREATEBRUSHINDIRECT = 39, DELETEOBJECT = 40,
                        ELLIPSE = 42, RECTANGLE = 43, BEGINPATH = 59, ENDPATH = 60, SELECTCLIPPATH = 67,
                        STRETCHDIBITS = 81, EXTCREATEFONTINDIRECTW = 82, EXTTEXTOUTW = 84, EXTCREATEPEN = 95;
}

struct EmfHeader {
    Rect bounds, frame; // inclusive
    std::uint32_t bytes = 0, records = 0;
    std::uint16_t handles = 0;
    Size device, millimeters;
    Size micrometers;
    std::wstring description;
};

// Reads the header and plays every record; `header` receives the header fields.
Playback playEmf(std::string_view file, EmfHeader& header);

// ---- WMF ---------------------------------------------------------------------------------------
namespace meta {
constexpr std::uint32_t EOF_ = 0x0000, SAVEDC = 0x001E, SETBKMODE = 0x0102, SETPOLYFILLMODE = 0x0106,
                        SETSTRETCHBLTMODE = 0x0107, RESTOREDC = 0x0127, SELECTOBJECT = 0x012D,
                        SETTEXTALIGN = 0x012E, DELETEOBJECT = 0x01F0, SETBKCOLOR = 0x0201,
                        SETTEXTCOLOR = 0x0209, SETWINDOWORG = 0x020B, SETWINDOWEXT = 0x020C,
                        CREATEPENINDIRECT = 0x02FA, CREATEFONTINDIRECT = 0x02FB, CREATEBRUSHINDIRECT = 0x02FC,
                        POLYGON = 0x0324, POLYLINE = 0x0325, INTERSECTCLIPRECT = 0x0416, ELLIPSE = 0x0418,
                        RECTANGLE = 0x041B, POLYPOLYGON = 0x0538, EXTTEXTOUT = 0x0A32, STRETCHDIB = 0x0F43;
}

struct WmfHeader {
    Rect boundingBox; // placeable header
    std::uint16_t inch = 0;
    std::uint32_t sizeWords = 0;
    std::uint16_t objects = 0;
    std::uint32_t maxRecordWords = 0;
    Point windowOrigin;
    Size windowExtent;
};

// Texts are decoded from Windows-1251 (the writer's code page for Cyrillic and default sets).
Playback playWmf(std::string_view file, WmfHeader& header);

} // namespace metafile

} // namespace tenzora
