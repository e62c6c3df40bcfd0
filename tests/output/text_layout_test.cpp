#include <gtest/gtest.h>

#include <cmath>

#include "platform/approximate_text_measurer.h"
#include "platform/surface.h"
#include "platform/text_layout.h"

using namespace tenzora;

namespace {

// A measurer where every character is exactly 10 pixels wide: layouts can be worked out by hand.
class FixedWidth : public TextMeasurer {
  public:
    FontMetrics metrics(const Font&) const override { return {16, 4, 10}; }
    double advance(const Font&, std::wstring_view text) const override {
        return 10.0 * static_cast<double>(text.size());
    }
};

std::vector<std::wstring> lines(std::wstring_view text, double width) {
    FixedWidth m;
    std::vector<WrappedLine> out;
    wrapText(m, Font{}, text, width, out);
    std::vector<std::wstring> result;
    for (const WrappedLine& l : out)
        result.emplace_back(text.substr(l.start, l.length));
    return result;
}

using Lines = std::vector<std::wstring>;

} // namespace

TEST(WrapText, BreaksBetweenWordsAndDropsTheBlanksAtBreaks) {
    EXPECT_EQ(lines(L"раз два три", 75), (Lines{L"раз два", L"три"}));
    EXPECT_EQ(lines(L"раз   два три", 75), (Lines{L"раз", L"два три"}));
    EXPECT_EQ(lines(L"раз два три", 1000), (Lines{L"раз два три"}));
    EXPECT_EQ(lines(L"  отступ", 1000), (Lines{L"  отступ"})); // leading blanks of a paragraph stay
}

TEST(WrapText, HonoursLineBreaksAndEmptyParagraphs) {
    EXPECT_EQ(lines(L"a\nb\r\nc\rd", 1000), (Lines{L"a", L"b", L"c", L"d"}));
    EXPECT_EQ(lines(L"a\n\nb", 1000), (Lines{L"a", L"", L"b"}));
    EXPECT_EQ(lines(L"a\n", 1000), (Lines{L"a", L""}));
    EXPECT_TRUE(lines(L"", 1000).empty());
}

TEST(WrapText, BreaksAWordWiderThanTheBoxBetweenCharacters) {
    EXPECT_EQ(lines(L"Длинноеслово ок", 50), (Lines{L"Длинн", L"оесло", L"во ок"}));
    // Even a box narrower than one character takes one character per line and ends.
    EXPECT_EQ(lines(L"аб", 3), (Lines{L"а", L"б"}));
    // A box without width wraps nothing.
    EXPECT_EQ(lines(L"раз два", 0), (Lines{L"раз два"}));
}

TEST(TabbedLine, StopsAsOnThePrintedSheet) {
    // Stops at x + printSize(730) and x + printSize(800) on a 2100-pixel page: 1495 and 1638
    // pixels right of the element's x, tab origin 0.
    FixedWidth m;
    std::vector<TabbedPiece> pieces;
    const std::int32_t x = 100;
    const std::int32_t stops[] = {x, x + 1495, x + 1638};
    const std::wstring line = L"Потолок\t12,5\tм²";
    const std::int32_t width = layoutTabbedLine(m, Font{}, line, x, stops, 0, pieces);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].x, 100);
    EXPECT_EQ(pieces[1].x, 1595);
    EXPECT_EQ(pieces[2].x, 1738);
    EXPECT_EQ(line.substr(pieces[2].start, pieces[2].length), L"м²");
    EXPECT_EQ(width, 1738 + 20 - 100);
}

TEST(TabbedLine, SkipsStopsAlreadyPassedAndRepeatsBeyondThem) {
    FixedWidth m; // average character width 10: default stops every 80 pixels
    std::vector<TabbedPiece> pieces;
    const std::int32_t stops[] = {30, 60};
    // "abc" ends exactly on the first stop (30): a stop must lie beyond the text, so the tab goes to 60.
    layoutTabbedLine(m, Font{}, L"abc\td\te", 0, stops, 0, pieces);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].x, 60);
    EXPECT_EQ(pieces[2].x, 80); // past the last stop: the next multiple of 80
    // One stop given: stops repeat at that distance, counted from the tab origin.
    const std::int32_t one[] = {25};
    layoutTabbedLine(m, Font{}, L"a\tb\tccc\td", 5, one, 5, pieces);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[1].x, 30);
    EXPECT_EQ(pieces[2].x, 55);
    EXPECT_EQ(pieces[3].x, 105);
    // Line-break characters are not drawn; empty runs are left out.
    layoutTabbedLine(m, Font{}, L"\tx\r", 0, stops, 0, pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].x, 30);
    EXPECT_EQ(pieces[0].length, 1u);
}

TEST(PlaceText, ReferencePointFollowsAlignmentAndEscapement) {
    const FontMetrics metrics{16, 4, 10};
    // Centred at the top, upright: the baseline starts half the width left, one ascent down.
    TextPlacement p = placeText({100, 50}, kAlignTopCenter, 60, metrics, 0);
    EXPECT_DOUBLE_EQ(p.baselineX, 70);
    EXPECT_DOUBLE_EQ(p.baselineY, 66);
    EXPECT_EQ(p.bounds(), (Rect{70, 50, 130, 70}));
    // Turned by 90° counter-clockwise: the text runs up from the point, its top towards −x.
    p = placeText({100, 50}, kAlignTopLeft, 60, metrics, 900);
    EXPECT_NEAR(p.dirX, 0, 1e-12);
    EXPECT_NEAR(p.dirY, -1, 1e-12);
    EXPECT_EQ(p.bounds(), (Rect{100, -10, 120, 50}));
    // Upside down (a segment drawn right to left without the text-angle rule) and bottom-right.
    p = placeText({100, 50}, {HorizontalAlign::Right, VerticalAlign::Bottom}, 60, metrics, 1800);
    EXPECT_EQ(p.bounds(), (Rect{100, 50, 160, 70}));
    // On the baseline: the cell reaches one ascent up and one descent down.
    p = placeText({0, 100}, {HorizontalAlign::Left, VerticalAlign::Baseline}, 10, metrics, 0);
    EXPECT_EQ(p.bounds(), (Rect{0, 84, 10, 104}));
}

TEST(ApproximateTextMeasurer, IsTahomaLikeAndDeterministic) {
    ApproximateTextMeasurer m;
    Font f;
    f.height = 12; // cell height
    EXPECT_NEAR(m.metrics(f).height(), 12, 1e-9);
    f.height = -10; // em height
    EXPECT_NEAR(m.metrics(f).height(), 12.07, 1e-9);
    f.height = 0; // the default height
    EXPECT_NEAR(m.metrics(f).height(), kDefaultFontHeight, 1e-9);
    f.height = 1'000'000; // bounded
    EXPECT_NEAR(m.metrics(f).height(), kMaxFontHeight, 1e-6);
    f.height = 20;
    EXPECT_DOUBLE_EQ(m.advance(f, L"1111"), m.advance(f, L"0000")); // digits alike
    EXPECT_LT(m.advance(f, L"ii"), m.advance(f, L"ШШ"));
    Font bold = f;
    bold.weight = kWeightBold;
    EXPECT_GT(m.advance(bold, L"АВ"), m.advance(f, L"АВ"));
    std::vector<double> each;
    m.characterAdvances(bold, L"АВ 3", each);
    ASSERT_EQ(each.size(), 4u);
    EXPECT_NEAR(each[0] + each[1] + each[2] + each[3], m.advance(bold, L"АВ 3"), 1e-9);
}
