// The manual viewer's logic: the first opening and reopening, turning pages by keys and by the
// arrow buttons with the page tests at each key-down and key-up, the pressed look, a release
// away from the pressed button, a press that never gets its release, dragging the window by
// its page, and the button pictures of its creation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/skin_fakes.h"
#include "windows/manual_viewer_logic.h"

namespace fluffo {
namespace {

using test::solid_picture;

struct FakeWindow : ManualViewerView {
    int32_t place_left = 100;
    int32_t place_top = 200;
    std::vector<std::string> calls;
    int32_t left() const override { return place_left; }
    int32_t top() const override { return place_top; }
    void move_to(int32_t left, int32_t top) override {
        calls.push_back("move " + std::to_string(left) + "," + std::to_string(top));
        place_left = left;
        place_top = top;
    }
    bool system_moves = false;  // the window system takes a drag
    bool start_system_move() override {
        calls.push_back("system move");
        return system_moves;
    }
    void hide_window() override { calls.push_back("hide"); }
};

constexpr VirtualKey Esc = vk::Esc, Left = vk::Left, Right = vk::Right;
constexpr auto Left_Button = MouseButton::Left;

struct ManualViewerLogicTest : ::testing::Test {
    ManualScreen screen;
    FakeWindow window;
    test::FakeConfigFiles config;
    test::FakePictureFiles pictures;
    SkinSources sources{config, pictures, "/prog/", "/prog/"};
    ManualViewerLogic viewer{screen, window};

    ManualViewerLogicTest() {
        for (int n = 1; n <= 8; ++n)
            pictures.files["/prog/Graphics/Manual/" + std::to_string(n) + ".bmp"] =
                solid_picture(275, 415, 0xff000000u + static_cast<uint32_t>(n));
        for (const char* name : {"close", "left", "right"}) {
            for (const char* look : {"_up", "_down"})
                pictures.files[button(name) + look + ".bmp"] = solid_picture(16, 14, 0xffff0000u);
        }
    }
    static std::string button(const std::string& name) {
        return "/prog/Graphics/Window/manual_" + name;
    }
    void open() {
        viewer.FormCreate(sources);
        viewer.FormShow();
    }
    ScreenModel& model() { return screen.model(); }
    // The button pictures on show, pressed before released, in the order close, previous,
    // next: "CC -- RR" is the first page, "C- -- RR" the close button held down.
    std::string buttons() {
        const HolderId ids[] = {screen.btn_close_down, screen.btn_close_up,   screen.btn_left_down,
                                screen.btn_left_up,    screen.btn_right_down, screen.btn_right_up};
        std::string s;
        for (size_t i = 0; i < 6; ++i) {
            if (i == 2 || i == 4) s += ' ';
            s += model().at(ids[i]).visible ? "CLR"[i / 2] : '-';
        }
        return s;
    }
    // The page whose picture is on show, checked against the page number.
    int page() {
        const int n = viewer.Vid_Current_Page;
        const HolderId holder = screen.Vid_Pages[static_cast<size_t>(n)];
        const Holder& top = model().at(screen.im_page_top);
        return top.copied_from == holder && top.picture == model().at(holder).picture ? n : 0;
    }
    std::pair<int32_t, int32_t> centre(HolderId id) {
        const Rect& r = model().at(id).bounds;
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    void press(HolderId id) { viewer.mouse_down(centre(id).first, centre(id).second, Left_Button); }
    void release() { viewer.mouse_up(10, 300, Left_Button); }  // anywhere
    void click(HolderId id) {
        press(id);
        viewer.mouse_up(centre(id).first, centre(id).second, Left_Button);
    }
    void key(uint16_t code) {
        viewer.FormKeyDown(code);
        viewer.FormKeyUp(code);
    }
};

TEST_F(ManualViewerLogicTest, OpensOnTheFirstPageAndReopensOnThePageItClosedOn) {
    open();
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(buttons(), "CC -- RR");
    EXPECT_EQ(model().at(screen.btn_right_up).picture, pictures.files.at(button("right_up.bmp")));
    for (int i = 0; i < 4; ++i)
        key(Right);
    key(Esc);
    EXPECT_EQ(window.calls, std::vector<std::string>{"hide"});
    viewer.FormShow();
    EXPECT_EQ(page(), 5);
    EXPECT_EQ(buttons(), "CC LL RR");
}

TEST_F(ManualViewerLogicTest, KeysTurnOnTheirReleaseTestingThePageAtEachMoment) {
    open();
    for (int i = 0; i < 5; ++i)
        viewer.FormKeyDown(Right);  // held: the pressed look only
    EXPECT_EQ(buttons(), "CC -- R-");
    viewer.FormKeyUp(Right);
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(buttons(), "CC LL RR");
    key(Left);
    EXPECT_EQ(page(), 1);

    // On the first page Left does nothing at all, and other keys nothing anywhere.
    model().take_dirty();
    for (const uint16_t code : {Left, uint16_t{38}, uint16_t{40}, uint16_t{13}, uint16_t{65}})
        key(code);
    EXPECT_EQ(page(), 1);
    EXPECT_TRUE(model().dirty().empty());

    // Left's key-down on page 1 was ignored; its key-up on page 2 turns back.
    viewer.FormKeyDown(Left);
    click(screen.btn_right_up);
    viewer.FormKeyUp(Left);
    EXPECT_EQ(page(), 1);

    for (int i = 0; i < 6; ++i)
        key(Right);
    viewer.FormKeyDown(Right);
    EXPECT_EQ(buttons(), "CC LL R-");
    viewer.FormKeyUp(Right);
    EXPECT_EQ(page(), 8);
    EXPECT_EQ(buttons(), "CC LL --");
    model().take_dirty();
    key(Right);
    EXPECT_EQ(page(), 8);
    EXPECT_TRUE(model().dirty().empty());
}

TEST_F(ManualViewerLogicTest, ButtonsActOnTheReleaseWhereverThePointerIsThen) {
    open();
    press(screen.btn_right_up);
    EXPECT_EQ(buttons(), "CC -- R-");
    release();
    EXPECT_EQ(page(), 2);
    click(screen.btn_left_up);
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(buttons(), "CC -- RR");
    for (MouseButton other : {MouseButton::Right, MouseButton::Middle}) {
        viewer.mouse_down(centre(screen.btn_right_up).first, centre(screen.btn_right_up).second,
                          other);
        EXPECT_EQ(buttons(), "CC -- RR");
    }

    // The close button held, the pointer moved away: the release still closes, and the
    // button is seen released the next time.
    press(screen.btn_close_up);
    EXPECT_EQ(buttons(), "C- -- RR");
    viewer.mouse_move(10, 300, true);  // the button holds the press: no drag
    release();
    EXPECT_EQ(window.calls, std::vector<std::string>{"hide"});
    EXPECT_EQ(buttons(), "CC -- RR");

    // A pressed picture under a hidden released one takes nothing, the page beneath neither.
    viewer.FormKeyDown(Right);
    EXPECT_EQ(viewer.cursor_at(centre(screen.btn_right_up).first, 400), Cursor::Default);
    press(screen.btn_right_up);
    viewer.mouse_move(0, 0, true);
    release();
    EXPECT_EQ(page(), 1);
    viewer.FormKeyUp(Right);
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(viewer.cursor_at(centre(screen.btn_right_up).first, 400), Cursor::Hand);
    EXPECT_EQ(window.calls.size(), 1u);
}

TEST_F(ManualViewerLogicTest, APressThatNeverGetsItsReleaseEndsWithoutItsAction) {
    open();
    press(screen.btn_right_up);
    key(Esc);  // the window closes while the arrow is held
    EXPECT_EQ(buttons(), "CC -- RR");
    release();  // too late: no press
    EXPECT_EQ(page(), 1);

    // Keys turn to the last page while the next-page arrow is held: its release turns no
    // further, and a lost press does not bring back the hidden arrow.
    for (int i = 0; i < 6; ++i)
        key(Right);
    press(screen.btn_right_up);
    key(Right);
    release();
    EXPECT_EQ(page(), 8);
    key(Left);
    press(screen.btn_right_up);
    key(Right);
    viewer.mouse_capture_lost();
    EXPECT_EQ(buttons(), "CC LL --");

    // A new press ends the one whose release never came.
    press(screen.btn_left_up);
    viewer.mouse_down(100, 100, Left_Button);
    EXPECT_EQ(buttons(), "CC LL --");
    release();
    EXPECT_EQ(page(), 8);
}

TEST_F(ManualViewerLogicTest, ThePageDragsTheWindowTopFirstThenLeft) {
    open();
    viewer.mouse_down(50, 60, Left_Button);
    viewer.mouse_move(70, 45, true);
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"system move", "move 100,185", "move 120,185"}));
    viewer.mouse_move(60, 60, false);  // the button is up: no move
    viewer.mouse_up(60, 60, Left_Button);
    viewer.mouse_move(90, 90, true);  // no press
    viewer.mouse_down(5, 5, MouseButton::Right);
    viewer.mouse_move(30, 30, true);
    EXPECT_EQ(window.calls.size(), 3u);
    EXPECT_EQ(viewer.Inp_Page_Drag_X, 50);

    // The window system takes the drag: the page moves nothing itself.
    window.system_moves = true;
    window.calls.clear();
    viewer.mouse_down(50, 60, Left_Button);
    viewer.mouse_move(70, 45, true);
    viewer.mouse_up(70, 45, Left_Button);
    EXPECT_EQ(window.calls, std::vector<std::string>{"system move"});
}

TEST_F(ManualViewerLogicTest, CreationLeavesAMissingButtonEmptyAndTellsADamagedOneAfterTheRest) {
    pictures.files.erase(button("left_down.bmp"));
    pictures.files.erase(button("close_up.bmp"));
    pictures.damaged.insert(button("close_up.bmp"));
    EXPECT_THROW(viewer.FormCreate(sources), UndecodablePicture);
    EXPECT_FALSE(model().at(screen.btn_close_up).picture);
    EXPECT_FALSE(model().at(screen.btn_left_down).picture);
    EXPECT_TRUE(model().at(screen.btn_right_down).picture);
    EXPECT_TRUE(model().at(screen.Vid_Pages[8]).picture);
    // An empty button still takes the click.
    viewer.FormShow();
    click(screen.btn_close_up);
    EXPECT_EQ(window.calls, std::vector<std::string>{"hide"});
}

}  // namespace
}  // namespace fluffo
