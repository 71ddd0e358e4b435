#pragma once
// The file side of the open document: its name, size and save options (TpxImageInfo), whether it
// changed since it was opened or saved, and whether it was saved since it was opened (undo back
// to the opened state then still leaves it modified). The main window changes these only here.
#include "codecs/ImageInfo.h"

#include <QString>

namespace kalvo {

namespace test {
struct TMainFormInternals;
}

class TDocumentFile {
public:
    const TpxImageInfo& Info() const { return FInfo; }
    // The file name; empty while untitled.
    QString FileName() const { return QString::fromStdString(FInfo.FileName); }
    bool Modified() const { return FModified; }
    bool SavedSinceLoad() const { return FSavedSinceLoad; }

    // A new document: the loaded file's description (name empty while untitled), modified as
    // given, not saved since.
    void Start(const TpxImageInfo& info, bool modified);
    // A new untitled document of the given size (New image, paste into the empty window).
    void StartUntitled(int width, int height, bool modified);
    // The save under info's name succeeded: the description (and name) becomes the document's.
    void Saved(const TpxImageInfo& info);
    // The picture's size changed (paste replaces it).
    void SetSize(int width, int height);
    // Commands mark the document changed; undo and redo restore the flag their step recorded.
    void SetModified(bool modified) { FModified = modified; }
    // The save options the option dialog and the settings edit: qualities and reversibility.
    TpxImageInfo& SaveOptions() { return FInfo; }

private:
    friend struct test::TMainFormInternals;
    TpxImageInfo FInfo;
    bool FModified = false;
    bool FSavedSinceLoad = false;
};

} // namespace kalvo
