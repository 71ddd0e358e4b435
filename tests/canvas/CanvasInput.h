#pragma once
// Synthetic mouse and key events for the canvas, addressed in image coordinates.
#include "canvas/PxImage.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kalvo::test {

struct CanvasInput {
    TpxImage& canvas;
    Qt::MouseButtons held = Qt::NoButton;

    QPoint screen(QPoint image) const { return canvas.ImageToScreen(image); }

    void send(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::KeyboardModifiers mods = {})
    {
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            held |= button;
        else if (type == QEvent::MouseButtonRelease)
            held &= ~Qt::MouseButtons(button);
        QMouseEvent e(type, QPointF(client), canvas.viewport()->mapToGlobal(QPointF(client)), button, held, mods);
        QCoreApplication::sendEvent(canvas.viewport(), &e);
    }
    void press(QPoint image, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        send(QEvent::MouseButtonPress, screen(image), b, m);
    }
    void move(QPoint image, Qt::KeyboardModifiers m = {}) { send(QEvent::MouseMove, screen(image), Qt::NoButton, m); }
    void release(QPoint image, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        send(QEvent::MouseButtonRelease, screen(image), b, m);
    }
    // Press, one move, release: the modifiers are held throughout.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers m = {})
    {
        press(from, Qt::LeftButton, m);
        move(to, m);
        release(to, Qt::LeftButton, m);
    }
    void click(QPoint image, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        press(image, b, m);
        release(image, b, m);
    }
    // The X11 order: press, release, double click, release (no second press).
    void doubleClick(QPoint image)
    {
        click(image);
        send(QEvent::MouseButtonDblClick, screen(image), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, screen(image), Qt::LeftButton);
    }
    void key(QEvent::Type type, int key, Qt::KeyboardModifiers m = {})
    {
        QKeyEvent e(type, key, m);
        QCoreApplication::sendEvent(&canvas, &e);
    }
};

} // namespace kalvo::test
