// How fast the handheld runs on the virtual clock: raw game ticks of a Game B stage kept in
// play for ever, and whole Game B games played by random inputs from the intro to the
// game-over mark. Built on the headless driver's world, so it measures the code fluffo-sim runs.
#include <benchmark/benchmark.h>

#include <array>

#include "display/sim_world.h"
#include "engine/board.h"
#include "engine/control.h"

namespace fluffo {
namespace {

// Counts game ticks on their way from the scheduler to the handheld.
struct TickCounter : TimerSink {
    explicit TickCounter(Handheld& h) : handheld(h) {}
    void on_timer(TimerId id) override {
        if (id == TimerId::Timer_Game) ++ticks;
        handheld.on_timer(id);
    }
    Handheld& handheld;
    int64_t ticks = 0;
};

constexpr std::array<Control, 4> kSteers = {Control::Up, Control::Left, Control::Right,
                                            Control::Down};

constexpr int64_t kGameBTickMs = 240;

// With a skin loaded every switch also records a rectangle to repaint; measure that too.
void load_tiny_skin(ScreenModel& model) {
    const auto dot =
        std::make_shared<const Picture>(Picture{1, 1, {0xff000000u}, Transparency::None});
    for (HolderId id = 0; id < static_cast<HolderId>(model.size()); ++id)
        model.set_picture(id, dot);
}

void steer_at_random(Handheld& h, SeededRandom& chance) {
    const Control steer = kSteers[static_cast<size_t>(chance.next_below(4))];
    apply_control(h, steer, true);
    apply_control(h, steer, false);
}

void BM_GameTicks(benchmark::State& state) {
    SimWorld world(2017);
    world.sound.set_recording(false);  // a long run would otherwise keep every sample
    load_tiny_skin(world.screen.model());
    TickCounter counter(world.handheld);
    world.scheduler.set_sink(&counter);
    Handheld& h = world.handheld;
    SeededRandom chance(7);

    h.set_mode(Mode::Game_B);
    uint64_t rounds = 0;
    for (auto _ : state) {
        steer_at_random(h, chance);
        world.scheduler.advance_to(world.scheduler.now() + 4 * kGameBTickMs);
        // A spare life after every miss keeps the game going for ever, and a fresh board now
        // and then keeps Fluffo scoring, since a random walk seldom clears a stage.
        if (h.state.Gam_Lives < 2) h.state.Gam_Lives = 2;
        if (++rounds % 1024 == 0) Gam_Reset_Eggs(h.state);
    }
    state.SetItemsProcessed(counter.ticks);
}
BENCHMARK(BM_GameTicks);

void BM_WholeGameB(benchmark::State& state) {
    SimWorld world(2017);
    world.sound.set_recording(false);
    TickCounter counter(world.handheld);
    world.scheduler.set_sink(&counter);
    Handheld& h = world.handheld;
    SeededRandom chance(11);
    load_tiny_skin(world.screen.model());

    h.set_mode(Mode::Time);
    int64_t games = 0;
    for (auto _ : state) {
        // GAME B works in the clock and on the game-over mark alike.
        h.Inp_game_b_down();
        h.Inp_game_b_up();
        do {
            steer_at_random(h, chance);
            world.scheduler.advance_to(world.scheduler.now() + 2 * kGameBTickMs);
        } while (h.state.Gam_Mode != Mode::Game_Over);
        ++games;
    }
    state.SetItemsProcessed(games);
    state.counters["ticks_per_game"] =
        games > 0 ? static_cast<double>(counter.ticks) / static_cast<double>(games) : 0.0;
    state.counters["ticks_per_second"] =
        benchmark::Counter(static_cast<double>(counter.ticks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeGameB)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fluffo
