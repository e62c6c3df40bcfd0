#pragma once
// The cost estimate of the open project from the firm's price lists: the area part (price per m²
// of the project's ceiling type in the band its billable area falls in), the corner surcharge
// (per corner, in the band of the corner count) and the extra works (an amount per unit, or a
// coefficient on the job cost for a work whose name starts with "%"). Nothing is rounded here;
// figures are rounded only when they are formatted for display.

#include <string>
#include <string_view>

#include "model/pricing_options.h"
#include "model/static_array.h"

namespace tenzora {

class TZCeiling;
class TZPriceFile;

// The band a value falls in: the number of gradations strictly below it. A value equal to a
// gradation therefore belongs to the band that ends there; above the last gradation the band
// index equals the number of gradations.
int bandIndex(const TZStaticArray<double>& steps, double value);
int bandIndex(const TZStaticArray<std::int32_t>& steps, int value);

// The name of a coefficient work starts with this character.
inline constexpr wchar_t kCoefficientWorkMark = L'%';

class CostEstimate {
  public:
    // Reads the document and the price lists; both must outlive the estimate. Changes nothing.
    CostEstimate(const TZCeiling& doc, const TZPriceFile& prices, PricingOptions options = {});

    // The job cost; with `withExtras` the extra works are added to it.
    double jobCost(bool withExtras) const;
    // The sum of the project's extra works priced in the project's city.
    double extrasSum(double base) const;
    // One extra work: the first work of that name in the city's price list, quantity × price,
    // or quantity × (coefficient − 1) × base for a coefficient work; 0 when the city does not
    // price a work of that name.
    double extraWorkCost(std::wstring_view work, double quantity, int city, double base) const;

    // The area billed: the material quantity with the setting on; otherwise the net area plus the
    // material beyond it at the material's offcut price coefficient.
    double billableArea() const;
    // Billable area × the band's price of the project's ceiling row (0 without such a row).
    double areaPart() const;
    // Corners × the band's surcharge, over every corner row of the project's city.
    double cornerPart() const;

  private:
    const TZCeiling& doc_;
    const TZPriceFile& prices_;
    PricingOptions options_;
};

// The price tag a saved project carries in its file header: jobCost(true) with two decimals
// ("0" when it is zero), as single-byte text.
std::string priceTagText(double jobCostWithExtras);

} // namespace tenzora
