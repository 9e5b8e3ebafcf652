// The program a player starts: the five windows over the core, and one event loop. It reads no
// arguments and works in its own directory, however it was launched. It ends with status 1
// after a fatal start-up error, else 0; every value the store refused is tried once more at
// the end, however the program ends.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <memory>

#include "app/qt/end_signals.h"
#include "app/qt/frame_log.h"
#include "app/qt/program.h"
#include "app/qt/qsettings_store.h"
#include "app/qt/qt_shell.h"
#include "app/qt/scheduler_pump.h"
#include "app/sdl/sdl_audio_backend.h"

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
    const std::unique_ptr<SettingsStore> disk = open_store(shell);
    // A refused write is told once the handler that met it has run to its end, as the error
    // boundary tells every other error.
    RetryingStore store(*disk, [&shell](const std::string& text) {
        QTimer::singleShot(0, qApp, [&shell, text] { shell.show_error(text); });
    });
    SdlAudioBackend audio;
    std::unique_ptr<Program> program;
    // Before the sound starts: a signal ends the program as a close request does.
    const EndSignals end_signals([&] {
        if (program) program->main_window().close();
        QCoreApplication::quit();
    });
    program = std::make_unique<Program>(ProgramPorts{shell, store, audio, ""});
    // Frames reach the window system only once the event loop runs.
    FrameLog::attach(program->main_window());

    int status = shell.exit_status();
    if (!shell.terminate_requested()) {
        program->start();
        status = QApplication::exec();
    }
    store.flush();
    return status;
}
