// The desktop program's command line, one row per case: the action, the choices it leaves, and
// the problem named; a refused line keeps none of the choices read before the problem.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "windows/command_line.h"

namespace fluffo {
namespace {

using Action = CommandLine::Action;

struct Case {
    std::vector<const char*> args;  // after the program's name
    Action action;
    std::string skin_dir;
    std::optional<bool> fullscreen;
    std::string record_file;
    std::string problem;
};

TEST(CommandLineTest, EachLineGivesItsActionAndChoices) {
    const std::vector<Case> cases = {
        {{}, Action::Run, "", std::nullopt, "", ""},
        {{"--skin", "my skin", "--record", "a.fsim"}, Action::Run, "my skin", {}, "a.fsim", ""},
        {{"--fullscreen", "--windowed"}, Action::Run, "", false, "", ""},
        {{"--windowed", "--fullscreen"}, Action::Run, "", true, "", ""},
        {{"--skin", "a", "--skin", "b"}, Action::Run, "b", {}, "", ""},
        {{"-h"}, Action::Help, "", {}, "", ""},
        {{"--version", "--windowed"}, Action::Version, "", false, "", ""},
        {{"--record", "--help"}, Action::Run, "", {}, "--help", ""},
        {{"--fullscreen", "--frobnicate"},
         Action::Refuse,
         "",
         {},
         "",
         "unknown option \"--frobnicate\""},
        {{"--skin", "a", "--record"},
         Action::Refuse,
         "",
         {},
         "",
         "option --record needs an argument"},
        {{"--skin", ""}, Action::Refuse, "", {}, "", "option --skin needs an argument"},
        {{"skin"}, Action::Refuse, "", {}, "", "unknown option \"skin\""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"fluffo-brambo"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const CommandLine line = parse_command_line(int(argv.size()), argv.data());
        std::string shown;
        for (const char* arg : c.args)
            shown += std::string(" ") + arg;
        SCOPED_TRACE("fluffo-brambo" + shown);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.skin_dir, c.skin_dir);
        EXPECT_EQ(line.fullscreen, c.fullscreen);
        EXPECT_EQ(line.record_file, c.record_file);
        EXPECT_EQ(line.problem, c.problem);
    }
}

}  // namespace
}  // namespace fluffo
