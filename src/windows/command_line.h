#pragma once
// fluffo-brambo's command line. Without options the program runs as it always has; the options
// try a skin folder, choose windowed or fullscreen for this run only, or record the run's play
// as a fluffo-sim script. Read before any window exists, so that --help, --version and a wrong
// option never open one. Plain C++: no toolkit.

#include <optional>
#include <string>
#include <string_view>

namespace fluffo {

struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    std::string skin_dir;            // Config.ini and its pictures from here; empty: beside
                                     // the program
    std::optional<bool> fullscreen;  // this run's display; none: the stored one
    std::string record_file;         // empty: no recording
    std::string problem;             // for Refuse: what is wrong, naming the option
};

CommandLine parse_command_line(int argc, const char* const* argv);

std::string_view command_line_usage();

}  // namespace fluffo
