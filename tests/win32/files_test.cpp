// Directory and file lists, deleting, long paths and the Windows directory.
#include "desktop/win32/win32_desktop.h"
#include "fixture.h"

namespace tavolin::win32test {
namespace {

using Names = std::vector<std::wstring>;

std::string Listed(const Result<Names>& names) {
    if (!names.ok()) return "failure: " + Narrow(names.failure().description);
    std::string text;
    for (const std::wstring& name : names.value()) text += Narrow(name) + "\n";
    return text;
}

TEST(Files, ListsVisibleEntriesSortedWithoutRegardToCase) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    for (const wchar_t* name : {L"zeta.exe", L"Alpha.EXE", L"beta.exe", L"Gamma.Com", L"delta.BAT",
                                L"readme.txt", L"noext", L"hidden.exe", L"system.exe"})
        MakeFile(scratch / name);
    SetFileAttributesW((scratch / L"hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((scratch / L"system.exe").c_str(), FILE_ATTRIBUTE_SYSTEM);
    for (const wchar_t* name : {L"b_dir", L"A_dir", L"Tools.exe", L"secret"})
        MakeDirectory(scratch / name);
    SetFileAttributesW((scratch / L"secret").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(Listed(desktop.MatchingFiles(scratch.path(), L"*.exe;*.com;*.bat")),
              "Alpha.EXE\nbeta.exe\ndelta.BAT\nGamma.Com\nzeta.exe\n");
    EXPECT_EQ(Listed(desktop.MatchingFiles(scratch.path(), L"*.*")),
              "Alpha.EXE\nbeta.exe\ndelta.BAT\nGamma.Com\nnoext\nreadme.txt\nzeta.exe\n");
    EXPECT_EQ(Listed(desktop.MatchingFiles(scratch.path() + L"\\", L"*.TXT")), "readme.txt\n");
    EXPECT_EQ(Listed(desktop.Subdirectories(scratch.path())), "A_dir\nb_dir\nTools.exe\n");
    EXPECT_EQ(Listed(desktop.Subdirectories(scratch / L"A_dir")), "");

    const std::string missing = "failure: " + Narrow(ExpectedText(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Listed(desktop.Subdirectories(scratch / L"missing")), missing);
    EXPECT_EQ(Listed(desktop.MatchingFiles(scratch / L"missing", L"*.*")), missing);
}

TEST(Files, DeletingAReadOnlyFileFailsAndKeepsIt) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    const std::wstring file = scratch / L"keep.txt";
    MakeFile(file);
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));

    Outcome failure = desktop.DeleteFile(file);
    ASSERT_TRUE(failure.failed());
    EXPECT_EQ(Narrow(failure.failure().description), Narrow(ExpectedText(ERROR_ACCESS_DENIED)));
    EXPECT_TRUE(Exists(file));

    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(desktop.DeleteFile(file).ok());
    EXPECT_FALSE(Exists(file));

    failure = desktop.DeleteFile(file);
    ASSERT_TRUE(failure.failed());
    EXPECT_EQ(Narrow(failure.failure().description), Narrow(ExpectedText(ERROR_FILE_NOT_FOUND)));
}

TEST(Files, NamesEndingInADotOrBlankAreListedAndDeletedThemselvesNotTheirNeighbours) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    // Neighbours that the plain form of each path would reach instead.
    for (const wchar_t* directory : {L"sub.", L"sub", L"two ", L"two"})
        MakeDirectory(scratch / directory);
    MakeFile(scratch / L"sub.\\victim.txt", "dot");
    MakeFile(scratch / L"sub\\victim.txt", "plain");
    MakeFile(scratch / L"sub\\other.txt");
    MakeFile(scratch / L"two \\blank.txt");
    MakeFile(scratch / L"two\\victim.txt.");
    MakeFile(scratch / L"two\\victim.txt");

    EXPECT_EQ(Listed(desktop.Subdirectories(scratch.path())), "sub\nsub.\ntwo\ntwo \n");
    EXPECT_EQ(Listed(desktop.MatchingFiles(scratch / L"sub.", L"*.*")), "victim.txt\n");
    EXPECT_EQ(Listed(desktop.MatchingFiles(scratch / L"two ", L"*.*")), "blank.txt\n");
    EXPECT_EQ(Listed(desktop.Subdirectories(scratch / L"sub.")), "");

    EXPECT_TRUE(desktop.DeleteFile(scratch / L"sub.\\victim.txt").ok());
    EXPECT_FALSE(Exists(scratch / L"sub.\\victim.txt"));
    EXPECT_TRUE(Exists(scratch / L"sub\\victim.txt"));
    EXPECT_TRUE(desktop.DeleteFile(scratch / L"two\\victim.txt.").ok());
    EXPECT_FALSE(Exists(scratch / L"two\\victim.txt."));
    EXPECT_TRUE(Exists(scratch / L"two\\victim.txt"));
    // Gone already: a second delete fails and its neighbour stays.
    EXPECT_TRUE(desktop.DeleteFile(scratch / L"sub.\\victim.txt").failed());
    EXPECT_TRUE(Exists(scratch / L"sub\\victim.txt"));
}

TEST(Files, LongPathsAreListedAndDeleted) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    std::wstring deep = scratch.path();
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(40, L'd');
        MakeDirectory(deep);
    }
    MakeDirectory(deep + L"\\inner");
    MakeFile(deep + L"\\Long.exe");

    EXPECT_EQ(Listed(desktop.Subdirectories(deep)), "inner\n");
    EXPECT_EQ(Listed(desktop.MatchingFiles(deep, L"*.exe")), "Long.exe\n");
    EXPECT_TRUE(desktop.DeleteFile(deep + L"\\Long.exe").ok());
    EXPECT_FALSE(Exists(deep + L"\\Long.exe"));
}

TEST(WindowsDirectory, IsThePrefixsWindowsDirectory) {
    Win32Desktop desktop;
    wchar_t windir[MAX_PATH + 1];
    ASSERT_GT(GetEnvironmentVariableW(L"windir", windir, MAX_PATH + 1), 0u);
    EXPECT_EQ(CompareStringOrdinal(desktop.WindowsDirectory().c_str(), -1, windir, -1, TRUE),
              CSTR_EQUAL)
        << Narrow(desktop.WindowsDirectory());
}

}  // namespace
}  // namespace tavolin::win32test
