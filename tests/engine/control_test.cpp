// The seven controls: each reaches the handheld's press and release of its own name, and the
// names and numbers the driver, the recorder and the stored bindings use lead back to it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/control.h"
#include "support/control_printer.h"
#include "support/engine_rig.h"

namespace fluffo {
namespace {

struct AppliedControls : HandheldObserver {
    std::vector<std::pair<Control, bool>> applied;
    void control_applied(Control control, bool pressed) override {
        applied.emplace_back(control, pressed);
    }
    void mode_entered(Mode) override {}
    void high_scores_reset() override {}
};

TEST(ApplyControl, EachControlPressesAndReleasesItsOwnEntryPoint) {
    testing::Rig r;
    r.set_mode(Mode::Time);
    AppliedControls seen;
    r.hh.set_observer(&seen);
    // The three buttons' latches show which entry point ran, as the observer tells which
    // control's it was.
    const auto latches = [&] {
        return std::string(r.st.Inp_Game_A_Held ? "A" : "") + (r.st.Inp_Game_B_Held ? "B" : "") +
               (r.st.Inp_Time_Held ? "T" : "");
    };
    const PerControl<std::string_view> latched = {{"A", "B", "T", "", "", "", ""}};
    for (Control c : All_Controls) {
        seen.applied.clear();
        apply_control(r.hh, c, true);
        EXPECT_EQ(latches(), latched[c]) << control_name(c);
        apply_control(r.hh, c, false);
        EXPECT_EQ(latches(), "") << control_name(c);
        const std::vector<std::pair<Control, bool>> expected = {{c, true}, {c, false}};
        EXPECT_EQ(seen.applied, expected) << control_name(c);
        r.set_mode(Mode::Time);  // a button's press may have left the clock
    }
}

TEST(ControlNames, NamesAndNumbersLeadBackToTheirControlAndNothingElseDoes) {
    std::set<std::string_view> names;
    for (Control c : All_Controls) {
        EXPECT_EQ(control_named(control_name(c)), c);
        EXPECT_EQ(control_numbered(control_number(c)), c);
        names.insert(control_name(c));
    }
    EXPECT_EQ(names.size(), Control_Count);
    EXPECT_EQ(control_number(Control::Game_A), 1);  // "Key1"
    EXPECT_EQ(control_number(Control::Down), 7);
    for (std::string_view name : {"", "GAME_A", "game_a ", "gamea", "fire"})
        EXPECT_FALSE(control_named(name)) << name;
    for (int n : {0, 8, -1})
        EXPECT_FALSE(control_numbered(n)) << n;
}

}  // namespace
}  // namespace fluffo
