#pragma once
// What the grid control asks of the window that owns it. The grid keeps no cell data: it asks
// its owner for every cell it shows and hands every accepted edit back.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace tenzora {

struct GridCell {
    int column = -1;
    int row = -1;
    bool valid() const { return column >= 0 && row >= 0; }
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// What a request for cell data asks for (combinable).
enum GridDataMask : int { kGridText = 1, kGridImage = 2, kGridColours = 4 };

// An RGB colour, 0xRRGGBB.
using GridRgb = std::uint32_t;

struct GridCellRequest {
    GridCell cell;
    int mask = kGridText;
    std::wstring text; // the owner fills the display text
    int image = -1;    // the owner may name an image of the grid's image list
    // The grid paints the current cell in the highlight colours and fixed cells in the button
    // face colour; the owner may set colours of its own instead.
    bool current = false;
    bool fixed = false;
    std::optional<GridRgb> background;
    std::optional<GridRgb> foreground;
};

class GridOwner {
  public:
    virtual ~GridOwner() = default;
    // Get cell data: text, image and colours as the request's mask asks.
    virtual void cellData(GridCellRequest& request) = 0;
    // An edit was accepted: store the text; it may be replaced, and the grid takes it back.
    // False when it could not be stored: the edited cell stays current and keeps its editor.
    virtual bool setCellText(GridCell cell, std::wstring& text) {
        (void)cell;
        (void)text;
        return true;
    }
    // A cell is about to become current; `allow` comes preset and the owner may change it.
    // Owners also learn here that the current row changes.
    virtual void selectCell(GridCell cell, bool& allow) {
        (void)cell;
        (void)allow;
    }
};

} // namespace tenzora
