#include "ui/screen_fit.h"

#include <QScrollBar>

namespace orlavex::ui {

ScreenFit::ScreenFit(QWidget* client, std::function<QSize()> room, QWidget* parent)
    : QScrollArea(parent), room_(std::move(room)) {
    setObjectName(QStringLiteral("screenFit"));
    setFrameShape(QFrame::NoFrame);
    // The client's controls take the focus; the area never does.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    setWidget(client);
}

QSize ScreenFit::sizeHint() const {
    const QSize content = widget()->size();
    const QSize room = room_();
    QSize hint = content;
    // A scroll bar in one direction takes room from the other.
    if (content.width() > room.width())
        hint.rheight() += horizontalScrollBar()->sizeHint().height();
    if (content.height() > room.height()) hint.rwidth() += verticalScrollBar()->sizeHint().width();
    return hint.boundedTo(room);
}

}  // namespace orlavex::ui
