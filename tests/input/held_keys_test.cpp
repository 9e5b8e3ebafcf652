// The keys held down, as the window system's strokes reach the program: what each window is
// given of a held key, with repeats sent as presses alone or as release and press pairs, a
// key whose window closes while it is held, and a release that went to another program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/held_keys.h"

namespace fluffo {
namespace {

// Two windows; the strings name what each is given.
const int Window_A = 0;
const int Window_B = 1;
const KeyWindow A = &Window_A;
const KeyWindow B = &Window_B;

struct Stroke {
    char kind;  // 'P' press, 'R' release, 'r' release the toolkit marked as a repeat
    uint32_t key;
    uint64_t time_ms;
    KeyWindow window;
};

// What the windows are given for a stream of strokes, "A:press 36" and so on; "wait" where a
// release is kept, and the released keys settled at the end.
std::vector<std::string> run(bool releases_may_pair, const std::vector<Stroke>& strokes) {
    HeldKeys keys(releases_may_pair);
    std::vector<std::string> given;
    const auto name = [](KeyWindow w) { return std::string(w == A ? "A" : "B"); };
    for (const Stroke& s : strokes) {
        const KeyOutcome out =
            keys.take(KeyStroke{s.kind == 'P', s.key, s.time_ms, s.kind == 'r', s.window});
        const std::string key = " " + std::to_string(s.key);
        if (out.waited_release_to) given.push_back(name(*out.waited_release_to) + ":release");
        switch (out.verdict) {
            case KeyVerdict::Press:
                given.push_back(name(out.to) + ":press" + key);
                break;
            case KeyVerdict::Repeat:
                given.push_back(name(out.to) + ":repeat" + key);
                break;
            case KeyVerdict::Release:
                given.push_back(name(out.to) + ":release" + key);
                break;
            case KeyVerdict::Wait:
                given.push_back("wait");
                break;
            case KeyVerdict::Drop:
                break;
        }
    }
    if (const auto to = keys.settle()) given.push_back(name(*to) + ":release (settled)");
    return given;
}

using Given = std::vector<std::string>;

TEST(HeldKeys, AHeldKeyIsOnePressRepeatsAndOneReleaseWhateverTheServerSends) {
    // Detectable auto-repeat: the repeats are presses alone.
    EXPECT_EQ(
        run(false, {{'P', 12, 100, A}, {'P', 12, 760, A}, {'P', 12, 800, A}, {'R', 12, 830, A}}),
        (Given{"A:press 12", "A:repeat 12", "A:repeat 12", "A:release 12"}));
    // Pairs the toolkit marked: the marked releases are nothing.
    EXPECT_EQ(
        run(true, {{'P', 12, 100, A}, {'r', 12, 760, A}, {'P', 12, 760, A}, {'R', 12, 830, A}}),
        (Given{"A:press 12", "A:repeat 12", "wait", "A:release (settled)"}));
    // Pairs it did not mark: a release waits for the press of its time, which makes a repeat;
    // a press of another time, or another key, settles it as the release first.
    EXPECT_EQ(run(true, {{'P', 12, 100, A},
                         {'R', 12, 760, A},
                         {'P', 12, 760, A},
                         {'R', 12, 790, A},
                         {'P', 12, 900, A},
                         {'R', 12, 950, A},
                         {'P', 30, 950, A}}),
              (Given{"A:press 12", "wait", "A:repeat 12", "wait", "A:release", "A:press 12", "wait",
                     "A:release", "A:press 30"}));
    // Two keys held at once keep apart.
    EXPECT_EQ(run(false, {{'P', 50, 1, A},
                          {'P', 12, 2, A},
                          {'P', 12, 700, A},
                          {'R', 50, 710, A},
                          {'R', 12, 720, A}}),
              (Given{"A:press 50", "A:press 12", "A:repeat 12", "A:release 50", "A:release 12"}));
}

TEST(HeldKeys, AKeyHeldWhileItsWindowClosesDoesNothingInTheNext) {
    for (const bool paired : {false, true}) {
        // Esc closes A on its press; B has the keyboard for the repeats and the release, which
        // go back to A.
        const std::vector<Stroke> strokes =
            paired ? std::vector<Stroke>{{'P', 9, 100, A}, {'R', 9, 760, B}, {'P', 9, 760, B},
                                         {'r', 9, 800, B}, {'P', 9, 800, B}, {'R', 9, 2100, B}}
                   : std::vector<Stroke>{
                         {'P', 9, 100, A}, {'P', 9, 760, B}, {'P', 9, 800, B}, {'R', 9, 2100, B}};
        const Given released_in_a = paired
                                        ? Given{"A:press 9", "wait", "wait", "A:release (settled)"}
                                        : Given{"A:press 9", "A:release 9"};
        EXPECT_EQ(run(paired, strokes), released_in_a) << paired;
    }
    // Once released, the key is B's like any other; a key A never saw released in B is B's.
    EXPECT_EQ(run(false, {{'P', 9, 100, A},
                          {'R', 9, 900, B},
                          {'P', 9, 1000, B},
                          {'R', 9, 1100, B},
                          {'R', 50, 1200, B}}),
              (Given{"A:press 9", "A:release 9", "B:press 9", "B:release 9", "B:release 50"}));
}

TEST(HeldKeys, AKeyReleasedInAnotherProgramIsForgottenOnceItIsUp) {
    HeldKeys keys(false);
    keys.take(KeyStroke{true, 12, 100, false, A});
    keys.take(KeyStroke{true, 50, 110, false, A});
    // The program lost the keyboard; 12 came up elsewhere, 50 is still held.
    keys.forget_released([](uint32_t key) { return key == 50; });
    EXPECT_FALSE(keys.is_held(12));
    EXPECT_TRUE(keys.is_held(50));
    EXPECT_EQ(keys.take(KeyStroke{true, 12, 5000, false, B}).verdict, KeyVerdict::Press);
    EXPECT_EQ(keys.take(KeyStroke{true, 50, 5000, false, B}).verdict, KeyVerdict::Drop);
}

}  // namespace
}  // namespace fluffo
