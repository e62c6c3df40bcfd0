#pragma once
// The two sides of the project layout (project_head.h, project_image.cpp): ImageWriter stores
// each field the layout names, ImageReader reads it back. Both take the field's number in the
// file for the top-level fields and no number for the members of a list item. A reader stops for
// good at a count beyond its limit (a damaged image) or after its last wanted field; every field
// after that keeps the value it had.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "model/polygon.h"
#include "model/view_transform.h"
#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/material.h"

namespace tenzora {

// How a reader treats lists: parsed item by item, or skipped by their counts (the scans, which
// want only the fields around them).
enum class ListReading { Parse, Skip };

namespace imageIo {

// The item type of a list.
template <class List> using ItemOf = std::remove_cvref_t<decltype(*std::declval<List&>().begin())>;

// The bytes one item of a fixed-size list takes, found by walking the item's description.
struct ItemSize {
    std::size_t bytes = 0;
    constexpr void flag(bool) { bytes += 1; }
    constexpr void flag(std::uint8_t) { bytes += 1; }
    constexpr void byte(std::uint8_t) { bytes += 1; }
    constexpr void lowByte(std::int32_t) { bytes += 1; }
    constexpr void int32(std::int32_t) { bytes += 4; }
    constexpr void real(double) { bytes += 8; }
    constexpr void point(const Vertex&) { bytes += 16; }
};

template <class Item, class Describe> constexpr std::size_t itemBytes(Describe describe) {
    Item item{};
    ItemSize size;
    describe(size, item);
    return size.bytes;
}

// Stores the members of list items of a fixed size into room made for the whole list at once,
// so that a long list costs no more than its stores.
struct RawWriter {
    std::uint8_t* at;
    void flag(bool v) { byte(v ? 1 : 0); }
    void flag(std::uint8_t v) { byte(v != 0 ? 1 : 0); }
    void byte(std::uint8_t v) { *at++ = v; }
    void lowByte(std::int32_t v) { byte(static_cast<std::uint8_t>(v & 0xFF)); }
    void int32(std::int32_t v) { put(static_cast<std::uint32_t>(v)); }
    void real(double v) { put(std::bit_cast<std::uint64_t>(v)); }
    void point(const Vertex& v) {
        real(v.x);
        real(v.y);
    }
    template <class T> void put(T v) {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(at, &v, sizeof v);
        } else {
            for (std::size_t i = 0; i < sizeof v; ++i)
                at[i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
        at += sizeof v;
    }
};

// Emptying a list before it is read. The outline's `defined` flag is stored after the count, so
// a count beyond its limit must leave it as it was.
template <class List> void emptyList(List& l) {
    l.clear();
}
inline void emptyList(CPolygon& p) {
    const bool defined = p.defined;
    p.clear();
    p.defined = defined;
}

} // namespace imageIo

// ---- writing -------------------------------------------------------------------------------------

// Appends fields to a stream. Numbers go straight into the stream's block, texts are encoded
// there without a copy in between; the block grows as TZDynamicMemory::writeBytes grows it.
class ImageWriter {
  public:
    explicit ImageWriter(TZDynamicMemory& s) : s_(s) {}

    // List items and record members.
    void flag(bool v) { byte(v ? 1 : 0); }
    void flag(std::uint8_t v) { byte(v != 0 ? 1 : 0); }
    void byte(std::uint8_t v) { put(v); }
    // A counter stored as its low byte.
    void lowByte(std::int32_t v) { byte(static_cast<std::uint8_t>(v & 0xFF)); }
    void int32(std::int32_t v) { put(static_cast<std::uint32_t>(v)); }
    void real(double v) { put(std::bit_cast<std::uint64_t>(v)); }
    void point(const Vertex& v) {
        real(v.x);
        real(v.y);
    }
    // Single-byte text: Windows-1251, ended by the first 0. A character that Windows-1251 cannot
    // hold is written as "?"; this applies to photo paths too: such a path is stored with "?" in
    // its place and the photo is then not found when the project is opened again (the file has no
    // room for another encoding).
    void text(const std::wstring& v) {
        std::uint8_t* out = s_.appendRoom(v.size() + 1);
        if (!out) return;
        std::size_t n = 0;
        for (wchar_t ch : v) {
            const int b = codepage::encode1251(ch);
            if (b == 0) break;
            out[n++] =
                b < 0 ? static_cast<std::uint8_t>(codepage::kReplacement1251) : static_cast<std::uint8_t>(b);
        }
        out[n++] = 0;
        s_.commitAppend(n);
    }
    void text(std::string_view bytes) { s_.writeString(bytes); }
    void wideText(const std::wstring& v) { s_.writeWideString(v); }
    void materialName(const Material& m) {
        s_.writeString(std::string_view(m.name).substr(0, Material::kNameField - 1));
    }
    // A list: its count, then every item.
    template <class List, class Item> void list(List& l, int /*limit*/, Item item) {
        int32(l.count());
        items(l, item);
    }

    // Top-level fields: the number is only a reader's concern.
    void flag(int, bool v) { flag(v); }
    void flag(int, std::uint8_t v) { flag(v); }
    void byte(int, std::uint8_t v) { byte(v); }
    void int32(int, std::int32_t v) { int32(v); }
    void real(int, double v) { real(v); }
    void point(int, const Vertex& v) { point(v); }
    void text(int, const std::wstring& v) { text(v); }
    void text(int, std::string_view v) { text(v); }
    void wideText(int, const std::wstring& v) { wideText(v); }
    void materialName(int, const Material& m) { materialName(m); }
    void reference(int, std::int32_t v, int /*count*/) { int32(v); }
    // A member held as a double and stored as a whole number, truncated toward zero.
    void wholeNumber(int, double v) { int32(toPixel(std::trunc(v))); }
    // A single-precision scale, widened.
    void scale(int, float v) { real(static_cast<double>(v)); }
    void reserved32(int) { int32(0); }
    void reservedReal(int) { real(0.0); }
    template <class List, class Item> void list(int, List& l, int limit, Item item) { list(l, limit, item); }
    template <class List, class AfterCount, class Item>
    void list(int n, List& l, int /*limit*/, AfterCount afterCount, Item item) {
        int32(l.count());
        afterCount(*this, n + 1);
        items(l, item);
    }
    // One value per item of a list stored earlier, without a count.
    template <class List, class Item> void each(int, List& l, Item item) {
        for (auto& e : l)
            item(*this, e);
    }
    // A 1-based index into a list, 0 for none. Returns whether a reader set it (never here).
    bool oneBasedIndex(int, std::int32_t v, int count) {
        int32(v >= 0 && v < count ? v + 1 : 0);
        return false;
    }
    // Reading only: a member reset when the reader reaches the field, and the end of the
    // previous format.
    void resetWhenRead(int, std::int32_t&, std::int32_t) {}
    void previousFormatEnd() {}

  private:
    // Items of a plain type (no texts, no lists: a fixed size) are stored into room made for the
    // whole list; the others one member at a time.
    template <class List, class Item> void items(List& l, Item& item) {
        using Element = imageIo::ItemOf<List>;
        if constexpr (std::is_trivially_copyable_v<Element> && std::is_empty_v<Item>) {
            if (l.count() == 0) return;
            constexpr std::size_t kItemBytes = imageIo::itemBytes<Element>(Item{});
            std::uint8_t* out = s_.appendRoom(kItemBytes * static_cast<std::size_t>(l.count()));
            if (!out) return;
            imageIo::RawWriter raw{out};
            for (auto& e : l)
                item(raw, e);
            s_.commitAppend(static_cast<std::size_t>(raw.at - out));
        } else {
            for (auto& e : l)
                item(*this, e);
        }
    }

    template <class T> void put(T v) {
        std::uint8_t* out = s_.appendRoom(sizeof v);
        if (!out) return;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out, &v, sizeof v);
        } else {
            for (std::size_t i = 0; i < sizeof v; ++i)
                out[i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
        s_.commitAppend(sizeof v);
    }

    TZDynamicMemory& s_;
};

// ---- reading ---------------------------------------------------------------------------------------

// Reads fields from a cursor with the stream's reading rules (TZDynamicMemory, or the scans'
// ImageCursor over bytes in place): a value beyond the end reads as 0 and a text without its
// terminator as none.
template <class Cursor, ListReading kLists = ListReading::Parse> class ImageReader {
  public:
    // Reads fields up to `lastField` (the whole image by default).
    explicit ImageReader(Cursor& c, int lastField = std::numeric_limits<int>::max())
        : c_(c), last_(lastField) {}

    // A count beyond its limit was met: the image is damaged there.
    bool damaged() const { return damaged_; }
    // The image ended right after the extra works: the previous file format.
    bool previousFormat() const { return previousFormat_; }

    // List items and record members.
    void flag(bool& v) { v = c_.readByte() != 0; }
    void flag(std::uint8_t& v) { v = c_.readByte() != 0 ? 1 : 0; }
    void byte(std::uint8_t& v) { v = c_.readByte(); }
    void lowByte(std::int32_t& v) { v = c_.readByte(); }
    void int32(std::int32_t& v) { v = c_.readInt32(); }
    void real(double& v) { v = c_.readDouble(); }
    void point(Vertex& v) {
        v.x = c_.readDouble();
        v.y = c_.readDouble();
    }
    // A text read as none becomes empty.
    void text(std::wstring& v) {
        const auto bytes = c_.readString();
        if (bytes)
            v = codepage::fromCp1251(*bytes);
        else
            v.clear();
    }
    void text(std::string& v) {
        const auto bytes = c_.readString();
        if (bytes)
            v.assign(bytes->data(), bytes->size());
        else
            v.clear();
    }
    void wideText(std::wstring& v) { v = c_.readWideString().value_or(L""); }
    // The material name alone keeps its previous text when it reads as none; it is cut to what
    // its fixed field holds.
    void materialName(Material& m) {
        if (const auto bytes = c_.readString()) m.setName(std::string(*bytes));
    }
    template <class List, class Item> void list(List& l, int limit, Item item) {
        if constexpr (kLists == ListReading::Skip) {
            int n = 0;
            if (!readCount(limit, n)) return;
            c_.skip(static_cast<std::size_t>(n) * imageIo::itemBytes<imageIo::ItemOf<List>>(item));
        } else {
            imageIo::emptyList(l);
            int n = 0;
            if (!readCount(limit, n)) return;
            readItems(l, n, item);
        }
    }

    // Top-level fields.
    void flag(int f, bool& v) {
        if (open(f)) flag(v);
    }
    void flag(int f, std::uint8_t& v) {
        if (open(f)) flag(v);
    }
    void byte(int f, std::uint8_t& v) {
        if (open(f)) byte(v);
    }
    void int32(int f, std::int32_t& v) {
        if (open(f)) int32(v);
    }
    void real(int f, double& v) {
        if (open(f)) real(v);
    }
    void point(int f, Vertex& v) {
        if (open(f)) point(v);
    }
    template <class Text> void text(int f, Text& v) {
        if (open(f)) text(v);
    }
    void wideText(int f, std::wstring& v) {
        if (open(f)) wideText(v);
    }
    void materialName(int f, Material& m) {
        if (open(f)) materialName(m);
    }
    // An index into a list: the element when 0 <= i < count, otherwise none (−1).
    void reference(int f, std::int32_t& v, int count) {
        if (!open(f)) return;
        const std::int32_t i = c_.readInt32();
        v = (i >= 0 && i < count) ? i : -1;
    }
    void wholeNumber(int f, double& v) {
        if (open(f)) v = static_cast<double>(c_.readInt32());
    }
    // Narrowed to single precision. A value that is not a positive finite number (a damaged file)
    // would make every view transform divide by zero, so it reads as 1.
    void scale(int f, float& v) {
        if (!open(f)) return;
        const double d = c_.readDouble();
        if (!(d > 0) || !std::isfinite(d) || d > std::numeric_limits<float>::max() ||
            d < std::numeric_limits<float>::min())
            v = 1.0f;
        else
            v = static_cast<float>(d);
    }
    void reserved32(int f) {
        if (open(f)) c_.readInt32();
    }
    void reservedReal(int f) {
        if (open(f)) c_.readDouble();
    }
    // A count (field f) and its items (field f + 1).
    template <class List, class Item> void list(int f, List& l, int limit, Item item) {
        if (!open(f)) return;
        if constexpr (kLists == ListReading::Skip) {
            int n = 0;
            if (!readCount(limit, n) || !open(f + 1)) return;
            c_.skip(static_cast<std::size_t>(n) * imageIo::itemBytes<imageIo::ItemOf<List>>(item));
        } else {
            imageIo::emptyList(l);
            int n = 0;
            if (!readCount(limit, n) || !open(f + 1)) return;
            readItems(l, n, item);
        }
    }
    // A count (field f), a field stored after it (f + 1) and the items (f + 2).
    template <class List, class AfterCount, class Item>
    void list(int f, List& l, int limit, AfterCount afterCount, Item item) {
        if (!open(f)) return;
        if constexpr (kLists == ListReading::Parse) imageIo::emptyList(l);
        int n = 0;
        if (!readCount(limit, n)) return;
        afterCount(*this, f + 1);
        if (!open(f + 2)) return;
        if constexpr (kLists == ListReading::Skip)
            c_.skip(static_cast<std::size_t>(n) * imageIo::itemBytes<imageIo::ItemOf<List>>(item));
        else
            readItems(l, n, item);
    }
    template <class List, class Item> void each(int f, List& l, Item item) {
        if (!open(f)) return;
        for (auto& e : l)
            item(*this, e);
    }
    // A 1-based index into a list; true when it names an element (which `v` then holds, 0-based).
    // Otherwise `v` keeps its value.
    bool oneBasedIndex(int f, std::int32_t& v, int count) {
        if (!open(f)) return false;
        const std::int32_t k = c_.readInt32();
        if (k < 1 || k > count) return false;
        v = k - 1;
        return true;
    }
    void resetWhenRead(int f, std::int32_t& v, std::int32_t value) {
        if (open(f)) v = value;
    }
    // Right after the extra works: an image that ends here is of the previous format.
    void previousFormatEnd() {
        if (!stopped_ && c_.atEnd()) previousFormat_ = true;
    }

  private:
    bool open(int field) {
        if (stopped_) return false;
        if (field > last_) stopped_ = true;
        return !stopped_;
    }
    // A count field; false (and reading stops) when it is above the limit. A negative count is
    // an empty list.
    bool readCount(int limit, int& n) {
        const std::int32_t v = c_.readInt32();
        if (v > limit) {
            stopped_ = damaged_ = true;
            return false;
        }
        n = v > 0 ? v : 0;
        return true;
    }
    // Items appended one by one; an item whose own list is beyond its limit is kept with what was
    // read of it, and reading stops after it.
    template <class List, class Item> void readItems(List& l, int n, Item& item) {
        l.reserveForAppends(n);
        for (int i = 0; i < n; ++i) {
            imageIo::ItemOf<List> e{};
            item(*this, e);
            l.append(std::move(e));
            if (stopped_) return;
        }
    }

    Cursor& c_;
    int last_;
    bool stopped_ = false;
    bool damaged_ = false;
    bool previousFormat_ = false;
};

// The reader of whole project images, undo snapshots and the materials file.
using StreamReader = ImageReader<TZDynamicMemory>;

} // namespace tenzora
