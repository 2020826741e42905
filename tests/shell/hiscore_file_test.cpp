// The high-score file on disk: location, saving through a temporary file,
// and failures that must lose nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/sdl/hiscore_file.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class HiScoreFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velno-hiscore-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(HiScoreFile, PathFollowsXdgDataHome) {
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const char* oldHome = std::getenv("HOME");
    std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";

    ::setenv("XDG_DATA_HOME", "/data/x", 1);
    EXPECT_EQ(velno::hiScoreFilePath(), "/data/x/velno/VELNO.INI");
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    ::setenv("HOME", "/home/p", 1);
    EXPECT_EQ(velno::hiScoreFilePath(), "/home/p/.local/share/velno/VELNO.INI");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(velno::hiScoreFilePath(), "/home/p/.local/share/velno/VELNO.INI");

    if (oldXdg) ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    if (oldHome) ::setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(HiScoreFile, MissingFileReadsZeroAndSaveCreatesFolderAndFile) {
    fs::path path = dir_ / "a" / "b" / "VELNO.INI";
    testing::internal::CaptureStderr();
    EXPECT_EQ(velno::loadHiScore(path, "DIALUP"), 0u);
    ASSERT_TRUE(velno::saveHiScore(path, "DIALUP", 360));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // a missing file is no error
    EXPECT_EQ(slurp(path), "[HISCORE]\nDIALUP=360\n");
    EXPECT_EQ(velno::loadHiScore(path, "DIALUP"), 360u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(HiScoreFile, SaveKeepsOtherKeysCommentsAndPermissions) {
    fs::path path = dir_ / "VELNO.INI";
    spit(path, "; my notes\r\n[HISCORE]\r\nDIALUP=360\r\nISDN=120\r\n[KEEP]\r\nX=y\r\n");
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(velno::saveHiScore(path, "ISDN", 500));
    EXPECT_EQ(slurp(path), "; my notes\r\n[HISCORE]\r\nDIALUP=360\r\nISDN=500\r\n[KEEP]\r\nX=y\r\n");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(HiScoreFile, SaveThroughASymlinkUpdatesTheTarget) {
    fs::path target = dir_ / "real.ini";
    fs::path link = dir_ / "VELNO.INI";
    spit(target, "[HISCORE]\nADSL=1\n");
    fs::create_symlink(target, link);
    ASSERT_TRUE(velno::saveHiScore(link, "ADSL", 2));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(target), "[HISCORE]\nADSL=2\n");
}

TEST_F(HiScoreFile, UnreadableFileIsReportedAndNotOverwritten) {
    // A folder where the file should be cannot be read as a file (this works
    // even for root, who can read any file whatever its mode).
    fs::path path = dir_ / "VELNO.INI";
    fs::create_directory(path);
    fs::create_directory(path / "inside");
    testing::internal::CaptureStderr();
    EXPECT_EQ(velno::loadHiScore(path, "DIALUP"), 0u);
    EXPECT_FALSE(velno::saveHiScore(path, "DIALUP", 5));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("cannot read the high-score file"), std::string::npos) << err;
    EXPECT_NE(err.find("cannot save the high score"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_TRUE(fs::is_directory(path / "inside"));
}

TEST_F(HiScoreFile, UnwritableFolderIsReportedAndLeavesNothing) {
    fs::path blocker = dir_ / "file";
    spit(blocker, "not a folder");
    fs::path path = blocker / "velno" / "VELNO.INI";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(velno::saveHiScore(path, "HIKARI", 5));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("cannot save the high score"), std::string::npos) << err;
    EXPECT_EQ(slurp(blocker), "not a folder");
}

}  // namespace
