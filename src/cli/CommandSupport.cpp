#include "cli/CommandSupport.h"

#include <filesystem>

#include "common/IntText.h"

#include "operation/OperationTexts.h"

namespace qm::cli
{

ScaleLink scaleLink(CliContext& context)
{
    return ScaleLink{context.session(), context.config(), context.scaleName()};
}

bool needScale(CliContext& context)
{
    if (context.args().has("scale"))
        return true;
    context.error(context.args().command() + " needs --scale NAME");
    return false;
}

std::optional<std::string> onlyFile(CliContext& context)
{
    const auto& words = context.args().positional();
    if (words.size() == 1)
        return context.path(words.front());
    context.error(context.args().command() + " needs exactly one FILE");
    return std::nullopt;
}

std::pair<std::string, std::string> splitRange(const std::string& text)
{
    const auto dash = text.find('-', 1);
    const std::string first = text.substr(0, dash);
    return {first, dash == std::string::npos ? first : text.substr(dash + 1)};
}

std::optional<NumberRange> rangeOption(CliContext& context, const std::string& option, const RangeRule& rule,
                                       int dataRows)
{
    const auto [first, last] = splitRange(context.args().value(option).value_or(""));
    const RangeCheck check = checkRange(rule, first, last, dataRows);
    if (!check.range)
        context.feedback().message(check.message);
    return check.range;
}

bool numberOption(CliContext& context, const std::string& option, int highest, const char* badMessage)
{
    if (intTextIn(context.args().value(option).value_or(""), 1, highest))
        return true;
    context.feedback().message(badMessage);
    return false;
}

Selection selection(CliContext& context, const std::string& one)
{
    if (!needScale(context))
        return Selection::None;
    const auto& a = context.args();
    if (int(a.has("all")) + int(a.has(one)) + int(a.has("range")) != 1) {
        context.error(a.command() + " needs one of --all, --" + one + " N, --range FIRST-LAST");
        return Selection::None;
    }
    return a.has("all") ? Selection::All : a.has(one) ? Selection::One : Selection::Range;
}

void nameBadCell(CliContext& context, int row, int column)
{
    context.error("row " + std::to_string(row) + ", column " + std::to_string(column));
}

void nameFailedCell(CliContext& context, const OperationResult& result, TableId table)
{
    if (result.failure && result.failure->namesCellOf(table))
        nameBadCell(context, result.failure->row, result.failure->column);
}

namespace
{

// "NAME.partN.EXT" beside the file, the first that does not exist ("NAME.part.EXT" first).
std::filesystem::path freeNameBeside(const std::filesystem::path& file)
{
    const auto stem = file.stem().string();
    const auto ext = file.extension().string();
    for (int n = 1;; ++n) {
        const std::string name = stem + ".part" + (n == 1 ? std::string() : std::to_string(n)) + ext;
        auto candidate = file.parent_path() / name;
        std::error_code ec;
        if (!std::filesystem::exists(candidate, ec) && !ec)
            return candidate;
    }
}

} // namespace

int saveRead(CliContext& context, const OperationResult& result, const std::string& out, const Table& table,
             const std::function<bool(const std::string& path)>& save)
{
    TerminalFeedback& fb = context.feedback();
    fb.holdAfterStop(false);
    if (result == TransferOutcome::Done) {
        fb.releaseHeld();
        return save(context.path(out)) ? kOk : kFailed;
    }
    if (result != TransferOutcome::Stopped) {
        // A failed read writes nothing, so an older file is not replaced by a partial one.
        fb.releaseHeld();
        return context.finish(result);
    }
    // Stopped by Ctrl+C: the operation's closing text ("Данные приняты.") is not the truth here.
    fb.dropHeld();
    int rows = 0;
    for (int r = 1; r < table.rowCount(); ++r)
        rows += !table.cell(r, kNumberColumn).empty();
    const std::string interrupted = operationtext::kStopped;
    if (rows == 0) {
        fb.message(interrupted + " Данные не приняты, файл " + out + " не записан.");
        return kFailed;
    }
    const std::string count = std::to_string(rows);
    std::error_code ec;
    if (!std::filesystem::exists(context.path(out), ec)) {
        if (save(context.path(out)))
            fb.message(interrupted + " Принятые записи (" + count + ") сохранены в файл " + out + ".");
        return kFailed;
    }
    const std::string beside = freeNameBeside(out).string();
    if (save(context.path(beside)))
        fb.message(interrupted + " Принятые записи (" + count + ") сохранены в новый файл " + beside + "; файл " + out +
                   " не изменен.");
    return kFailed;
}

} // namespace qm::cli
