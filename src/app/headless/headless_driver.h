#pragma once
// fluffo-sim's driver: the handheld built as the main window builds it (SimWorld), on a virtual
// clock, driven by one text command per line and answering queries with one JSON object per
// line. The same commands can drive a program's own handheld (the web page's), given as a
// DriverTarget; such a driver loads no skin and renders nothing (its window shows the frame). Only
// queries and errors answer; a refused store write is reported like a bad line, and the driver goes
// on. The exit code is 1 when any line was in error, 3 when an answer could not be written, else 0.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/headless/command_words.h"
#include "base/settings_store.h"
#include "display/compositor.h"
#include "display/picture_files.h"
#include "display/sim_world.h"
#include "display/skin_sources.h"
#include "engine/scheduler.h"

namespace fluffo {

// The parts of a handheld the commands reach.
struct DriverTarget {
    Handheld& handheld;
    Scheduler& scheduler;
    MainScreen& screen;
    SettableClock& clock;
    SeededRandom& random;
    // The samples played since the last call, each with its scheduler time.
    std::function<std::vector<SoundRecorder::Played>()> take_sounds;
    // The settings store's values by name.
    std::function<std::map<std::string, StoredValue>()> store_values;
};

class HeadlessDriver {
public:
    static constexpr int Exit_Output_Failed = 3;
    // The longest "wait": about 115 days of the virtual clock, which a running clock covers in
    // about ten million steps; a longer one would keep the driver busy for ages.
    static constexpr int64_t Longest_Wait_Ms = 10'000'000'000;

    explicit HeadlessDriver(uint64_t seed);
    // Drives a handheld that lives elsewhere.
    explicit HeadlessDriver(DriverTarget target);

    // Reads commands until the input ends or "quit"; writes and flushes each answer as it
    // comes, so a process talking to the driver gets it at once. Returns the exit code.
    int run(std::istream& in, std::ostream& out);

    // Loads DIR/Config.ini and the pictures it names, relative paths taken from DIR, in
    // windowed mode, as the main window's creation does. Throws std::runtime_error with the
    // text the program would show (a missing Config.ini, a malformed colour, an undecodable
    // picture).
    void load_skin(const std::string& dir);

    // Screen pixels per window pixel of the frames "render" writes (1 by default), and so of
    // the picture variants load_skin takes; set before load_skin.
    void set_scale(double scale) { m_scale = scale; }

    // Runs the next line (lines are numbered from 1 in call order) and returns its answer
    // without the line break, or an empty string when the line answers nothing.
    std::string execute(std::string_view line);

    bool had_error() const { return m_had_error; }
    // The driver's own handheld; only for a driver made with a seed.
    SimWorld& world() { return *m_own; }

private:
    using Args = Words;
    using Handler = std::string (HeadlessDriver::*)(const Args&);
    struct Command;
    static const std::vector<Command>& commands();

    // Commands answer nothing (an empty string); queries answer one JSON text.
    std::string cmd_play(const Args& a);
    std::string cmd_press(const Args& a);
    std::string cmd_release(const Args& a);
    std::string cmd_wait(const Args& a);
    std::string cmd_clock(const Args& a);
    std::string cmd_seed(const Args& a);
    std::string cmd_mode(const Args& a);
    std::string cmd_set(const Args& a);
    std::string cmd_fluffo(const Args& a);
    std::string cmd_wolf(const Args& a);
    std::string cmd_egg(const Args& a);
    std::string cmd_gate(const Args& a);
    std::string cmd_arm(const Args& a);
    std::string cmd_disarm(const Args& a);
    std::string cmd_render(const Args& a);
    std::string cmd_quit(const Args& a);
    std::string cmd_expect(const Args& a);
    std::string query_state(const Args& a);
    std::string query_screen(const Args& a);
    std::string query_sounds(const Args& a);
    std::string query_store(const Args& a);

    std::unique_ptr<SimWorld> m_own;  // null when driving a handheld elsewhere
    DriverTarget m_world;
    DiskConfigFiles m_config_files;
    DiskPictureFiles m_picture_files;
    Compositor m_compositor;  // kept, so each render recomposes only what changed
    int64_t m_line_no = 0;
    bool m_had_error = false;
    bool m_quit = false;
    double m_scale = 1.0;
};

}  // namespace fluffo
