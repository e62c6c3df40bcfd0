#include "model/record_index.h"

#include <algorithm>

namespace tenzora {

RecordIndex::RecordIndex(const Diagonals& records, int vertexCount)
    : records_(records), measuredNeighbours_(static_cast<std::size_t>(std::max(vertexCount, 0))),
      neighbours_(measuredNeighbours_.size()) {
    for (int k = 0; k < records.count(); ++k) {
        const Diagonal& d = records.at(k);
        const auto [it, added] = byPair_.try_emplace(key(d.a, d.b), k);
        // The first measured record wins; until there is one, the latest record stands.
        if (!added && !(records.at(it->second).length > 0)) it->second = k;
    }
    for (const auto& [pair, k] : byPair_) {
        const Diagonal& d = records.at(k);
        if (d.a == d.b || d.a < 0 || d.b < 0 || d.a >= vertexCount || d.b >= vertexCount) continue;
        const auto a = static_cast<std::size_t>(d.a);
        const auto b = static_cast<std::size_t>(d.b);
        neighbours_[a].push_back(d.b);
        neighbours_[b].push_back(d.a);
        if (!(d.length > 0)) continue;
        measuredNeighbours_[a].push_back(d.b);
        measuredNeighbours_[b].push_back(d.a);
    }
    for (std::vector<int>& list : measuredNeighbours_)
        std::sort(list.begin(), list.end());
    for (std::vector<int>& list : neighbours_)
        std::sort(list.begin(), list.end());
}

std::uint64_t RecordIndex::key(int i, int j) {
    const auto lo = static_cast<std::uint32_t>(std::min(i, j));
    const auto hi = static_cast<std::uint32_t>(std::max(i, j));
    return (static_cast<std::uint64_t>(lo) << 32) | hi;
}

int RecordIndex::find(int i, int j) const {
    const auto it = byPair_.find(key(i, j));
    return it == byPair_.end() ? -1 : it->second;
}

bool RecordIndex::measured(int i, int j) const {
    const int k = find(i, j);
    return k >= 0 && records_.at(k).length > 0;
}

const std::vector<int>& RecordIndex::measuredNeighbours(int v) const {
    if (v < 0 || v >= static_cast<int>(measuredNeighbours_.size())) return none_;
    return measuredNeighbours_[static_cast<std::size_t>(v)];
}

const std::vector<int>& RecordIndex::neighbours(int v) const {
    if (v < 0 || v >= static_cast<int>(neighbours_.size())) return none_;
    return neighbours_[static_cast<std::size_t>(v)];
}

} // namespace tenzora
