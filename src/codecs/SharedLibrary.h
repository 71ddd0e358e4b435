#pragma once
// A shared library opened on first use instead of at program start: the heavy format libraries
// (libtiff, libheif and what they pull in) cost kalvo-cli and the editor several times their own
// start-up when the dynamic loader maps them up front. Opened with lazy binding, never closed.
#include <stdexcept>
#include <string>

namespace kalvo {

class TSharedLibrary {
public:
    // Opens the library by its versioned soname. Throws std::runtime_error
    // "cannot load SONAME" (with the loader's reason) when it is not there.
    explicit TSharedLibrary(const char* soname);
    TSharedLibrary(const TSharedLibrary&) = delete;
    TSharedLibrary& operator=(const TSharedLibrary&) = delete;

    // The address of an exported function. Throws std::runtime_error
    // "cannot load SONAME: no NAME" when the library lacks it.
    void* symbol(const char* name) const;

    // Fills a pointer of the function's own type.
    template <typename F>
    void resolve(F*& function, const char* name) const
    {
        function = reinterpret_cast<F*>(symbol(name));
    }

private:
    std::string soname_;
    void* handle_ = nullptr;
};

// Loads a function table the first time it is asked for, and then hands out the same table, or
// throws the first failure again (as Error, prefixed with the format's name) without retrying.
template <typename Table, typename Error>
const Table& LoadOnce(const char* format, void (*fill)(Table&))
{
    struct TState {
        Table table{};
        std::string failure;
    };
    static const TState state = [&] {
        TState s;
        try {
            fill(s.table);
        } catch (const std::exception& e) {
            s.failure = std::string(format) + ": " + e.what();
        }
        return s;
    }();
    if (!state.failure.empty())
        throw Error(state.failure);
    return state.table;
}

} // namespace kalvo
