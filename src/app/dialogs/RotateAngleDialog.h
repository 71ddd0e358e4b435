#pragma once
// The free rotation dialog: an angle from -360 to 360 degrees in tenths, clockwise for positive
// values. The last angle is kept in the "RotateAngle" section (read on creation, written by OK).
#include <QDialog>

class QDoubleSpinBox;
class QPushButton;

namespace kalvo {

class TKVfrmRotateAngle : public QDialog {
    Q_OBJECT
public:
    explicit TKVfrmRotateAngle(QWidget* parent = nullptr);

    // The angle in tenths of a degree.
    int AngleTenths() const;
    void SetAngleTenths(int tenths);

    void accept() override;

    QDoubleSpinBox* edtAngle;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};

} // namespace kalvo
