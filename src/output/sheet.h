#pragma once
// The printed drawing sheet: a print form drawn onto a page. Each element of the form is placed
// by millimetres on the page: fixed texts, variable texts (asked of a SheetVariables), lines, the
// drawing fitted into a box, project photos and the logo. Text that does not fit on the sheet
// is collected as the continuation text, which the continuation page prints.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/print_form.h"
#include "platform/surface_types.h"

namespace tenzora {

class Surface;
class TZCeiling;
class ImageCodec;
struct AppSettings;
struct DrawingCache;

// The texts of the sheet's variables. The printed sheet asks for the text of every PRINTVAR it
// draws; the answer may append to `continuation` what does not fit on the sheet.
class SheetVariables {
  public:
    virtual ~SheetVariables() = default;
    virtual std::wstring text(TZPrintForm& form, const TZPrintFormElem& element, int id,
                              std::wstring& continuation) = 0;
};

// A page: its top-left corner on the device, its size in device pixels and in millimetres.
struct SheetPage {
    std::int32_t left = 0, top = 0;
    std::int32_t widthPx = 0, heightPx = 0;
    double widthMm = 0, heightMm = 0;
};

// The page the preview and the export draw on.
inline constexpr double kA4WidthMm = 210.0;
inline constexpr double kA4HeightMm = 297.0;

struct SheetServices {
    const AppSettings& settings;
    SheetVariables& variables;
    ImageCodec* images = nullptr;  // decodes photos not loaded yet; without it they are not drawn
    DrawingCache* cache = nullptr; // reused for the FIGURE when given
};

// Draws the print form at the document's printFormIndex onto the page (an index that names no
// form draws nothing and succeeds). With `firstPage` false everything is drawn into a scratch
// surface: nothing reaches the page, but the variables, the form's scale and English switch and
// the continuation text come out as on the first page. False when an element failed (a FIGURE
// of purpose 4 in dealer mode) or the page has no size.
bool drawSheet(TZCeiling& doc, Surface& surface, std::wstring& continuation, bool firstPage,
               const SheetPage& page, const SheetServices& services);
// The form's elements in their order; the first that fails stops the drawing.
bool drawPrintForm(TZCeiling& doc, TZPrintForm& form, Surface& surface, std::wstring& continuation,
                   bool firstPage, const SheetPage& page, const SheetServices& services);
bool drawPrintElement(TZCeiling& doc, TZPrintForm& form, const TZPrintFormElem& element, Surface& surface,
                      std::wstring& continuation, const SheetPage& page, const SheetServices& services);

// The continuation page: the text in bold Tahoma 5 mm high, word-wrapped into the box 10 mm in
// from the page's top-left corner, 190 mm wide and 277 mm high.
void drawContinuationPage(Surface& surface, std::wstring_view text, const SheetPage& page);

// An element's box in device pixels (for LINE: its start and extent, which may be negative).
Rect elementBox(const TZPrintFormElem& element, const SheetPage& page);

// Where a picture of bmWidth × bmHeight pixels goes when fitted into the box keeping its
// proportions and anchored at the box's top-left corner (empty when it cannot be fitted).
Rect fittedPicture(const Rect& box, std::int32_t bmWidth, std::int32_t bmHeight);

} // namespace tenzora
