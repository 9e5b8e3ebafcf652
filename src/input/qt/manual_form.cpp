#include "input/qt/manual_form.h"

#include <QKeyEvent>
#include <QPainter>

#include "display/manual_pages.h"
#include "display/qt/frame_image.h"

#include "input/qt/window_placement.h"

namespace fluffo {

TManualForm::TManualForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("TManualForm");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(m_screen.client_width(), m_screen.client_height());
}

void TManualForm::load_pages(const SkinSources& sources) {
    Gfx_Load_Manual_Pages(m_screen, sources);
    // The first page on show.
    ScreenModel& model = m_screen.model();
    model.set_picture(m_screen.im_page_top, model.at(m_screen.Vid_Pages[1]).picture);
    setFixedSize(m_screen.client_width(), m_screen.client_height());
}

void TManualForm::bring_up() {
    if (!m_placed) {
        m_placed = true;
        centre_on_screen(*this);
    }
    show_in_front(*this);
}

void TManualForm::paintEvent(QPaintEvent* event) {
    m_compositor.set_frame(m_screen.client_width(), m_screen.client_height(),
                           ManualScreen::Window_Colour);
    m_compositor.update(m_screen.model());
    QPainter painter(this);
    const QImage frame = frame_image(m_compositor);
    for (const QRect& r : event->region())
        paint_frame(painter, frame, r, devicePixelRatioF());
}

void TManualForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace fluffo
