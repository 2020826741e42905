// The background tune, "VELNO.MID": 32 bars at 150 beats a minute (51.2 s),
// a standard MIDI file of format 1 with General MIDI instruments and drums on
// channel 10. Every note ends by the last bar line and every track ends
// exactly on it, so the loop restarts without a gap.
//
// Form: A A' B B'. A is a tense minor verse over Am-F-G-Em-Am-F-G-E with a
// pumping octave bass and off-beat piano chords; A' adds a vibraphone. B lifts
// to F-G-Em-Am-Dm-G-C-E with a singing line over a vibraphone arpeggio; B'
// doubles the tune in brass, and its last E chord leads back to the top.
#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <string>

#include "assets.h"

namespace assetgen {

namespace {

constexpr int PPQ = 480;
constexpr int EIGHTH = PPQ / 2;
constexpr int BAR = PPQ * 4;
constexpr int BARS = 32;
constexpr int END = BAR * BARS;

struct Event {
    int tick;
    int order;  // at one tick: controls first, then note-offs, then note-ons
    std::vector<uint8_t> bytes;
};

struct Track {
    std::string name;
    std::vector<Event> events;

    void control(int tick, std::vector<uint8_t> bytes) { events.push_back({tick, 0, std::move(bytes)}); }
    void note(int channel, int tick, int length, int key, int velocity) {
        events.push_back({tick, 2, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)}});
        events.push_back({tick + length, 1, {uint8_t(0x80 | channel), uint8_t(key), 0}});
    }
};

// "C5", "F#4", "Bb3" to a MIDI key (C4 = 60).
int key(const std::string& name) {
    static const std::map<char, int> base = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                             {'G', 7}, {'A', 9}, {'B', 11}};
    int k = base.at(name[0]);
    size_t i = 1;
    if (name[i] == '#') {
        ++k;
        ++i;
    } else if (name[i] == 'b') {
        --k;
        ++i;
    }
    return k + 12 * (std::stoi(name.substr(i)) + 1);
}

// A line of "note:eighths" words ("r" rests), laid from `tick`; returns the
// tick after it. Notes sound for `legato` of their length.
int line(Track& t, int channel, int tick, const std::string& text, int velocity, double legato) {
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        size_t colon = word.find(':');
        int len = std::stoi(word.substr(colon + 1)) * EIGHTH;
        std::string pitch = word.substr(0, colon);
        if (pitch != "r") {
            int accent = (tick % BAR == 0) ? 12 : (tick % PPQ == 0) ? 5 : 0;
            t.note(channel, tick, std::max(30, int(len * legato)), key(pitch),
                   std::min(127, velocity + accent));
        }
        tick += len;
    }
    return tick;
}

// The chords, one a bar: root for the bass, then the chord tones.
struct Chord {
    const char* root;  // bass octave 2
    const char* tones[3];
};

const Chord SECTION_A[8] = {
    {"A2", {"A4", "C5", "E5"}}, {"F2", {"A4", "C5", "F5"}}, {"G2", {"B4", "D5", "G5"}},
    {"E2", {"B4", "E5", "G5"}}, {"A2", {"A4", "C5", "E5"}}, {"F2", {"A4", "C5", "F5"}},
    {"G2", {"B4", "D5", "G5"}}, {"E2", {"G#4", "B4", "E5"}}};
const Chord SECTION_B[8] = {
    {"F2", {"A4", "C5", "F5"}}, {"G2", {"B4", "D5", "G5"}}, {"E2", {"B4", "E5", "G5"}},
    {"A2", {"A4", "C5", "E5"}}, {"D2", {"A4", "D5", "F5"}}, {"G2", {"B4", "D5", "G5"}},
    {"C2", {"G4", "C5", "E5"}}, {"E2", {"G#4", "B4", "E5"}}};

const char* MELODY_A[8] = {
    "A4:1 C5:1 E5:2 D5:1 C5:1 E5:2", "F5:3 E5:1 D5:1 C5:1 A4:2",
    "B4:1 D5:1 G5:2 F5:1 E5:1 D5:2", "E5:6 B4:1 D5:1",
    "A4:1 C5:1 E5:2 A5:2 G5:1 E5:1", "F5:2 A5:2 G5:1 F5:1 E5:1 D5:1",
    "D5:1 E5:1 F5:2 E5:1 D5:1 B4:2", "G#4:4 B4:2 E5:2"};
const char* MELODY_A_END = "E5:2 D5:2 C5:2 B4:2";
const char* MELODY_B[8] = {
    "C5:2 F5:2 A5:3 G5:1", "G5:2 D5:2 B5:3 A5:1", "G5:3 E5:1 B4:2 E5:2", "A5:4 E5:2 C5:2",
    "D5:1 F5:1 A5:2 D6:2 C6:1 A5:1", "B5:3 A5:1 G5:2 F5:2", "E5:2 G5:2 C6:3 B5:1",
    "B5:4 G#5:2 E5:2"};
const char* MELODY_B_END = "B5:2 A5:1 G#5:1 E5:2 B4:2";

std::vector<uint8_t> vlq(uint32_t v) {
    std::vector<uint8_t> out{uint8_t(v & 0x7F)};
    while (v >>= 7) out.insert(out.begin(), uint8_t(0x80 | (v & 0x7F)));
    return out;
}

std::vector<uint8_t> encodeTrack(Track& t) {
    std::stable_sort(t.events.begin(), t.events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    int now = 0;
    auto emit = [&](int tick, const std::vector<uint8_t>& bytes) {
        auto d = vlq(uint32_t(tick - now));
        body.insert(body.end(), d.begin(), d.end());
        body.insert(body.end(), bytes.begin(), bytes.end());
        now = tick;
    };
    std::vector<uint8_t> name{0xFF, 0x03};
    auto len = vlq(uint32_t(t.name.size()));
    name.insert(name.end(), len.begin(), len.end());
    name.insert(name.end(), t.name.begin(), t.name.end());
    emit(0, name);
    for (const Event& e : t.events) emit(e.tick, e.bytes);
    emit(END, {0xFF, 0x2F, 0x00});
    std::vector<uint8_t> out{'M', 'T', 'r', 'k'};
    out.push_back(uint8_t(body.size() >> 24));
    out.push_back(uint8_t(body.size() >> 16));
    out.push_back(uint8_t(body.size() >> 8));
    out.push_back(uint8_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

void setup(Track& t, int channel, int program, int volume, int pan, int reverb) {
    uint8_t cc = uint8_t(0xB0 | channel);
    t.control(0, {cc, 0, 0});  // bank 0
    t.control(0, {uint8_t(0xC0 | channel), uint8_t(program)});
    t.control(0, {cc, 7, uint8_t(volume)});
    t.control(0, {cc, 10, uint8_t(pan)});
    t.control(0, {cc, 91, uint8_t(reverb)});
    t.control(0, {cc, 93, 0});
}

}  // namespace

std::vector<uint8_t> makeMusic(std::vector<TuneNote>* notes, int* ticksPerBar) {
    Track conductor{"VELNO", {}};
    const uint32_t usPerQuarter = 60000000 / 150;
    conductor.control(0, {0xFF, 0x51, 0x03, uint8_t(usPerQuarter >> 16), uint8_t(usPerQuarter >> 8),
                          uint8_t(usPerQuarter)});
    conductor.control(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
    conductor.control(0, {0xFF, 0x59, 0x02, 0, 1});  // A minor

    Track lead{"Lead", {}}, bass{"Bass", {}}, chords{"Chords", {}}, arp{"Arpeggio", {}},
        brass{"Brass", {}}, drums{"Drums", {}};
    setup(lead, 0, 80, 88, 64, 40);    // square lead
    setup(bass, 1, 38, 96, 64, 10);    // synth bass
    setup(chords, 2, 5, 70, 44, 50);   // electric piano
    setup(arp, 3, 11, 64, 86, 60);     // vibraphone
    setup(brass, 4, 62, 72, 40, 50);   // synth brass
    setup(drums, 9, 0, 92, 64, 30);    // standard kit

    for (int section = 0; section < 4; ++section) {
        const bool isB = section >= 2;
        const bool last = section % 2 == 1;
        const Chord* chord = isB ? SECTION_B : SECTION_A;
        const char** melody = isB ? MELODY_B : MELODY_A;
        for (int bar = 0; bar < 8; ++bar) {
            const int start = (section * 8 + bar) * BAR;
            std::string tune = melody[bar];
            if (last && bar == 7) tune = isB ? MELODY_B_END : MELODY_A_END;
            line(lead, 0, start, tune, isB ? 96 : 90, 0.88);
            // The last pass doubles the tune an octave down in brass.
            if (isB && last) {
                std::string low;
                std::istringstream words(tune);
                for (std::string w; words >> w;) {
                    size_t colon = w.find(':');
                    std::string pitch = w.substr(0, colon);
                    char octave = pitch.back();
                    pitch.back() = char(octave - 1);
                    low += pitch + w.substr(colon) + " ";
                }
                line(brass, 4, start, low, 70, 0.95);
            }

            // Bass: pumping octaves in A, walking roots and fifths in B.
            const int root = key(chord[bar].root);
            for (int step = 0; step < 8; ++step) {
                int k = root;
                if (!isB) k += (step % 2) * 12;
                else k += (step == 2 || step == 6) ? 7 : (step == 4 ? 12 : 0);
                bass.note(1, start + step * EIGHTH, EIGHTH * 8 / 10, k, step % 2 ? 84 : 100);
            }
            // Chord stabs on the off-beats.
            for (int beat = 0; beat < 4; ++beat)
                for (const char* tone : chord[bar].tones)
                    chords.note(2, start + beat * PPQ + EIGHTH, EIGHTH * 7 / 10, key(tone) - 12, 74);
            // The vibraphone: quarter-note chord tones in A', a rising
            // eighth-note arpeggio an octave up in B.
            if (!isB && last)
                for (int beat = 0; beat < 4; ++beat)
                    arp.note(3, start + beat * PPQ, PPQ, key(chord[bar].tones[(beat + bar) % 3]) + 12, 46);
            if (isB)
                for (int step = 0; step < 8; ++step) {
                    const char* tone = chord[bar].tones[step % 3];
                    arp.note(3, start + step * EIGHTH, EIGHTH, key(tone) + 12 * (1 + step / 6), 52);
                }

            // Drums: kick on 1 and 3, snare on 2 and 4, eighth hats; a crash at
            // each section and a snare run at each section's end.
            const bool fill = bar == 7;
            for (int step = 0; step < 8; ++step) {
                int t = start + step * EIGHTH;
                if (step == 0 || step == 4 || (step == 5 && bar % 2 == 1)) drums.note(9, t, 60, 36, 110);
                if ((step == 2 || step == 6) && !(fill && step == 6)) drums.note(9, t, 60, 38, 100);
                if (!(bar == 0 && step == 0)) drums.note(9, t, 40, step == 7 && bar % 4 == 3 ? 46 : 42, step % 2 ? 60 : 80);
            }
            if (bar == 0) drums.note(9, start, 120, 49, 104);
            if (fill)
                for (int k = 0; k < 4; ++k)
                    drums.note(9, start + 3 * PPQ + k * PPQ / 4, 50, k < 2 ? 38 : (k == 2 ? 47 : 45), 80 + k * 10);
        }
    }

    std::vector<Track*> tracks = {&conductor, &lead, &bass, &chords, &arp, &brass, &drums};
    if (ticksPerBar) *ticksPerBar = BAR;
    if (notes) {
        // Track::note adds each note-on with its note-off right after it.
        for (Track* t : tracks)
            for (size_t i = 0; i + 1 < t->events.size(); ++i) {
                const Event& on = t->events[i];
                if ((on.bytes[0] & 0xF0) != 0x90) continue;
                notes->push_back({on.bytes[0] & 0x0F, on.bytes[1], on.tick, t->events[i + 1].tick - on.tick});
            }
    }
    std::vector<uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, uint8_t(tracks.size()),
                             uint8_t(PPQ >> 8), uint8_t(PPQ & 0xFF)};
    for (Track* t : tracks) {
        auto bytes = encodeTrack(*t);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

}  // namespace assetgen
