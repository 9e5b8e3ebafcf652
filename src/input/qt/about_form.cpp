#include "input/qt/about_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace fluffo {

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutForm");
    setWindowTitle("About the author...");
    setFixedSize(397, 176);
    auto* layout = new QVBoxLayout(this);
    auto* text =
        new QLabel("Fluffo Brambo (Zentrix, Gleeplay) Simulator\nVersion 5.00 * Final *", this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
}

void TAboutForm::bring_up() {
    if (!m_placed) {
        m_placed = true;
        if (const QScreen* s = QGuiApplication::primaryScreen())
            move(s->geometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

}  // namespace fluffo
