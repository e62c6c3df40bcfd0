#include "storage/price_file.h"

#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

using namespace priceFile;

// The buffer grows in steps of this many bytes while the file is built.
constexpr std::int32_t kGrowBy = 4048;

// A count field: false when it is above the limit (parsing stops); a negative count is none.
bool readCount(TZDynamicMemory& s, int limit, int& count) {
    const std::int32_t n = s.readInt32();
    if (n > limit) return false;
    count = n > 0 ? n : 0;
    return true;
}

bool readPrices(TZDynamicMemory& s, TZStaticArray<double>& prices) {
    int n = 0;
    if (!readCount(s, kMaxPricesPerRow, n)) return false;
    prices.reserveForAppends(n);
    for (int i = 0; i < n; ++i)
        prices.append(s.readDouble());
    return true;
}

void writePrices(TZDynamicMemory& s, const TZStaticArray<double>& prices) {
    s.writeInt32(prices.count());
    for (double p : prices)
        s.writeDouble(p);
}

} // namespace

void TZPriceFile::clear() {
    cities.clear();
    areaSteps.clear();
    cornerSteps.clear();
    ceilingPrices.clear();
    cornerPrices.clear();
    extraWorks.clear();
}

bool TZPriceFile::parse(std::string_view bytes) {
    clear();
    TZDynamicMemory s(kGrowBy);
    if (!s.assign(bytes)) return false;
    int n = 0;

    if (!readCount(s, kMaxListCount, n)) return false;
    cities.reserveForAppends(n);
    for (int i = 0; i < n; ++i)
        cities.append(s.readWideString().value_or(std::wstring()));

    if (!readCount(s, kMaxListCount, n)) return false;
    areaSteps.reserveForAppends(n);
    for (int i = 0; i < n; ++i)
        areaSteps.append(s.readDouble());

    if (!readCount(s, kMaxListCount, n)) return false;
    cornerSteps.reserveForAppends(n);
    for (int i = 0; i < n; ++i)
        cornerSteps.append(s.readInt32());

    if (!readCount(s, kMaxListCount, n)) return false;
    ceilingPrices.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZPriceCeil row;
        row.name = s.readWideString().value_or(std::wstring());
        row.city = s.readInt32();
        const bool complete = readPrices(s, row.prices);
        ceilingPrices.append(std::move(row)); // a row keeps what was read of it
        if (!complete) return false;
    }

    if (!readCount(s, kMaxListCount, n)) return false;
    cornerPrices.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZPriceAngle row;
        row.city = s.readInt32();
        const bool complete = readPrices(s, row.prices);
        cornerPrices.append(std::move(row));
        if (!complete) return false;
    }

    if (!readCount(s, kMaxListCount, n)) return false;
    extraWorks.reserveForAppends(n);
    for (int i = 0; i < n; ++i) {
        TZPriceDop work;
        work.name = s.readWideString().value_or(std::wstring());
        work.city = s.readInt32();
        work.price = s.readDouble();
        extraWorks.append(std::move(work));
    }
    return true;
}

std::string TZPriceFile::serialize() const {
    TZDynamicMemory s(kGrowBy);
    // Room for the whole file at once (a wide character takes at most 4 bytes).
    auto wide = [](const std::wstring& t) { return 4 * t.size() + 2; };
    std::size_t bytes = 24 + 8u * static_cast<std::size_t>(areaSteps.count()) +
                        4u * static_cast<std::size_t>(cornerSteps.count());
    for (const std::wstring& city : cities)
        bytes += wide(city);
    for (const TZPriceCeil& row : ceilingPrices)
        bytes += wide(row.name) + 8 + 8u * static_cast<std::size_t>(row.prices.count());
    for (const TZPriceAngle& row : cornerPrices)
        bytes += 8 + 8u * static_cast<std::size_t>(row.prices.count());
    for (const TZPriceDop& work : extraWorks)
        bytes += wide(work.name) + 12;
    s.reserve(bytes);
    s.writeInt32(cities.count());
    for (const std::wstring& city : cities)
        s.writeWideString(city);
    s.writeInt32(areaSteps.count());
    for (double step : areaSteps)
        s.writeDouble(step);
    s.writeInt32(cornerSteps.count());
    for (std::int32_t step : cornerSteps)
        s.writeInt32(step);
    s.writeInt32(ceilingPrices.count());
    for (const TZPriceCeil& row : ceilingPrices) {
        s.writeWideString(row.name);
        s.writeInt32(row.city);
        writePrices(s, row.prices);
    }
    s.writeInt32(cornerPrices.count());
    for (const TZPriceAngle& row : cornerPrices) {
        s.writeInt32(row.city);
        writePrices(s, row.prices);
    }
    s.writeInt32(extraWorks.count());
    for (const TZPriceDop& work : extraWorks) {
        s.writeWideString(work.name);
        s.writeInt32(work.city);
        s.writeDouble(work.price);
    }
    return std::string(s.bytes());
}

bool TZPriceFile::load(const std::filesystem::path& programDir) {
    clear();
    std::string bytes;
    const ReadStatus status = readWholeFile(programDir / codepage::toPath(kFileName), kMaxFileBytes, bytes);
    if (status == ReadStatus::Empty) return parse({}); // no lists at all
    if (status != ReadStatus::Ok) return false;
    return parse(bytes);
}

bool TZPriceFile::save(const std::filesystem::path& programDir) const {
    return writeFileReplacing(programDir / codepage::toPath(kFileName), serialize());
}

} // namespace tenzora
