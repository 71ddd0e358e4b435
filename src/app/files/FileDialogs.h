#pragma once
// The open and save dialogs of the main window: their filter lists, the save dialog's file-type
// preselection and default extension, and an interface that tests can replace.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace kalvo {

// Open dialog filters, index 1 first ("description (patterns)" as Qt expects them).
QStringList OpenDialogFilters();
// Save dialog filters, index 1 first.
QStringList SaveDialogFilters();
// The save dialog's default extension for a filter index (1 for the first type); empty for an
// index without a type.
QString DefaultExtensionForFilterIndex(int index);
// The filter index for the extension of fileName, or current when the extension has no type.
int SaveFilterIndexForFileName(const QString& fileName, int current);

class TFileDialogs {
public:
    virtual ~TFileDialogs() = default;
    // The picture open dialog; the chosen file or nothing when cancelled.
    virtual std::optional<QString> OpenFile(QWidget* parent);
    // The save dialog with an options button: starts with filterIndex and proposedName, asks
    // before overwriting; on OK returns the name (with the type's default extension appended when
    // typed without one) and the filter index in force.
    virtual std::optional<QString> SaveFile(QWidget* parent, int& filterIndex, const QString& proposedName,
                                            const std::function<void()>& optionsClicked);
    // The palette file dialogs ("PAL ファイル(*.pal)", default extension ".pal"), starting in
    // folder; the save dialog asks before overwriting. The chosen file or nothing.
    virtual std::optional<QString> OpenPaletteFile(QWidget* parent, const QString& folder);
    virtual std::optional<QString> SavePaletteFile(QWidget* parent, const QString& folder);

private:
    // What the open dialog keeps from one run to the next.
    QString FOpenDirectory;
    bool FEnablePreview = true;
};

} // namespace kalvo
