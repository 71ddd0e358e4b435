#include "cli/CliCommand.h"

#include "codecs/FileExtension.h"
#include "codecs/FormatDispatch.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <new>
#include <sstream>
#include <sys/stat.h>

namespace kalvo::cli {

std::vector<Command>& Registry()
{
    static std::vector<Command> commands;
    return commands;
}

bool Args::flag(const std::string& name)
{
    auto it = std::find(args_.begin(), args_.end(), name);
    if (it == args_.end())
        return false;
    args_.erase(it);
    return true;
}

std::optional<std::string> Args::option(const std::string& name)
{
    auto it = std::find(args_.begin(), args_.end(), name);
    if (it == args_.end())
        return std::nullopt;
    if (it + 1 == args_.end())
        throw UsageError("option " + name + " needs a value");
    std::string value = *(it + 1);
    args_.erase(it, it + 2);
    return value;
}

std::string Args::required(const std::string& name)
{
    const auto value = option(name);
    if (!value)
        throw UsageError("missing " + name);
    return *value;
}

std::vector<std::string> Args::positional(std::size_t count)
{
    for (const auto& a : args_)
        if (a.size() > 1 && a[0] == '-')
            throw UsageError("unknown option " + a);
    if (args_.size() != count)
        throw UsageError(args_.size() < count ? "missing argument" : "too many arguments");
    return args_;
}

int ParseInt(const std::string& text, const std::string& what, int lo, int hi)
{
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty() || value < lo || value > hi)
        throw UsageError(what + " must be a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return int(value);
}

void ParseSize(const std::string& text, const std::string& what, int maxSide, int& width, int& height)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError(what + " must be WIDTHxHEIGHT: " + text);
    width = ParseInt(text.substr(0, x), what + " width", 1, maxSide);
    height = ParseInt(text.substr(x + 1), what + " height", 1, maxSide);
}

double ParseDecimal(const std::string& text, const std::string& what, double lo, double hi)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || ptr != end || !(value >= lo && value <= hi)) {
        std::ostringstream range;
        range << what << " must be a number from " << lo << " to " << hi;
        throw UsageError(range.str());
    }
    return value;
}

TColor ParseColor(const std::string& text)
{
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw UsageError("colour must be six hexadecimal digits RRGGBB: " + text);
    const unsigned long v = std::stoul(text, nullptr, 16);
    return RGB(int(v >> 16), int(v >> 8), int(v));
}

std::string FormatColor(TColor color)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return buf;
}

std::string Reason(const std::exception& e)
{
    return dynamic_cast<const std::bad_alloc*>(&e) ? "not enough memory" : e.what();
}

TBitmap LoadForCli(TpxImageInfo& info)
{
    struct stat st { };
    if (::stat(info.FileName.c_str(), &st) != 0)
        throw Failure("cannot open " + info.FileName + ": the file does not exist");
    if (FormatFromFileName(info.FileName) == TImageFormat::None)
        throw Failure("cannot open " + info.FileName + ": unknown file type");
    std::optional<TBitmap> bitmap;
    try {
        bitmap = LoadImageFile(info);
    } catch (const std::exception& e) {
        throw Failure("cannot open " + info.FileName + ": " + Reason(e));
    }
    if (!bitmap || info.Result != 0)
        throw Failure("cannot open " + info.FileName + ": "
                      + (info.FailureReason.empty() ? "the file could not be read or decoded" : info.FailureReason));
    return std::move(*bitmap);
}

TBitmap LoadAsEditorHolds(TpxImageInfo& info)
{
    TBitmap image = LoadForCli(info);
    if (image.bitCount() > 8 && image.bitCount() != 24)
        image = image.toTrueColor();
    return image;
}

void SaveForCli(TBitmap& bitmap, TpxImageInfo& info)
{
    if (FormatFromFileName(info.FileName) == TImageFormat::None)
        throw Failure("cannot write " + info.FileName + ": unknown file type");
    try {
        SaveImageFile(bitmap, info);
    } catch (const std::exception& e) {
        throw Failure("cannot write " + info.FileName + ": " + Reason(e));
    }
    if (info.Result != 0)
        throw Failure("cannot write " + info.FileName + ": "
                      + (info.FailureReason.empty() ? "the file could not be written" : info.FailureReason));
}

int RunOnTrueColor(const std::vector<std::string>& files, const std::string& what,
                   const std::function<bool(TBitmap&)>& op)
{
    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadForCli(info);
    if (image.bitCount() != 24)
        image = image.toTrueColor();
    if (!op(image))
        throw Failure("cannot " + what + " " + files[0]);
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace kalvo::cli
