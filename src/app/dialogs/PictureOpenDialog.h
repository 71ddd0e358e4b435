#pragma once
// The picture open dialog: the standard (non-native) open dialog with a preview pane beside the
// file list showing the highlighted picture scaled to fit, its pixel size and depth, file size
// and last modification, and a check box that switches the preview off.
#include <QColor>
#include <QFileDialog>

#include <optional>

class QCheckBox;
class QFrame;
class QLabel;

namespace kalvo {

class TPreviewLoader;
class TPreviewPaintBox;
struct TPreviewPicture;

class TPictureOpenDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit TPictureOpenDialog(QWidget* parent = nullptr, const QString& caption = QString());
    ~TPictureOpenDialog() override;

    bool EnablePreview() const { return FEnablePreview; }
    // Also sets the check box; switching off clears the preview, switching on previews the
    // highlighted file again.
    void SetEnablePreview(bool on);
    QColor PreviewBaseColor() const { return FPreviewBaseColor; }
    void SetPreviewBaseColor(const QColor& color);

    // The selection-changed handling: with the preview on and fileName an existing file, starts
    // its preview (shown when it has loaded; a file that does not load clears the preview). A
    // folder, a name that does not exist or the preview off leave the preview as it is.
    void SelectionChanged(const QString& fileName);
    // A preview is still loading.
    bool PreviewPending() const;

    QFrame* PicturePanel;
    QLabel* PictureLabel1;
    QLabel* PictureLabel2;
    QLabel* PictureLabel3;
    QCheckBox* PreviewCheckBox;
    QFrame* PaintPanel;
    TPreviewPaintBox* PaintBox;

private:
    void buildPreviewPane();
    void previewFile(const QString& fileName);
    void previewLoaded(const QString& fileName, const std::optional<TPreviewPicture>& preview);
    void clearPreview();
    void previewCheckBoxClick(bool checked);

    TPreviewLoader* FLoader;
    bool FEnablePreview = true;
    QColor FPreviewBaseColor;
    QString FSelectedFile;  // the name highlighted last
    QString FRequestedFile; // the file the pending preview is for
    QSize FRequestedBox;    // and the box it is fitted to
    QString FSizeText;      // its information from the directory entry
    QString FDateText;
    QString FShownFile; // the file whose preview is shown
};

} // namespace kalvo
