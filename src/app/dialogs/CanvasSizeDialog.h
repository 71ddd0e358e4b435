#pragma once
// The canvas size dialog: the new width and height in pixels or as percentages of the current
// size, where the picture sits on the new canvas (a 3 x 3 choice) and the colour of the new area
// (the background colour, or one of the user's choosing). Its values are kept in the
// "CanvasSize" section (read on creation, written by OK).
#include "app/dialogs/SizeFields.h"
#include "image/Color.h"
#include "imaging/geometry/CanvasSize.h"

#include <QDialog>

#include <array>

class QAbstractButton;
class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace kalvo {

class TColorSwatch;
class TpxNumericEdit;

class TKVfrmCanvasSize : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxSide = 65535;
    static constexpr int kMaxPercent = 10000;

    // width x height is the current picture size; background the current background colour.
    TKVfrmCanvasSize(int width, int height, TColor background, QWidget* parent = nullptr);

    int NewWidth() const;
    int NewHeight() const;
    TAnchor Anchor() const;
    TColor FillColor() const;

    void accept() override;

    TpxNumericEdit* edtWidth;
    TpxNumericEdit* edtHeight;
    TpxNumericEdit* edtPercentX;
    TpxNumericEdit* edtPercentY;
    QRadioButton* rbSize;
    QRadioButton* rbRatio;
    std::array<QAbstractButton*, 9> btnAnchor{}; // row by row from the top left
    QRadioButton* rbBackground;
    QRadioButton* rbOtherColor;
    TColorSwatch* pbColor;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    void chooseGroup(bool bySize);
    void chooseColor();
    int side(bool horizontal) const;

    int FWidth;
    int FHeight;
    TColor FBackground;
    TSizeFields FSizeFields;
    QButtonGroup* FAnchors;
};

} // namespace kalvo
