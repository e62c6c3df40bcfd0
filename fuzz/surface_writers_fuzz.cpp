// The drawing surfaces take whatever the painting routine and the printed sheet hand them: typed
// names and texts of any length and character, coordinates from any zoom, rings and clips built
// from user geometry, photos of any size. This target plays a byte string as a sequence of
// drawing calls on the EMF writer, the WMF writer and the recording surface at once, and checks
// that both metafiles stay well-formed: every record inside the file, sizes adding up to the
// header's totals, and the end-of-file record last.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "output/emf_writer.h"
#include "output/recording_surface.h"
#include "output/wmf_writer.h"
#include "platform/approximate_text_measurer.h"

using namespace tenzora;

namespace {

// Reads the fuzz input as numbers; past its end everything reads as 0.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t u8() { return at_ < size_ ? data_[at_++] : 0; }
    std::int32_t i32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(u8()) << (8 * i);
        return static_cast<std::int32_t>(v);
    }
    // Small coordinates mostly, extreme ones sometimes.
    std::int32_t coord() {
        const std::uint8_t kind = u8();
        if (kind < 200) return static_cast<std::int32_t>(u8()) * 4 - 100;
        return i32();
    }
    Point point() { return {coord(), coord()}; }
    Color color() { return {u8(), u8(), u8()}; }
    std::wstring text() {
        std::wstring t;
        const std::size_t n = u8() % 40;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t k = u8();
            t.push_back(k < 128   ? static_cast<wchar_t>(k)
                        : k < 200 ? static_cast<wchar_t>(0x400 + k)
                                  : static_cast<wchar_t>(i32() & 0x1FFFFF));
        }
        return t;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::uint32_t le32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + i])) << (8 * i);
    return v;
}

void checkEmf(const std::string& f) {
    if (f.size() < 108 || le32(f, 48) != f.size()) std::abort();
    std::size_t at = 0, records = 0;
    std::uint32_t last = 0;
    while (at < f.size()) {
        if (f.size() - at < 8) std::abort();
        const std::uint32_t size = le32(f, at + 4);
        if (size < 8 || size % 4 != 0 || size > f.size() - at) std::abort();
        last = le32(f, at);
        at += size;
        ++records;
    }
    if (last != 14 || records != le32(f, 52)) std::abort();
}

void checkWmf(const std::string& f) {
    constexpr std::size_t kPlaceable = 22;
    if (f.size() < kPlaceable + 18 || (f.size() - kPlaceable) % 2 != 0) std::abort();
    if (le32(f, kPlaceable + 6) * 2ull != f.size() - kPlaceable) std::abort();
    std::size_t at = kPlaceable + 18;
    std::uint32_t lastFunction = 1;
    while (at < f.size()) {
        if (f.size() - at < 6) std::abort();
        const std::uint64_t size = le32(f, at) * 2ull;
        if (size < 6 || size > f.size() - at) std::abort();
        lastFunction = static_cast<unsigned char>(f[at + 4]) | static_cast<unsigned char>(f[at + 5]) << 8;
        at += size;
    }
    if (lastFunction != 0) std::abort();
}

void play(Input& in, std::vector<Surface*>& surfaces) {
    std::vector<Point> points;
    std::vector<std::int32_t> rings;
    while (!in.done()) {
        const std::uint8_t op = in.u8() % 16;
        points.clear();
        rings.clear();
        if (op == 3 || op == 4 || op == 5 || op == 13) {
            const std::size_t n = in.u8() % 24;
            for (std::size_t i = 0; i < n; ++i)
                points.push_back(in.point());
            const std::size_t r = in.u8() % 5;
            for (std::size_t i = 0; i < r; ++i)
                rings.push_back(static_cast<std::int8_t>(in.u8()));
        }
        const Rect rect{in.coord(), in.coord(), in.coord(), in.coord()};
        const std::wstring text = op >= 6 && op <= 8 ? in.text() : std::wstring();
        Font font;
        Bitmap bitmap;
        if (op == 1) {
            font.face = FaceName(in.text());
            font.height = in.i32() % 5000;
            font.weight = in.u8() * 4;
            font.escapement = in.i32() % 100000;
            font.charSet = in.u8();
        }
        if (op == 10) {
            bitmap.width = in.u8() % 9;
            bitmap.height = in.u8() % 9;
            bitmap.pixels.assign(static_cast<std::size_t>(in.u8() % 81), in.i32());
        }
        const std::int32_t stops[] = {in.coord(), in.coord()};
        const std::uint8_t extra = in.u8();
        const std::int32_t penWidth = in.u8() % 12;
        const Color color = in.color();
        for (Surface* s : surfaces) {
            switch (op) {
            case 0:
                s->setPen({static_cast<PenStyle>(extra % 6), penWidth, color});
                break;
            case 1:
                s->setFont(font);
                break;
            case 2:
                s->setBrush({static_cast<BrushStyle>(extra % 3), color, static_cast<HatchStyle>(extra % 6)});
                break;
            case 3:
                s->polyline(points);
                break;
            case 4:
                s->polygon(points, extra % 2 ? FillRule::Winding : FillRule::EvenOdd);
                break;
            case 5:
                s->fillPolygonWithHoles(points, rings, extra % 2 ? FillRule::Winding : FillRule::EvenOdd);
                break;
            case 6:
                s->textOut(rect.normalized().isEmpty() ? Point{rect.left, rect.top}
                                                       : Point{rect.right, rect.bottom},
                           text);
                break;
            case 7:
                s->tabbedTextOut({rect.left, rect.top}, text, std::span<const std::int32_t>(stops, extra % 3),
                                 rect.right);
                break;
            case 8:
                s->drawWrappedText(rect, text);
                break;
            case 9:
                s->ellipse(rect);
                s->rectangle(rect);
                s->fillRect(rect, color);
                break;
            case 10:
                s->drawBitmap(bitmap, rect, {bool(extra & 1), bool(extra & 2), extra});
                break;
            case 11:
                s->pushClip(rect);
                break;
            case 12:
                s->popClip();
                break;
            case 13:
                s->pushClip(points, rings, FillRule::EvenOdd);
                break;
            case 14:
                s->setTextAlign(
                    {static_cast<HorizontalAlign>(extra % 3), static_cast<VerticalAlign>((extra / 3) % 3)});
                break;
            default:
                s->setBackgroundMode(extra % 2 ? BackgroundMode::Opaque : BackgroundMode::Transparent);
                break;
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TENZORA_FUZZ_SEEDS");
    if (folder == nullptr || *folder == 0) return 0;
    // A pen, a font, a polygon with a hole, a text and a clip: every writer path once.
    const std::vector<std::uint8_t> seed{
        0,  1,  1,   1,    1, 1,  1, 2,   3, 255, 0, 0,  1, 1,  3, 'T', 'a', 'h', 20,  0,
        0,  0,  200, 0x84, 3, 0,  0, 204, 5, 8,   0, 10, 0, 10, 0, 90,  0,   10,  0,   90,
        0,  90, 0,   10,   0, 90, 0, 20,  0, 20,  0, 30, 0, 20, 0, 30,  0,   30,  0,   20,
        0,  30, 2,   4,    4, 6,  0, 50,  0, 50,  0, 1,  0, 1,  5, 200, 201, 'A', '1', 0xB0,
        13, 4,  0,   1,    0, 1,  0, 99,  0, 1,   0, 99, 0, 99, 0, 1,   0,   99,  1,   4};
    std::ofstream(std::filesystem::path(folder) / "surface_calls.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ApproximateTextMeasurer measurer;
    Input in(data, size);
    const std::int32_t width = 1 + (in.u8() << 4), height = 1 + (in.u8() << 4);
    EmfWriter emf(width, height, measurer);
    WmfWriter wmf(width, height, measurer);
    RecordingSurface recording;
    std::vector<Surface*> surfaces{&emf, &wmf, &recording};
    play(in, surfaces);
    checkEmf(emf.finish());
    checkWmf(wmf.finish());
    return 0;
}
