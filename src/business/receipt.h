#pragma once
// Receipt files: material put into stock (or written off) is recorded as a short project image
// in a drawing folder, so that the stock scan reads receipts and projects alike. The image ends
// after the offcuts field; its header carries "ADDMATERIAL" where a project has its price.

#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "storage/material.h"

namespace tenzora {

class UiServices;

namespace receipt {
inline constexpr char kHeader[] = "Tenzora file format. Version 1.01. ADDMATERIAL";
// The project name of every receipt.
inline constexpr wchar_t kTitle[] = L"ПОСТУПЛЕНИЕ";
// Characters removed from the material name (and from the date) to make the file name: those
// the original platform forbids in names, and the path separators, so that a name can never
// place the receipt outside the drawing folder.
inline constexpr wchar_t kRemovedCharacters[] = L":|?*<>\"'/\\";
} // namespace receipt

// The receipt image of `quantity` of the material dated `date` (the text as typed): the project
// image layout with every other field zero or empty and every count zero, material quantity
// −quantity. Texts are Windows-1251.
std::string receiptImage(const Material& material, double quantity, const std::wstring& date);

// The file name of a receipt: the material's name and the date with the removed characters taken
// out, joined by "-", with ".tz". None when the name part ends up empty, "." or "..".
std::optional<std::wstring> receiptFileName(const Material& material, const std::wstring& date);

// Writes the receipt into the folder (an existing file of that name is replaced). The user is
// told when the name cannot make a file name or the file cannot be written; the path written,
// or none.
std::optional<std::wstring> writeReceipt(UiServices& ui, const std::wstring& folder, const Material& material,
                                         double quantity, const std::wstring& date);

// The checks of a receipt's date and quantity texts as typed: a date of fewer than two
// characters and a quantity of magnitude up to 0.01 (the leading number of the text, decimal
// point only) are told to the user. The quantity, or none.
std::optional<double> receiptQuantity(UiServices& ui, const std::wstring& quantityText,
                                      const std::wstring& dateText);

// Writes the receipt into the first drawing folder. With no drawing folder set the user is told
// (the receipt would otherwise silently not exist). The path written, or none.
std::optional<std::wstring> recordReceipt(UiServices& ui, std::span<const std::wstring> folders,
                                          const Material& material, double quantity,
                                          const std::wstring& date);

namespace receipt {
inline constexpr wchar_t kCaption[] = L"Tenzora";
inline constexpr wchar_t kEnterDate[] = L"Пожалуйста, укажите дату поступления!";
inline constexpr wchar_t kEnterQuantity[] = L"Пожалуйста, укажите количество материала!";
inline constexpr wchar_t kNoDrawingFolder[] =
    L"Не указана папка с чертежами, куда записывается поступление. Укажите её в настройках программы.";
// A quantity of magnitude up to this is no quantity.
inline constexpr double kMinQuantity = 0.01;
// A receipt date must have at least this many characters.
inline constexpr std::size_t kMinDateLength = 2;
} // namespace receipt

} // namespace tenzora
