#include "core/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

namespace quorstat {
namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("quorstat_atomic_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(AtomicFileTest, ReplacesContentAndLeavesNoTemporaryFile) {
    const auto path = dir_ / "qs.dat";
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    ASSERT_TRUE(WriteFileAtomically(path, std::string("n\0ew", 4)));
    EXPECT_EQ(*ReadWholeFile(path), std::string("n\0ew", 4));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(AtomicFileTest, AppliesTheRequestedMode) {
    const auto path = dir_ / "ud.dat";
    ASSERT_TRUE(WriteFileAtomically(path, "secret", std::filesystem::perms(0600)));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(AtomicFileTest, FailureKeepsTheOldFile) {
    const auto path = dir_ / "config.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "kept"));
    EXPECT_FALSE(WriteFileAtomically(dir_ / "missing" / "config.ini", "x"));
    EXPECT_EQ(*ReadWholeFile(path), "kept");
    EXPECT_FALSE(ReadWholeFile(dir_ / "absent").has_value());
}

}  // namespace
}  // namespace quorstat
