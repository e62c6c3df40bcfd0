#include "storage/dynamic_memory.h"

#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace tenzora {

namespace {
// The stream's sizes are 32-bit; an image never comes near this.
constexpr std::size_t kMaxStreamBytes =
    static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) / 2;
} // namespace

TZDynamicMemory::TZDynamicMemory(TZDynamicMemory&& other) noexcept
    : growBy_(other.growBy_), readPos_(other.readPos_), data_(std::move(other.data_)),
      capacity_(other.capacity_), size_(other.size_) {
    other.readPos_ = other.capacity_ = other.size_ = 0;
}

TZDynamicMemory& TZDynamicMemory::operator=(TZDynamicMemory&& other) noexcept {
    if (this != &other) {
        growBy_ = other.growBy_;
        readPos_ = other.readPos_;
        data_ = std::move(other.data_);
        capacity_ = other.capacity_;
        size_ = other.size_;
        other.readPos_ = other.capacity_ = other.size_ = 0;
    }
    return *this;
}

bool TZDynamicMemory::reserve(std::size_t n) {
    if (n > kMaxStreamBytes) return false;
    if (n < static_cast<std::size_t>(capacity_)) return true;
    const std::size_t newCapacity = n + static_cast<std::size_t>(growBy_ > 0 ? growBy_ : 0);
    std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[newCapacity]);
    if (!block) return false;
    if (size_ > 0) std::memcpy(block.get(), data_.get(), static_cast<std::size_t>(size_));
    data_ = std::move(block);
    capacity_ = static_cast<std::int32_t>(newCapacity);
    return true;
}

std::uint8_t* TZDynamicMemory::growForAppend(std::size_t n) {
    if (n > kMaxStreamBytes || static_cast<std::size_t>(size_) + n > kMaxStreamBytes) return nullptr;
    const auto needed = static_cast<std::size_t>(size_) + n;
    // Grows also when the write would exactly fill the block.
    if (needed >= static_cast<std::size_t>(capacity_)) {
        const std::size_t newCapacity = needed + static_cast<std::size_t>(growBy_ > 0 ? growBy_ : 0);
        std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[newCapacity]);
        if (!block) return nullptr;
        if (size_ > 0) std::memcpy(block.get(), data_.get(), static_cast<std::size_t>(size_));
        data_ = std::move(block);
        capacity_ = static_cast<std::int32_t>(newCapacity);
    }
    return data_.get() + size_;
}

bool TZDynamicMemory::writeBytes(const void* src, std::size_t n) {
    if (n == 0) return true;
    std::uint8_t* at = appendRoom(n);
    if (!at) return false;
    std::memcpy(at, src, n);
    commitAppend(n);
    return true;
}

// Values are stored little-endian; on a little-endian machine their bytes are copied as they are.
constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

void TZDynamicMemory::writeInt32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    if constexpr (kLittleEndianHost) {
        writeBytes(&u, 4);
    } else {
        std::uint8_t b[4];
        for (int i = 0; i < 4; ++i)
            b[i] = static_cast<std::uint8_t>(u >> (8 * i));
        writeBytes(b, 4);
    }
}

void TZDynamicMemory::writeDouble(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    if constexpr (kLittleEndianHost) {
        writeBytes(&u, 8);
    } else {
        std::uint8_t b[8];
        for (int i = 0; i < 8; ++i)
            b[i] = static_cast<std::uint8_t>(u >> (8 * i));
        writeBytes(b, 8);
    }
}

void TZDynamicMemory::writeString(std::string_view bytes) {
    // A text cannot hold its own terminator: it ends at the first 0 byte.
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    writeBytes(bytes.data(), bytes.size());
    writeByte(0);
}

void TZDynamicMemory::writeWideString(std::wstring_view text) {
    std::vector<std::uint8_t> units;
    units.reserve(text.size() * 2 + 2);
    auto put = [&](std::uint32_t unit) {
        units.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        units.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    };
    for (wchar_t ch : text) {
        const auto c = static_cast<std::uint32_t>(ch);
        if (c == 0) break;
        if (c >= 0x10000 && c <= 0x10FFFF) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c & 0xFFFF);
        }
    }
    put(0);
    writeBytes(units.data(), units.size());
}

template <typename T> T TZDynamicMemory::readFixed() {
    constexpr std::int32_t n = sizeof(T);
    if (readPos_ + n > size_) {
        readPos_ = size_;
        return T{};
    }
    T value;
    if constexpr (kLittleEndianHost) {
        std::memcpy(&value, data_.get() + readPos_, sizeof(T));
    } else {
        std::uint64_t u = 0;
        for (std::int32_t i = 0; i < n; ++i)
            u |= static_cast<std::uint64_t>(data_[readPos_ + i]) << (8 * i);
        if constexpr (sizeof(T) == 8) {
            std::memcpy(&value, &u, 8);
        } else {
            value = static_cast<T>(u);
        }
    }
    readPos_ += n;
    return value;
}

std::uint8_t TZDynamicMemory::readByte() {
    return readFixed<std::uint8_t>();
}

std::int32_t TZDynamicMemory::readInt32() {
    return static_cast<std::int32_t>(readFixed<std::uint32_t>());
}

double TZDynamicMemory::readDouble() {
    return readFixed<double>();
}

std::optional<std::string> TZDynamicMemory::readString(bool* syncError) {
    if (!data_) {
        if (syncError) *syncError = true;
        return std::nullopt;
    }
    for (std::int32_t i = readPos_; i < size_; ++i) {
        if (data_[i] == 0) {
            std::string text(reinterpret_cast<const char*>(data_.get() + readPos_),
                             static_cast<std::size_t>(i - readPos_));
            readPos_ = i + 1;
            return text;
        }
    }
    readPos_ = size_;
    return std::nullopt;
}

std::optional<std::wstring> TZDynamicMemory::readWideString(bool* syncError) {
    if (!data_) {
        if (syncError) *syncError = true;
        return std::nullopt;
    }
    for (std::int32_t i = readPos_; i + 1 < size_; i += 2) {
        if (data_[i] == 0 && data_[i + 1] == 0) {
            std::wstring text;
            text.reserve(static_cast<std::size_t>(i - readPos_) / 2);
            for (std::int32_t j = readPos_; j < i; j += 2) {
                const std::uint32_t unit = data_[j] | (static_cast<std::uint32_t>(data_[j + 1]) << 8);
                if (unit >= 0xD800 && unit <= 0xDBFF && j + 3 < i) {
                    const std::uint32_t low = data_[j + 2] | (static_cast<std::uint32_t>(data_[j + 3]) << 8);
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        text.push_back(
                            static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                        j += 2;
                        continue;
                    }
                }
                text.push_back(static_cast<wchar_t>(unit));
            }
            readPos_ = i + 2;
            return text;
        }
    }
    readPos_ = size_;
    return std::nullopt;
}

void TZDynamicMemory::skip(std::size_t n) {
    const auto remaining = static_cast<std::size_t>(size_ - readPos_);
    readPos_ = n >= remaining ? size_ : readPos_ + static_cast<std::int32_t>(n);
}

void TZDynamicMemory::release() {
    data_.reset();
    readPos_ = 0;
    capacity_ = 0;
    size_ = 0;
}

bool TZDynamicMemory::assign(std::string_view bytes) {
    release();
    if (bytes.empty()) return true;
    return writeBytes(bytes.data(), bytes.size());
}

void TZDynamicMemory::unscramble(std::uint8_t key) {
    const std::int32_t n = size_;
    if (n < 1) return;
    std::uint8_t* d = data_.get();
    d[n - 1] ^= key;
    for (std::int32_t i = 0; i <= n - 2; ++i)
        d[i] = static_cast<std::uint8_t>(d[i] ^ d[i + 1] ^ key);
    // e[0] = d[0] ^ k, e[i] = d[i-1] ^ d[i]: walk backwards so each d[i-1] is still the old value.
    for (std::int32_t i = n - 1; i >= 1; --i)
        d[i] = static_cast<std::uint8_t>(d[i - 1] ^ d[i]);
    d[0] ^= key;
}

void TZDynamicMemory::scramble(std::uint8_t key) {
    const std::int32_t n = size_;
    if (n < 1) return;
    std::uint8_t* t = data_.get();
    std::uint8_t running = key;
    for (std::int32_t j = 0; j < n; ++j) {
        running ^= t[j];
        t[j] = running;
    }
    for (std::int32_t i = n - 2; i >= 0; --i)
        t[i] = static_cast<std::uint8_t>(t[i + 1] ^ t[i] ^ key);
    t[n - 1] ^= key;
}

} // namespace tenzora
