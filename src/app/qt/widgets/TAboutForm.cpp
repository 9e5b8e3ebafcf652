#include "app/qt/widgets/TAboutForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "app/qt/keyboard/key_translation.h"
#include "app/qt/widgets/design_picture.h"
#include "app/qt/widgets/window_placement.h"
#include "app/qt/widgets/window_text.h"

namespace fluffo {

namespace {

constexpr int Text_Pixels = 11;
constexpr int Link_Pixels = 12;  // one size up from the other texts
const QColor Link_Colour(0xff, 0xe0, 0x40);

constexpr int Row_Top = 8;
constexpr int Row_Pitch = 24;
constexpr int Row_Height = 16;
constexpr int Caption_Left = 134;
constexpr int Caption_Width = 68;
constexpr int Value_Left = Caption_Left + Caption_Width;
constexpr int Value_Width = 397 - 6 - Value_Left;

}  // namespace

TAboutForm::TAboutForm(ShellPort& shell, const std::string& window_folder, const QWidget* owner)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_shell(shell),
      m_owner(owner),
      m_logic(shell, *this),
      m_window_folder(window_folder) {
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("About the author..."));
    setFixedSize(397, 176);
    set_navy_ground(*this);
    FormCreate(window_folder);
}

void TAboutForm::FormCreate(const std::string& window_folder) {
    add_design_picture(*this, QStringLiteral("im_picture"), QRect(8, 8, 116, 160),
                       window_folder + "about.bmp", false, m_shell);

    const auto rows = about_rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const AboutRow& row = rows[i];
        const QString name = QStringLiteral("la_") + text_of(row.name);
        const int top = Row_Top + static_cast<int>(i) * Row_Pitch;
        const bool link = row.name == "website" || row.name == "email";
        add_text_label(*this, name + QStringLiteral("_1"),
                       QRect(Caption_Left, top, Caption_Width, Row_Height), arial(Text_Pixels),
                       Qt::white)
            ->setText(text_of(row.caption));
        const QFont value_font =
            link ? arial(Link_Pixels, {.bold = true, .underline = true})
                 : arial(Text_Pixels, {.bold = true, .italic = row.name == "hobby"});
        QLabel* value = add_text_label(*this, name + QStringLiteral("_2"),
                                       QRect(Value_Left, top, Value_Width, Row_Height), value_font,
                                       link ? Link_Colour : QColor(Qt::white));
        value->setText(QString::fromStdString(row.value));
        if (!link) continue;
        value->setCursor(Qt::PointingHandCursor);
        value->installEventFilter(this);
        (row.name == "website" ? m_la_website_2 : m_la_email_2) = value;
    }
    installEventFilter(this);
}

void TAboutForm::follow_zoom(double zoom) {
    if (zoom == m_zoom) return;
    m_zoom = zoom;
    zoom_widgets(*this, zoom);
    if (auto* picture = findChild<QLabel*>(QStringLiteral("im_picture")))
        load_design_picture(*picture, m_window_folder + "about.bmp", false,
                            zoom * devicePixelRatioF(), m_shell);
}

void TAboutForm::bring_up() {
    keep_above(*this, m_owner);
    if (!m_placed) {
        m_placed = true;
        centre_on_screen(*this);
    }
    show_in_front(*this);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return m_logic.FormKeyDown(virtual_key_of(*static_cast<QKeyEvent*>(event)));
        case QEvent::MouseButtonPress:
            if (watched == this || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                break;
            m_pressed = watched;
            return true;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (watched == this || mouse->button() != Qt::LeftButton) break;
            const bool pressed_here = watched == m_pressed;
            m_pressed = nullptr;
            if (!pressed_here ||
                !static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()))
                return true;
            if (watched == m_la_website_2) m_logic.la_website_2Click();
            if (watched == m_la_email_2) m_logic.la_email_2Click();
            return true;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace fluffo
