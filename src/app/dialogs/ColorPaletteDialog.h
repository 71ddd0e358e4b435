#pragma once
// The colour-palette dialog: the palette in a colour grid with the selected entry's index, red,
// green and blue and its web notation. The arrow keys move the selection (left -1, up -16,
// right +1, down +16) wherever the focus is; a double click edits the entry in the colour dialog
// or, when the dialog chooses a colour for a command, acts as OK.
#include "image/Color.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvo {

class TpxColorGrid;

class TKVfrmColorPalette : public QDialog {
    Q_OBJECT
public:
    explicit TKVfrmColorPalette(QWidget* parent = nullptr);

    // A double click accepts the dialog instead of editing the entry.
    void SetDoubleClickAccepts(bool on) { FDoubleClickAccepts = on; }

    TpxColorGrid* ColorGrid;
    QLabel* lblIndex;
    QLabel* lblRed;
    QLabel* lblGreen;
    QLabel* lblBlue;
    QLineEdit* edtWebColor;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    // Moves the selection by step when the target is an entry; true when it moved.
    bool MoveSelection(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectionChanged();
    void gridDoubleClicked();

    bool FDoubleClickAccepts = false;
};

} // namespace kalvo
