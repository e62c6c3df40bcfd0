#include "output/variable_lists.h"

#include <algorithm>
#include <vector>

#include "business/estimate.h"
#include "cutting/canvas_pieces.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/names.h"
#include "model/print_form.h"
#include "model/records.h"
#include "model/settings.h"
#include "output/installation_time.h"
#include "output/text_wrap.h"
#include "storage/price_file.h"

namespace tenzora {

namespace {

constexpr wchar_t kEntrySeparator[] = L"; ";

std::wstring heading(const TZPrintForm& form, const wchar_t* russian, const wchar_t* english) {
    return form.english ? english : russian;
}

// A list wrapped at the element's width that goes to the continuation page when its lines do
// not fit the element.
std::wstring wrappedList(std::wstring text, const TZPrintForm& form, const TZPrintFormElem& element,
                         const std::wstring& title, std::wstring& continuation) {
    text = trimBlanks(text);
    int breaks = 0;
    wrapText(element, text, breaks);
    moveOverflow(form, element, breaks + 1, title, text, continuation);
    return text;
}

void appendEntry(std::wstring& list, const std::wstring& entry) {
    if (!list.empty()) list += kEntrySeparator;
    list += entry;
}

} // namespace

std::wstring sidesList(const TZCeiling& doc) {
    std::wstring list;
    const int n = doc.polygon.count();
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        const int record = findDiagonal(doc, i, j);
        if (record < 0) continue;
        const Diagonal& side = doc.diagonals.at(record);
        if (!(side.length > 0)) continue;
        appendEntry(list, pairName(side.a, side.b) + L"=" + formatNumber(side.length, 1));
    }
    return list;
}

std::wstring diagonalsList(const TZCeiling& doc) {
    // Each measured pair once, in the order of its smaller then larger index; of several records
    // of one pair the first measured one counts (as the lookup of a pair finds it).
    struct Pair {
        int i, j;
        double length;
    };
    const int n = doc.polygon.count();
    std::vector<Pair> pairs;
    for (const Diagonal& d : doc.diagonals) {
        if (!(d.length > 0) || isSideRecord(doc, d)) continue;
        const int i = std::min(d.a, d.b), j = std::max(d.a, d.b);
        if (i < 0 || j >= n || i == j) continue;
        pairs.push_back({i, j, d.length});
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair& x, const Pair& y) { return x.i != y.i ? x.i < y.i : x.j < y.j; });
    pairs.erase(std::unique(pairs.begin(), pairs.end(),
                            [](const Pair& x, const Pair& y) { return x.i == y.i && x.j == y.j; }),
                pairs.end());
    std::wstring list;
    for (const Pair& p : pairs) {
        // A diagonal across one corner: the corner's name when that corner is a right angle.
        int middle = -1;
        if ((p.i + 2) % n == p.j)
            middle = (p.i + 1) % n;
        else if ((p.j + 2) % n == p.i)
            middle = (p.j + 1) % n;
        if (middle >= 0 && doc.polygon.at(middle).rightAngle)
            appendEntry(list, vertexName(middle) + L" 90°");
        else
            appendEntry(list, vertexName(p.i) + vertexName(p.j) + L"=" + formatNumber(p.length, 1));
    }
    return list;
}

std::wstring sidesText(const TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                       std::wstring& continuation) {
    return wrappedList(sidesList(doc), form, element,
                       heading(form, listHeadings::kSides, listHeadings::kSidesEnglish), continuation);
}

std::wstring diagonalsText(const TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                           std::wstring& continuation) {
    return wrappedList(diagonalsList(doc), form, element,
                       heading(form, listHeadings::kDiagonals, listHeadings::kDiagonalsEnglish),
                       continuation);
}

std::wstring formsText(const TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                       std::wstring& continuation) {
    return wrappedList(formsList(doc), form, element,
                       heading(form, listHeadings::kForms, listHeadings::kFormsEnglish), continuation);
}

std::wstring canvasesText(TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                          std::wstring& continuation) {
    std::wstring text;
    int breaks = 0;
    int listed = 0;
    // Two points per seam line; each pair of neighbouring lines bounds one canvas.
    std::vector<Vertex> references;
    for (int k = 0; k < doc.seamLines.count() - 2; k += 2)
        references.push_back(doc.seamLines.at(k));
    const std::vector<std::wstring> texts = canvasPointTexts(doc, references);
    for (int k = 0; k < doc.seamLines.count() - 2; k += 2) {
        std::wstring points = trimBlanks(texts[static_cast<std::size_t>(k / 2)]);
        if (points.empty()) continue;
        std::wstring piece =
            (form.english ? L"canvas " : L"полотно ") + formatInteger(k / 2 + 1) + L". " + points;
        wrapText(element, piece, breaks);
        text += piece + L"\n\n";
        ++listed;
    }
    // The canvases are set off from each other by an empty line, which the box must hold too.
    moveOverflow(form, element, breaks + 2 * listed - 1,
                 heading(form, listHeadings::kCanvases, listHeadings::kCanvasesEnglish), text, continuation);
    return text;
}

std::wstring anglesText(TZCeiling& doc, const TZPrintForm& form, const TZPrintFormElem& element,
                        std::wstring& continuation) {
    // Each angle is named by its own point: counting the entries instead would give every corner
    // after a left-out one the name of the corner before it.
    std::vector<int> points;
    const std::vector<double> angles = cornerAngleList(doc, &points);
    std::wstring text;
    for (std::size_t k = 0; k < angles.size(); ++k)
        text += vertexName(points[k]) + L"=" + formatNumber(angles[k], 1) + L"°  ";
    int breaks = 0;
    wrapText(element, text, breaks);
    // The angles overflow only when their breaks alone exceed the box's lines.
    moveOverflow(form, element, breaks, heading(form, listHeadings::kAngles, listHeadings::kAnglesEnglish),
                 text, continuation);
    return text;
}

std::wstring extraWorksText(const TZCeiling& doc, const AppSettings& settings, const TZPrintForm& form,
                            const TZPrintFormElem& element, std::wstring& continuation) {
    TZPriceFile prices;
    prices.load(doc.programDir());
    const CostEstimate estimate(doc, prices, {settings.materialWithTension});
    const double base = estimate.jobCost(false);
    std::wstring text;
    for (const TZDopRabObject& work : doc.extraWorks) {
        const bool coefficient = !work.name.empty() && work.name.front() == kCoefficientWorkMark;
        text += (coefficient ? work.name.substr(1) : work.name) + L"\t" +
                (coefficient ? std::wstring() : formatNumber(work.quantity, 2, true)) + L"\t" +
                formatNumber(estimate.extraWorkCost(work.name, work.quantity, doc.city, base), 2) + L"\n";
    }
    // The box is measured as two lines per work less one.
    moveOverflow(form, element, 2 * doc.extraWorks.count() - 1,
                 heading(form, listHeadings::kExtraWorks, listHeadings::kExtraWorksEnglish), text,
                 continuation);
    return text;
}

} // namespace tenzora
