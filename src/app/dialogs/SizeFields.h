#pragma once
// The new-size fields the resize and canvas size dialogs share: "サイズで指定する(&S)" with a
// "横： [w] × 縦： [h] ピクセル" row and "比率で指定する(&R)" with a row of percentages. Only the
// chosen row is enabled. The widgets belong to the dialog given as parent.
#include <QString>

class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace kalvo {

class TpxNumericEdit;

struct TSizeFields {
    // width x height start the pixel fields, percentX and percentY the percentage fields.
    TSizeFields(QWidget* parent, int width, int height, int maxSide, int percentX, int percentY, int maxPercent);

    // Adds both choices, each followed by its row.
    void AddTo(QVBoxLayout* layout) const;
    // Checks one choice, enables its row and gives its first field the focus.
    void Choose(bool bySize) const;

    QRadioButton* rbSize;
    QRadioButton* rbRatio;
    TpxNumericEdit* edtWidth;
    TpxNumericEdit* edtHeight;
    TpxNumericEdit* edtPercentX;
    TpxNumericEdit* edtPercentY;

private:
    QWidget* FParent;
};

} // namespace kalvo
