#pragma once
// Replacing files safely: the new content is written to a temporary file in the target's
// directory and renamed over the target only when it is complete, so that a failed or
// interrupted write never truncates or loses the old file and leaves no stray file behind.
#include <functional>
#include <string>

namespace kalvo {

// Creates an empty temporary file beside target and calls write(tempPath), which fills it (it
// may reopen and truncate it). When write returns, the file is given the target's permissions
// (or the usual ones for a new file), its data is synced to the disk (fdatasync), it is renamed
// over target and the directory is synced (fsync), so that a power cut at any moment leaves the
// old file or the complete new one, never an empty one. The rename is the commit point. When write
// throws, or any step fails, the temporary file is removed and the exception passes on
// (EFileError for the file steps). Creating the temporary file is the first step and fails with
// EFileError when the directory cannot be written.
void WriteFileAtomically(const std::string& target, const std::function<void(const std::string& tempPath)>& write);

} // namespace kalvo
