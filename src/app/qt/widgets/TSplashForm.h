#pragma once
// The start screen's window, TSplashForm: pictures, labels, the driver box, the play and
// donation buttons and the start-up check box, named and placed as Start_Screen_Layout has it.
// It hands every event to StartScreenLogic through the error boundary and does what the logic
// asks of its window. Created last at start-up; shows itself unless it played at once.

#include <QWidget>
#include <string>

#include "display/skin_sources.h"
#include "windows/start_screen_layout.h"
#include "windows/start_screen_logic.h"

class QCheckBox;
class QColor;
class QComboBox;
class QFont;
class QLabel;

namespace fluffo {

class TSplashForm : public QWidget, public StartScreenView {
    Q_OBJECT

public:
    // Window pictures are read from window_folder ("Graphics/Window/" beside the program);
    // a missing one leaves its place empty.
    TSplashForm(SettingsStore& store, SoundSystem& sound, ShellPort& shell, PlayTarget& play,
                bool& app_splash_pending, const std::string& window_folder = Window_Design_Folder,
                QWidget* parent = nullptr);

    // The choices as they stand (the pop-up menu's start-up entry reads the check box).
    const StartScreenLogic& logic() const { return m_logic; }

protected:
    // Key preview: every key reaches FormKeyDown before the focused control; clicks on the
    // links and picture buttons arrive here too.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The window system's close request (Alt+F4, the frame's close) is Esc: the program ends,
    // never left running with its one window hidden.
    void closeEvent(QCloseEvent* event) override;

private:
    // Each control at its place in Start_Screen_Layout.
    void build_controls(const std::string& window_folder);
    void build_texts();
    void build_driver_box();
    void build_buttons(const std::string& window_folder);
    void build_check_box();
    QLabel* add_picture(const char* name, const std::string& file, bool transparent);
    QLabel* add_label(const char* name, const QFont& font, const QColor& colour);
    void watch_children();

    void FormCreate();
    void FormActivate();
    bool FormKeyDown(const QKeyEvent& event);
    void cb_soundChange(int index);
    void chb_splashscreenClick(bool checked);
    void btn_playClick();
    void la_website_2Click();
    void la_email_2Click();
    void btn_paypalClick();
    // The links and picture buttons: labels that answer a click.
    bool clickable(const QObject* watched) const;
    void click(const QObject* watched);

    // What the logic asks of its window.
    void place_off_screen() override;
    void centre_on_screen() override;
    void hide_for_good() override;
    void refresh_controls(const StartScreenControls& controls) override;

    ShellPort& m_shell;
    StartScreenLogic m_logic;

    QLabel* m_la_game_title = nullptr;
    QLabel* m_la_version = nullptr;
    QLabel* m_la_release_date = nullptr;
    QLabel* m_la_website_2 = nullptr;
    QLabel* m_la_email_2 = nullptr;
    QComboBox* m_cb_sound = nullptr;
    QLabel* m_btn_play = nullptr;
    QLabel* m_btn_play_disabled = nullptr;
    QLabel* m_btn_paypal = nullptr;
    QCheckBox* m_chb_splashscreen = nullptr;
    // The press that a click needs on the same control before its release.
    const QObject* m_pressed = nullptr;
};

}  // namespace fluffo
