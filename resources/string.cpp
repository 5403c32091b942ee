#include "resources/string.h"

#include <cstdlib>
#include <cstring>

namespace {

// Lengths are 32-bit by design; anything longer than that is not a string this program makes.
int32_t lengthOf(const char* text) {
    return text ? static_cast<int32_t>(std::strlen(text)) : 0;
}

char* allocateCopy(const char* text, int32_t length) {
    char* buffer = new char[static_cast<size_t>(length) + 1];
    if (length > 0) {
        std::memcpy(buffer, text, static_cast<size_t>(length));
    }
    buffer[length] = '\0';
    return buffer;
}

}  // namespace

String::String() : data(allocateCopy("", 0)), length(0) {}

String::String(const char* text) : length(lengthOf(text)) {
    data = allocateCopy(text, length);
}

String::String(const String& other)
    : data(allocateCopy(other.data, other.length)), length(other.length) {}

String::String(const char* first, int32_t firstLength, const char* second, int32_t secondLength)
    : length(firstLength + secondLength) {
    data = new char[static_cast<size_t>(length) + 1];
    std::memcpy(data, first, static_cast<size_t>(firstLength));
    std::memcpy(data + firstLength, second, static_cast<size_t>(secondLength));
    data[length] = '\0';
}

String::~String() {
    delete[] data;
}

String& String::operator=(const String& other) {
    if (this != &other) {
        char* copy = allocateCopy(other.data, other.length);
        delete[] data;
        data = copy;
        length = other.length;
    }
    return *this;
}

String& String::operator=(const char* text) {
    // Copy first: text may point into our own buffer.
    const int32_t newLength = lengthOf(text);
    char* copy = allocateCopy(text, newLength);
    delete[] data;
    data = copy;
    length = newLength;
    return *this;
}

String& String::operator+=(const String& other) {
    return *this = *this + other;
}

String& String::operator+=(const char* text) {
    return *this = *this + text;
}

String operator+(const String& left, const String& right) {
    return String(left.data, left.length, right.data, right.length);
}

String operator+(const String& left, const char* right) {
    return String(left.data, left.length, right ? right : "", lengthOf(right));
}

String operator+(const char* left, const String& right) {
    return String(left ? left : "", lengthOf(left), right.data, right.length);
}

int compare(const String& left, const char* right) {
    return std::strcmp(left.c_str(), right ? right : "");
}
