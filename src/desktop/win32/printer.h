// The printer job on the default printer, used by the Win32 desktop.
#pragma once

#include <memory>
#include <string>

#include "desktop/desktop.h"

namespace tavolin {

class Win32Printer {
public:
    Win32Printer();
    ~Win32Printer();
    Outcome PrintLine(const std::wstring& text);
    Outcome EndDocument();
    void AbortDocument();

private:
    struct Job;
    std::unique_ptr<Job> job_;
};

}  // namespace tavolin
