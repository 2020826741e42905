// The catalogue of pictures: number, name, size, colour depth and how each is
// drawn.
#include <functional>

#include "assets.h"

namespace assetgen {

namespace {

struct Entry {
    int number;
    const char* name;
    int width, height, bits;
    std::function<void(Canvas&)> draw;
    std::vector<Rgb> fixed;  // colours kept exactly, white first where the background is white
};

Canvas drawn(const Entry& e) {
    Canvas c(e.width, e.height, WHITE);
    e.draw(c);
    return c;
}

}  // namespace

std::vector<Picture> makePictures() {
    auto envelope = [](Envelope kind) {
        return [kind](Canvas& c) { drawEnvelope(c, 0, 0, kind); };
    };
    auto mailbox = [](Lane lane) { return [lane](Canvas& c) { drawMailbox(c, 0, 0, lane); }; };
    auto fireball = [](int size, int age) {
        return [size, age](Canvas& c) { drawFireball(c, 0, 0, size, age); };
    };
    auto page = [](Canvas (*make)()) { return [make](Canvas& c) { c.paste(make(), 0, 0); }; };
    const std::vector<Rgb> plain = {WHITE, BLACK};
    const std::vector<Entry> entries = {
        {130, "BMP_MISSILE", 8, 8, 4, [](Canvas& c) { drawMissile(c, 0, 0); }, plain},
        {131, "BMP_MISFIRE_0", 640, 480, 4, page(drawNewsPage),
         {WHITE, BLACK, {46, 139, 66}, {18, 64, 30}, {255, 140, 0}, {214, 0, 0}, {212, 208, 200}}},
        {132, "BMP_MISFIRE_1", 640, 480, 4, page(drawNewspaperPage),
         {WHITE, BLACK, {220, 20, 20}, {255, 222, 24}}},
        {133, "BMP_MISFIRE_2", 640, 480, 4, page(drawBoardPage),
         {WHITE, BLACK, {255, 210, 255}, {0, 0, 238}, {255, 0, 0}, {0, 128, 0}}},
        {134, "BMP_PLAYER", 32, 32, 8, [](Canvas& c) { drawPlayer(c, 0, 0); }, plain},
        {135, "BMP_MAIL_YELLOW", 24, 16, 4, envelope(Envelope::Yellow), envelopeColours(Envelope::Yellow)},
        {136, "BMP_MAIL_RED", 24, 16, 4, envelope(Envelope::Red), envelopeColours(Envelope::Red)},
        {137, "BMP_MAIL_PURPLE", 24, 16, 4, envelope(Envelope::Purple), envelopeColours(Envelope::Purple)},
        {138, "BMP_MAIL_CYAN", 24, 16, 4, envelope(Envelope::Cyan), envelopeColours(Envelope::Cyan)},
        {139, "BMP_MAILBOX_2", 24, 24, 4, mailbox(Lane::Blue), mailboxColours(Lane::Blue)},
        {140, "BMP_MAILBOX_3", 24, 24, 4, mailbox(Lane::Green), mailboxColours(Lane::Green)},
        {141, "BMP_MAILBOX_4", 24, 24, 4, mailbox(Lane::Cyan), mailboxColours(Lane::Cyan)},
        {142, "BMP_MAILBOX_5", 24, 24, 4, mailbox(Lane::Yellow), mailboxColours(Lane::Yellow)},
        {143, "BMP_MAILBOX_1", 24, 24, 4, mailbox(Lane::Red), mailboxColours(Lane::Red)},
        {144, "BMP_SHOT", 3, 16, 4, [](Canvas& c) { drawShot(c, 0, 0); }, plain},
        {145, "BMP_VIRUS", 24, 24, 4, [](Canvas& c) { drawVirus(c, 0, 0); },
         {WHITE, BLACK, {222, 16, 16}, {0, 128, 128}}},
        {147, "BMP_BANNER", 620, 78, 4, [](Canvas& c) { c.paste(drawBanner(), 0, 0); },
         {WHITE, BLACK, {0, 0, 128}, {128, 128, 128}}},
        {152, "BMP_BURST_64", 64, 64, 8, fireball(64, 0), {WHITE, {255, 255, 208}}},
        {153, "BMP_BURST_60", 60, 60, 8, fireball(60, 1), {WHITE, {255, 255, 208}}},
        {154, "BMP_BURST_48", 48, 48, 8, fireball(48, 2), {WHITE, {255, 255, 208}}},
        {155, "BMP_BURST_32", 32, 32, 8, fireball(32, 3), {WHITE, {255, 255, 208}}},
        {156, "BMP_BURST_16", 16, 16, 8, fireball(16, 4), {WHITE, {255, 255, 208}}},
        {157, "BMP_MAILBOX_DESTROYED", 24, 24, 4, [](Canvas& c) { drawWreck(c, 0, 0); }, plain},
    };
    std::vector<Picture> out;
    for (const Entry& e : entries) out.push_back({e.number, e.name, quantise(drawn(e), e.bits, e.fixed)});
    return out;
}

}  // namespace assetgen
