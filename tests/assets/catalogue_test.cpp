// The lookup of embedded resources by type and number.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "render/catalogue.h"

namespace {

TEST(Catalogue, FindsEveryPictureSoundAndTheIcon) {
    const int pictures[] = {130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141,
                            142, 143, 144, 145, 147, 152, 153, 154, 155, 156, 157};
    const int waves[] = {SFX_MISFIRE, SFX_BLAST, SFX_SHOT, SFX_VIRUS_FIRE, SFX_DELIVERED};
    for (int n : pictures) {
        ResourceData out{nullptr, 0};
        EXPECT_TRUE(findResource(ResourceType::Picture, n, out)) << n;
        EXPECT_NE(out.data, nullptr);
        EXPECT_GT(out.size, 0u);
    }
    for (int n : waves) {
        ResourceData out{nullptr, 0};
        EXPECT_TRUE(findResource(ResourceType::Wave, n, out)) << n;
        EXPECT_GT(out.size, 44u);
    }
    ResourceData icon{nullptr, 0};
    EXPECT_TRUE(findResource(ResourceType::Icon, ICON_MAIN, icon));
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
