// The program a player starts: the five windows over the core, in their fixed order, and one
// event loop. It reads no arguments and works in its own directory, however it was launched.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <memory>

#include "display/qt/qt_icon_decoder.h"
#include "engine/local_clock.h"
#include "shell/qt/app_windows.h"
#include "shell/qt/frame_log.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qsettings_store.h"
#include "shell/qt/qt_shell.h"
#include "shell/qt/scheduler_pump.h"
#include "shell/qt/splash_form.h"
#include "shell/sdl/sdl_audio_backend.h"

namespace {

// The user's store; when it can be neither read nor created the player is told and the run
// goes on with choices kept in memory only.
std::unique_ptr<fluffo::SettingsStore> open_store(fluffo::ShellPort& shell) {
    try {
        return std::make_unique<fluffo::QSettingsStore>();
    } catch (const fluffo::StoreError& e) {
        shell.show_error(e.what());
        return std::make_unique<fluffo::MemoryStore>();
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace fluffo;
    // The event loop that costs the least per wake of the timer pump.
    const bool chose_dispatcher = prefer_qt_event_dispatcher();
    QApplication app(argc, argv);
    if (chose_dispatcher) qunsetenv("QT_NO_GLIB");
    QApplication::setApplicationDisplayName(QString());
    // The data folders sit beside the executable (a symlink to it is resolved).
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    // Closing the main window ends the program; hiding the others never does.
    QApplication::setQuitOnLastWindowClosed(false);
    QIcon icon;
    for (int size : {32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral("Graphics/Window/icon_%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    QtShell shell;
    const std::unique_ptr<SettingsStore> store = open_store(shell);
    SdlAudioBackend audio;
    SoundSystem sound(audio);
    LocalClock clock;
    SeededRandom random;
    QtIconDecoder icons;
    DiskPictureFiles pictures(&icons);
    DiskConfigFiles config;
    const SkinSources sources{config, pictures, "", ""};
    AppWindows windows;

    TForm1 main_window(
        [&](MainWindowPort& self) {
            return MainFormPorts{self,  windows, shell,   *store,     sound,
                                 clock, random,  sources, &clock_seed};
        },
        shell);
    FrameLog::attach(main_window);
    MainForm& form = main_window.form();
    main_window.enter([&] { form.FormCreate(); });

    TAboutForm about;
    TKeysForm keys;
    keys.set_on_close([&] {
        main_window.setEnabled(true);
        main_window.activateWindow();
    });
    TManualForm manual;
    main_window.enter([&] { manual.load_pages(sources); });
    windows.about = &about;
    windows.keys = &keys;
    windows.manual = &manual;

    // Created last: it shows itself, or plays at once when the player asked for no start screen.
    TSplashForm splash(*store, sound, shell, form, form.App_Splash_Pending);
    windows.start_screen = &splash;
    form.set_splash_check_box(
        [&] { return splash.start_screen().controls().splash_screen_checked; });

    if (shell.terminate_requested()) return 0;
    // The event loop's first act: the main window's first activation brings the start screen up.
    QTimer::singleShot(0, &main_window, [&] { main_window.enter([&] { form.FormActivate(); }); });
    return QApplication::exec();
}
