#pragma once
// One mode family of the canvas: its gesture state, its cursor and the overlay it draws on top
// of the frame. The canvas forwards press, move, release, double click, keys and cancellation
// to the tool of the current mouse mode and calls PaintOverlay once per paint, after the frame.
#include "canvas/MouseMode.h"
#include "canvas/tools/ToolHost.h"

#include <QCursor>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

class QPainter;

namespace kalvo {

// A mouse event in client coordinates of the viewport.
struct TToolMouse {
    Qt::MouseButton Button = Qt::NoButton;   // the button that changed (none for moves)
    Qt::MouseButtons Buttons = Qt::NoButton; // the buttons held
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
    QPoint Pos;
};

// A key event: the key itself (compare it for modifier keys, whose own events do not always
// carry their modifier), the modifiers, whether it is an auto-repeat and the text it types.
struct TToolKey {
    int Key = 0;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
    bool AutoRepeat = false;
    QString Text;
};

class TCanvasTool {
public:
    TCanvasTool(TToolHost& host, TMouseMode mode) : FHost(host), FMode(mode) { }
    virtual ~TCanvasTool() = default;
    TCanvasTool(const TCanvasTool&) = delete;
    TCanvasTool& operator=(const TCanvasTool&) = delete;

    TMouseMode Mode() const { return FMode; }

    // The mode was entered or is being left (SetMouseMode).
    virtual void Enter() { }
    virtual void Leave() { }

    virtual void Press(const TToolMouse&) { }
    virtual void Move(const TToolMouse&) { }
    virtual void Release(const TToolMouse&) { }
    virtual void DoubleClick(const TToolMouse&) { }
    // True when the tool used the key.
    virtual bool KeyDown(const TToolKey&) { return false; }
    virtual bool KeyUp(const TToolKey&) { return false; }
    // Escape, or a lost capture (focus out, deactivation, a popup): end the gesture.
    virtual void Cancel() { }

    // Typing tools: true while the tool takes the keyboard (its keys come before the canvas's
    // paging keys and the window's shortcuts, the input method is on).
    virtual bool TakesTyping() const { return false; }
    // Text from the input method: committed text, and the composition shown meanwhile.
    virtual void InputMethod(const QString& /*commit*/, const QString& /*preedit*/) { }
    // Where the input method's candidate window goes: the caret in client pixels.
    virtual QRect InputCaretArea() const { return {}; }
    // Ends an edit from outside (the panel's buttons): committed or abandoned.
    virtual void EndEdit(bool /*commit*/) { }

    // The cursor of this mode at this moment; nullopt: the control's own cursor.
    virtual std::optional<QCursor> Cursor() const { return std::nullopt; }
    // Rubber bands, inverted lines, moving outlines, floating pictures: drawn here in client
    // coordinates, after the frame; the tool asks for the repaint of what it changed.
    virtual void PaintOverlay(QPainter&) { }
    // The client rectangle of an outline the overlay draws with the ants' phase (empty: none);
    // each ants step repaints it.
    virtual QRect MarchingOutlineArea() const { return {}; }

protected:
    TToolHost& Host() const { return FHost; }

private:
    TToolHost& FHost;
    TMouseMode FMode;
};

// The tool of a mode; a plain tool that does nothing for modes without gestures (mmNone).
std::unique_ptr<TCanvasTool> CreateCanvasTool(TMouseMode mode, TToolHost& host);

} // namespace kalvo
