#include "storage/project_image.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "model/ceiling.h"
#include "model/row_capture.h"
#include "model/view_transform.h"
#include "storage/codepage.h"

namespace {

using namespace projectImage;

// ---- writing helpers ---------------------------------------------------------------------------

std::int32_t truncatedInt(double v) { return toPixel(std::trunc(v)); }

// Texts stored as single-byte text. A character that Windows-1251 cannot hold is written as "?";
// this applies to photo paths too: such a path is stored with "?" in its place and the photo is
// then not found when the project is opened again (the file has no room for another encoding).
void writeAnsi(TZDynamicMemory& s, const std::wstring& text) { s.writeString(codepage::toCp1251(text)); }

void writePoint(TZDynamicMemory& s, const Vertex& v) {
    s.writeDouble(v.x);
    s.writeDouble(v.y);
}

// The drawing corners of a pixel rectangle under the current view.
void cornersOfRect(const TZCeiling& doc, const PixelRect& rect, Vertex& corner1, Vertex& corner2) {
    screenToWorld(doc, rect.left, rect.top, corner1.x, corner1.y);
    screenToWorld(doc, rect.right, rect.bottom, corner2.x, corner2.y);
}

// The pixel rectangle of a photo from its drawing corners (corner 1 left/top, corner 2 right/bottom).
// When the stored rectangle already stands for exactly these corners (the photo has not moved
// since it was read or last placed) it is kept: converting back and forth can be off by a pixel
// for extreme view values, and a project must write the same bytes every time it is saved.
void placePhotoRect(const TZCeiling& doc, TZPicture& photo) {
    Vertex c1, c2;
    cornersOfRect(doc, photo.rect, c1, c2);
    if (c1.x == photo.corner1.x && c1.y == photo.corner1.y && c2.x == photo.corner2.x && c2.y == photo.corner2.y)
        return;
    const ScreenPoint a = worldToScreen(doc, photo.corner1.x, photo.corner1.y);
    const ScreenPoint b = worldToScreen(doc, photo.corner2.x, photo.corner2.y);
    photo.rect = {a.x, a.y, b.x, b.y};
}

// The size of the document's image, or a little more: the stream is given room for it at once,
// so that a large image is not built by hundreds of step-by-step regrowths.
std::size_t estimatedImageBytes(const TZCeiling& doc) {
    constexpr std::size_t kFixedFields = 600;  // the header and every field that is not a list
    auto ansi = [](const std::wstring& t) { return t.size() + 1; };
    auto wide = [](const std::wstring& t) { return 4 * t.size() + 2; };  // surrogate pairs included
    std::size_t n = kFixedFields + ansi(doc.orderDate) + ansi(doc.client) + ansi(doc.orderName) +
                    ansi(doc.orderNumber) + ansi(doc.note) + doc.material.name.size() + 1 + wide(doc.ceilingType);
    n += 26u * static_cast<std::size_t>(doc.diagonals.count());
    n += 21u * static_cast<std::size_t>(doc.polygon.count());
    n += 16u * static_cast<std::size_t>(doc.seamLines.count() + doc.rulerPoints.count());
    n += 49u * static_cast<std::size_t>(doc.addPoints.count());
    n += 64u * static_cast<std::size_t>(doc.dops.count());
    n += 8u * static_cast<std::size_t>(doc.canvasLengths.count() + doc.dopHoleOrder.count());
    for (const TZHole& h : doc.holes) n += 32u + 24u * static_cast<std::size_t>(h.rows.count());
    for (const TZDopRabObject& w : doc.extraWorks) n += wide(w.name) + 8;
    for (const TZPicture& p : doc.photos) n += ansi(p.path) + 16;
    return n;
}

// ---- reading helpers ---------------------------------------------------------------------------

std::wstring readAnsi(TZDynamicMemory& s) {
    const auto bytes = s.readString();
    return bytes ? codepage::fromCp1251(*bytes) : std::wstring();
}

Vertex readPoint(TZDynamicMemory& s) {
    Vertex v;
    v.x = s.readDouble();
    v.y = s.readDouble();
    return v;
}

// An index field: the element when 0 <= i < count, otherwise none.
std::int32_t readReference(TZDynamicMemory& s, int count) {
    const std::int32_t i = s.readInt32();
    return (i >= 0 && i < count) ? i : -1;
}

// A scale read from a file: narrowed to single precision. A value that is not a positive finite
// number (a damaged file) would make every view transform divide by zero, so it reads as 1.
float readScale(TZDynamicMemory& s) {
    const double v = s.readDouble();
    if (!(v > 0) || !std::isfinite(v) || v > std::numeric_limits<float>::max() ||
        v < std::numeric_limits<float>::min())
        return 1.0f;
    return static_cast<float>(v);
}

// A count field. Returns false when it is above the limit: reading must stop there.
bool readCount(TZDynamicMemory& s, int limit, int& count) {
    const std::int32_t n = s.readInt32();
    if (n > limit) return false;
    count = n > 0 ? n : 0;
    return true;
}

// An order list shorter than the constructions and cutouts together is rebuilt: every
// construction in list order, then every cutout. It is rebuilt no longer than a file may carry,
// since a longer list would stop the next reading of the saved project at the order list.
void coverConstructionsAndCutouts(TZCeiling& doc) {
    if (doc.dopHoleOrder.count() >= doc.dops.count() + doc.holes.count()) return;
    doc.dopHoleOrder.clear();
    for (int i = 0; i < doc.dops.count() && doc.dopHoleOrder.count() < kMaxListCount; ++i)
        doc.dopHoleOrder.append({kOrderConstruction, i});
    for (int i = 0; i < doc.holes.count() && doc.dopHoleOrder.count() < kMaxListCount; ++i)
        doc.dopHoleOrder.append({kOrderCutout, i});
}

// Reads the fields of the body; returns when a count is above its limit (members read so far
// keep their new values, later members their old ones).
void readBody(TZCeiling& doc, TZDynamicMemory& s, bool& currentFormat) {
    int n = 0;
    doc.snapToGrid = s.readBool();                             // 2
    doc.diagonalTool = s.readInt32();                          // 3
    doc.pointTool = s.readInt32();                             // 4
    doc.orderDate = readAnsi(s);                               // 5

    doc.diagonals.clear();                                     // 6, 7
    if (!readCount(s, kMaxListCount, n)) return;
    doc.diagonals.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        Diagonal d;
        d.visits = s.readByte();
        d.length = s.readDouble();
        d.spare = s.readDouble();
        d.a = s.readInt32();
        d.b = s.readInt32();
        d.isSide = s.readBool() ? 1 : 0;
        doc.diagonals.append(d);
    }
    s.readDouble();                                            // 8 reserved
    doc.gridStep = static_cast<double>(s.readInt32());         // 9
    doc.client = readAnsi(s);                                  // 10
    doc.orderName = readAnsi(s);                               // 11
    doc.orderNumber = readAnsi(s);                             // 12

    const bool wasDefined = doc.polygon.defined;               // 13, 14, 15
    doc.polygon.clear();
    if (!readCount(s, kMaxListCount, n)) {
        doc.polygon.defined = wasDefined;  // stored after the count: keeps its old value
        return;
    }
    doc.polygon.defined = s.readBool();
    doc.polygon.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        Vertex v;
        v.rightAngle = s.readBool() ? 1 : 0;
        v.x = s.readDouble();
        v.y = s.readDouble();
        v.sidePreference = s.readInt32();
        doc.polygon.append(v);
    }
    doc.panX = s.readInt32();                                  // 16
    doc.panY = s.readInt32();                                  // 17
    s.readInt32();                                             // 18 reserved
    doc.currentDiagonal = readReference(s, doc.diagonals.count());  // 19
    doc.draggedVertex = readReference(s, doc.polygon.count());      // 20
    doc.mode = s.readInt32();                                  // 21
    doc.editorVertex2 = readReference(s, doc.polygon.count());      // 22
    doc.pendingVertex = readReference(s, doc.polygon.count());      // 23

    doc.seamLines.clear();                                     // 24, 25
    doc.hoverCanvas = -1;
    if (!readCount(s, kMaxListCount, n)) return;
    doc.seamLines.reserveForAppends(n);
    for (int i = 0; i < n; ++i) doc.seamLines.append(readPoint(s));
    doc.viewHeight = s.readInt32();                            // 26
    doc.viewWidth = s.readInt32();                             // 27
    doc.showLengths = s.readBool();                            // 28
    doc.showGrid = s.readBool();                               // 29
    doc.showPointNames = s.readBool();                         // 30
    doc.scaleX = readScale(s);                                 // 31
    doc.scaleY = readScale(s);                                 // 32

    doc.rulerPoints.clear();                                   // 33, 34
    if (!readCount(s, kMaxListCount, n)) return;
    doc.rulerPoints.reserveForAppends(n);
    for (int i = 0; i < n; ++i) doc.rulerPoints.append(readPoint(s));

    doc.material.id = s.readInt32();                           // 35
    doc.material.groupId = s.readInt32();                      // 36
    doc.material.isGroup = s.readBool() ? 1 : 0;               // 37
    doc.material.tensionCoef = s.readDouble();                 // 38
    doc.material.offcutPriceCoef = s.readDouble();             // 39
    if (auto name = s.readString()) doc.material.setName(*name);  // 40: none keeps the old name
    doc.material.width = s.readDouble();                       // 41
    s.readInt32();                                             // 42 reserved
    doc.hoverDiagonal = readReference(s, doc.diagonals.count());  // 43
    doc.hoverVertex = readReference(s, doc.polygon.count());      // 44

    doc.addPoints.clear();                                     // 45, 46
    if (!readCount(s, kMaxAddPointCount, n)) return;
    doc.addPoints.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZAddPoint p;
        p.point = readPoint(s);
        p.edgeStart = readPoint(s);
        p.edgeEnd = readPoint(s);
        doc.addPoints.append(p);
    }
    doc.materialQuantity = s.readDouble();                     // 47
    doc.offcuts = s.readDouble();                              // 48

    doc.dops.clear();                                          // 49, 50
    if (!readCount(s, kMaxListCount, n)) return;
    doc.dops.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZDop d;
        d.depth = s.readDouble();
        d.distance1 = s.readDouble();
        d.distance2 = s.readDouble();
        d.vertex1 = s.readInt32();
        d.vertex2 = s.readInt32();
        d.kind = s.readInt32();
        d.depth2 = s.readDouble();
        d.width = s.readDouble();
        d.arcLength = s.readDouble();
        d.extraPoints = s.readInt32();
        doc.dops.append(d);
    }
    doc.showConstructions = s.readBool();                      // 51
    doc.note = readAnsi(s);                                    // 52
    doc.seamFrom = s.readInt32();                              // 53
    doc.seamTo = s.readInt32();                                // 54
    doc.seamLineStart = readPoint(s);                          // 55
    doc.seamLineEnd = readPoint(s);                            // 56
    doc.modified = s.readBool();                               // 57
    doc.outlineFormed = s.readBool();                          // 58
    doc.baseSide = s.readInt32();                              // 59
    doc.seamOffset = s.readDouble();                           // 60
    doc.seamPerpendicular = s.readBool();                      // 61
    doc.showAngles = s.readBool();                             // 62
    doc.canvasLengthTotal = s.readDouble();                    // 63

    doc.canvasLengths.clear();                                 // 64, 65
    if (!readCount(s, kMaxListCount, n)) return;
    doc.canvasLengths.reserveForAppends(n);
    for (int i = 0; i < n; ++i) doc.canvasLengths.append(s.readDouble());
    doc.showCanvasDistances = s.readBool();                    // 66
    doc.seamWidth = s.readInt32();                             // 67

    doc.holes.clear();                                         // 68, 69
    if (!readCount(s, kMaxListCount, n)) return;
    doc.holes.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZHole h;
        h.size1 = s.readDouble();
        h.type = s.readInt32();
        h.mode = s.readInt32();
        int rows = 0;
        if (!readCount(s, kMaxCutoutRows, rows)) {
            // The cutout keeps what was read of it; its row list stays empty.
            doc.holes.append(std::move(h));
            return;
        }
        h.rows.reserveForAppends(rows);
        for (int r = 0; r < rows; ++r) {
            TZHoleDiagonal row;
            row.vertex1 = s.readInt32();
            row.distance1 = s.readDouble();
            row.vertex2 = s.readInt32();
            row.distance2 = s.readDouble();
            h.rows.append(row);
        }
        doc.holes.append(std::move(h));
    }

    doc.dopHoleOrder.clear();                                  // 70, 71
    if (!readCount(s, kMaxListCount, n)) return;
    doc.dopHoleOrder.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZDopAndHole e;
        e.index = s.readInt32();
        e.type = s.readInt32();
        doc.dopHoleOrder.append(e);
    }
    // The order list is made to cover what was read, and the cutout rows' points are captured,
    // once reading ends (see loadFromStream): the fields after this one do not change either.

    for (TZAddPoint& p : doc.addPoints) p.mark = s.readByte();  // 72
    doc.seamFrom2 = s.readInt32();                             // 73
    doc.seamTo2 = s.readInt32();                               // 74
    doc.twoDiagonals = s.readBool();                           // 75
    doc.seamOffset2 = s.readDouble();                          // 76
    for (TZHole& h : doc.holes) {                              // 77
        h.pointCount = s.readInt32();
        h.angleFrom = s.readInt32();
        h.angleTo = s.readInt32();
    }
    doc.sentToWork = s.readBool();                             // 78
    doc.harpoon = s.readByte();                                // 79
    doc.city = s.readInt32();                                  // 80
    doc.ceilingType = s.readWideString().value_or(L"");        // 81

    doc.extraWorks.clear();                                    // 82, 83
    if (!readCount(s, kMaxListCount, n)) return;
    doc.extraWorks.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZDopRabObject w;
        w.name = s.readWideString().value_or(L"");
        w.quantity = s.readDouble();
        doc.extraWorks.append(w);
    }
    // A file of the previous version ends here.
    if (s.atEnd()) currentFormat = false;

    doc.photos.clear();                                        // 84, 85
    doc.shownPhoto = -1;
    if (!readCount(s, kMaxListCount, n)) return;
    doc.photos.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZPicture photo;
        photo.path = readAnsi(s);
        photo.rect.left = s.readInt32();
        photo.rect.top = s.readInt32();
        photo.rect.right = s.readInt32();
        photo.rect.bottom = s.readInt32();
        doc.photos.append(std::move(photo));
    }
    const std::int32_t shown = s.readInt32();                  // 86
    if (shown >= 1 && shown <= doc.photos.count()) {
        doc.shownPhoto = shown - 1;
        TZPicture& photo = doc.photos.at(doc.shownPhoto);
        cornersOfRect(doc, photo.rect, photo.corner1, photo.corner2);
        photo.placed = true;
    }
    doc.tensionY = s.readDouble();                             // 87
}

}  // namespace

bool isProjectHeader(const std::string& header) {
    if (header.size() >= 7 && header.compare(0, 7, "Tenzora") == 0) return true;
    const std::wstring wide = codepage::fromCp1251(header);
    const std::size_t at = wide.find(L"file format. Version");
    return at != std::wstring::npos && at > 0;
}

std::optional<std::string> projectHeaderOf(std::string_view imageBytes) {
    TZDynamicMemory s;
    if (!s.assign(imageBytes)) return std::nullopt;
    const auto plain = s.readString();
    if (plain && isProjectHeader(*plain)) return plain;
    // A scrambled file of an older version: the header as the reader sees it.
    s.unscramble(scrambleKeys::K1);
    s.unscramble(scrambleKeys::K2);
    s.setReadPos(0);
    const auto unscrambled = s.readString();
    if (unscrambled && isProjectHeader(*unscrambled)) return unscrambled;
    return plain;
}

void saveToStream(TZCeiling& doc, TZDynamicMemory& s, bool keepBlock) {
    if (keepBlock)
        s.resetKeepingBlock();
    else
        s.release();
    s.reserve(estimatedImageBytes(doc));

    std::string header = kSignature;
    header += doc.priceTag.substr(0, std::min(doc.priceTag.size(), kPriceTagBytes));
    s.writeString(header);                                     // 1

    s.writeBool(doc.snapToGrid);                               // 2
    s.writeInt32(doc.diagonalTool);                            // 3
    s.writeInt32(doc.pointTool);                               // 4
    writeAnsi(s, doc.orderDate);                               // 5
    s.writeInt32(doc.diagonals.count());                       // 6
    for (const Diagonal& d : doc.diagonals) {                  // 7
        s.writeByte(static_cast<std::uint8_t>(d.visits & 0xFF));
        s.writeDouble(d.length);
        s.writeDouble(d.spare);
        s.writeInt32(d.a);
        s.writeInt32(d.b);
        s.writeBool(d.isSide != 0);
    }
    s.writeDouble(0.0);                                        // 8 reserved
    s.writeInt32(truncatedInt(doc.gridStep));                  // 9
    writeAnsi(s, doc.client);                                  // 10
    writeAnsi(s, doc.orderName);                               // 11
    writeAnsi(s, doc.orderNumber);                             // 12
    s.writeInt32(doc.polygon.count());                         // 13
    s.writeBool(doc.polygon.defined);                          // 14
    for (const Vertex& v : doc.polygon) {                      // 15
        s.writeBool(v.rightAngle != 0);
        s.writeDouble(v.x);
        s.writeDouble(v.y);
        s.writeInt32(v.sidePreference);
    }
    s.writeInt32(doc.panX);                                    // 16
    s.writeInt32(doc.panY);                                    // 17
    s.writeInt32(0);                                           // 18 reserved
    s.writeInt32(doc.currentDiagonal);                         // 19
    s.writeInt32(doc.draggedVertex);                           // 20
    s.writeInt32(doc.mode);                                    // 21
    s.writeInt32(doc.editorVertex2);                           // 22
    s.writeInt32(doc.pendingVertex);                           // 23
    s.writeInt32(doc.seamLines.count());                       // 24
    for (const Vertex& v : doc.seamLines) writePoint(s, v);    // 25
    s.writeInt32(doc.viewHeight);                              // 26
    s.writeInt32(doc.viewWidth);                               // 27
    s.writeBool(doc.showLengths);                              // 28
    s.writeBool(doc.showGrid);                                 // 29
    s.writeBool(doc.showPointNames);                           // 30
    s.writeDouble(static_cast<double>(doc.scaleX));            // 31
    s.writeDouble(static_cast<double>(doc.scaleY));            // 32
    s.writeInt32(doc.rulerPoints.count());                     // 33
    for (const Vertex& v : doc.rulerPoints) writePoint(s, v);  // 34
    s.writeInt32(doc.material.id);                             // 35
    s.writeInt32(doc.material.groupId);                        // 36
    s.writeBool(doc.material.isGroup != 0);                    // 37
    s.writeDouble(doc.material.tensionCoef);                   // 38
    s.writeDouble(doc.material.offcutPriceCoef);               // 39
    s.writeString(std::string_view(doc.material.name).substr(0, Material::kNameField - 1));  // 40
    s.writeDouble(doc.material.width);                         // 41
    s.writeInt32(0);                                           // 42 reserved
    s.writeInt32(doc.hoverDiagonal);                           // 43
    s.writeInt32(doc.hoverVertex);                             // 44
    s.writeInt32(doc.addPoints.count());                       // 45
    for (const TZAddPoint& p : doc.addPoints) {                // 46
        writePoint(s, p.point);
        writePoint(s, p.edgeStart);
        writePoint(s, p.edgeEnd);
    }
    s.writeDouble(doc.materialQuantity);                       // 47
    s.writeDouble(doc.offcuts);                                // 48
    s.writeInt32(doc.dops.count());                            // 49
    for (const TZDop& d : doc.dops) {                          // 50
        s.writeDouble(d.depth);
        s.writeDouble(d.distance1);
        s.writeDouble(d.distance2);
        s.writeInt32(d.vertex1);
        s.writeInt32(d.vertex2);
        s.writeInt32(d.kind);
        s.writeDouble(d.depth2);
        s.writeDouble(d.width);
        s.writeDouble(d.arcLength);
        s.writeInt32(d.extraPoints);
    }
    s.writeBool(doc.showConstructions);                        // 51
    writeAnsi(s, doc.note);                                    // 52
    s.writeInt32(doc.seamFrom);                                // 53
    s.writeInt32(doc.seamTo);                                  // 54
    writePoint(s, doc.seamLineStart);                          // 55
    writePoint(s, doc.seamLineEnd);                            // 56
    s.writeBool(doc.modified);                                 // 57
    s.writeBool(doc.outlineFormed);                            // 58
    s.writeInt32(doc.baseSide);                                // 59
    s.writeDouble(doc.seamOffset);                             // 60
    s.writeBool(doc.seamPerpendicular);                        // 61
    s.writeBool(doc.showAngles);                               // 62
    s.writeDouble(doc.canvasLengthTotal);                      // 63
    s.writeInt32(doc.canvasLengths.count());                   // 64
    for (double len : doc.canvasLengths) s.writeDouble(len);   // 65
    s.writeBool(doc.showCanvasDistances);                      // 66
    s.writeInt32(doc.seamWidth);                               // 67
    s.writeInt32(doc.holes.count());                           // 68
    for (const TZHole& h : doc.holes) {                        // 69
        s.writeDouble(h.size1);
        s.writeInt32(h.type);
        s.writeInt32(h.mode);
        s.writeInt32(h.rows.count());
        for (const TZHoleDiagonal& row : h.rows) {
            s.writeInt32(row.vertex1);
            s.writeDouble(row.distance1);
            s.writeInt32(row.vertex2);
            s.writeDouble(row.distance2);
        }
    }
    s.writeInt32(doc.dopHoleOrder.count());                    // 70
    for (const TZDopAndHole& e : doc.dopHoleOrder) {           // 71
        s.writeInt32(e.index);
        s.writeInt32(e.type);
    }
    for (const TZAddPoint& p : doc.addPoints) s.writeByte(p.mark);  // 72
    s.writeInt32(doc.seamFrom2);                               // 73
    s.writeInt32(doc.seamTo2);                                 // 74
    s.writeBool(doc.twoDiagonals);                             // 75
    s.writeDouble(doc.seamOffset2);                            // 76
    for (const TZHole& h : doc.holes) {                        // 77
        s.writeInt32(h.pointCount);
        s.writeInt32(h.angleFrom);
        s.writeInt32(h.angleTo);
    }
    s.writeBool(doc.sentToWork);                               // 78
    s.writeByte(doc.harpoon);                                  // 79
    s.writeInt32(doc.city);                                    // 80
    s.writeWideString(doc.ceilingType);                        // 81
    s.writeInt32(doc.extraWorks.count());                      // 82
    for (const TZDopRabObject& w : doc.extraWorks) {           // 83
        s.writeWideString(w.name);
        s.writeDouble(w.quantity);
    }
    if (TZPicture* shown = doc.photos.checkedAt(doc.shownPhoto); shown && shown->placed)
        placePhotoRect(doc, *shown);
    s.writeInt32(doc.photos.count());                          // 84
    for (const TZPicture& photo : doc.photos) {                // 85
        writeAnsi(s, photo.path);
        s.writeInt32(photo.rect.left);
        s.writeInt32(photo.rect.top);
        s.writeInt32(photo.rect.right);
        s.writeInt32(photo.rect.bottom);
    }
    s.writeInt32(doc.shownPhoto >= 0 && doc.shownPhoto < doc.photos.count() ? doc.shownPhoto + 1 : 0);  // 86
    s.writeDouble(doc.tensionY);                               // 87
}

bool loadFromStream(TZCeiling& doc, TZDynamicMemory& s, bool& currentFormat) {
    s.setReadPos(0);

    bool syncError = false;
    auto headerAccepted = [&]() {
        const auto header = s.readString(&syncError);
        return header && !s.atEnd() && isProjectHeader(*header);
    };
    if (!headerAccepted()) {
        // An empty stream has nothing to unscramble; the program has always reported it this way.
        if (syncError) doc.ui().error(kSyncMessage);
        // Older files were stored scrambled: K2 then K1, so undo K1 first.
        s.setReadPos(0);
        s.unscramble(scrambleKeys::K1);
        s.unscramble(scrambleKeys::K2);
        if (syncError || !headerAccepted()) {
            doc.ui().error(kFormatMessage, kFormatCaption);
            return false;
        }
    }
    // Set only once the header is accepted: a refused file leaves the document (and the window
    // title's old-format mark) as it was.
    currentFormat = true;
    readBody(doc, s, currentFormat);
    // After the order list, and also when reading stopped at a count beyond its limit before it:
    // the order list covers every construction and cutout read, and the cutout rows' point
    // references are captured again from their vertex indexes in the working outline with the
    // constructions. Building that outline also refreshes the constructions' computed figures,
    // so a project reads back the same however its reading ended.
    coverConstructionsAndCutouts(doc);
    captureRowPoints(doc);
    return true;
}
