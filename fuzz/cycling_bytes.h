#pragma once
// The fuzz input read as a stream of bytes that never ends: past the end it starts over with a
// different mix, so that a short input can describe many records.

#include <cstddef>
#include <cstdint>

namespace tenzora {

class CyclingBytes {
  public:
    CyclingBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() {
        if (size_ == 0) return 0;
        const std::uint8_t b = data_[pos_ % size_];
        const auto mixed = static_cast<std::uint8_t>(b + 31 * (pos_ / size_));
        ++pos_;
        return mixed;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace tenzora
