#pragma once
// The texts of the sheet's variables: each of the 41 report fields turns one part of the project
// (order data, client, sides and diagonals, canvases, constructions and cutouts, corner angles,
// material figures, prices, installation time) into text. The printed sheet asks for the text of
// every variable it draws, the office report for every field in table order.

#include <cstdint>
#include <string>
#include <vector>

namespace tenzora {

class TZCeiling;
class TZPrintForm;
struct TZPrintFormElem;
struct AppSettings;

// The harpoon's name as the project dialog lists it ("Отсутствует", "Видимый", "Невидимый").
std::wstring harpoonName(std::uint8_t harpoon);

// The text of variable `id` as the element of the form shows it: in the form's language,
// wrapped at the element's width and, when it needs more lines than the element holds, sent to
// `continuation` under its heading while the element says "see next page". An id that names no
// field gives an empty text. The constructions are named by the point indexes their records
// carry (see regenerateWorkingOutline).
std::wstring variableText(TZCeiling& doc, const AppSettings& settings, const TZPrintForm& form,
                          const TZPrintFormElem& element, int id, std::wstring& continuation);

// The value of a field for the office report: no wrapping, no line limit, Russian wording, a
// scale of 0; the continuation is thrown away.
std::wstring reportValue(TZCeiling& doc, const AppSettings& settings, int id);

// SCALE: "1 мм = 2.50 см" for a scale (centimetres of the ceiling per millimetre of the drawing)
// of 1 or more, "1 мм = 5 мм" below.
std::wstring scaleText(double scale, bool english);

} // namespace tenzora
