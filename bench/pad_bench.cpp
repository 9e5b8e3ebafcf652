// From a pad's press to the press handed on, through the desktop's pad pump in a running Qt
// event loop: for a pad waited on by its event device (a pipe stands in for the device: no
// pad can be plugged into this measuring machine) and for a pad that must be polled (one of
// SDL's virtual pads, read every Poll_Interval_Ms). Each press comes at a random moment of
// the poll period. The handed-on press reaches the handheld's action in the same call stack.
// Reported: the mean latency as the iteration time, the median, 99th percentile and largest.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "app/qt/pumps/pad_pump.h"
#include "app/sdl/sdl_gamepads.h"

namespace fluffo {
namespace {

using Clock = std::chrono::steady_clock;

// Runs the event loop until `done` or for `ms` at most.
void run_loop(int ms, const std::function<bool()>& done = {}) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms && !(done && done()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
}

// A pad whose device is a pipe: each byte written is a press or release of South.
class PipePad : public PadDevices {
public:
    PipePad() {
        if (pipe(m_fds) != 0) m_fds[0] = m_fds[1] = -1;
    }
    ~PipePad() override {
        close(m_fds[0]);
        close(m_fds[1]);
    }
    void press(bool down) {
        const char b = down ? 1 : 0;
        if (write(m_fds[1], &b, 1) != 1) std::abort();
    }
    std::vector<int> wake_fds() const override { return {m_fds[0]}; }
    bool needs_polling() const override { return false; }
    void pump(int ready_fd, PadTracker& tracker) override {
        char b = 0;
        if (ready_fd == m_fds[0] && read(m_fds[0], &b, 1) == 1)
            tracker.button(0, PadButton::South, b != 0);
    }

private:
    int m_fds[2] = {-1, -1};
};

template <typename Press>
void measure(benchmark::State& state, PadDevices& devices, Press press) {
    Clock::time_point handed_on{};
    PadPump pump(devices, [&](const PadPress&) { handed_on = Clock::now(); });
    pump.pump(-1);  // the first look, without waiting for it
    std::mt19937 chance(7);
    std::uniform_int_distribution<int> phase_ms(0, PadDevices::Poll_Interval_Ms);
    std::vector<double> latencies_ms;
    bool down = true;
    for (auto _ : state) {
        run_loop(phase_ms(chance));
        handed_on = {};
        const Clock::time_point pressed = Clock::now();
        press(down);
        down = !down;
        run_loop(1000, [&] { return handed_on != Clock::time_point{}; });
        const double seconds = std::chrono::duration<double>(handed_on - pressed).count();
        latencies_ms.push_back(seconds * 1000);
        state.SetIterationTime(seconds);
    }
    if (latencies_ms.empty()) return;
    std::sort(latencies_ms.begin(), latencies_ms.end());
    const auto at = [&](double q) {
        return latencies_ms[static_cast<size_t>(q * static_cast<double>(latencies_ms.size() - 1))];
    };
    state.counters["p50_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
    state.counters["max_ms"] = latencies_ms.back();
}

void BM_PadToPress_WaitedOnItsDevice(benchmark::State& state) {
    PipePad pad;
    measure(state, pad, [&](bool down) { pad.press(down); });
}
BENCHMARK(BM_PadToPress_WaitedOnItsDevice)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

void BM_PadToPress_Polled(benchmark::State& state) {
    SdlGamepads pads;
    PadTracker first_look({});
    pads.pump(-1, first_look);
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
    if (!pads.started() || index < 0) {
        state.SkipWithError("SDL's pads cannot start here");
        return;
    }
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    measure(state, pads, [&](bool down) {
        SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(id), SDL_CONTROLLER_BUTTON_A,
                                     down ? 1 : 0);
    });
    SDL_JoystickDetachVirtual(index);
}
BENCHMARK(BM_PadToPress_Polled)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
}  // namespace fluffo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
