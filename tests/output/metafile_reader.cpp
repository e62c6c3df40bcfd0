#include "output/metafile_reader.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "storage/codepage.h"

namespace tenzora {

namespace metafile {

namespace {

// Little-endian reads that report running past the end instead of reading it.
class Bytes {
  public:
    explicit Bytes(std::string_view data) : data_(data) {}
    bool has(std::size_t at, std::size_t n) const { return at <= data_.size() && n <= data_.size() - at; }
    std::uint8_t u8(std::size_t at) const {
        return has(at, 1) ? static_cast<std::uint8_t>(data_[at]) : (bad_ = true, 0);
    }
    std::uint16_t u16(std::size_t at) const { return static_cast<std::uint16_t>(u8(at) | (u8(at + 1) << 8)); }
    std::uint32_t u32(std::size_t at) const {
        return u16(at) | (static_cast<std::uint32_t>(u16(at + 2)) << 16);
    }
    std::int16_t i16(std::size_t at) const { return static_cast<std::int16_t>(u16(at)); }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    std::string_view sub(std::size_t at, std::size_t n) const {
        if (!has(at, n)) {
            bad_ = true;
            return {};
        }
        return data_.substr(at, n);
    }
    bool bad() const { return bad_; }
    std::size_t size() const { return data_.size(); }

  private:
    std::string_view data_;
    mutable bool bad_ = false;
};

struct Object {
    enum Kind { Pen, Brush, Font } kind;
    PenInfo pen;
    BrushInfo brush;
    FontInfo font;
};

// The object table and context stack shared by both formats.
class Player {
  public:
    Playback result;
    DcState dc;
    std::vector<DcState> saved;
    std::map<std::uint32_t, Object> objects;

    void fail(const std::string& why) {
        if (result.error.empty()) result.error = why;
    }
    void create(std::uint32_t slot, Object o) {
        if (objects.count(slot) != 0) fail("object created over a live one in slot " + std::to_string(slot));
        objects[slot] = std::move(o);
        ++result.created;
        result.maxObjectsAlive = std::max<int>(result.maxObjectsAlive, static_cast<int>(objects.size()));
    }
    void select(std::uint32_t slot) {
        auto it = objects.find(slot);
        if (it == objects.end()) {
            fail("selecting a missing object " + std::to_string(slot));
            return;
        }
        ++result.selected;
        switch (it->second.kind) {
        case Object::Pen:
            dc.pen = it->second.pen;
            dc.penSelected = true;
            break;
        case Object::Brush:
            dc.brush = it->second.brush;
            dc.brushSelected = true;
            break;
        case Object::Font:
            dc.font = it->second.font;
            dc.fontSelected = true;
            break;
        }
        current_[it->second.kind] = slot;
    }
    void remove(std::uint32_t slot) {
        if (objects.erase(slot) == 0) {
            fail("deleting a missing object " + std::to_string(slot));
            return;
        }
        for (const auto& stack : savedSlots_)
            for (std::uint32_t s : stack)
                if (s == slot) fail("deleting an object a saved context still holds");
        for (int k = 0; k < 3; ++k)
            if (current_[k] == slot) fail("deleting a selected object " + std::to_string(slot));
        ++result.deleted;
    }
    void save() {
        saved.push_back(dc);
        savedSlots_.push_back({current_[0], current_[1], current_[2]});
        ++dc.saveDepth;
    }
    void restore() {
        if (saved.empty()) {
            fail("restoring a context never saved");
            return;
        }
        dc = saved.back();
        saved.pop_back();
        current_[0] = savedSlots_.back()[0];
        current_[1] = savedSlots_.back()[1];
        current_[2] = savedSlots_.back()[2];
        savedSlots_.pop_back();
    }
    Drawn& draw(std::uint32_t type) {
        Drawn& d = result.drawn.emplace_back();
        d.type = type;
        d.dc = dc;
        return d;
    }
    void needPen(std::uint32_t type) {
        if (!dc.penSelected) fail("record " + std::to_string(type) + " drawn before any pen was selected");
    }
    void needBrush(std::uint32_t type) {
        if (!dc.brushSelected)
            fail("record " + std::to_string(type) + " drawn before any brush was selected");
    }
    void needFont(std::uint32_t type) {
        if (!dc.fontSelected) fail("text record " + std::to_string(type) + " before any font was selected");
    }

  private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    std::uint32_t current_[3] = {kNone, kNone, kNone}; // pen, brush, font slot selected now
    std::vector<std::array<std::uint32_t, 3>> savedSlots_;
};

std::wstring utf16At(const Bytes& b, std::size_t at, std::size_t units) {
    std::string raw(b.sub(at, units * 2));
    return codepage::fromUtf16Le(raw);
}

std::wstring trimNul(std::wstring s) {
    const auto end = s.find(L'\0');
    if (end != std::wstring::npos) s.resize(end);
    return s;
}

Rect rectAt(const Bytes& b, std::size_t at) {
    return {b.i32(at), b.i32(at + 4), b.i32(at + 8), b.i32(at + 12)};
}

} // namespace

std::vector<const Drawn*> Playback::ofType(std::uint32_t type) const {
    std::vector<const Drawn*> found;
    for (const Drawn& d : drawn)
        if (d.type == type && !d.inPath) found.push_back(&d);
    return found;
}

std::size_t Playback::count(std::uint32_t type) const {
    return static_cast<std::size_t>(std::count(types.begin(), types.end(), type));
}

const Drawn* Playback::textEqual(std::wstring_view text) const {
    for (const Drawn& d : drawn)
        if (d.text == text) return &d;
    return nullptr;
}

// ---- EMF ---------------------------------------------------------------------------------------

Playback playEmf(std::string_view file, EmfHeader& header) {
    Player p;
    const Bytes b(file);
    if (b.u32(0) != emr::HEADER) p.fail("first record is not the header");
    if (b.u32(40) != 0x464D4520) p.fail("no EMF signature");
    const std::uint32_t headerSize = b.u32(4);
    header.bounds = rectAt(b, 8);
    header.frame = rectAt(b, 24);
    header.bytes = b.u32(48);
    header.records = b.u32(52);
    header.handles = b.u16(56);
    const std::uint32_t descChars = b.u32(60), descOffset = b.u32(64);
    header.device = {b.i32(72), b.i32(76)};
    header.millimeters = {b.i32(80), b.i32(84)};
    if (headerSize >= 108) header.micrometers = {b.i32(100), b.i32(104)};
    if (descChars > 0) {
        if (descOffset + descChars * 2 > headerSize) p.fail("description outside the header");
        header.description = utf16At(b, descOffset, descChars);
    }
    if (header.bytes != file.size()) p.fail("header byte count differs from the file size");

    std::size_t at = 0;
    std::uint32_t count = 0;
    bool sawEof = false, inPath = false;
    while (at < file.size() && !sawEof) {
        const std::uint32_t type = b.u32(at), size = b.u32(at + 4);
        if (size < 8 || size % 4 != 0 || !b.has(at, size)) {
            p.fail("bad record size at offset " + std::to_string(at));
            break;
        }
        ++count;
        p.result.types.push_back(type);
        const std::size_t r = at; // record start
        auto drawPoints = [&](std::uint32_t t, bool poly) {
            Drawn& d = p.draw(t);
            d.inPath = inPath;
            d.box = rectAt(b, r + 8);
            std::size_t n = 0, pointsAt = 0;
            if (poly) {
                const std::uint32_t polys = b.u32(r + 24);
                n = b.u32(r + 28);
                for (std::uint32_t i = 0; i < polys; ++i)
                    d.polygonCounts.push_back(b.u32(r + 32 + 4 * i));
                pointsAt = r + 32 + 4 * polys;
                std::uint64_t sum = 0;
                for (auto c : d.polygonCounts)
                    sum += c;
                if (sum != n) p.fail("poly-polygon counts do not add up");
            } else {
                n = b.u32(r + 24);
                pointsAt = r + 28;
            }
            if (pointsAt + n * 8 > r + size) p.fail("points run past their record");
            for (std::size_t i = 0; i < n && !b.bad(); ++i)
                d.points.push_back({b.i32(pointsAt + 8 * i), b.i32(pointsAt + 8 * i + 4)});
            for (const Point& pt : d.points)
                if (pt.x < d.box.left || pt.x > d.box.right || pt.y < d.box.top || pt.y > d.box.bottom)
                    p.fail("a point lies outside its record's bounds");
        };
        switch (type) {
        case emr::HEADER:
            if (at != 0) p.fail("second header");
            break;
        case emr::EOF_:
            sawEof = true;
            if (b.u32(r + size - 4) != size) p.fail("EOF does not repeat its size at its end");
            break;
        case emr::CREATEPEN: {
            Object o{Object::Pen, {b.u32(r + 12), b.i32(r + 16), b.u32(r + 24)}, {}, {}};
            if (b.u32(r + 8) == 0 || b.u32(r + 8) >= header.handles)
                p.fail("pen slot outside the handle table");
            p.create(b.u32(r + 8), o);
            break;
        }
        case emr::EXTCREATEPEN: {
            Object o{Object::Pen,
                     {b.u32(r + 28), static_cast<std::int32_t>(b.u32(r + 32)), b.u32(r + 40)},
                     {},
                     {}};
            if (b.u32(r + 8) == 0 || b.u32(r + 8) >= header.handles)
                p.fail("pen slot outside the handle table");
            p.create(b.u32(r + 8), o);
            break;
        }
        case emr::CREATEBRUSHINDIRECT: {
            Object o{Object::Brush, {}, {b.u32(r + 12), b.u32(r + 16), b.u32(r + 20)}, {}};
            if (b.u32(r + 8) == 0 || b.u32(r + 8) >= header.handles)
                p.fail("brush slot outside the handle table");
            p.create(b.u32(r + 8), o);
            break;
        }
        case emr::EXTCREATEFONTINDIRECTW: {
            if (size < 12 + 92) p.fail("font record too short for a LOGFONTW");
            const std::size_t lf = r + 12;
            Object o{Object::Font, {}, {}, {}};
            o.font.height = b.i32(lf);
            o.font.escapement = b.i32(lf + 8);
            o.font.orientation = b.i32(lf + 12);
            o.font.weight = b.i32(lf + 16);
            o.font.italic = b.u8(lf + 20);
            o.font.charSet = b.u8(lf + 23);
            o.font.outPrecision = b.u8(lf + 24);
            o.font.pitchAndFamily = b.u8(lf + 27);
            o.font.face = trimNul(utf16At(b, lf + 28, 32));
            if (b.u32(r + 8) == 0 || b.u32(r + 8) >= header.handles)
                p.fail("font slot outside the handle table");
            p.create(b.u32(r + 8), o);
            break;
        }
        case emr::SELECTOBJECT:
            p.select(b.u32(r + 8));
            break;
        case emr::DELETEOBJECT:
            p.remove(b.u32(r + 8));
            break;
        case emr::SETTEXTCOLOR:
            p.dc.textColor = b.u32(r + 8);
            break;
        case emr::SETBKCOLOR:
            p.dc.backgroundColor = b.u32(r + 8);
            break;
        case emr::SETBKMODE:
            p.dc.backgroundMode = b.u32(r + 8);
            break;
        case emr::SETTEXTALIGN:
            p.dc.textAlign = b.u32(r + 8);
            break;
        case emr::SETPOLYFILLMODE:
            p.dc.polyFillMode = b.u32(r + 8);
            break;
        case emr::SETSTRETCHBLTMODE:
            break;
        case emr::SAVEDC:
            p.save();
            break;
        case emr::RESTOREDC:
            if (b.i32(r + 8) != -1) p.fail("only relative restores are expected");
            p.restore();
            break;
        case emr::INTERSECTCLIPRECT: {
            Drawn& d = p.draw(type);
            d.box = rectAt(b, r + 8);
            ++p.dc.clipRects;
            break;
        }
        case emr::BEGINPATH:
            if (inPath) p.fail("nested path");
            inPath = true;
            break;
        case emr::ENDPATH:
            if (!inPath) p.fail("path ended without a beginning");
            inPath = false;
            break;
        case emr::SELECTCLIPPATH:
            if (inPath) p.fail("clip path selected inside the path");
            ++p.dc.clipPaths;
            break;
        case emr::POLYLINE:
            p.needPen(type);
            drawPoints(type, false);
            break;
        case emr::POLYGON:
            p.needPen(type);
            p.needBrush(type);
            drawPoints(type, false);
            break;
        case emr::POLYPOLYGON:
            if (!inPath) {
                p.needPen(type);
                p.needBrush(type);
            }
            drawPoints(type, true);
            break;
        case emr::ELLIPSE:
        case emr::RECTANGLE: {
            p.needPen(type);
            p.needBrush(type);
            Drawn& d = p.draw(type);
            d.box = rectAt(b, r + 8);
            break;
        }
        case emr::EXTTEXTOUTW: {
            p.needFont(type);
            Drawn& d = p.draw(type);
            d.box = rectAt(b, r + 8);
            d.reference = {b.i32(r + 36), b.i32(r + 40)};
            const std::uint32_t chars = b.u32(r + 44), offString = b.u32(r + 48), offDx = b.u32(r + 72);
            if (offString + chars * 2 > size || (offDx != 0 && offDx + chars * 4 > size))
                p.fail("text or spacing outside the text record");
            d.text = utf16At(b, r + offString, chars);
            if (offDx != 0)
                for (std::uint32_t i = 0; i < chars; ++i)
                    d.dx.push_back(b.i32(r + offDx + 4 * i));
            break;
        }
        case emr::STRETCHDIBITS: {
            Drawn& d = p.draw(type);
            const std::int32_t x = b.i32(r + 24), y = b.i32(r + 28);
            d.box = {x, y, x + b.i32(r + 72), y + b.i32(r + 76)};
            const std::uint32_t offBmi = b.u32(r + 48), cbBmi = b.u32(r + 52), offBits = b.u32(r + 56),
                                cbBits = b.u32(r + 60);
            if (offBmi + cbBmi > size || offBits + cbBits > size) p.fail("bitmap outside its record");
            d.dibWidth = b.i32(r + offBmi + 4);
            d.dibHeight = b.i32(r + offBmi + 8);
            if (b.i32(r + 40) != d.dibWidth || b.i32(r + 44) != d.dibHeight)
                p.fail("source size differs from the DIB");
            const std::size_t stride = (static_cast<std::size_t>(d.dibWidth) * 3 + 3) & ~std::size_t{3};
            if (b.u16(r + offBmi + 14) != 24 || cbBits != stride * static_cast<std::size_t>(d.dibHeight))
                p.fail("unexpected DIB layout");
            d.dibBits = std::string(b.sub(r + offBits, cbBits));
            break;
        }
        default:
            p.fail("unknown record type " + std::to_string(type));
            break;
        }
        at += size;
    }
    if (!sawEof) p.fail("no EOF record");
    if (at != file.size()) p.fail("bytes after the EOF record");
    if (count != header.records) p.fail("header record count differs from the records");
    if (inPath) p.fail("path left open");
    if (b.bad()) p.fail("a read ran past the end");
    return p.result;
}

// ---- WMF ---------------------------------------------------------------------------------------

Playback playWmf(std::string_view file, WmfHeader& header) {
    Player p;
    const Bytes b(file);
    if (b.u32(0) != 0x9AC6CDD7) p.fail("no placeable key");
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= b.u16(i);
    if (checksum != b.u16(20)) p.fail("placeable checksum wrong");
    header.boundingBox = {b.i16(6), b.i16(8), b.i16(10), b.i16(12)};
    header.inch = b.u16(14);
    constexpr std::size_t m = 22;
    if (b.u16(m) != 1 || b.u16(m + 2) != 9 || b.u16(m + 4) != 0x0300) p.fail("bad META header");
    header.sizeWords = b.u32(m + 6);
    header.objects = b.u16(m + 10);
    header.maxRecordWords = b.u32(m + 12);
    if (header.sizeWords * 2 != file.size() - m) p.fail("header size differs from the file");

    // The reader puts each new object in the lowest free slot.
    auto createLowest = [&](Object o) {
        std::uint32_t slot = 0;
        while (p.objects.count(slot) != 0)
            ++slot;
        if (slot >= header.objects) p.fail("more objects alive than the header announces");
        p.create(slot, std::move(o));
    };

    std::size_t at = m + 18;
    std::uint32_t largest = 0;
    bool sawEof = false;
    while (at < file.size() && !sawEof) {
        const std::uint32_t words = b.u32(at);
        const std::uint16_t fn = b.u16(at + 4);
        if (words < 3 || !b.has(at, std::size_t{words} * 2)) {
            p.fail("bad record size at offset " + std::to_string(at));
            break;
        }
        largest = std::max(largest, words);
        p.result.types.push_back(fn);
        const std::size_t r = at + 6; // parameters
        const std::size_t size = std::size_t{words} * 2;
        auto box = [&](std::size_t q) { return Rect{b.i16(q + 6), b.i16(q + 4), b.i16(q + 2), b.i16(q)}; };
        switch (fn) {
        case meta::EOF_:
            sawEof = true;
            break;
        case meta::SETWINDOWORG:
            header.windowOrigin = {b.i16(r + 2), b.i16(r)};
            break;
        case meta::SETWINDOWEXT:
            header.windowExtent = {b.i16(r + 2), b.i16(r)};
            break;
        case meta::CREATEPENINDIRECT:
            createLowest({Object::Pen, {b.u16(r), b.i16(r + 2), b.u32(r + 6)}, {}, {}});
            break;
        case meta::CREATEBRUSHINDIRECT:
            createLowest({Object::Brush, {}, {b.u16(r), b.u32(r + 2), b.u16(r + 6)}, {}});
            break;
        case meta::CREATEFONTINDIRECT: {
            Object o{Object::Font, {}, {}, {}};
            o.font.height = b.i16(r);
            o.font.escapement = b.i16(r + 4);
            o.font.orientation = b.i16(r + 6);
            o.font.weight = b.i16(r + 8);
            o.font.italic = b.u8(r + 10);
            o.font.charSet = b.u8(r + 13);
            o.font.outPrecision = b.u8(r + 14);
            o.font.pitchAndFamily = b.u8(r + 17);
            o.font.face = trimNul(codepage::fromCp1251(b.sub(r + 18, 32)));
            if (size < 6 + 50) p.fail("font record too short");
            createLowest(o);
            break;
        }
        case meta::SELECTOBJECT:
            p.select(b.u16(r));
            break;
        case meta::DELETEOBJECT:
            p.remove(b.u16(r));
            break;
        case meta::SETTEXTCOLOR:
            p.dc.textColor = b.u32(r);
            break;
        case meta::SETBKCOLOR:
            p.dc.backgroundColor = b.u32(r);
            break;
        case meta::SETBKMODE:
            p.dc.backgroundMode = b.u16(r);
            break;
        case meta::SETTEXTALIGN:
            p.dc.textAlign = b.u16(r);
            break;
        case meta::SETPOLYFILLMODE:
            p.dc.polyFillMode = b.u16(r);
            break;
        case meta::SETSTRETCHBLTMODE:
            break;
        case meta::SAVEDC:
            p.save();
            break;
        case meta::RESTOREDC:
            if (b.i16(r) != -1) p.fail("only relative restores are expected");
            p.restore();
            break;
        case meta::INTERSECTCLIPRECT: {
            Drawn& d = p.draw(fn);
            d.box = box(r);
            ++p.dc.clipRects;
            break;
        }
        case meta::POLYLINE:
        case meta::POLYGON: {
            p.needPen(fn);
            if (fn == meta::POLYGON) p.needBrush(fn);
            Drawn& d = p.draw(fn);
            const std::int16_t n = b.i16(r);
            if (6 + 2 + std::size_t(n) * 4 > size) p.fail("points run past their record");
            for (int i = 0; i < n; ++i)
                d.points.push_back({b.i16(r + 2 + 4 * i), b.i16(r + 4 + 4 * i)});
            break;
        }
        case meta::POLYPOLYGON: {
            p.needPen(fn);
            p.needBrush(fn);
            Drawn& d = p.draw(fn);
            const std::uint16_t polys = b.u16(r);
            std::size_t total = 0;
            for (int i = 0; i < polys; ++i) {
                d.polygonCounts.push_back(b.u16(r + 2 + 2 * i));
                total += d.polygonCounts.back();
            }
            const std::size_t pts = r + 2 + 2 * std::size_t(polys);
            if (pts + total * 4 > at + size) p.fail("points run past their record");
            for (std::size_t i = 0; i < total; ++i)
                d.points.push_back({b.i16(pts + 4 * i), b.i16(pts + 4 * i + 2)});
            break;
        }
        case meta::ELLIPSE:
        case meta::RECTANGLE: {
            p.needPen(fn);
            p.needBrush(fn);
            p.draw(fn).box = box(r);
            break;
        }
        case meta::EXTTEXTOUT: {
            p.needFont(fn);
            Drawn& d = p.draw(fn);
            d.reference = {b.i16(r + 2), b.i16(r)};
            const std::int16_t n = b.i16(r + 4);
            const std::uint16_t options = b.u16(r + 6);
            std::size_t q = r + 8 + ((options & 0x0006) != 0 ? 8 : 0);
            d.text = codepage::fromCp1251(b.sub(q, static_cast<std::size_t>(n)));
            q += (static_cast<std::size_t>(n) + 1) & ~std::size_t{1};
            if (q < at + size) {
                if (q + std::size_t(n) * 2 != at + size) p.fail("spacing array of the wrong length");
                for (int i = 0; i < n; ++i)
                    d.dx.push_back(b.i16(q + 2 * i));
            }
            break;
        }
        case meta::STRETCHDIB: {
            Drawn& d = p.draw(fn);
            d.box = Rect::fromSize(b.i16(r + 20), b.i16(r + 18), b.i16(r + 16), b.i16(r + 14));
            const std::size_t dib = r + 22;
            d.dibWidth = b.i32(dib + 4);
            d.dibHeight = b.i32(dib + 8);
            if (b.i16(r + 8) != d.dibWidth || b.i16(r + 6) != d.dibHeight)
                p.fail("source size differs from the DIB");
            const std::size_t stride = (static_cast<std::size_t>(d.dibWidth) * 3 + 3) & ~std::size_t{3};
            const std::size_t bits = stride * static_cast<std::size_t>(d.dibHeight);
            if (dib + 40 + bits > at + size) p.fail("bitmap outside its record");
            d.dibBits = std::string(b.sub(dib + 40, bits));
            break;
        }
        default:
            p.fail("unknown record function " + std::to_string(fn));
            break;
        }
        at += size;
    }
    if (!sawEof) p.fail("no EOF record");
    if (at != file.size()) p.fail("bytes after the EOF record");
    if (largest != header.maxRecordWords) p.fail("largest record differs from the header");
    if (b.bad()) p.fail("a read ran past the end");
    return p.result;
}

} // namespace metafile

} // namespace tenzora
