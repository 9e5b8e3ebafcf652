#include "app/qt/program.h"

#include <QTimer>

namespace fluffo {

Program::Program(ProgramPorts ports)
    : m_ports(std::move(ports)),
      m_sound(m_ports.audio),
      m_sources{m_config, m_pictures, m_ports.data_dir, m_ports.data_dir},
      m_window_folder(m_sources.program_file(Window_Design_Folder)) {
    m_main = std::make_unique<TForm1>(
        [&](MainWindowView& self) {
            return MainWindowPorts{self,    m_windows, m_ports.shell, m_ports.store, m_sound,
                                   m_clock, m_random,  m_sources,     &clock_seed};
        },
        m_ports.shell);
    MainWindowLogic& form = m_main->logic();
    m_main->enter([&] { form.FormCreate(); });

    // The other windows have no parent: the main window is disabled while the key settings
    // are up, and a disabled parent disables its child windows too. Each is kept above the main
    // window when brought up, also when it covers the screen.
    m_about = std::make_unique<TAboutForm>(m_ports.shell, m_window_folder, m_main.get());
    auto enable_main_window = [this] {
        m_main->set_enabled(true);
        m_main->activateWindow();
    };
    m_keys =
        std::make_unique<TKeysForm>(KeysFormPorts{form.keys(), m_ports.store, form.screen().model(),
                                                  m_ports.shell, enable_main_window, m_main.get()});
    m_manual = std::make_unique<TManualForm>(m_ports.shell);
    // The manual viewer and the about window take the main window's size, from the start.
    const auto follow = [this](double zoom) {
        m_main->enter([&] {
            m_about->follow_zoom(zoom);
            m_manual->follow_zoom(zoom, m_sources);
        });
    };
    m_manual->set_zoom(form.zoom() / 100.0);
    m_main->enter([&] { m_manual->FormCreate(m_sources); });
    follow(form.zoom() / 100.0);
    m_main->set_zoom_follower(follow);
    m_windows.about = m_about.get();
    m_windows.keys = m_keys.get();
    m_windows.manual = m_manual.get();

    // Created last: it shows itself, or plays at once when the player asked for no start
    // screen. The play action's errors reach the main window's error box.
    m_splash = std::make_unique<TSplashForm>(m_ports.store, m_sound, m_ports.shell, form,
                                             form.App_Splash_Pending, m_window_folder);
    m_windows.start_screen = m_splash.get();
    form.set_splash_check_box(
        [this] { return m_splash->logic().controls().splash_screen_checked; });
}

Program::~Program() = default;

void Program::start() {
    QTimer::singleShot(0, m_main.get(),
                       [this] { m_main->enter([this] { main_logic().FormActivate(); }); });
}

}  // namespace fluffo
