// The whole program with SDL's virtual pads plugged into it: the pad library, the pump in the
// event loop and the routing to the handheld and the manual, as a player's pad goes. One
// scenario, one row per step: a pad plugged in, pressed, held, used with a key, its stick
// walking Fluffo, pulled out mid-press; two pads at once; the manual turned and closed.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>

#include "app/qt/process/program.h"
#include "app/qt/store/qsettings_store.h"
#include "app/sdl/sdl_gamepads.h"
#include "support/fake_audio_backend.h"
#include "support/shell_recorder.h"

namespace fluffo {
namespace {

// SDL's virtual pad lays out its buttons and axes in the game controller's own order.
enum VirtualButton : int { V_South = 0, V_East = 1, V_West = 2, V_North = 3, V_Start = 6 };

class VirtualPad {
public:
    VirtualPad() {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6,
                                                    SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1, 0);
        if (index >= 0) m_id = SDL_JoystickGetDeviceInstanceID(index);
    }
    ~VirtualPad() { unplug(); }
    bool plugged() const { return m_id >= 0; }
    void button(int b, bool down) {
        if (SDL_Joystick* j = SDL_JoystickFromInstanceID(m_id))
            SDL_JoystickSetVirtualButton(j, b, down ? 1 : 0);
    }
    void stick(int16_t x, int16_t y) {
        if (SDL_Joystick* j = SDL_JoystickFromInstanceID(m_id)) {
            SDL_JoystickSetVirtualAxis(j, SDL_CONTROLLER_AXIS_LEFTX, x);
            SDL_JoystickSetVirtualAxis(j, SDL_CONTROLLER_AXIS_LEFTY, y);
        }
    }
    void unplug() {
        for (int i = 0; m_id >= 0 && i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == m_id) SDL_JoystickDetachVirtual(i);
        }
        m_id = -1;
    }

private:
    SDL_JoystickID m_id = -1;
};

struct GamepadProgramTest : ::testing::Test {
    QTemporaryDir folder;
    QTemporaryDir device_folder;  // stands for /dev/input
    std::unique_ptr<QSettingsStore> store;
    ShellRecorder shell;
    FakeBackend audio;
    std::chrono::nanoseconds pump_time{0};
    std::unique_ptr<SdlGamepads> pads;
    std::unique_ptr<Program> program;

    void SetUp() override {
        store = std::make_unique<QSettingsStore>(folder.filePath("FluffoB50.ini"),
                                                 QSettings::IniFormat);
        store->write_text("SoundMode", "2");
        store->write_text("SplashScreen", "0");
        store->write_text("FullscreenMode", "0");
        pads = std::make_unique<SdlGamepads>(device_folder.path().toStdString());
        program = std::make_unique<Program>(
            ProgramPorts{shell, *store, audio, FLUFFO_RUN_DIR_PATH, "", {}, pads.get(), [this] {
                             return pump_time;
                         }});
        program->start();
        QCoreApplication::processEvents();
        // The first look waits for the event loop to have run a while; here it is taken now.
        EXPECT_FALSE(pads->started());
        pump();
        if (!pads->started()) GTEST_SKIP() << "SDL's pads cannot start here";
    }
    void TearDown() override {
        program.reset();
        pads.reset();
    }
    MainWindowLogic& form() { return program->main_logic(); }
    const GameState& state() { return form().handheld().state; }
    // What the poll timer does every few milliseconds while a virtual pad is plugged in.
    void pump() { program->pads()->pump(-1); }
    void wait(int ms) {
        pump_time += std::chrono::milliseconds(ms);
        program->main_window().enter([] {});
    }
    void key(Control control, bool down) {
        const auto k = Qt::Key(form().keys().Inp_Key_Bindings[control].virtual_key);
        down ? QTest::keyPress(&program->main_window(), k)
             : QTest::keyRelease(&program->main_window(), k);
    }
    bool lit(const char* holder) {
        const ScreenModel& m = form().screen().model();
        return m.at(m.require(holder)).visible;
    }
};

TEST_F(GamepadProgramTest, APlayersPadFromPlugToUnplug) {
    ASSERT_TRUE(program->main_window().isVisible());
    // Nothing plugged in: the device folder is waited on, nothing is polled.
    EXPECT_EQ(program->pads()->watched(), 1u);
    EXPECT_FALSE(program->pads()->polling());

    std::optional<VirtualPad> pad, second;
    Dir walked = Dir::None;
    int32_t col = 0, row = 0;
    using P = std::function<void()>;
    struct Row {
        const char* what;
        P act;
        const char* held;  // the held controls, as letters of "ABTULRD"
        std::optional<Mode> mode;
    };
    const std::vector<Row> rows = {
        {"plugged in: taken at the next pump",
         [&] {
             pad.emplace();
             ASSERT_TRUE(pad->plugged());
             pump();
             EXPECT_EQ(pads->pad_count(), 1u);
             EXPECT_TRUE(program->pads()->polling());  // a virtual pad has no device
         },
         "", Mode::All_On},
        {"the stick inside the dead zone", [&] { pad->stick(12000, -9000), pump(); }, "",
         Mode::All_On},
        {"the stick left: a direction leads to the clock",
         [&] { pad->stick(-20000, 15000), pump(); }, "L", Mode::Time},
        {"towards the diagonal, left holds on", [&] { pad->stick(-17000, 21000), pump(); }, "L",
         std::nullopt},
        {"down leads by the margin", [&] { pad->stick(-9000, 22000), pump(); }, "D", std::nullopt},
        {"back at the centre", [&] { pad->stick(0, 0), pump(); }, "", std::nullopt},
        {"South, found by the poll timer on its own: GAME A",
         [&] {
             pad->button(V_South, true);
             EXPECT_TRUE(QTest::qWaitFor([&] { return state().Inp_Game_A_Held; }, 2000));
         },
         "A", Mode::Game_A_Intro},
        {"held: nothing more", [&] { pump(), wait(100); }, "A", Mode::Game_A_Intro},
        {"the key for GAME A as well", [&] { key(Control::Game_A, true); }, "A", std::nullopt},
        {"South let go: the key holds on", [&] { pad->button(V_South, false), pump(); }, "A",
         std::nullopt},
        {"the key let go", [&] { key(Control::Game_A, false); }, "", std::nullopt},
        {"the game starts", [&] { wait(2900 + 700 + 10); }, "", Mode::Game_A},
        {"the stick towards an open way",
         [&] {
             const Gam_Cell& cell = state().cell(state().Gam_Fluffo_Col, state().Gam_Fluffo_Row);
             col = state().Gam_Fluffo_Col, row = state().Gam_Fluffo_Row;
             for (Dir d : {Dir::Left, Dir::Right, Dir::Up, Dir::Down}) {
                 if (has(cell.Fluffo_Dirs, d)) walked = d;
             }
             const int16_t x = walked == Dir::Left ? -30000 : walked == Dir::Right ? 30000 : 0;
             const int16_t y = walked == Dir::Up ? -30000 : walked == Dir::Down ? 30000 : 0;
             pad->stick(x, y), pump();
             EXPECT_EQ(state().Gam_Fluffo_Dir, walked);
         },
         nullptr, Mode::Game_A},
        {"the stick walks Fluffo",
         [&] {
             wait(370 * 2 + 10);
             EXPECT_NE(std::make_pair(state().Gam_Fluffo_Col, state().Gam_Fluffo_Row),
                       std::make_pair(col, row));
             pad->stick(0, 0), pump();
         },
         "", Mode::Game_A},
        {"East and West held",
         [&] { pad->button(V_East, true), pad->button(V_West, true), pump(); }, "BT", Mode::Game_A},
        {"pulled out mid-hold: nothing stays held",
         [&] {
             pad->unplug();
             pump();
             EXPECT_EQ(pads->pad_count(), 0u);
             EXPECT_FALSE(program->pads()->polling());
         },
         "", Mode::Game_A},
        {"two pads: one lets go, the other holds on",
         [&] {
             pad.emplace(), second.emplace(), pump();
             EXPECT_EQ(pads->pad_count(), 2u);
             pad->button(V_North, true), second->button(V_West, true), pump();
             pad->button(V_North, false), pump();
         },
         "T", Mode::Game_A},
        {"the other pulled out", [&] { second->unplug(), pump(); }, "", Mode::Game_A},
        {"Start in windowed mode does nothing",
         [&] {
             pad->button(V_Start, true), pump();
             EXPECT_TRUE(form().game_menu().rows().empty());
         },
         "", Mode::Game_A},
    };
    const std::string letters = "ABTULRD";
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        r.act();
        if (r.mode) {
            EXPECT_EQ(state().Gam_Mode, *r.mode);
        }
        if (!r.held) continue;
        const std::string held = r.held;
        for (Control c : All_Controls) {
            const char letter = letters[static_cast<size_t>(control_number(c) - 1)];
            EXPECT_EQ(form().holds().held(c), held.find(letter) != std::string::npos) << letter;
        }
        EXPECT_EQ(state().Inp_Game_A_Held, held.find('A') != std::string::npos);
        EXPECT_EQ(state().Inp_Game_B_Held, held.find('B') != std::string::npos);
        EXPECT_EQ(lit("btn_game_a_down"), held.find('A') != std::string::npos);
        EXPECT_EQ(lit("btn_game_b_down"), held.find('B') != std::string::npos);
        EXPECT_EQ(lit("btn_time_down"), held.find('T') != std::string::npos);
    }
}

TEST_F(GamepadProgramTest, TheManualTakesThePadWhileItIsTheActiveWindow) {
    VirtualPad pad;
    pump();
    program->main_window().enter([&] { form().pm_4_manualClick(); });
    TManualForm& manual = program->manual();
    if (!QTest::qWaitForWindowActive(&manual)) GTEST_SKIP() << "no window activation here";
    const auto press = [&](int b) {
        pad.button(b, true), pump();
        pad.button(b, false), pump();
    };
    press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(manual.logic().Vid_Current_Page, 2);
    EXPECT_EQ(state().Gam_Mode, Mode::All_On);  // the handheld saw none of it
    press(V_East);
    EXPECT_FALSE(manual.isVisible());
    EXPECT_FALSE(state().Inp_Game_B_Held);
}

TEST_F(GamepadProgramTest, AChangeInTheDeviceFolderIsWaitedOnThenPolledAWhile) {
    EXPECT_FALSE(program->pads()->polling());
    QFile node(device_folder.filePath("event99"));
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return program->pads()->polling(); }, 2000));
}

}  // namespace
}  // namespace fluffo
