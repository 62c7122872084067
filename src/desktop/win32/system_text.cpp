#include "desktop/win32/system_text.h"

#include "desktop/win32/windows_h.h"

namespace tavolin {

std::wstring SystemText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    text.erase(text.find_last_not_of(L" \t\r\n") + 1);
    if (text.empty()) text = L"System error " + std::to_wstring(error) + L".";
    return text;
}

Failure LastFailure() {
    return Failure{SystemText(GetLastError())};
}

}  // namespace tavolin
