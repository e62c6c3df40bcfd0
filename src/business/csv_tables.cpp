#include "business/csv_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/ui_services.h"
#include "storage/codepage.h"
#include "storage/export_file.h"

namespace tenzora {

namespace {

// Beyond this magnitude a value is printed in exponent form, as the dialogs' grids print it: such
// values only come from damaged files, and "%f" would write hundreds of digits.
constexpr double kPrintableMagnitude = 1e15;

// printf "%.Nf" with the decimal point turned into a comma (whole numbers have none).
std::wstring decimalWithComma(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, std::fabs(value) < kPrintableMagnitude ? "%.*f" : "%.*e", decimals,
                  value);
    std::wstring text(buffer, buffer + std::char_traits<char>::length(buffer));
    std::replace(text.begin(), text.end(), L'.', L',');
    return text;
}

void addField(std::wstring& line, const std::wstring& value, wchar_t end = L';') {
    line += value;
    line += end;
}

} // namespace

std::wstring materialsCsvText(const TZStaticArray<Material>& rows) {
    std::wstring text = csvTables::kMaterialsHeader;
    for (const Material& row : rows) {
        if (row.name.empty()) continue;
        const std::wstring name = codepage::fromCp1251(row.name);
        addField(text, row.isGroup ? name : std::wstring());
        addField(text, row.isGroup ? std::wstring() : name);
        addField(text, decimalWithComma(row.tensionCoef, 2));
        addField(text, decimalWithComma(row.offcutPriceCoef, 2));
        addField(text, decimalWithComma(row.width, 0));
        addField(text, decimalWithComma(row.stock, 2), L'\n');
    }
    return text;
}

std::wstring clientsCsvText(std::span<const TZClientsList> clients) {
    std::wstring text = csvTables::kClientsHeader;
    for (const TZClientsList& c : clients) {
        addField(text, c.name);
        addField(text, c.phone);
        addField(text, c.inn);
        addField(text, c.kpp);
        addField(text, c.address);
        addField(text, c.account);
        addField(text, std::to_wstring(c.orderCount));
        addField(text, decimalWithComma(c.priceSum, 0), L'\n');
    }
    return text;
}

bool writeMaterialsCsv(UiServices& ui, const std::wstring& path, const TZStaticArray<Material>& rows) {
    return writeExportText(ui, path, materialsCsvText(rows));
}

bool writeClientsCsv(UiServices& ui, const std::wstring& path, std::span<const TZClientsList> clients) {
    return writeExportText(ui, path, clientsCsvText(clients));
}

std::optional<std::wstring> chooseCsvFile(UiServices& ui) {
    FileDialogRequest request;
    request.save = true;
    request.filter = csvTables::kFilter;
    request.defaultExtension = csvTables::kExtension;
    request.confirmOverwrite = true;
    std::optional<std::wstring> path = ui.chooseFile(request);
    if (path && path->empty()) path.reset();
    return path;
}

} // namespace tenzora
