#include "app/mainform/ToolBarLayout.h"
#include "ScopedConfigDir.h"
#include "app/settings/IniFile.h"

#include <gtest/gtest.h>

#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A window with three tool bars on top and a tool window on the right.
struct Window {
    QMainWindow w;
    QToolBar* basic = add("TBToolbar4");
    QToolBar* zoom = add("TBToolbar3");
    QToolBar* apply = add("TBToolbar5");
    QDockWidget* colors = new QDockWidget(QStringLiteral("色"), &w);

    Window()
    {
        colors->setObjectName("TBToolWindow1");
        colors->setWidget(new QLabel("colours"));
        w.addDockWidget(Qt::RightDockWidgetArea, colors);
        w.setCentralWidget(new QLabel("canvas"));
        w.resize(600, 400);
        w.show();
        QTest::qWait(20);
    }
    QToolBar* add(const char* name)
    {
        auto* bar = new QToolBar(QString::fromLatin1(name), &w);
        bar->setObjectName(name);
        bar->addAction("x");
        w.addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    }
};

} // namespace

TEST(ToolBarLayout, SavesEveryBarAndRestoresDockVisibilityAndRows)
{
    TempDir dir;
    const QString file = QString::fromStdString(dir.file("Kalvo2.tlb"));
    {
        Window a;
        a.w.addToolBar(Qt::LeftToolBarArea, a.apply);
        a.w.insertToolBarBreak(a.zoom);
        a.zoom->hide();
        QTest::qWait(20);
        ASSERT_TRUE(SaveToolBarLayout(&a.w, file));
    }
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("TBToolbar4", "Rev", 0), 2000);
    EXPECT_EQ(ini.ReadString("TBToolbar4", "DockedTo", ""), "TBDockTop");
    EXPECT_EQ(ini.ReadString("TBToolbar4", "LastDock", ""), "TBDockTop");
    EXPECT_EQ(ini.ReadInteger("TBToolbar4", "DockRow", -1), 0);
    EXPECT_FALSE(ini.ReadBool("TBToolbar3", "Visible", true));
    EXPECT_EQ(ini.ReadString("TBToolbar5", "DockedTo", ""), "TBDockLeft");
    EXPECT_EQ(ini.ReadString("TBToolWindow1", "DockedTo", ""), "TBDockRight");
    EXPECT_GT(ini.ReadInteger("TBToolWindow1", "ClientWidth", 0), 0);
    EXPECT_TRUE(ini.ReadSectionValues("TBToolbar4").join(' ').contains("FloatRightX="));

    Window b;
    LoadToolBarLayout(&b.w, file);
    QTest::qWait(20);
    EXPECT_EQ(b.w.toolBarArea(b.basic), Qt::TopToolBarArea);
    EXPECT_EQ(b.w.toolBarArea(b.apply), Qt::LeftToolBarArea);
    EXPECT_TRUE(b.zoom->isHidden());
    EXPECT_FALSE(b.basic->isHidden());
    EXPECT_EQ(b.w.dockWidgetArea(b.colors), Qt::RightDockWidgetArea);
}

TEST(ToolBarLayout, SectionOfAnotherRevisionIsIgnored)
{
    TempDir dir;
    WriteAll(dir.file("Kalvo2.tlb"),
             Bytes("[TBToolbar5]\r\nRev=1999\r\nVisible=0\r\nDockedTo=TBDockBottom\r\n"
                   "[TBToolbar4]\r\nRev=2000\r\nVisible=1\r\nDockedTo=TBDockBottom\r\n"
                   "[TBToolWindow1]\r\nRev=2000\r\nVisible=0\r\nDockedTo=garbage\r\nClientWidth=x\r\n"));
    Window w;
    LoadToolBarLayout(&w.w, QString::fromStdString(dir.file("Kalvo2.tlb")));
    EXPECT_EQ(w.w.toolBarArea(w.apply), Qt::TopToolBarArea);
    EXPECT_FALSE(w.apply->isHidden());
    EXPECT_EQ(w.w.toolBarArea(w.basic), Qt::BottomToolBarArea);
    EXPECT_EQ(w.w.dockWidgetArea(w.colors), Qt::RightDockWidgetArea);
    EXPECT_TRUE(w.colors->isHidden());
    LoadToolBarLayout(&w.w, QString::fromStdString(dir.file("missing.tlb")));
}
