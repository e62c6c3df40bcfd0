#pragma once
// The long variables of the sheet: lists that are wrapped and may overflow to the continuation
// page (sides, diagonals, canvases, constructions and cutouts, corner angles, extra works), and
// the texts they are made of.

#include <string>

namespace tenzora {

class TZCeiling;
class TZPrintForm;
struct TZPrintFormElem;
struct AppSettings;

// Headings of the lists on the continuation page, Russian and English.
namespace listHeadings {
inline constexpr wchar_t kSides[] = L"СТОРОНЫ:";
inline constexpr wchar_t kSidesEnglish[] = L"SIDES:";
inline constexpr wchar_t kDiagonals[] = L"ДИАГОНАЛИ:";
inline constexpr wchar_t kDiagonalsEnglish[] = L"DIAGONALS:";
inline constexpr wchar_t kCanvases[] = L"ПОЛОТНА:";
inline constexpr wchar_t kCanvasesEnglish[] = L"canvases:";
inline constexpr wchar_t kForms[] = L"ФОРМЫ:";
inline constexpr wchar_t kFormsEnglish[] = L"FORMS:";
inline constexpr wchar_t kAngles[] = L"УГЛЫ:";
inline constexpr wchar_t kAnglesEnglish[] = L"ANGLES:";
inline constexpr wchar_t kExtraWorks[] = L"ДОПОЛНИТЕЛЬНАЯ РАБОТА:";
inline constexpr wchar_t kExtraWorksEnglish[] = L"ADD WORKS:";
} // namespace listHeadings

// The unwrapped lists.
// "AB=250.0; BC=300.0": every measured side, from each vertex to the next.
std::wstring sidesList(const TZCeiling& doc);
// Every measured diagonal, smaller index first; one that spans a corner marked as a right angle
// is written as that corner's name and " 90°".
std::wstring diagonalsList(const TZCeiling& doc);
// The constructions in list order, then the cutouts, with their distances.
std::wstring formsList(const TZCeiling& doc);

// The variables with their wrapping and overflow.
std::wstring sidesText(const TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                       std::wstring& continuation);
std::wstring diagonalsText(const TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                           std::wstring& continuation);
std::wstring canvasesText(TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                          std::wstring& continuation);
std::wstring formsText(const TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                       std::wstring& continuation);
std::wstring anglesText(TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                        std::wstring& continuation);
// One line per extra work: name, tab, quantity, tab, cost. Not wrapped.
std::wstring extraWorksText(const TZCeiling& doc, const AppSettings& settings, const TZPrintForm& form,
                            const TZPrintFormElem& element, std::wstring& continuation);

} // namespace tenzora
