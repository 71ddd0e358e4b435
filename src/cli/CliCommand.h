#pragma once
// kalvo-cli's subcommands. Each subcommand lives in its own file and registers itself with
// KALVO_CLI_COMMAND; main() dispatches on the first argument.
#include "codecs/ImageInfo.h"
#include "image/Bitmap.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalvo::cli {

// Exit codes: 0 success, 1 the operation failed, 2 usage error.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A failed operation: one line on standard error, exit 1.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A usage error: the message and the subcommand's usage on standard error, exit 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Command {
    std::string name;
    std::string usage; // the synopsis lines, printed by --help and after usage errors
    std::function<int(const std::vector<std::string>& args)> run;
};

std::vector<Command>& Registry();

struct Registrar {
    explicit Registrar(Command command) { Registry().push_back(std::move(command)); }
};

// Argument helpers shared by the subcommands.
class Args {
public:
    explicit Args(const std::vector<std::string>& args) : args_(args) { }
    // Removes a flag when present.
    bool flag(const std::string& name);
    // Removes "--name VALUE" and returns the value; UsageError when the value is missing.
    std::optional<std::string> option(const std::string& name);
    // option() for an option that must be given; UsageError "missing NAME" when it is not.
    std::string required(const std::string& name);
    // The positional arguments left; UsageError for anything that still looks like an option or
    // when the count differs.
    std::vector<std::string> positional(std::size_t count);

private:
    std::vector<std::string> args_;
};

// The reason a failure gives: the exception's message, "not enough memory" when memory ran out.
std::string Reason(const std::exception& e);

int ParseInt(const std::string& text, const std::string& what, int lo, int hi);
// "WxH" with both sides 1..maxSide; `what` names the option in the message.
void ParseSize(const std::string& text, const std::string& what, int maxSide, int& width, int& height);
// A decimal number ("5", "0.25") from lo to hi.
double ParseDecimal(const std::string& text, const std::string& what, double lo, double hi);
// "RRGGBB" (red first) to a colour value.
TColor ParseColor(const std::string& text);
std::string FormatColor(TColor color);

// Opens a file through the format dispatch; Failure with a clear line when it cannot.
TBitmap LoadForCli(TpxImageInfo& info);
// LoadForCli with 16- and 32-bit pictures raised to 24 bits, as the editor holds them.
TBitmap LoadAsEditorHolds(TpxImageInfo& info);
// Saves through the format dispatch; Failure when the file could not be written.
void SaveForCli(TBitmap& bitmap, TpxImageInfo& info);
// Opens files[0] at 24 bits (a palette picture is expanded), runs op on the whole picture and
// saves files[1] with the load properties of files[0]; Failure "cannot WHAT IN" when op fails.
int RunOnTrueColor(const std::vector<std::string>& files, const std::string& what,
                   const std::function<bool(TBitmap&)>& op);

} // namespace kalvo::cli

#define KALVO_CLI_CONCAT2(a, b) a##b
#define KALVO_CLI_CONCAT(a, b) KALVO_CLI_CONCAT2(a, b)
#define KALVO_CLI_COMMAND(...)                                                                                         \
    static ::kalvo::cli::Registrar KALVO_CLI_CONCAT(kalvoCliRegistrar, __LINE__)(::kalvo::cli::Command{__VA_ARGS__})
