#pragma once
// TZDynamicMemory: the growable byte stream in which every project image is built and parsed
// (files, undo snapshots, receipts). Writes append at the end; reads advance a cursor that never
// passes the end: a value beyond the end reads as 0 and a string without its terminator as none.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tenzora {

class TZDynamicMemory {
  public:
    explicit TZDynamicMemory(std::int32_t growBy = 4048) : growBy_(growBy) {}
    virtual ~TZDynamicMemory() = default;
    TZDynamicMemory(const TZDynamicMemory&) = delete;
    TZDynamicMemory& operator=(const TZDynamicMemory&) = delete;
    // A moved-from stream is empty (no block, size 0), never a size without data.
    TZDynamicMemory(TZDynamicMemory&& other) noexcept;
    TZDynamicMemory& operator=(TZDynamicMemory&& other) noexcept;

    // ---- writing --------------------------------------------------------------------------------
    // Returns false only when memory ran out (the stream is then unchanged).
    bool writeBytes(const void* src, std::size_t n);
    void writeByte(std::uint8_t b) { writeBytes(&b, 1); }
    void writeBool(bool b) { writeByte(b ? 1 : 0); }
    void writeInt32(std::int32_t v);
    void writeDouble(double v);
    // Single-byte text and its terminating 0.
    void writeString(std::string_view bytes);
    // UTF-16LE units of the text and a 16-bit 0.
    void writeWideString(std::wstring_view text);
    // Room for n more bytes at the end, for a writer that stores them in place: where to write
    // them, or null when memory ran out. The block grows as writeBytes grows it; commitAppend
    // then adds the bytes written there (at most n) to the stream.
    std::uint8_t* appendRoom(std::size_t n) {
        if (static_cast<std::size_t>(size_) + n < static_cast<std::size_t>(capacity_))
            return data_.get() + size_;
        return growForAppend(n);
    }
    void commitAppend(std::size_t n) { size_ += static_cast<std::int32_t>(n); }

    // ---- reading --------------------------------------------------------------------------------
    std::uint8_t readByte();
    bool readBool() { return readByte() != 0; }
    std::int32_t readInt32();
    double readDouble();
    // The text up to the next 0 byte, or none when no terminator remains (the cursor then goes
    // to the end). `syncError` is set when the stream holds no data at all, the case the program
    // reports as "Нарушена синхронизация чтения/записи".
    std::optional<std::string> readString(bool* syncError = nullptr);
    std::optional<std::wstring> readWideString(bool* syncError = nullptr);
    // Skips n bytes (clamped to the end).
    void skip(std::size_t n);

    // ---- the buffer -----------------------------------------------------------------------------
    // Frees the block; growBy stays.
    void release();
    // Replaces the contents with a copy of the given bytes (capacity = size + growBy) and
    // rewinds the cursor. Returns false when memory ran out.
    bool assign(std::string_view bytes);
    // Empties the written part but keeps the block, so that a reused stream does not reallocate.
    void resetKeepingBlock() {
        size_ = 0;
        readPos_ = 0;
    }
    // Makes room for at least n bytes (plus growBy) before writing, so that building an image of
    // a known size does not grow the block step by step. Keeps what was written.
    bool reserve(std::size_t n);
    // Chained-XOR scrambling of older files, over the whole written part.
    void scramble(std::uint8_t key);
    void unscramble(std::uint8_t key);

    const std::uint8_t* data() const { return data_.get(); }
    std::int32_t size() const { return size_; }
    std::int32_t capacity() const { return capacity_; }
    std::int32_t growBy() const { return growBy_; }
    std::int32_t readPos() const { return readPos_; }
    void setReadPos(std::int32_t pos) { readPos_ = pos < 0 ? 0 : (pos > size_ ? size_ : pos); }
    bool atEnd() const { return readPos_ >= size_; }
    std::string_view bytes() const {
        return {reinterpret_cast<const char*>(data_.get()), static_cast<std::size_t>(size_)};
    }
    // Same size and same bytes.
    bool sameContents(const TZDynamicMemory& other) const { return bytes() == other.bytes(); }

  private:
    template <typename T> T readFixed();
    std::uint8_t* growForAppend(std::size_t n);

    std::int32_t growBy_;
    std::int32_t readPos_ = 0;
    std::unique_ptr<std::uint8_t[]> data_;
    std::int32_t capacity_ = 0;
    std::int32_t size_ = 0;
};

// The keys of the scrambled project files of older versions: an image was scrambled with K2 and
// then K1, so a reader unscrambles with K1 and then K2.
namespace scrambleKeys {
inline constexpr std::uint8_t K1 = 'T';
inline constexpr std::uint8_t K2 = 'z';
} // namespace scrambleKeys

} // namespace tenzora
