#pragma once
// The firm's price lists, kept in price.dat in the program directory: the cities, the area and
// corner-count gradations, and per city the ceiling price rows, the corner surcharges and the
// extra works. Nothing caches the file: whoever needs prices loads a TZPriceFile, uses it and
// drops it.
//
// price.dat (little-endian, no header, no padding; wide strings are UTF-16LE with a 16-bit 0):
//   int32 C, C wide strings                         cities
//   int32 A, A doubles                              areaSteps
//   int32 K, K int32                                cornerSteps
//   int32 P, P × (wide name, int32 city, int32 n, n doubles)   ceilingPrices
//   int32 Q, Q × (int32 city, int32 n, n doubles)               cornerPrices
//   int32 D, D × (wide name, int32 city, double price)          extraWorks

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/static_array.h"
#include "storage/count_limits.h"

namespace tenzora {

// One priced ceiling type in one city. prices[i] is the price per m² of area band i: band 0 up to
// areaSteps[0], band i from areaSteps[i−1] to areaSteps[i], band A above the last step. The list
// may be shorter than A + 1: missing bands count as 0.
struct TZPriceCeil {
    std::wstring name;
    TZStaticArray<double> prices;
    std::int32_t city = 0; // index into cities
};

// The corner surcharge of one city, per corner band (indexed like TZPriceCeil over cornerSteps).
struct TZPriceAngle {
    TZStaticArray<double> prices;
    std::int32_t city = 0;
};

// One extra work offered in one city. A name starting with "%" marks a coefficient applied to the
// job cost instead of an amount.
struct TZPriceDop {
    std::wstring name;
    std::int32_t city = 0;
    double price = 0.0;
};

class TZPriceFile {
  public:
    TZStaticArray<std::wstring> cities;
    TZStaticArray<double> areaSteps;
    TZStaticArray<std::int32_t> cornerSteps;
    TZStaticArray<TZPriceCeil> ceilingPrices;
    TZStaticArray<TZPriceAngle> cornerPrices;
    TZStaticArray<TZPriceDop> extraWorks;

    // Reads price.dat of the program directory. A missing, unreadable or implausibly large file
    // leaves every list empty; a damaged one (a count beyond its limit) keeps what was read before
    // that count. False in all these cases.
    bool load(const std::filesystem::path& programDir);
    // Writes price.dat into the program directory, replacing the old file only once the new one is
    // complete. False when it could not be written (the old file is then untouched).
    bool save(const std::filesystem::path& programDir) const;

    // Parses the bytes of a price file, replacing the lists. Values beyond the end read as 0 and
    // names as empty, so a truncated file gives the rows read so far plus zero-filled ones. A count
    // above its limit ends parsing there (that list and the later ones stay empty): false then.
    bool parse(std::string_view bytes);
    // The bytes of price.dat for the lists.
    std::string serialize() const;
    void clear();
};

namespace priceFile {

inline constexpr wchar_t kFileName[] = L"price.dat";
// A count above this (of any list) is a damaged file: zero-filled rows for an absurd count would
// exhaust memory, and no firm keeps that many cities, gradations or rows.
inline constexpr int kMaxListCount = countLimit(10000, 64);
// The prices of one row: one per band, so one more than the largest number of gradations.
inline constexpr int kMaxPricesPerRow = kMaxListCount + 1;
// Far above any real price file; a larger file is not read.
inline constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

} // namespace priceFile

} // namespace tenzora
