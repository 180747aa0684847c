#include "cli/CommandSupport.h"

#include <filesystem>
#include <iostream>

#include <sys/stat.h>
#include <unistd.h>

#include "common/IntText.h"
#include "common/RegularFile.h"
#include "common/TableSink.h"

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
    context.error(context.args().command() + ": нужен --scale NAME");
    return false;
}

std::optional<std::string> onlyFile(CliContext& context)
{
    const auto& words = context.args().positional();
    if (words.size() == 1)
        return context.path(words.front());
    context.error(context.args().command() + ": нужен ровно один FILE");
    return std::nullopt;
}

std::optional<std::string> scaleAndFile(CliContext& context)
{
    const auto file = onlyFile(context);
    if (!needScale(context))
        return std::nullopt;
    return file;
}

int printRecord(CliContext& context, const OperationResult& result,
                const std::function<std::vector<ReportField>()>& fields)
{
    if (!result)
        return context.finish(result);
    context.feedback().close(true);
    std::cout << reportText(fields(), context.args().has("json")) << std::flush;
    return kOk;
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
        context.error(a.command() + ": нужен один из --all, --" + one + " N, --range FIRST-LAST");
        return Selection::None;
    }
    return a.has("all") ? Selection::All : a.has(one) ? Selection::One : Selection::Range;
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

// The records a read put in the table (its rows with a number), the empty rows after the last one
// dropped: a read that ends early leaves the row it was filling.
int keptRecords(Table& table)
{
    while (table.rowCount() > 2 && table.cell(table.lastRow(), kNumberColumn).empty())
        table.removeRow(table.lastRow());
    int rows = 0;
    for (int r = 1; r < table.rowCount(); ++r)
        rows += !table.cell(r, kNumberColumn).empty();
    return rows;
}

} // namespace

int deleteSelected(CliContext& context, const RecordCommands<>& commands)
{
    const Selection what = selection(context, commands.option);
    std::optional<NumberRange> range;
    if (what == Selection::None || !checkSelected(context, what, commands, range))
        return kUsage;
    return context.finish(runSelected(context, what, commands, range));
}

int readSelected(CliContext& context, Selection what, const ReadCommands& reads, const std::string& out, Table& table,
                 const std::function<bool(const std::string& path)>& save, OperationResult& result)
{
    std::optional<NumberRange> range;
    if (!checkSelected(context, what, reads, range))
        return kUsage;
    if (!outCanBeSaved(context, out))
        return kFailed;
    bool modified = false;
    TableWriter sink(table, &modified);
    const SaveCommand noSave;
    result = runSelected<TableSink&, const SaveCommand&>(context, what, reads, range, sink, noSave);
    return saveRead(context, result, out, table, save);
}

bool outCanBeSaved(CliContext& context, const std::string& out)
{
    namespace fs = std::filesystem;
    // Standard output takes text only; this read writes a file format of the scale.
    if (out == "-") {
        context.error("--out -: стандартный вывод принимает только текст, этой команде нужен файл");
        return false;
    }
    const fs::path target = context.path(out);
    std::error_code problem = regularFileKind(target);
    if (!problem || problem == std::errc::no_such_file_or_directory) {
        // The save writes a temporary file in the folder and renames it over the target.
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        struct stat st {
        };
        if (::stat(folder.c_str(), &st) != 0)
            problem = lastSystemError();
        else if (!S_ISDIR(st.st_mode))
            problem = std::make_error_code(std::errc::not_a_directory);
        else if (::access(folder.c_str(), W_OK | X_OK) != 0)
            problem = lastSystemError();
        else
            problem.clear();
    }
    if (!problem)
        return true;
    context.feedback().reportFailure(Failure::plain(
        FailureKind::ExchangeFailed, "Не удастся сохранить файл \"" + out + "\":\r\n" + fileErrorText(problem) +
                                         ".\r\nДанные из весов не запрашивались."));
    return false;
}

int saveRead(CliContext& context, const OperationResult& result, const std::string& out, Table& table,
             const std::function<bool(const std::string& path)>& save)
{
    TerminalFeedback& fb = context.feedback();
    if (result == TransferOutcome::Done)
        return save(context.path(out)) ? kOk : kFailed;
    // A stopped read has said "Действие прервано." itself; what follows says where its rows went.
    const bool stopped = result == TransferOutcome::Stopped;
    context.finish(result);
    const int rows = keptRecords(table);
    if (stopped && rows == 0)
        fb.message("Данные не приняты, файл " + out + " не записан.");
    if (rows == 0 || result == TransferOutcome::Cancelled)
        return kFailed;
    const std::string count = std::to_string(rows);
    std::error_code ec;
    const bool outExists = std::filesystem::exists(context.path(out), ec) || ec;
    // A stopped read may take a name nobody uses yet; the rows of a failed read never bear the
    // name of a whole read, so a script that looks for the file is not misled.
    if (stopped && !outExists) {
        if (save(context.path(out)))
            fb.message("Принятые записи (" + count + ") сохранены в файл " + out + ".");
        return kFailed;
    }
    const std::string beside = freeNameBeside(out).string();
    if (!save(context.path(beside)))
        return kFailed;
    const std::string outcome = "; файл " + out + (outExists ? " не изменен." : " не записан.");
    if (stopped)
        fb.message("Принятые записи (" + count + ") сохранены в новый файл " + beside + outcome);
    else
        fb.message("Принятые до ошибки записи (" + count + ") сохранены в файл " + beside + outcome);
    return kFailed;
}

} // namespace qm::cli
