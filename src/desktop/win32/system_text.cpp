#include "desktop/win32/system_text.h"

#include <array>
#include <cwctype>

#include "win32/handles.h"

namespace tavolin {

namespace {

// The message, its inserts read from the array, or left as marks without one.
std::wstring Format(unsigned long error, const DWORD_PTR* inserts) {
    wchar_t* buffer = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                        (inserts ? FORMAT_MESSAGE_ARGUMENT_ARRAY : FORMAT_MESSAGE_IGNORE_INSERTS);
    const DWORD length =
        FormatMessageW(flags, nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                       reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    const owned::LocalMemory made(buffer);
    std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
    text.erase(text.find_last_not_of(L" \t\r\n") + 1);
    return text;
}

bool HasInsert(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == L'%' && std::iswdigit(text[i + 1])) return true;
    return false;
}

// Takes out the blank an empty insert leaves doubled or before a stop.
std::wstring CloseGaps(const std::wstring& text) {
    std::wstring closed;
    for (wchar_t c : text) {
        if ((c == L' ' || c == L'.' || c == L',') && closed.ends_with(L' ')) closed.pop_back();
        closed += c;
    }
    return closed.substr(closed.starts_with(L' ') ? 1 : 0);
}

}  // namespace

std::wstring SystemText(unsigned long error, const std::wstring& subject) {
    std::wstring text = Format(error, nullptr);
    if (HasInsert(text)) {
        // Every insert a message may hold (%1 to %99) reads the subject.
        std::array<DWORD_PTR, 99> inserts;
        inserts.fill(reinterpret_cast<DWORD_PTR>(subject.c_str()));
        const std::wstring filled = Format(error, inserts.data());
        text = subject.empty() ? CloseGaps(filled) : filled;
    }
    if (text.empty()) text = L"System error " + std::to_wstring(error) + L".";
    return text;
}

Failure LastFailure(const std::wstring& subject) {
    return Failure{SystemText(GetLastError(), subject)};
}

}  // namespace tavolin
