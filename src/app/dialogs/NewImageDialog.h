#pragma once
// The new image dialog: width and height (1..9999 pixels) and the canvas colour, all remembered
// in the "NEWIMAGE" section. OK stores the values before the dialog closes; Cancel stores nothing.
#include <QDialog>

class QComboBox;
class QPushButton;

namespace kalvo {

class TpxNumericEdit;

class TKVfrmNewImage : public QDialog {
    Q_OBJECT
public:
    explicit TKVfrmNewImage(QWidget* parent = nullptr);

    TpxNumericEdit* pxNumericEdit1; // width
    TpxNumericEdit* pxNumericEdit2; // height
    QComboBox* ComboBox1;           // canvas colour index
    QPushButton* Button1;           // OK
    QPushButton* Button2;           // Cancel

    void accept() override;
};

} // namespace kalvo
