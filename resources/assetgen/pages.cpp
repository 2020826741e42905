// The three misfire pages that slide over the playfield after a good mail is
// shot: a news site, a newspaper front page and a message-board thread, all
// reporting the vaccine's false alarm. Every name and text here is made up.
#include <algorithm>
#include <cmath>

#include "assets.h"

namespace assetgen {

namespace {

constexpr double PI = 3.14159265358979323846;

void hline(Canvas& c, int x0, int x1, int y, Rgb colour, int thickness = 1) {
    c.fillRect(x0, y, x1, y + thickness, colour);
}

void vline(Canvas& c, int x, int y0, int y1, Rgb colour, int thickness = 1) {
    c.fillRect(x, y0, x + thickness, y1, colour);
}

void box(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour, int thickness = 1) {
    hline(c, x0, x1, y0, colour, thickness);
    hline(c, x0, x1, y1 - thickness, colour, thickness);
    vline(c, x0, y0, y1, colour, thickness);
    vline(c, x1 - thickness, y0, y1, colour, thickness);
}

// Draws wrapped text; returns the y under the last line.
int paragraph(Canvas& c, const TextStyle& style, const std::string& text, int x, int y, int width,
              int pitch, int indentFirst = 0) {
    bool first = true;
    for (const std::string& line : wrapText(style, text, width - (first ? indentFirst : 0))) {
        drawText(c, style, line, x + (first ? indentFirst : 0), y);
        first = false;
        y += pitch;
    }
    return y;
}

// Lays vertical text out in columns from right to left, `rows` characters a
// column; returns the x left of the last column.
int verticalColumns(Canvas& c, const TextStyle& style, const std::string& text, int rightX, int y,
                    int rows, int pitch, int columnGap) {
    std::vector<std::string> chars = splitChars(text);
    int x = rightX;
    for (size_t i = 0; i < chars.size(); i += size_t(rows)) {
        std::string column;
        for (size_t k = i; k < std::min(chars.size(), i + size_t(rows)); ++k) column += chars[k];
        drawVertical(c, style, column, x - columnGap / 2, y, pitch);
        x -= columnGap;
    }
    return x;
}

// A star-shaped burst with `points` spikes.
Shape star(double cx, double cy, double outer, double inner, int points, double turn) {
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i < points * 2; ++i) {
        double r = (i % 2 == 0) ? outer * (0.85 + 0.15 * hashNoise(i, 3, 5)) : inner;
        double a = turn + i * PI / points;
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return polygon(pts);
}

}  // namespace

// ------------------------------------------------------------ the news site

Canvas drawNewsPage() {
    Canvas c(640, 480, WHITE);
    const Rgb green{46, 139, 66}, darkGreen{18, 64, 30}, orange{255, 140, 0}, grey{110, 110, 110},
        paleGreen{226, 242, 228}, red{214, 0, 0}, dialog{212, 208, 200}, titleBlue{10, 36, 106};

    // Sidebar.
    c.fillRect(4, 4, 150, 476, green);
    c.fillRect(8, 8, 142, 66, WHITE);
    box(c, 8, 8, 142, 66, darkGreen);
    const TextStyle logo{Face::Gothic, 22, true, true, green};
    drawTextCentred(c, logo, "デジタル", 75, 10);
    const TextStyle logo2{Face::Mincho, 20, true, false, darkGreen};
    drawTextCentred(c, logo2, "瓦版", 75, 34);
    c.fill(circle(28, 45, 5), orange, 20, 38, 36, 52);
    c.fill(circle(122, 45, 5), orange, 114, 38, 130, 52);
    const TextStyle tiny{Face::PGothic, 9, false, false, WHITE};
    drawTextCentred(c, tiny, "DIGITAL KAWARABAN NEWS", 75, 70);

    c.fillRect(4, 86, 150, 106, darkGreen);
    const TextStyle heading{Face::PGothic, 13, true, false, WHITE};
    drawText(c, heading, "最新ニュース", 10, 89);
    const TextStyle item{Face::PGothic, 12, false, false, WHITE};
    const char* titles[] = {"迷惑メール、過去最多に", "光回線の契約数が倍増",  "新型モデム今夏発売",
                            "掲示板の書き込み急増",   "ウイルス対策の基本",    "接続料金また値下げ",
                            "メール誤配を防ぐには",   "ワクチン機の評判は",    "週末の回線混雑予報",
                            "無料ホームページ特集",   "今月の新作ゲーム",      "読者プレゼント"};
    int y = 114;
    for (const char* title : titles) {
        c.fill(circle(14, y + 7, 3.2), orange, 8, y, 20, y + 14);
        y = paragraph(c, item, title, 22, y, 122, 15) + 7;
        hline(c, 8, 142, y - 4, mix(green, WHITE, 0.3));
    }
    c.fillRect(4, 420, 150, 440, darkGreen);
    drawText(c, heading, "アクセス数", 10, 423);
    const TextStyle counter{Face::Gothic, 12, true, false, WHITE};
    drawText(c, counter, "0 0 X X X X X", 14, 448);

    // Main column.
    const int left = 166, right = 626;
    const TextStyle crumb{Face::PGothic, 11, false, false, grey};
    drawText(c, crumb, "ホーム ＞ ニュース ＞ ＩＴ・ネット", left, 10);
    drawText(c, crumb, "20XX年X月XX日 XX時XX分 更新", right - textWidth(crumb, "20XX年X月XX日 XX時XX分 更新"), 10);
    hline(c, left, right, 28, green, 3);
    const TextStyle headline{Face::PGothic, 25, true, false, BLACK};
    y = paragraph(c, headline, "ワクチンソフトが誤作動、\n無害なソフトを「ウイルス感染」と警告", left, 38,
                  right - left, 32);
    hline(c, left, right, y + 4, grey);
    y += 14;

    // A picture of the false warning next to the first paragraphs.
    const int px = right - 176, py = y + 2;
    c.fillRect(px, py, right, py + 118, dialog);
    box(c, px, py, right, py + 118, BLACK);
    c.fillRect(px + 2, py + 2, right - 2, py + 18, titleBlue);
    const TextStyle dialogTitle{Face::PGothic, 11, true, false, WHITE};
    drawText(c, dialogTitle, "ワクチン機 - 警告", px + 6, py + 3);
    c.fill(polygon({{px + 28.0, py + 30.0}, {px + 12.0, py + 60.0}, {px + 44.0, py + 60.0}}), red,
           px + 8, py + 26, px + 48, py + 64);
    const TextStyle bang{Face::Gothic, 20, true, false, WHITE};
    drawText(c, bang, "!", px + 23, py + 36);
    const TextStyle dialogText{Face::PGothic, 12, true, false, BLACK};
    drawText(c, dialogText, "ウイルスに感染した", px + 52, py + 30);
    drawText(c, dialogText, "ソフトを発見しました！", px + 52, py + 46);
    c.fillRect(px + 60, py + 80, px + 116, py + 100, WHITE);
    box(c, px + 60, py + 80, px + 116, py + 100, BLACK);
    drawTextCentred(c, dialogText, "削除", px + 88, py + 83);
    const TextStyle caption{Face::PGothic, 11, false, false, grey};
    drawText(c, caption, "誤って表示された警告（再現画面）", px, py + 124);

    const TextStyle body{Face::PGothic, 13, false, false, BLACK};
    const int narrow = px - left - 12;
    y = paragraph(c, body,
                  "メール防衛ソフト「ワクチン機」が、利用者のパソコンに入っている無害な"
                  "ソフトを「ウイルスに感染している」と誤って警告する問題が起きた。",
                  left, y, narrow, 19, 13) + 6;
    y = paragraph(c, body,
                  "開発元によると、ウイルスの特徴を記録した定義ファイルの更新に誤りがあり、"
                  "表計算ソフトや挨拶状のメールまでウイルスと判定していたという。",
                  left, y, narrow, 19, 13) + 6;
    y = std::max(y, py + 142);
    y = paragraph(c, body,
                  "警告に従って削除されたメールやソフトは少なくとも数万件にのぼる見込み。"
                  "開発元は同日夜に修正した定義ファイルを公開し、「ご迷惑をおかけし、"
                  "深くおわび申し上げます」とのコメントを出した。",
                  left, y, right - left, 19, 13) + 6;
    y = paragraph(c, body,
                  "専門家は「警告が出てもすぐに削除せず、落ち着いて確かめてほしい」と話している。",
                  left, y, right - left, 19, 13) + 10;

    // Related articles.
    c.fillRect(left, y, right, y + 20, paleGreen);
    vline(c, left, y, y + 20, green, 4);
    drawText(c, TextStyle{Face::PGothic, 12, true, false, darkGreen}, "関連ニュース", left + 10, y + 3);
    y += 26;
    const char* related[] = {"「撃っちゃダメ」の表示、なぜ見落とす？", "ワクチン機、前回の誤作動から半年"};
    for (const char* r : related) {
        c.fill(circle(left + 6, y + 7, 3.2), orange, left, y, left + 12, y + 14);
        drawText(c, TextStyle{Face::PGothic, 12, false, false, Rgb{0, 0, 200}}, r, left + 14, y);
        y += 18;
    }
    hline(c, left, right, 452, grey);
    drawTextCentred(c, crumb, "Copyright (C) 20XX Digital Kawaraban. All rights reserved.",
                    (left + right) / 2, 458);
    return c;
}

// ------------------------------------------------------ the newspaper front

Canvas drawNewspaperPage() {
    Canvas c(640, 480, WHITE);
    const Rgb red{220, 20, 20}, yellow{255, 222, 24}, grey{120, 120, 120};

    // Masthead in heavy brush-like lettering, with a red seal.
    const TextStyle mast{Face::Mincho, 58, true, false, BLACK};
    int mx = 16;
    for (const std::string& ch : splitChars("電脳新聞")) {
        // Each character a little thicker and offset, like a brush stroke.
        drawText(c, mast, ch, mx, 6);
        drawText(c, mast, ch, mx + 1, 7);
        mx += 62;
    }
    c.fillRect(mx + 6, 14, mx + 40, 48, red);
    const TextStyle seal{Face::Mincho, 14, true, false, WHITE};
    drawText(c, seal, "朝", mx + 9, 16);
    drawText(c, seal, "刊", mx + 23, 32);
    const TextStyle dateLine{Face::Mincho, 12, false, false, BLACK};
    hline(c, 16, 360, 76, BLACK);
    drawText(c, dateLine, "20XX年（XX年）X月XX日　X曜日　第XXXXX号", 16, 80);
    hline(c, 16, 360, 96, BLACK);

    // Advertisement at the top right.
    box(c, 382, 8, 628, 98, BLACK, 2);
    box(c, 386, 12, 624, 94, BLACK);
    const TextStyle adBig{Face::Gothic, 20, true, false, red};
    drawText(c, adBig, "光回線、はじめました", 394, 18);
    const TextStyle adSmall{Face::PGothic, 12, true, false, BLACK};
    drawText(c, adSmall, "いまなら工事費０円・最初の２か月無料", 396, 46);
    drawText(c, adSmall, "お申し込みは　0120-XXX-XXX", 396, 64);
    c.fill(circle(603, 75, 14), red, 586, 58, 620, 92);
    drawTextCentred(c, TextStyle{Face::Gothic, 18, true, false, WHITE}, "光", 603, 66);

    // The black band with the big headline.
    c.fillRect(10, 106, 630, 158, BLACK);
    const TextStyle band{Face::Gothic, 38, true, false, WHITE};
    drawTextCentred(c, band, "正常なメールを削除", 320, 112);

    // The drawing: a yellow envelope struck by a red burst, in a frame.
    const int fx = 16, fy = 172, fw = 236, fh = 176;
    box(c, fx, fy, fx + fw, fy + fh, BLACK, 2);
    const double ex = fx + 30, ey = fy + 52, ew = 168, eh = 108;
    // Impact lines.
    for (int i = 0; i < 16; ++i) {
        double a = i * PI / 8 + 0.2;
        double bx = ex + ew * 0.62, by = ey + eh * 0.35;
        c.fill(segment(bx + 70 * std::cos(a), by + 70 * std::sin(a), bx + 96 * std::cos(a),
                       by + 96 * std::sin(a), 2.2),
               BLACK, fx + 2, fy + 2, fx + fw - 2, fy + fh - 2);
    }
    c.fill(rect(ex, ey, ex + ew, ey + eh), yellow, fx, fy, fx + fw, fy + fh);
    c.fill(subtract(rect(ex - 1.5, ey - 1.5, ex + ew + 1.5, ey + eh + 1.5),
                    rect(ex + 1.5, ey + 1.5, ex + ew - 1.5, ey + eh - 1.5)),
           BLACK, fx, fy, fx + fw, fy + fh);
    c.fill(segment(ex, ey, ex + ew / 2, ey + eh * 0.58, 3), BLACK, fx, fy, fx + fw, fy + fh);
    c.fill(segment(ex + ew, ey, ex + ew / 2, ey + eh * 0.58, 3), BLACK, fx, fy, fx + fw, fy + fh);
    const double sx = ex + ew * 0.62, sy = ey + eh * 0.35;
    c.fill(star(sx, sy, 62, 26, 11, 0.1), BLACK, fx, fy, fx + fw, fy + fh);
    c.fill(star(sx, sy, 58, 23, 11, 0.1), red, fx, fy, fx + fw, fy + fh);
    c.fill(star(sx, sy, 30, 13, 11, 0.25), yellow, fx, fy, fx + fw, fy + fh);
    const TextStyle caption{Face::Mincho, 11, false, false, BLACK};
    drawText(c, caption, "撃ち落とされた正常なメール（イメージ）", fx, fy + fh + 4);

    // The vertical headline on the right, then the article in columns.
    const TextStyle vHead{Face::Gothic, 34, true, false, BLACK};
    c.fillRect(582, 172, 630, 440, WHITE);
    drawVertical(c, vHead, "またも不祥事", 606, 176, 40);
    const TextStyle vSub{Face::Mincho, 16, true, false, red};
    drawVertical(c, vSub, "ワクチン機誤爆", 572, 180, 19);
    vline(c, 558, 172, 440, BLACK);
    const TextStyle vBody{Face::Mincho, 12, false, false, BLACK};
    const std::string article =
        "　メール防衛ソフトのワクチン機が、利用者に届いた正常なメールを次々に撃ち落とし、"
        "削除していたことが分かった。被害は全国に広がっており、年賀状や商談のメールが"
        "消えたとの苦情が相次いでいる。"
        "　開発元は「黄色と水色のメールは撃たない設計のはずだった」と説明するが、"
        "誤爆は今月だけで三度目。利用者からは「撃っちゃダメと書いてあるのに」と"
        "あきれる声が上がっている。"
        "　専門家は「ウイルスより先にワクチンを疑う時代になった」と話す。"
        "　ワクチン機は、画面の下を左右に動く機体から弾を撃ち、落ちてくる悪いメールや"
        "ウイルスを退治する仕組み。開発元は次の版で誤射を防ぐ機能を加えるとしているが、"
        "時期は未定だ。（社会面に関連記事）";
    verticalColumns(c, vBody, article, 556, 176, 18, 14, 17);
    // Under the drawing: a second story and a weather box.
    hline(c, 16, 252, 374, BLACK, 2);
    const TextStyle small{Face::Mincho, 11, false, false, BLACK};
    const TextStyle smallHead{Face::Gothic, 14, true, false, BLACK};
    drawText(c, smallHead, "光回線、来春から全国へ", 16, 380);
    paragraph(c, small,
              "通信各社は来春から光回線の提供地域を大きく広げる。ダイヤルアップからの乗り換えが"
              "進みそうだ。（関連記事３面）",
              16, 400, 236, 14);
    box(c, 264, 440, 630, 470, grey);
    drawText(c, small, "今日の天気　晴れのち雨　降水確率XX％　最高XX度　最低XX度", 272, 449);
    return c;
}

// ------------------------------------------------------------ the board

Canvas drawBoardPage() {
    Canvas c(640, 480, WHITE);
    const Rgb pink{255, 210, 255}, link{0, 0, 238}, red{255, 0, 0}, nameGreen{0, 128, 0},
        darkRed{170, 0, 0};
    // The page sits in a thin white margin.
    c.fillRect(4, 4, 636, 476, pink);

    const TextStyle nav{Face::PGothic, 12, false, false, link};
    int x = 12;
    for (const char* l : {"掲示板に戻る", "全部", "前100", "次100", "最新50"}) {
        int w = drawText(c, nav, l, x, 10);
        hline(c, x, x + w, 23, link);
        x += w + 14;
    }
    c.fillRect(8, 30, 632, 52, red);
    const TextStyle notice{Face::PGothic, 13, true, false, WHITE};
    drawText(c, notice, "■ このスレッドは1000を超えました。全部は表示できません。", 14, 34);

    const TextStyle title{Face::PGothic, 19, true, false, red};
    drawText(c, title, "【誤爆】ワクチン機がまた正しいメールを撃ったPart27", 12, 60);

    const TextStyle head{Face::PGothic, 12, false, false, BLACK};
    const TextStyle name{Face::PGothic, 12, true, false, nameGreen};
    const TextStyle body{Face::PGothic, 13, false, false, BLACK};
    const TextStyle quote{Face::PGothic, 13, false, false, link};
    struct Post {
        int number;
        const char* who;
        const char* text;
    };
    const Post posts[] = {
        {1, "名無しのワクチン使い", "また黄色いメールを撃ち落としやがった。\n画面に「撃っちゃダメ」って書いてあるだろ…"},
        {2, "名無しのワクチン使い", "誤爆率100％のワクチンとか斬新すぎる"},
        {5, "名無しのワクチン使い", "水色のメールまで撃つとは思わなかった"},
        {8, "回線はまだダイヤルアップ", "うちの年賀状も消えたんだが。誰か説明してくれ"},
        {12, "名無しのワクチン使い", ">>8 ご愁傷さま。ウイルスより怖いワクチン"},
        {15, "名無しのワクチン使い", "撃つのは赤と紫だけ。黄色と水色は撃つな。小学生でも分かる"},
        {21, "名無しのワクチン使い", "開発元のおわびメールも撃ち落とされた模様"},
        {26, "光回線の人", ">>21 自分で自分の謝罪を消すなｗ"},
    };
    int y = 90;
    for (const Post& p : posts) {
        std::string number = std::to_string(p.number) + " ：";
        x = 14 + drawText(c, head, number, 14, y);
        x += drawText(c, name, p.who, x, y);
        drawText(c, head, "：20XX/XX/XX(X) XX:XX:XX", x + 2, y);
        y += 17;
        for (const std::string& line : wrapText(body, p.text, 590)) {
            bool isQuote = line.rfind(">>", 0) == 0;
            if (isQuote) {
                int w = drawText(c, quote, ">>" + line.substr(2, line.find(' ') - 2), 42, y);
                hline(c, 42, 42 + w, y + 14, link);
                drawText(c, body, line.substr(line.find(' ')), 42 + w, y);
            } else {
                drawText(c, body, line, 42, y);
            }
            y += 17;
        }
        y += 5;
    }
    // The closed reply form.
    hline(c, 8, 632, y, darkRed);
    c.fillRect(14, y + 6, 626, y + 30, Rgb{240, 240, 240});
    box(c, 14, y + 6, 626, y + 30, Rgb{128, 128, 128});
    drawText(c, TextStyle{Face::PGothic, 12, true, false, darkRed},
             "このスレッドには書き込めません。新しいスレッドを立ててください。", 24, y + 11);
    return c;
}

}  // namespace assetgen
