#pragma once
// Project files (.tz): saving and loading the project image to and from disk.

#include <cstdint>
#include <optional>
#include <string>

#include "model/pricing_options.h"

namespace tenzora {

class TZCeiling;

namespace projectFile {
// Files above this size are not projects (a project image is tens of kilobytes).
inline constexpr std::uintmax_t kMaxProjectBytes = 1'000'000;

inline constexpr wchar_t kSaveFilter[] = L"Файлы Tenzora(*.tz)|*.tz|Все файлы(*.*)|*.*|";
inline constexpr wchar_t kOpenFilter[] = L"Файлы Tenzora (*.tz)|*.tz|Все файлы(*.*)|*.*|";
inline constexpr wchar_t kExtension[] = L"tz";
} // namespace projectFile

// Writes the project to the file (replacing it only once the new file is complete). Clears
// `modified`; on failure tells the user, names the file, restores `modified` and returns false.
// The header carries the job cost with extra works, priced from price.dat of the document's
// program directory with the given settings, or else with the program's settings the document
// knows (its defaults when it knows none).
bool saveProject(TZCeiling& doc, const std::wstring& path,
                 std::optional<PricingOptions> pricing = std::nullopt);

// The pricing settings of the program the document belongs to.
PricingOptions pricingOptionsOf(const TZCeiling& doc);

// Reads a project file into the document, after an undo snapshot. A file that is missing, empty,
// above 1,000,000 bytes or reads short is reported to the user and leaves the document unchanged;
// an unrecognised format is reported by the reader. `currentFormat` receives the format flag.
bool loadProject(const std::wstring& path, bool& currentFormat, TZCeiling& doc);

} // namespace tenzora
