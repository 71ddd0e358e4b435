#include "app/files/RecentFiles.h"

#include "app/settings/SafeWrite.h"
#include "config/RecentFileText.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>

namespace kalvo {

namespace {

// Enough for 16 paths of the longest accepted length; anything beyond is not read.
constexpr qint64 kMaxReadBytes = qint64(kMaxRecentFiles + 1) * (kMaxRecentPathChars * 4 + 2);

} // namespace

TRecentFileList::TRecentFileList(QString fileName, QObject* parent) : QObject(parent), FFileName(std::move(fileName))
{
}

QStringList TRecentFileList::Captions() const
{
    QStringList captions;
    for (int i = 0; i < FItems.size(); ++i)
        captions.push_back(RecentFileCaption(i, FItems.at(i)));
    return captions;
}

int TRecentFileList::indexOf(const QString& name) const
{
    for (int i = 0; i < FItems.size(); ++i)
        if (FItems.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TRecentFileList::setItems(QStringList items)
{
    if (items.size() > kMaxRecentFiles)
        items.erase(items.begin() + kMaxRecentFiles, items.end());
    if (items == FItems)
        return;
    FItems = std::move(items);
    emit Changed();
}

void TRecentFileList::Add(const QString& name)
{
    QStringList items = FItems;
    const int existing = indexOf(name);
    if (existing >= 0)
        items.removeAt(existing);
    items.prepend(name);
    setItems(std::move(items));
}

bool TRecentFileList::Remove(const QString& name)
{
    const int existing = indexOf(name);
    if (existing < 0)
        return false;
    QStringList items = FItems;
    items.removeAt(existing);
    setItems(std::move(items));
    return true;
}

void TRecentFileList::MoveToTop(int index)
{
    if (index <= 0 || index >= FItems.size())
        return;
    QStringList items = FItems;
    items.move(index, 0);
    setItems(std::move(items));
}

void TRecentFileList::LoadFromFile()
{
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setItems({});
        return;
    }
    setItems(ParseRecentFileText(file.read(kMaxReadBytes)));
}

bool TRecentFileList::SaveToFile()
{
    if (!WriteBytesAtomically(FFileName, RecentFileBytes(FItems)))
        return false;
    rearm();
    return true;
}

void TRecentFileList::SetWatching(bool on)
{
    if (!on) {
        delete FWatcher;
        FWatcher = nullptr;
        return;
    }
    if (FWatcher)
        return;
    FWatcher = new QFileSystemWatcher(this);
    // A replaced file is a new file: the directory tells about it, the file about edits in place.
    const auto reload = [this] {
        LoadFromFile();
        rearm();
    };
    connect(FWatcher, &QFileSystemWatcher::fileChanged, this, reload);
    connect(FWatcher, &QFileSystemWatcher::directoryChanged, this, reload);
    rearm();
}

void TRecentFileList::rearm()
{
    if (!FWatcher)
        return;
    const QString dir = QFileInfo(FFileName).absolutePath();
    if (!FWatcher->directories().contains(dir))
        FWatcher->addPath(dir);
    if (QFileInfo::exists(FFileName) && !FWatcher->files().contains(FFileName))
        FWatcher->addPath(FFileName);
}

} // namespace kalvo
