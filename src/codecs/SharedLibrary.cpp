#include "codecs/SharedLibrary.h"

#include <dlfcn.h>

namespace kalvo {

TSharedLibrary::TSharedLibrary(const char* soname) : soname_(soname)
{
    handle_ = dlopen(soname, RTLD_LAZY | RTLD_LOCAL);
    if (!handle_) {
        // The loader's reason, without the soname it starts with when the library itself is
        // missing (it names the file when one the library needs is).
        const char* error = dlerror();
        std::string reason = error ? error : "";
        if (reason.starts_with(soname_ + ": "))
            reason.erase(0, soname_.size() + 2);
        throw std::runtime_error("cannot load " + soname_ + (reason.empty() ? "" : " (" + reason + ")"));
    }
}

void* TSharedLibrary::symbol(const char* name) const
{
    dlerror();
    void* address = dlsym(handle_, name);
    if (!address)
        throw std::runtime_error("cannot load " + soname_ + ": no " + name);
    return address;
}

} // namespace kalvo
