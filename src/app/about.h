#pragma once
// The About window's texts and how it is laid out around the logo: the window is sized to the
// picture, the texts and the button go below it, and the band over the picture opens the
// program's web page.

#include <string>

namespace tenzora {

// The firm the notice names: the firm's name of the settings, or "Сатрон" while none is set.
std::wstring aboutNotice(const std::wstring& printTitle);
// The second information line.
std::wstring aboutInfoLine();

// The program's own web page (a neutral address of the project, no firm's).
inline constexpr wchar_t kProgramWebPage[] = L"https://tenzora.example.org/";

struct AboutRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const AboutRect&, const AboutRect&) = default;
};

struct AboutLayout {
    AboutRect window;  // position on the screen and client size
    AboutRect picture; // the logo (1544)
    AboutRect info;    // the second line (1656)
    AboutRect notice;  // the notice (1542)
    AboutRect ok;
    // Over the picture down to this y the cursor is a hand; a click down to `linkBottom` opens
    // the web page.
    int handBottom = 0;
    int linkBottom = 0;
};

// For a logo of logoWidth × logoHeight pixels, an OK button of its own size and a screen of
// screenWidth × screenHeight.
AboutLayout aboutLayout(int logoWidth, int logoHeight, int buttonWidth, int buttonHeight, int screenWidth,
                        int screenHeight);

} // namespace tenzora
