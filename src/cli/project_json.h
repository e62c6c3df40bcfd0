#pragma once
// The project JSON of tenzora-cli: every part of the document a script may want to read.

#include <nlohmann/json.hpp>

class CTenzoraApp;

namespace cli {
nlohmann::json projectJson(CTenzoraApp& app);
}
