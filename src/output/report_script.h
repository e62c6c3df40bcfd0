#pragma once
// Office reports: the templates found in the templates folder, and the scripts that fill a
// template with the project's values in the office suite or put a picture into a new document.

#include <filesystem>
#include <functional>
#include <string>

#include "model/static_array.h"
#include "model/word_form.h"

namespace tenzora {

namespace reportScript {
// A value of this many characters or more (after escaping) is replaced in pieces.
inline constexpr std::size_t kLongValue = 255;
inline constexpr std::size_t kPieceLength = 240;
} // namespace reportScript

// The templates folder as used: a relative folder (as the default "templates/") lies below the
// program directory; one leading and one trailing separator are removed before joining.
std::filesystem::path templatesFolderPath(const std::wstring& folderSetting,
                                          const std::filesystem::path& programDir);

// The templates of a folder: every "*.doc*" file, then every "*.xls" file (which, as always on
// the office platform, also finds "*.xlsx"), each group in name order; lock files ("~$…") and
// folders are skipped. A folder that cannot be read gives an empty list.
TZStaticArray<TZWordForm> scanTemplates(const std::filesystem::path& folder);

// Escapes a value for a single-quoted string of the script: backslash, apostrophe, carriage
// return and line feed. The backslash goes first, so that a backslash in a client's name cannot
// turn the following apostrophe into the end of the string.
std::wstring escapeScriptValue(const std::wstring& value);

// The report script (Windows-1251 bytes): the fixed opening, one replacement per report field in
// table order (long values in pieces), the fixed closing. `value(id)` gives a field's text.
std::string buildReportScript(const std::function<std::wstring(int id)>& value);

// The picture script: inserts the picture (second argument) into a new document and either
// saves it as the first argument and quits, or leaves the office suite open.
std::string buildPictureScript(bool saveAndQuit);

// Writes a script file; false when it cannot be written completely.
bool writeScriptFile(const std::filesystem::path& path, const std::string& script);

} // namespace tenzora
