#pragma once
// Writing one of the plain-text exports (the order export and the CSV tables): the text is
// converted to Windows-1251 and replaces the file in one piece, so that a failed write never
// leaves an existing file half-written. A failure is told to the user: an export that silently
// did not happen would let the user hand on a file that does not exist or is out of date.

#include <string>
#include <string_view>

namespace tenzora {

class UiServices;

// Writes the text; false, with the user told which file could not be written, on failure.
bool writeExportText(UiServices& ui, const std::wstring& path, std::wstring_view text);

// The message of a failed write.
std::wstring exportWriteFailedText(const std::wstring& path);

} // namespace tenzora
