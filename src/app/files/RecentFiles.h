#pragma once
// The recent-file list: up to 16 full paths, newest first, kept in a file shared by every running
// instance. The list watches its file and reloads it whenever it is replaced, by this instance or
// another one.
#include <QObject>
#include <QStringList>

class QFileSystemWatcher;

namespace kalvo {

class TRecentFileList : public QObject {
    Q_OBJECT
public:
    explicit TRecentFileList(QString fileName, QObject* parent = nullptr);

    const QString& FileName() const { return FFileName; }
    const QStringList& Items() const { return FItems; }
    QStringList Captions() const;

    // Puts name at the top: an entry equal but for letter case moves there and takes the new
    // spelling. Entries beyond 16 drop off the end. The file is not written.
    void Add(const QString& name);
    // Deletes the entry equal to name but for letter case; false when there is none.
    bool Remove(const QString& name);
    void MoveToTop(int index);

    // Replaces the list by the file's entries; a missing or unreadable file gives an empty list.
    void LoadFromFile();
    // Writes the list atomically; false when it could not be written.
    bool SaveToFile();

    // Reload the list whenever its file changes on disk.
    void SetWatching(bool on);

signals:
    void Changed();

private:
    void setItems(QStringList items);
    void rearm();
    int indexOf(const QString& name) const;

    QString FFileName;
    QStringList FItems;
    QFileSystemWatcher* FWatcher = nullptr;
};

} // namespace kalvo
