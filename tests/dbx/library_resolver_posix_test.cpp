#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "dbx/connection.h"

namespace dbx {
namespace {

namespace fs = std::filesystem;

// COMPPLACE_FAKE_HOST_LIBRARY: the stand-in library, built as libdbx32.so
// beside this test executable.
const fs::path kFakeHost = COMPPLACE_FAKE_HOST_LIBRARY;

class LibraryResolver : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("compplace-dbx-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path library() const { return folder_ / "libdbx32.so"; }
    void putLibrary() const { fs::copy_file(kFakeHost, library()); }

  private:
    fs::path folder_;
};

TEST_F(LibraryResolver, CallsThroughTheLoadedLibraryByPlainName) {
    putLibrary();
    Connection connection(makeLibraryResolver(library().string()));
    EXPECT_EQ(connection.openDesign(), kSuccess);
    // The stand-in wrote the version it received into the context.
    EXPECT_EQ(connection.context().bytes[0], 16000 & 0xFF);
    EXPECT_EQ(connection.context().bytes[1], 16000 >> 8);
    EXPECT_EQ(connection.closeDesign(), kSuccess);
    // A function the library lacks fails alone; the library is not missing.
    DesignRecord design;
    EXPECT_EQ(connection.getDesignInfo(design), kNotBound);
    EXPECT_FALSE(connection.hostLibraryMissing());
}

TEST_F(LibraryResolver, LoadsTheLibraryOnTheFirstLookUpNotBefore) {
    const auto resolver = makeLibraryResolver(library().string());
    putLibrary();
    EXPECT_NE(resolver->resolve("TOpenDesign"), nullptr);
    EXPECT_EQ(resolver->resolve("TGetDesignInfo"), nullptr);
}

TEST_F(LibraryResolver, RemembersAFailedLoadInsteadOfTryingAgain) {
    const auto resolver = makeLibraryResolver(library().string());
    EXPECT_FALSE(resolver->libraryMissing());  // not looked for yet
    EXPECT_EQ(resolver->resolve("TOpenDesign"), nullptr);
    EXPECT_TRUE(resolver->libraryMissing());
    putLibrary();
    EXPECT_EQ(resolver->resolve("TOpenDesign"), nullptr);
    EXPECT_NE(makeLibraryResolver(library().string())->resolve("TOpenDesign"), nullptr);
}

TEST_F(LibraryResolver, WithoutAPathLoadsTheLibraryBesideTheExecutable) {
    ASSERT_EQ(kFakeHost.filename(), "libdbx32.so");
    ASSERT_EQ(kFakeHost.parent_path(), fs::read_symlink("/proc/self/exe").parent_path());
    Connection connection(makeLibraryResolver());
    EXPECT_EQ(connection.openDesign(), kSuccess);
}

}  // namespace
}  // namespace dbx
