#pragma once
// The sheet's variables as the program answers them today. The texts of the variables (the
// order data, sides, canvases, prices …) are still to be written; until then this adapter gives
// every variable its keyword in angle brackets, so that a printed or exported sheet shows where
// each variable goes. The task that writes the variable texts completes text() (and keeps this
// class as the one the print job, the preview and tenzora-cli hand to the sheet).

#include "output/sheet.h"

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
