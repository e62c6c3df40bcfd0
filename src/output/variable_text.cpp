#include "output/variable_text.h"

#include <cmath>

#include "business/client_text.h"
#include "business/estimate.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/print_form.h"
#include "model/settings.h"
#include "model/working_outline.h"
#include "output/installation_time.h"
#include "output/report_fields.h"
#include "output/variable_lists.h"
#include "storage/codepage.h"
#include "storage/price_file.h"

namespace tenzora {

namespace {

constexpr double kCentimetresPerMetre = 100.0;
constexpr double kMillimetresPerCentimetre = 10.0;
constexpr double kPerCent = 100.0;
constexpr wchar_t kUnknownFigure[] = L"???";
constexpr wchar_t kDefaultPrintTitle[] = L"Подготовлено программой Tenzora";

// Which language a text is asked in.
struct Wording {
    bool english = false;
    const wchar_t* pick(const wchar_t* russian, const wchar_t* englishText) const {
        return english ? englishText : russian;
    }
};

std::wstring seamOffsetText(double offset) {
    if (offset == 0) return {};
    return (offset > 0 ? L"+" : L"") + formatNumber(offset, 1);
}

std::wstring seamText(const TZCeiling& doc) {
    if (doc.seamFrom < 0 || doc.seamTo < 0) return {};
    if (doc.twoDiagonals)
        return vertexName(doc.seamFrom) + seamOffsetText(doc.seamOffset) + L", " + vertexName(doc.seamFrom2) +
               seamOffsetText(doc.seamOffset2);
    return vertexName(doc.seamFrom) + vertexName(doc.seamTo) + (doc.seamPerpendicular ? L" перп." : L"") +
           seamOffsetText(doc.seamOffset);
}

std::wstring materialQuantityText(const TZCeiling& doc, const AppSettings& settings, Wording w) {
    const double q = doc.materialQuantity;
    if (q == 0) return kUnknownFigure;
    const double area = netArea(doc);
    const double billed = settings.materialWithTension ? q : area + (q - area) * doc.material.offcutPriceCoef;
    return formatNumber(billed, 2) + w.pick(L" м2", L" m2");
}

std::wstring canvasLengthsText(const TZCeiling& doc, Wording w) {
    if (doc.canvasLengthTotal == 0) return kUnknownFigure;
    std::wstring text =
        formatNumber(doc.canvasLengthTotal / kCentimetresPerMetre, 2) + w.pick(L" м (", L" m (");
    bool first = true;
    for (double length : doc.canvasLengths) {
        if (!first) text += L" + ";
        first = false;
        text += formatNumber(length / kCentimetresPerMetre, 2);
    }
    return text + L")";
}

std::wstring materialGroupName(const TZCeiling& doc) {
    for (const Material& m : doc.resources.materialBase)
        if (m.isGroup && m.id == doc.material.groupId) return codepage::fromCp1251(m.name);
    return {};
}

std::wstring cityName(const TZCeiling& doc) {
    TZPriceFile prices;
    prices.load(doc.programDir());
    const std::wstring* name = prices.cities.checkedAt(doc.city);
    return name ? *name : std::wstring();
}

// SUMPRICE, SUMMATERIAL and SUMADDJOB: the estimate from the price file as it is now.
std::wstring priceText(const TZCeiling& doc, const AppSettings& settings, int id) {
    TZPriceFile prices;
    prices.load(doc.programDir());
    const CostEstimate estimate(doc, prices, {settings.materialWithTension});
    switch (id) {
    case field::kSumprice:
        return formatNumber(estimate.jobCost(true), 2);
    case field::kSummaterial:
        return formatNumber(estimate.jobCost(false), 2);
    default:
        return formatNumber(estimate.extrasSum(estimate.jobCost(false)), 2);
    }
}

int workingOutlinePoints(TZCeiling& doc) {
    WorkingOutline outline;
    return buildWorkingOutline(doc, doc.showConstructions, outline);
}

InstallationTime installationOf(TZCeiling& doc) {
    return installationTime(perimeter(doc), cornerAngleList(doc));
}

} // namespace

std::wstring harpoonName(std::uint8_t harpoon) {
    switch (harpoon) {
    case 0:
        return L"Отсутствует";
    case 1:
        return L"Видимый";
    case 2:
        return L"Невидимый";
    default:
        return {}; // a value no dialog can set
    }
}

std::wstring scaleText(double scale, bool english) {
    const Wording w{english};
    std::wstring text = std::wstring(L"1 ") + w.pick(L"мм", L"mm") + L" = ";
    if (scale >= 1) return text + formatNumber(scale, 2) + w.pick(L" см", L" cm");
    return text + formatNumber(scale * kMillimetresPerCentimetre, 0) + w.pick(L" мм", L" mm");
}

std::wstring variableText(TZCeiling& doc, const AppSettings& settings, const TZPrintForm& form,
                          const TZPrintFormElem& element, int id, std::wstring& continuation) {
    const Wording w{form.english};
    const int n = doc.polygon.count();
    switch (id) {
    case field::kNumber:
        return doc.orderNumber;
    case field::kDate:
        return doc.orderDate;
    case field::kName:
        return doc.orderName;
    case field::kColor:
        return codepage::fromCp1251(doc.material.name);
    case field::kLastletter:
        return vertexName(n - 1);
    case field::kSides:
        return sidesText(doc, form, element, continuation);
    case field::kDiagonals:
        return diagonalsText(doc, form, element, continuation);
    case field::kRaskroyline:
        return seamText(doc);
    case field::kSquare:
        return formatNumber(netArea(doc), 2) + w.pick(L" м2", L" m2");
    case field::kObrezki:
        return doc.offcuts > 0 ? formatNumber(doc.offcuts, 2) + w.pick(L" м2", L" m2") : std::wstring();
    case field::kCountcorner:
        return formatInteger(workingOutlinePoints(doc));
    case field::kPerimeter:
        return formatNumber(perimeter(doc), 1) + w.pick(L" м", L" m");
    case field::kKontragent:
        return splitClientText(doc.client).name;
    case field::kPolotna:
        return canvasesText(doc, form, element, continuation);
    case field::kError:
        return formatNumber(displayedError(doc), 3) + L"%";
    case field::kForms:
        return formsText(doc, form, element, continuation);
    case field::kComment:
        return doc.note;
    case field::kAngles:
        return anglesText(doc, form, element, continuation);
    case field::kPrinttitle:
        return settings.printTitle.empty() ? kDefaultPrintTitle : settings.printTitle;
    case field::kSquaremat:
        return materialQuantityText(doc, settings, w);
    case field::kLengthmat:
        return canvasLengthsText(doc, w);
    case field::kMatwidth:
        return doc.material.width > 0
                   ? formatNumber(doc.material.width / kCentimetresPerMetre, 2) + w.pick(L" м", L" m")
                   : std::wstring(kUnknownFigure);
    case field::kWork:
        return installationBreakdown(installationOf(doc));
    case field::kWorktime:
        return installationDuration(installationOf(doc), form.english);
    case field::kScale:
        return scaleText(form.scale, form.english);
    case field::kReduct: {
        const double reduction = (1 - doc.material.tensionCoef) * kPerCent;
        return formatNumber(reduction, 0) + L" % - " + formatNumber(reduction, 0) + L" %";
    }
    case field::kMatgroup:
        return materialGroupName(doc);
    case field::kAnglescount:
        return formatInteger(n);
    case field::kPrice:
        return {};
    case field::kCity:
        return cityName(doc);
    case field::kGarpun:
        return harpoonName(doc.harpoon);
    case field::kSumprice:
    case field::kSummaterial:
    case field::kSumaddjob:
        return priceText(doc, settings, id);
    case field::kAddjob:
        return extraWorksText(doc, settings, form, element, continuation);
    case field::kMaterial:
        return doc.ceilingType;
    case field::kInn:
        return splitClientText(doc.client).inn;
    case field::kKpp:
        return splitClientText(doc.client).kpp;
    case field::kAddress:
        return splitClientText(doc.client).address;
    case field::kRasschet:
        return splitClientText(doc.client).account;
    case field::kPhone:
        return splitClientText(doc.client).phone;
    default:
        return {};
    }
}

std::wstring reportValue(TZCeiling& doc, const AppSettings& settings, int id) {
    const TZPrintForm form;        // Russian, scale 0
    const TZPrintFormElem element; // no wrapping, no line limit
    std::wstring discarded;
    return variableText(doc, settings, form, element, id, discarded);
}

} // namespace tenzora
