// The asset generator's makers: every picture, sound, the icon, the tune and
// the contact sheet, each drawn or synthesised by code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

// ---------------------------------------------------------------- sprites

enum class Envelope { Yellow, Red, Purple, Cyan };
enum class Lane { Red, Blue, Green, Cyan, Yellow };

// Each draws with its top-left corner at (x, y).
void drawEnvelope(Canvas& c, int x, int y, Envelope kind);       // 24 x 16
void drawMailbox(Canvas& c, int x, int y, Lane lane);            // 24 x 24
void drawWreck(Canvas& c, int x, int y);                         // 24 x 24
void drawVirus(Canvas& c, int x, int y);                         // 24 x 24
void drawMissile(Canvas& c, int x, int y);                       // 8 x 8
void drawShot(Canvas& c, int x, int y);                          // 3 x 16
void drawPlayer(Canvas& c, int x, int y);                        // 32 x 32
void drawFireball(Canvas& c, int x, int y, int size, int age);   // size x size

// The three full-window misfire pages, 640 x 480.
Canvas drawNewsPage();
Canvas drawNewspaperPage();
Canvas drawBoardPage();

// The top banner, 620 x 78.
Canvas drawBanner();

// The colours that each picture keeps exactly in its palette.
std::vector<Rgb> envelopeColours(Envelope kind);
std::vector<Rgb> mailboxColours(Lane lane);

// ---------------------------------------------------------------- catalogue

struct Picture {
    int number;
    std::string name;
    Indexed image;
};

std::vector<Picture> makePictures();

struct Sound {
    int number;
    std::string name;
    std::vector<uint8_t> wave;  // a whole RIFF WAVE file
};

std::vector<Sound> makeSounds();

// A note of the tune, for drawing it.
struct TuneNote {
    int channel, key, start, length;  // times in ticks
};

// The background tune as a standard MIDI file; `notes` (if given) receives
// every note, and `ticksPerBar` the length of a bar.
std::vector<uint8_t> makeMusic(std::vector<TuneNote>* notes = nullptr, int* ticksPerBar = nullptr);

// The icon file (one 32 x 32, 16-colour image with its mask); `preview` gets
// the image on white.
std::vector<uint8_t> makeIcon(Canvas* preview);

// Every picture at twice its size with its number and name, then the sounds'
// waveforms and the tune as a piano roll.
Canvas makeContactSheet(const std::vector<Picture>& pictures, const Canvas& icon,
                        const std::vector<Sound>& sounds, const std::vector<TuneNote>& tune,
                        int ticksPerBar);

}  // namespace assetgen
