#include "logo/LogoFileCommands.h"

#include "common/SaveFirst.h"
#include "files/FileIo.h"
#include "files/LogoFile.h"
#include "logo/LogoCodec.h"
#include "logo/LogoConvert.h"
#include "logo/LogoTexts.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

// The flag is left to the command: it changes only with the drawing.
bool askSaveFirst(FileCommandContext& ctx, const LogoPicture& picture, bool& modified)
{
    return saveFirst(
        ctx.feedback, modified, {}, [&] { return saveLogo(ctx, picture, modified) == Outcome::Done; },
        logotext::kSaveFirst);
}

Outcome failedWith(FileCommandContext& ctx, const std::string& text)
{
    ctx.feedback.message(text);
    return Outcome::Failed;
}

} // namespace

Outcome newLogo(FileCommandContext& ctx, LogoPicture& picture, bool& modified)
{
    if (!askSaveFirst(ctx, picture, modified))
        return Outcome::Cancelled;
    picture.clear();
    modified = false;
    return Outcome::Done;
}

Outcome openLogo(FileCommandContext& ctx, LogoPicture& picture, bool& modified)
{
    if (!askSaveFirst(ctx, picture, modified))
        return Outcome::Cancelled;
    const auto chosen = ctx.chooser.openFile(inStartDirectory(ctx, QmiOpenDialog()));
    if (!chosen)
        return Outcome::Cancelled;
    const LogoFileLoad load = loadLogoFile(resolveChosen(ctx, chosen->path));
    if (load.error)
        return failedWith(ctx, *load.error);
    picture = logoFromFileBytes(load.bytes);
    modified = false;
    return Outcome::Done;
}

Outcome saveLogo(FileCommandContext& ctx, const LogoPicture& picture, bool& modified)
{
    const auto chosen = ctx.chooser.saveFile(inStartDirectory(ctx, QmiSaveDialog()));
    if (!chosen)
        return Outcome::Cancelled;
    if (const auto error = saveLogoFile(resolveChosen(ctx, chosen->path), logoFileBytes(picture)))
        return failedWith(ctx, *error);
    modified = false;
    return Outcome::Done;
}

Outcome convertLogoPicture(FileCommandContext& ctx, LogoPicture& picture, bool& modified, int threshold,
                           const std::vector<std::string>& patterns, const PictureReader& read)
{
    if (!askSaveFirst(ctx, picture, modified))
        return Outcome::Cancelled;
    const auto chosen = ctx.chooser.openFile(inStartDirectory(ctx, PictureOpenDialog(patterns)));
    if (!chosen)
        return Outcome::Cancelled;
    const PictureLoad load = read(resolveChosen(ctx, chosen->path));
    if (load.error)
        return failedWith(ctx, *load.error);
    picture = convertPicture(load.picture, threshold);
    modified = true;
    return Outcome::Done;
}

} // namespace qm
