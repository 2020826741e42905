// The game's pictures decoded once into 32-bit pixels (0x00RRGGBB).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // rows top to bottom, 0x00RRGGBB
};

class PictureSet {
public:
    // Picture numbers that have a slot: 130 to 159.
    static constexpr int FIRST_NUMBER = 130;
    static constexpr int SLOT_COUNT = 30;

    // Decodes every picture of the catalogue. Pictures that are missing or do
    // not decode stay empty and draw nothing; their numbers are listed in
    // `missing`. Returns the number of pictures loaded.
    int loadCatalogue(std::string& missing);
    // Decodes one device-independent bitmap, with or without its 14-byte file
    // header, into the slot of `number`. Returns false, leaving the slot as it
    // was, if the data does not decode.
    bool load(int number, const unsigned char* data, std::size_t size);
    // Puts a picture given as 0x00RRGGBB pixels into the slot of `number`.
    void set(int number, int32_t width, int32_t height, const uint32_t* pixels);
    void clear(int number);
    // The picture of `number`, or null when there is none.
    const Picture* find(int number) const;

private:
    Picture slots_[SLOT_COUNT];
};
