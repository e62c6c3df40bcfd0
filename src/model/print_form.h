#pragma once
// Print forms: the layouts of the printed drawing sheet, read from *.pem files.

#include <cstdint>
#include <string>

#include "model/static_array.h"

namespace tenzora {

enum class PrintElemType : std::int32_t {
    Unknown = 0,
    Logo = 1,
    Print = 2,
    PrintVar = 3,
    Line = 4,
    Figure = 5,
    English = 6,
    Picture = 7
};

struct TZPrintFormElem {
    double x = 0, y = 0;          // mm from the page's top-left corner
    double width = 0, height = 0; // mm; LINE: extent along x and y
    std::int32_t type = 0;
    std::int32_t size = 0;      // font height in mm; FIGURE: drawing purpose; PICTURE: photo number
    std::int32_t variable = 0;  // PRINTVAR: variable id
    std::int32_t wrapWidth = 0; // PRINTVAR: characters, 0 = no wrapping
    std::int32_t maxLines = 0;  // PRINTVAR: lines on the sheet, 0 = no limit
    std::int32_t percent = 0;   // FIGURE: size of the drawing's texts in per cent
    std::wstring text;
};

class TZPrintForm : public TZStaticArray<TZPrintFormElem> {
  public:
    double scale = 0.0;   // set by the most recent FIGURE drawn with this form
    bool english = false; // set when an ENGLISH element is drawn
    std::wstring name;    // the file's first line
    std::wstring file;    // the file the form was read from
};

} // namespace tenzora
