#include "app/qt/process/program.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

namespace fluffo {

Program::Program(ProgramPorts ports)
    : m_ports(std::move(ports)),
      m_sound(m_ports.audio),
      m_program_files{m_config, m_pictures, m_ports.data_dir, m_ports.data_dir},
      m_sources(m_program_files),
      m_window_folder(m_sources.program_file(Window_Design_Folder)),
      m_held_keys(HeldKeyFilter::this_keyboard()) {
    if (!m_ports.skin_dir.empty())
        m_sources.relative_base = m_sources.config_dir = m_ports.skin_dir;
    m_main = std::make_unique<TForm1>(
        [&](MainWindowView& self) {
            return MainWindowPorts{self,    m_windows, m_ports.shell, m_ports.store, m_sound,
                                   m_clock, m_random,  m_sources,     &clock_seed};
        },
        m_ports.shell, m_ports.clock);
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
            m_manual->follow_zoom(zoom, m_program_files);
        });
    };
    m_manual->set_zoom(form.zoom() / 100.0);
    m_main->enter([&] { m_manual->FormCreate(m_program_files); });
    follow(form.zoom() / 100.0);
    m_main->set_zoom_follower(follow);
    // A click on the main window while it is disabled gives it the keyboard all the same.
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, m_keys.get(),
                     [this](QWindow* focus) {
                         if (focus && focus == m_main->windowHandle() && !m_main->isEnabled())
                             m_keys->take_back_keyboard();
                     });
    m_windows.about = m_about.get();
    m_windows.keys = m_keys.get();
    m_windows.manual = m_manual.get();
    if (m_ports.main_window_created) m_ports.main_window_created(*this);

    // Created last: it shows itself, or plays at once when the player asked for no start
    // screen. The play action's errors reach the main window's error box.
    m_splash = std::make_unique<TSplashForm>(m_ports.store, m_sound, m_ports.shell, form,
                                             form.App_Splash_Pending, m_window_folder);
    m_windows.start_screen = m_splash.get();
    form.set_splash_check_box(
        [this] { return m_splash->logic().controls().splash_screen_checked; });

    if (m_ports.pads) {
        m_pads = std::make_unique<PadPump>(*m_ports.pads,
                                           [this](const PadPress& press) { route_pad(press); });
    }
}

Program::~Program() = default;

void Program::route_pad(const PadPress& press) {
    const auto key = std::make_tuple(press.source.device, press.source.control, press.button);
    QWidget* target = nullptr;
    if (press.down) {
        QWidget* active = QApplication::activeWindow();
        if (active &&
            (active == m_manual.get() || active == m_about.get() || active == m_keys.get())) {
            target = active;
        } else if (m_main->isVisible() && m_main->isEnabled()) {
            target = m_main.get();
        }
        m_pad_targets[key] = target;
    } else {
        const auto it = m_pad_targets.find(key);
        if (it == m_pad_targets.end()) return;
        target = it->second;
        m_pad_targets.erase(it);
    }
    if (target == m_main.get()) {
        m_main->enter([&] { main_logic().pad_press(press); });
    } else if (auto* window = dynamic_cast<PadKeyWindow*>(target)) {
        const VirtualKey key_of_pad = pad_window_key(press.button);
        if (key_of_pad != vk::None) window->pad_key(key_of_pad, press.down);
    }
}

void Program::start() {
    QTimer::singleShot(0, m_main.get(),
                       [this] { m_main->enter([this] { main_logic().FormActivate(); }); });
}

}  // namespace fluffo
