#pragma once
// The resize dialog: the new size as pixels or as percentages of the current size, with the
// aspect kept on request and the choice of smooth resampling. Edits in one field update the
// linked fields, but only while that field has the focus (so that the updates themselves do not
// echo back).
#include "app/dialogs/SizeFields.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kalvo {

class TpxNumericEdit;

class TKVfrmResize : public QDialog {
    Q_OBJECT
public:
    // The largest side the fields accept: the largest bitmap side.
    static constexpr int kMaxSide = 65535;
    static constexpr int kMaxPercent = 10000;

    // width x height is the current image size.
    TKVfrmResize(int width, int height, QWidget* parent = nullptr);

    // The chosen size, limited to the fields' ranges.
    int NewWidth() const;
    int NewHeight() const;
    bool KeepAspect() const;
    void SetKeepAspect(bool on);
    bool Resample() const;
    void SetResample(bool on);

    void accept() override;

    QLabel* lblCurrentSize;
    QRadioButton* rbSize;
    QRadioButton* rbRatio;
    TpxNumericEdit* edtWidth;
    TpxNumericEdit* edtHeight;
    TpxNumericEdit* edtPercentX;
    TpxNumericEdit* edtPercentY;
    QCheckBox* cbKeepAspect;
    QCheckBox* cbResample;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

private:
    void chooseGroup(bool bySize);
    void widthChanged();
    void heightChanged();
    void percentXChanged();
    void percentYChanged();
    void updatePercents();

    int FWidth;
    int FHeight;
    TSizeFields FSizeFields;
};

} // namespace kalvo
