#pragma once
// Print form files (*.pem): the layout of the printed drawing sheet, one statement per line.

#include <filesystem>
#include <string_view>

#include "model/print_form.h"

namespace tenzora {

class TZCeiling;

namespace printFormFile {
// A field keeps at most this many characters; a line with more fields than this is skipped.
inline constexpr std::size_t kMaxFieldChars = 79;
inline constexpr std::size_t kMaxFields = 20;
// Form files are a few kilobytes; anything far larger is not a form.
inline constexpr std::uintmax_t kMaxFormBytes = 1'000'000;
// The extension of form files in the program directory.
inline constexpr char kExtension[] = ".pem";
} // namespace printFormFile

// Parses the text of a form file into `form` (replacing its contents). False when the form is
// refused: in dealer mode, a FIGURE whose purpose begins with "4" or "5".
bool parsePrintForm(TZPrintForm& form, std::string_view bytes, bool dealerMode);

// Reads and parses one form file; false when it cannot be read completely or is refused.
bool loadPrintForm(TZPrintForm& form, const std::filesystem::path& path, bool dealerMode);

// Replaces the document's print forms by every *.pem file of the program directory that loads,
// in the order of their file names (so the menu is the same on every machine).
void reloadPrintForms(TZCeiling& doc, bool dealerMode);

} // namespace tenzora
