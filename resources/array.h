#pragma once
// The program's growable array: an owned element block and a 32-bit unsigned count.
// Resizing to n makes a new block of n elements, moves the first min(n, count) across and
// frees the old block; new elements are value-initialised (zero for plain records).
// Resizing to 0 frees the block. Copies are deep.

#include <algorithm>
#include <cstdint>
#include <utility>

template <typename T>
class Array {
public:
    Array() = default;
    Array(const Array& other) { copyFrom(other); }
    Array(Array&& other) noexcept
        : elements(std::exchange(other.elements, nullptr)), count(std::exchange(other.count, 0)) {}
    ~Array() { delete[] elements; }

    Array& operator=(const Array& other) {
        if (this != &other) {
            Array copy(other);
            swap(copy);
        }
        return *this;
    }
    Array& operator=(Array&& other) noexcept {
        Array taken(std::move(other));
        swap(taken);
        return *this;
    }

    void resize(uint32_t newCount) {
        if (newCount == count) {
            return;
        }
        T* block = nullptr;
        if (newCount > 0) {
            block = new T[newCount]();
            std::move(elements, elements + std::min(count, newCount), block);
        }
        delete[] elements;
        elements = block;
        count = newCount;
    }

    // Grows by one element, as the loaders do for every line they read.
    void append(T value) {
        resize(count + 1);
        elements[count - 1] = std::move(value);
    }

    uint32_t size() const { return count; }
    bool empty() const { return count == 0; }

    T& operator[](uint32_t index) { return elements[index]; }
    const T& operator[](uint32_t index) const { return elements[index]; }

    T* begin() { return elements; }
    T* end() { return elements + count; }
    const T* begin() const { return elements; }
    const T* end() const { return elements + count; }

private:
    void copyFrom(const Array& other) {
        if (other.count == 0) {
            return;
        }
        elements = new T[other.count]();
        std::copy(other.elements, other.elements + other.count, elements);
        count = other.count;
    }
    void swap(Array& other) noexcept {
        std::swap(elements, other.elements);
        std::swap(count, other.count);
    }

    T* elements = nullptr;
    uint32_t count = 0;
};
