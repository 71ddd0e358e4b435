// kalvo-cli blur and sharpen: the editor's Gaussian blur and unsharp mask on the whole picture.
#include "cli/CliCommand.h"

#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/GaussianRows.h"
#include "imaging/filter/UnsharpMask.h"

namespace kalvo::cli {

namespace {

double ParseSigma(Args& args)
{
    return ParseDecimal(args.required("--radius"), "--radius", kMinBlurSigma, kMaxBlurSigma);
}

int runBlur(const std::vector<std::string>& argv)
{
    Args args(argv);
    const double sigma = ParseSigma(args);
    return RunOnTrueColor(args.positional(2), "blur",
                          [&](TBitmap& image) { return GaussianBlur(image, TRegionRef{}, nullptr, sigma); });
}

int runSharpen(const std::vector<std::string>& argv)
{
    Args args(argv);
    TUnsharpMask params;
    params.Amount = ParseInt(args.required("--amount"), "--amount", 1, 500);
    params.Sigma = ParseSigma(args);
    if (const auto threshold = args.option("--threshold"))
        params.Threshold = ParseInt(*threshold, "--threshold", 0, 255);
    return RunOnTrueColor(args.positional(2), "sharpen",
                          [&](TBitmap& image) { return UnsharpMask(image, TRegionRef{}, nullptr, params); });
}

} // namespace

KALVO_CLI_COMMAND("blur", "  kalvo-cli blur IN OUT --radius SIGMA", runBlur);
KALVO_CLI_COMMAND("sharpen", "  kalvo-cli sharpen IN OUT --amount A --radius SIGMA [--threshold T]", runSharpen);

} // namespace kalvo::cli
