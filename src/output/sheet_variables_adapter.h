#pragma once
// The sheet's variables as the program answers them: the texts of the variables (order data,
// sides, canvases, prices …) in the form's wording, wrapped and overflowing to the continuation
// page as the element asks. The print job, the preview and tenzora-cli hand this to the sheet.

#include "output/sheet.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;

class VariableTextsAdapter : public SheetVariables {
  public:
    VariableTextsAdapter(TZCeiling& doc, const AppSettings& settings) : doc_(doc), settings_(settings) {}
    std::wstring text(TZPrintForm& form, const TZPrintFormElem& element, int id,
                      std::wstring& continuation) override;

  private:
    TZCeiling& doc_;
    const AppSettings& settings_;
};

} // namespace tenzora
