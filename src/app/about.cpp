#include "app/about.h"

#include <algorithm>

namespace tenzora {

namespace {
// The texts are never narrower than this, whatever the logo.
constexpr int kMinimumWidth = 400;
constexpr wchar_t kDefaultFirm[] = L"Сатрон";
} // namespace

std::wstring aboutNotice(const std::wstring& printTitle) {
    const std::wstring firm = printTitle.empty() ? kDefaultFirm : printTitle;
    return L"Программа для проектирования и расчёта натяжных потолков.\nИзготовлена для фирмы «" + firm +
           L"».";
}

std::wstring aboutInfoLine() {
    return L"Tenzora 1.0 — сайт программы: " + std::wstring(kProgramWebPage);
}

AboutLayout aboutLayout(int logoWidth, int logoHeight, int buttonWidth, int buttonHeight, int screenWidth,
                        int screenHeight) {
    const int lw = std::max(0, logoWidth);
    const int lh = std::max(0, logoHeight);
    const int w = std::max(lw, kMinimumWidth);
    AboutLayout l;
    l.window = {(screenWidth - w - 10) / 2, (screenHeight - lh - 150) / 2, w + 16, lh + 185};
    l.picture = {lw < w ? (w - lw) / 2 : 5, 5, lw, lh};
    l.info = {5, lh + 15, w, 25};
    l.notice = {5, lh + 40, w, 70};
    l.ok = {(w + 16 - buttonWidth) / 2, lh + 110, buttonWidth, buttonHeight};
    l.handBottom = lh + 10;
    l.linkBottom = lh + 40;
    return l;
}

} // namespace tenzora
