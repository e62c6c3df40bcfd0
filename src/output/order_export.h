#pragma once
// The order export ("Выгрузка данных проекта"): the open project's order data, figures, prices
// and extra works as a text file of "#Label:value" lines for the firm's order-keeping software.

#include <filesystem>
#include <string>

#include "model/pricing_options.h"

namespace tenzora {

class TZCeiling;
class TZPriceFile;
struct AppSettings;

// The text of the export, lines ending with a line feed. The costs come from the given price
// lists; a city out of their range gives an empty city name.
std::wstring orderExportText(const TZCeiling& doc, const TZPriceFile& prices, PricingOptions pricing = {});

// The window's command: nothing in dealer mode; otherwise asks for the file (cancel ends it), loads
// price.dat of the program directory afresh and writes the export. True when a file was written;
// a failed write is told to the user.
bool exportOrder(TZCeiling& doc, const AppSettings& settings);

namespace orderExport {
inline constexpr wchar_t kFilter[] = L"Текстовые файлы (*.txt)|*.txt|Все файлы(*.*)|*.*|";
inline constexpr wchar_t kExtension[] = L"txt";
} // namespace orderExport

} // namespace tenzora
