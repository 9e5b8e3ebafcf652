// The headless driver's protocol: parsing and its errors, the exact shape of every answer,
// the error boundary for refused store writes, and a short game driven through it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/headless/headless_driver.h"
#include "base/json_writer.h"

namespace fluffo {
namespace {

// Runs the lines in order and returns the answers, one per answering line.
std::vector<std::string> answers(HeadlessDriver& d, const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::string a = d.execute(line);
        if (!a.empty()) out.push_back(std::move(a));
    }
    return out;
}

// The integer after "key": in a flat answer; enough for the numbers of "state".
int64_t number_of(const std::string& json, const std::string& key) {
    const size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos) ADD_FAILURE() << key << " missing in " << json;
    return at == std::string::npos ? -999 : std::stoll(json.substr(at + key.size() + 3));
}

TEST(JsonWriterTest, NestsAndSeparatesMembers) {
    JsonWriter w;
    w.begin_object().key("a").number(-5).key("b").begin_array();
    w.boolean(true).boolean(false).begin_array().end_array().begin_object().end_object();
    w.end_array().key("c").string("x").end_object();
    EXPECT_EQ(w.str(), R"({"a":-5,"b":[true,false,[],{}],"c":"x"})");
}

TEST(JsonWriterTest, EscapesEverythingJsonForbids) {
    std::string out;
    append_json_string(out, "q\"b\\n\nt\tc\x01\x1f");
    EXPECT_EQ(out, R"("q\"b\\n\nt\tc\u0001\u001f")");
    out.clear();
    append_json_string(out, "\xC3\xA9 ok");  // valid UTF-8 passes through
    EXPECT_EQ(out, "\"\xC3\xA9 ok\"");
    out.clear();
    // A stray continuation byte, a cut-off sequence and an overlong form are not UTF-8.
    append_json_string(out,
                       "a\x80"
                       "b\xE2\x82"
                       "c\xC0\xAF");
    EXPECT_EQ(out,
              "\"a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD\xEF\xBF\xBD"
              "c\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(HeadlessDriverTest, StartsAsTheMainWindowLeavesIt) {
    HeadlessDriver d(1);
    EXPECT_EQ(d.execute("state"),
              R"({"t":0,"mode":0,"score":0,"hiscore_a":0,"hiscore_b":0,"lives":0,"stage":0,)"
              R"("phase":0,"gate":0,"step":0,"power_count":0,"power_length":0,"wolf_count":0,)"
              R"("wolf_bonus":0,"extra_life_at":0,"fluffo":[0,0,0],)"
              R"("wolves":[[0,0,0,0],[0,0,0,0]],"eggs":"00000000000000000000000000000000000",)"
              R"("held":{"time":false,"game_a":false,"game_b":false},"timers":{}})");
    EXPECT_EQ(d.execute("screen"), R"({"lit":[],"digits":"-----"})");
    EXPECT_EQ(d.execute("sounds"), R"({"sounds":[]})");
    EXPECT_EQ(d.execute("store"), "{}");
    EXPECT_FALSE(d.had_error());
}

TEST(HeadlessDriverTest, CommandsAnswerNothingAndSkipBlankAndCommentLines) {
    HeadlessDriver d(1);
    for (const char* line :
         {"", "   ", "# a comment", "  # indented", "play", "press time", "release time", "wait 10",
          "clock 07:30", "seed 3", "gate 2", "set score 5", "fluffo 3 5 0", "egg 1 1 1",
          "arm Timer_Miss 5", "disarm Timer_Miss", "mode 1", "wolf 1 3 3 2 10"}) {
        EXPECT_EQ(d.execute(line), "") << line;
    }
    EXPECT_FALSE(d.had_error());
}

TEST(HeadlessDriverTest, BadLinesReportTheirNumberAndWhatIsWrong) {
    HeadlessDriver d(1);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"jump", R"(unknown command \"jump\")"},
        {"wait", "wait: missing MS (usage: wait MS)"},
        {"wait 5 6", R"(wait: unexpected \"6\" (usage: wait MS))"},
        {"wait 5ms", R"(wait: MS \"5ms\" is not a whole number)"},
        {"wait -1", R"(wait: MS \"-1\" is outside 0..10000000000)"},
        {"mode 2147483648", R"(mode: N \"2147483648\" is outside -2147483648..2147483647)"},
        {"mode +1", R"(mode: N \"+1\" is not a whole number)"},
        {"press fire", R"(press: unknown button \"fire\" (game_a game_b time up left right down))"},
        {"set speed 3", R"(set: unknown field \"speed\")"},
        {"set wolf_count 3", R"(set: wolf_count \"3\" is outside 0..2)"},
        {"fluffo 7 1 0", R"(fluffo: C \"7\" is outside 0..6)"},
        {"fluffo 1 9 0", R"(fluffo: R \"9\" is outside 0..8)"},
        {"fluffo 1 1 3", R"(fluffo: DIR \"3\" is not one of 0 1 2 4 8)"},
        {"wolf 3 1 1 0 0", R"(wolf: I \"3\" is outside 1..2)"},
        {"wolf 1 0 1 0 0", R"(wolf: C \"0\" is outside 1..5)"},
        {"wolf 1 1 8 0 0", R"(wolf: R \"8\" is outside 1..7)"},
        {"wolf 1 1 1 16 0", R"(wolf: DIR \"16\" is not one of 0 1 2 4 8)"},
        {"wolf 1 1 1 0 12", R"(wolf: STATE \"12\" is outside 0..11)"},
        {"egg 1 1 3", R"(egg: STATE \"3\" is outside 0..2)"},
        {"arm Timer_game 5", R"(arm: unknown timer \"Timer_game\")"},
        {"arm Timer_Game -5", R"(arm: MS \"-5\" is outside 0..2147483647)"},
        {"disarm", "disarm: missing TIMER (usage: disarm TIMER)"},
        {"clock 24:00", R"(clock: \"24:00\" is not a time of day HH:MM (00:00..23:59))"},
        {"clock 1230", R"(clock: \"1230\" is not a time of day HH:MM (00:00..23:59))"},
        {"state now", R"(state: unexpected \"now\" (usage: state))"},
    };
    int line = 0;
    for (const auto& [text, what] : cases) {
        ++line;
        const std::string a = d.execute(text);
        EXPECT_EQ(a.rfind(R"({"error":"line )" + std::to_string(line) + ": " + what, 0), 0u)
            << text << " -> " << a;
        EXPECT_EQ(a.back(), '}');
    }
    EXPECT_TRUE(d.had_error());
    // None of the refused lines reached the game.
    EXPECT_EQ(d.execute("state"), HeadlessDriver(1).execute("state"));
}

TEST(HeadlessDriverTest, AWaitBeyondItsBoundIsABadLineAndTheClockStays) {
    HeadlessDriver d(1);
    d.execute("mode 1");  // the clock runs: an endless wait would step it for ever
    d.execute("wait 10");
    for (const char* wait : {"wait 10000000001", "wait 9223372036854775000"}) {
        EXPECT_NE(d.execute(wait).find("is outside 0..10000000000"), std::string::npos) << wait;
    }
    EXPECT_EQ(number_of(d.execute("state"), "t"), 10);
}

TEST(HeadlessDriverTest, AnAnswerThatCannotBeWrittenFailsTheRun) {
    struct Refusing : std::streambuf {
        int overflow(int) override { return traits_type::eof(); }
    } refusing;
    std::ostream out(&refusing);
    {
        std::istringstream in("wait 5\n");  // nothing to answer: nothing fails
        EXPECT_EQ(HeadlessDriver(1).run(in, out), 0);
    }
    std::istringstream in("wait 5\nstate\nstate\n");
    EXPECT_EQ(HeadlessDriver(1).run(in, out), HeadlessDriver::Exit_Output_Failed);
}

TEST(HeadlessDriverTest, RunCountsEveryLineStopsAtQuitAndSetsTheExitCode) {
    {
        HeadlessDriver d(1);
        std::istringstream in("# demo\r\n\r\nwait 5\r\nstate\r\nquit\r\nbogus\r\n");
        std::ostringstream out;
        EXPECT_EQ(d.run(in, out), 0);
        const std::string text = out.str();
        EXPECT_EQ(text.rfind(R"({"t":5,"mode":0,)", 0), 0u) << text;
        EXPECT_EQ(text.find('\n'), text.size() - 1);  // one answer, nothing after quit
    }
    {
        HeadlessDriver d(1);
        std::istringstream in("wait 5\n\n# two\nwiat 5\nwait 1\nsounds");
        std::ostringstream out;
        EXPECT_EQ(d.run(in, out), 1);
        EXPECT_EQ(out.str(),
                  "{\"error\":\"line 4: unknown command \\\"wiat\\\"\"}\n{\"sounds\":[]}\n");
    }
}

TEST(HeadlessDriverTest, ErrorTextQuotesAtMostEightyCharactersEscapedAndStaysValidJson) {
    const std::string long_word = std::string(79, 'x') + "\xC3\xA9" + std::string(300000, 'y');
    const std::vector<std::pair<std::string, std::string>> cases = {
        // A quote, a backslash, a control byte and a byte that is no UTF-8.
        {"a\"b\\\x01\xFF", R"(unknown command \"a\\\"b\\\\\\x01)"
                           "\xEF\xBF\xBD"
                           R"(\")"},
        // A NUL does not cut the answer short.
        {std::string("ab\0cd", 5), R"(unknown command \"ab\\x00cd\")"},
        // Eighty characters, the last of two bytes, then "..." for the rest.
        {long_word, R"(unknown command \")" + std::string(79, 'x') + "\xC3\xA9" + R"(\"...)"},
    };
    for (const auto& [line, what] : cases) {
        HeadlessDriver d(1);
        const std::string answer = d.execute(line);
        EXPECT_EQ(answer, R"({"error":"line 1: )" + what + R"("})") << line.substr(0, 20);
    }
}

TEST(HeadlessDriverTest, ScreenListsLitFiguresMarksAndPressedButtonsOnly) {
    HeadlessDriver d(1);
    d.execute("play");
    const std::string all_on = d.execute("screen");
    EXPECT_NE(all_on.find(R"("digits":"88880")"), std::string::npos);
    for (const char* name : {"\"im_fluffo_1_1\"", "\"im_egg_2_6_w\"", "\"im_wolf_3_4b\"",
                             "\"im_gate_3_7\"", "\"im_panel_lives_3\"", "\"im_panel_bell\""}) {
        EXPECT_NE(all_on.find(name), std::string::npos) << name;
    }
    for (const char* part : {"im_panel_number_", "im_panel_digit_pos_", "btn_ctrlr_overlay",
                             "im_background", "btn_time_down"}) {
        EXPECT_EQ(all_on.find(part), std::string::npos) << part;
    }
    // Entering the clock darkens everything but the colon, leaving the five digit positions
    // shown blank; the pressed TIME button shows.
    d.execute("press time");
    EXPECT_EQ(d.execute("screen"), R"({"lit":["btn_time_down","im_panel_time_colon"],)"
                                   R"("digits":"     "})");
    d.execute("clock 13:05");
    d.execute("wait 1");
    d.execute("release time");
    EXPECT_EQ(d.execute("screen"), R"({"lit":["im_panel_time_colon","im_panel_time_pm"],)"
                                   R"("digits":" 105 "})");
    // The clock runs on with virtual time: eleven hours later it is past midnight.
    d.execute("wait 39300000");
    EXPECT_EQ(d.execute("screen"), R"({"lit":["im_panel_time_colon"],"digits":"1200 "})");
}

TEST(HeadlessDriverTest, SetAndPlaceCommandsChangeOnlyTheirOwnState) {
    HeadlessDriver d(1);
    d.execute("set extra_life_at 2000");
    d.execute("set wolf_count 2");
    d.execute("fluffo 0 8 4");
    d.execute("wolf 2 5 7 8 11");
    d.execute("egg 2 3 2");  // row 3, column 2: the 12th digit
    d.execute("egg 0 0 1");  // a hidden cell is outside the reported board
    d.execute("arm Timer_Power_Pill 250");
    d.execute("arm Timer_Clock 0");
    const std::string s = d.execute("state");
    EXPECT_EQ(number_of(s, "extra_life_at"), 2000);
    EXPECT_EQ(number_of(s, "wolf_count"), 2);
    EXPECT_EQ(number_of(s, "score"), 0);
    EXPECT_NE(s.find(R"("fluffo":[0,8,4],"wolves":[[0,0,0,0],[5,7,8,11]])"), std::string::npos);
    EXPECT_NE(s.find(R"("eggs":"00000000000200000000000000000000000")"), std::string::npos);
    EXPECT_NE(s.find(R"("timers":{"Timer_Clock":0,"Timer_Power_Pill":250}})"), std::string::npos);
    d.execute("disarm Timer_Clock");
    EXPECT_NE(d.execute("state").find(R"("timers":{"Timer_Power_Pill":250})"), std::string::npos);
}

// The protocol's mode numbers: each one reaches its own mode and no other, and "state"
// reports it back as given; a number that names no mode is kept and does nothing.
TEST(HeadlessDriverTest, EachModeNumberReachesItsOwnModeAndIsReportedAsGiven) {
    const std::string nothing = R"("timers":{}}{"lit":[],"digits":"-----"})";
    const std::vector<std::pair<int64_t, std::string>> cases = {
        {0, R"("im_wolf_3_4b")"},  // every segment lit
        {1, R"("timers":{"Timer_Clock":1})"},
        {2, R"("timers":{"Timer_Alarm":500})"},
        {3, R"("im_egg_4_2_w","im_panel_game_a")"},
        {4, R"("im_egg_4_2_w","im_panel_game_b")"},
        {5, R"("power_length":43)"},
        {6, R"("power_length":29)"},
        {7, R"({"lit":["im_panel_game_over"])"},
        {8, nothing},
        {-3, nothing},
        {2147483647, nothing},
    };
    for (const auto& [number, sign] : cases) {
        HeadlessDriver d(1);
        d.execute("mode " + std::to_string(number));
        const std::string state = d.execute("state");
        const std::string seen = state + d.execute("screen");
        EXPECT_EQ(number_of(state, "mode"), number);
        for (const auto& [other, other_sign] : cases) {
            if (other_sign == sign) {
                EXPECT_NE(seen.find(sign), std::string::npos) << "mode " << number;
            } else {
                EXPECT_EQ(seen.find(other_sign), std::string::npos)
                    << "mode " << number << " looks like mode " << other;
            }
        }
    }
}

TEST(HeadlessDriverTest, GateCommandAppliesThePattern) {
    HeadlessDriver d(1);
    d.execute("gate 4");  // top, right and bottom shut
    const std::string screen = d.execute("screen");
    EXPECT_EQ(screen, R"({"lit":["im_gate_3_1","im_gate_3_7","im_gate_5_4"],"digits":"-----"})");
    EXPECT_EQ(number_of(d.execute("state"), "gate"), 4);
}

TEST(HeadlessDriverTest, AGameStartsThroughPlayTimeAndGameA) {
    HeadlessDriver d(1);
    const auto out = answers(d, {"play", "wait 1000", "press time", "release time", "state",
                                 "wait 500", "press game_a", "state", "wait 2900", "state",
                                 "wait 701", "state", "release game_a", "sounds", "sounds"});
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(number_of(out[0], "mode"), 1);  // the clock
    EXPECT_NE(out[0].find(R"("timers":{"Timer_Clock":1})"), std::string::npos);
    EXPECT_EQ(number_of(out[1], "mode"), 3);  // GAME A's intro
    EXPECT_EQ(number_of(out[1], "lives"), 3);
    EXPECT_NE(out[1].find(R"("game_a":true)"), std::string::npos);
    EXPECT_NE(out[1].find(R"("timers":{"Timer_Game_Start":2900})"), std::string::npos);
    EXPECT_EQ(number_of(out[2], "mode"), 5);  // GAME A
    EXPECT_EQ(number_of(out[2], "t"), 4400);
    EXPECT_NE(out[2].find(R"("timers":{"Timer_Stage_Start":1})"), std::string::npos);
    // Stage start: 1 ms, then 700 ms; the tick then runs at Game A's pace.
    EXPECT_EQ(number_of(out[3], "lives"), 2);
    EXPECT_NE(out[3].find(R"("fluffo":[3,5,0])"), std::string::npos);
    EXPECT_NE(out[3].find(R"("timers":{"Timer_Game":370})"), std::string::npos);
    EXPECT_EQ(out[4], R"({"sounds":[{"t":1500,"name":"Start"},{"t":4401,"name":"Stgstart"}]})");
    EXPECT_EQ(out[5], R"({"sounds":[]})");
}

TEST(HeadlessDriverTest, TheSameSeedPlaysTheSameGame) {
    const std::vector<std::string> game = {"play",         "press time",     "release time",
                                           "press game_b", "release game_b", "wait 20000",
                                           "state",        "screen"};
    HeadlessDriver a(7);
    HeadlessDriver reseeded(99);
    reseeded.execute("seed 7");
    HeadlessDriver other(8);
    const auto played = answers(a, game);
    EXPECT_EQ(answers(reseeded, game), played);
    EXPECT_NE(answers(other, game), played);  // the wolves roam by chance
}

// A game over with a raised high score writes it to the store; a refused write is shown
// as an error of the line that ran the timer, and the driver goes on.
TEST(HeadlessDriverTest, HighScoreReachesTheStoreAndARefusedWriteIsReported) {
    const std::vector<std::string> to_game_over = {
        "mode 5",     "disarm Timer_Stage_Start", "set score 120",
        "set step 2", "arm Timer_Game_Over 10",   "wait 10"};
    HeadlessDriver ok(1);
    answers(ok, to_game_over);
    EXPECT_EQ(ok.execute("store"), R"({"HiScore1":"120"})");
    EXPECT_EQ(number_of(ok.execute("state"), "mode"), 7);  // game over
    EXPECT_FALSE(ok.had_error());

    HeadlessDriver refused(1);
    refused.world().store.set_refuse_writes(true);
    const auto out = answers(refused, to_game_over);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], R"({"error":"line 6: Failed to set data for 'HiScore1'"})");
    EXPECT_EQ(refused.execute("store"), "{}");
    EXPECT_TRUE(refused.had_error());
    // The wait still ran to its end, the raised high score stays in memory and the refusal
    // did not hold up the game-over mark.
    EXPECT_EQ(number_of(refused.execute("state"), "t"), 10);
    EXPECT_EQ(number_of(refused.execute("state"), "hiscore_a"), 120);
    EXPECT_EQ(number_of(refused.execute("state"), "mode"), 7);
}

}  // namespace
}  // namespace fluffo

namespace fluffo {
namespace {

// A driver of a handheld it does not own (the web page's) plays the same game on it as a
// driver of its own, and leaves drawing to that handheld's window.
TEST(HeadlessDriverTest, DrivesAHandheldThatLivesElsewhere) {
    const std::vector<std::string> game = {"clock 10:10", "play",           "press game_b",
                                           "wait 150",    "release game_b", "wait 4000",
                                           "press left",  "wait 2000",      "state"};
    HeadlessDriver own(2017);
    SimWorld elsewhere(2017);
    HeadlessDriver driving(DriverTarget{elsewhere.handheld, elsewhere.scheduler, elsewhere.screen,
                                        elsewhere.clock, elsewhere.random,
                                        [&] { return elsewhere.sound.take(); },
                                        [&] { return elsewhere.store.values(); }});
    EXPECT_EQ(answers(driving, game), answers(own, game));
    EXPECT_EQ(elsewhere.scheduler.now(), 6150);
    EXPECT_EQ(answers(driving, {"sounds"}), answers(own, {"sounds"}));
    const auto refused = answers(driving, {"render /tmp/never.png"});
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_NE(refused[0].find("render: this handheld's frame is the one its window shows"),
              std::string::npos);
    EXPECT_THROW(driving.load_skin("/nowhere"), std::runtime_error);
}

}  // namespace
}  // namespace fluffo
