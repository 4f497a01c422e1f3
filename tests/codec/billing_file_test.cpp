#include "codec/billing_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(BillingFile, RecordsAreAppendedAsCrLfLinesAndTheFileIsCreated) {
  std::string path = (std::filesystem::temp_directory_path() / ("bill-" + std::to_string(getpid()))).string();
  std::filesystem::remove(path);
  EXPECT_TRUE(AppendBillingRecord(path, "first;201"));
  EXPECT_TRUE(AppendBillingRecord(path, "second;202"));
  EXPECT_EQ(ReadAll(path), "first;201\r\nsecond;202\r\n");
  std::filesystem::remove(path);
}

TEST(BillingFile, ALockedOrUnreachableFileFailsAndWritesNothing) {
  std::string path = (std::filesystem::temp_directory_path() / ("bill-lock-" + std::to_string(getpid()))).string();
  std::ofstream(path) << "";
  int holder = open(path.c_str(), O_RDONLY);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  EXPECT_FALSE(AppendBillingRecord(path, "record"));
  close(holder);
  EXPECT_EQ(ReadAll(path), "");
  EXPECT_FALSE(AppendBillingRecord("/nonexistent-dir/DATA.NEW", "record"));
  std::filesystem::remove(path);
}
