#include "app/dialogs/PictureOpenDialog.h"

#include "app/controls/JapaneseFont.h"
#include "app/dialogs/PreviewLoader.h"
#include "app/dialogs/PreviewPaintBox.h"
#include "app/dialogs/PreviewText.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

namespace kalvo {

namespace {

constexpr int kPaintBoxWidth = 150;
constexpr int kPaintBoxMinimumHeight = 150;

} // namespace

TPictureOpenDialog::TPictureOpenDialog(QWidget* parent, const QString& caption)
    : QFileDialog(parent, caption),
      FLoader(new TPreviewLoader(this)),
      FPreviewBaseColor(QApplication::palette().color(QPalette::Button))
{
    setObjectName(QStringLiteral("OpenPictureDialog1"));
    setOption(QFileDialog::DontUseNativeDialog);
    // The descriptions name their extensions already.
    setOption(QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::ExistingFile);
    buildPreviewPane();
    FLoader->OnLoaded = [this](const QString& fileName, const std::optional<TPreviewPicture>& preview) {
        previewLoaded(fileName, preview);
    };
    connect(this, &QFileDialog::currentChanged, this, &TPictureOpenDialog::SelectionChanged);
    // A name typed into the name box selects the matching file without making it current.
    if (auto* list = findChild<QListView*>(QStringLiteral("listView")); list && list->selectionModel())
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, list] {
            const QModelIndexList rows = list->selectionModel()->selectedRows();
            if (rows.size() == 1)
                SelectionChanged(rows.first().data(QFileSystemModel::FilePathRole).toString());
        });
}

TPictureOpenDialog::~TPictureOpenDialog() = default;

void TPictureOpenDialog::buildPreviewPane()
{
    PicturePanel = new QFrame(this);
    PicturePanel->setObjectName(QStringLiteral("PicturePanel"));
    PicturePanel->setFrameShape(QFrame::NoFrame);
    auto* column = new QVBoxLayout(PicturePanel);
    column->setContentsMargins(6, 6, 6, 6);

    PaintPanel = new QFrame(PicturePanel);
    PaintPanel->setObjectName(QStringLiteral("PaintPanel"));
    PaintPanel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    PaintPanel->setLineWidth(1);
    PaintPanel->setAutoFillBackground(true);
    auto* inner = new QVBoxLayout(PaintPanel);
    inner->setContentsMargins(1, 1, 1, 1);
    PaintBox = new TPreviewPaintBox(PaintPanel);
    PaintBox->setObjectName(QStringLiteral("PaintBox"));
    PaintBox->setFixedWidth(kPaintBoxWidth);
    PaintBox->setMinimumHeight(kPaintBoxMinimumHeight);
    PaintBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    PaintBox->OnResized = [this] {
        // A new box size needs a new fit; a load in progress already uses the new size.
        if (!FShownFile.isEmpty() && FEnablePreview && !FLoader->Busy())
            previewFile(FShownFile);
    };
    inner->addWidget(PaintBox);
    column->addWidget(PaintPanel, 1, Qt::AlignLeft);
    SetPreviewBaseColor(FPreviewBaseColor);

    for (QLabel** label : {&PictureLabel1, &PictureLabel2, &PictureLabel3}) {
        *label = new QLabel(PicturePanel);
        (*label)->setTextFormat(Qt::PlainText);
        (*label)->setFont(JapaneseTextFont((*label)->font()));
        column->addWidget(*label);
    }
    PictureLabel1->setObjectName(QStringLiteral("PictureLabel1"));
    PictureLabel2->setObjectName(QStringLiteral("PictureLabel2"));
    PictureLabel3->setObjectName(QStringLiteral("PictureLabel3"));
    // Room for the longest information line, so that highlighting files does not resize the dialog.
    PicturePanel->setMinimumWidth(
        PictureLabel1->fontMetrics().horizontalAdvance(PictureSizeLine(65535, 65535, 24) + QStringLiteral("xxxxxxxx")));

    PreviewCheckBox = new QCheckBox(QStringLiteral("プレビュー(&P)"), PicturePanel);
    PreviewCheckBox->setObjectName(QStringLiteral("PreviewCheckBox"));
    PreviewCheckBox->setChecked(true);
    connect(PreviewCheckBox, &QCheckBox::clicked, this, &TPictureOpenDialog::previewCheckBoxClick);
    column->addWidget(PreviewCheckBox);

    // Beside the folder view, the file list and the name and type rows.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(PicturePanel, 0, grid->columnCount(), grid->rowCount(), 1);
}

void TPictureOpenDialog::SetEnablePreview(bool on)
{
    PreviewCheckBox->setChecked(on);
    previewCheckBoxClick(on);
}

void TPictureOpenDialog::SetPreviewBaseColor(const QColor& color)
{
    FPreviewBaseColor = color;
    QPalette palette = PaintPanel->palette();
    palette.setColor(QPalette::Window, color);
    PaintPanel->setPalette(palette);
}

bool TPictureOpenDialog::PreviewPending() const
{
    return FLoader->Busy();
}

void TPictureOpenDialog::SelectionChanged(const QString& fileName)
{
    FSelectedFile = fileName;
    if (FEnablePreview)
        previewFile(fileName);
}

void TPictureOpenDialog::previewFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    const QFileInfo info(fileName);
    if (!info.isFile())
        return;
    // The list reports one highlight both as the current file and as the selection.
    if (info.absoluteFilePath() == FRequestedFile && FLoader->Busy())
        return;
    FRequestedFile = info.absoluteFilePath();
    FSizeText = FileSizeLine(info.size());
    FDateText = ModifiedLine(info.lastModified());
    FRequestedBox = PaintBox->DeviceSize();
    FLoader->Request(FRequestedFile, FRequestedBox);
}

void TPictureOpenDialog::previewLoaded(const QString& fileName, const std::optional<TPreviewPicture>& preview)
{
    if (fileName != FRequestedFile || !FEnablePreview)
        return;
    if (!preview) {
        clearPreview();
        return;
    }
    FShownFile = fileName;
    PictureLabel1->setText(PictureSizeLine(preview->Width, preview->Height, preview->BitCount));
    PictureLabel2->setText(FSizeText);
    PictureLabel3->setText(FDateText);
    PaintBox->SetPicture(preview->Picture, PaintBox->devicePixelRatioF());
    // The box changed size while the picture loaded: fit it again.
    if (PaintBox->DeviceSize() != FRequestedBox)
        previewFile(FShownFile);
}

void TPictureOpenDialog::clearPreview()
{
    FShownFile.clear();
    PictureLabel1->clear();
    PictureLabel2->clear();
    PictureLabel3->clear();
    PaintBox->ClearPicture();
}

void TPictureOpenDialog::previewCheckBoxClick(bool checked)
{
    FEnablePreview = checked;
    if (!checked) {
        FLoader->Cancel();
        clearPreview();
        return;
    }
    previewFile(FSelectedFile);
}

} // namespace kalvo
