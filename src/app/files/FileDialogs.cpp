#include "app/files/FileDialogs.h"

#include "app/dialogs/OptionSaveDialog.h"
#include "app/dialogs/PictureOpenDialog.h"
#include "codecs/FileExtension.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvo {

namespace {

// Qt reads the patterns between the last parentheses, separated by blanks; the dialogs show the
// description alone (HideNameFilterDetails).
QString qtFilter(std::string_view caption, const std::string& patterns)
{
    return QString::fromUtf8(caption.data(), qsizetype(caption.size())) + " ("
        + QString::fromStdString(patterns).replace(';', ' ') + ")";
}

// The formats the save dialog offers, index 1 first.
std::vector<const TFormatEntry*> savedFormats()
{
    std::vector<const TFormatEntry*> formats;
    for (const TFormatEntry& entry : FormatTable())
        if (!entry.saveCaption.empty())
            formats.push_back(&entry);
    return formats;
}

} // namespace

QStringList OpenDialogFilters()
{
    std::string all;
    QStringList result;
    for (const TFormatEntry& entry : FormatTable()) {
        if (entry.openCaption.empty())
            continue;
        if (!all.empty())
            all += ';';
        all += ExtensionPatterns(entry.listed);
        // "All images" takes every extension that opens, also those no entry lists (.rle, .jpc, .j2c).
        if (!entry.alsoRead.empty())
            all += ';' + ExtensionPatterns(entry.alsoRead);
        result << qtFilter(entry.openCaption, ExtensionPatterns(entry.listed));
    }
    result.prepend(qtFilter("すべてのイメージ", all));
    return result;
}

QStringList SaveDialogFilters()
{
    QStringList result;
    for (const TFormatEntry* entry : savedFormats())
        result << qtFilter(entry->saveCaption, ExtensionPatterns(entry->listed));
    return result;
}

QString DefaultExtensionForFilterIndex(int index)
{
    const std::vector<const TFormatEntry*> formats = savedFormats();
    if (index < 1 || index > int(formats.size()))
        return {};
    const std::string_view listed = formats[std::size_t(index - 1)]->listed;
    return QString::fromStdString(std::string(listed.substr(0, listed.find(';'))));
}

int SaveFilterIndexForFileName(const QString& fileName, int current)
{
    const TImageFormat format = FormatFromFileName(fileName.toStdString());
    const std::vector<const TFormatEntry*> formats = savedFormats();
    for (std::size_t i = 0; i < formats.size(); ++i)
        if (formats[i]->format == format)
            return int(i) + 1;
    return current;
}

std::optional<QString> TFileDialogs::OpenFile(QWidget* parent)
{
    TPictureOpenDialog dialog(parent, QStringLiteral("開く"));
    dialog.setNameFilters(OpenDialogFilters());
    // Room for the file list beside the preview.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(860, 520)));
    dialog.SetEnablePreview(FEnablePreview);
    if (!FOpenDirectory.isEmpty())
        dialog.setDirectory(FOpenDirectory);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    FEnablePreview = dialog.EnablePreview();
    FOpenDirectory = dialog.directory().absolutePath();
    if (!accepted)
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> TFileDialogs::SaveFile(QWidget* parent, int& filterIndex, const QString& proposedName,
                                              const std::function<void()>& optionsClicked)
{
    TOptionSaveDialog dialog(parent, QStringLiteral("名前を付けて保存"));
    const QStringList names = SaveDialogFilters();
    dialog.setNameFilters(names);
    if (filterIndex >= 1 && filterIndex <= names.size())
        dialog.selectNameFilter(names[filterIndex - 1]);
    dialog.setDefaultSuffix(DefaultExtensionForFilterIndex(filterIndex));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        filterIndex = int(names.indexOf(filter)) + 1;
        dialog.setDefaultSuffix(DefaultExtensionForFilterIndex(filterIndex));
    });
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    dialog.OnButtonClick = optionsClicked;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    filterIndex = int(names.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().first();
}

namespace {

std::optional<QString> paletteFileDialog(QWidget* parent, const QString& folder, bool save)
{
    QFileDialog dialog(parent, save ? QStringLiteral("パレットのエクスポート") : QStringLiteral("パレットのインポート"),
                       folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("PAL ファイル(*.pal)"));
    dialog.setDefaultSuffix(QStringLiteral("pal"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

std::optional<QString> TFileDialogs::OpenPaletteFile(QWidget* parent, const QString& folder)
{
    return paletteFileDialog(parent, folder, false);
}

std::optional<QString> TFileDialogs::SavePaletteFile(QWidget* parent, const QString& folder)
{
    return paletteFileDialog(parent, folder, true);
}

} // namespace kalvo
