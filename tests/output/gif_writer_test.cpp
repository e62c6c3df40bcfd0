#include <gtest/gtest.h>

#include "output/gif_writer.h"

using namespace tenzora;

#ifdef TENZORA_HAVE_GIFLIB
// The file's own header: signature, logical screen of the picture's size, and a global colour
// table just large enough for the picture's colours.
TEST(GifWriter, HeaderCarriesSizeAndAPaletteFittedToTheColours) {
    Bitmap b;
    b.width = 300;
    b.height = 2;
    for (int i = 0; i < 600; ++i)
        b.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i % 3) * 0x404040u);
    const auto gif = encodeGif(b);
    ASSERT_TRUE(gif.has_value());
    const std::string& f = gif->bytes;
    ASSERT_GT(f.size(), 13u);
    EXPECT_EQ(f.substr(0, 3), "GIF");
    EXPECT_EQ(static_cast<unsigned char>(f[6]) | static_cast<unsigned char>(f[7]) << 8, 300);
    EXPECT_EQ(static_cast<unsigned char>(f[8]) | static_cast<unsigned char>(f[9]) << 8, 2);
    const unsigned char flags = static_cast<unsigned char>(f[10]);
    EXPECT_TRUE(flags & 0x80);  // global colour table present
    EXPECT_EQ(flags & 0x07, 1); // 2^(1+1) = 4 entries for 3 colours
    EXPECT_EQ(f.back(), ';');   // trailer
}
#endif
