// The program a player starts: the five windows over the core, and one event loop. It reads no
// arguments and works in its own directory, however it was launched.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <memory>

#include "app/qt/frame_log.h"
#include "app/qt/program.h"
#include "app/qt/qsettings_store.h"
#include "app/qt/qt_shell.h"
#include "app/qt/scheduler_pump.h"
#include "app/sdl/sdl_audio_backend.h"
#include "app/sdl/sdl_gamepads.h"

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
    SdlGamepads pads;
    // A measuring hook: FLUFFO_VIRTUAL_PAD=1 plugs in one of SDL's virtual pads, idle, for
    // bench/measure_desktop.sh to weigh a pad that has no device to wait on.
    if (qEnvironmentVariable("FLUFFO_VIRTUAL_PAD") == QStringLiteral("1"))
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
    Program program(ProgramPorts{shell, *store, audio, "", &pads});
    // Frames reach the window system only once the event loop runs.
    FrameLog::attach(program.main_window());

    if (shell.terminate_requested()) return 0;
    program.start();
    return QApplication::exec();
}
