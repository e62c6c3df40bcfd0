// The price.dat reader on any bytes: no crash, leak or unbounded allocation, and whatever it
// reads writes a file that reads back and writes again byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "seeds.h"
#include "storage/price_file.h"

using namespace tenzora;

namespace {

TZPriceFile samplePrices() {
    TZPriceFile p;
    p.cities.append(L"Москва");
    p.cities.append(L"東京");
    p.areaSteps.append(10.0);
    p.areaSteps.append(20.0);
    p.cornerSteps.append(4);
    TZPriceCeil row;
    row.name = L"Матовый белый";
    row.prices.append(450.0);
    row.prices.append(420.0);
    row.prices.append(400.0);
    p.ceilingPrices.append(row);
    TZPriceAngle corners;
    corners.city = 1;
    corners.prices.append(0.0);
    corners.prices.append(150.0);
    p.cornerPrices.append(corners);
    p.extraWorks.append(TZPriceDop{L"Люстра", 0, 500.0});
    p.extraWorks.append(TZPriceDop{L"%Срочность", 1, 1.2});
    return p;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    writeSeeds({{"empty.dat", TZPriceFile{}.serialize()}, {"sample.dat", samplePrices().serialize()}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TZPriceFile prices;
    prices.parse(std::string_view(reinterpret_cast<const char*>(data), size));
    // Whatever was read (all of it, or the part before a count beyond its limit) round-trips.
    const std::string first = prices.serialize();
    TZPriceFile again;
    if (!again.parse(first)) std::abort();
    if (again.serialize() != first) std::abort();
    return 0;
}
