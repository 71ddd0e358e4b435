#include "app/FileDialogs.h"

#include "app/dialogs/OptionSaveDialog.h"
#include "app/dialogs/PictureOpenDialog.h"
#include "codecs/FileExtension.h"

#include <iterator>

namespace kalvo {

namespace {

struct Filter {
    const char* description;
    const char* patterns;
};

const Filter kOpenFilters[] = {
    // Every extension that opens, also those no other entry offers (.rle, .jpc, .j2c).
    {"すべてのイメージ", "*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jpe;*.jp2;*.j2k;*.jpc;*.j2c;*.png;*.gif;*.webp;*.tif;*.tiff;"
                         "*.heic;*.heif;*.avif"},
    {"ビットマップ イメージ(*.bmp;*.dib)", "*.bmp;*.dib"},
    {"JPEG イメージ(*.jpg;*.jpeg;*.jpe)", "*.jpg;*.jpeg;*.jpe"},
    {"JPEG2000 イメージ(*.jp2)", "*.jp2;*.j2k"},
    {"PNG イメージ(*.png)", "*.png"},
    {"GIF イメージ(*.gif)", "*.gif"},
    {"WebP イメージ(*.webp)", "*.webp"},
    {"TIFF イメージ(*.tif;*.tiff)", "*.tif;*.tiff"},
    {"HEIF イメージ(*.heic;*.heif;*.avif)", "*.heic;*.heif;*.avif"},
};

const Filter kSaveFilters[] = {
    {"ビットマップ イメージ(*.bmp)", "*.bmp;*.dib"},
    {"JPEG イメージ(*.jpg)", "*.jpg;*.jpeg;*.jpe"},
    {"JPEG2000 イメージ(*.jp2)", "*.jp2;*.j2k"},
    {"PNG イメージ(*.png)", "*.png"},
    {"GIF イメージ(*.gif)", "*.gif"},
    {"WebP イメージ(*.webp)", "*.webp"},
    {"TIFF イメージ(*.tif)", "*.tif;*.tiff"},
};

const char* const kDefaultExtensions[] = {"bmp", "jpg", "jp2", "png", "gif", "webp", "tif"};
static_assert(std::size(kDefaultExtensions) == std::size(kSaveFilters));

// Qt reads the patterns between the last parentheses, separated by blanks; the dialogs show the
// description alone (HideNameFilterDetails).
QString qtFilter(const Filter& f)
{
    return QString::fromUtf8(f.description) + " ("
         + QString::fromLatin1(f.patterns).replace(';', ' ') + ")";
}

template <std::size_t N>
QStringList filters(const Filter (&list)[N])
{
    QStringList result;
    for (const auto& f : list)
        result << qtFilter(f);
    return result;
}

} // namespace

QStringList OpenDialogFilters() { return filters(kOpenFilters); }
QStringList SaveDialogFilters() { return filters(kSaveFilters); }

QString DefaultExtensionForFilterIndex(int index)
{
    if (index < 1 || index > int(std::size(kDefaultExtensions)))
        return {};
    return QString::fromLatin1(kDefaultExtensions[index - 1]);
}

int SaveFilterIndexForFileName(const QString& fileName, int current)
{
    const std::string ext = AsciiUpper(ExtractFileExt(fileName.toStdString()));
    if (ext == ".BMP" || ext == ".DIB" || ext == ".RLE")
        return 1;
    if (ext == ".JPG" || ext == ".JPE" || ext == ".JPEG")
        return 2;
    if (ext == ".JP2" || ext == ".JPC" || ext == ".J2C" || ext == ".J2K")
        return 3;
    if (ext == ".PNG")
        return 4;
    if (ext == ".GIF")
        return 5;
    if (ext == ".WEBP")
        return 6;
    if (ext == ".TIF" || ext == ".TIFF")
        return 7;
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

std::optional<QString> TFileDialogs::SaveFile(QWidget* parent, int& filterIndex,
                                              const QString& proposedName,
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
    QFileDialog dialog(parent, save ? QStringLiteral("パレットのエクスポート") : QStringLiteral("パレットのインポート"), folder);
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
