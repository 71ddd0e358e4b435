#pragma once
// Common ground of the JPEG compressor and decompressor over the IJG 6b interface: the error
// manager, the progress monitor, warnings and aborting.
//
// Library errors never unwind C++ frames: every call into the library runs inside guarded(),
// whose error manager jumps back to one small frame that holds no objects with destructors and
// then throws EJPEGError with the library's message. Exceptions raised by our own callbacks
// (stream reads, event handlers) are parked, the library is left through the same jump, and the
// parked exception is rethrown on the C++ side.
//
// Messages of the adapter: "Unable to compress at %d bit resolution", "Image is Grayscale but
// colour output requested", "Read beyond end of JPEG source", "User Interrupt",
// "Cannot obtain a Device Independent Bitmap".
#include "codecs/jpeg/JpegErrors.h"

#include <csetjmp>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <type_traits>

#include <jpeglib.h>

namespace kalvo {

class TJPEGBase;

// The library's standard error manager with our jump target; pub must stay the first member.
struct TJpegErrorMgr {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    TJPEGBase* owner;
    char message[JMSG_LENGTH_MAX];
};

struct TJpegProgressMgr {
    jpeg_progress_mgr pub;
    TJPEGBase* owner;
};

namespace jpegdetail {
// Calls step(context) with the jump target armed; false when the library left by error_exit.
bool RunGuardedStep(std::jmp_buf& jump, void (*step)(void*), void* context);
} // namespace jpegdetail

class TJPEGBase {
public:
    TJPEGBase(const TJPEGBase&) = delete;
    TJPEGBase& operator=(const TJPEGBase&) = delete;
    virtual ~TJPEGBase() = default;

    // Called during the library's work; may call Abort() to stop after the current scanline.
    std::function<void()> OnProgressReport;
    // Receives the formatted text of a warning or trace message.
    std::function<void(const std::string&)> OnWarning;

    int Warnings() const { return int(err_.pub.num_warnings); }
    int Trace_Level() const { return err_.pub.trace_level; }
    void setTrace_Level(int level) { err_.pub.trace_level = level; }
    // Completion of the current operation in percent.
    int PercentDone() const;

    // Inside a progress report: requests an abort after the current scanline. Otherwise aborts
    // the library's current operation at once.
    void Abort();

protected:
    TJPEGBase();
    // Installs the error manager and progress monitor; call before creating the library object.
    void prepareErrorManager(jpeg_common_struct* common);
    void attachProgress();

    // Runs f (which calls the library) and turns a library error into an exception. f must not
    // hold objects with destructors: the library may jump out of it.
    template <class F>
    void guarded(F&& f)
    {
        using Fn = std::remove_reference_t<F>;
        void (*thunk)(void*) = [](void* p) { (*static_cast<Fn*>(p))(); };
        if (!jpegdetail::RunGuardedStep(err_.jump, thunk, &f))
            raiseFailure();
    }
    [[noreturn]] void raiseFailure();
    // For callbacks: parks the exception being handled so that it passes on after the jump.
    void parkCurrentException() noexcept;
    // Leaves the library from a callback through error_exit.
    [[noreturn]] static void leaveLibrary(jpeg_common_struct* common);

    void setProgressComplete();
    void reportProgress() noexcept;
    void checkAbortRequest();

    jpeg_common_struct* common_ = nullptr;
    TJpegErrorMgr err_{};
    TJpegProgressMgr progress_{};
    bool inAbort_ = false;
    bool inProgress_ = false;
    bool abortRequested_ = false;

private:
    static void errorExit(jpeg_common_struct* common);
    static void emitMessage(jpeg_common_struct* common, int level);
    static void progressMonitor(jpeg_common_struct* common);
    bool deliverMessage(int level) noexcept;

    std::exception_ptr parked_;
};

} // namespace kalvo
