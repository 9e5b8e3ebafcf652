#include "manual_pages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QString>
#include <utility>

#include "art_scale.h"
#include "colour_key.h"
#include "figures.h"
#include "lcd_ink.h"
#include "panel_marks.h"
#include "preview.h"

namespace artwork {

namespace {

const QColor Paper{0xFB, 0xF7, 0xEC};
const QColor Text{0x22, 0x22, 0x26};
const QColor Accent{0xB8, 0x32, 0x28};
const QColor Rule{0xD9, 0xCF, 0xB8};
constexpr int Margin = 14;
constexpr int Footer_Top = Manual_Page_Height - 24;

// Lays out one page from the top down: a title band, headings, paragraphs, two-column
// tables and pictures; the page number at the foot.
class Page {
public:
    Page(int number, const QString& title)
        : m_image(art_canvas(QSize(Manual_Page_Width, Manual_Page_Height), QImage::Format_RGB32)),
          m_p(&m_image) {
        m_image.fill(Paper);
        smooth(m_p);
        m_p.fillRect(QRect(0, 0, Manual_Page_Width, 30), Accent);
        m_p.fillRect(QRect(0, 30, Manual_Page_Width, 2), Accent.darker(140));
        m_p.setFont(print_font(14, true));
        m_p.setPen(QColor(0xFF, 0xEA, 0xB8));
        m_p.drawText(QRect(Margin, 0, Manual_Page_Width - 2 * Margin - 18, 30),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
        m_p.setPen(QPen(Rule, 1));
        m_p.drawLine(Margin, Footer_Top, Manual_Page_Width - Margin, Footer_Top);
        m_p.setFont(print_font(10));
        m_p.setPen(Text);
        m_p.drawText(QRect(0, Footer_Top + 2, Manual_Page_Width, 20), Qt::AlignCenter,
                     QString("- %1 -").arg(number));
        m_y = 40;
    }

    void heading(const QString& text) {
        m_y += 3;
        m_p.setFont(print_font(12, true));
        m_p.setPen(Accent);
        m_p.drawText(QRect(Margin, m_y, width(), 16), Qt::AlignLeft | Qt::AlignVCenter, text);
        m_y += 18;
    }

    void para(const QString& text, int indent = 0) {
        m_p.setFont(print_font(10));
        m_p.setPen(Text);
        const QRect box(Margin + indent, m_y, width() - indent, 1000);
        const QRect used = m_p.boundingRect(box, Qt::TextWordWrap, text);
        m_p.drawText(box, Qt::TextWordWrap, text);
        m_y += used.height() + 5;
    }

    void bullet(const QString& text) {
        m_p.setBrush(Accent);
        m_p.setPen(Qt::NoPen);
        m_p.drawEllipse(QPointF(Margin + 3, m_y + 6.5), 2, 2);
        para(text, 10);
    }

    // A two-column table: the left cells bold.
    void table(const std::vector<std::pair<QString, QString>>& rows, int left_width = 84) {
        for (const auto& [left, right] : rows) {
            m_p.setFont(print_font(10, true));
            m_p.setPen(Text);
            m_p.drawText(QRect(Margin + 4, m_y, left_width, 14), Qt::AlignLeft | Qt::AlignTop,
                         left);
            m_p.setFont(print_font(10));
            const QRect box(Margin + 4 + left_width, m_y, width() - 4 - left_width, 1000);
            const QRect used = m_p.boundingRect(box, Qt::TextWordWrap, right);
            m_p.drawText(box, Qt::TextWordWrap, right);
            m_y += std::max(used.height(), 13) + 3;
        }
        m_y += 3;
    }

    // A pad's four face buttons as a diamond at the right of the heading just drawn, each
    // marked with what it does: the places matter, not the letters printed on a pad.
    void pad_buttons() {
        const QPointF centre(Manual_Page_Width - Margin - 22, m_y - 6);
        const struct {
            QPointF offset;
            const char* mark;
        } buttons[] = {{{0, 12}, "A"}, {{12, 0}, "B"}, {{-12, 0}, "T"}, {{0, -12}, "T"}};
        m_p.setFont(print_font(7, true));
        for (const auto& b : buttons) {
            const QPointF at = centre + b.offset;
            m_p.setPen(QPen(Accent.darker(140), 1));
            m_p.setBrush(Accent);
            m_p.drawEllipse(at, 6.5, 6.5);
            m_p.setPen(Paper);
            m_p.drawText(QRectF(at.x() - 6.5, at.y() - 6.5, 13, 13), Qt::AlignCenter, b.mark);
        }
    }

    // A picture centred across the page, with a thin frame.
    void picture(const QImage& image) {
        const QSize size = window_size(image);
        const int x = (Manual_Page_Width - size.width()) / 2;
        m_p.drawImage(x, m_y, image);
        m_p.setPen(QPen(Rule.darker(120), 1));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(QRect(x - 1, m_y - 1, size.width() + 1, size.height() + 1));
        m_y += size.height() + 8;
    }

    QPainter& painter() { return m_p; }
    int& y() { return m_y; }
    static int width() { return Manual_Page_Width - 2 * Margin; }

    QImage finish() {
        m_p.end();
        return m_image;
    }

private:
    QImage m_image;
    QPainter m_p;
    int m_y = 0;
};

QImage scaled_to_width(const QImage& image, int width) {
    return at_scale(image.scaledToWidth(width * art_scale(), Qt::SmoothTransformation));
}

// The handheld as the player sees it, with the window's colour key made paper.
QImage handheld(const std::vector<SkinPicture>& skin, Scene scene, int width) {
    const QImage frame = without_colour_key(compose_main_window(skin, scene));
    QImage on_paper = art_canvas(window_size(frame), QImage::Format_RGB32);
    on_paper.fill(Paper);
    QPainter p(&on_paper);
    p.drawImage(0, 0, frame);
    p.end();
    return scaled_to_width(on_paper, width);
}

QImage lcd_crop(const std::vector<SkinPicture>& skin, Scene scene, QRect part) {
    return at_scale(compose_main_window(skin, scene).copy(device_rect(part)));
}

QImage page_cover(const std::vector<SkinPicture>& skin) {
    Page page(1, "Instruction manual");
    QPainter& p = page.painter();
    p.setFont(print_font(22, true, true));
    p.setPen(Accent);
    p.drawText(QRect(0, 40, Manual_Page_Width, 30), Qt::AlignCenter, "FLUFFO BRAMBO");
    p.setFont(print_font(10, false, true));
    p.setPen(Text);
    p.drawText(QRect(0, 68, Manual_Page_Width, 14), Qt::AlignCenter,
               "a Gleeplay handheld by Zentrix");
    page.y() = 88;
    page.picture(handheld(skin, Scene::Game, 150));
    page.para(
        "Fluffo lays an egg on every spot of the maze it walks. Fill the whole maze, "
        "keep away from the wolves, and let the power eggs turn the chase around.");
    page.para("Outside a game the handheld is your clock.");
    return page.finish();
}

QImage page_controls(const std::vector<SkinPicture>& skin) {
    Page page(2, "The handheld");
    page.picture(scaled_to_width(
        at_scale(handheld(skin, Scene::AllOn, 440).copy(device_rect(QRect(0, 250, 440, 330)))),
        180));
    page.table({{"GAME A", "starts the slower game"},
                {"GAME B", "starts the faster game"},
                {"TIME", "clock and alarm display"},
                {"SET", "has no use on this model"},
                {"Controller", "walks Fluffo up, left, right and down"}},
               70);
    page.heading("With the mouse");
    page.para(
        "Click the buttons on the handheld. Drag the case to move it. The right mouse "
        "button opens the menu. Choose \"Display controller overlays\" in the menu to "
        "click arrows on the controller.");
    return page.finish();
}

QImage page_keys() {
    Page page(3, "Keys and gamepads");
    page.para("The keys of the game, as they are set when the program is new:");
    page.table({{"1", "GAME A"},
                {"2", "GAME B"},
                {"3", "TIME"},
                {"Arrow keys", "the controller: up, left, right and down"}});
    page.para(
        "\"Key settings\" in the menu lets you give each of the seven controls any "
        "letter, digit, arrow key, Alt, Ctrl, Shift or the space bar.");
    page.heading("Gamepads");
    page.pad_buttons();
    page.table({{"D-pad, left stick", "the controller"},
                {"South (A, cross)", "GAME A"},
                {"East (B, circle)", "GAME B"},
                {"West, North", "TIME"},
                {"Start", "in full screen the menu: Up and Down move, South chooses, East closes"}},
               100);
    page.para(
        "Plug pads in or out while you play; several work at once. In this manual left and "
        "right turn the pages, and East closes it as Esc does.");
    return page.finish();
}

QImage page_game(const std::vector<SkinPicture>& skin) {
    Page page(4, "The game");
    page.para(
        "Press GAME A or GAME B while the clock is shown. The game's high score appears, "
        "and a moment later Fluffo stands in the maze just below the wolves' den.");
    page.picture(lcd_crop(skin, Scene::Game, QRect(100, 64, 243, 120)));
    page.para(
        "Press a direction and Fluffo walks on by itself until a wall stops it. Press a "
        "turn when Fluffo stands where the way turns: a turn pressed too early is lost.");
    page.para(
        "Every new spot Fluffo reaches gets an egg and 10 points; the two big power eggs "
        "are taken instead. When Fluffo has been on all 34 spots, the stage is complete "
        "and a new maze begins.");
    page.para("Game B is the same game, played faster.");
    return page.finish();
}

QImage page_wolves(const std::vector<SkinPicture>& skin) {
    Page page(5, "Wolves and power eggs");
    page.picture(lcd_crop(skin, Scene::Game, QRect(190, 64, 120, 110)));
    page.para(
        "Wolves leave the den in the middle one at a time and roam the maze. A wolf "
        "catches Fluffo when Fluffo is right next to it with nothing between them, and "
        "a wolf about to leave the den catches Fluffo at its door.");
    page.para("Stage 1 has one wolf, every later stage two.");
    page.heading("Power eggs");
    page.para(
        "Two big power eggs wait in the maze. Taking one scores 50 and makes the "
        "roaming wolves blink: now they are slow, and Fluffo can eat them. A wolf eaten "
        "goes back to the den. The power wears off after about ten seconds in the first "
        "stages of Game A, sooner in later stages and in Game B.");
    return page.finish();
}

QImage page_gates(const std::vector<SkinPicture>& skin) {
    Page page(6, "Gates, tunnels, bridges");
    page.picture(lcd_crop(skin, Scene::Gates, QRect(98, 56, 245, 191))
                     .scaledToWidth(176, Qt::SmoothTransformation));
    page.para(
        "In the middle of each edge of the maze a gate opens and shuts at random. A shut "
        "gate stops Fluffo.");
    page.para(
        "Through an open gate Fluffo walks off the edge into a tunnel and comes back in "
        "at the opposite edge: left to right, top to bottom, and back.");
    page.heading("Bridges");
    page.para(
        "In three places the way goes under a crossing corridor: from the top middle "
        "down to the den's door, and in the second and fourth columns near the bottom. "
        "Fluffo disappears for a moment there and comes out on the other side.");
    page.para("Wolves never use tunnels or bridges.");
    return page.finish();
}

QImage page_scoring() {
    Page page(7, "Score and lives");
    page.table({{"Egg", "10 points"},
                {"Power egg", "50 points"},
                {"First wolf", "200 points"},
                {"More wolves", "400 points each, until the next power egg"}},
               80);
    page.para("At 2000 points you get one extra life.");
    page.heading("Lives");
    page.para(
        "The marks beside GAME A or GAME B show the spare lives: a game starts with two. "
        "When a wolf catches Fluffo, Fluffo blinks and the stage starts again with the "
        "maze as it was. After the last spare life is lost, GAME OVER is shown.");
    page.heading("High scores");
    page.para(
        "Game A and Game B keep their own high score, also after the program ends. "
        "\"Reset Hiscores\" in the menu clears both.");
    page.para("There is no pause: a game goes on until it is over.");
    return page.finish();
}

QImage page_clock() {
    Page page(8, "Clock and alarm");
    // A small LCD showing the clock.
    QImage lcd = art_canvas(QSize(150, 44), QImage::Format_RGB32);
    lcd.fill(QColor(0xC8, 0xD0, 0xB6));
    {
        QPainter p(&lcd);
        smooth(p);
        const int digits[] = {-1, 1, 0, 5};
        const int xs[] = {22, 42, 75, 94};
        for (int i = 0; i < 4; ++i) {
            if (digits[i] >= 0) p.drawImage(xs[i], 9, digit_picture(digits[i], QSize(19, 25)));
        }
        p.drawImage(63, 13, colon_picture(QSize(8, 17)));
        p.drawImage(116, 21, pm_picture(QSize(12, 13)));
    }
    page.picture(lcd);
    page.para(
        "Press TIME or the controller when the program starts, and the handheld shows "
        "your computer's time of day, with PM in the afternoon.");
    page.para(
        "Press TIME again for the alarm display: 12:00 with a blinking bell. The alarm "
        "cannot be set and never rings. TIME goes back to the clock.");
    page.para(
        "After GAME OVER the clock returns by itself after 30 seconds, or at once with "
        "TIME. GAME A or GAME B starts the next game.");
    page.heading("Menu keys");
    page.table({{"F1", "About..."},
                {"F2", "View 'Readme.txt'"},
                {"F3", "View 'Whatsnew.txt'"},
                {"F4", "View manual"},
                {"F12", "full screen (a menu button at the top left) or window"},
                {"Esc", "Exit"}},
               40);
    page.para("In this manual the Left and Right arrow keys turn the pages and Esc closes it.");
    return page.finish();
}

}  // namespace

std::vector<QImage> manual_pages(const std::vector<SkinPicture>& skin) {
    return {page_cover(skin),  page_controls(skin), page_keys(),    page_game(skin),
            page_wolves(skin), page_gates(skin),    page_scoring(), page_clock()};
}

}  // namespace artwork
