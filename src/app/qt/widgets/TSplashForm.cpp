#include "app/qt/widgets/TSplashForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalBlocker>

#include "app/qt/keyboard/key_translation.h"
#include "app/qt/widgets/design_picture.h"
#include "app/qt/widgets/window_placement.h"
#include "app/qt/widgets/window_text.h"
#include "base/error_boundary.h"
#include "display/centring.h"

namespace fluffo {

namespace {

// The window's own typeface. Captions with no size of their own take the small one.
constexpr int Small_Pixels = 11;
constexpr int Title_Pixels = 12;
const QColor Link_Colour(0x18, 0x52, 0x94);
const QColor Foot_Colour(0x08, 0x29, 0x52);

QRect place_of(const char* name) {
    const Rect r = start_screen_place(name);
    return QRect(r.left, r.top, r.width, r.height);
}

}  // namespace

TSplashForm::TSplashForm(SettingsStore& store, SoundSystem& sound, ShellPort& shell,
                         PlayTarget& play, bool& app_splash_pending,
                         const std::string& window_folder, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_shell(shell),
      m_logic(store, sound, shell, play, app_splash_pending, *this) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("About this game..."));
    setFixedSize(Start_Screen_Client.width, Start_Screen_Client.height);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFont(arial(Small_Pixels));

    build_controls(window_folder);
    watch_children();
    FormCreate();
    // The window is visible in its layout: it shows once its creation has run, unless the
    // play action already hid it for good.
    if (!m_logic.hidden_for_good()) show();
}

void TSplashForm::build_controls(const std::string& window_folder) {
    // Children paint in the order they are made: the background first.
    add_picture("im_background", window_folder + "start_background.bmp", false);
    add_picture("im_box_picture", window_folder + "box.png", false)->setAlignment(Qt::AlignCenter);
    build_texts();
    build_driver_box();
    build_buttons(window_folder);
    build_check_box();
    // Only the two choices take the keyboard, the driver first; play is Enter or 1.
    setTabOrder(m_cb_sound, m_chb_splashscreen);
}

void TSplashForm::build_texts() {
    const QFont title = arial(Title_Pixels, {.bold = true});
    m_la_game_title = add_label("la_game_title", title, Qt::white);
    m_la_version = add_label("la_version", title, Qt::white);
    m_la_release_date = add_label("la_release_date", arial(Title_Pixels), Qt::black);
    for (QLabel* centred : {m_la_game_title, m_la_version, m_la_release_date})
        centred->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    const QFont small = arial(Small_Pixels);
    const QFont link = arial(Small_Pixels, {.bold = true, .underline = true});
    add_label("la_website_1", small, Qt::black)->setText("website:");
    m_la_website_2 = add_label("la_website_2", link, Link_Colour);
    m_la_website_2->setText(text_of(shown_address(Website_Address)));
    add_label("la_email_1", small, Qt::black)->setText("email:");
    m_la_email_2 = add_label("la_email_2", link, Link_Colour);
    m_la_email_2->setText(text_of(shown_address(Email_Address)));
    for (QLabel* address : {m_la_website_2, m_la_email_2})
        address->setCursor(Qt::PointingHandCursor);
    QLabel* sound_select = add_label("la_sound_select", small, Qt::black);
    sound_select->setText("Select sound driver:");
    // Low in its place, so it reads on one line with the taller driver box beside it.
    sound_select->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
}

void TSplashForm::build_driver_box() {
    m_cb_sound = new QComboBox(this);
    m_cb_sound->setObjectName(QStringLiteral("cb_sound"));
    m_cb_sound->setGeometry(place_of("cb_sound"));
    m_cb_sound->setEditable(false);
    for (std::string_view driver : Snd_Driver_Texts)
        m_cb_sound->addItem(text_of(driver));
    m_cb_sound->setMaxVisibleItems(3);
    m_cb_sound->setCurrentIndex(-1);
    m_cb_sound->setFont(arial(Small_Pixels));
    QPalette box_colours = m_cb_sound->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
        box_colours.setColor(role, Qt::white);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        box_colours.setColor(role, Qt::black);
    m_cb_sound->setPalette(box_colours);
    connect(m_cb_sound, &QComboBox::currentIndexChanged, this, &TSplashForm::cb_soundChange);
}

void TSplashForm::build_buttons(const std::string& window_folder) {
    m_btn_play = add_picture("btn_play", window_folder + "play.bmp", true);
    m_btn_play->setCursor(Qt::PointingHandCursor);
    m_btn_play_disabled =
        add_picture("btn_play_disabled", window_folder + "play_disabled.bmp", true);
    m_btn_play_disabled->setCursor(Qt::WhatsThisCursor);
    m_btn_play_disabled->setToolTip(QStringLiteral("please select sound driver first"));
    m_btn_play_disabled->hide();
    m_btn_paypal = add_picture("btn_paypal", window_folder + "donate.bmp", true);
    m_btn_paypal->setCursor(Qt::PointingHandCursor);
}

void TSplashForm::build_check_box() {
    m_chb_splashscreen =
        new QCheckBox(QStringLiteral("Display this splash screen at startup"), this);
    m_chb_splashscreen->setObjectName(QStringLiteral("chb_splashscreen"));
    m_chb_splashscreen->setGeometry(place_of("chb_splashscreen"));
    m_chb_splashscreen->setChecked(true);
    // A button paints on its Button colour by default; this one lies on the navy foot band.
    QPalette foot = m_chb_splashscreen->palette();
    foot.setColor(QPalette::Window, Foot_Colour);
    foot.setColor(QPalette::WindowText, Qt::white);
    m_chb_splashscreen->setPalette(foot);
    m_chb_splashscreen->setBackgroundRole(QPalette::Window);
    m_chb_splashscreen->setForegroundRole(QPalette::WindowText);
    m_chb_splashscreen->setAutoFillBackground(true);
    connect(m_chb_splashscreen, &QCheckBox::toggled, this, &TSplashForm::chb_splashscreenClick);
}

QLabel* TSplashForm::add_picture(const char* name, const std::string& file, bool transparent) {
    return add_design_picture(*this, QString::fromLatin1(name), place_of(name), file, transparent,
                              m_shell);
}

QLabel* TSplashForm::add_label(const char* name, const QFont& font, const QColor& colour) {
    return add_text_label(*this, QString::fromLatin1(name), place_of(name), font, colour);
}

void TSplashForm::watch_children() {
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TSplashForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            // The driver box's open list is a window of its own: its keys choose a driver.
            if (static_cast<QWidget*>(watched)->window() != this) break;
            return FormKeyDown(*static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
            if (clickable(watched) &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                m_pressed = watched;
                return true;
            }
            break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!clickable(watched) || mouse->button() != Qt::LeftButton) break;
            // A click is a press and a release on the same control, as buttons have it.
            const bool pressed_here = watched == m_pressed;
            m_pressed = nullptr;
            if (pressed_here &&
                static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
                click(watched);
            }
            return true;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

bool TSplashForm::clickable(const QObject* watched) const {
    return watched == m_btn_play || watched == m_btn_paypal || watched == m_la_website_2 ||
           watched == m_la_email_2;
}

void TSplashForm::click(const QObject* watched) {
    if (watched == m_btn_play) {
        if (m_btn_play->isEnabled()) btn_playClick();
    } else if (watched == m_btn_paypal) {
        btn_paypalClick();
    } else if (watched == m_la_website_2) {
        la_website_2Click();
    } else if (watched == m_la_email_2) {
        la_email_2Click();
    }
}

void TSplashForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QWidget::changeEvent(event);
}

void TSplashForm::closeEvent(QCloseEvent* event) {
    // The window stays as it is until the program ends.
    event->ignore();
    run_guarded(m_shell, [this] { m_logic.FormKeyDown(vk::Esc); });
}

void TSplashForm::FormCreate() {
    run_guarded(m_shell, [this] { m_logic.FormCreate(); });
}

void TSplashForm::FormActivate() {
    // The arrow keys change the driver at once.
    m_cb_sound->setFocus(Qt::ActiveWindowFocusReason);
}

bool TSplashForm::FormKeyDown(const QKeyEvent& event) {
    const VirtualKey key = virtual_key_of(event);
    bool handled = false;
    run_guarded(m_shell, [&] { handled = m_logic.FormKeyDown(key); });
    // A key that started an abandoned play action was still the start screen's.
    return handled || key == vk::Enter || key == vk::digit(1);
}

void TSplashForm::cb_soundChange(int index) {
    run_guarded(m_shell, [&] { m_logic.cb_soundChange(index); });
}

void TSplashForm::chb_splashscreenClick(bool checked) {
    m_logic.chb_splashscreenChange(checked);
}

void TSplashForm::btn_playClick() {
    run_guarded(m_shell, [this] { m_logic.btn_playClick(); });
}

void TSplashForm::la_website_2Click() {
    m_logic.la_website_2Click();
}

void TSplashForm::la_email_2Click() {
    m_logic.la_email_2Click();
}

void TSplashForm::btn_paypalClick() {
    m_logic.btn_paypalClick();
}

// Where the compositor places the windows (Wayland) the window waits unshown, and comes up
// where the compositor puts it.
void TSplashForm::place_off_screen() {
    if (!this_window_system().places_windows) return;
    const QRect frame = frameGeometry();
    move(-frame.width(), -frame.height());
}

void TSplashForm::centre_on_screen() {
    if (!this_window_system().places_windows) return;
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where) return;
    const QRect area = where->availableGeometry();
    const QRect frame = frameGeometry();
    move(centred_start(area.x(), area.width(), frame.width()),
         centred_start(area.y(), area.height(), frame.height()));
}

void TSplashForm::hide_for_good() {
    hide();
}

void TSplashForm::refresh_controls(const StartScreenControls& controls) {
    m_la_game_title->setText(QString::fromStdString(controls.game_title));
    m_la_version->setText(QString::fromStdString(controls.version));
    m_la_release_date->setText(QString::fromStdString(controls.release_date));
    {
        // What the logic sets is no choice of the player's.
        const QSignalBlocker quiet_box(m_cb_sound);
        const QSignalBlocker quiet_check(m_chb_splashscreen);
        m_cb_sound->setCurrentIndex(controls.sound_index);
        m_chb_splashscreen->setChecked(controls.splash_screen_checked);
    }
    m_btn_play->setEnabled(controls.play_enabled);
    m_btn_play->setVisible(controls.play_enabled);
    m_btn_play_disabled->setVisible(!controls.play_enabled);
}

}  // namespace fluffo
