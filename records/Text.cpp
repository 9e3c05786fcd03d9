#include "Text.h"

#include <ostream>
#include <stdexcept>

Text& Text::assign(const char* text, size_t size) {
    if (size <= kLocal) {
        if (!OnHeap()) {
            // `text` may lie in the bytes inside.
            if (size) std::memmove(bytes_, text, size);
            SetLocalSize(size);
            return *this;
        }
        // Copied aside first: `text` may lie in the allocation.
        char copy[kLocal];
        if (size) std::memcpy(copy, text, size);
        Release();
        std::memcpy(bytes_, copy, size);
        SetLocalSize(size);
        return *this;
    }
    if (size > UINT32_MAX - 1) throw std::length_error("Text");
    if (OnHeap() && HeapSize() == size) {
        std::memmove(HeapData(), text, size);
        return *this;
    }
    char* bytes = new char[size + 1];
    std::memcpy(bytes, text, size);
    bytes[size] = 0;
    Release();
    SetHeap(bytes, size);
    return *this;
}

Text& Text::operator+=(std::string_view more) {
    std::string joined;
    joined.reserve(size() + more.size());
    joined.append(data(), size()).append(more.data(), more.size());
    return assign(joined.data(), joined.size());
}

namespace {

std::string Join(std::string_view a, std::string_view b) {
    std::string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a.data(), a.size()).append(b.data(), b.size());
    return joined;
}

}  // namespace

std::string operator+(const Text& a, std::string_view b) { return Join(a, b); }
std::string operator+(std::string_view a, const Text& b) { return Join(a, b); }
std::string operator+(const Text& a, const Text& b) { return Join(a, b); }
std::string operator+(const Text& a, const char* b) { return Join(a, b); }
std::string operator+(const char* a, const Text& b) { return Join(a, b); }
std::string operator+(const Text& a, const std::string& b) { return Join(a, b); }
std::string operator+(const std::string& a, const Text& b) { return Join(a, b); }
std::string operator+(std::string&& a, const Text& b) { return std::move(a.append(b.data(), b.size())); }
std::string operator+(const Text& a, char b) { return Join(a, std::string_view(&b, 1)); }

std::ostream& operator<<(std::ostream& out, const Text& text) { return out << text.view(); }
