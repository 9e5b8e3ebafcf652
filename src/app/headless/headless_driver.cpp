#include "app/headless/headless_driver.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "app/headless/command_words.h"
#include "base/json_writer.h"
#include "base/settings_values.h"
#include "display/png_writer.h"
#include "display/skin_loader.h"
#include "engine/control.h"
#include "engine/state_report.h"

namespace fluffo {

struct HeadlessDriver::Command {
    std::string_view name;
    std::string_view usage;  // the command word, then one word per argument
    size_t arg_count;
    Handler handler;
};

namespace {

Control control_arg(const Words& a) {
    if (const std::optional<Control> control = control_named(a[1])) return *control;
    std::string known;
    for (Control c : All_Controls)
        known += (known.empty() ? "" : " ") + std::string(control_name(c));
    throw BadLine(std::string(a[0]) + ": unknown button " + quoted(a[1]) + " (" + known + ")");
}

// The LCD figures, marks and pressed buttons that "screen" reports. The number stock and
// the digit positions are left out (the digits string covers them), and so are the
// controller-overlay arrows: btn_ctrlr_overlay_down is an arrow, not a pressed button.
bool reported_on_screen(std::string_view name) {
    const auto starts = [&](std::string_view p) { return name.substr(0, p.size()) == p; };
    const auto ends = [&](std::string_view s) {
        return name.size() >= s.size() && name.substr(name.size() - s.size()) == s;
    };
    if (starts("im_panel_number_") || starts("im_panel_digit_pos_")) return false;
    if (starts("im_fluffo_") || starts("im_egg_") || starts("im_wolf_") || starts("im_gate_") ||
        starts("im_panel_")) {
        return true;
    }
    return starts("btn_") && ends("_down") && !starts("btn_ctrlr_overlay_");
}

}  // namespace

const std::vector<HeadlessDriver::Command>& HeadlessDriver::commands() {
    static const std::vector<Command> table = {
        {"play", "play", 0, &HeadlessDriver::cmd_play},
        {"press", "press NAME", 1, &HeadlessDriver::cmd_press},
        {"release", "release NAME", 1, &HeadlessDriver::cmd_release},
        {"wait", "wait MS", 1, &HeadlessDriver::cmd_wait},
        {"clock", "clock HH:MM", 1, &HeadlessDriver::cmd_clock},
        {"seed", "seed N", 1, &HeadlessDriver::cmd_seed},
        {"mode", "mode N", 1, &HeadlessDriver::cmd_mode},
        {"set", "set FIELD VALUE", 2, &HeadlessDriver::cmd_set},
        {"fluffo", "fluffo C R DIR", 3, &HeadlessDriver::cmd_fluffo},
        {"wolf", "wolf I C R DIR STATE", 5, &HeadlessDriver::cmd_wolf},
        {"egg", "egg C R STATE", 3, &HeadlessDriver::cmd_egg},
        {"gate", "gate N", 1, &HeadlessDriver::cmd_gate},
        {"arm", "arm TIMER MS", 2, &HeadlessDriver::cmd_arm},
        {"disarm", "disarm TIMER", 1, &HeadlessDriver::cmd_disarm},
        {"state", "state", 0, &HeadlessDriver::query_state},
        {"expect", "expect KEY VALUE", 2, &HeadlessDriver::cmd_expect},
        {"screen", "screen", 0, &HeadlessDriver::query_screen},
        {"sounds", "sounds", 0, &HeadlessDriver::query_sounds},
        {"store", "store", 0, &HeadlessDriver::query_store},
        {"render", "render FILE", 1, &HeadlessDriver::cmd_render},
        {"quit", "quit", 0, &HeadlessDriver::cmd_quit},
    };
    return table;
}

namespace {

DriverTarget target_of(SimWorld& w) {
    return DriverTarget{w.handheld,
                        w.scheduler,
                        w.screen,
                        w.clock,
                        w.random,
                        [&w] { return w.sound.take(); },
                        [&w] { return w.store.values(); }};
}

}  // namespace

HeadlessDriver::HeadlessDriver(uint64_t seed)
    : m_own(std::make_unique<SimWorld>(seed)), m_world(target_of(*m_own)) {}

HeadlessDriver::HeadlessDriver(DriverTarget target) : m_world(std::move(target)) {}

void HeadlessDriver::load_skin(const std::string& dir) {
    if (!m_own) throw std::runtime_error("the skin of this handheld is its window's");
    PlainSkinWindow& window = m_own->window;
    const size_t errors_before = window.errors().size();
    SkinLoader loader(m_own->screen, window,
                      SkinSources{m_config_files, m_picture_files, dir, dir, m_scale});
    loader.Gfx_Load_Skin();
    if (window.errors().size() > errors_before) throw std::runtime_error(window.errors().back());
}

int HeadlessDriver::run(std::istream& in, std::ostream& out) {
    std::string line;
    while (!m_quit && std::getline(in, line)) {
        const std::string answer = execute(line);
        if (answer.empty()) continue;
        // An answer that cannot be written (a full disk, a closed output) is a failed run:
        // whoever reads the answers would miss it.
        if (!(out << answer << '\n' << std::flush)) return Exit_Output_Failed;
    }
    return m_had_error ? 1 : 0;
}

std::string HeadlessDriver::execute(std::string_view line) {
    ++m_line_no;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // CRLF scripts
    const Args words = split_words(line);
    if (words.empty() || words[0].front() == '#') return {};

    std::string problem;
    try {
        const auto& table = commands();
        const auto it = std::find_if(table.begin(), table.end(),
                                     [&](const Command& c) { return c.name == words[0]; });
        if (it == table.end()) throw BadLine("unknown command " + quoted(words[0]));
        const size_t given = words.size() - 1;
        if (given < it->arg_count) {
            throw BadLine(std::string(it->name) + ": missing " +
                          std::string(usage_word(it->usage, given + 1)) +
                          " (usage: " + std::string(it->usage) + ")");
        }
        if (given > it->arg_count) {
            throw BadLine(std::string(it->name) + ": unexpected " +
                          quoted(words[it->arg_count + 1]) + " (usage: " + std::string(it->usage) +
                          ")");
        }
        return (this->*(it->handler))(words);
    } catch (const BadLine& e) {
        problem = e.what();
    } catch (const StoreError& e) {
        // The program's one error boundary: the command is abandoned, the driver goes on.
        problem = e.what();
    }
    m_had_error = true;
    return JsonWriter()
        .begin_object()
        .key("error")
        .string("line " + std::to_string(m_line_no) + ": " + problem)
        .end_object()
        .str();
}

std::string HeadlessDriver::cmd_play(const Args&) {
    m_world.handheld.set_mode(Mode::All_On);
    return {};
}

std::string HeadlessDriver::cmd_press(const Args& a) {
    apply_control(m_world.handheld, control_arg(a), true);
    return {};
}

std::string HeadlessDriver::cmd_release(const Args& a) {
    apply_control(m_world.handheld, control_arg(a), false);
    return {};
}

std::string HeadlessDriver::cmd_wait(const Args& a) {
    const int64_t now = m_world.scheduler.now();
    const int64_t ms = number_arg(a, 1, "MS", 0, Longest_Wait_Ms);
    if (ms > std::numeric_limits<int64_t>::max() - now) {
        throw BadLine("wait: MS " + quoted(a[1]) + " runs the virtual clock past its end");
    }
    // A store error abandons only the handler that raised it; time goes on to the end of
    // the wait as it does in the program, and the first such error is the line's answer.
    std::string failure;
    for (;;) {
        try {
            m_world.scheduler.advance_to(now + ms);
            break;
        } catch (const StoreError& e) {
            if (failure.empty()) failure = e.what();
        }
    }
    if (!failure.empty()) throw StoreError(failure);
    return {};
}

std::string HeadlessDriver::cmd_clock(const Args& a) {
    const std::string_view text = a[1];
    const size_t colon = text.find(':');
    const auto part = [&](std::string_view digits, int32_t hi) -> int32_t {
        if (digits.empty() || digits.size() > 2) return -1;
        int32_t value = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') return -1;
            value = value * 10 + (c - '0');
        }
        return value <= hi ? value : -1;
    };
    const int32_t hour = colon == std::string_view::npos ? -1 : part(text.substr(0, colon), 23);
    const int32_t minute = colon == std::string_view::npos ? -1 : part(text.substr(colon + 1), 59);
    if (hour < 0 || minute < 0) {
        throw BadLine("clock: " + quoted(text) + " is not a time of day HH:MM (00:00..23:59)");
    }
    m_world.clock.set(hour, minute);
    return {};
}

std::string HeadlessDriver::cmd_seed(const Args& a) {
    // Negative seeds are accepted and name the same generator as their 32-bit pattern.
    const int32_t seed = int32_arg(a, 1, "N");
    m_world.random.reseed(static_cast<uint32_t>(seed));
    return {};
}

std::string HeadlessDriver::cmd_mode(const Args& a) {
    // Any 32-bit number is taken as it is; one that names no mode does nothing more.
    m_world.handheld.set_mode(static_cast<Mode>(int32_arg(a, 1, "N")));
    return {};
}

std::string HeadlessDriver::cmd_set(const Args& a) {
    const auto it = std::find_if(State_Fields.begin(), State_Fields.end(),
                                 [&](const StateField& f) { return f.name == a[1]; });
    if (it == State_Fields.end()) throw BadLine("set: unknown field " + quoted(a[1]));
    // There are only two wolf records; a larger count would send the tick past them. Other
    // numbers stay a billion away from the 32-bit edge, so the counting and scoring that
    // follow can never overflow.
    constexpr int64_t kLimit = 1'000'000'000;
    const bool is_wolf_count = it->member == &GameState::Gam_Wolf_Count;
    const int32_t value = is_wolf_count ? int32_arg(a, 2, "wolf_count", 0, 2)
                                        : int32_arg(a, 2, it->name, -kLimit, kLimit);
    m_world.handheld.state.*(it->member) = value;
    return {};
}

std::string HeadlessDriver::cmd_fluffo(const Args& a) {
    GameState& s = m_world.handheld.state;
    const int32_t col = int32_arg(a, 1, "C", 0, Board_Cols - 1);
    const int32_t row = int32_arg(a, 2, "R", 0, Board_Rows - 1);
    const Dir dir = dir_arg(a, 3);
    s.Gam_Fluffo_Col = col;
    s.Gam_Fluffo_Row = row;
    s.Gam_Fluffo_Dir = dir;
    return {};
}

std::string HeadlessDriver::cmd_wolf(const Args& a) {
    // Wolves never leave the visible board, so neither may a wolf placed by hand.
    const int32_t index = int32_arg(a, 1, "I", 1, 2);
    const int32_t col = int32_arg(a, 2, "C", 1, 5);
    const int32_t row = int32_arg(a, 3, "R", 1, 7);
    const Dir dir = dir_arg(a, 4);
    const int32_t wolf_state = int32_arg(a, 5, "STATE", 0, Wolf_Vulnerable);
    m_world.handheld.state.Gam_Wolves[static_cast<size_t>(index - 1)] = {col, row, dir, wolf_state};
    return {};
}

std::string HeadlessDriver::cmd_egg(const Args& a) {
    const int32_t col = int32_arg(a, 1, "C", 0, Board_Cols - 1);
    const int32_t row = int32_arg(a, 2, "R", 0, Board_Rows - 1);
    const int32_t egg = int32_arg(a, 3, "STATE", 0, static_cast<int32_t>(Egg::Power));
    m_world.handheld.state.cell(col, row).Egg_State = static_cast<Egg>(egg);
    return {};
}

std::string HeadlessDriver::cmd_gate(const Args& a) {
    Handheld& h = m_world.handheld;
    h.state.Gam_Gate = int32_arg(a, 1, "N");
    h.Gam_Set_Gate();
    return {};
}

std::string HeadlessDriver::cmd_arm(const Args& a) {
    const TimerId id = timer_arg(a, 1);
    m_world.scheduler.arm(id, int32_arg(a, 2, "MS", 0));
    return {};
}

std::string HeadlessDriver::cmd_disarm(const Args& a) {
    m_world.scheduler.set_enabled(timer_arg(a, 1), false);
    return {};
}

std::string HeadlessDriver::cmd_render(const Args& a) {
    if (!m_own) throw BadLine("render: this handheld's frame is the one its window shows");
    const PlainSkinWindow& window = m_own->window;
    try {
        m_compositor.set_frame(window.client_width(), window.client_height(), window.colour(),
                               m_scale);
        m_compositor.update(m_world.screen.model());
        write_png(std::string(a[1]), m_compositor.width(), m_compositor.height(),
                  m_compositor.pixels(), false);
    } catch (const FrameTooLarge& e) {
        throw BadLine("render: " + std::string(e.what()));
    } catch (const PngWriteError& e) {
        throw BadLine("render: " + std::string(e.what()));
    }
    return {};
}

std::string HeadlessDriver::cmd_quit(const Args&) {
    m_quit = true;
    return {};
}

std::string HeadlessDriver::query_state(const Args&) {
    return state_json(m_world.handheld.state, m_world.scheduler);
}

std::string HeadlessDriver::cmd_expect(const Args& a) {
    for (const StateMember& m : state_members(m_world.handheld.state, m_world.scheduler)) {
        if (m.key != a[1]) continue;
        if (m.json != a[2]) {
            throw BadLine("expect: " + std::string(m.key) + " is " + m.json + ", not " +
                          quoted(a[2]));
        }
        return {};
    }
    throw BadLine("expect: unknown key " + quoted(a[1]));
}

std::string HeadlessDriver::query_screen(const Args&) {
    const MainScreen& screen = m_world.screen;
    std::vector<std::string_view> lit;
    for (const Holder& h : screen.model().holders()) {
        if (h.visible && reported_on_screen(h.name)) lit.push_back(h.name);
    }
    std::sort(lit.begin(), lit.end());
    JsonWriter w;
    w.begin_object().key("lit").begin_array();
    for (const std::string_view name : lit)
        w.string(name);
    w.end_array().key("digits").string(screen.panel_text());
    return w.end_object().str();
}

std::string HeadlessDriver::query_sounds(const Args&) {
    JsonWriter w;
    w.begin_object().key("sounds").begin_array();
    for (const SoundRecorder::Played& p : m_world.take_sounds()) {
        w.begin_object().key("t").number(p.t_ms).key("name").string(sample_name(p.sample));
        w.end_object();
    }
    return w.end_array().end_object().str();
}

std::string HeadlessDriver::query_store(const Args&) {
    JsonWriter w;
    w.begin_object();
    // A value of a foreign type is shown by its text, as far as it has one.
    for (const auto& [name, value] : m_world.store_values())
        w.key(name).string(value.text);
    return w.end_object().str();
}

}  // namespace fluffo
