#pragma once
// The program's own heap string: one exclusively owned, NUL-terminated buffer of exactly
// length + 1 bytes. Never null: an empty string owns a 1-byte buffer holding NUL.
// Copies and concatenations always allocate; comparisons are strcmp on the buffers, so a
// string with an embedded NUL compares only up to it.

#include <cstdint>

class String {
public:
    String();
    String(const char* text);  // NOLINT: implicit, file names are written as literals
    String(const String& other);
    ~String();

    String& operator=(const String& other);
    String& operator=(const char* text);

    String& operator+=(const String& other);
    String& operator+=(const char* text);

    const char* c_str() const { return data; }
    int32_t size() const { return length; }
    bool empty() const { return length == 0; }

private:
    String(const char* first, int32_t firstLength, const char* second, int32_t secondLength);

    char* data;
    int32_t length;

    friend String operator+(const String& left, const String& right);
    friend String operator+(const String& left, const char* right);
    friend String operator+(const char* left, const String& right);
};

String operator+(const String& left, const String& right);
String operator+(const String& left, const char* right);
String operator+(const char* left, const String& right);

// Byte-wise, case-sensitive, as strcmp orders them.
int compare(const String& left, const char* right);

inline bool operator==(const String& a, const String& b) {
    return compare(a, b.c_str()) == 0;
}
inline bool operator!=(const String& a, const String& b) {
    return compare(a, b.c_str()) != 0;
}
inline bool operator<(const String& a, const String& b) {
    return compare(a, b.c_str()) < 0;
}
inline bool operator>(const String& a, const String& b) {
    return compare(a, b.c_str()) > 0;
}
inline bool operator<=(const String& a, const String& b) {
    return compare(a, b.c_str()) <= 0;
}
inline bool operator>=(const String& a, const String& b) {
    return compare(a, b.c_str()) >= 0;
}

inline bool operator==(const String& a, const char* b) {
    return compare(a, b) == 0;
}
inline bool operator!=(const String& a, const char* b) {
    return compare(a, b) != 0;
}
inline bool operator<(const String& a, const char* b) {
    return compare(a, b) < 0;
}
inline bool operator>(const String& a, const char* b) {
    return compare(a, b) > 0;
}
inline bool operator<=(const String& a, const char* b) {
    return compare(a, b) <= 0;
}
inline bool operator>=(const String& a, const char* b) {
    return compare(a, b) >= 0;
}
