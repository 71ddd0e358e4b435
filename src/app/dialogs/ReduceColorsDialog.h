#pragma once
// The colour-reduction dialog for 256, 16 or 2 colours: the palette (optimised or the fixed one)
// and the method (nearest colour or error diffusion). The choices are kept per colour count in
// the sections "Reduce8bit", "Reduce4bit" and "Reduce1bit" (read on creation, written by Store).
#include "imaging/colour/ReduceColors.h"

#include <QDialog>

class QRadioButton;
class QPushButton;

namespace kalvo {

class TKVfrmReduceColors : public QDialog {
    Q_OBJECT
public:
    // colors: 256, 16 or 2.
    explicit TKVfrmReduceColors(int colors, QWidget* parent = nullptr);

    // The settings section of a colour count.
    static QString SectionFor(int colors);

    TReducePalette PaletteChoice() const;
    bool Dither() const;
    // Writes both choices to the section.
    void Store() const;

    QRadioButton* rbOptimized;
    QRadioButton* rbFixed;
    QRadioButton* rbNearest;
    QRadioButton* rbDiffusion;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    int FColors;
};

} // namespace kalvo
