// Key events as the toolkit delivers them, translated to the key codes the bindings use, and
// the modifiers held with them.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <vector>

#include "app/qt/keyboard/key_translation.h"
#include "input/key_bindings.h"
#include "windows/popup_menu.h"

namespace fluffo {
namespace {

QKeyEvent press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, quint32 scan = 0,
                quint32 native_vk = 0, const QString& text = {}) {
    return QKeyEvent(QEvent::KeyPress, key, mods, scan, native_vk, 0, text);
}

uint16_t x11(const QKeyEvent& e) {
    return virtual_key_of(e, NativeKeyCodes::X11);
}

TEST(KeyTranslation, DigitsLettersAndFunctionKeysTakeTheirCodesInEitherCase) {
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(x11(press(Qt::Key_0 + d)), 48 + d);
    for (int l = 0; l < 26; ++l)
        EXPECT_EQ(x11(press(Qt::Key_A + l)), 65 + l);
    // Qt names a letter by its capital whatever the case; the text says which was typed.
    EXPECT_EQ(x11(press(Qt::Key_Q, Qt::NoModifier, 24, 'q', "q")), 'Q');
    EXPECT_EQ(x11(press(Qt::Key_Q, Qt::ShiftModifier, 24, 'Q', "Q")), 'Q');
    EXPECT_EQ(x11(press(Qt::Key_F1)), 112);
    EXPECT_EQ(x11(press(Qt::Key_F4)), 115);
    EXPECT_EQ(x11(press(Qt::Key_F12)), 123);
    EXPECT_EQ(x11(press(Qt::Key_F24)), 135);
}

// Every key a player may bind and every menu shortcut goes to a Qt key and back to itself;
// codes of no key the program knows have no Qt key.
TEST(KeyTranslation, EveryKnownCodeHasAQtKeyThatGivesItBack) {
    std::vector<VirtualKey> codes;
    for (const SelectableKey& k : Selectable_Keys)
        codes.push_back(k.virtual_key);
    for (const PopupEntry& e : Popup_Entries) {
        if (e.shortcut != vk::None) codes.push_back(e.shortcut);
    }
    for (const VirtualKey code : codes) {
        const int qt_key = qt_key_of(code);
        ASSERT_NE(qt_key, 0) << code;
        EXPECT_EQ(x11(press(qt_key)), code) << code;
    }
    EXPECT_EQ(QKeySequence(qt_key_of(vk::function_key(12))).toString(), "F12");
    for (const VirtualKey none : {VirtualKey{0}, VirtualKey{111}, VirtualKey{136}, VirtualKey{255}})
        EXPECT_EQ(qt_key_of(none), 0) << none;
}

TEST(KeyTranslation, ArrowsModifiersSpaceEnterAndEsc) {
    EXPECT_EQ(x11(press(Qt::Key_Left)), 37);
    EXPECT_EQ(x11(press(Qt::Key_Up)), 38);
    EXPECT_EQ(x11(press(Qt::Key_Right)), 39);
    EXPECT_EQ(x11(press(Qt::Key_Down)), 40);
    EXPECT_EQ(x11(press(Qt::Key_Shift, Qt::ShiftModifier)), 16);
    EXPECT_EQ(x11(press(Qt::Key_Control, Qt::ControlModifier)), 17);
    EXPECT_EQ(x11(press(Qt::Key_Alt, Qt::AltModifier)), 18);
    EXPECT_EQ(x11(press(Qt::Key_AltGr, Qt::GroupSwitchModifier, 108)), 18);
    EXPECT_EQ(x11(press(Qt::Key_Space)), 32);
    EXPECT_EQ(x11(press(Qt::Key_Return)), 13);
    EXPECT_EQ(x11(press(Qt::Key_Enter, Qt::KeypadModifier, 104)), 13);
    EXPECT_EQ(x11(press(Qt::Key_Escape)), 27);
    // The keypad's arrows with Num Lock off are arrows; its digits are not the digit row.
    EXPECT_EQ(x11(press(Qt::Key_Left, Qt::KeypadModifier, 83)), 37);
    EXPECT_EQ(x11(press(Qt::Key_1, Qt::KeypadModifier, 87)), 97);
    EXPECT_EQ(x11(press(Qt::Key_0, Qt::KeypadModifier, 90)), 96);
}

TEST(KeyTranslation, AShiftedDigitIsStillTheDigitByItsPlaceOnTheKeyboard) {
    // X11 keycodes: the digit row 1..9, 0 is 10..19. XK_exclam is the keysym of "!".
    const QKeyEvent shift_1 = press(Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21, "!");
    EXPECT_EQ(x11(shift_1), '1');
    EXPECT_EQ(virtual_key_of(shift_1), '1');  // what this platform uses by itself
    EXPECT_EQ(x11(press(Qt::Key_ParenRight, Qt::ShiftModifier, 19, 0x29, ")")), '0');
    EXPECT_EQ(x11(press(Qt::Key_At, Qt::ShiftModifier, 11, 0x40, "@")), '2');
    // A layout whose digit row types symbols without Shift ("&" where "1" is).
    EXPECT_EQ(x11(press(Qt::Key_Ampersand, Qt::NoModifier, 10, 0x26, "&")), '1');
    // A letter of another alphabet is the letter at its place, as Windows numbers it.
    EXPECT_EQ(x11(press(0x0444 /* Cyrillic ef */, Qt::NoModifier, 38, 0x6c6, "ф")), 'A');
    EXPECT_EQ(x11(press(0x0439 /* Cyrillic short i */, Qt::NoModifier, 24, 0x6ca, "й")), 'Q');
    // The binding for "1" matches Shift+1.
    KeyBindings keys;
    keys.Inp_Key_Bindings[Control::Game_A] = {2, 0};
    AssignWord(Control::Game_A, keys.Inp_Key_Bindings);
    EXPECT_EQ(keys.binding_for_key(x11(shift_1)), Control::Game_A);
}

TEST(KeyTranslation, KeysOutsideTheListGiveZeroAndNativeCodesFollowThePlatform) {
    EXPECT_EQ(x11(press(Qt::Key_Exclam, Qt::ShiftModifier, 0, 0, "!")), 0);  // no place known
    EXPECT_EQ(x11(press(Qt::Key_Tab, Qt::NoModifier, 23)), 0);
    EXPECT_EQ(x11(press(Qt::Key_Minus, Qt::NoModifier, 20)), 0);  // beside the digit row
    EXPECT_EQ(x11(press(Qt::Key_unknown, Qt::NoModifier, 0)), 0);
    // Without a native scheme the shifted symbol cannot be placed.
    EXPECT_EQ(virtual_key_of(press(Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21, "!"),
                             NativeKeyCodes::Other),
              0);
    // On Windows the native virtual key already is the code, Shift or not.
    const auto win = [](const QKeyEvent& e) { return virtual_key_of(e, NativeKeyCodes::Windows); };
    EXPECT_EQ(win(press(Qt::Key_Exclam, Qt::ShiftModifier, 2, 0x31, "!")), '1');
    EXPECT_EQ(win(press(Qt::Key_Alt, Qt::AltModifier, 56, 18)), 18);
    EXPECT_EQ(win(press(Qt::Key_Space, Qt::NoModifier, 57, 0)), 32);  // synthesised: no native key
}

TEST(KeyTranslation, ModifiersHeldWithAKeyAreShiftCtrlAltAndTheSystemKeyOnly) {
    EXPECT_EQ(modifiers_of(press(Qt::Key_F12)), mod::None);
    EXPECT_EQ(modifiers_of(press(Qt::Key_5, Qt::KeypadModifier)), mod::None);
    EXPECT_EQ(modifiers_of(press(Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier)),
              mod::Shift | mod::Ctrl);
    EXPECT_EQ(modifiers_of(press(Qt::Key_Escape, Qt::AltModifier | Qt::MetaModifier)),
              mod::Alt | mod::Meta);
}

}  // namespace
}  // namespace fluffo
