#include "business/receipt.h"

#include <cmath>
#include <string_view>

#include "business/drawing_folders.h"
#include "model/typed_number.h"
#include "model/typed_value.h"

#include "platform/ui_services.h"
#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/image_io.h"
#include "storage/project_head.h"

namespace tenzora {

namespace {

using receipt::kCaption;
constexpr wchar_t kUnusableName[] =
    L"Из названия материала не получается имя файла поступления. Измените название материала.";

std::wstring withoutRemovedCharacters(std::wstring_view text) {
    std::wstring kept;
    for (wchar_t c : text)
        if (std::wstring_view(receipt::kRemovedCharacters).find(c) == std::wstring_view::npos) kept += c;
    return kept;
}

} // namespace

std::string receiptImage(const Material& material, double quantity, const std::wstring& date) {
    ProjectHead head;
    head.orderDate = codepage::toCp1251(date); // the receipt date as typed
    head.orderName = codepage::toCp1251(receipt::kTitle);
    head.material = material;
    head.materialQuantity = -quantity; // a receipt adds to stock
    TZDynamicMemory s;
    s.writeString(receipt::kHeader);
    ImageWriter writer(s);
    visitProjectHead(writer, head);
    return std::string(s.bytes());
}

std::optional<std::wstring> receiptFileName(const Material& material, const std::wstring& date) {
    const std::wstring name = withoutRemovedCharacters(codepage::fromCp1251(material.name));
    if (name.empty() || name == L"." || name == L"..") return std::nullopt;
    return name + L"-" + withoutRemovedCharacters(date) + L".tz";
}

std::optional<std::wstring> writeReceipt(UiServices& ui, const std::wstring& folder, const Material& material,
                                         double quantity, const std::wstring& date) {
    const std::optional<std::wstring> name = receiptFileName(material, date);
    if (!name) {
        ui.exclamation(kUnusableName, kCaption);
        return std::nullopt;
    }
    const std::wstring path =
        folder + std::wstring(1, static_cast<wchar_t>(std::filesystem::path::preferred_separator)) + *name;
    if (!writeFileReplacing(codepage::toPath(path), receiptImage(material, quantity, date))) {
        ui.error(L"Не удалось записать поступление материала в файл «" + path +
                     L"». Проверьте, что папка с чертежами существует и доступна для записи.",
                 kCaption);
        return std::nullopt;
    }
    return path;
}

std::optional<double> receiptQuantity(UiServices& ui, const std::wstring& quantityText,
                                      const std::wstring& dateText) {
    if (dateText.size() < receipt::kMinDateLength) {
        ui.exclamation(receipt::kEnterDate, kCaption);
        return std::nullopt;
    }
    const TypedValue typed = readTypedValue(quantityText, valueRange::kReceiptQuantity, L"Количество",
                                            DecimalComma::Rejected, true);
    if (typed.refused()) {
        ui.exclamation(typed.refusal, kCaption);
        return std::nullopt;
    }
    const double quantity = typed.value;
    if (std::fabs(quantity) <= receipt::kMinQuantity) {
        ui.exclamation(receipt::kEnterQuantity, kCaption);
        return std::nullopt;
    }
    return quantity;
}

std::optional<std::wstring> recordReceipt(UiServices& ui, std::span<const std::wstring> folders,
                                          const Material& material, double quantity,
                                          const std::wstring& date) {
    const std::wstring folder = firstDrawingFolder(folders);
    if (folder.empty()) {
        ui.exclamation(receipt::kNoDrawingFolder, kCaption);
        return std::nullopt;
    }
    return writeReceipt(ui, folder, material, quantity, date);
}

} // namespace tenzora
