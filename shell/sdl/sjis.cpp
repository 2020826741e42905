#include "shell/sdl/sjis.h"

#include <iconv.h>

namespace velno {

std::string sjisToUtf8(std::string_view sjis) {
    static iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (char c : sjis) {
            if (static_cast<unsigned char>(c) < 0x80) out.push_back(c);
        }
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(sjis.size() * 3 + 4);
    char* in = const_cast<char*>(sjis.data());
    std::size_t inLeft = sjis.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) {
            // Skip one undecodable byte and go on.
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace velno
