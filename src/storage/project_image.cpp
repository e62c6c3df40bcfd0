#include "storage/project_image.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "model/ceiling.h"
#include "model/row_capture.h"
#include "model/view_transform.h"
#include "storage/codepage.h"
#include "storage/image_io.h"
#include "storage/project_head.h"

namespace tenzora {

namespace {

using namespace projectImage;

// ---- helpers ----------------------------------------------------------------------------------

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
    if (c1.x == photo.corner1.x && c1.y == photo.corner1.y && c2.x == photo.corner2.x &&
        c2.y == photo.corner2.y)
        return;
    const ScreenPoint a = worldToScreen(doc, photo.corner1.x, photo.corner1.y);
    const ScreenPoint b = worldToScreen(doc, photo.corner2.x, photo.corner2.y);
    photo.rect = {a.x, a.y, b.x, b.y};
}

// The size of the document's image, or a little more: the stream is given room for it at once,
// so that a large image is not built by hundreds of step-by-step regrowths.
std::size_t estimatedImageBytes(const TZCeiling& doc) {
    constexpr std::size_t kFixedFields = 600; // the header and every field that is not a list
    auto ansi = [](const std::wstring& t) { return t.size() + 1; };
    auto wide = [](const std::wstring& t) { return 4 * t.size() + 2; }; // surrogate pairs included
    std::size_t n = kFixedFields + ansi(doc.orderDate) + ansi(doc.client) + ansi(doc.orderName) +
                    ansi(doc.orderNumber) + ansi(doc.note) + doc.material.name.size() + 1 +
                    wide(doc.ceilingType);
    n += 26u * static_cast<std::size_t>(doc.diagonals.count());
    n += 21u * static_cast<std::size_t>(doc.polygon.count());
    n += 16u * static_cast<std::size_t>(doc.seamLines.count() + doc.editor.rulerPoints.count());
    n += 49u * static_cast<std::size_t>(doc.addPoints.count());
    n += 64u * static_cast<std::size_t>(doc.dops.count());
    n += 8u * static_cast<std::size_t>(doc.canvasLengths.count() + doc.dopHoleOrder.count());
    for (const TZHole& h : doc.holes)
        n += 32u + 24u * static_cast<std::size_t>(h.rows.count());
    for (const TZDopRabObject& w : doc.extraWorks)
        n += wide(w.name) + 8;
    for (const TZPicture& p : doc.photos)
        n += ansi(p.path) + 16;
    return n;
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

// Fields 49 … 87, after the head that project_head.h describes.
template <class Io> void visitProjectBody(Io& io, TZCeiling& doc) {
    io.list(49, doc.dops, kMaxListCount, [](auto& io, TZDop& d) {
        io.real(d.depth);
        io.real(d.distance1);
        io.real(d.distance2);
        io.int32(d.vertex1);
        io.int32(d.vertex2);
        io.int32(d.kind);
        io.real(d.depth2);
        io.real(d.width);
        io.real(d.arcLength);
        io.int32(d.extraPoints);
    });
    io.flag(51, doc.showConstructions);
    io.text(52, doc.note);
    io.int32(53, doc.seamFrom);
    io.int32(54, doc.seamTo);
    io.point(55, doc.seamLineStart);
    io.point(56, doc.seamLineEnd);
    io.flag(57, doc.modified);
    io.flag(58, doc.outlineFormed);
    io.int32(59, doc.baseSide);
    io.real(60, doc.seamOffset);
    io.flag(61, doc.seamPerpendicular);
    io.flag(62, doc.view.showAngles);
    io.real(63, doc.canvasLengthTotal);
    io.list(64, doc.canvasLengths, kMaxListCount, [](auto& io, double& length) { io.real(length); });
    io.flag(66, doc.view.showCanvasDistances);
    io.int32(67, doc.seamWidth);
    // A cutout whose row count is beyond its limit is kept with what was read of it (no rows).
    io.list(68, doc.holes, kMaxListCount, [](auto& io, TZHole& h) {
        io.real(h.size1);
        io.int32(h.type);
        io.int32(h.mode);
        io.list(h.rows, kMaxCutoutRows, [](auto& io, TZHoleDiagonal& row) {
            io.int32(row.vertex1);
            io.real(row.distance1);
            io.int32(row.vertex2);
            io.real(row.distance2);
        });
    });
    // The order list is made to cover what was read, and the cutout rows' points are captured,
    // once reading ends (see loadFromStream): the fields after this one do not change either.
    io.list(70, doc.dopHoleOrder, kMaxListCount, [](auto& io, TZDopAndHole& e) {
        io.int32(e.index);
        io.int32(e.type);
    });
    io.each(72, doc.addPoints, [](auto& io, TZAddPoint& p) { io.byte(p.mark); });
    io.int32(73, doc.seamFrom2);
    io.int32(74, doc.seamTo2);
    io.flag(75, doc.twoDiagonals);
    io.real(76, doc.seamOffset2);
    io.each(77, doc.holes, [](auto& io, TZHole& h) {
        io.int32(h.pointCount);
        io.int32(h.angleFrom);
        io.int32(h.angleTo);
    });
    io.flag(78, doc.sentToWork);
    io.byte(79, doc.harpoon);
    io.int32(80, doc.city);
    io.wideText(81, doc.ceilingType);
    io.list(82, doc.extraWorks, kMaxListCount, [](auto& io, TZDopRabObject& w) {
        io.wideText(w.name);
        io.real(w.quantity);
    });
    // A file of the previous version ends here.
    io.previousFormatEnd();
    io.resetWhenRead(84, doc.shownPhoto, -1);
    io.list(84, doc.photos, kMaxListCount, [](auto& io, TZPicture& photo) {
        io.text(photo.path);
        io.int32(photo.rect.left);
        io.int32(photo.rect.top);
        io.int32(photo.rect.right);
        io.int32(photo.rect.bottom);
    });
    // The shown photo read back is placed where its stored rectangle lies under the stored view.
    if (io.oneBasedIndex(86, doc.shownPhoto, doc.photos.count())) {
        TZPicture& photo = doc.photos.at(doc.shownPhoto);
        cornersOfRect(doc, photo.rect, photo.corner1, photo.corner2);
        photo.placed = true;
    }
    io.real(87, doc.tensionY);
}

// The whole image after its header.
template <class Io> void visitProject(Io& io, TZCeiling& doc) {
    visitProjectHead(io, doc);
    visitProjectBody(io, doc);
}

} // namespace

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
    s.writeString(header); // 1
    // The shown photo's rectangle is stored for where the photo now lies on the drawing.
    if (TZPicture* shown = doc.photos.checkedAt(doc.shownPhoto); shown && shown->placed)
        placePhotoRect(doc, *shown);
    ImageWriter writer(s);
    visitProject(writer, doc);
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
    StreamReader reader(s);
    visitProject(reader, doc);
    if (reader.previousFormat()) currentFormat = false;
    // After the order list, and also when reading stopped at a count beyond its limit before it:
    // the order list covers every construction and cutout read, and the cutout rows' point
    // references are captured again from their vertex indexes in the working outline with the
    // constructions. Building that outline also refreshes the constructions' computed figures,
    // so a project reads back the same however its reading ended.
    coverConstructionsAndCutouts(doc);
    captureRowPoints(doc);
    return true;
}

} // namespace tenzora
