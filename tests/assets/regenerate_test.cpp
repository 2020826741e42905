// The generator reproduces the committed assets byte for byte, so what is in
// the repository is exactly what the code draws and synthesises.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "byte_reader.h"

namespace {

namespace fs = std::filesystem;

class Regenerate : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velno-assets-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }
    fs::path dir_;
};

TEST_F(Regenerate, ReproducesTheCommittedFilesByteForByte) {
    const fs::path out = dir_ / "resources", sheet = dir_ / "assets.png";
    const std::string command = std::string("\"") + VELNO_ASSETGEN + "\" \"" + out.string() +
                                "\" \"" + sheet.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const fs::path committed = VELNO_RESOURCES_DIR;
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), out);
        const auto fresh = assets_test::readFile(entry.path().string());
        const auto kept = assets_test::readFile((committed / relative).string());
        EXPECT_FALSE(kept.empty()) << relative << " is generated but not committed";
        EXPECT_TRUE(fresh == kept) << relative << " differs from the committed file";
        ++compared;
    }
    // Nothing committed that the generator no longer makes.
    for (const char* sub : {"pictures", "sounds"})
        for (const auto& entry : fs::directory_iterator(committed / sub))
            EXPECT_TRUE(fs::exists(out / sub / entry.path().filename()))
                << entry.path() << " is committed but no longer generated";
    EXPECT_EQ(compared, 23 + 5 + 2);

    EXPECT_TRUE(assets_test::readFile(sheet.string()) == assets_test::readFile(VELNO_CONTACT_SHEET))
        << "docs/assets.png differs from a fresh contact sheet";
}

}  // namespace
