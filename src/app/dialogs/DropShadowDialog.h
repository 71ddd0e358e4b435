#pragma once
// The drop-shadow dialog: offsets, blur and transparency with the shadow colour, previewed on a
// copy of the picture. Its values are kept in the "DropShadow" section (read on creation,
// written by OK).
#include "app/dialogs/PreviewDialog.h"
#include "image/Bitmap.h"
#include "imaging/effects/DropShadow.h"

#include <QRect>

#include <optional>

namespace kalvo {

class TpxImage;

// The colour swatch: a filled rectangle with a black frame that reports clicks.
class TColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget* parent = nullptr);
    TColor Color() const { return FColor; }
    void SetColor(TColor colour);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TColor FColor = clBlack;
};

class TKVfrmDropShadow : public TKVfrmPreviewBase {
    Q_OBJECT
public:
    // source: the canvas whose image, selection and colours the preview copies.
    explicit TKVfrmDropShadow(const TpxImage& source, QWidget* parent = nullptr);

    TDropShadowParams Params() const;
    TColorSwatch* pbShadowColor;
    // The image area the last preview computed (empty before the first).
    QRect PreviewArea() const { return FPatched; }

    void accept() override;

protected:
    void Preview() override;
    QString HelpText() const override;

private:
    void chooseColor();

    std::optional<TBitmap> FOriginal; // the preview image as it was, at 24 bits
    TBitmap FMask;
    QRect FPatched;
};

} // namespace kalvo
