#pragma once
// "Отчет в Word или Excel": the templates offered for the report, and the report of the chosen
// template — its script written to the temporary folder and handed to the script host.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tenzora {

class TZCeiling;
class Launcher;
struct AppSettings;

// The script host the report script is handed to, with the script and the template as its
// arguments.
inline constexpr wchar_t kScriptHost[] = L"wscript";

// Refuses with the maximum-error message when the measurements are too far off; otherwise scans
// the templates folder afresh into the document's template list and gives the names to offer
// (an empty list when the folder holds none).
bool prepareReportTemplates(TZCeiling& doc, const AppSettings& settings, std::vector<std::wstring>& names);

// The number in the script's name for a time in whole seconds since 1970 (UTC): 0 … 100000.
int reportScriptNumber(std::int64_t secondsSince1970);

// Writes the report script of template `index` as "ex2script" + number + ".js" in the temporary
// folder and hands it to the script host. An index past the list does nothing. Where no script
// host can be started the user is told where the script was written; a script that cannot be
// written is reported too. True when the script host was started.
bool runReport(TZCeiling& doc, const AppSettings& settings, int index, Launcher& launcher,
               const std::filesystem::path& tempFolder, std::int64_t secondsSince1970);

} // namespace tenzora
