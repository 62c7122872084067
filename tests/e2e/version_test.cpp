// What Tavolin.exe tells about itself without running: the version resource
// that the file's properties show, and the manifest that makes it sharp at
// any resolution in the classic look.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"

namespace {

std::wstring TavolinPath() { return e2e::ProgramDirectory() + L"\\Tavolin.exe"; }

class VersionInfo {
public:
    explicit VersionInfo(const std::wstring& file) {
        DWORD ignored = 0;
        data_.resize(GetFileVersionInfoSizeW(file.c_str(), &ignored));
        if (data_.empty() ||
            !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data()))
            data_.clear();
    }
    bool ok() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const {
        void* value = nullptr;
        UINT size = 0;
        return ok() && VerQueryValueW(data_.data(), L"\\", &value, &size) &&
                       size >= sizeof(VS_FIXEDFILEINFO)
                   ? static_cast<const VS_FIXEDFILEINFO*>(value)
                   : nullptr;
    }

    // A string of the first language the file declares, as Explorer reads it.
    std::wstring String(const std::wstring& name) const {
        struct Translation {
            WORD language, codePage;
        };
        void* value = nullptr;
        UINT size = 0;
        if (!ok() || !VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &size) ||
            size < sizeof(Translation))
            return L"(no translation)";
        const auto* translation = static_cast<const Translation*>(value);
        wchar_t path[64];
        swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                 translation->codePage, name.c_str());
        if (!VerQueryValueW(data_.data(), path, &value, &size) || size == 0) return L"(missing)";
        return static_cast<const wchar_t*>(value);
    }

private:
    std::vector<char> data_;
};

std::string Manifest() {
    const HMODULE module = LoadLibraryExW(
        TavolinPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST))
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)),
                        SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

// The text of the first element of this name whose own start tag declares
// the namespace, or "(absent)".
std::string ElementText(const std::string& xml, const std::string& name, const std::string& xmlns) {
    for (size_t at = xml.find("<" + name); at != std::string::npos;
         at = xml.find("<" + name, at + 1)) {
        const size_t tagEnd = xml.find('>', at);
        if (tagEnd == std::string::npos) break;
        const std::string tag = xml.substr(at, tagEnd - at);
        const char next = tag.size() > name.size() + 1 ? tag[name.size() + 1] : '>';
        if (next != ' ' && next != '>') continue;  // a longer name
        if (tag.find("xmlns=\"" + xmlns + "\"") == std::string::npos) continue;
        const size_t close = xml.find("</" + name + ">", tagEnd);
        if (close == std::string::npos) break;
        std::string text = xml.substr(tagEnd + 1, close - tagEnd - 1);
        text.erase(0, text.find_first_not_of(" \t\r\n"));
        text.erase(text.find_last_not_of(" \t\r\n") + 1);
        return text;
    }
    return "(absent)";
}

TEST(Version, PropertiesShowTavolin21) {
    const VersionInfo info(TavolinPath());
    ASSERT_TRUE(info.ok()) << "Tavolin.exe has no version resource";
    EXPECT_EQ(info.String(L"ProductName"), L"Tavolin");
    EXPECT_EQ(info.String(L"ProductVersion"), L"2.1");
    EXPECT_EQ(info.String(L"FileDescription"), L"Tavolin 2.1");
    EXPECT_EQ(info.String(L"FileVersion"), L"2.1");
    EXPECT_EQ(info.String(L"OriginalFilename"), L"Tavolin.exe");

    const VS_FIXEDFILEINFO* fixed = info.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // The numbers Explorer shows beside the strings: 2.1.0.0.
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(1, 2)));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(1, 2)));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(Version, ManifestAsksForPerMonitorDpiAndTheClassicLook) {
    const std::string manifest = Manifest();
    ASSERT_FALSE(manifest.empty()) << "Tavolin.exe has no manifest resource 1";
    EXPECT_EQ(manifest.rfind("<?xml", 0), 0u) << "the manifest does not start as XML";
    EXPECT_EQ(ElementText(manifest, "dpiAwareness",
                          "http://schemas.microsoft.com/SMI/2016/WindowsSettings"),
              "PerMonitorV2");
    // Systems before the element above read this one.
    EXPECT_EQ(
        ElementText(manifest, "dpiAware", "http://schemas.microsoft.com/SMI/2005/WindowsSettings"),
        "true/pm");
    // The classic look: no dependency on version 6 of the common controls.
    EXPECT_EQ(manifest.find("dependentAssembly"), std::string::npos);
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

}  // namespace
