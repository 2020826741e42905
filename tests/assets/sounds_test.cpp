// The embedded sound effects: RIFF WAVE PCM files with exactly the format and
// length that the catalogue gives, which SDL can decode.
#include <SDL.h>
#include <gtest/gtest.h>

#include "byte_reader.h"
#include "core/game_state.h"

namespace {

using assets_test::Bytes;
using assets_test::embedded;

struct WaveEntry {
    int number;
    uint32_t channels, rate, bits, frames;
};

const WaveEntry WAVES[] = {
    {SFX_MISFIRE, 2, 22050, 16, 46305},   {SFX_BLAST, 1, 11025, 8, 4014},
    {SFX_SHOT, 1, 44100, 16, 2784},       {SFX_VIRUS_FIRE, 1, 44100, 16, 5696},
    {SFX_DELIVERED, 1, 22050, 16, 24192},
};

class WaveTest : public testing::TestWithParam<WaveEntry> {};

// Walks the chunks of a RIFF WAVE file; fails the test on a malformed layout.
struct Chunks {
    std::size_t fmt = 0, fmtSize = 0, data = 0, dataSize = 0;
};

Chunks walk(const Bytes& b) {
    Chunks c;
    EXPECT_EQ(b.tag(0), "RIFF");
    EXPECT_EQ(b.le32(4), b.size - 8);
    EXPECT_EQ(b.tag(8), "WAVE");
    for (std::size_t at = 12; at + 8 <= b.size;) {
        std::size_t size = b.le32(at + 4);
        EXPECT_LE(at + 8 + size, b.size) << "chunk " << b.tag(at) << " runs past the end";
        if (b.tag(at) == "fmt ") c.fmt = at + 8, c.fmtSize = size;
        if (b.tag(at) == "data") c.data = at + 8, c.dataSize = size;
        at += 8 + size + (size & 1);
    }
    return c;
}

TEST_P(WaveTest, HasTheCatalogueFormatAndFrameCount) {
    const WaveEntry want = GetParam();
    Bytes b = embedded(ResourceType::Wave, want.number);
    ASSERT_NE(b.data, nullptr);
    Chunks c = walk(b);
    ASSERT_NE(c.fmt, 0u) << "no fmt chunk";
    ASSERT_NE(c.data, 0u) << "no data chunk";
    ASSERT_GE(c.fmtSize, 16u);
    EXPECT_EQ(b.le16(c.fmt), 1u) << "PCM";
    EXPECT_EQ(b.le16(c.fmt + 2), want.channels);
    EXPECT_EQ(b.le32(c.fmt + 4), want.rate);
    const uint32_t blockAlign = want.channels * want.bits / 8;
    EXPECT_EQ(b.le32(c.fmt + 8), want.rate * blockAlign);
    EXPECT_EQ(b.le16(c.fmt + 12), blockAlign);
    EXPECT_EQ(b.le16(c.fmt + 14), want.bits);
    EXPECT_EQ(c.dataSize, std::size_t(want.frames) * blockAlign);
}

TEST_P(WaveTest, DecodesAndIsNeitherSilentNorClipped) {
    const WaveEntry want = GetParam();
    Bytes b = embedded(ResourceType::Wave, want.number);
    ASSERT_NE(b.data, nullptr);
    SDL_AudioSpec got;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(b.data, int(b.size)), 1, &got, &buffer, &length),
              nullptr)
        << SDL_GetError();
    EXPECT_EQ(got.channels, want.channels);
    EXPECT_EQ(uint32_t(got.freq), want.rate);
    EXPECT_EQ(length, want.frames * want.channels * want.bits / 8);
    // Peak level, as a fraction of full scale.
    double peak = 0;
    const uint32_t samples = length / (want.bits / 8);
    for (uint32_t i = 0; i < samples; ++i) {
        double v = want.bits == 8 ? (buffer[i] - 128) / 128.0
                                  : int16_t(buffer[2 * i] | buffer[2 * i + 1] << 8) / 32768.0;
        peak = std::max(peak, std::abs(v));
    }
    SDL_FreeWAV(buffer);
    EXPECT_GT(peak, 0.25) << "too quiet";
    EXPECT_LT(peak, 0.999) << "clipped";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, WaveTest, testing::ValuesIn(WAVES),
                         [](const testing::TestParamInfo<WaveEntry>& info) {
                             return std::to_string(info.param.number);
                         });

}  // namespace
