// The key settings window on the offscreen platform: its layout and texts, keys chosen twice
// marked through the boxes, Accept and Enter storing the keys, Esc and the close request
// giving the main window back with nothing stored, a refused write, focus and arrow keys.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/qt/widgets/TKeysForm.h"
#include "display/main_screen.h"
#include "support/control_printer.h"
#include "support/shell_recorder.h"

namespace fluffo {
namespace {

struct TKeysFormTest : ::testing::Test {
    MainScreen screen;
    MemoryStore store;
    KeyBindings keys;
    ShellRecorder shell;
    QWidget main_window;  // stands in for the handheld's window
    std::unique_ptr<TKeysForm> form;

    TKeysFormTest() {
        keys.load(store, screen.model());
        main_window.resize(200, 200);
        main_window.show();
        form = std::make_unique<TKeysForm>(KeysFormPorts{keys, store, screen.model(), shell,
                                                         [this] {
                                                             main_window.setEnabled(true);
                                                             main_window.activateWindow();
                                                         },
                                                         &main_window});
    }
    // As the menu command opens it.
    void open() {
        form->bring_up();
        main_window.setEnabled(false);
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    template <typename W = QLabel>
    W* child(const QString& name) {
        W* widget = form->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    // The widgets are named by the control's number: cb_1 and la_1 for Game A.
    QComboBox* box(Control c) {
        return child<QComboBox>(QStringLiteral("cb_%1").arg(control_number(c)));
    }
    QLabel* label(Control c) { return child(QStringLiteral("la_%1").arg(control_number(c))); }
    QPushButton* accept_button() { return child<QPushButton>("btn_accept"); }
    // The controls whose labels are painted red; every other one must be white.
    std::vector<Control> red() {
        std::vector<Control> marked;
        for (Control c : All_Controls) {
            const QColor ink = label(c)->palette().color(QPalette::WindowText);
            if (ink == QColor(255, 0, 0))
                marked.push_back(c);
            else
                EXPECT_EQ(ink, QColor(255, 255, 255)) << control_name(c);
        }
        return marked;
    }
    std::string stored(Control c) {
        return store.values().at("Key" + std::to_string(control_number(c))).text;
    }
    std::string hint(const char* holder) {
        return screen.model().at(screen.model().require(holder)).hint;
    }
};

constexpr int Item_1 = 1;
constexpr int Item_2 = 2;
constexpr int Item_3 = 3;
constexpr int Item_Spacebar = 43;

TEST_F(TKeysFormTest, TheWindowItsColumnsAndItsBoxesAreLaidOutAsDesigned) {
    EXPECT_EQ(form->windowTitle(), "Key settings");
    EXPECT_EQ(form->minimumSize(), QSize(448, 195));
    EXPECT_EQ(form->maximumSize(), QSize(448, 195));
    EXPECT_EQ(form->parentWidget(), nullptr);
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint));
    EXPECT_EQ(QColor(form->grab().toImage().pixel(2, 190)), QColor(8, 41, 82));

    const QLabel* left_heading = child("la_main_operations");
    const QLabel* right_heading = child("la_game_controls");
    EXPECT_EQ(left_heading->text(), "Main operations");
    EXPECT_EQ(right_heading->text(), "Game controls");
    EXPECT_LT(left_heading->geometry().right(), right_heading->geometry().left());
    for (const QLabel* heading : {left_heading, right_heading})
        EXPECT_TRUE(heading->font().bold() && heading->font().underline());

    // Left: box then label; right: right-aligned label then box; rows 32 apart.
    const std::vector<QString> texts = {"Game A", "Game B", "Time", "Up", "Left", "Right", "Down"};
    for (Control c : All_Controls) {
        const int n = control_number(c);
        const QLabel* label = this->label(c);
        const QComboBox* choice = box(c);
        const bool left_column = n <= control_number(Control::Time);
        const int row = left_column ? n - 1 : n - control_number(Control::Up);
        EXPECT_EQ(label->text(), texts[size_t(n - 1)]);
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(bool(label->alignment() & Qt::AlignRight), !left_column) << n;
        EXPECT_EQ(choice->y() - box(left_column ? Control::Game_A : Control::Up)->y(), 32 * row)
            << n;
        EXPECT_EQ(label->geometry().center().y(), choice->geometry().center().y()) << n;
        if (left_column)
            EXPECT_LT(choice->geometry().right(), label->x()) << n;
        else
            EXPECT_LT(label->geometry().right(), choice->x()) << n;
        EXPECT_LT(choice->geometry().right(), 448);
        // Nothing a player reads is cut off.
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());

        EXPECT_FALSE(choice->isEditable());
        ASSERT_EQ(choice->count(), Key_List_Count);
        for (int i = 0; i < Key_List_Count; ++i)
            ASSERT_EQ(choice->itemText(i).toStdString(), Selectable_Keys[size_t(i)].item_text);
    }

    const QPushButton* accept = accept_button();
    EXPECT_EQ(accept->text(), "- ACCEPT -");
    EXPECT_EQ(accept->x() + accept->width() / 2, 448 / 2);  // centred
    EXPECT_GT(accept->y(), box(Control::Down)->geometry().bottom());
    EXPECT_LE(accept->geometry().bottom(), 195);

    std::vector<QString> tab_order;
    for (QWidget* w = form->nextInFocusChain(); w != form.get(); w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus) tab_order.push_back(w->objectName());
    }
    EXPECT_EQ(tab_order, (std::vector<QString>{"cb_1", "cb_2", "cb_3", "cb_4", "cb_5", "cb_6",
                                               "cb_7", "btn_accept"}));
}

TEST_F(TKeysFormTest, KeysChosenTwiceTurnTheirLabelsRedAndAcceptOffUntilChangedBack) {
    EXPECT_EQ(box(Control::Up)->currentText(), "<UP ARROW>");
    EXPECT_TRUE(red().empty());
    EXPECT_TRUE(accept_button()->isEnabled());

    box(Control::Time)->setCurrentIndex(Item_1);  // "1", as Game A has
    EXPECT_EQ(red(), (std::vector<Control>{Control::Game_A, Control::Time}));
    EXPECT_FALSE(accept_button()->isEnabled());
    box(Control::Game_B)->setCurrentIndex(Item_1);
    EXPECT_EQ(red(), (std::vector<Control>{Control::Game_A, Control::Game_B, Control::Time}));

    box(Control::Game_B)->setCurrentIndex(Item_2);
    box(Control::Time)->setCurrentIndex(Item_3);
    EXPECT_TRUE(red().empty());
    EXPECT_TRUE(accept_button()->isEnabled());
}

TEST_F(TKeysFormTest, AcceptWithTimeOnTheSpacebarStoresItAndRenamesTheHint) {
    open();
    box(Control::Time)->setCurrentIndex(Item_Spacebar);
    QTest::mouseClick(accept_button(), Qt::LeftButton);
    EXPECT_EQ(stored(Control::Time), "44");
    EXPECT_EQ(stored(Control::Game_A), "2");
    EXPECT_EQ(hint("btn_time_top"), "click or press 'spacebar' to switch mode");
    EXPECT_EQ(keys.binding_for_key(32), Control::Time);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main_window.isEnabled());
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(TKeysFormTest, EscKeepsTheUnacceptedChoicesForTheNextOpeningAndStoresNothing) {
    open();
    box(Control::Time)->setCurrentIndex(Item_1);
    store.set_refuse_writes(true);  // a write attempt would show in the error box
    QTest::keyClick(box(Control::Time), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main_window.isEnabled());
    EXPECT_EQ(keys.binding_for_key('3'), Control::Time);
    EXPECT_EQ(hint("btn_time_top"), "click or press '3' to switch mode");
    EXPECT_TRUE(shell.errors.empty());

    open();
    EXPECT_EQ(box(Control::Time)->currentText(), "1");
    EXPECT_EQ(red(), (std::vector<Control>{Control::Game_A, Control::Time}));
    EXPECT_FALSE(accept_button()->isEnabled());
}

TEST_F(TKeysFormTest, EnterDoesNothingWhileAcceptIsOffAndAcceptsOnceTheKeysDiffer) {
    open();
    box(Control::Left)->setCurrentIndex(box(Control::Right)->currentIndex());
    QTest::keyClick(box(Control::Left), Qt::Key_Return);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(main_window.isEnabled());
    EXPECT_EQ(stored(Control::Left), "39");

    box(Control::Left)->setCurrentIndex(25);  // P
    QTest::keyClick(box(Control::Left), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main_window.isEnabled());
    EXPECT_EQ(stored(Control::Left), "26");
}

TEST_F(TKeysFormTest, ARefusedWriteIsToldAndTheWindowStaysOpenUntilAcceptSucceeds) {
    open();
    box(Control::Time)->setCurrentIndex(Item_Spacebar);
    store.set_refuse_writes(true);
    QTest::mouseClick(accept_button(), Qt::LeftButton);
    EXPECT_EQ(shell.errors, std::vector<std::string>{"Failed to set data for 'Key1'"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(main_window.isEnabled());
    EXPECT_EQ(stored(Control::Time), "4");

    store.set_refuse_writes(false);
    QTest::keyClick(box(Control::Game_A), Qt::Key_Return);
    EXPECT_EQ(shell.errors.size(), 1u);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main_window.isEnabled());
    EXPECT_EQ(stored(Control::Time), "44");
}

TEST_F(TKeysFormTest, OverTheDisabledMainWindowTheBoxesTakeTheFocusAndTheArrowKeys) {
    open();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(form->windowHandle()->transientParent(), main_window.windowHandle());
    EXPECT_EQ(QApplication::focusWidget(), box(Control::Game_A));
    // Each activation gives the first box the keys, wherever the focus was left.
    box(Control::Down)->setFocus();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), box(Control::Game_A));

    QTest::keyClick(box(Control::Game_A), Qt::Key_Down);  // "1" becomes "2", Game B's key
    EXPECT_EQ(box(Control::Game_A)->currentText(), "2");
    EXPECT_EQ(red(), (std::vector<Control>{Control::Game_A, Control::Game_B}));
    EXPECT_FALSE(accept_button()->isEnabled());
    QTest::keyClick(box(Control::Game_A), Qt::Key_Up);
    EXPECT_TRUE(red().empty());
    EXPECT_TRUE(accept_button()->isEnabled());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TKeysFormTest, AnOpenListKeepsEnterAndEscToItself) {
    open();
    QComboBox* time = box(Control::Time);
    time->showPopup();
    QAbstractItemView* list = time->view();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);  // chooses "4"; no Accept
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(time->currentText(), "4");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(stored(Control::Time), "4");
    time->showPopup();
    QTest::keyClick(list, Qt::Key_Escape);  // closes the list only
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(main_window.isEnabled());
}

TEST_F(TKeysFormTest, ACloseRequestFromTheSystemIsEsc) {
    open();
    box(Control::Up)->setCurrentIndex(Item_Spacebar);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main_window.isEnabled());
    EXPECT_EQ(keys.binding_for_key(38), Control::Up);
    EXPECT_EQ(box(Control::Up)->currentIndex(), Item_Spacebar);
}

}  // namespace
}  // namespace fluffo
