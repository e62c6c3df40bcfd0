#include "output/sheet_variables_adapter.h"

#include "output/variable_text.h"

namespace tenzora {

std::wstring VariableTextsAdapter::text(TZPrintForm& form, const TZPrintFormElem& element, int id,
                                        std::wstring& continuation) {
    return variableText(doc_, settings_, form, element, id, continuation);
}

} // namespace tenzora
