// A file's bytes, never more than the limit.
#include "app/file_bytes.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace app {
namespace {

struct ReadRow {
    const char* name;
    std::size_t bytes;  // written into the file
    std::uint64_t limit;
    bool pipe;  // read through a pipe, which says no size
    FileProblem problem;
};

class ReadAll : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ReadAll, EveryByteUpToTheLimit) {
    const ReadRow& row = GetParam();
    const std::string content(row.bytes, 'x');
    std::FILE* file = std::tmpfile();
    if (row.pipe) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        ASSERT_EQ(write(ends[1], content.data(), content.size()),
                  static_cast<ssize_t>(content.size()));
        close(ends[1]);
        std::fclose(file);
        file = fdopen(ends[0], "rb");
    } else {
        std::fwrite(content.data(), 1, content.size(), file);
        std::rewind(file);
    }
    ASSERT_NE(file, nullptr);
    const FileBytes read = readAll(file, 0, row.limit);
    std::fclose(file);
    EXPECT_EQ(read.problem, row.problem);
    EXPECT_EQ(read.bytes, row.problem == FileProblem::None ? content : std::string{});
}

// 65536 bytes are read at a time; a file's own size is asked after the first.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, ReadAll,
    ::testing::Values(ReadRow{"ExactlyTheLimit", 10, 10, false, FileProblem::None},
                      ReadRow{"OneByteOver", 11, 10, false, FileProblem::TooLarge},
                      ReadRow{"SeveralPieces", 200000, 200000, false, FileProblem::None},
                      ReadRow{"OverAfterTheFirstPiece", 200001, 200000, false, FileProblem::TooLarge},
                      ReadRow{"APipeOver", 11, 10, true, FileProblem::TooLarge}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(ReadAll, AFileThatDidNotOpenIsMissingOnlyWhenNothingIsThere) {
    EXPECT_EQ(readAll(nullptr, ENOENT, 10).problem, FileProblem::Missing);
    EXPECT_EQ(readAll(nullptr, EACCES, 10).problem, FileProblem::Unreadable);
}

}  // namespace
}  // namespace app
