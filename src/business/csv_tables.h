#pragma once
// The two CSV tables for spreadsheets: the materials base with its stock remainders (the working
// list of the materials dialog) and the client list. ";" separates the fields; nothing is quoted
// or escaped, so a ";" inside a name makes one field more on its row, as spreadsheets have always
// received these tables. Decimal values carry a comma.

#include <optional>
#include <span>
#include <string>

#include "business/client_scan.h"
#include "model/static_array.h"
#include "storage/material.h"

namespace tenzora {

class UiServices;

// The materials table: a header, then every named row in display order (group rows carry their
// own coefficients, width and remainder like material rows).
std::wstring materialsCsvText(const TZStaticArray<Material>& rows);
// The clients table: a header, then every client in list order.
std::wstring clientsCsvText(std::span<const TZClientsList> clients);

// Write the tables (Windows-1251, replacing the file in one piece); false, with the user told, when
// the file could not be written.
bool writeMaterialsCsv(UiServices& ui, const std::wstring& path, const TZStaticArray<Material>& rows);
bool writeClientsCsv(UiServices& ui, const std::wstring& path, std::span<const TZClientsList> clients);

// The save dialog of both tables; none when it was cancelled or the name is empty.
std::optional<std::wstring> chooseCsvFile(UiServices& ui);

namespace csvTables {
inline constexpr wchar_t kFilter[] = L"Файлы CSV (поддерживаются всеми электронными таблицами)|*.csv|";
inline constexpr wchar_t kExtension[] = L"csv";
inline constexpr wchar_t kMaterialsHeader[] =
    L"Группа;Материал/цвет;Коэффициент натяжения;Коэффициент лишнего материала;Ширина;Остаток на складе\n";
inline constexpr wchar_t kClientsHeader[] =
    L"Клиент;Телефон;ИНН;КПП;Адрес;Расчетный счет;Кол-во заказов;Сумма\n";
} // namespace csvTables

} // namespace tenzora
