#include "windows/command_line.h"

namespace fluffo {

std::string_view command_line_usage() {
    return "usage: fluffo-brambo [--skin DIR] [--windowed | --fullscreen] [--record FILE]\n"
           "                     [--help] [--version]\n"
           "  --skin DIR     read Config.ini and the pictures it names from DIR (its relative\n"
           "                 folders start at DIR); sound, manual and texts stay beside the\n"
           "                 program\n"
           "  --windowed     show the handheld in a window, this run only\n"
           "  --fullscreen   show it over the whole screen, this run only\n"
           "  --record FILE  write this run's play to FILE as a fluffo-sim script; replay it\n"
           "                 with: fluffo-sim < FILE\n"
           "  --help         this text\n"
           "  --version      the program's title and version\n";
}

CommandLine parse_command_line(int argc, const char* const* argv) {
    CommandLine out;
    const auto refuse = [&](std::string problem) {
        out = CommandLine{};
        out.action = CommandLine::Action::Refuse;
        out.problem = std::move(problem);
        return out;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string* value = nullptr;
        if (arg == "--help" || arg == "-h") {
            out.action = CommandLine::Action::Help;
        } else if (arg == "--version") {
            out.action = CommandLine::Action::Version;
        } else if (arg == "--windowed" || arg == "--fullscreen") {
            out.fullscreen = arg == "--fullscreen";
        } else if (arg == "--skin") {
            value = &out.skin_dir;
        } else if (arg == "--record") {
            value = &out.record_file;
        } else {
            return refuse("unknown option \"" + std::string(arg) + "\"");
        }
        if (!value) continue;
        if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
            return refuse("option " + std::string(arg) + " needs an argument");
        }
        *value = argv[++i];
    }
    return out;
}

}  // namespace fluffo
