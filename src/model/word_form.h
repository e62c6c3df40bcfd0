#pragma once
// A report template found in the templates folder.

#include <cstdint>
#include <string>

namespace tenzora {

struct TZWordForm {
    std::wstring path; // full path
    std::wstring name; // the file name shown in the menu
    std::uint8_t enabled = 1;
};

} // namespace tenzora
