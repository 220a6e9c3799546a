#include "dbx/library_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dbx {
namespace {

struct FolderCase {
    const wchar_t* folder;
    bool absolute;
};

class AbsoluteFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(AbsoluteFolder, OnlyFoldersThatDoNotDependOnTheCurrentDirectory) {
    EXPECT_EQ(isAbsoluteFolder(GetParam().folder), GetParam().absolute);
}

INSTANTIATE_TEST_SUITE_P(Folders, AbsoluteFolder,
                         ::testing::Values(FolderCase{L"C:\\Host", true},
                                           FolderCase{L"d:/host", true},
                                           FolderCase{L"\\\\server\\share", true},
                                           FolderCase{L"C:", false}, FolderCase{L"C:host", false},
                                           FolderCase{L"\\host", false}, FolderCase{L"\\\\", false},
                                           FolderCase{L".", false}, FolderCase{L".\\bin", false},
                                           FolderCase{L"host", false}, FolderCase{L"", false}));

TEST(HostLibraryCandidates, ProgramFolderThenSystemThenWindowsThenAbsolutePathEntries) {
    const SearchFolders folders{
        .executable = L"C:\\Tools",
        .system = L"C:\\Windows\\system32",
        .windows = L"C:\\Windows\\",
        .pathVariable = L".;C:\\Host\\Bin;;relative;\"C:\\Program Files;x\";\\\\srv\\p\\",
    };
    const std::vector<std::wstring> expected{
        L"C:\\Tools\\dbx32.dll",     L"C:\\Windows\\system32\\dbx32.dll", L"C:\\Windows\\dbx32.dll",
        L"C:\\Host\\Bin\\dbx32.dll", L"C:\\Program Files;x\\dbx32.dll",   L"\\\\srv\\p\\dbx32.dll",
    };
    EXPECT_EQ(hostLibraryCandidates(folders), expected);
}

TEST(HostLibraryCandidates, NothingKnownGivesNothingToTry) {
    EXPECT_TRUE(hostLibraryCandidates({}).empty());
    EXPECT_TRUE(hostLibraryCandidates({{}, {}, {}, L";.;.\\;bin"}).empty());
}

}  // namespace
}  // namespace dbx
