// Reading and saving a high score in INI text of a typical and of a large
// file (the saving rewrites one line and copies the rest).
#include <benchmark/benchmark.h>

#include <string>

#include "shell/sdl/ini.h"

namespace {

std::string typicalFile() {
    return "[HISCORE]\r\nDIALUP=360\r\nISDN=120\r\nADSL=0\r\nHIKARI=130\r\n";
}

std::string largeFile() {
    std::string text;
    for (int s = 0; s < 200; ++s) {
        text += "[SECTION" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 20; ++k) text += "KEY" + std::to_string(k) + "=" + std::to_string(k * s) + "\r\n";
    }
    return text + typicalFile();
}

void BM_ReadTypical(benchmark::State& state) {
    const std::string text = typicalFile();
    for (auto _ : state) benchmark::DoNotOptimize(velno::ini::readProfileInt(text, "HISCORE", "HIKARI", 0));
}
BENCHMARK(BM_ReadTypical);

void BM_WriteTypical(benchmark::State& state) {
    const std::string text = typicalFile();
    for (auto _ : state) benchmark::DoNotOptimize(velno::ini::writeProfileString(text, "HISCORE", "ADSL", "4294967295"));
}
BENCHMARK(BM_WriteTypical);

void BM_ReadLarge(benchmark::State& state) {
    const std::string text = largeFile();
    for (auto _ : state) benchmark::DoNotOptimize(velno::ini::readProfileInt(text, "HISCORE", "HIKARI", 0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadLarge);

void BM_WriteLarge(benchmark::State& state) {
    const std::string text = largeFile();
    for (auto _ : state) benchmark::DoNotOptimize(velno::ini::writeProfileString(text, "HISCORE", "ADSL", "7"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WriteLarge);

}  // namespace
