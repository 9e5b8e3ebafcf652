// Recording and replaying: a game played through the driver with a recorder listening, and the
// script it wrote replayed by a fresh driver; and the "expect" lines a replay checks itself by.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/headless/headless_driver.h"
#include "engine/play_recorder.h"

namespace fluffo {
namespace {

TEST(ExpectTest, HoldsSilentlyOrTellsTheValueFound) {
    HeadlessDriver d(1);
    d.execute("set score 250");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"expect score 250", ""},
        {"expect t 0", ""},
        {"expect fluffo [0,0,0]", ""},
        {R"(expect held {"time":false,"game_a":false,"game_b":false})", ""},
        {R"(expect eggs "00000000000000000000000000000000000")", ""},
        {"expect timers {}", ""},
        {"expect score 251", R"(expect: score is 250, not \"251\")"},
        {"expect score 0250", R"(expect: score is 250, not \"0250\")"},
        {"expect eggs 00000000000000000000000000000000000", "expect: eggs is \\\"000"},
        {"expect speed 1", R"(expect: unknown key \"speed\")"},
        {"expect score", "expect: missing VALUE (usage: expect KEY VALUE)"},
    };
    int line = 1;
    for (const auto& [text, what] : cases) {
        ++line;
        const std::string answer = d.execute(text);
        if (what.empty()) {
            EXPECT_EQ(answer, "") << text;
        } else {
            EXPECT_EQ(answer.rfind(R"({"error":"line )" + std::to_string(line) + ": " + what, 0),
                      0u)
                << text << " -> " << answer;
        }
    }
}

// The recorder writes each line at the scheduler's time of the call, so inputs land between
// the same ticks on replay; a reset of the high scores, the play action and a game's end are
// in the script too. The replay must print exactly the state the recording ended in.
TEST(PlayRecorderTest, AReplayEndsInTheStateTheRecordingEndedIn) {
    const uint32_t seed = 0xdeadbeefu;  // a negative number as the script writes it
    HeadlessDriver played(seed);
    SimWorld& w = played.world();
    w.clock.set(21, 5);
    w.handheld.state.Gam_HiScore_B = 40;  // as the main window's creation read it
    std::ostringstream script;
    PlayRecorder recorder(script, w.handheld.state, w.scheduler,
                          RecordingStart{"Test 1.0", "today", seed, LocalTime{21, 5}});
    w.handheld.set_observer(&recorder);

    for (const char* line :
         {"wait 1234", "play", "wait 400", "press time", "wait 90", "release time", "wait 333",
          "press game_b", "press game_b", "wait 77", "release game_b"}) {
        ASSERT_EQ(played.execute(line), "") << line;
    }
    // Wander until the game ends, pressing at odd moments between the ticks.
    const char* const dirs[] = {"up", "left", "down", "right"};
    for (int i = 0; w.handheld.state.Gam_Mode != Mode::Game_Over && i < 2000; ++i) {
        played.execute(std::string("press ") + dirs[(i * 7 + i / 3) % 4]);
        played.execute("wait " + std::to_string(53 + (i * 37) % 211));
        played.execute(std::string("release ") + dirs[(i * 7 + i / 3) % 4]);
        played.execute("wait " + std::to_string(11 + (i * 13) % 97));
    }
    ASSERT_EQ(w.handheld.state.Gam_Mode, Mode::Game_Over);
    played.execute("wait 1500");
    w.handheld.reset_high_scores();
    for (const char* line :
         {"press game_a", "wait 3333", "release game_a", "press left", "wait 2461"}) {
        played.execute(line);
    }
    recorder.finish();
    recorder.control_applied(Control::Up, true);  // after the end: not written
    ASSERT_FALSE(played.had_error());

    const std::string text = script.str();
    EXPECT_EQ(text.rfind("# Test 1.0, recorded today\n", 0), 0u) << text;
    for (const char* wanted : {"\nseed -559038737\nclock 21:05\nset hiscore_a 0\nset hiscore_b 40\n"
                               "wait 1234\nplay\nwait 400\npress time\nwait 90\nrelease time\n",
                               "\nexpect mode 7\n", "\nset hiscore_a 0\nset hiscore_b 0\n"}) {
        EXPECT_NE(text.find(wanted), std::string::npos) << wanted;
    }
    EXPECT_EQ(text.find("press up\n", text.find("# the recording's end")), std::string::npos);
    const size_t note = text.rfind(PlayRecorder::State_Note);
    ASSERT_NE(note, std::string::npos);
    const std::string recorded_state =
        text.substr(note + std::string(PlayRecorder::State_Note).size());
    EXPECT_EQ(recorded_state, played.execute("state") + "\n");

    HeadlessDriver replay(1);  // the script sets its own seed
    std::istringstream in(text);
    std::ostringstream out;
    EXPECT_EQ(replay.run(in, out), 0) << out.str();
    EXPECT_EQ(out.str(), recorded_state);
}

}  // namespace
}  // namespace fluffo
