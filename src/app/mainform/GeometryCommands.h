#pragma once
// The picture's geometry in the Image menu: crop to the selection (acCrop), quarter turns and
// mirrors (acRotateRight, acRotateLeft, acRotate180, acFlipHorizontal, acFlipVertical), rotation
// by any angle (acRotateAngle) and the canvas size (acCanvasSize). Each is one undo step of
// picture and selection named after its command.
namespace kalvo {

class TKalvoMainForm;

// Creates the commands as actions of the window, found by their names.
void CreateGeometryActions(TKalvoMainForm& form);

} // namespace kalvo
