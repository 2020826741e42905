// The lookup of embedded resources by type and number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "byte_reader.h"
#include "core/game_state.h"
#include "render/catalogue.h"

namespace {

const int PICTURES[] = {130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141,
                        142, 143, 144, 145, 147, 152, 153, 154, 155, 156, 157};
const int WAVES[] = {SFX_MISFIRE, SFX_BLAST, SFX_SHOT, SFX_VIRUS_FIRE, SFX_DELIVERED};

TEST(Catalogue, FindsEveryPictureSoundAndTheIcon) {
    for (int n : PICTURES) {
        ResourceData out{nullptr, 0};
        EXPECT_TRUE(findResource(ResourceType::Picture, n, out)) << n;
        EXPECT_NE(out.data, nullptr);
        EXPECT_GT(out.size, 0u);
    }
    for (int n : WAVES) {
        ResourceData out{nullptr, 0};
        EXPECT_TRUE(findResource(ResourceType::Wave, n, out)) << n;
        EXPECT_GT(out.size, 44u);
    }
    ResourceData icon{nullptr, 0};
    EXPECT_TRUE(findResource(ResourceType::Icon, ICON_MAIN, icon));
}

TEST(Catalogue, EmbedsTheCommittedFileOfEachNumber) {
    const std::string dir = VELNO_RESOURCES_DIR;
    auto same = [](ResourceType type, int number, const std::string& path) {
        ResourceData out{nullptr, 0};
        if (!findResource(type, number, out)) return false;
        const auto file = assets_test::readFile(path);
        return !file.empty() && file == std::vector<unsigned char>(out.data, out.data + out.size);
    };
    for (int n : PICTURES)
        EXPECT_TRUE(same(ResourceType::Picture, n, dir + "/pictures/" + std::to_string(n) + ".bmp")) << n;
    for (int n : WAVES)
        EXPECT_TRUE(same(ResourceType::Wave, n, dir + "/sounds/" + std::to_string(n) + ".wav")) << n;
    EXPECT_TRUE(same(ResourceType::Icon, ICON_MAIN, dir + "/icon.ico"));
}

TEST(Catalogue, ReportsAMissingResourceAndLeavesTheResultAlone) {
    static const unsigned char marker[] = {1};
    const struct {
        ResourceType type;
        int number;
    } missing[] = {
        {ResourceType::Picture, 146},          // between the pictures
        {ResourceType::Picture, SFX_BLAST},    // a sound's number as a picture
        {ResourceType::Wave, BMP_BANNER},      // a picture's number as a sound
        {ResourceType::Icon, 108},
        {ResourceType::Picture, 0},
        {ResourceType::Wave, -149},
    };
    for (auto m : missing) {
        ResourceData out{marker, 7};
        EXPECT_FALSE(findResource(m.type, m.number, out)) << m.number;
        EXPECT_EQ(out.data, marker);
        EXPECT_EQ(out.size, 7u);
    }
}

}  // namespace
