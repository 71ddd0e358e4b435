#pragma once
// The handlers of the picture's geometry in the Image menu: crop to the selection, quarter turns
// and mirrors (exact at every depth), rotation by any angle and the canvas size. Each is one
// undo step of picture and selection named after its command.
namespace kalvo {

class TKalvoMainForm;

void RunCrop(TKalvoMainForm& form);
void RunRotateRight(TKalvoMainForm& form);
void RunRotateLeft(TKalvoMainForm& form);
void RunRotate180(TKalvoMainForm& form);
void RunRotateByAngle(TKalvoMainForm& form);
void RunFlipHorizontal(TKalvoMainForm& form);
void RunFlipVertical(TKalvoMainForm& form);
void RunCanvasSize(TKalvoMainForm& form);

} // namespace kalvo
