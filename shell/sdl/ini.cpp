#include "shell/sdl/ini.h"

#include <vector>

namespace velno::ini {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char foldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

enum class LineKind { Blank, Section, Key };

// One line of the file: where it lies and what it holds. `end` is the end of
// its content, before any CR LF or LF; `next` is where the next line starts.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
    LineKind kind;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed; empty without '='
    std::size_t nameBegin;   // offset of the key name in the text
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;  // a UTF-8 byte-order mark is not content
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        std::size_t end = nl == std::string_view::npos ? text.size() : nl;
        if (end > pos && text[end - 1] == '\r') --end;
        Line line{pos, end, next, LineKind::Blank, {}, {}, pos};
        std::string_view content = text.substr(pos, end - pos);
        std::string_view trimmed = trim(content);
        if (!trimmed.empty()) {
            std::size_t close = trimmed.rfind(']');
            if (trimmed.front() == '[' && close != std::string_view::npos) {
                line.kind = LineKind::Section;
                line.name = trim(trimmed.substr(1, close - 1));
            } else {
                line.kind = LineKind::Key;
                std::size_t eq = trimmed.find('=');
                line.name = trim(trimmed.substr(0, eq));
                if (eq != std::string_view::npos) line.value = trim(trimmed.substr(eq + 1));
                line.nameBegin = static_cast<std::size_t>(line.name.data() - text.data());
            }
        }
        lines.push_back(line);
        pos = next;
    }
    return lines;
}

// Index range [first, last) of the lines of the first section named `section`
// (the header excluded), or first == npos when there is none.
struct SectionSpan {
    std::size_t header = std::string_view::npos;
    std::size_t first = std::string_view::npos;
    std::size_t last = 0;
};

SectionSpan findSection(const std::vector<Line>& lines, std::string_view section) {
    SectionSpan span;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section) continue;
        if (span.first != std::string_view::npos) {
            span.last = i;
            return span;
        }
        if (sameName(lines[i].name, section)) {
            span.header = i;
            span.first = i + 1;
        }
    }
    if (span.first != std::string_view::npos) span.last = lines.size();
    return span;
}

std::size_t findKey(const std::vector<Line>& lines, const SectionSpan& span, std::string_view key) {
    if (span.first == std::string_view::npos) return std::string_view::npos;
    for (std::size_t i = span.first; i < span.last; ++i) {
        if (lines[i].kind == LineKind::Key && sameName(lines[i].name, key)) return i;
    }
    return std::string_view::npos;
}

std::string_view lineEnding(std::string_view text) {
    std::size_t nl = text.find('\n');
    return (nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r') ? "\r\n" : "\n";
}

}  // namespace

std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    std::vector<Line> lines = splitLines(text);
    std::size_t at = findKey(lines, findSection(lines, section), key);
    if (at == std::string_view::npos) return std::nullopt;
    std::string_view value = lines[at].value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

uint32_t parseProfileInt(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t' || value[i] == '\r' ||
                                value[i] == '\n' || value[i] == '\v' || value[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    uint32_t result = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        result = result * 10u + static_cast<uint32_t>(value[i] - '0');
    }
    return negative ? 0u - result : result;
}

uint32_t readProfileInt(std::string_view text, std::string_view section, std::string_view key,
                        uint32_t fallback) {
    std::optional<std::string> value = findValue(text, section, key);
    if (!value || value->empty()) return fallback;
    return parseProfileInt(*value);
}

std::string writeProfileString(std::string_view text, std::string_view section,
                               std::string_view key, std::string_view value) {
    std::vector<Line> lines = splitLines(text);
    SectionSpan span = findSection(lines, section);
    std::string_view eol = lineEnding(text);
    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    std::size_t at = findKey(lines, span, key);
    if (at != std::string_view::npos) {
        // Rewrite the key's own line: keep what comes before the key name and
        // the line's ending, replace the rest.
        const Line& line = lines[at];
        out.append(text.substr(0, line.nameBegin));
        out.append(line.name);
        out.push_back('=');
        out.append(value);
        out.append(text.substr(line.end));
        return out;
    }

    std::string entry = std::string(key) + "=" + std::string(value);
    if (span.first != std::string_view::npos) {
        // Insert after the section's last non-blank line (its header if empty).
        std::size_t after = span.header;
        for (std::size_t i = span.first; i < span.last; ++i) {
            if (lines[i].kind != LineKind::Blank) after = i;
        }
        const Line& line = lines[after];
        out.append(text.substr(0, line.next));
        if (line.next == 0 || text[line.next - 1] != '\n') out.append(eol);  // last line had no ending
        out.append(entry);
        out.append(eol);
        out.append(text.substr(line.next));
        return out;
    }

    out.append(text);
    if (!text.empty() && text.back() != '\n') out.append(eol);
    out.push_back('[');
    out.append(section);
    out.push_back(']');
    out.append(eol);
    out.append(entry);
    out.append(eol);
    return out;
}

}  // namespace velno::ini
