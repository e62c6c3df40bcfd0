#pragma once
// A small drawing that uses every kind of call, shared by the writer tests. With the environment
// variable TENZORA_SURFACE_SAMPLES naming a folder, the tests also leave their pictures there for
// looking at them in another program.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/surface.h"

namespace tenzora {

namespace scene {

inline constexpr std::int32_t kWidth = 400;
inline constexpr std::int32_t kHeight = 300;
inline constexpr Color kScreenFill{233, 233, 233};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kGreen{0, 255, 0};
inline constexpr Color kRed{255, 0, 0};

inline Font boldTahoma(std::int32_t height, std::int32_t escapement = 0) {
    Font f;
    f.height = height;
    f.weight = kWeightBold;
    f.escapement = escapement;
    f.charSet = kCharSetCyrillic;
    return f;
}

// The outline (a square) with one square cutout, as rings.
inline constexpr Point kArea[] = {{50, 50},   {350, 50},  {350, 250}, {50, 250},
                                  {150, 100}, {250, 100}, {250, 200}, {150, 200}};
inline constexpr std::int32_t kAreaRings[] = {4, 4};

inline Bitmap twoPixels() { // red on the left, blue on the right
    Bitmap b;
    b.width = 2;
    b.height = 1;
    b.pixels = {0xFFFF0000u, 0xFF0000FFu};
    return b;
}

inline void draw(Surface& s) {
    s.fillRect({0, 0, kWidth, kHeight}, kWhite);
    s.setBackgroundMode(BackgroundMode::Transparent);
    s.setBrush(solidBrush(kScreenFill));
    s.fillPolygonWithHoles(kArea, kAreaRings, FillRule::Winding);

    s.setPen(solidPen(3, kBlue));
    const Point outline[] = {{50, 50}, {350, 50}, {350, 250}, {50, 250}, {50, 50}};
    s.polyline(outline);

    s.setPen({PenStyle::Dot, 1, kGreen});
    s.line({50, 50}, {350, 250});

    s.setPen(solidPen(1, kGreen));
    s.setBrush(hatchBrush(HatchStyle::BackDiagonal, kGreen));
    const Point canvas[] = {{60, 210}, {140, 210}, {140, 240}, {60, 240}};
    s.polygon(canvas, FillRule::EvenOdd);

    s.setPen(solidPen(1, kBlack));
    s.setBrush(solidBrush(kBlack));
    s.ellipse({47, 47, 53, 53});

    s.setFont(boldTahoma(22));
    s.setTextAlign(kAlignTopCenter);
    s.setTextColor(kBlack);
    s.textOut({200, 30}, L"АВ 300");
    s.setFont(boldTahoma(22, 900));
    s.textOut({370, 150}, L"ВС 200");
    s.setTextColor(kRed);
    s.setFont(boldTahoma(18));
    s.textOut({80, 70}, L"90°");

    // Seam lines clipped to the area (outline minus cutout).
    s.pushClip(kArea, kAreaRings, FillRule::Winding);
    s.setPen(solidPen(1, Color{192, 192, 192}));
    s.line({0, 150}, {400, 150});
    s.popClip();

    s.setPen({PenStyle::DashDot, 4, Color{0, 128, 0}});
    s.line({60, 280}, {340, 280});

    s.setTextColor(kBlack);
    s.setFont(boldTahoma(14));
    s.drawWrappedText({260, 205, 345, 245}, L"Текст в рамке переносится по словам");
    const std::int32_t stops[] = {120, 180};
    s.tabbedTextOut({10, 260}, L"Итого\t12\t34", stops, 0);

    s.drawBitmap(twoPixels(), {10, 10, 40, 25}, BitmapOptions{true, false, 255});
}

inline void keep(const std::string& name, const std::string& bytes) {
    const char* folder = std::getenv("TENZORA_SURFACE_SAMPLES");
    if (folder == nullptr || *folder == 0) return;
    std::ofstream(std::filesystem::path(folder) / name, std::ios::binary) << bytes;
}

} // namespace scene

} // namespace tenzora
