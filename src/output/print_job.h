#pragma once
// Printing and previewing the printed sheet: the forms offered by "Печать" and "Предварительный
// просмотр", the print job that draws the sheet of the chosen form (and its continuation page)
// on the printer's pages, and the choice between the job and the preview.

#include <functional>
#include <string>
#include <vector>

#include "output/sheet.h"

namespace tenzora {

class TZCeiling;
class PrintTarget;
class PrinterChooser;
struct AppSettings;

inline constexpr wchar_t kErrorStartDoc[] = L"Error StartDoc";
inline constexpr wchar_t kErrorEndPage[] = L"Error EndPage";
inline constexpr wchar_t kErrorEndDoc[] = L"Error EndDoc";

// printMode: what the choice of a form does.
inline constexpr int kPrintModePreview = 0;
inline constexpr int kPrintModePrint = 1;

// Refuses with the maximum-error message when the measurements are too far off; otherwise
// reloads the print forms of the program directory and gives their names to offer (an empty
// list when there is none).
bool preparePrintForms(TZCeiling& doc, const AppSettings& settings, std::vector<std::wstring>& names);

// The name the print queue shows: "Чертёж " and the order name.
std::wstring printDocumentName(const TZCeiling& doc);

enum class PrintStatus {
    Printed, // the document was handed to the printer
    NoSuchForm,
    Cancelled, // the print dialog was cancelled
    Previewed,
    StartFailed,   // "Error StartDoc"
    DrawingFailed, // the sheet refused (a layout drawing in dealer mode); the job was abandoned
    PageFailed,    // "Error EndPage"
    EndFailed,     // "Error EndDoc"
};

struct PrintResult {
    PrintStatus status = PrintStatus::NoSuchForm;
    int pages = 0;
    bool ok() const { return status == PrintStatus::Printed || status == PrintStatus::Previewed; }
};

// The job on an open printer: the sheet of the form at printFormIndex as the first page, drawn
// for the page's pixels and printable millimetres, and the continuation page when the sheet
// leaves text over. Failures of the printer are told with their fixed texts.
PrintResult printSheet(TZCeiling& doc, PrintTarget& target, const SheetServices& sheet);

struct PrintServices {
    const AppSettings& settings;
    SheetVariables& variables;
    ImageCodec* images = nullptr;
    PrinterChooser* printers = nullptr; // the print dialog (print mode)
    std::function<void()> showPreview;  // shows the preview window (preview mode)
};

// The choice of form `formIndex`: in preview mode the preview window shows it; in print mode
// the print dialog is shown and the job printed on the chosen printer.
PrintResult printDrawing(TZCeiling& doc, int mode, int formIndex, PrintServices& services);

} // namespace tenzora
