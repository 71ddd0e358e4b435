#pragma once
// Rotating or flipping a JPEG file in place without re-encoding it.
#include <string>

namespace kalvo {

// Transforms fileName losslessly (a transformation code of LosslessTransform.h; all markers are
// kept). The transformation applies to the picture as shown: a file whose EXIF orientation turns
// it upright gets the orientation composed with the transformation and then orientation 1, so
// that it never turns twice. and replaces it by renaming the complete new file over it, so that the original is never
// lost. With keepTimestamp the replaced file keeps the original's modification time (the creation
// time cannot be set here). On failure the file is untouched and no temporary file remains;
// throws EPXJpegException or EFileError with the reason.
void ReplaceJpegLossless(const std::string& fileName, int transform, bool keepTimestamp);

// The transformation code of the lossless dialog's list item (0: 90°, 1: 180°, 2: 270°,
// 3: vertical flip, 4: horizontal flip); -1 for anything else.
int LosslessCodeForDialogItem(int itemIndex);

} // namespace kalvo
