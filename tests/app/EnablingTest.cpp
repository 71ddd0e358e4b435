#include "app/commands/Enabling.h"
#include "MainWindowHarness.h"
#include "ScopedConfigDir.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/FormatDispatch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QObject>

#include <map>
#include <memory>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// The depths at which each depth-dependent command is available; every other command of the
// image table needs just an image.
const std::map<QString, std::vector<int>> kDepths = {
    {"acPaletteExport", {1, 4, 8}},
    {"acPaletteEdit", {1, 4, 8}},
    {"acNegativeImage", {24}},
    {"acReduce8bitColor", {24}},
    {"acBrightnessContrast", {24}},
    {"acHueSaturation", {24}},
    {"acLevels", {24}},
    {"acGaussianBlur", {24}},
    {"acSharpen", {24}},
    {"acGrayscale", {24}},
    {"acReduce4bitColor", {8, 16, 24}},
    {"acReduce1bitColor", {4, 8, 16, 24}},
    {"acEnlarge24bitColors", {1, 4, 8, 16}},
    {"acEnlarge8bitColors", {1, 4}},
    {"acEnlarge4bitColors", {1}},
};

bool contains(const std::vector<int>& v, int x)
{
    return std::find(v.begin(), v.end(), x) != v.end();
}

} // namespace

// Every depth (none, 1, 4, 8, 16, 24) x selection x undo position against each table.
TEST(Enabling, TablesOverEveryDepthSelectionAndUndoPosition)
{
    QObject owner;
    std::map<QString, QAction*> actions;
    auto lookup = [&](const QString& name) {
        auto& a = actions[name];
        if (!a)
            a = new QAction(name, &owner);
        return a;
    };
    for (int bits : {0, 1, 4, 8, 16, 24})
        for (bool selected : {false, true})
            for (int pos : {0, 1, 2})
                for (int flags = 0; flags < 8; ++flags) {
                    const bool jpegFile = flags & 1, picture = flags & 2, shape = flags & 4;
                    SCOPED_TRACE(testing::Message() << "bits " << bits << " selection " << selected << " pos " << pos
                                                    << " jpeg " << jpegFile << " clipboard " << picture << shape);
                    TDocumentState s;
                    s.hasImage = bits != 0;
                    s.bitCount = bits;
                    s.hasSelection = selected;
                    s.jpegFile = jpegFile;
                    s.undoCount = 3;
                    s.undoPos = pos;
                    s.clipboardHasPicture = picture;
                    s.clipboardHasRegion = shape;
                    ApplyEnabling(ImageEnablingRules(), s, lookup);
                    ApplyEnabling(ClipboardEnablingRules(), s, lookup);
                    ApplyEnabling(RegionEnablingRules(), s, lookup);
                    ApplyEnabling(UndoEnablingRules(), s, lookup);
                    for (const TEnablingRule& r : ImageEnablingRules()) {
                        const QString name = QLatin1String(r.action);
                        bool expected = bits != 0;
                        if (auto it = kDepths.find(name); it != kDepths.end())
                            expected = contains(it->second, bits);
                        if (name == "acLoassLessJpeg")
                            expected = bits != 0 && jpegFile;
                        EXPECT_EQ(lookup(name)->isEnabled(), expected) << name.toStdString();
                    }
                    for (const char* name : {"acMoveRegion", "acMoveSelectArea", "acInvertRegion", "acDeleteRegion",
                                             "acCopyRegion", "acCut", "acClear", "acDrawRegion"})
                        EXPECT_EQ(lookup(name)->isEnabled(), selected) << name;
                    for (const char* name : {"acDropShadow", "acObscureRegion"})
                        EXPECT_EQ(lookup(name)->isEnabled(), selected && bits == 24) << name;
                    EXPECT_EQ(lookup("acUndo")->isEnabled(), pos > 0);
                    EXPECT_EQ(lookup("acRedo")->isEnabled(), pos < 2);
                    EXPECT_EQ(lookup("acPaste")->isEnabled(), picture);
                    EXPECT_EQ(lookup("acMergePaste")->isEnabled(), picture && bits != 0);
                    EXPECT_EQ(lookup("acPasteRegion")->isEnabled(), shape && bits != 0);
                }
    // No command appears in two tables, and every table names something.
    EXPECT_EQ(actions.size(),
              ImageEnablingRules().size() + RegionEnablingRules().size() + UndoEnablingRules().size()
                  + ClipboardEnablingRules().size());
}

TEST(Enabling, MainWindowEnablesByTheOpenedFile)
{
    ScopedConfigDir dir;
    Harness h;
    EXPECT_FALSE(h.form.Action("acSave")->isEnabled());
    EXPECT_FALSE(h.form.Action("acLoassLessJpeg")->isEnabled());
    EXPECT_FALSE(h.form.Action("acUndo")->isEnabled());
    EXPECT_TRUE(h.form.Action("acSwapFBColors")->isEnabled());
    EXPECT_TRUE(h.form.Action("acSelectForegroundColor")->isEnabled());

    TBitmap picture = PatternBitmap(16, 8, 24);
    const QString jpg = dir.qfile("photo.jpg");
    TpxImageInfo info;
    info.FileName = jpg.toStdString();
    SaveImageFile(picture, info);
    ASSERT_EQ(info.Result, 0);
    ASSERT_TRUE(h.form.OpenImageFile(jpg));
    EXPECT_TRUE(h.form.Action("acSave")->isEnabled());
    EXPECT_TRUE(h.form.Action("acLoassLessJpeg")->isEnabled());
    if (QAction* negative = h.form.ActionByName("acNegativeImage")) {
        EXPECT_TRUE(negative->isEnabled());
    }

    const QString bmp = dir.qfile("small.bmp");
    info = TpxImageInfo();
    info.FileName = bmp.toStdString();
    TBitmap indexed = PatternBitmap(16, 8, 8);
    SaveImageFile(indexed, info);
    ASSERT_EQ(info.Result, 0);
    ASSERT_TRUE(h.form.OpenImageFile(bmp));
    EXPECT_FALSE(h.form.Action("acLoassLessJpeg")->isEnabled());
    if (QAction* negative = h.form.ActionByName("acNegativeImage")) {
        EXPECT_FALSE(negative->isEnabled());
    }
    if (QAction* edit = h.form.ActionByName("acPaletteEdit")) {
        EXPECT_TRUE(edit->isEnabled());
    }
}
