// The debug output directory helper, run on scratch directories inside the build tree.
#include "log/temp_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

class TempDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // The status of one call and what it printed on stderr.
  std::pair<int, std::string> Create(std::optional<std::string> path) {
    testing::internal::CaptureStderr();
    int status = CreateTandraTempDirectory(path ? path->data() : nullptr);
    return {status, testing::internal::GetCapturedStderr()};
  }

  const fs::path root_ = fs::path(TWAINTRACE_TEST_SCRATCH_DIR) / "temp-directory";
};

// The subdirectory is made once, and under a host's umask of 0 still takes no files from other
// users; made again it is a duplicate, and so is a link planted at its name, its target left as
// it was. A null path is refused.
TEST_F(TempDirectory, CreatesTheSubdirectoryOnceForItsOwnerAndNeverThroughALink) {
  mode_t saved = umask(0);
  std::pair<int, std::string> made = Create(root_.string());
  umask(saved);
  EXPECT_EQ(made, std::make_pair(0, std::string()));
  EXPECT_EQ(fs::status(root_ / "VELIXScanTwainLog").permissions(), fs::perms(0755));
  EXPECT_EQ(Create(root_.string()), std::make_pair(-48, std::string()));
  EXPECT_EQ(Create(std::nullopt), std::make_pair(-50, std::string()));

  const fs::path other = root_ / "other";
  fs::create_directories(other / "target");
  fs::create_directory_symlink(other / "target", other / "VELIXScanTwainLog");
  EXPECT_EQ(Create(other.string()), std::make_pair(-48, std::string()));
  EXPECT_TRUE(fs::is_empty(other / "target"));
}

TEST_F(TempDirectory, FailuresGiveClassicStatusAndNameOnlyAnUnresolvablePath) {
  const std::string missing = (root_ / "missing").string();
  EXPECT_EQ(Create(missing),
            std::make_pair(-43, "Output debug image data file is put in: " + missing + " "));
  EXPECT_FALSE(fs::exists(missing));

  std::ofstream(root_ / "file").put('x');
  const std::string throughFile = (root_ / "file" / "below").string();
  EXPECT_EQ(Create(throughFile),
            std::make_pair(-120, "Output debug image data file is put in: " + throughFile + " "));
  EXPECT_EQ(Create((root_ / "file").string()), std::make_pair(-120, std::string()));
}

TEST_F(TempDirectory, PathLongerThan255BytesIsUsedWhole) {
  fs::path deep = root_;
  while (deep.string().size() < 300) deep /= std::string(40, 'd');
  fs::create_directories(deep);
  EXPECT_EQ(Create(deep.string()), std::make_pair(0, std::string()));
  EXPECT_TRUE(fs::is_directory(deep / "VELIXScanTwainLog"));
}

}  // namespace
