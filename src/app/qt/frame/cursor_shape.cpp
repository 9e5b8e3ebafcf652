#include "app/qt/frame/cursor_shape.h"

namespace fluffo {

Qt::CursorShape cursor_shape(Cursor cursor) {
    switch (cursor) {
        case Cursor::Hand:
            return Qt::PointingHandCursor;
        case Cursor::Help:
            return Qt::WhatsThisCursor;
        case Cursor::Default:
            break;
    }
    return Qt::ArrowCursor;
}

}  // namespace fluffo
