#pragma once
// TKeysForm, the key settings window: seven choice boxes and their labels in two columns and
// the Accept button, named as designed. It hands every event to KeySettingsLogic through the error
// boundary and afterwards shows what the logic holds. A top-level window of its own (never a
// child of the main window, which is disabled while this one is up); Accept, Esc and a close
// request from the window system all give the main window back.

#include <QWidget>
#include <functional>

#include "app/qt/pumps/pad_pump.h"
#include "base/shell_port.h"
#include "windows/key_settings_logic.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace fluffo {

struct KeysFormPorts {
    KeyBindings& keys;
    SettingsStore& store;
    ScreenModel& main_window_model;  // its hints name the accepted keys
    ShellPort& shell;
    // The main window takes input again and becomes the active window.
    std::function<void()> enable_main_window;
    // Kept beneath this window while it is up; none: no such tie.
    const QWidget* main_window = nullptr;
};

class TKeysForm : public QWidget, public KeySettingsView, public PadKeyWindow {
    Q_OBJECT
public:
    // Created once, hidden, after the bindings are loaded; the boxes show them.
    explicit TKeysForm(KeysFormPorts ports);

    // At the centre of the screen every time, above the main window, shown and active.
    void bring_up();

    const KeySettingsLogic& logic() const { return m_logic; }

    // A pad's East is Esc.
    void pad_key(VirtualKey key, bool down) override;
    // The window system gave the keyboard to the disabled main window (a click on it): this
    // window comes back to the front and takes it, the focus where the player left it. Nothing
    // while this window is hidden.
    void take_back_keyboard();

protected:
    // Key preview: Enter and Esc reach FormKeyDown before the focused control; other keys go
    // on to it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The window system's close request is Esc.
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls();
    QLabel* add_label(const QString& name, const char* text, QRect geometry, Qt::Alignment align);
    // The control's label and box, named by its number (la_1, cb_1 for Game A).
    void add_key_label(Control control, const char* text, QRect geometry, Qt::Alignment align);
    void add_box(Control control, QRect geometry);

    void FormActivate();
    bool FormKeyDown(const QKeyEvent& event);
    void cbChange(Control control, int index);
    void btn_acceptClick();
    // Runs one call into the logic, then shows its state.
    template <typename Call>
    void enter(Call&& call);
    void refresh();

    // KeySettingsView
    void close_window() override;
    void enable_main_window() override;

    KeysFormPorts m_ports;
    KeySettingsLogic m_logic;
    PerControl<QComboBox*> m_boxes{};
    PerControl<QLabel*> m_labels{};
    QPushButton* m_btn_accept = nullptr;
    bool m_taking_back = false;  // the next activation is the keyboard coming back
    bool m_was_active = false;   // active since it was last brought up
};

}  // namespace fluffo
