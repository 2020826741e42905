#include "shell/sdl/text_layout.h"

namespace velno {
namespace {

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Full-width marks that never start a line: 、。，．・：；？！ー）」』】 and
// the small kana are left out for brevity; these are the ones the game uses.
bool isClosing(std::string_view ch) {
    static const char* const marks[] = {
        "\x81\x41", "\x81\x42", "\x81\x43", "\x81\x44", "\x81\x45", "\x81\x46", "\x81\x47",
        "\x81\x48", "\x81\x49", "\x81\x5B", "\x81\x6A", "\x81\x76", "\x81\x78", "\x81\x7A",
        "\x81\x63",
    };
    for (const char* m : marks) {
        if (ch == m) return true;
    }
    return false;
}

// Full-width marks that never end a line: （「『【.
bool isOpening(std::string_view ch) {
    return ch == "\x81\x69" || ch == "\x81\x75" || ch == "\x81\x77" || ch == "\x81\x79";
}

// The pieces that are never split: a run of single-byte non-blank characters,
// one blank, or one full-width character with the marks glued to it.
std::vector<std::string_view> tokenize(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    bool glueNext = false;  // the previous token ends with an opening mark
    while (i < line.size()) {
        std::size_t start = i;
        unsigned char c = static_cast<unsigned char>(line[i]);
        bool wide = false;
        if (isLeadByte(c) && i + 1 < line.size()) {
            i += 2;
            wide = true;
        } else if (c == ' ' || c == '\t') {
            i += 1;
        } else {
            while (i < line.size()) {
                unsigned char d = static_cast<unsigned char>(line[i]);
                if (d == ' ' || d == '\t' || (isLeadByte(d) && i + 1 < line.size())) break;
                ++i;
            }
        }
        std::string_view token = line.substr(start, i - start);
        bool glue = !tokens.empty() && (glueNext || (wide && isClosing(token)));
        if (glue) {
            std::string_view& last = tokens.back();
            last = std::string_view(last.data(), last.size() + token.size());
        } else {
            tokens.push_back(token);
        }
        glueNext = wide && isOpening(token);
    }
    return tokens;
}

bool isBlankToken(std::string_view token) {
    return token == " " || token == "\t";
}

std::size_t charSize(const std::string& s, std::size_t at) {
    return isLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? 2 : 1;
}

void pushLine(std::string line, std::vector<std::string>& out) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    out.push_back(std::move(line));
}

void wrapLine(std::string_view line, int width, const MeasureText& measure,
              std::vector<std::string>& out) {
    std::string current;
    bool broken = false;  // a break was made and nothing has followed it yet
    for (std::string_view token : tokenize(line)) {
        if (current.empty()) {
            if (broken && isBlankToken(token)) continue;
            current = std::string(token);
        } else if (measure(current + std::string(token)) <= width) {
            current += token;
        } else {
            pushLine(std::move(current), out);
            current = isBlankToken(token) ? std::string() : std::string(token);
        }
        broken = current.empty();
        // A piece wider than the whole line is cut between its characters.
        while (current.size() > charSize(current, 0) && measure(current) > width) {
            std::size_t fit = charSize(current, 0);
            while (fit < current.size()) {
                std::size_t step = charSize(current, fit);
                if (measure(std::string_view(current).substr(0, fit + step)) > width) break;
                fit += step;
            }
            out.push_back(current.substr(0, fit));
            current.erase(0, fit);
        }
    }
    pushLine(std::move(current), out);
}

}  // namespace

std::vector<std::string> wrapText(std::string_view text, int width, const MeasureText& measure) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (;;) {
        std::size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? text.npos : nl - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        wrapLine(line, width, measure, lines);
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    return lines;
}

}  // namespace velno
