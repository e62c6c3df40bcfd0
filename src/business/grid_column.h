#pragma once
// A column of one of the data dialogs' grids: its title and its width in grid units.

#include <string>

namespace tenzora {

struct GridColumnSpec {
    const wchar_t* title;
    int width;
};

// A column whose title is computed (price bands).
struct GridColumnTitle {
    std::wstring title;
    int width = 0;
    friend bool operator==(const GridColumnTitle&, const GridColumnTitle&) = default;
};

} // namespace tenzora
