#pragma once
// The office report of the open project: the report script with the value of every field.

#include <filesystem>

namespace tenzora {

class TZCeiling;
struct AppSettings;

// Writes the report script for the project (each field's value as the report asks for it: no
// wrapping, no line limit, Russian wording). False when the file cannot be written completely.
bool writeReportScript(TZCeiling& doc, const AppSettings& settings, const std::filesystem::path& path);

} // namespace tenzora
