// fluffo-sim: the handheld without a window, driven by text commands on standard input and
// answering in JSON lines on standard output (see app/headless/headless_driver.h).

#include <charconv>
#include <cstdint>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/headless/headless_driver.h"
#include "base/random_source.h"

namespace {

constexpr std::string_view kUsage =
    "usage: fluffo-sim [--seed N] [--skin DIR] [--scale N] [--help]\n"
    "Runs the handheld on a virtual clock. Reads one command per line from standard input\n"
    "and answers queries with one JSON object per line on standard output.\n"
    "  --seed N   seed of the random generator (a whole 32-bit number; default: the clock)\n"
    "  --skin DIR load DIR/Config.ini and the pictures it names (relative paths start at\n"
    "             DIR), windowed; without it the window is 440 x 664 with no pictures\n"
    "  --scale N  screen pixels per window pixel of what render writes (1, 1.5, 2, 3 ...;\n"
    "             default 1); the pictures drawn for that resolution are loaded\n"
    "  --help     this text\n"
    "Commands: play, press|release NAME, wait MS, clock HH:MM, seed N, mode N,\n"
    "  set FIELD VALUE, fluffo C R DIR, wolf I C R DIR STATE, egg C R STATE, gate N,\n"
    "  arm TIMER MS, disarm TIMER, expect KEY VALUE, state, screen, sounds, store,\n"
    "  render FILE, quit.\n"
    "  render FILE writes the main window as drawn now to the PNG file FILE.\n";

bool parse_scale(std::string_view text, double& scale) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if (!(value >= fluffo::Compositor::Min_Scale && value <= fluffo::Compositor::Max_Scale))
        return false;
    scale = value;
    return true;
}

bool parse_seed(std::string_view text, uint64_t& seed) {
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    // The same 32-bit pattern as the "seed" command uses, so both name the same game.
    seed = static_cast<uint32_t>(static_cast<int32_t>(value));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> skin_dir;
    uint64_t seed = fluffo::clock_seed();
    double scale = 1.0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--seed" && i + 1 < argc && parse_seed(argv[i + 1], seed)) {
            ++i;
            continue;
        }
        if (arg == "--scale" && i + 1 < argc && parse_scale(argv[i + 1], scale)) {
            ++i;
            continue;
        }
        if (arg == "--skin" && i + 1 < argc) {
            skin_dir = argv[++i];
            continue;
        }
        std::cerr << "fluffo-sim: bad option \"" << arg << "\"\n" << kUsage;
        return 2;
    }
    std::ios::sync_with_stdio(false);
    fluffo::HeadlessDriver driver(seed);
    driver.set_scale(scale);
    if (skin_dir) {
        try {
            driver.load_skin(*skin_dir);
        } catch (const std::exception& e) {
            std::cerr << "fluffo-sim: " << e.what() << '\n';
            return 2;
        }
    }
    return driver.run(std::cin, std::cout);
}
