#include "business/estimate.h"

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "storage/price_file.h"

namespace tenzora {

namespace {

template <typename T, typename V> int countStrictlyBelow(const TZStaticArray<T>& steps, V value) {
    int band = 0;
    for (const T& step : steps)
        if (step < value) ++band;
    return band;
}

// prices[i], or 0 when the row has no such entry.
double priceAt(const TZStaticArray<double>& prices, int i) {
    const double* p = prices.checkedAt(i);
    return p ? *p : 0.0;
}

} // namespace

int bandIndex(const TZStaticArray<double>& steps, double value) {
    return countStrictlyBelow(steps, value);
}
int bandIndex(const TZStaticArray<std::int32_t>& steps, int value) {
    return countStrictlyBelow(steps, value);
}

CostEstimate::CostEstimate(const TZCeiling& doc, const TZPriceFile& prices, PricingOptions options)
    : doc_(doc), prices_(prices), options_(options) {}

double CostEstimate::billableArea() const {
    if (options_.materialWithTension) return doc_.materialQuantity;
    const double a = netArea(doc_);
    return a + doc_.material.offcutPriceCoef * (doc_.materialQuantity - a);
}

double CostEstimate::areaPart() const {
    // The first row of the project's city with exactly the project's ceiling type.
    const TZPriceCeil* row = nullptr;
    for (const TZPriceCeil& r : prices_.ceilingPrices) {
        if (r.city == doc_.city && r.name == doc_.ceilingType) {
            row = &r;
            break;
        }
    }
    if (row == nullptr || prices_.areaSteps.empty()) return 0.0;
    const double s = billableArea();
    return s * priceAt(row->prices, bandIndex(prices_.areaSteps, s));
}

double CostEstimate::cornerPart() const {
    if (prices_.cornerSteps.empty()) return 0.0;
    const int n = doc_.polygon.count();
    const int band = bandIndex(prices_.cornerSteps, n);
    double sum = 0.0;
    for (const TZPriceAngle& r : prices_.cornerPrices)
        if (r.city == doc_.city) sum += n * priceAt(r.prices, band);
    return sum;
}

double CostEstimate::jobCost(bool withExtras) const {
    // A city index outside the list is no city: rows left pointing past the end of the list
    // after cities were deleted must not price a project.
    if (doc_.city < 0 || doc_.city >= prices_.cities.count()) return 0.0;
    const double base = areaPart() + cornerPart();
    return withExtras ? base + extrasSum(base) : base;
}

double CostEstimate::extrasSum(double base) const {
    double sum = 0.0;
    for (const TZDopRabObject& work : doc_.extraWorks)
        sum += extraWorkCost(work.name, work.quantity, doc_.city, base);
    return sum;
}

double CostEstimate::extraWorkCost(std::wstring_view work, double quantity, int city, double base) const {
    if (city < 0 || city >= prices_.cities.count()) return 0.0;
    for (const TZPriceDop& offered : prices_.extraWorks) {
        if (offered.city != city || offered.name != work) continue;
        // A coefficient applies to the cost without extras, so coefficient works never compound.
        if (!work.empty() && work.front() == kCoefficientWorkMark)
            return quantity * (offered.price - 1.0) * base;
        return quantity * offered.price;
    }
    return 0.0;
}

std::string priceTagText(double jobCostWithExtras) {
    return formatNumberAscii(jobCostWithExtras, 2);
}

} // namespace tenzora
