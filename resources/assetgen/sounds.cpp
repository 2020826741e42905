// The five sound effects, synthesised sample by sample. Noise comes from a
// fixed-seed generator, so every run writes the same bytes.
#include <algorithm>
#include <cmath>

#include "assets.h"

namespace assetgen {

namespace {

constexpr double PI = 3.14159265358979323846;

struct Noise {
    uint32_t state;
    // A value in [-1, 1).
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state >> 8) / double(1 << 23) - 1.0;
    }
};

// A band-limited square wave from its odd harmonics below `ceiling` Hz.
double square(double phase, double frequency, double ceiling) {
    double v = 0;
    for (int k = 1; k * frequency < ceiling; k += 2) v += std::sin(2 * PI * k * phase) / k;
    return v * 4 / PI;
}

// A band-limited sawtooth.
double saw(double phase, double frequency, double ceiling) {
    double v = 0;
    for (int k = 1; k * frequency < ceiling; ++k) v += std::sin(2 * PI * k * phase) / k;
    return v * 2 / PI;
}

// Short linear ramps at both ends of a note, against clicks.
double edges(double t, double length, double ramp) {
    if (t < 0 || t > length) return 0;
    return std::min({1.0, t / ramp, (length - t) / ramp});
}

std::vector<uint8_t> riff(int channels, int rate, int bits, const std::vector<double>& samples) {
    const uint32_t blockAlign = uint32_t(channels * bits / 8);
    const uint32_t dataBytes = uint32_t(samples.size()) * uint32_t(bits / 8);
    std::vector<uint8_t> out;
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(t[i]));
    };
    tag("RIFF");
    put32(out, 4 + 8 + 16 + 8 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, uint32_t(channels));
    put32(out, uint32_t(rate));
    put32(out, uint32_t(rate) * blockAlign);
    put16(out, blockAlign);
    put16(out, uint32_t(bits));
    tag("data");
    put32(out, dataBytes);
    for (double s : samples) {
        s = std::clamp(s, -1.0, 1.0);
        if (bits == 8) {
            out.push_back(static_cast<uint8_t>(std::lround(128 + s * 127)));
        } else {
            auto v = static_cast<int16_t>(std::lround(s * 32767));
            put16(out, static_cast<uint16_t>(v));
        }
    }
    return out;
}

// The last few milliseconds fade to silence so the sound never ends on a click.
void fadeTail(std::vector<double>& s, int channels, int frames) {
    for (int i = 0; i < frames; ++i) {
        double g = double(i) / frames;
        for (int ch = 0; ch < channels; ++ch) s[s.size() - size_t((i + 1) * channels) + ch] *= g;
    }
}

// A shot hit a good mail: a two-tone alarm bouncing between the speakers, then
// a sagging "failure" horn.
std::vector<uint8_t> misfire() {
    const int rate = 22050, frames = 46305;
    std::vector<double> s(size_t(frames) * 2, 0.0);
    double phase = 0, phase2 = 0;
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / rate;
        double l = 0, r = 0;
        if (t < 1.44) {
            // Six hi-lo cycles of 0.24 s.
            double cycle = std::fmod(t, 0.24);
            bool high = cycle < 0.12;
            double f = high ? 988 : 740;
            double local = high ? cycle : cycle - 0.12;
            phase += f / rate;
            double v = 0.5 * square(phase, f, 6000) + 0.25 * std::sin(2 * PI * phase * 2);
            v *= 0.6 * edges(local, 0.12, 0.004);
            l = v * (high ? 1.0 : 0.45);
            r = v * (high ? 0.45 : 1.0);
        } else {
            // "Wah-waah": two falling horn notes, the second sliding down.
            double u = t - 1.44;
            double f;
            double len;
            double local;
            if (u < 0.2) {
                f = 311;
                len = 0.2;
                local = u;
            } else {
                local = u - 0.2;
                len = 0.66 - 0.2;
                f = 294 * std::pow(0.62, std::min(1.0, local / 0.4)) * (1 + 0.018 * std::sin(2 * PI * 6 * local));
            }
            phase += f / rate;
            phase2 += f * 1.005 / rate;
            double v = 0.5 * saw(phase, f, 3000) + 0.5 * saw(phase2, f * 1.005, 3000);
            double wah = 0.55 + 0.45 * std::sin(PI * std::min(1.0, local / len));
            v *= 0.68 * wah * edges(local, len, 0.01);
            l = r = v;
        }
        s[size_t(i) * 2] = l;
        s[size_t(i) * 2 + 1] = r;
    }
    fadeTail(s, 2, 441);
    return riff(2, rate, 16, s);
}

// An explosion: a thump that drops in pitch under a burst of darkening noise
// with a few crackles.
std::vector<uint8_t> blast() {
    const int rate = 11025, frames = 4014;
    std::vector<double> s(frames);
    Noise noise{0x51A57u};
    double low = 0, low2 = 0, phase = 0;
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / rate;
        double cutoff = 3200 * std::exp(-t * 9) + 250;
        double a = 1 - std::exp(-2 * PI * cutoff / rate);
        double n = noise.next();
        low += (n - low) * a;
        low2 += (low - low2) * a;
        double body = low2 * 2.6 * std::exp(-t * 7.5) * std::min(1.0, t / 0.003);
        double f = 40 + 90 * std::exp(-t * 18);
        phase += f / rate;
        double thump = std::sin(2 * PI * phase) * 0.7 * std::exp(-t * 11);
        double crackle = 0;
        if (noise.next() > 0.985 - 0.01 * std::exp(-t * 6)) crackle = noise.next() * 0.5 * std::exp(-t * 5);
        s[size_t(i)] = std::tanh((body + thump + crackle) * 1.4) * 0.92;
    }
    fadeTail(s, 1, 200);
    return riff(1, rate, 8, s);
}

// The player fires: a short falling "pew".
std::vector<uint8_t> shot() {
    const int rate = 44100, frames = 2784;
    std::vector<double> s(frames);
    double phase = 0;
    Noise noise{0x5A07u};
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / rate;
        double f = 700 + 1700 * std::exp(-t * 45);
        phase += f / rate;
        double v = 0.55 * square(phase, f, 9000) + 0.35 * std::sin(2 * PI * phase);
        v += noise.next() * 0.25 * std::exp(-t * 160);
        s[size_t(i)] = v * 0.5 * std::exp(-t * 22) * std::min(1.0, t / 0.0015);
    }
    fadeTail(s, 1, 300);
    return riff(1, rate, 16, s);
}

// A virus launches a missile: a wobbling, rising "bloop" with a detuned twin.
std::vector<uint8_t> virusFire() {
    const int rate = 44100, frames = 5696;
    std::vector<double> s(frames);
    double p1 = 0, p2 = 0;
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / rate;
        double rise = 160 * std::pow(5.5, t / 0.129);
        double wobble = 1 + 0.12 * std::sin(2 * PI * 38 * t);
        double f1 = rise * wobble, f2 = rise * 1.5 * wobble * 1.012;
        p1 += f1 / rate;
        p2 += f2 / rate;
        // A triangle-ish tone from a folded sine, plus the fifth above.
        double v = std::sin(2 * PI * p1 + 0.8 * std::sin(2 * PI * p1 * 2)) * 0.6 +
                   std::sin(2 * PI * p2) * 0.25;
        double env = std::min(1.0, t / 0.006) * (t < 0.09 ? 1.0 : std::exp(-(t - 0.09) * 40));
        s[size_t(i)] = v * 0.55 * env;
    }
    fadeTail(s, 1, 400);
    return riff(1, rate, 16, s);
}

// A good mail arrives: a bright four-note chime rising to the octave.
std::vector<uint8_t> delivered() {
    const int rate = 22050, frames = 24192;
    std::vector<double> s(frames, 0.0);
    struct Note {
        double start, frequency, gain;
    };
    const Note notes[] = {{0.00, 783.99, 0.8},  {0.09, 1046.50, 0.8}, {0.18, 1318.51, 0.8},
                          {0.27, 1567.98, 0.9}, {0.27, 2093.00, 0.35}};
    for (const Note& n : notes) {
        for (int i = 0; i < frames; ++i) {
            double t = double(i) / rate - n.start;
            if (t < 0) continue;
            double attack = std::min(1.0, t / 0.002);
            // A struck bar: the fundamental rings, the bright overtones fade fast.
            double v = std::sin(2 * PI * n.frequency * t) * std::exp(-t * 3.2) +
                       0.35 * std::sin(2 * PI * n.frequency * 2.0 * t) * std::exp(-t * 9) +
                       0.2 * std::sin(2 * PI * n.frequency * 3.98 * t) * std::exp(-t * 30);
            s[size_t(i)] += v * n.gain * attack * 0.3;
        }
    }
    fadeTail(s, 1, 2000);
    return riff(1, rate, 16, s);
}

}  // namespace

std::vector<Sound> makeSounds() {
    return {{149, "SFX_MISFIRE", misfire()},
            {150, "SFX_BLAST", blast()},
            {151, "SFX_SHOT", shot()},
            {158, "SFX_VIRUS_FIRE", virusFire()},
            {159, "SFX_DELIVERED", delivered()}};
}

}  // namespace assetgen
