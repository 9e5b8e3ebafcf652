#include "app/qt/widgets/qt_shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QString>
#include <QUrl>
#include <utility>

namespace fluffo {

namespace {

QString& box_title() {
    static QString title;
    return title;
}

void show_error_box(const std::string& text) {
    QString title = box_title();
    if (title.isEmpty()) title = QGuiApplication::applicationDisplayName();
    if (title.isEmpty()) title = QStringLiteral("Error");
    // Over the active window, so a full-screen window cannot hide it.
    QMessageBox box(QMessageBox::Critical, title, QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

}  // namespace

QtShell::QtShell(ErrorBox error_box) {
    set_error_box(std::move(error_box));
}

void QtShell::set_error_box(ErrorBox error_box) {
    m_error_box = error_box ? std::move(error_box) : ErrorBox(show_error_box);
}

void QtShell::set_box_title(const QString& title) {
    box_title() = title;
}

void QtShell::open_document(const std::string& file_name) {
    const QString path = QDir::current().absoluteFilePath(QString::fromStdString(file_name));
    // The desktop's opener says nothing of a file that is not there; the player is told.
    if (!QFileInfo::exists(path)) {
        show_error("The file \"" + path.toStdString() + "\" was not found.");
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtShell::open_address(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

void QtShell::beep() {
    QApplication::beep();
}

void QtShell::show_error(const std::string& text) {
    m_error_box(text);
}

void QtShell::terminate() {
    end_event_loop();
}

void QtShell::terminate_failed() {
    m_exit_status = 1;
    end_event_loop();
}

void QtShell::end_event_loop() {
    m_terminate_requested = true;
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app, [this] { QCoreApplication::exit(m_exit_status); }, Qt::QueuedConnection);
    }
}

}  // namespace fluffo
