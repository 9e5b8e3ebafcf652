#include "input/qt/keys_form.h"

#include <QPushButton>

#include "input/qt/window_placement.h"

namespace fluffo {

TKeysForm::TKeysForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TKeysForm");
    setWindowTitle("Key settings");
    setFixedSize(448, 195);
    auto* accept = new QPushButton("- ACCEPT -", this);
    accept->setObjectName("btn_accept");
    accept->setGeometry(168, 156, 112, 25);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
}

void TKeysForm::bring_up() {
    centre_on_screen(*this);
    show_in_front(*this);
}

void TKeysForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (m_on_close) m_on_close();
}

}  // namespace fluffo
