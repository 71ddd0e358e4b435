#pragma once
// The handlers of the photo adjustments of the Effects menu (acBrightnessContrast,
// acHueSaturation, acLevels, acGaussianBlur, acSharpen, acGrayscale): each works inside the
// selection or on the whole picture, as one undo step named after the command.
namespace kalvo {

class TKalvoMainForm;

void RunBrightnessContrast(TKalvoMainForm& form);
void RunHueSaturation(TKalvoMainForm& form);
void RunLevels(TKalvoMainForm& form);
void RunGaussianBlur(TKalvoMainForm& form);
void RunSharpen(TKalvoMainForm& form);
void RunGrayscale(TKalvoMainForm& form);

} // namespace kalvo
