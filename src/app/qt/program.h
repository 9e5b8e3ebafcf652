#pragma once
// The whole program on the desktop: the sound, clock, chance and file sources, the one gate
// every key event passes (HeldKeyFilter), and the five windows created in their fixed order
// (main window, about, key settings, manual viewer, start screen), each creation handler run
// inside its window's creation. main() gives it the
// real store, shell and sound library; tests give it their own.

#include <memory>
#include <string>

#include "app/qt/TForm1.h"
#include "app/qt/TSplashForm.h"
#include "app/qt/app_windows.h"
#include "app/qt/held_key_filter.h"
#include "app/qt/qt_icon_decoder.h"
#include "base/audio_backend.h"
#include "base/random_source.h"
#include "base/wall_clock.h"
#include "engine/sound_system.h"

namespace fluffo {

struct ProgramPorts {
    ShellPort& shell;
    SettingsStore& store;
    AudioBackend& audio;
    // The folder of Config.ini and the data; empty: the working directory.
    std::string data_dir;
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

private:
    ProgramPorts m_ports;
    SoundSystem m_sound;
    LocalClock m_clock;
    SeededRandom m_random;
    QtIconDecoder m_icons;
    DiskPictureFiles m_pictures{&m_icons};
    DiskConfigFiles m_config;
    SkinSources m_sources;
    std::string m_window_folder;  // the pictures of the windows' own design
    AppWindows m_windows;
    HeldKeyFilter m_held_keys;

    std::unique_ptr<TForm1> m_main;
    std::unique_ptr<TAboutForm> m_about;
    std::unique_ptr<TKeysForm> m_keys;
    std::unique_ptr<TManualForm> m_manual;
    std::unique_ptr<TSplashForm> m_splash;
};

}  // namespace fluffo
