#pragma once
// Small value types of the drawing surface, in the terms of the Windows graphics device interface
// (GDI) that the drawing rules are written in: device pixels with y growing downwards, colours as
// red/green/blue bytes, pens, brushes and fonts as plain records that are compared by value.
// Nothing here allocates, so the painting routine can build them freely for every primitive.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace tenzora {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;

    constexpr Color() = default;
    constexpr Color(int red, int green, int blue)
        : r(static_cast<std::uint8_t>(red)), g(static_cast<std::uint8_t>(green)),
          b(static_cast<std::uint8_t>(blue)) {}
    constexpr bool operator==(const Color&) const = default;

    // GDI COLORREF: 0x00BBGGRR, the form metafiles store.
    constexpr std::uint32_t colorRef() const { return r | (g << 8) | (static_cast<std::uint32_t>(b) << 16); }
    // Opaque 0xAARRGGBB, the pixel form of Bitmap.
    constexpr std::uint32_t argb() const {
        return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) | (g << 8) | b;
    }
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

struct Point {
    std::int32_t x = 0, y = 0;
    constexpr bool operator==(const Point&) const = default;
};

struct Size {
    std::int32_t width = 0, height = 0;
    constexpr bool operator==(const Size&) const = default;
};

// A GDI rectangle: the right and bottom edges lie just outside it (a 10 × 10 rectangle at the
// origin is {0, 0, 10, 10} and covers pixels 0 … 9). Sizes saturate at the int32 range rather than
// overflow, so rectangles made from extreme coordinates stay harmless.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    static constexpr std::int32_t saturate(std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    }
    static constexpr Rect fromSize(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
        return {x, y, saturate(std::int64_t{x} + w), saturate(std::int64_t{y} + h)};
    }
    constexpr std::int32_t width() const { return saturate(std::int64_t{right} - left); }
    constexpr std::int32_t height() const { return saturate(std::int64_t{bottom} - top); }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    // The same rectangle with left ≤ right and top ≤ bottom.
    constexpr Rect normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    constexpr bool operator==(const Rect&) const = default;
};

// Pen styles with the numbers GDI gives them (PS_SOLID … PS_NULL). A one-pixel pen dashes in
// pixels (dot: 3 on, 3 off; dash: 18 on, 6 off; dash-dot: 9, 6, 3, 6); a wider pen dashes in
// multiples of its width (dot: 1, 1; dash: 3, 1; dash-dot: 3, 1, 1, 1).
enum class PenStyle : std::uint8_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, None = 5 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    std::int32_t width = 1; // device pixels; 0 and 1 both draw one pixel wide
    Color color;
    constexpr bool operator==(const Pen&) const = default;
};

constexpr Pen solidPen(std::int32_t width, Color color) {
    return {PenStyle::Solid, width, color};
}
inline constexpr Pen kNoPen{PenStyle::None, 1, Color{}};

// Hatch patterns with GDI's numbers (HS_HORIZONTAL … HS_DIAGCROSS). Hatches are 8 × 8 pixel
// patterns aligned to the device origin; back-diagonal lines run up to the right ("/"),
// forward-diagonal lines down to the right ("\").
enum class HatchStyle : std::uint8_t {
    Horizontal = 0,
    Vertical = 1,
    ForwardDiagonal = 2,
    BackDiagonal = 3,
    Cross = 4,
    DiagonalCross = 5
};

enum class BrushStyle : std::uint8_t { None, Solid, Hatched };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = kWhite;
    HatchStyle hatch = HatchStyle::Horizontal; // for Hatched only
    constexpr bool operator==(const Brush&) const = default;
};

constexpr Brush solidBrush(Color color) {
    return {BrushStyle::Solid, color, HatchStyle::Horizontal};
}
constexpr Brush hatchBrush(HatchStyle hatch, Color color) {
    return {BrushStyle::Hatched, color, hatch};
}
inline constexpr Brush kNoBrush{BrushStyle::None, kWhite, HatchStyle::Horizontal};

// GDI polygon fill modes: ALTERNATE (even-odd) = 1, WINDING (non-zero) = 2.
enum class FillRule : std::uint8_t { EvenOdd = 1, Winding = 2 };

// A font's face name, held inline like LOGFONT's 32-character field (31 characters and the
// terminator), so that a Font is a plain value without allocation. Longer names are cut.
class FaceName {
  public:
    static constexpr std::size_t kCapacity = 31;

    constexpr FaceName() = default;
    constexpr FaceName(const wchar_t* text) { // NOLINT: implicit from a literal on purpose
        for (std::size_t i = 0; text != nullptr && text[i] != 0 && i < kCapacity; ++i)
            chars_[i] = text[i];
    }
    constexpr explicit FaceName(std::wstring_view text) {
        for (std::size_t i = 0; i < text.size() && i < kCapacity && text[i] != 0; ++i)
            chars_[i] = text[i];
    }
    constexpr std::wstring_view view() const {
        std::size_t n = 0;
        while (n < kCapacity && chars_[n] != 0)
            ++n;
        return {chars_.data(), n};
    }
    constexpr bool operator==(const FaceName&) const = default;

  private:
    std::array<wchar_t, kCapacity + 1> chars_{};
};

inline constexpr wchar_t kTahoma[] = L"Tahoma";

inline constexpr std::int32_t kWeightNormal = 400;
inline constexpr std::int32_t kWeightBold = 700;
inline constexpr std::uint8_t kCharSetAnsi = 0;
inline constexpr std::uint8_t kCharSetDefault = 1;
inline constexpr std::uint8_t kCharSetCyrillic = 204;
inline constexpr std::uint8_t kOutPrecisionTrueTypeOnly = 7; // OUT_TT_ONLY_PRECIS
inline constexpr std::uint8_t kVariablePitchSwiss = 0x22;    // VARIABLE_PITCH | FF_SWISS
// The height GDI gives a font asked for with height 0.
inline constexpr std::int32_t kDefaultFontHeight = 16;
// Fonts asked for taller than this many pixels are made this tall: a mistyped size would
// otherwise have the font engine render glyphs of gigabytes. Larger than any page we print.
inline constexpr std::int32_t kMaxFontHeight = 16384;

// A GDI logical font (LOGFONT) reduced to what the drawing uses.
struct Font {
    FaceName face = kTahoma;
    // GDI's lfHeight: above 0 the cell height (ascent + descent) in pixels, below 0 the character
    // (em) height, 0 the default height.
    std::int32_t height = kDefaultFontHeight;
    std::int32_t weight = kWeightNormal; // 100 … 900; 700 is bold
    // Direction of the baseline in tenths of a degree, counter-clockwise from the +x axis as seen
    // on the output (y down): 900 writes upwards.
    std::int32_t escapement = 0;
    std::uint8_t charSet = kCharSetDefault;
    std::uint8_t outPrecision = 0;   // written to metafiles as given
    std::uint8_t pitchAndFamily = 0; // written to metafiles as given
    bool italic = false;
    constexpr bool operator==(const Font&) const = default;

    // The height with the default applied and bounded by kMaxFontHeight, sign kept.
    constexpr std::int32_t effectiveHeight() const {
        if (height == 0) return kDefaultFontHeight;
        if (height > kMaxFontHeight) return kMaxFontHeight;
        if (height < -kMaxFontHeight) return -kMaxFontHeight;
        return height;
    }
};

// GDI text alignment (SetTextAlign): where the reference point of a text lies on the text's box,
// in the text's own (possibly rotated) frame. Left/Center/Right pick the start, the middle or the
// end of the advance width; Top, Baseline and Bottom the top of the cell (ascent above the
// baseline), the baseline, or the bottom of the cell (descent below it).
enum class HorizontalAlign : std::uint8_t { Left, Center, Right };
enum class VerticalAlign : std::uint8_t { Top, Baseline, Bottom };

struct TextAlign {
    HorizontalAlign horizontal = HorizontalAlign::Left;
    VerticalAlign vertical = VerticalAlign::Top;
    constexpr bool operator==(const TextAlign&) const = default;

    // The TA_* flags: TA_LEFT 0, TA_RIGHT 2, TA_CENTER 6; TA_TOP 0, TA_BOTTOM 8, TA_BASELINE 24.
    constexpr std::uint16_t gdiFlags() const {
        const std::uint16_t h = horizontal == HorizontalAlign::Left    ? 0
                                : horizontal == HorizontalAlign::Right ? 2
                                                                       : 6;
        const std::uint16_t v = vertical == VerticalAlign::Top      ? 0
                                : vertical == VerticalAlign::Bottom ? 8
                                                                    : 24;
        return static_cast<std::uint16_t>(h | v);
    }
};

inline constexpr TextAlign kAlignTopLeft{HorizontalAlign::Left, VerticalAlign::Top};
inline constexpr TextAlign kAlignTopCenter{HorizontalAlign::Center, VerticalAlign::Top};

// GDI background modes (TRANSPARENT = 1, OPAQUE = 2). The background colour fills the cell of
// texts, the gaps of hatches and the gaps of dotted and dashed lines in opaque mode only.
enum class BackgroundMode : std::uint8_t { Transparent = 1, Opaque = 2 };

// Everything that decides how a primitive looks, as selected into a GDI device context. The
// defaults are those of a fresh GDI context, except that the font is Tahoma.
struct DrawState {
    Pen pen;     // black, solid, one pixel
    Brush brush; // solid white
    Font font;
    Color textColor = kBlack;
    Color backgroundColor = kWhite;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    TextAlign textAlign = kAlignTopLeft;
    bool operator==(const DrawState&) const = default;
};

// How a bitmap is stretched into its target rectangle: mirrored left-right and/or top-bottom,
// and blended with a constant opacity (255 = opaque, GDI's AlphaBlend SourceConstantAlpha).
struct BitmapOptions {
    bool mirrorX = false;
    bool mirrorY = false;
    std::uint8_t alpha = 255;
    constexpr bool operator==(const BitmapOptions&) const = default;
};

// What GetDeviceCaps tells about a device: its drawable size in pixels and millimetres, its
// resolution, and whether bitmaps can be copied onto it (RC_STRETCHBLT).
struct DeviceMetrics {
    std::int32_t widthPx = 0, heightPx = 0;
    std::int32_t widthMm = 0, heightMm = 0;
    std::int32_t dpiX = 96, dpiY = 96;
    bool canCopyBitmaps = true;
    constexpr bool operator==(const DeviceMetrics&) const = default;

    constexpr double pixelsPerMmX() const { return dpiX / 25.4; }
    constexpr double pixelsPerMmY() const { return dpiY / 25.4; }
};

// Metrics of a device of the given pixel size at the given resolution (millimetres rounded).
DeviceMetrics deviceMetricsFor(std::int32_t widthPx, std::int32_t heightPx, std::int32_t dpi = 96,
                               bool canCopyBitmaps = true);

} // namespace tenzora
