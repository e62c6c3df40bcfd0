#pragma once
// The templates offered by "Отчет в Word или Excel" where the reports go through LibreOffice: the
// office suite's own formats beside Word's and Excel's.

#include <filesystem>
#include <string>
#include <vector>

#include "model/static_array.h"
#include "model/word_form.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;

// The templates of a folder: every ".doc…", ".xls…", ".odt", ".ods" and ".rtf" file (the ending in
// any case), in the order of their names. Folders and the lock files of open documents ("~$…" of
// Word and Excel, ".~lock.…#" of LibreOffice) are skipped. A folder that cannot be read gives an
// empty list.
TZStaticArray<TZWordForm> scanOfficeTemplates(const std::filesystem::path& folder);

// The command's first steps: refused with the maximum-error message when the measurements are too
// far off; otherwise the templates folder is scanned afresh (for the script host's formats where
// the reports go to it, for LibreOffice's otherwise) into the document's list and the names to
// offer are given.
bool prepareTemplatesOfReport(TZCeiling& doc, const AppSettings& settings, std::vector<std::wstring>& names);

} // namespace tenzora
