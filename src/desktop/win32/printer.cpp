// The printer job on the default printer with GDI: one document per job,
// each line at the left edge of the printable area, new pages as they fill.
#include "desktop/win32/printer.h"

#include <memory>

#include "desktop/win32/system_text.h"
#include "win32/handles.h"
#include "win32/system_library.h"

namespace tavolin {

namespace {

constexpr wchar_t kDocumentName[] = L"Tavolin Help";

// A printer's own default font can be so large that long lines run off the
// page; a 10-point fixed-pitch face fits lines of 80 characters and more on
// any common paper and keeps runs of blanks as wide as they are meant.
constexpr int kFontPoints = 10;
constexpr wchar_t kFontFace[] = L"Courier New";

// GDI often fails without setting an error code; then the step's own text
// says what went wrong.
Failure StepFailure(const wchar_t* whatFailed) {
    const DWORD error = GetLastError();
    return Failure{error != ERROR_SUCCESS ? SystemText(error) : std::wstring(whatFailed)};
}

// The spooler library is large and slow to load; only printing needs it,
// so it is loaded at the first print rather than at start-up.
using GetDefaultPrinterFunction = BOOL(WINAPI*)(LPWSTR, LPDWORD);

GetDefaultPrinterFunction LoadGetDefaultPrinter() {
    static const auto function = system_library::FunctionOf<GetDefaultPrinterFunction>(
        system_library::LoadSystemLibrary(L"winspool.drv"), "GetDefaultPrinterW");
    return function;
}

Result<std::wstring> DefaultPrinterName() {
    const GetDefaultPrinterFunction getDefaultPrinter = LoadGetDefaultPrinter();
    if (!getDefaultPrinter) return StepFailure(L"The printing system cannot be loaded.");
    DWORD size = 0;
    SetLastError(ERROR_SUCCESS);
    if (!getDefaultPrinter(nullptr, &size) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return Failure{L"No default printer is installed."};
        return StepFailure(L"The default printer cannot be found.");
    }
    std::wstring name(size, L'\0');
    if (!getDefaultPrinter(name.data(), &size))
        return StepFailure(L"The default printer cannot be found.");
    name.resize(size > 0 ? size - 1 : 0);  // the count includes the terminating zero
    return name;
}

}  // namespace

// A document in progress; abandoned at the printer unless it was ended.
struct Win32Printer::Job {
    owned::GdiObject<HFONT> font;  // outlives the DC it is selected into
    owned::MadeDc dc;
    bool documentOpen = false;
    int pageHeight = 0;  // of the printable area, in device units
    int lineHeight = 0;
    int nextTop = 0;  // where the next line starts on the current page

    ~Job() {
        if (documentOpen) AbortDoc(dc.get());
    }

    // Opens the default printer and starts a document and its first page in
    // the slot; the slot stays empty on failure.
    static Outcome Begin(std::unique_ptr<Job>& slot) {
        auto job = std::make_unique<Job>();
        if (Outcome step = job->Start(); step.failed()) return step;
        slot = std::move(job);
        return Outcome();
    }

    Outcome Start() {
        const Result<std::wstring> printer = DefaultPrinterName();
        if (!printer.ok()) return printer.failure();
        SetLastError(ERROR_SUCCESS);
        dc.reset(CreateDCW(L"WINSPOOL", printer.value().c_str(), nullptr, nullptr));
        if (!dc) {
            const std::wstring text = L"The printer \"" + printer.value() + L"\" cannot be opened.";
            return StepFailure(text.c_str());
        }

        SetLastError(ERROR_SUCCESS);
        font.reset(CreateFontW(-MulDiv(kFontPoints, GetDeviceCaps(dc.get(), LOGPIXELSY), 72), 0, 0,
                               0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, kFontFace));
        if (!font || !SelectObject(dc.get(), font.get()))
            return StepFailure(L"The printer's font cannot be set.");
        TEXTMETRICW metrics{};
        if (!GetTextMetricsW(dc.get(), &metrics))
            return StepFailure(L"The printer's font cannot be measured.");
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        pageHeight = GetDeviceCaps(dc.get(), VERTRES);

        DOCINFOW document{};
        document.cbSize = sizeof(document);
        document.lpszDocName = kDocumentName;
        SetLastError(ERROR_SUCCESS);
        if (StartDocW(dc.get(), &document) <= 0)
            return StepFailure(L"The printer did not accept the document.");
        documentOpen = true;
        return StartNextPage();
    }

    Outcome StartNextPage() {
        SetLastError(ERROR_SUCCESS);
        if (StartPage(dc.get()) <= 0) return StepFailure(L"The printer could not start a page.");
        // Some systems reset the DC at each page.
        SelectObject(dc.get(), font.get());
        nextTop = 0;
        return Outcome();
    }

    Outcome FinishPage() {
        SetLastError(ERROR_SUCCESS);
        if (EndPage(dc.get()) <= 0) return StepFailure(L"The printer could not finish a page.");
        return Outcome();
    }

    Outcome Print(const std::wstring& text) {
        // A line that would be cut off at the bottom starts the next page; a
        // line taller than a whole page can only go on a page of its own.
        if (nextTop > 0 && nextTop + lineHeight > pageHeight) {
            if (Outcome step = FinishPage(); step.failed()) return step;
            if (Outcome step = StartNextPage(); step.failed()) return step;
        }
        SetLastError(ERROR_SUCCESS);
        // The device origin is the printable area's top-left corner.
        if (!TextOutW(dc.get(), 0, nextTop, text.c_str(), static_cast<int>(text.size())))
            return StepFailure(L"The printer could not print a line.");
        nextTop += lineHeight;
        return Outcome();
    }

    Outcome End() {
        if (Outcome step = FinishPage(); step.failed()) return step;
        SetLastError(ERROR_SUCCESS);
        if (EndDoc(dc.get()) <= 0)
            return StepFailure(L"The printer could not finish the document.");
        documentOpen = false;
        return Outcome();
    }
};

Win32Printer::Win32Printer() = default;
Win32Printer::~Win32Printer() = default;

Outcome Win32Printer::PrintLine(const std::wstring& text) {
    if (!job_)
        if (Outcome step = Job::Begin(job_); step.failed()) return step;
    Outcome printed = job_->Print(text);
    if (printed.failed()) job_.reset();
    return printed;
}

Outcome Win32Printer::EndDocument() {
    // A document never begun is still sent (one empty page), so a missing
    // printer is reported either way.
    if (!job_)
        if (Outcome step = Job::Begin(job_); step.failed()) return step;
    Outcome ended = job_->End();
    job_.reset();
    return ended;
}

void Win32Printer::AbortDocument() { job_.reset(); }

}  // namespace tavolin
