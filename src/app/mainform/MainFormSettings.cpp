// The main window's settings: read at start-up, written at shut-down.
#include "app/files/RecentFiles.h"
#include "app/mainform/MainForm.h"
#include "app/property/RollUpWindow.h"
#include "app/settings/CustomColors.h"
#include "app/settings/IniFile.h"
#include "app/settings/Placement.h"
#include "app/settings/ProgramDirectory.h"
#include "canvas/PxImage.h"

#include <QStatusBar>

namespace kalvo {

namespace {

void applyToCanvas(const TMainSettings& s, TpxImage& canvas)
{
    canvas.SetForegroundColor(s.ForegroundColor);
    canvas.SetBackgroundColor(s.BackgroundColor);
    canvas.SetToolSettings(s.Tools);
}

void takeFromCanvas(const TpxImage& canvas, TMainSettings& s)
{
    s.ForegroundColor = canvas.ForegroundColor();
    s.BackgroundColor = canvas.BackgroundColor();
    s.Tools = canvas.ToolSettings();
}

} // namespace

void TKalvoMainForm::LoadSettings()
{
    FSettings = ReadMainSettings(TIniFile(SettingsFileName()));
    SetPlacementText(FSettings.Placement, this);
    FMaxUndo = FSettings.MaxUndo;
    StatusBar1->setVisible(FSettings.ShowStatusBar);
    applyToCanvas(FSettings, *pxImage1);
    FPenMode = FSettings.PenMode;
    ApplyCustomColors(FSettings.CustomColors);
    TpxImageInfo& options = FDocument.SaveOptions();
    options.JpegQuality = FSettings.JpegQuality;
    options.Jpeg2kQuality = FSettings.Jpeg2kQuality;
    options.Jpeg2kReversible = FSettings.Jpeg2kReversible;
    options.WebpQuality = FSettings.WebpQuality;
    options.WebpLossless = FSettings.WebpLossless;
    TBMRUList1->LoadFromFile();
    createPropertyWindow(FSettings.ShowProperty);
}

void TKalvoMainForm::SaveSettings()
{
    FSettings.Placement = GetPlacementText(this);
    FSettings.MaxUndo = FMaxUndo;
    FSettings.ShowStatusBar = !StatusBar1->isHidden();
    takeFromCanvas(*pxImage1, FSettings);
    FSettings.PenMode = std::uint8_t(FPenMode);
    // While the main window is on screen the property window's own state counts; once it is
    // hidden for shut-down, the state it had before.
    if (FPropertyForm && isVisible())
        FSettings.ShowProperty = FPropertyForm->isVisible();
    FSettings.JpegQuality = FileInfo().JpegQuality;
    FSettings.Jpeg2kQuality = FileInfo().Jpeg2kQuality;
    FSettings.Jpeg2kReversible = FileInfo().Jpeg2kReversible;
    FSettings.WebpQuality = FileInfo().WebpQuality;
    FSettings.WebpLossless = FileInfo().WebpLossless;
    // The program is ending: a settings file that cannot be written is left as it was.
    TIniFile ini(SettingsFileName());
    WriteMainSettings(ini, FSettings);
}

} // namespace kalvo
