#pragma once
// A whole handheld on the virtual clock for engine tests, without a screen that draws it: the
// headless driver's world minus its pictures (scheduler, recorder, in-memory store, settable
// clock, seeded generator), created the way the main window creates it. What the screen shows
// is read from the handheld's own screen state.

#include <string>
#include <vector>

#include "base/random_source.h"
#include "base/settings_store.h"
#include "base/wall_clock.h"
#include "engine/handheld.h"
#include "engine/lcd_state.h"
#include "engine/scheduler.h"
#include "engine/sound_recorder.h"

namespace fluffo::testing {

// A screen that draws nothing: the handheld's own state is what the tests read.
struct NoScreen : LcdObserver {
    void lit_changed(Segment, bool) override {}
    void digit_drawn(int, int) override {}
};

// The driver's world, with short names for what the tests touch.
struct Rig {
    Rig() { hh.create(); }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    Scheduler scheduler;
    SoundRecorder sound{[this] { return scheduler.now(); }};
    MemoryStore store;
    SettableClock clock{[this] { return scheduler.now(); }};
    SeededRandom random{12345};
    NoScreen screen;
    Handheld hh{screen, scheduler, HandheldPorts{sound, store, clock, random}};
    GameState& st = hh.state;

    void wait(int64_t ms) { scheduler.advance_to(scheduler.now() + ms); }
    void set_mode(Mode mode) { hh.set_mode(mode); }
    bool lit(Mark mark) const { return hh.lcd().lit(mark); }
    bool lit(Figure family, int col, int row) const { return hh.lcd().lit(family, col, row); }
    bool on(TimerId id) const { return scheduler.enabled(id); }
    std::vector<std::string> sounds() {
        std::vector<std::string> out;
        for (const auto& p : sound.take())
            out.emplace_back(sample_name(p.sample));
        return out;
    }
    // The panel as five characters (LcdState::panel_text).
    std::string digits() const { return hh.lcd().panel_text(); }
    // A game in play on stage 1, just after the stage start put Fluffo down and started the tick.
    void start_game(Mode intro_mode) {
        set_mode(Mode::Time);
        set_mode(intro_mode);
        wait(2900 + 1 + 700);
    }
    // The figures of a family lit on the whole screen; the den wolf's second figure counts among
    // the wolves, as the handheld shows and hides it with them.
    int count_lit(Figure family) const {
        int n = family == Figure::Wolf && lit(Mark::Den_Wolf_Pacing) ? 1 : 0;
        for (int col = 1; col <= Visible_Cols; ++col) {
            for (int row = 1; row <= Visible_Rows; ++row) {
                if (lit(family, col, row)) ++n;
            }
        }
        return n;
    }
    // The lives the panel shows.
    int lives_lit() const {
        int n = 0;
        for (int life = 1; life <= Max_Lives_Shown; ++life) {
            if (lit(lives_mark(life))) ++n;
        }
        return n;
    }
};

}  // namespace fluffo::testing
