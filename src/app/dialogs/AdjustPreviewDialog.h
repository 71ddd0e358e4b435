#pragma once
// The base of the photo adjustment dialogs (brightness and contrast, hue and saturation, levels,
// blur, sharpen): the preview dialog showing the adjustment of the visible part of the picture
// inside its selection over a view of the canvas's picture (nothing copied), with the fields'
// values kept in the dialog's own settings section (read on creation, written by OK together
// with the auto-preview toggle).
#include "app/dialogs/PreviewDialog.h"
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"

#include <QRect>
#include <QString>

#include <optional>

namespace kalvo {

class TpxImage;

class TKVfrmAdjustPreview : public TKVfrmPreviewBase {
    Q_OBJECT
public:
    // source: the canvas whose image and selection the preview shows and reads (unchanged while
    // the dialog is open); section: the settings section of the values.
    TKVfrmAdjustPreview(const TpxImage& source, const QString& title, const QString& section,
                        QWidget* parent = nullptr);

    // Applies the dialog's values to a 24-bit source inside area (none = all) through mask (null:
    // everything in the area), as the command does, writing image: source itself, or a bitmap of
    // its layout whose pixels are undefined, which then receives every pixel (unchanged ones
    // copied). False when the source is not 24-bit.
    virtual bool Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
                       const TProgressCallback& progress = {}) const = 0;
    // The image area the last preview computed (empty before the first).
    QRect PreviewArea() const { return FPatched; }

    void accept() override;

protected:
    // Shows field index with its caption and range (in units of 10^-decimals) and its value
    // from the settings key (def when missing); fields not added stay hidden.
    void AddField(int index, const QString& caption, int minimum, int maximum, int ticks, const QString& key, int def,
                  int decimals = 0);
    // Ends the subclass's constructor: the auto-preview toggle from the settings, the track bars,
    // the first preview.
    void Start();
    // How far beyond a pixel the adjustment reads (the blur's reach): the preview computes that
    // margin around the visible area too.
    virtual int Reach() const { return 0; }
    void Preview() override;
    // The picture at 24 bits and the selection mask (null without a selection), as the command
    // sees them.
    const TBitmap& Original();
    const TBitmap* Mask();

    const QString FSection;

private:
    void prepare();

    QString FKeys[kFieldCount];
    // The canvas the dialog was opened on: its picture and mask stay as they are while the modal
    // dialog is open, so the preview reads them there instead of from copies.
    const TpxImage& FSource;
    const TBitmap* FOriginalShown = nullptr;
    const TBitmap* FMaskShown = nullptr;
    std::optional<TBitmap> FOriginal; // only a picture of another depth, converted
    std::optional<TBitmap> FMask;     // only a mask made from the region
    bool FPrepared = false;
    QRect FPatched;
};

} // namespace kalvo
