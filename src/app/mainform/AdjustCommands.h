#pragma once
// The photo adjustments of the Effects menu (acBrightnessContrast, acHueSaturation, acLevels,
// acGaussianBlur, acSharpen, acGrayscale), kept together: one table of commands and handlers.
namespace kalvo {

class TKalvoMainForm;

// Creates the commands as actions of the window, found by their names.
void CreateAdjustCommands(TKalvoMainForm& form);

} // namespace kalvo
