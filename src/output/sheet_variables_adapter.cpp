#include "output/sheet_variables_adapter.h"

#include "output/report_fields.h"

std::wstring VariableTextsAdapter::text(TZPrintForm&, const TZPrintFormElem&, int id, std::wstring&) {
    (void)doc_;
    (void)settings_;
    const std::string_view keyword = reportFieldKeyword(id);
    if (keyword.empty()) return {};
    return L"<" + std::wstring(keyword.begin(), keyword.end()) + L">";
}
