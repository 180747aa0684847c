// The logo commands of the command line: send a .qmi file to a scale, read a scale's logo into a
// .qmi file, convert a picture into a .qmi file as the tab does, and show a .qmi file as text.
// The scale commands run the window's operations and print the same texts.

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "common/IntText.h"
#include "files/LogoFile.h"
#include "logo/LogoCodec.h"
#include "logo/LogoConvert.h"
#include "logo/LogoTexts.h"
#include "logo/LogoTransfer.h"
#include "logo/PictureFile.h"

namespace qm::cli
{

namespace
{

std::optional<LogoPicture> loadLogo(CliContext& context, const std::string& file)
{
    const LogoFileLoad load = loadLogoFile(file);
    if (load.error) {
        context.feedback().message(*load.error);
        return std::nullopt;
    }
    return logoFromFileBytes(load.bytes);
}

// --out, which the command cannot do without; nullopt (usage error printed) when missing.
std::optional<std::string> outFile(CliContext& context)
{
    const auto out = context.args().value("out");
    if (out && !out->empty())
        return context.path(*out);
    context.error(context.args().command() + ": нужен --out FILE.qmi");
    return std::nullopt;
}

bool saveLogo(CliContext& context, const std::string& file, const LogoPicture& picture)
{
    const auto error = saveLogoFile(file, logoFileBytes(picture));
    if (error)
        context.error(*error);
    return !error;
}

} // namespace

int runSendLogo(CliContext& context)
{
    int code = kOk;
    const auto picture = loadOnlyFile(context, OnScale::Yes, loadLogo, code);
    if (!picture)
        return code;
    return context.finish(sendLogo(scaleLink(context), *picture));
}

int runReadLogo(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const auto out = outFile(context);
    if (!out)
        return kUsage;
    if (!outCanBeSaved(context, *out))
        return kFailed;
    // A fresh picture is never modified: the save-first question is not asked. A failed read
    // writes nothing, so an older file stays whole.
    ValueHolder<LogoPicture> picture;
    const OperationResult result = readLogo(scaleLink(context), picture, {});
    if (!result)
        return context.finish(result);
    return saveLogo(context, *out, picture.value()) ? kOk : kFailed;
}

int runConvertLogo(CliContext& context)
{
    const auto file = onlyFile(context);
    if (!file)
        return kUsage;
    const auto out = outFile(context);
    if (!out)
        return kUsage;
    int threshold = kThresholdDefault;
    if (const auto given = context.args().value("threshold")) {
        if (!intTextIn(*given, kThresholdLow, kThresholdHigh)) {
            context.error("--threshold: нужно целое число " + std::to_string(kThresholdLow) + ".." +
                          std::to_string(kThresholdHigh));
            return kUsage;
        }
        threshold = intTextValue(*given);
    }
    const PictureLoad load = loadPicture(*file);
    if (load.error) {
        context.feedback().message(*load.error);
        return kFailed;
    }
    return saveLogo(context, *out, convertPicture(load.picture, threshold)) ? kOk : kFailed;
}

int runShowLogo(CliContext& context)
{
    int code = kOk;
    const auto picture = loadOnlyFile(context, OnScale::No, loadLogo, code);
    if (!picture)
        return code;
    std::string text;
    text.reserve(kLogoSide * (kLogoSide + 1));
    for (int y = 0; y < kLogoSide; ++y) {
        for (int x = 0; x < kLogoSide; ++x)
            text += picture->dot(x, y) ? '#' : '.';
        text += '\n';
    }
    std::cout << text << std::flush;
    return kOk;
}

} // namespace qm::cli
