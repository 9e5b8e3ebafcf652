#include "input/qt/about_form.h"

#include <QLabel>
#include <QVBoxLayout>

#include "input/qt/window_placement.h"

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
        centre_on_screen(*this);
    }
    show_in_front(*this);
}

}  // namespace fluffo
