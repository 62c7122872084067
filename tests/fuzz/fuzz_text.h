// Fuzzer input read as the program's wide texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavolin::fuzz {

// Each byte is one character, so a seed file reads as the text it holds; a
// byte 0xFF and the two after it make one character beyond Latin-1.
inline std::wstring WideText(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            text += static_cast<wchar_t>(data[i + 1] | data[i + 2] << 8);
            i += 2;
        } else {
            text += static_cast<wchar_t>(data[i]);
        }
    }
    return text;
}

// The text cut at its first `count - 1` line breaks; the last field keeps the
// rest, line breaks included. Missing fields are empty.
inline std::vector<std::wstring> Fields(const uint8_t* data, size_t size, size_t count) {
    const std::wstring text = WideText(data, size);
    std::vector<std::wstring> fields;
    size_t start = 0;
    while (fields.size() + 1 < count) {
        const size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) break;
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    fields.push_back(text.substr(start));
    fields.resize(count);
    return fields;
}

// Upper or lower case for ASCII letters only, as the C locale the fuzzers
// run in folds them.
inline std::wstring AsciiCase(std::wstring text, bool upper) {
    for (wchar_t& c : text) {
        if (upper && c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if (!upper && c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

}  // namespace tavolin::fuzz
