#include "output/order_export.h"

#include <optional>

#include "business/estimate.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/settings.h"
#include "output/variable_text.h"
#include "storage/export_file.h"
#include "storage/price_file.h"

namespace tenzora {

namespace {

std::wstring cityName(const TZPriceFile& prices, int city) {
    const std::wstring* name = prices.cities.checkedAt(city);
    return name != nullptr ? *name : std::wstring();
}

std::wstring seamName(const TZCeiling& doc) {
    if (doc.seamFrom == -1 || doc.seamTo == -1) return {};
    return pairName(doc.seamFrom, doc.seamTo);
}

void addLine(std::wstring& text, std::wstring_view label, const std::wstring& value) {
    text += label;
    text += value;
    text += L'\n';
}

} // namespace

std::wstring orderExportText(const TZCeiling& doc, const TZPriceFile& prices, PricingOptions pricing) {
    const CostEstimate estimate(doc, prices, pricing);
    const double materialSum = estimate.jobCost(false);
    std::wstring text;
    addLine(text, L"#Номер заказа:", doc.orderNumber);
    addLine(text, L"#Дата заказа:", doc.orderDate);
    addLine(text, L"#Название заказа:", doc.orderName);
    addLine(text, L"#Клиент:", doc.client); // with its "¬" separators, as stored
    addLine(text, L"#Примечание:", doc.note);
    addLine(text, L"#Город:", cityName(prices, doc.city));
    text += L"#Количество изделий: 1\n";
    addLine(text, L"#Площадь:", formatNumber(netArea(doc), 2, true));
    addLine(text, L"#Периметр:", formatNumber(perimeter(doc), 2, true));
    addLine(text, L"#Гарпун:", harpoonName(doc.harpoon));
    text += L"#Валюта счета: руб.\n";
    text += L"#Курс: 1,000\n";
    addLine(text, L"#Сумма заказа:", formatNumber(estimate.jobCost(true), 2));
    addLine(text, L"#Сумма материала:", formatNumber(materialSum, 2));
    addLine(text, L"#Сумма доп. работ:", formatNumber(estimate.extrasSum(materialSum), 2));
    addLine(text, L"#Тип материала:", doc.ceilingType);
    addLine(text, L"#Количество материала:", formatNumber(doc.materialQuantity, 1));
    addLine(text, L"#Обрезки:", formatNumber(doc.offcuts, 1));
    addLine(text, L"#Направление раскроя:", seamName(doc));
    for (const TZDopRabObject& work : doc.extraWorks) {
        addLine(text, L"#Дополнительная работа:", work.name);
        addLine(text, L"Количество:", formatNumber(work.quantity, 2, true));
        addLine(text, L"Стоимость:",
                formatNumber(estimate.extraWorkCost(work.name, work.quantity, doc.city, materialSum), 2));
    }
    return text;
}

bool exportOrder(TZCeiling& doc, const AppSettings& settings) {
    // The order export is not for dealers: in dealer mode the command does nothing.
    if (settings.dealerMode) return false;
    FileDialogRequest request;
    request.save = true;
    request.filter = orderExport::kFilter;
    request.defaultExtension = orderExport::kExtension;
    request.initialName = doc.orderName;
    request.confirmOverwrite = true;
    const std::optional<std::wstring> path = doc.ui().chooseFile(request);
    if (!path || path->empty()) return false;
    TZPriceFile prices;
    prices.load(doc.programDir()); // without price.dat every cost is 0; the order data still go out
    return writeExportText(doc.ui(), *path, orderExportText(doc, prices, {settings.materialWithTension}));
}

} // namespace tenzora
