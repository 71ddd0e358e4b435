#pragma once
// The OK and キャンセル buttons at the right of a dialog's bottom row.
class QDialog;
class QHBoxLayout;
class QPushButton;

namespace kalvo {

// Creates OK (the default button, accepts the dialog) and キャンセル (rejects it) and returns the
// row that holds them.
QHBoxLayout* MakeOkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

} // namespace kalvo
