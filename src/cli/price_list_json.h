#pragma once
// The price lists of price.dat as JSON and back, for tenzora-cli price-list:
//
//   {"cities": [text…], "areaSteps": [m²…], "cornerSteps": [count…],
//    "ceilings": [{"name", "city", "prices": [per area band…]}…],
//    "corners": [{"city", "prices": [per corner band…]}…],
//    "extraWorks": [{"name", "city", "price"}…]}
//
// Only the standard library and nlohmann-json (header-only) are used, so that the fuzz target of
// the reader builds this file on its own.

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

#include "storage/price_file.h"

namespace tenzora {

namespace cli {

// The members in the order above (an ordered object, so that the text reads as the file is laid out).
nlohmann::ordered_json priceListToJson(const TZPriceFile& prices);

// Reads the price lists from JSON text. Everything is checked before anything is taken: the
// member types, the city indexes, the gradations in the order the price dialogs keep them, the
// list sizes a price file can hold. On refusal `error` names the field ("ceilings[2].city") and
// says what is wrong, and `prices` is left as it was.
bool priceListFromJson(std::string_view text, TZPriceFile& prices, std::string& error);

} // namespace cli

} // namespace tenzora
