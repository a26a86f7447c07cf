#include "centerform.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

QPointF centeredPosition(const QSizeF &screen, const QSizeF &window) {
    return QPointF(screen.width() / 2 - window.width() / 2,
                   (screen.height() * 0.85) / 2 - window.height() / 2);
}

void CenterForm(QWidget *window) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QScreen *screen = window->screen() ? window->screen() : QApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        const QPointF at = centeredPosition(area.size(), window->frameGeometry().size());
        window->move(area.topLeft() + at.toPoint());
    }
    QApplication::restoreOverrideCursor();
}
