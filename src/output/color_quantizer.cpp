#include "output/color_quantizer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tenzora {

namespace {

constexpr int kBitsPerChannel = 5; // 32768 bins: small enough to set up quickly for every export
constexpr int kDroppedBits = 8 - kBitsPerChannel;
constexpr std::size_t kBinCount = std::size_t{1} << (3 * kBitsPerChannel);
// At most this share of the palette is kept for exact flat colours; the rest serves the others.
constexpr std::size_t kReservedShareDivisor = 2;

std::size_t binOf(std::uint32_t rgb) {
    const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (r >> kDroppedBits) << (2 * kBitsPerChannel) | (g >> kDroppedBits) << kBitsPerChannel |
           (b >> kDroppedBits);
}

struct Bin {
    std::uint32_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint32_t candidate = 0; // the bin's majority colour, if it has one (majority vote)
    std::uint32_t votes = 0;
    std::uint32_t candidateCount = 0;
    bool reserved = false;
    int reservedIndex = -1;
    int index = -1; // palette entry for the bin's other pixels
};

struct Entry {
    std::size_t bin;
    double count;
    double mean[3];
};

struct Box {
    std::size_t begin, end;
    double sse;
    int axis;
    double mean[3];
};

Box describe(std::vector<Entry>& entries, std::size_t begin, std::size_t end) {
    Box box{begin, end, 0, 0, {0, 0, 0}};
    double n = 0;
    for (std::size_t i = begin; i < end; ++i) {
        n += entries[i].count;
        for (int c = 0; c < 3; ++c)
            box.mean[c] += entries[i].count * entries[i].mean[c];
    }
    for (double& m : box.mean)
        m /= n;
    double spread[3] = {0, 0, 0};
    for (std::size_t i = begin; i < end; ++i)
        for (int c = 0; c < 3; ++c) {
            const double d = entries[i].mean[c] - box.mean[c];
            spread[c] += entries[i].count * d * d;
        }
    box.sse = spread[0] + spread[1] + spread[2];
    box.axis = static_cast<int>(std::max_element(spread, spread + 3) - spread);
    return box;
}

std::uint32_t toRgb(const double mean[3]) {
    auto channel = [](double v) { return static_cast<std::uint32_t>(std::clamp(v + 0.5, 0.0, 255.0)); };
    return channel(mean[0]) << 16 | channel(mean[1]) << 8 | channel(mean[2]);
}

} // namespace

QuantizedPicture quantizeColors(std::span<const std::uint32_t> pixels, std::size_t maxColors) {
    QuantizedPicture out;
    maxColors = std::clamp<std::size_t>(maxColors, 1, 256);
    std::vector<Bin> bins(kBinCount);
    for (std::uint32_t p : pixels) {
        const std::uint32_t rgb = p & 0x00FFFFFFu;
        Bin& b = bins[binOf(rgb)];
        ++b.count;
        b.sum[0] += (rgb >> 16) & 0xFF;
        b.sum[1] += (rgb >> 8) & 0xFF;
        b.sum[2] += rgb & 0xFF;
        if (b.votes == 0) {
            b.candidate = rgb;
            b.votes = 1;
        } else if (rgb == b.candidate) {
            ++b.votes;
        } else {
            --b.votes;
        }
    }
    for (std::uint32_t p : pixels) {
        Bin& b = bins[binOf(p & 0x00FFFFFFu)];
        if ((p & 0x00FFFFFFu) == b.candidate) ++b.candidateCount;
    }

    // Flat colours covering at least 1/maxColors of the picture keep their exact value.
    std::vector<std::size_t> flat;
    for (std::size_t i = 0; i < kBinCount; ++i)
        if (bins[i].count > 0 &&
            static_cast<std::uint64_t>(bins[i].candidateCount) * maxColors >= pixels.size())
            flat.push_back(i);
    std::sort(flat.begin(), flat.end(),
              [&](std::size_t a, std::size_t b) { return bins[a].candidateCount > bins[b].candidateCount; });
    flat.resize(std::min(flat.size(), std::max<std::size_t>(1, maxColors / kReservedShareDivisor)));
    for (std::size_t i : flat) {
        Bin& b = bins[i];
        b.reserved = true;
        b.reservedIndex = static_cast<int>(out.palette.size());
        out.palette.push_back(b.candidate);
        b.count -= b.candidateCount;
        b.sum[0] -= static_cast<std::uint64_t>((b.candidate >> 16) & 0xFF) * b.candidateCount;
        b.sum[1] -= static_cast<std::uint64_t>((b.candidate >> 8) & 0xFF) * b.candidateCount;
        b.sum[2] -= static_cast<std::uint64_t>(b.candidate & 0xFF) * b.candidateCount;
    }

    // Median cut of the remaining pixels.
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < kBinCount; ++i) {
        const Bin& b = bins[i];
        if (b.count == 0) continue;
        entries.push_back({i,
                           static_cast<double>(b.count),
                           {static_cast<double>(b.sum[0]) / b.count, static_cast<double>(b.sum[1]) / b.count,
                            static_cast<double>(b.sum[2]) / b.count}});
    }
    std::vector<Box> boxes;
    const std::size_t available = maxColors - out.palette.size();
    if (!entries.empty() && available > 0) boxes.push_back(describe(entries, 0, entries.size()));
    while (boxes.size() < available) {
        auto widest = boxes.end();
        for (auto it = boxes.begin(); it != boxes.end(); ++it)
            if (it->end - it->begin >= 2 && it->sse > 0 && (widest == boxes.end() || it->sse > widest->sse))
                widest = it;
        if (widest == boxes.end()) break;
        const Box box = *widest;
        const int axis = box.axis;
        std::sort(entries.begin() + static_cast<std::ptrdiff_t>(box.begin),
                  entries.begin() + static_cast<std::ptrdiff_t>(box.end),
                  [axis](const Entry& a, const Entry& b) { return a.mean[axis] < b.mean[axis]; });
        double total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i)
            total += entries[i].count;
        double running = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            running += entries[i].count;
            split = i + 1;
            if (running >= total / 2) break;
        }
        *widest = describe(entries, box.begin, split);
        boxes.push_back(describe(entries, split, box.end));
    }
    for (const Box& box : boxes)
        out.palette.push_back(toRgb(box.mean));

    // Each bin's other pixels take the nearest entry to the bin's mean.
    for (const Entry& e : entries) {
        int best = 0;
        double bestDistance = std::numeric_limits<double>::max();
        for (std::size_t k = 0; k < out.palette.size(); ++k) {
            const std::uint32_t c = out.palette[k];
            const double dr = e.mean[0] - ((c >> 16) & 0xFF), dg = e.mean[1] - ((c >> 8) & 0xFF),
                         db = e.mean[2] - (c & 0xFF);
            const double d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = static_cast<int>(k);
            }
        }
        bins[e.bin].index = best;
    }
    out.indexes.resize(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t rgb = pixels[i] & 0x00FFFFFFu;
        const Bin& b = bins[binOf(rgb)];
        out.indexes[i] = static_cast<std::uint8_t>(b.reserved && rgb == b.candidate ? b.reservedIndex
                                                                                    : std::max(b.index, 0));
    }
    return out;
}

} // namespace tenzora
