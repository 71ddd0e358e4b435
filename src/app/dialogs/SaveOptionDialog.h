#pragma once
// The save-options dialog: JPEG quality and the JPEG 2000 choice between reversible and lossy
// compression with its quality, and the WebP quality and lossless choice.
#include <QDialog>

class QTabWidget;
class QSlider;
class QRadioButton;
class QPushButton;
class QCheckBox;

namespace kalvo {

class TpxNumericEdit;
struct TpxImageInfo;

class TKVfrmSaveOption : public QDialog {
    Q_OBJECT
public:
    explicit TKVfrmSaveOption(QWidget* parent = nullptr);

    // Shows the options of info; on OK writes them back. Returns true on OK.
    static bool Execute(QWidget* parent, TpxImageInfo& info);

    // Loads the save options into the controls.
    void SetOptions(const TpxImageInfo& info);
    // Copies the controls into the save options of info.
    void GetOptions(TpxImageInfo& info) const;

    QTabWidget* PageControl1;
    QSlider* TrackBar1;
    TpxNumericEdit* pxNumericEdit1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QSlider* TrackBar2;
    TpxNumericEdit* pxNumericEdit2;
    QSlider* WebpQualityBar;
    TpxNumericEdit* WebpQualityEdit;
    QCheckBox* WebpLosslessCheck;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void CompressModeClick();
    QWidget* createJpegPage();
    QWidget* createJpeg2kPage();
    QWidget* createWebpPage();
};

} // namespace kalvo
