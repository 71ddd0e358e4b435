// Keypad + and - as X11 delivers them: Qt's xkb shortcut matching leaves the keypad modifier out,
// so no shortcut takes the key and the press goes to the focused widget and up to the window.
// The events below carry the keycodes, keysyms and modifier state of an X server with the usual
// evdev keymap. They go to the focused widget as spontaneous events, as the xcb platform delivers a
// key press after the shortcut map passed it on (a non-spontaneous press would be offered to the
// shortcut map again, which on this test platform keeps the keypad modifier).
#include "MainWindowHarness.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QSpontaneKeyEvent>
#include <QTest>

using namespace kalvo;
using namespace kalvo::test;

namespace {

constexpr quint32 kKeycodeKpAdd = 86, kKeycodeKpSubtract = 82, kKeycodeEqual = 21;
constexpr quint32 kKeysymKpAdd = 0xffab, kKeysymKpSubtract = 0xffad, kKeysymPlus = 0x2b;
constexpr quint32 kStateShift = 0x1, kStateNumLock = 0x10;

// Press and release of one key at the widget that has the focus, without the shortcut map.
void PressAtFocus(Qt::Key key, Qt::KeyboardModifiers modifiers, quint32 keycode, quint32 keysym, quint32 state,
                  const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, keycode, keysym, state, text);
    QSpontaneKeyEvent::setSpontaneous(&press);
    qApp->notify(target, &press); // sendEvent would clear the spontaneous flag
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, keycode, keysym, state, text);
    QSpontaneKeyEvent::setSpontaneous(&release);
    qApp->notify(target, &release);
}

void KeypadPlus(quint32 state = 0)
{
    PressAtFocus(Qt::Key_Plus, Qt::KeypadModifier, kKeycodeKpAdd, kKeysymKpAdd, state, "+");
}

void KeypadMinus(quint32 state = 0)
{
    PressAtFocus(Qt::Key_Minus, Qt::KeypadModifier, kKeycodeKpSubtract, kKeysymKpSubtract, state, "-");
}

struct ShownHarness : Harness {
    ShownHarness()
    {
        form.Canvas()->SetBitmap(PatternBitmap(300, 200, 24));
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        form.Canvas()->setFocus();
    }
};

} // namespace

TEST(MainFormKeypadZoom, KeypadPlusAndMinusStepTheZoomWithNumLockOffAndOn)
{
    ShownHarness h;
    KeypadPlus();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 150);
    KeypadMinus();
    KeypadMinus();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 75);
    KeypadPlus(kStateNumLock);
    KeypadPlus(kStateNumLock);
    EXPECT_EQ(h.form.Canvas()->Zoom(), 150);
    KeypadMinus(kStateNumLock);
    EXPECT_EQ(h.form.Canvas()->Zoom(), 100);
}

TEST(MainFormKeypadZoom, MainKeyboardPlusMinusAndModifiedKeypadKeysLeaveTheZoom)
{
    ShownHarness h;
    PressAtFocus(Qt::Key_Plus, Qt::ShiftModifier, kKeycodeEqual, kKeysymPlus, kStateShift, "+");
    PressAtFocus(Qt::Key_Minus, Qt::NoModifier, 20, 0x2d, 0, "-");
    PressAtFocus(Qt::Key_Plus, Qt::KeypadModifier | Qt::ControlModifier, kKeycodeKpAdd, kKeysymKpAdd, 0x4, "+");
    EXPECT_EQ(h.form.Canvas()->Zoom(), 100);
}

TEST(MainFormKeypadZoom, KeypadKeysDoNothingWhileFittedToTheWindow)
{
    ShownHarness h;
    h.form.Action("acZoomAuto")->trigger();
    const int fitted = h.form.Canvas()->Zoom();
    KeypadPlus();
    KeypadMinus();
    EXPECT_EQ(h.form.Canvas()->Zoom(), fitted);
    EXPECT_TRUE(h.form.Canvas()->AutoStretch());
}
