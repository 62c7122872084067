// Current drive and per-drive current directories, kept as the command shell
// keeps them, across drives C: and T:; the unreadable drive U:.
#include "desktop/win32/win32_desktop.h"
#include "fixture.h"

namespace tavolin::win32test {
namespace {

std::wstring DirectoryOf(Win32Desktop& desktop, const std::wstring& drive) {
    const Result<std::wstring> directory = desktop.DriveDirectory(drive);
    if (!directory.ok()) return L"failure: " + directory.failure().description;
    return directory.value();
}

TEST(Drives, ListsEveryDriveByLowerCaseLetterAndColon) {
    const std::vector<std::wstring> drives = Win32Desktop().Drives();
    std::wstring letters;
    for (const std::wstring& entry : drives) {
        ASSERT_GE(entry.size(), 2u);
        EXPECT_TRUE(entry[0] >= L'a' && entry[0] <= L'z') << Narrow(entry);
        EXPECT_EQ(entry[1], L':') << Narrow(entry);
        // Anything after the colon is a label in brackets.
        if (entry.size() > 2) {
            EXPECT_EQ(entry.substr(2, 2), L" [") << Narrow(entry);
            EXPECT_EQ(entry.back(), L']') << Narrow(entry);
        }
        letters += entry[0];
    }
    EXPECT_NE(letters.find(L'c'), std::wstring::npos) << Narrow(letters);
    EXPECT_NE(letters.find(L't'), std::wstring::npos) << Narrow(letters);
    EXPECT_NE(letters.find(L'u'), std::wstring::npos) << Narrow(letters);
}

TEST(Drives, EachDriveKeepsItsOwnCurrentDirectory) {
    Win32Desktop desktop;
    const std::wstring before = CurrentDirectory();
    ScratchDirectory onC(DriveCBase());
    ScratchDirectory onT(DriveTBase());
    MakeDirectory(onT / L"sub");

    ASSERT_TRUE(desktop.ChangeDrive(L"C:\\").ok());
    ASSERT_TRUE(desktop.ChangeDirectory(onC.path()).ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onC.path()));

    // Another drive's directory is set without leaving drive C:.
    ASSERT_TRUE(desktop.ChangeDirectory(onT.path()).ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onC.path()));
    EXPECT_EQ(Narrow(DirectoryOf(desktop, L"t:")), Narrow(onT.path()));
    EXPECT_EQ(Narrow(DirectoryOf(desktop, L"c: [ANY LABEL]")), Narrow(onC.path()));

    // Changing drive lands in that drive's own directory.
    ASSERT_TRUE(desktop.ChangeDrive(L"t:").ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onT.path()));
    EXPECT_EQ(Narrow(DirectoryOf(desktop, L"c:")), Narrow(onC.path()));

    // A relative path is taken from the current directory of its drive.
    ASSERT_TRUE(desktop.ChangeDirectory(L"sub").ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onT / L"sub"));

    // Back and forth: each drive returns to where it was left.
    ASSERT_TRUE(desktop.ChangeDrive(L"C:\\WINDOWS").ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onC.path()));
    ASSERT_TRUE(desktop.ChangeDirectory(L"T:..").ok());
    EXPECT_EQ(Narrow(DirectoryOf(desktop, L"t:")), Narrow(onT.path()));
    ASSERT_TRUE(desktop.ChangeDrive(L"T:").ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onT.path()));
    ASSERT_TRUE(desktop.ChangeDrive(L"c:").ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onC.path()));

    // A missing directory or an unreadable drive fails and changes nothing.
    Outcome failure = desktop.ChangeDirectory(onT / L"missing");
    ASSERT_TRUE(failure.failed());
    EXPECT_EQ(Narrow(failure.failure().description), Narrow(ExpectedText(ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(Narrow(DirectoryOf(desktop, L"t:")), Narrow(onT.path()));
    failure = desktop.ChangeDrive(L"U:");
    ASSERT_TRUE(failure.failed());
    EXPECT_FALSE(failure.failure().description.empty());
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(onC.path()));
    const Result<std::wstring> unreadable = desktop.DriveDirectory(L"u:");
    ASSERT_FALSE(unreadable.ok());
    EXPECT_FALSE(unreadable.failure().description.empty());

    // Leave drive T: before its scratch directory goes.
    ASSERT_TRUE(desktop.ChangeDirectory(L"T:\\").ok());
    SetCurrentDirectoryW(before.c_str());
}

}  // namespace
}  // namespace tavolin::win32test
