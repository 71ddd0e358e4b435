#include "app/mainform/DocumentFile.h"

namespace kalvo {

void TDocumentFile::Start(const TpxImageInfo& info, bool modified)
{
    FInfo = info;
    FModified = modified;
    FSavedSinceLoad = false;
}

void TDocumentFile::StartUntitled(int width, int height, bool modified)
{
    TpxImageInfo info = FInfo;
    info.FileName.clear();
    info.Metadata.clear();
    info.Width = width;
    info.Height = height;
    Start(info, modified);
}

void TDocumentFile::Saved(const TpxImageInfo& info)
{
    FInfo = info;
    FModified = false;
    FSavedSinceLoad = true;
}

void TDocumentFile::SetSize(int width, int height)
{
    FInfo.Width = width;
    FInfo.Height = height;
}

} // namespace kalvo
