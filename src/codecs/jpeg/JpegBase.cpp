#include "codecs/jpeg/JpegBase.h"

#include <cmath>

namespace kalvo {

namespace jpegdetail {

// The one frame that error_exit jumps back to. It holds only plain data, so the jump skips no
// destructor.
bool RunGuardedStep(std::jmp_buf& jump, void (*step)(void*), void* context)
{
    if (setjmp(jump) != 0)
        return false;
    step(context);
    return true;
}

} // namespace jpegdetail

TJPEGBase::TJPEGBase() = default;

void TJPEGBase::prepareErrorManager(jpeg_common_struct* common)
{
    common_ = common;
    jpeg_std_error(&err_.pub);
    err_.pub.error_exit = &TJPEGBase::errorExit;
    err_.pub.emit_message = &TJPEGBase::emitMessage;
    err_.owner = this;
    err_.message[0] = '\0';
    common->err = &err_.pub;
    progress_.pub.progress_monitor = &TJPEGBase::progressMonitor;
    progress_.owner = this;
}

void TJPEGBase::attachProgress()
{
    common_->progress = &progress_.pub;
}

int TJPEGBase::PercentDone() const
{
    const jpeg_progress_mgr& p = progress_.pub;
    if (p.total_passes <= 0)
        return 0;
    const double inPass = p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0;
    return int(std::nearbyint((inPass + p.completed_passes) / p.total_passes * 100.0));
}

void TJPEGBase::Abort()
{
    if (inProgress_) {
        abortRequested_ = true;
        return;
    }
    inAbort_ = true;
    jpeg_abort(common_);
    inAbort_ = false;
}

void TJPEGBase::raiseFailure()
{
    if (parked_) {
        std::exception_ptr e = parked_;
        parked_ = nullptr;
        std::rethrow_exception(e);
    }
    throw EJPEGError(err_.message);
}

void TJPEGBase::parkCurrentException() noexcept
{
    parked_ = std::current_exception();
}

void TJPEGBase::leaveLibrary(jpeg_common_struct* common)
{
    (*common->err->error_exit)(common);
    std::abort(); // error_exit does not return
}

void TJPEGBase::setProgressComplete()
{
    progress_.pub.pass_counter = 0;
    progress_.pub.completed_passes = progress_.pub.total_passes;
    reportProgress();
    if (parked_) {
        Abort();
        raiseFailure();
    }
}

void TJPEGBase::reportProgress() noexcept
{
    if (!OnProgressReport)
        return;
    inProgress_ = true;
    try {
        OnProgressReport();
    } catch (...) {
        parkCurrentException();
    }
    inProgress_ = false;
}

void TJPEGBase::checkAbortRequest()
{
    if (!abortRequested_)
        return;
    abortRequested_ = false;
    Abort();
    throw EJPEGError("User Interrupt");
}

void TJPEGBase::errorExit(jpeg_common_struct* common)
{
    auto* err = reinterpret_cast<TJpegErrorMgr*>(common->err);
    (*common->err->format_message)(common, err->message);
    if (!err->owner->inAbort_) {
        err->owner->inAbort_ = true;
        jpeg_abort(common);
        err->owner->inAbort_ = false;
    }
    std::longjmp(err->jump, 1);
}

bool TJPEGBase::deliverMessage(int level) noexcept
{
    jpeg_error_mgr& pub = err_.pub;
    bool show;
    if (level < 0) {
        show = pub.num_warnings == 0 || pub.trace_level > 2;
        ++pub.num_warnings;
    } else {
        show = pub.trace_level >= level;
    }
    if (!show || !OnWarning)
        return true;
    try {
        char text[JMSG_LENGTH_MAX];
        (*pub.format_message)(common_, text);
        OnWarning(text);
    } catch (...) {
        parkCurrentException();
        return false;
    }
    return true;
}

void TJPEGBase::emitMessage(jpeg_common_struct* common, int level)
{
    auto* err = reinterpret_cast<TJpegErrorMgr*>(common->err);
    if (!err->owner->deliverMessage(level))
        leaveLibrary(common);
}

void TJPEGBase::progressMonitor(jpeg_common_struct* common)
{
    TJPEGBase* self = reinterpret_cast<TJpegProgressMgr*>(common->progress)->owner;
    self->reportProgress();
    if (self->parked_)
        leaveLibrary(common);
    if (common->is_decompressor) {
        // A hostile progressive file can hold thousands of tiny scans; no encoder writes more
        // than a few dozen.
        constexpr int kMaxScans = 1000;
        auto* d = reinterpret_cast<jpeg_decompress_struct*>(common);
        if (d->progressive_mode && d->input_scan_number > kMaxScans) {
            std::snprintf(self->err_.message, sizeof self->err_.message,
                          "Too many scans in progressive JPEG (more than %d)", kMaxScans);
            self->parked_ = std::make_exception_ptr(EJPEGError(self->err_.message));
            leaveLibrary(common);
        }
    }
}

} // namespace kalvo
