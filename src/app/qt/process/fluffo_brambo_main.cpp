// The program a player starts: the five windows over the core, and one event loop. It works in
// its own directory, however it was launched; its options (windows/command_line.h) are read
// before anything else, and paths in them start where it was launched. It ends with status 1
// after a fatal start-up error, 2 after a refused option, else 0; every value the store refused
// is tried once more at the end, however the program ends.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/qt/frame/frame_log.h"
#include "app/qt/process/end_signals.h"
#include "app/qt/process/program.h"
#include "app/qt/pumps/scheduler_pump.h"
#include "app/qt/store/qsettings_store.h"
#include "app/qt/widgets/qt_shell.h"
#include "app/sdl/sdl_audio_backend.h"
#include "app/sdl/sdl_gamepads.h"
#include "base/run_choice_store.h"
#include "base/settings_values.h"
#include "engine/play_recorder.h"
#include "windows/command_line.h"

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

std::string absolute(const std::string& path) {
    return path.empty() ? path : std::filesystem::absolute(path).string();
}

// --help, --version and a refused command line end the program here, without a window.
std::optional<int> answer_command_line(const fluffo::CommandLine& options) {
    using Action = fluffo::CommandLine::Action;
    switch (options.action) {
        case Action::Run:
            return std::nullopt;
        case Action::Help:
            std::cout << fluffo::command_line_usage();
            return 0;
        case Action::Version:
            std::cout << fluffo::App_Title << " " << FLUFFO_VERSION << "\n";
            return 0;
        case Action::Refuse:
            break;
    }
    std::cerr << "fluffo-brambo: " << options.problem << "\n" << fluffo::command_line_usage();
    return 2;
}

// The recording's opening: the seed and high scores the main window's creation left.
std::unique_ptr<fluffo::PlayRecorder> start_recording(std::ostream& out, fluffo::Program& program) {
    fluffo::Handheld& handheld = program.main_logic().handheld();
    char date[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    const fluffo::RecordingStart start{std::string(fluffo::App_Title) + " " + FLUFFO_VERSION, date,
                                       static_cast<uint32_t>(program.seed()),
                                       fluffo::LocalClock().local_time()};
    auto recorder =
        std::make_unique<fluffo::PlayRecorder>(out, handheld.state, handheld.scheduler(), start);
    handheld.set_observer(recorder.get());
    return recorder;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace fluffo;
    const CommandLine options = parse_command_line(argc, argv);
    if (const std::optional<int> status = answer_command_line(options)) return *status;
    const std::string skin_dir = absolute(options.skin_dir);
    std::ofstream recording;
    if (!options.record_file.empty()) {
        recording.open(absolute(options.record_file), std::ios::trunc);
        if (!recording) {
            std::cerr << "fluffo-brambo: cannot write the recording \"" << options.record_file
                      << "\"\n";
            return 2;
        }
    }

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
    RetryingStore retrying(*disk, [&shell](const std::string& text) {
        QTimer::singleShot(0, qApp, [&shell, text] { shell.show_error(text); });
    });
    std::optional<std::string> display_choice;
    if (options.fullscreen) display_choice = *options.fullscreen ? "1" : "0";
    RunChoiceStore store(retrying, std::string(Setting_FullscreenMode.name), display_choice);
    // The program ends on SIGTERM and SIGINT itself (EndSignals): SDL's own handlers, which
    // its sound and its pads would install, only queue a quit event no one reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SdlAudioBackend audio;
    std::unique_ptr<PlayRecorder> recorder;  // outlives the handheld it listens to
    const auto record = [&](Program& created) {
        if (recording.is_open()) recorder = start_recording(recording, created);
    };
    SdlGamepads pads;
    // A measuring hook: FLUFFO_VIRTUAL_PAD=1 plugs in one of SDL's virtual pads, idle, for
    // bench/measure_desktop.sh to weigh a pad that has no device to wait on.
    if (qEnvironmentVariable("FLUFFO_VIRTUAL_PAD") == QStringLiteral("1"))
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
    std::unique_ptr<Program> program;
    // Before the sound starts: a signal ends the program as a close request does.
    const EndSignals end_signals([&] {
        if (program) program->main_window().close();
        QCoreApplication::quit();
    });
    program =
        std::make_unique<Program>(ProgramPorts{shell, store, audio, "", skin_dir, record, &pads});
    // Frames reach the window system only once the event loop runs.
    FrameLog::attach(program->main_window());

    int status = shell.exit_status();
    if (!shell.terminate_requested()) {
        program->start();
        status = QApplication::exec();
    }
    if (recorder) recorder->finish();
    retrying.flush();
    return status;
}
