// The about window: its picture and the seven rows where and how they are drawn, the links
// going to the shell and closing the window, Esc, a press that leaves its link, and the place
// kept between showings.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/qt/widgets/TAboutForm.h"
#include "support/shell_recorder.h"

namespace fluffo {
namespace {

struct TAboutFormTest : ::testing::Test {
    ShellRecorder shell;
    std::unique_ptr<TAboutForm> form =
        std::make_unique<TAboutForm>(shell, FLUFFO_RUN_DIR_PATH "/Graphics/Window/");

    QLabel* label(const QString& name) {
        auto* l = form->findChild<QLabel*>(name);
        EXPECT_NE(l, nullptr) << name.toStdString();
        return l;
    }
    void show() {
        form->bring_up();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
};

TEST_F(TAboutFormTest, PictureAndRowsSitAndReadAsDesigned) {
    EXPECT_EQ(form->windowTitle(), "About the author...");
    EXPECT_EQ(form->size(), QSize(397, 176));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(8, 41, 82));
    const QLabel* picture = label("im_picture");
    EXPECT_EQ(picture->geometry(), QRect(8, 8, 116, 160));
    EXPECT_EQ(picture->pixmap().size(), QSize(116, 160));

    const char* names[] = {"name", "birthplace", "birthdate", "job", "hobby", "website", "email"};
    const char* captions[] = {
        "Name:", "Birthplace:", "Birth date:", "Occupation:", "Hobby:", "Website:", "Email:"};
    int row = 0;
    for (const char* name : names) {
        const QString base = QStringLiteral("la_") + QLatin1String(name);
        const QLabel* caption = label(base + "_1");
        const QLabel* value = label(base + "_2");
        SCOPED_TRACE(name);
        EXPECT_EQ(caption->text(), captions[row]);
        EXPECT_FALSE(value->text().isEmpty());
        EXPECT_EQ(caption->y(), 8 + 24 * row);
        EXPECT_EQ(value->y(), caption->y());
        EXPECT_GT(caption->x(), picture->geometry().right());
        EXPECT_GE(value->x(), caption->geometry().right());
        EXPECT_LE(value->geometry().right(), form->width());
        // Every text fits its place, in the type it is drawn with.
        EXPECT_LE(value->fontMetrics().horizontalAdvance(value->text()), value->width());
        EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
        EXPECT_FALSE(caption->font().bold());
        EXPECT_TRUE(value->font().bold());
        EXPECT_EQ(value->font().italic(), row == 4);
        const bool link = row >= 5;
        EXPECT_EQ(value->font().underline(), link);
        EXPECT_EQ(value->palette().color(QPalette::WindowText),
                  link ? QColor(0xff, 0xe0, 0x40) : QColor(Qt::white));
        EXPECT_EQ(value->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
        if (link) {
            EXPECT_GT(value->font().pixelSize(), caption->font().pixelSize());
        }
        ++row;
    }
    EXPECT_EQ(label("la_website_2")->text(), "fluffo-brambo.example/sim/");
    EXPECT_EQ(label("la_email_2")->text(), "sim@fluffo-brambo.example");
}

TEST_F(TAboutFormTest, LinksOpenTheirAddressAndCloseTheWindow) {
    show();
    QTest::mouseClick(label("la_website_2"), Qt::LeftButton);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], "address https://fluffo-brambo.example/sim/");
    EXPECT_FALSE(form->isVisible());

    show();
    QTest::mouseClick(label("la_email_2"), Qt::LeftButton);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1], "address mailto:sim@fluffo-brambo.example");
    EXPECT_FALSE(form->isVisible());

    // Other rows, the right button, and a press released off its link do nothing.
    show();
    QTest::mouseClick(label("la_name_2"), Qt::LeftButton);
    QTest::mouseClick(label("la_website_2"), Qt::RightButton);
    QTest::mousePress(label("la_email_2"), Qt::LeftButton);
    QTest::mouseRelease(label("la_email_2"), Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(TAboutFormTest, EscClosesAndTheWindowComesBackWhereItWasLeft) {
    show();
    const QPoint centred = form->pos();
    // Centred, give or take the frame the window system adds once it is shown.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = form->frameGeometry();
    const QPoint off = frame.center() - screen.center();
    EXPECT_LE(std::abs(off.x()), (frame.width() - form->width()) / 2 + 1);
    EXPECT_LE(std::abs(off.y()), (frame.height() - form->height()) / 2 + 1);

    QTest::keyClick(form.get(), Qt::Key_A);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());

    // Moved while shown: the next showing keeps that place instead of centring again.
    show();
    EXPECT_EQ(form->pos(), centred);
    form->move(centred + QPoint(40, -30));
    // Asked for again while shown: it stays where it is.
    form->bring_up();
    EXPECT_EQ(form->pos(), centred + QPoint(40, -30));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    show();
    EXPECT_EQ(form->pos(), centred + QPoint(40, -30));
}

TEST_F(TAboutFormTest, AMissingPictureLeavesItsPlaceEmpty) {
    form = std::make_unique<TAboutForm>(shell, "/nonexistent/");
    EXPECT_TRUE(label("im_picture")->pixmap().isNull());
    EXPECT_TRUE(shell.errors.empty());
}

}  // namespace
}  // namespace fluffo
