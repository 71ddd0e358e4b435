#pragma once
// Tests and benchmarks reach the main window's private state through this friend: the document
// flags they set up, the history they count, the panels and edits they drive.
#include "app/mainform/MainForm.h"

namespace kalvo::test {

struct TMainFormInternals {
    explicit TMainFormInternals(TKalvoMainForm& f)
        : form(f),
          FFileInfo(f.FDocument.FInfo),
          FModified(f.FDocument.FModified),
          FSavedSinceLoad(f.FDocument.FSavedSinceLoad),
          FBusyDepth(f.FBusyDepth),
          FSaveFilterIndex(f.FSaveFilterIndex),
          FProgressBar(f.FProgressBar),
          FMaxUndo(f.FMaxUndo),
          FUndoList(f.FUndoList),
          FUndoPos(f.FUndoPos),
          FLeftButtonDown(f.FLeftButtonDown),
          FPenMode(f.FPenMode),
          FSettings(f.FSettings),
          TBMRUList1(f.TBMRUList1),
          edtZoom(f.edtZoom),
          ColorBoxes(f.ColorBoxes),
          ColorChart(f.ColorChart),
          StatusBar1(f.StatusBar1)
    {
    }
    void acNegativeImageExecute() { form.acNegativeImageExecute(); }
    void pxIdleTime1Interval() { form.pxIdleTime1Interval(); }

    TKalvoMainForm& form;
    TpxImageInfo& FFileInfo;
    bool& FModified;
    bool& FSavedSinceLoad;
    int& FBusyDepth;
    int& FSaveFilterIndex;
    QProgressBar*& FProgressBar;
    int& FMaxUndo;
    TUndoList& FUndoList;
    int& FUndoPos;
    bool& FLeftButtonDown;
    int& FPenMode;
    TMainSettings& FSettings;
    TRecentFileList*& TBMRUList1;
    TpxNumericEdit*& edtZoom;
    TColorBoxesPanel*& ColorBoxes;
    TColorChartPanel*& ColorChart;
    QStatusBar*& StatusBar1;
};

} // namespace kalvo::test

namespace kalvo {

// Found by argument lookup from any test; read-only helpers pass a const window.
inline test::TMainFormInternals Internals(const TKalvoMainForm& form)
{
    return test::TMainFormInternals(const_cast<TKalvoMainForm&>(form));
}

} // namespace kalvo
