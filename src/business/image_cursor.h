#pragma once
// A read cursor over the bytes of a project image for the scans that read only its first fields.
// It follows the project stream's reading rules exactly — a value beyond the end reads as 0 and
// leaves the cursor at the end, a text without its terminator reads as none — but reads the
// bytes where they are instead of copying them into a stream, and skips lists without parsing.

#include <bit>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "storage/dynamic_memory.h"

namespace tenzora {

class ImageCursor {
  public:
    explicit ImageCursor(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t readByte() { return static_cast<std::uint8_t>(readLittleEndian(1)); }
    std::int32_t readInt32() {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(readLittleEndian(4)));
    }
    double readDouble() { return std::bit_cast<double>(readLittleEndian(8)); }

    // The text up to the next 0 byte; none (and the cursor at the end) when no terminator remains.
    std::optional<std::string_view> readString() {
        const std::size_t end = bytes_.find('\0', pos_);
        if (end == std::string_view::npos) {
            pos_ = bytes_.size();
            return std::nullopt;
        }
        const std::string_view text = bytes_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return text;
    }

    // Skips `count` items of `itemBytes` each, clamped to the end.
    void skipItems(std::int64_t count, std::size_t itemBytes) {
        if (count <= 0) return;
        const std::size_t left = bytes_.size() - pos_;
        const auto wanted = static_cast<std::uint64_t>(count) * itemBytes;
        pos_ = wanted >= left ? bytes_.size() : pos_ + static_cast<std::size_t>(wanted);
    }

    // Skips n bytes, clamped to the end.
    void skip(std::size_t n) { pos_ = n >= bytes_.size() - pos_ ? bytes_.size() : pos_ + n; }

    bool atEnd() const { return pos_ >= bytes_.size(); }

  private:
    // An n-byte little-endian value, as the project image stores every number.
    std::uint64_t readLittleEndian(std::size_t n) {
        if (bytes_.size() - pos_ < n) {
            pos_ = bytes_.size();
            return 0;
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < n; ++i)
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
        pos_ += n;
        return value;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Reads an image the way every reader of project files takes it: the bytes as they are when
// `accepted` takes their header, otherwise the bytes unscrambled as older versions stored them
// (scrambled with K2, then K1: undone in the reverse order) when `accepted` takes that header.
// `read` goes on after the accepted header; none when neither header is accepted.
template <class Accepted, class Read>
auto readAcceptedImage(std::string_view imageBytes, Accepted accepted, Read read)
    -> decltype(read(std::declval<ImageCursor&>())) {
    ImageCursor plain(imageBytes);
    if (accepted(plain)) return read(plain);
    TZDynamicMemory stream;
    if (!stream.assign(imageBytes)) return std::nullopt;
    stream.unscramble(scrambleKeys::K1);
    stream.unscramble(scrambleKeys::K2);
    ImageCursor unscrambled(stream.bytes());
    if (!accepted(unscrambled)) return std::nullopt;
    return read(unscrambled);
}

} // namespace tenzora
