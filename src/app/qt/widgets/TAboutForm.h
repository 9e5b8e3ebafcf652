#pragma once
// TAboutForm, the about window: a small fixed dialog with the author's picture, seven captioned
// facts and two links. It is not modal and stays above other windows; closing only hides it,
// and only its first showing is centred. Key preview: Esc closes it whichever label is under
// the focus; clicks on the two links open their addresses through the shell.

#include <QWidget>
#include <string>

#include "app/qt/pumps/pad_pump.h"
#include "display/skin_sources.h"
#include "windows/about_window_logic.h"

class QLabel;

namespace fluffo {

class TAboutForm : public QWidget, public AboutWindowView, public PadKeyWindow {
    Q_OBJECT
public:
    // The picture is read from window_folder ("Graphics/Window/"); a missing one leaves its
    // place empty, a damaged one is told in the error box. `owner`, the main window, is the
    // window this one stays above.
    TAboutForm(ShellPort& shell, const std::string& window_folder = Window_Design_Folder,
               const QWidget* owner = nullptr);

    // Shown where it was, or centred the first time, and brought to the front.
    void bring_up();
    // The main window's zoom: the window and its texts take the same size, the picture is
    // loaded for the resolution that gives.
    void follow_zoom(double zoom);

    // A pad's East is Esc.
    void pad_key(VirtualKey key, bool down) override {
        if (down) m_logic.FormKeyDown(key);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const std::string& window_folder);
    void close_window() override { hide(); }

    ShellPort& m_shell;
    const QWidget* m_owner;
    AboutWindowLogic m_logic;
    QLabel* m_la_website_2 = nullptr;
    QLabel* m_la_email_2 = nullptr;
    // A link opens on a press and a release over the same link, as buttons have it.
    const QObject* m_pressed = nullptr;
    bool m_placed = false;
    std::string m_window_folder;
    double m_zoom = 1.0;
};

}  // namespace fluffo
