#include "shell/sdl/dialogs.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "render/fonts.h"
#include "shell/sdl/dialog_logic.h"
#include "shell/sdl/sjis.h"
#include "shell/sdl/text_layout.h"

namespace velno {
namespace {

using dialog::Control;
using dialog::ControlKind;
using dialog::DialogState;
using dialog::Template;

// Colours of the dialogs, close to the usual desktop look.
constexpr SDL_Color FACE = {240, 240, 240, 255};
constexpr SDL_Color WHITE = {255, 255, 255, 255};
constexpr SDL_Color TEXT = {0, 0, 0, 255};
constexpr SDL_Color BUTTON_FACE = {225, 225, 225, 255};
constexpr SDL_Color BUTTON_BORDER = {173, 173, 173, 255};
constexpr SDL_Color PRESSED_FACE = {204, 228, 247, 255};
constexpr SDL_Color PRESSED_BORDER = {0, 84, 153, 255};
constexpr SDL_Color ACCENT = {0, 120, 215, 255};
constexpr SDL_Color EDGE = {122, 122, 122, 255};
constexpr SDL_Color SHADOW = {160, 160, 160, 255};
constexpr SDL_Color TRACK = {240, 240, 240, 255};
constexpr SDL_Color THUMB = {205, 205, 205, 255};
constexpr SDL_Color ARROW = {96, 96, 96, 255};

constexpr int SCROLLBAR_WIDTH = 17;
constexpr int WHEEL_LINES = 3;

bool quitRequested = false;

int mulDiv(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

// An SDL window with its renderer and a cache of rendered texts.
class UiWindow {
public:
    UiWindow(DialogUi& ui, const std::string& caption, int width, int height, SDL_Window* owner)
        : ui_(ui), width_(width), height_(height) {
        int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
        if (owner != nullptr) {
            // Centred over the owner, as message boxes are.
            int ox, oy, ow, oh;
            SDL_GetWindowPosition(owner, &ox, &oy);
            SDL_GetWindowSize(owner, &ow, &oh);
            x = ox + (ow - width * ui.scale()) / 2;
            y = oy + (oh - height * ui.scale()) / 2;
        }
        window_ = SDL_CreateWindow(sjisToUtf8(caption).c_str(), x, y, width * ui.scale(),
                                   height * ui.scale(), SDL_WINDOW_HIDDEN);
        if (window_ == nullptr) return;
        if (owner != nullptr) SDL_SetWindowModalFor(window_, owner);
        // A dialog is drawn once per input event; SDL's software renderer
        // starts at once and needs no graphics driver.
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (renderer_ != nullptr) {
            SDL_RenderSetLogicalSize(renderer_, width, height);
            SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
        }
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
        SDL_SetWindowInputFocus(window_);
    }
    ~UiWindow() {
        for (auto& entry : texts_) SDL_DestroyTexture(entry.second.texture);
        for (auto& entry : icons_) SDL_DestroyTexture(entry.second);
        if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
        if (window_ != nullptr) SDL_DestroyWindow(window_);
    }
    UiWindow(const UiWindow&) = delete;
    UiWindow& operator=(const UiWindow&) = delete;

    bool ok() const { return window_ != nullptr && renderer_ != nullptr; }
    SDL_Window* window() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }
    uint32_t id() const { return SDL_GetWindowID(window_); }
    int width() const { return width_; }
    int height() const { return height_; }
    DialogUi& ui() const { return ui_; }

    void color(SDL_Color c) { SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a); }
    void fill(const SDL_Rect& r, SDL_Color c) {
        color(c);
        SDL_RenderFillRect(renderer_, &r);
    }
    void frame(const SDL_Rect& r, SDL_Color c) {
        color(c);
        SDL_RenderDrawRect(renderer_, &r);
    }
    void line(int x0, int y0, int x1, int y1, SDL_Color c) {
        color(c);
        SDL_RenderDrawLine(renderer_, x0, y0, x1, y1);
    }
    // The dotted rectangle that marks keyboard focus.
    void focusFrame(const SDL_Rect& r) {
        color(TEXT);
        for (int x = r.x; x < r.x + r.w; x += 2) {
            SDL_RenderDrawPoint(renderer_, x, r.y);
            SDL_RenderDrawPoint(renderer_, x, r.y + r.h - 1);
        }
        for (int y = r.y; y < r.y + r.h; y += 2) {
            SDL_RenderDrawPoint(renderer_, r.x, y);
            SDL_RenderDrawPoint(renderer_, r.x + r.w - 1, y);
        }
    }

    int measure(std::string_view sjis) const {
        if (ui_.font() == nullptr || sjis.empty()) return 0;
        int w = 0, h = 0;
        TTF_SizeUTF8(ui_.font(), sjisToUtf8(sjis).c_str(), &w, &h);
        return w;
    }

    // Draws one line of Shift-JIS text with its top-left at (x, y); the
    // character at byte `underlineAt` (or none for -1) is underlined.
    void text(int x, int y, const std::string& sjis, SDL_Color c, int underlineAt = -1) {
        if (ui_.font() == nullptr || sjis.empty()) return;
        const Cached* cached = cachedText(sjis, c);
        if (cached == nullptr) return;
        SDL_Rect dst{x, y, cached->w, cached->h};
        SDL_RenderCopy(renderer_, cached->texture, nullptr, &dst);
        if (underlineAt >= 0 && underlineAt < static_cast<int>(sjis.size())) {
            unsigned char lead = static_cast<unsigned char>(sjis[static_cast<std::size_t>(underlineAt)]);
            int len = ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
            int from = measure(std::string_view(sjis).substr(0, static_cast<std::size_t>(underlineAt)));
            int to = measure(std::string_view(sjis).substr(0, static_cast<std::size_t>(underlineAt + len)));
            int base = y + TTF_FontAscent(ui_.font()) + 1;
            line(x + from, base, x + to - 1, base, c);
        }
    }

    void icon(dialog::Icon which, int x, int y) {
        auto it = icons_.find(which);
        if (it == icons_.end()) it = icons_.emplace(which, makeIcon(which)).first;
        if (it->second == nullptr) return;
        SDL_Rect dst{x, y, 32, 32};
        SDL_RenderCopy(renderer_, it->second, nullptr, &dst);
    }

private:
    struct Cached {
        SDL_Texture* texture;
        int w, h;
    };

    const Cached* cachedText(const std::string& sjis, SDL_Color c) {
        std::string key = sjis;
        key.push_back('\0');
        key.append(reinterpret_cast<const char*>(&c), sizeof c);
        auto it = texts_.find(key);
        if (it != texts_.end()) return &it->second;
        SDL_Surface* surface = TTF_RenderUTF8_Blended(ui_.font(), sjisToUtf8(sjis).c_str(), c);
        if (surface == nullptr) return nullptr;
        SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
        Cached cached{texture, surface->w, surface->h};
        SDL_FreeSurface(surface);
        if (texture == nullptr) return nullptr;
        return &texts_.emplace(key, cached).first->second;
    }

    // The message-box icons, drawn here: a blue disc with a white question
    // mark, and a red disc with a white cross. Edges are smoothed by
    // sampling each pixel 4 x 4 times.
    SDL_Texture* makeIcon(dialog::Icon which) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
        if (s == nullptr) return nullptr;
        const bool stop = which == dialog::Icon::Stop;
        const double cx = 15.5, cy = 15.5, radius = 15.0;
        auto segmentDistance = [](double px, double py, double ax, double ay, double bx, double by) {
            double dx = bx - ax, dy = by - ay;
            double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
        };
        auto* pixels = static_cast<uint32_t*>(s->pixels);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                double disc = 0, mark = 0;
                for (int sy = 0; sy < 4; ++sy) {
                    for (int sx = 0; sx < 4; ++sx) {
                        double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
                        if (std::hypot(px - cx - 0.5, py - cy - 0.5) > radius) continue;
                        disc += 1;
                        if (stop) {
                            if (segmentDistance(px, py, 10, 10, 22, 22) < 2.2 ||
                                segmentDistance(px, py, 22, 10, 10, 22) < 2.2) {
                                mark += 1;
                            }
                        }
                    }
                }
                disc /= 16;
                mark /= 16;
                // Shade the disc from a lighter top to a darker bottom.
                double shade = 1.15 - 0.3 * y / 31.0;
                int r = stop ? 210 : 30, g = stop ? 40 : 100, b = stop ? 40 : 210;
                r = std::min(255, static_cast<int>(r * shade));
                g = std::min(255, static_cast<int>(g * shade));
                b = std::min(255, static_cast<int>(b * shade));
                r = static_cast<int>(r + (255 - r) * mark);
                g = static_cast<int>(g + (255 - g) * mark);
                b = static_cast<int>(b + (255 - b) * mark);
                auto alpha = static_cast<uint32_t>(std::lround(disc * 255));
                pixels[y * (s->pitch / 4) + x] = (alpha << 24) | (static_cast<uint32_t>(r) << 16) |
                                                 (static_cast<uint32_t>(g) << 8) |
                                                 static_cast<uint32_t>(b);
            }
        }
        if (!stop && ui_.iconFont() != nullptr) {
            // The question mark, from the face in bold.
            SDL_Surface* glyph = TTF_RenderUTF8_Blended(ui_.iconFont(), "?", WHITE);
            if (glyph != nullptr) {
                SDL_Rect dst{(32 - glyph->w) / 2, (32 - glyph->h) / 2, glyph->w, glyph->h};
                SDL_BlitSurface(glyph, nullptr, s, &dst);
                SDL_FreeSurface(glyph);
            }
        }
        SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, s);
        SDL_FreeSurface(s);
        return texture;
    }

    DialogUi& ui_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    int width_, height_;
    std::map<std::string, Cached> texts_;
    std::map<dialog::Icon, SDL_Texture*> icons_;
};

// A dialog on screen: its window, its logic and the pixel rectangles of its
// controls. Dialog windows are stacked; only the top one takes input.
class Dialog;
std::vector<Dialog*> openDialogs;

class Dialog {
public:
    Dialog(DialogUi& ui, const Template& tmpl, bool dialogUnits, SDL_Window* owner,
           int pixelWidth = 0, int pixelHeight = 0)
        : tmpl_(tmpl),
          state_(tmpl_),
          window_(ui, tmpl.caption, dialogUnits ? mulDiv(tmpl.width, ui.baseX(), 4) : pixelWidth,
                  dialogUnits ? mulDiv(tmpl.height, ui.baseY(), 8) : pixelHeight, owner) {
        for (const Control& c : tmpl_.controls) {
            if (dialogUnits) {
                rects_.push_back({mulDiv(c.x, ui.baseX(), 4), mulDiv(c.y, ui.baseY(), 8),
                                  mulDiv(c.width, ui.baseX(), 4), mulDiv(c.height, ui.baseY(), 8)});
            } else {
                rects_.push_back({c.x, c.y, c.width, c.height});
            }
        }
        openDialogs.push_back(this);
    }
    virtual ~Dialog() { openDialogs.erase(std::find(openDialogs.begin(), openDialogs.end(), this)); }

    bool ok() const { return window_.ok(); }
    DialogState& state() { return state_; }
    UiWindow& window() { return window_; }

    void setStory(const std::string& text) {
        story_ = text;
        int index = controlIndex(dialog::ID_STORY);
        if (index < 0) return;
        SDL_Rect inner = storyText(index);
        storyLines_ = wrapText(story_, inner.w,
                               [this](std::string_view s) { return window_.measure(s); });
        int visible = std::max(1, inner.h / window_.ui().lineHeight());
        state_.setStoryLines(static_cast<int>(storyLines_.size()), visible);
    }

    // Runs the dialog until `onCommand` gives a result.
    int run(const std::function<std::optional<int>(int)>& onCommand) {
        draw();
        SDL_Event e;
        while (SDL_WaitEvent(&e)) {
            if (e.type == SDL_QUIT) {
                quitRequested = true;
                return DIALOG_QUIT;
            }
            std::optional<int> command = handle(e);
            if (command) {
                std::optional<int> result = onCommand(*command);
                if (quitRequested) return DIALOG_QUIT;
                if (result) return *result;
                redrawAll();
            }
            draw();
        }
        return DIALOG_QUIT;
    }

    void draw() {
        if (!ok()) return;
        UiWindow& w = window_;
        w.fill({0, 0, w.width(), w.height()}, FACE);
        drawBackground();
        for (std::size_t i = 0; i < tmpl_.controls.size(); ++i) drawControl(static_cast<int>(i));
        SDL_RenderPresent(w.renderer());
    }

protected:
    virtual void drawBackground() {}

    int controlIndex(int id) const {
        for (std::size_t i = 0; i < tmpl_.controls.size(); ++i) {
            if (tmpl_.controls[i].id == id) return static_cast<int>(i);
        }
        return -1;
    }

private:
    static void redrawAll() {
        for (Dialog* d : openDialogs) d->draw();
    }

    SDL_Rect storyText(int index) const {
        SDL_Rect r = rects_[static_cast<std::size_t>(index)];
        return {r.x + 3, r.y + 2, r.w - 3 - 1 - SCROLLBAR_WIDTH - 2, r.h - 4};
    }
    SDL_Rect scrollBar(int index) const {
        SDL_Rect r = rects_[static_cast<std::size_t>(index)];
        return {r.x + r.w - 1 - SCROLLBAR_WIDTH, r.y + 1, SCROLLBAR_WIDTH, r.h - 2};
    }
    SDL_Rect thumb(int index) const {
        SDL_Rect bar = scrollBar(index);
        int track = bar.h - 2 * SCROLLBAR_WIDTH;
        int total = std::max(state_.storyLines(), 1);
        int visible = std::min(state_.storyVisible(), total);
        int size = std::max(8, track * visible / total);
        int range = std::max(1, total - visible);
        int pos = (track - size) * state_.scrollTop() / range;
        return {bar.x + 1, bar.y + SCROLLBAR_WIDTH + pos, bar.w - 2, size};
    }

    int hit(int x, int y) const {
        for (std::size_t i = 0; i < rects_.size(); ++i) {
            const SDL_Rect& r = rects_[i];
            ControlKind kind = tmpl_.controls[i].kind;
            if (kind == ControlKind::Label || kind == ControlKind::EtchedLine) continue;
            int right = r.x + r.w;
            if (kind == ControlKind::Radio) {
                // The text may run past the template's width; so does the click.
                right = std::max(right, r.x + 17 + window_.measure(tmpl_.controls[i].text));
            }
            if (x >= r.x && x < right && y >= r.y && y < r.y + r.h) return static_cast<int>(i);
        }
        return -1;
    }

    std::optional<int> handle(const SDL_Event& e) {
        const uint32_t id = window_.id();
        switch (e.type) {
            case SDL_WINDOWEVENT:
                if (e.window.windowID != id) {
                    if (e.window.event == SDL_WINDOWEVENT_EXPOSED) redrawAll();
                    return std::nullopt;
                }
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) return state_.close();
                return std::nullopt;
            case SDL_KEYDOWN:
                if (e.key.windowID != id && e.key.windowID != 0) return std::nullopt;
                return keyDown(e.key);
            case SDL_KEYUP:
                if (e.key.windowID != id && e.key.windowID != 0) return std::nullopt;
                if (e.key.keysym.sym == SDLK_SPACE) return state_.key(dialog::Key::SpaceUp);
                return std::nullopt;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.windowID != id || e.button.button != SDL_BUTTON_LEFT) return std::nullopt;
                return mouseDown(e.button.x, e.button.y);
            case SDL_MOUSEBUTTONUP:
                if (e.button.windowID != id || e.button.button != SDL_BUTTON_LEFT) return std::nullopt;
                dragging_ = false;
                return state_.mouseUp(hit(e.button.x, e.button.y));
            case SDL_MOUSEMOTION:
                if (e.motion.windowID == id && dragging_) dragThumb(e.motion.y);
                return std::nullopt;
            case SDL_MOUSEWHEEL:
                if (e.wheel.windowID == id) state_.scrollBy(-e.wheel.y * WHEEL_LINES);
                return std::nullopt;
            default:
                return std::nullopt;
        }
    }

    std::optional<int> keyDown(const SDL_KeyboardEvent& k) {
        using dialog::Key;
        const bool shift = (k.keysym.mod & KMOD_SHIFT) != 0;
        const bool alt = (k.keysym.mod & KMOD_ALT) != 0;
        switch (k.keysym.sym) {
            case SDLK_TAB: return state_.key(Key::Tab, shift);
            case SDLK_LEFT: return state_.key(Key::Left);
            case SDLK_RIGHT: return state_.key(Key::Right);
            case SDLK_UP: return state_.key(Key::Up);
            case SDLK_DOWN: return state_.key(Key::Down);
            case SDLK_PAGEUP: return state_.key(Key::PageUp);
            case SDLK_PAGEDOWN: return state_.key(Key::PageDown);
            case SDLK_HOME: return state_.key(Key::Home);
            case SDLK_END: return state_.key(Key::End);
            case SDLK_SPACE: return k.repeat ? std::nullopt : state_.key(Key::SpaceDown);
            case SDLK_RETURN:
            case SDLK_KP_ENTER: return k.repeat ? std::nullopt : state_.key(Key::Enter);
            case SDLK_ESCAPE: return k.repeat ? std::nullopt : state_.key(Key::Escape);
            case SDLK_F4:
                // Alt+F4 closes the window where no window manager does it.
                if (alt) return state_.close();
                return std::nullopt;
            default:
                if (k.keysym.sym >= SDLK_a && k.keysym.sym <= SDLK_z && !k.repeat) {
                    return state_.letter(static_cast<char>(k.keysym.sym - SDLK_a + 'A'), alt);
                }
                return std::nullopt;
        }
    }

    std::optional<int> mouseDown(int x, int y) {
        int index = hit(x, y);
        if (index >= 0 && tmpl_.controls[static_cast<std::size_t>(index)].kind == ControlKind::Story) {
            state_.mouseDown(index);
            SDL_Rect bar = scrollBar(index);
            if (x >= bar.x) {
                if (y < bar.y + SCROLLBAR_WIDTH) {
                    state_.scrollBy(-1);
                } else if (y >= bar.y + bar.h - SCROLLBAR_WIDTH) {
                    state_.scrollBy(1);
                } else {
                    SDL_Rect t = thumb(index);
                    if (y < t.y) {
                        state_.scrollBy(-std::max(1, state_.storyVisible() - 1));
                    } else if (y >= t.y + t.h) {
                        state_.scrollBy(std::max(1, state_.storyVisible() - 1));
                    } else {
                        dragging_ = true;
                        dragOffset_ = y - t.y;
                    }
                }
            }
            return std::nullopt;
        }
        return state_.mouseDown(index);
    }

    void dragThumb(int y) {
        int index = controlIndex(dialog::ID_STORY);
        SDL_Rect bar = scrollBar(index);
        SDL_Rect t = thumb(index);
        int track = bar.h - 2 * SCROLLBAR_WIDTH - t.h;
        if (track <= 0) return;
        int range = std::max(0, state_.storyLines() - state_.storyVisible());
        int pos = y - dragOffset_ - (bar.y + SCROLLBAR_WIDTH);
        state_.scrollTo((pos * range + track / 2) / track);
    }

    void drawControl(int index) {
        UiWindow& w = window_;
        const Control& c = tmpl_.controls[static_cast<std::size_t>(index)];
        const SDL_Rect r = rects_[static_cast<std::size_t>(index)];
        const bool focused = state_.focus() == index;
        const int lh = w.ui().lineHeight();
        switch (c.kind) {
            case ControlKind::DefaultButton:
            case ControlKind::Button: {
                const bool pressed = state_.pressed() == index;
                const bool isDefault = state_.defaultButton() == index;
                w.fill(r, pressed ? PRESSED_FACE : BUTTON_FACE);
                w.frame(r, pressed ? PRESSED_BORDER : isDefault ? ACCENT : BUTTON_BORDER);
                if (isDefault && !pressed) {
                    w.frame({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, ACCENT);
                }
                int underline = -1;
                std::string label = dialog::stripMnemonic(c.text, &underline);
                int tw = w.measure(label);
                w.text(r.x + (r.w - tw) / 2, r.y + (r.h - lh) / 2, label, TEXT, underline);
                if (focused) w.focusFrame({r.x + 3, r.y + 3, r.w - 6, r.h - 6});
                break;
            }
            case ControlKind::Label: {
                // A one-line label is drawn whole even where its text is wider
                // than its box; taller labels wrap within their width.
                std::vector<std::string> lines;
                if (r.h < 2 * lh) {
                    lines.push_back(c.text);
                } else {
                    lines = wrapText(c.text, r.w, [&w](std::string_view s) { return w.measure(s); });
                }
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    if (static_cast<int>(i) * lh >= r.h && r.h >= 2 * lh) break;
                    w.text(r.x, r.y + static_cast<int>(i) * lh, lines[i], TEXT);
                }
                break;
            }
            case ControlKind::EtchedLine:
                w.line(r.x, r.y, r.x + r.w - 1, r.y, SHADOW);
                w.line(r.x, r.y + 1, r.x + r.w - 1, r.y + 1, WHITE);
                break;
            case ControlKind::Radio: {
                const int size = 13;
                const int top = r.y + (r.h - size) / 2;
                drawRadio(r.x, top, state_.checked(index), state_.pressed() == index);
                int tw = w.measure(c.text);
                int ty = r.y + (r.h - lh) / 2;
                w.text(r.x + 17, ty, c.text, TEXT);
                if (focused) w.focusFrame({r.x + 15, ty - 1, tw + 4, lh + 2});
                break;
            }
            case ControlKind::Story:
                drawStory(index, focused);
                break;
        }
    }

    void drawRadio(int x, int y, bool checked, bool pressed) {
        UiWindow& w = window_;
        // A 13-pixel circle, drawn as spans.
        auto disc = [&](double radius, SDL_Color colour) {
            w.color(colour);
            const double c = 6.0;
            for (int row = 0; row < 13; ++row) {
                double dy = row - c;
                if (std::fabs(dy) > radius) continue;
                double half = std::sqrt(radius * radius - dy * dy);
                int from = static_cast<int>(std::ceil(c - half - 0.25));
                int to = static_cast<int>(std::floor(c + half + 0.25));
                SDL_RenderDrawLine(w.renderer(), x + from, y + row, x + to, y + row);
            }
        };
        disc(6.4, pressed ? PRESSED_BORDER : SDL_Color{51, 51, 51, 255});
        disc(5.4, pressed ? PRESSED_FACE : WHITE);
        if (checked) disc(3.0, SDL_Color{33, 33, 33, 255});
    }

    void drawStory(int index, bool focused) {
        UiWindow& w = window_;
        const SDL_Rect r = rects_[static_cast<std::size_t>(index)];
        w.fill(r, WHITE);
        w.frame(r, focused ? ACCENT : EDGE);
        const SDL_Rect inner = storyText(index);
        const int lh = w.ui().lineHeight();
        SDL_RenderSetClipRect(w.renderer(), &inner);
        for (int i = 0; i < state_.storyVisible() + 1; ++i) {
            int line = state_.scrollTop() + i;
            if (line >= static_cast<int>(storyLines_.size())) break;
            w.text(inner.x, inner.y + i * lh, storyLines_[static_cast<std::size_t>(line)], TEXT);
        }
        SDL_RenderSetClipRect(w.renderer(), nullptr);
        // The vertical scroll bar: two arrow buttons, the track and the thumb.
        const SDL_Rect bar = scrollBar(index);
        w.fill(bar, TRACK);
        SDL_Rect up{bar.x, bar.y, bar.w, SCROLLBAR_WIDTH};
        SDL_Rect down{bar.x, bar.y + bar.h - SCROLLBAR_WIDTH, bar.w, SCROLLBAR_WIDTH};
        for (int dir = 0; dir < 2; ++dir) {
            const SDL_Rect& b = dir == 0 ? up : down;
            const int cx = b.x + b.w / 2, cy = b.y + b.h / 2;
            for (int k = 0; k < 4; ++k) {
                int row = dir == 0 ? cy - 2 + k : cy + 1 - k;
                w.line(cx - k, row, cx + k, row, ARROW);
            }
        }
        if (state_.storyLines() > state_.storyVisible()) w.fill(thumb(index), THUMB);
    }

    Template tmpl_;
    DialogState state_;
    UiWindow window_;
    std::vector<SDL_Rect> rects_;
    std::string story_;
    std::vector<std::string> storyLines_;
    bool dragging_ = false;
    int dragOffset_ = 0;
};

// A message box: the icon and the text on white, the buttons on a grey strip
// at the foot, laid out from the measured text.
class MessageBoxDialog : public Dialog {
public:
    MessageBoxDialog(DialogUi& ui, Template tmpl, dialog::Icon icon, SDL_Window* owner,
                     int width, int height, int footTop)
        : Dialog(ui, tmpl, false, owner, width, height), icon_(icon), footTop_(footTop) {}

    static std::unique_ptr<MessageBoxDialog> create(DialogUi& ui, const std::string& text,
                                                    const std::string& caption,
                                                    dialog::Buttons buttons, dialog::Icon icon,
                                                    SDL_Window* owner) {
        Template tmpl = dialog::messageBoxTemplate(text, caption, buttons);
        int textWidth = 0;
        if (ui.font() != nullptr) {
            int h = 0;
            TTF_SizeUTF8(ui.font(), sjisToUtf8(text).c_str(), &textWidth, &h);
        }
        const int lh = ui.lineHeight();
        const int buttonW = 75, buttonH = 23, gap = 10, margin = 12;
        const int buttonCount = static_cast<int>(tmpl.controls.size()) - 1;
        const int bodyH = 32 + 2 * 22;
        int width = std::max({margin + 32 + margin + textWidth + 3 * margin,
                              buttonCount * buttonW + (buttonCount - 1) * gap + 2 * margin, 200});
        const int footH = buttonH + 2 * 10;
        const int height = bodyH + footH;
        tmpl.controls[0].x = margin + 32 + margin;
        tmpl.controls[0].y = 22 + (32 - lh) / 2;
        tmpl.controls[0].width = textWidth + margin;
        tmpl.controls[0].height = lh;
        int x = width - margin - buttonCount * buttonW - (buttonCount - 1) * gap;
        for (int i = 1; i <= buttonCount; ++i) {
            Control& b = tmpl.controls[static_cast<std::size_t>(i)];
            b.x = x;
            b.y = bodyH + 10;
            b.width = buttonW;
            b.height = buttonH;
            x += buttonW + gap;
        }
        return std::make_unique<MessageBoxDialog>(ui, tmpl, icon, owner, width, height, bodyH);
    }

protected:
    void drawBackground() override {
        UiWindow& w = window();
        w.fill({0, 0, w.width(), footTop_}, WHITE);
        w.icon(icon_, 12 + 6, 22);
    }

private:
    dialog::Icon icon_;
    int footTop_;
};

class SdlMessageBoxes : public dialog::MessageBoxes {
public:
    SdlMessageBoxes(DialogUi& ui, SDL_Window* owner) : ui_(ui), owner_(owner) {}
    int show(const std::string& text, const std::string& caption, dialog::Buttons buttons,
             dialog::Icon icon) override {
        int result;
        {
            auto box = MessageBoxDialog::create(ui_, text, caption, buttons, icon, owner_);
            if (!box->ok()) return buttons == dialog::Buttons::Ok ? dialog::CMD_OK : dialog::CMD_YES;
            result = box->run([](int command) { return std::optional<int>(command); });
        }
        // The owner takes the keyboard back once the box is gone.
        SDL_RaiseWindow(owner_);
        SDL_SetWindowInputFocus(owner_);
        return result == DIALOG_QUIT ? dialog::CMD_NO : result;
    }

private:
    DialogUi& ui_;
    SDL_Window* owner_;
};

}  // namespace

DialogUi::~DialogUi() {
    if (font_ != nullptr) TTF_CloseFont(font_);
    if (iconFont_ != nullptr) TTF_CloseFont(iconFont_);
}

bool DialogUi::init(int scale, std::string& error) {
    scale_ = std::max(1, scale);
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
        error = std::string("cannot start the font engine: ") + TTF_GetError();
        return false;
    }
    std::string path;
    if (!findFontFile("IPAPGothic", "ja", path)) {
        error = "no Japanese font found (install fonts-ipafont-gothic)";
        return false;
    }
    // 9 points at 96 dots per inch: a 12-pixel em.
    font_ = TTF_OpenFont(path.c_str(), 12);
    if (font_ == nullptr) {
        error = "cannot open the font " + path + ": " + TTF_GetError();
        return false;
    }
    iconFont_ = TTF_OpenFont(path.c_str(), 24);
    if (iconFont_ != nullptr) TTF_SetFontStyle(iconFont_, TTF_STYLE_BOLD);
    // Dialog base units as Windows takes them from the dialog font: the
    // average width of the 52 Latin letters, rounded, and the cell height.
    int w = 0, h = 0;
    TTF_SizeUTF8(font_, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &w, &h);
    baseX_ = std::max(1, (w / 26 + 1) / 2);
    baseY_ = std::max(1, TTF_FontHeight(font_));
    lineHeight_ = std::max(1, TTF_FontLineSkip(font_));
    return true;
}

int runIntroDialog(DialogUi& ui) {
    Dialog intro(ui, dialog::introTemplate(), true, nullptr);
    if (!intro.ok()) return DIALOG_FAILED;
    intro.setStory(dialog::storyText());
    SdlMessageBoxes boxes(ui, intro.window().window());
    return intro.run([&boxes](int command) { return dialog::introCommand(command, boxes); });
}

int runCourseDialog(DialogUi& ui) {
    Dialog course(ui, dialog::courseTemplate(), true, nullptr);
    if (!course.ok()) return DIALOG_FAILED;
    // The dial-up course is checked when the dialog opens.
    for (std::size_t i = 0; i < dialog::courseTemplate().controls.size(); ++i) {
        if (dialog::courseTemplate().controls[i].id == dialog::ID_RADIO_DIALUP) {
            course.state().checkRadio(static_cast<int>(i));
        }
    }
    return course.run(
        [&course](int command) { return dialog::courseCommand(command, course.state()); });
}

}  // namespace velno
