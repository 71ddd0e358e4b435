#pragma once
// The main window's colour dialog (with its 16 custom colours), replaceable by tests.
#include "image/Color.h"

#include <functional>

class QWidget;

namespace kalvo {

// Shows the colour dialog starting at colour; on OK stores the choice and returns true.
bool ChooseColor(QWidget* parent, TColor& colour);

// Replaces the dialog with handler (tests); an empty handler restores the real one.
using TColorChoiceHandler = std::function<bool(TColor& colour)>;
void SetColorChoiceHandler(TColorChoiceHandler handler);

} // namespace kalvo
