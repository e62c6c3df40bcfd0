#pragma once
// An extra work chosen for the project (a row of the project information dialog's grid).

#include <string>

namespace tenzora {

struct TZDopRabObject {
    std::wstring name;     // matches a price-file extra work of the project's city
    double quantity = 0.0; // > 0
};

} // namespace tenzora
