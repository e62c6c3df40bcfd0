#pragma once
// A lookup of the record list by vertex pair, for the loops of forming that would otherwise
// search the whole list for every pair they try. It answers exactly as findDiagonal does and is
// valid only while the record list does not change.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/polygon.h"

namespace tenzora {

class RecordIndex {
  public:
    RecordIndex(const Diagonals& records, int vertexCount);

    // findDiagonal(i, j): the first measured record of the pair, else the last one; −1 for none.
    int find(int i, int j) const;
    // Whether the pair has a record with a positive length.
    bool measured(int i, int j) const;
    // The vertices joined to v by a measured record, in ascending index order.
    const std::vector<int>& measuredNeighbours(int v) const;
    // The vertices joined to v by any record, in ascending index order.
    const std::vector<int>& neighbours(int v) const;

  private:
    static std::uint64_t key(int i, int j);

    const Diagonals& records_;
    std::unordered_map<std::uint64_t, int> byPair_;
    std::vector<std::vector<int>> measuredNeighbours_;
    std::vector<std::vector<int>> neighbours_;
    std::vector<int> none_;
};

} // namespace tenzora
