#pragma once
// The project JSON of tenzora-cli: every part of the document a script may want to read.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace tenzora {

class CTenzoraApp;

namespace cli {
// `fileHeader` is the header string of the file the project was read from (Windows-1251 bytes);
// without it, "file" shows the header the document would be saved with.
nlohmann::json projectJson(CTenzoraApp& app, const std::optional<std::string>& fileHeader = std::nullopt);
} // namespace cli

} // namespace tenzora
