#include <gtest/gtest.h>

#include <algorithm>

#include "output/color_quantizer.h"

using namespace tenzora;

TEST(ColorQuantizer, KeepsLargeFlatColoursAndBoundsThePalette) {
    // Half the picture a flat grey, a few red pixels, the rest a 3-channel ramp of many colours.
    std::vector<std::uint32_t> pixels(40000, 0x00E9E9E9u);
    for (std::size_t i = 20000; i < pixels.size(); ++i) {
        const std::uint32_t k = static_cast<std::uint32_t>(i - 20000);
        pixels[i] = ((k * 7) & 0xFF) << 16 | ((k * 3 / 5) & 0xFF) << 8 | ((k / 79) & 0xFF);
    }
    for (std::size_t i = 0; i < 200; ++i)
        pixels[i * 7] = 0x00FF0000u; // 0.5 %: above 1/256
    const QuantizedPicture q = quantizeColors(pixels);
    ASSERT_LE(q.palette.size(), 256u);
    ASSERT_EQ(q.indexes.size(), pixels.size());
    EXPECT_EQ(q.palette[q.indexes[1]], 0x00E9E9E9u);
    EXPECT_EQ(q.palette[q.indexes[0]], 0x00FF0000u);
    double error = 0;
    for (std::size_t i = 20000; i < pixels.size(); ++i) {
        const std::uint32_t a = pixels[i], b = q.palette[q.indexes[i]];
        for (int shift : {16, 8, 0})
            error += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    // 20000 colours spread through the whole cube share about 254 entries: some 6 levels per
    // channel, so errors of about a quarter of 256 / 6 on average.
    EXPECT_LT(error / 20000 / 3, 12);
}

TEST(ColorQuantizer, FewColoursComeOutExactAndSmallPalettesAreHonoured) {
    const std::vector<std::uint32_t> pixels{0x000000u, 0xFFFFFFu, 0x123456u, 0xFFFFFFu};
    const QuantizedPicture q = quantizeColors(pixels);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(q.palette[q.indexes[i]], pixels[i]);
    const QuantizedPicture two = quantizeColors(pixels, 2);
    EXPECT_LE(two.palette.size(), 2u);
    EXPECT_TRUE(quantizeColors({}).indexes.empty());
}
