#pragma once
// TZStaticArray: the one list type of the program. It grows by a fixed step of 200 elements
// (never by doubling, so memory use stays predictable and the capacity is observable) and its
// accessor forgives a bad index by returning the first element, which callers have always relied
// on instead of checking.

#include <cstddef>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tenzora {

template <typename T> class TZStaticArray {
  public:
    // Elements added to the capacity whenever an append finds no free slot.
    static constexpr int kGrowthStep = 200;

    TZStaticArray() = default;
    virtual ~TZStaticArray() = default;
    TZStaticArray(const TZStaticArray& other) { copyFrom(other); }
    TZStaticArray& operator=(const TZStaticArray& other) {
        if (this != &other) copyFrom(other);
        return *this;
    }
    TZStaticArray(TZStaticArray&& other) noexcept
        : items_(std::move(other.items_)), capacity_(other.capacity_) {
        other.items_.clear();
        other.capacity_ = 0;
    }
    TZStaticArray& operator=(TZStaticArray&& other) noexcept {
        if (this != &other) {
            items_ = std::move(other.items_);
            capacity_ = other.capacity_;
            other.items_.clear();
            other.capacity_ = 0;
        }
        return *this;
    }

    int count() const { return static_cast<int>(items_.size()); }
    int capacity() const { return capacity_; }
    bool empty() const { return items_.empty(); }

    // Element i when it exists; otherwise the first element; otherwise a fresh default element.
    // The scratch element of an empty array belongs to the array and is reset on every call.
    T& at(int i) {
        if (i >= 0 && i < count()) return items_[static_cast<std::size_t>(i)];
        if (!items_.empty()) return items_.front();
        scratch_ = T{};
        return scratch_;
    }
    const T& at(int i) const {
        if (i >= 0 && i < count()) return items_[static_cast<std::size_t>(i)];
        if (!items_.empty()) return items_.front();
        scratch_ = T{};
        return scratch_;
    }
    // Null unless 0 <= i < count: used wherever a missing element must be detected.
    T* checkedAt(int i) { return (i >= 0 && i < count()) ? &items_[static_cast<std::size_t>(i)] : nullptr; }
    const T* checkedAt(int i) const {
        return (i >= 0 && i < count()) ? &items_[static_cast<std::size_t>(i)] : nullptr;
    }
    T& operator[](int i) { return at(i); }
    const T& operator[](int i) const { return at(i); }

    // Appends a copy; returns the new element, or null when memory ran out (the array is then
    // left empty, as the program has always treated an allocation failure).
    T* append(const T& value = T{}) {
        if (!growForOne()) return nullptr;
        items_.push_back(value);
        return &items_.back();
    }
    T* append(T&& value) {
        if (!growForOne()) return nullptr;
        items_.push_back(std::move(value));
        return &items_.back();
    }
    // Makes room for n more appends in one allocation. The capacity becomes exactly what those n
    // appends, made one at a time, would have made it; only the intermediate copies are saved
    // (readers that know a list's length use it). False when memory ran out (the array is then
    // left empty, as for a failed append).
    bool reserveForAppends(int n) {
        int cap = capacity_;
        for (int c = count(); n > 0; --n, ++c)
            if (c + 1 >= cap) cap = c + kGrowthStep;
        if (cap == capacity_) return true;
        try {
            items_.reserve(static_cast<std::size_t>(cap));
        } catch (const std::bad_alloc&) {
            clear();
            return false;
        } catch (const std::length_error&) {
            clear();
            return false;
        }
        capacity_ = cap;
        return true;
    }
    // Inserts before element i (i is clamped to 0..count).
    T* insertAt(int i, const T& value) {
        if (i < 0) i = 0;
        if (i > count()) i = count();
        if (!growForOne()) return nullptr;
        auto it = items_.insert(items_.begin() + i, value);
        return &*it;
    }
    // Removes element i; an index out of range changes nothing.
    bool removeAt(int i) {
        if (i < 0 || i >= count()) return false;
        items_.erase(items_.begin() + i);
        return true;
    }
    void clear() {
        items_.clear();
        items_.shrink_to_fit();
        capacity_ = 0;
    }
    // Replaces the contents with a copy of the other array, capacity included.
    void copyFrom(const TZStaticArray& other) {
        if (this == &other) return;
        items_.clear();
        items_.reserve(static_cast<std::size_t>(other.capacity_));
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        capacity_ = other.capacity_;
    }

    T* begin() { return items_.data(); }
    T* end() { return items_.data() + items_.size(); }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + items_.size(); }
    T& back() { return at(count() - 1); }
    const T& back() const { return at(count() - 1); }

  private:
    // When an append finds count + 1 >= capacity, the storage becomes count + 200 elements.
    bool growForOne() {
        if (count() + 1 < capacity_) return true;
        const int newCapacity = count() + kGrowthStep;
        try {
            items_.reserve(static_cast<std::size_t>(newCapacity));
        } catch (const std::bad_alloc&) {
            clear();
            return false;
        } catch (const std::length_error&) {
            clear();
            return false;
        }
        capacity_ = newCapacity;
        return true;
    }

    std::vector<T> items_;
    int capacity_ = 0;
    mutable T scratch_{};
};

} // namespace tenzora
