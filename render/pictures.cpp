#include "render/pictures.h"

#include <SDL.h>

#include <cstring>

#include "render/catalogue.h"

namespace {

constexpr int PICTURE_NUMBERS[] = {
    BMP_MISSILE,   BMP_MISFIRE_0, BMP_MISFIRE_1,   BMP_MISFIRE_2,   BMP_PLAYER,   BMP_MAIL_YELLOW,
    BMP_MAIL_RED,  BMP_MAIL_PURPLE, BMP_MAIL_CYAN, BMP_MAILBOX_2,   BMP_MAILBOX_3, BMP_MAILBOX_4,
    BMP_MAILBOX_5, BMP_MAILBOX_1, BMP_SHOT,        BMP_VIRUS,       BMP_BANNER,   BMP_BURST_64,
    BMP_BURST_60,  BMP_BURST_48,  BMP_BURST_32,    BMP_BURST_16,    BMP_MAILBOX_DESTROYED,
};

constexpr std::size_t FILE_HEADER_SIZE = 14;

uint32_t readLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t readLe16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void writeLe32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<unsigned char>(v >> (8 * i));
    }
}

// Resource bitmaps start at the information header; SDL reads whole .bmp
// files. Builds the file header in front of the data so that both load.
bool withFileHeader(const unsigned char* data, std::size_t size, std::vector<unsigned char>& out) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        out.assign(data, data + size);
        return true;
    }
    if (size < 40) {
        return false;
    }
    const uint32_t headerSize = readLe32(data);
    const uint16_t bitCount = readLe16(data + 14);
    const uint32_t compression = readLe32(data + 16);
    uint32_t colours = readLe32(data + 32);
    if (headerSize < 40 || headerSize > size) {
        return false;
    }
    if (colours == 0 && bitCount <= 8) {
        colours = 1u << bitCount;
    }
    // Bit-field masks follow a 40-byte header in BI_BITFIELDS bitmaps.
    const uint32_t masks = (compression == 3 && headerSize == 40) ? 12 : 0;
    const std::size_t offset = FILE_HEADER_SIZE + headerSize + masks + 4 * std::size_t{colours};
    out.assign(FILE_HEADER_SIZE + size, 0);
    out[0] = 'B';
    out[1] = 'M';
    writeLe32(out.data() + 2, static_cast<uint32_t>(out.size()));
    writeLe32(out.data() + 10, static_cast<uint32_t>(offset));
    std::memcpy(out.data() + FILE_HEADER_SIZE, data, size);
    return true;
}

}  // namespace

int PictureSet::loadCatalogue(std::string& missing) {
    int loaded = 0;
    for (int number : PICTURE_NUMBERS) {
        ResourceData resource{nullptr, 0};
        if (findResource(ResourceType::Picture, number, resource) &&
            load(number, resource.data, resource.size)) {
            ++loaded;
        } else {
            if (!missing.empty()) {
                missing += ' ';
            }
            missing += std::to_string(number);
        }
    }
    return loaded;
}

bool PictureSet::load(int number, const unsigned char* data, std::size_t size) {
    if (number < FIRST_NUMBER || number >= FIRST_NUMBER + SLOT_COUNT) {
        return false;
    }
    std::vector<unsigned char> file;
    if (data == nullptr || !withFileHeader(data, size, file)) {
        return false;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (stream == nullptr) {
        return false;
    }
    SDL_Surface* decoded = SDL_LoadBMP_RW(stream, 1);
    if (decoded == nullptr) {
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(decoded);
    if (converted == nullptr) {
        return false;
    }
    Picture& picture = slots_[number - FIRST_NUMBER];
    picture.width = converted->w;
    picture.height = converted->h;
    picture.pixels.resize(static_cast<std::size_t>(converted->w) * converted->h);
    SDL_LockSurface(converted);
    for (int row = 0; row < converted->h; ++row) {
        const auto* src = reinterpret_cast<const uint32_t*>(static_cast<const unsigned char*>(
                                                                converted->pixels) +
                                                            static_cast<std::size_t>(row) *
                                                                converted->pitch);
        for (int col = 0; col < converted->w; ++col) {
            picture.pixels[static_cast<std::size_t>(row) * converted->w + col] =
                src[col] & 0x00FFFFFFu;
        }
    }
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return true;
}

void PictureSet::set(int number, int32_t width, int32_t height, const uint32_t* pixels) {
    if (number < FIRST_NUMBER || number >= FIRST_NUMBER + SLOT_COUNT || width <= 0 ||
        height <= 0) {
        return;
    }
    Picture& picture = slots_[number - FIRST_NUMBER];
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
}

void PictureSet::clear(int number) {
    if (number >= FIRST_NUMBER && number < FIRST_NUMBER + SLOT_COUNT) {
        slots_[number - FIRST_NUMBER] = Picture{};
    }
}

const Picture* PictureSet::find(int number) const {
    if (number < FIRST_NUMBER || number >= FIRST_NUMBER + SLOT_COUNT) {
        return nullptr;
    }
    const Picture& picture = slots_[number - FIRST_NUMBER];
    return picture.pixels.empty() ? nullptr : &picture;
}
