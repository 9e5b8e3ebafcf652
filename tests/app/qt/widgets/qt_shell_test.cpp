// The Qt shell: what it opens (caught by URL handlers instead of the desktop), the error box
// (replaced, and once the real one, closed by the test), and ending the event loop when asked
// before or during exec().
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <string>
#include <vector>

#include "app/qt/widgets/qt_shell.h"

namespace fluffo {
namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

struct QtShellOpening : ::testing::Test {
    UrlRecorder recorder;
    std::vector<std::string> errors;
    QtShell shell{[this](const std::string& text) { errors.push_back(text); }};
    QString old_dir = QDir::currentPath();
    QTemporaryDir dir;

    QtShellOpening() {
        for (const char* scheme : {"file", "http", "https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    }
    ~QtShellOpening() override {
        for (const char* scheme : {"file", "http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
        QDir::setCurrent(old_dir);
    }
};

TEST_F(QtShellOpening, ADocumentIsTheAbsoluteFileInTheCurrentDirectoryAndAMissingOneIsTold) {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    for (const char* name : {"Readme.txt", "Whats new.txt"}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    shell.open_document("Readme.txt");
    shell.open_document("Whats new.txt");
    ASSERT_EQ(recorder.urls.size(), 2u);
    const QString here = QDir::current().absolutePath();
    EXPECT_EQ(recorder.urls[0], QUrl::fromLocalFile(here + "/Readme.txt"));
    EXPECT_TRUE(recorder.urls[0].isLocalFile());
    EXPECT_EQ(recorder.urls[1].toLocalFile(), here + "/Whats new.txt");
    EXPECT_TRUE(errors.empty());

    shell.open_document("Config.ini");  // not there: the player hears why nothing opens
    EXPECT_EQ(recorder.urls.size(), 2u);
    EXPECT_EQ(errors, std::vector<std::string>{"The file \"" + here.toStdString() +
                                               "/Config.ini\" was not found."});
}

TEST_F(QtShellOpening, AnAddressIsOpenedAsGiven) {
    shell.open_address("https://example.com/fluffo?game=a");
    shell.open_address("http://example.org/");
    shell.open_address("mailto:fluffo@example.com?subject=Hi");
    ASSERT_EQ(recorder.urls.size(), 3u);
    EXPECT_EQ(recorder.urls[0].toString(), "https://example.com/fluffo?game=a");
    EXPECT_EQ(recorder.urls[1].toString(), "http://example.org/");
    EXPECT_EQ(recorder.urls[2].scheme(), "mailto");
    EXPECT_EQ(recorder.urls[2].path(), "fluffo@example.com");
    EXPECT_EQ(recorder.urls[2].query(), "subject=Hi");
}

TEST(QtShell, ErrorsGoToTheReplacedBox) {
    std::vector<std::string> shown;
    QtShell shell([&](const std::string& text) { shown.push_back(text); });
    shell.show_error("Failed to write key");
    std::vector<std::string> later;
    shell.set_error_box([&](const std::string& text) { later.push_back(text); });
    shell.show_error("Bad colour");
    EXPECT_EQ(shown, std::vector<std::string>{"Failed to write key"});
    EXPECT_EQ(later, std::vector<std::string>{"Bad colour"});
}

TEST(QtShell, TheRealErrorBoxIsModalCriticalWithOneOkButtonUnderTheProgramsTitle) {
    QtShell shell;
    QtShell::set_box_title(QStringLiteral("Handheld title"));
    bool found = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text, title;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QTimer closer;  // looks for the box while it waits in its own loop
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            found = true;
            icon = box->icon();
            text = box->text();
            title = box->windowTitle();
            buttons = box->standardButtons();
            modal = box->isModal();
            box->accept();
            closer.stop();
        }
    });
    closer.start(10);
    shell.show_error("Failed to create key");
    ASSERT_TRUE(found);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(text, "Failed to create key");
    EXPECT_EQ(title, "Handheld title");
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_TRUE(modal);
    QtShell::set_box_title(QString());
}

// Ends a runaway exec() of a failing test; destroyed with the test, it never fires later.
struct ExecGuard {
    QTimer timer;
    ExecGuard() {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        timer.start(3000);
    }
};

TEST(QtShell, TerminateBeforeExecIsRememberedAndEndsALaterExecPromptly) {
    QtShell shell;
    EXPECT_FALSE(shell.terminate_requested());
    shell.terminate();
    EXPECT_TRUE(shell.terminate_requested());
    ExecGuard guard;
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_LT(elapsed.elapsed(), 1000);
}

TEST(QtShell, TerminateInTheEventLoopEndsItAndAFatalErrorEndsItWithStatusOne) {
    for (const bool fatal : {false, true}) {
        QtShell shell;
        ExecGuard guard;
        QTimer::singleShot(0, &guard.timer, [&] {
            if (fatal) {
                shell.terminate_failed();
            } else {
                shell.terminate();
            }
        });
        EXPECT_EQ(QApplication::exec(), fatal ? 1 : 0);
        EXPECT_TRUE(shell.terminate_requested());
        EXPECT_EQ(shell.exit_status(), fatal ? 1 : 0);
    }
}

}  // namespace
}  // namespace fluffo

#include "qt_shell_test.moc"
