// The text of a record field: a string of bytes in 16 bytes of its own, with
// up to 15 bytes kept inside and longer texts in one allocation of exactly
// their size. A phone book holds a score of these per person, mostly short
// (names, phone numbers, a two-letter state), so a document of many
// thousands of persons takes far less memory than with std::string, whose
// bookkeeping alone is twice the size on 64-bit machines.
//
// It reads like a constant std::string (data, c_str, size, empty, indexing,
// comparison, concatenation into a std::string) and converts to std::string
// and std::string_view; it changes only by assignment, assign, clear and +=.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

class Text {
public:
    Text() noexcept { SetLocalSize(0); }
    Text(const char* text) : Text() { assign(text, std::strlen(text)); }
    Text(const std::string& text) : Text() { assign(text.data(), text.size()); }
    Text(std::string_view text) : Text() { assign(text.data(), text.size()); }
    Text(const Text& other) {
        if (other.OnHeap()) {
            SetLocalSize(0);
            assign(other.data(), other.size());
        } else {
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        }
    }
    Text(Text&& other) noexcept {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.SetLocalSize(0);
    }
    ~Text() { Release(); }

    Text& operator=(const Text& other) {
        if (this != &other) assign(other.data(), other.size());
        return *this;
    }
    Text& operator=(Text&& other) noexcept {
        if (this != &other) {
            Release();
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
            other.SetLocalSize(0);
        }
        return *this;
    }
    Text& operator=(const char* text) { return assign(text, std::strlen(text)); }
    Text& operator=(const std::string& text) { return assign(text.data(), text.size()); }
    Text& operator=(std::string_view text) { return assign(text.data(), text.size()); }

    // `text` may point into this text itself.
    Text& assign(const char* text, size_t size);
    Text& operator+=(std::string_view more);
    void clear() noexcept {
        Release();
        SetLocalSize(0);
    }

    const char* data() const { return OnHeap() ? HeapData() : bytes_; }
    const char* c_str() const { return data(); }
    size_t size() const { return OnHeap() ? HeapSize() : size_t(kLocal - uint8_t(bytes_[kTag])); }
    size_t length() const { return size(); }
    bool empty() const { return size() == 0; }
    char operator[](size_t at) const { return data()[at]; }
    const char* begin() const { return data(); }
    const char* end() const { return data() + size(); }

    std::string_view view() const { return std::string_view(data(), size()); }
    std::string str() const { return std::string(data(), size()); }
    operator std::string_view() const { return view(); }
    operator std::string() const { return str(); }

    // Found only beside a Text (argument-dependent lookup), so that comparing
    // other strings never considers converting them to a Text.
    friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }
    friend bool operator==(const Text& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(std::string_view a, const Text& b) { return a == b.view(); }
    friend bool operator==(const Text& a, const char* b) { return a.view() == b; }
    friend bool operator==(const char* a, const Text& b) { return a == b.view(); }
    friend bool operator==(const Text& a, const std::string& b) { return a.view() == b; }
    friend bool operator==(const std::string& a, const Text& b) { return a == b.view(); }
    friend bool operator!=(const Text& a, const Text& b) { return !(a == b); }
    friend bool operator!=(const Text& a, std::string_view b) { return !(a == b); }
    friend bool operator!=(std::string_view a, const Text& b) { return !(a == b); }
    friend bool operator!=(const Text& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const Text& b) { return !(a == b); }
    friend bool operator!=(const Text& a, const std::string& b) { return !(a == b); }
    friend bool operator!=(const std::string& a, const Text& b) { return !(a == b); }
    friend bool operator<(const Text& a, const Text& b) { return a.view() < b.view(); }
    friend std::string operator+(const Text& a, std::string_view b);
    friend std::string operator+(std::string_view a, const Text& b);
    friend std::string operator+(const Text& a, const Text& b);
    friend std::string operator+(const Text& a, const char* b);
    friend std::string operator+(const char* a, const Text& b);
    friend std::string operator+(const Text& a, const std::string& b);
    friend std::string operator+(const std::string& a, const Text& b);
    friend std::string operator+(std::string&& a, const Text& b);
    friend std::string operator+(const Text& a, char b);
    friend std::ostream& operator<<(std::ostream& out, const Text& text);

private:
    // bytes_[kTag] tells the two forms apart: kLocal minus the size when the
    // bytes are inside (so a text of 15 bytes ends in the zero it needs), and
    // kHeap when they are not; then the pointer comes first and the size
    // after it, at kSizeAt.
    static constexpr size_t kLocal = 15;
    static constexpr size_t kTag = 15;
    static constexpr size_t kSizeAt = 8;
    static constexpr char kHeap = char(0x80);
    static_assert(sizeof(char*) <= kSizeAt, "the pointer and the size share the 16 bytes");

    bool OnHeap() const { return bytes_[kTag] == kHeap; }
    char* HeapData() const {
        char* pointer;
        std::memcpy(&pointer, bytes_, sizeof pointer);
        return pointer;
    }
    size_t HeapSize() const {
        uint32_t size;
        std::memcpy(&size, bytes_ + kSizeAt, sizeof size);
        return size;
    }
    void SetLocalSize(size_t size) {
        bytes_[size] = 0;
        bytes_[kTag] = char(kLocal - size);
    }
    void SetHeap(char* pointer, size_t size) {
        const uint32_t size32 = uint32_t(size);
        std::memcpy(bytes_, &pointer, sizeof pointer);
        std::memcpy(bytes_ + kSizeAt, &size32, sizeof size32);
        bytes_[kTag] = kHeap;
    }
    void Release() noexcept {
        if (OnHeap()) delete[] HeapData();
    }

    char bytes_[16];
};

static_assert(sizeof(Text) == 16, "a record's text takes 16 bytes");
