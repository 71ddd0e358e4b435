#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/FileDrop.h"
#include "app/controls/IdleTime.h"
#include "app/controls/NumericEdit.h"
#include "app/controls/PaintBox.h"
#include "app/dialogs/InputNumber.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <stdexcept>

using namespace kalvo;
using namespace kalvo::test;

namespace {

void leaveField(QWidget* w)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

// A drag entering target, then the drop; returns whether the drag was accepted.
bool dragAndDrop(QWidget* target, const QList<QUrl>& urls, QPoint at)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button)
{
    QMouseEvent e(type, QPointF(2, 2), QPointF(2, 2), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(NumericEdit, OnlySignsDigitsAndTheDecimalSeparatorCanBeTyped)
{
    TpxNumericEdit edit;
    edit.SetRange(5, 100000);
    edit.setText("");
    QTest::keyClicks(&edit, "12a");
    EXPECT_EQ(edit.text(), "12");
    QTest::keyClicks(&edit, "x+-");
    EXPECT_EQ(edit.text(), "12+-");
    edit.setText("12");
    QTest::keyClick(&edit, QLocale().decimalPoint().at(0).toLatin1());
    EXPECT_EQ(edit.text(), "12" + QLocale().decimalPoint());
    EXPECT_EQ(edit.Value(), 5);
    edit.setText("99999999999");
    EXPECT_EQ(edit.Value(), 5);
}

TEST(NumericEdit, ValueIsLimitedOnWriteOnKeysAndWhenTheFocusLeaves)
{
    TpxNumericEdit edit;
    EXPECT_EQ(edit.text(), "0");
    edit.SetRange(1, 3000);
    QSignalSpy changes(&edit, &TpxNumericEdit::Change);
    edit.setText("5000");
    EXPECT_EQ(edit.Value(), 5000);
    leaveField(&edit);
    EXPECT_EQ(edit.text(), "3000");
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "3000");
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), "2999");
    edit.SetValue(-8);
    EXPECT_EQ(edit.text(), "1");
    edit.setText("abc");
    leaveField(&edit);
    EXPECT_EQ(edit.text(), "1");
    EXPECT_EQ(changes.count(), 6);
}

TEST(NumericEdit, EqualMinimumAndMaximumMeanNoLimits)
{
    TpxNumericEdit edit;
    edit.SetRange(0, 0);
    edit.SetValue(-77);
    EXPECT_EQ(edit.text(), "-77");
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Value(), -76);
    edit.SetValue(123456);
    leaveField(&edit);
    EXPECT_EQ(edit.text(), "123456");
}

TEST(IdleTime, ReportsEveryTickOnceIdleAndListedInputEndsIt)
{
    quint32 now = 1000;
    TpxIdleTime::SetTickSource([&] { return now; });
    QWidget target;
    {
        TpxIdleTime idle;
        idle.SetInterval(4);
        QSignalSpy reports(&idle, &TpxIdleTime::OnInterval);
        now = 9000;
        EXPECT_EQ(idle.IdleTime(), 0u);
        idle.SetEnabled(true);
        now = 9000 + 3999;
        QTest::qWait(250);
        EXPECT_EQ(reports.count(), 0);
        now = 9000 + 4000;
        QTest::qWait(450);
        EXPECT_GE(reports.count(), 2);
        EXPECT_LE(reports.count(), 6);

        sendMouse(&target, QEvent::MouseMove, Qt::NoButton);
        EXPECT_EQ(idle.IdleTime(), 0u);
        reports.clear();
        QTest::qWait(250);
        EXPECT_EQ(reports.count(), 0);

        now += 5000;
        sendMouse(&target, QEvent::MouseButtonPress, Qt::MiddleButton);
        sendMouse(&target, QEvent::MouseButtonRelease, Qt::MiddleButton);
        EXPECT_EQ(idle.IdleTime(), 5000u);
        EXPECT_TRUE(WaitFor([&] { return reports.count() > 0; }, 1000));

        sendMouse(&target, QEvent::MouseButtonPress, Qt::RightButton);
        EXPECT_EQ(idle.IdleTime(), 0u);
        now += 100;
        QKeyEvent key(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
        QApplication::sendEvent(&target, &key);
        EXPECT_EQ(idle.IdleTime(), 0u);

        // The tick count wraps around.
        now = 0xFFFFFF00u;
        sendMouse(&target, QEvent::MouseButtonRelease, Qt::LeftButton);
        now = 0x00000F00u;
        EXPECT_EQ(idle.IdleTime(), 0x1000u);
        idle.SetEnabled(false);
        EXPECT_EQ(idle.IdleTime(), 0u);
    }
    TpxIdleTime::SetTickSource({});
}

TEST(PaintBox, PaintsItselfAndTracksTheMouse)
{
    TpxPaintBox box;
    box.resize(10, 10);
    QObject::connect(&box, &TpxPaintBox::OnPaint, [&](QPainter& p) { p.fillRect(box.rect(), Qt::red); });
    QSignalSpy entered(&box, &TpxPaintBox::OnMouseEnter);
    QSignalSpy left(&box, &TpxPaintBox::OnMouseLeave);
    EXPECT_EQ(box.grab().toImage().pixelColor(5, 5), QColor(Qt::red));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&box, &enter);
    EXPECT_TRUE(box.MouseInside());
    EXPECT_EQ(entered.count(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&box, &leave);
    EXPECT_FALSE(box.MouseInside());
    EXPECT_EQ(left.count(), 1);
}

TEST(FileDrop, ReportsEveryDroppedFileWithThePoint)
{
    MessageRecorder messages;
    QWidget form;
    form.resize(100, 100);
    TpxFileDrop drop(&form);
    drop.SetControl(nullptr);
    EXPECT_EQ(drop.Control(), &form);
    EXPECT_TRUE(form.acceptDrops());
    QStringList got;
    QPoint at;
    QObject::connect(&drop, &TpxFileDrop::OnFileDrop, [&](QObject*, int num, const QStringList& files, QPoint p) {
        EXPECT_EQ(num, files.size());
        got = files;
        at = p;
        if (files.front().endsWith("boom"))
            throw std::runtime_error("handler failed");
    });
    const QString longName = "/tmp/" + QString(300, 'n') + ".bmp";
    const QList<QUrl> urls = {QUrl::fromLocalFile("/tmp/one.bmp"), QUrl::fromLocalFile(longName)};
    EXPECT_TRUE(dragAndDrop(&form, urls, QPoint(12, 34)));
    EXPECT_EQ(got, QStringList({"/tmp/one.bmp", longName}));
    EXPECT_EQ(at, QPoint(12, 34));

    dragAndDrop(&form, {QUrl::fromLocalFile("/tmp/boom")}, QPoint(1, 1));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "handler failed");

    got.clear();
    drop.SetAccept(false);
    EXPECT_FALSE(form.acceptDrops());
    EXPECT_FALSE(dragAndDrop(&form, urls, QPoint(12, 34)));
    EXPECT_TRUE(got.isEmpty());
}

TEST(FileDrop, NeedsAControlOrAFormAndForgetsADestroyedControl)
{
    QObject notAForm;
    TpxFileDrop orphan(&notAForm);
    try {
        orphan.SetControl(nullptr);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Invalidate Window Handle in FileDrop");
    }
    TpxFileDrop drop(nullptr);
    auto* control = new QWidget;
    drop.SetControl(control);
    delete control;
    EXPECT_EQ(drop.Control(), nullptr);
    EXPECT_FALSE(drop.Accept());
}

TEST(InputNumber, ReturnsTheLimitedValueOnOkAndNothingOnCancel)
{
    const auto answer = [](const QString& typed, const QString& button) {
        AnswerModal<QDialog>([typed, button](QDialog* d) {
            d->findChild<TpxNumericEdit*>()->setText(typed);
            for (QPushButton* b : d->findChildren<QPushButton*>())
                if (b->text() == button)
                    b->click();
        });
    };
    int value = 10;
    answer("500", "OK");
    EXPECT_TRUE(InputNumber("ぼかし", "範囲", value, 100, 1));
    EXPECT_EQ(value, 100);
    answer("42", "キャンセル");
    EXPECT_FALSE(InputNumber("ぼかし", "範囲", value, 100, 1));
    EXPECT_EQ(value, 100);
    answer("42", "OK");
    EXPECT_TRUE(InputNumber("ぼかし", "範囲", value, 100, 1));
    EXPECT_EQ(value, 42);
}
