#pragma once
// The whole program on the desktop: the sound, clock, chance and file sources, the one gate
// every key event passes (HeldKeyFilter), and the five windows created in their fixed order
// (main window, about, key settings, manual viewer, start screen), each creation handler run
// inside its window's creation. main() gives it the
// real store, shell and sound library; tests give it their own.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "app/qt/keyboard/held_key_filter.h"
#include "app/qt/pumps/pad_pump.h"
#include "app/qt/widgets/TForm1.h"
#include "app/qt/widgets/TSplashForm.h"
#include "app/qt/widgets/app_windows.h"
#include "base/audio_backend.h"
#include "base/random_source.h"
#include "base/wall_clock.h"
#include "engine/sound_system.h"

namespace fluffo {

class Program;

struct ProgramPorts {
    ShellPort& shell;
    SettingsStore& store;
    AudioBackend& audio;
    // The folder of Config.ini and the data; empty: the working directory.
    std::string data_dir;
    // A skin tried from elsewhere: the folder of Config.ini and the start of its relative
    // folders; empty: data_dir. Sound, manual and texts stay in data_dir.
    std::string skin_dir = {};
    // Called once the main window is created and before the start screen, which may play at
    // once: a listener to the handheld attached here sees the whole run.
    std::function<void(Program&)> main_window_created = {};
    // The gamepads; none: the program has only keys and the mouse.
    PadDevices* pads = nullptr;
    // The game timers' clock; none: the real time.
    SchedulerPump::Clock clock = {};
};

class Program {
public:
    explicit Program(ProgramPorts ports);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The event loop's first act, queued: the main window's first activation, which brings the
    // start screen up when it is still pending.
    void start();

    TForm1& main_window() { return *m_main; }
    MainWindowLogic& main_logic() { return m_main->logic(); }
    TAboutForm& about() { return *m_about; }
    TKeysForm& keys() { return *m_keys; }
    TManualForm& manual() { return *m_manual; }
    TSplashForm& start_screen() { return *m_splash; }
    SoundSystem& sound() { return m_sound; }
    // The seed the game's chance was given at the main window's creation.
    uint64_t seed() const { return m_random.seed(); }
    PadPump* pads() { return m_pads.get(); }

    // A pad's press goes to the active one of the manual, about and key settings windows, as
    // its keys, or else to the handheld while it is on the screen and takes input; its release
    // goes where the press went.
    void route_pad(const PadPress& press);

private:
    ProgramPorts m_ports;
    SoundSystem m_sound;
    LocalClock m_clock;
    SeededRandom m_random;
    DiskPictureFiles m_pictures;
    DiskConfigFiles m_config;
    SkinSources m_program_files;  // Config.ini beside the program: the manual's
    SkinSources m_sources;        // the main window's, from the skin folder when one is given
    std::string m_window_folder;  // the pictures of the windows' own design
    AppWindows m_windows;
    HeldKeyFilter m_held_keys;

    std::unique_ptr<TForm1> m_main;
    std::unique_ptr<TAboutForm> m_about;
    std::unique_ptr<TKeysForm> m_keys;
    std::unique_ptr<TManualForm> m_manual;
    std::unique_ptr<TSplashForm> m_splash;

    std::unique_ptr<PadPump> m_pads;
    // Where each press in progress went (null: nowhere), by pad, control and button.
    std::map<std::tuple<int32_t, int32_t, PadButton>, QWidget*> m_pad_targets;
};

}  // namespace fluffo
