#pragma once
// The check a project passes when it is opened: every vertex, length and distance it stores is a
// finite number within a kilometre either way. Such a file can only be damaged (no room is a
// kilometre across), and its figures would overflow to infinity and reach the window, the
// estimate and the exports as "nan" or "inf"; it is refused instead, the document left as it was.

#include <optional>
#include <string>

namespace tenzora {

class TZCeiling;

// The first stored value outside the range, described for the message ("вершина 3"); nullopt
// when every value is within it.
std::optional<std::wstring> projectValueOutOfRange(const TZCeiling& doc);

// The message of a refused open.
std::wstring projectValuesRefusalText(const std::wstring& path, const std::wstring& where);

} // namespace tenzora
