// The restore: the whole file checked, one question, then every part written through its
// subject's operation in a fixed order.
#include <functional>
#include <map>

#include "backup/BackupArchive.h"
#include "backup/BackupTexts.h"
#include "backup/BackupTransfer.h"
#include "backup/PartFeedback.h"
#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/ValueSink.h"
#include "files/FileIo.h"
#include "link/ScaleSession.h"
#include "logo/LogoTransfer.h"
#include "messages/MessageTransfer.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/ProductTransfer.h"
#include "settings/SettingsTransfer.h"
#include "settings/StatusTransfer.h"

namespace qm
{

namespace
{

// The archive holds the five parts and the manifest; a few more entries are tolerated (a person
// may have added a note) but never used.
constexpr size_t kMaxEntries = 16;
// The most bytes one part may unpack to: the largest product file is about 0.6 MB, so a part
// that unpacks to more is no part of a backup (and a small file cannot unpack to gigabytes).
constexpr size_t kMaxPartBytes = size_t{4} << 20;

std::string joined(const std::vector<std::string>& names)
{
    if (names.empty())
        return backuptext::kNothing;
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

SettingsForm formOf(const ScaleContents& contents)
{
    SettingsForm form = withUserSettings({}, contents.settings);
    form.shop1 = contents.shop.line1;
    form.shop2 = contents.shop.line2;
    return form;
}

std::string question(const ScaleTarget& target, const CheckedBackup& backup)
{
    const BackupManifest& m = backup.manifest;
    return "Записать в весы \"" + cp1251ToUtf8(target.name) + "\" копию весов \"" + m.scale + "\" (№ " +
           std::to_string(m.number) + ") от " + m.date + "?\r\nБудут перезаписаны: настройки пользователя, " +
           "название магазина, товары (записей: " + std::to_string(backup.contents.productCount()) +
           "), сообщения (записей: " + std::to_string(backup.contents.messageCount()) +
           "), клавиши цен, логотип.\r\nТовары и сообщения весов с другими номерами останутся.";
}

} // namespace

std::optional<CheckedBackup> checkBackupFile(const std::filesystem::path& path, std::string& error)
{
    const FileRead file = readFileBytes(path, kMaxBackupBytes);
    if (file.error) {
        error = *file.error;
        return std::nullopt;
    }
    const ArchiveRead archive = unzipArchive(file.bytes, kMaxEntries, kMaxPartBytes);
    if (archive.error) {
        error = *archive.error;
        return std::nullopt;
    }
    std::map<std::string, std::string> parts;
    for (const ArchivePart& part : archive.parts)
        parts[part.name] = part.bytes;
    if (!parts.count(kManifestPart)) {
        error = backuptext::kNoManifest;
        return std::nullopt;
    }
    CheckedBackup backup;
    const auto manifest = parseManifest(parts[kManifestPart], error);
    if (!manifest)
        return std::nullopt;
    backup.manifest = *manifest;
    for (const std::string& name : backupPartNames()) {
        const auto sum = manifest->sums.find(name);
        if (!parts.count(name) || sum == manifest->sums.end()) {
            error = "В копии нет файла \"" + name + "\".";
            return std::nullopt;
        }
        if (sha256Hex(parts[name]) != sum->second) {
            error = backuptext::kSumMismatch;
            error.replace(error.find("%1"), 2, name);
            return std::nullopt;
        }
    }
    const auto contents = contentsFromParts(parts, error);
    if (!contents)
        return std::nullopt;
    backup.contents = *contents;
    return backup;
}

OperationResult restoreScale(const ScaleLink& link, const std::filesystem::path& path)
{
    Feedback& feedback = link.session.feedback();
    std::string error;
    const auto backup = checkBackupFile(path, error);
    if (!backup)
        return failed(feedback, Failure::plain(FailureKind::BadRow, backuptext::kFileRefused + error));
    const OpenedScale scale = findScale(feedback, link.config, link.scaleName, backuptext::kNoScaleRestore);
    if (!scale)
        return scale;
    if (auto asked = confirmed(feedback, question(scale.target, *backup)); !asked)
        return asked;

    feedback.clearStop();
    PartFeedback parts(feedback);
    ScaleSession inner(link.session.line(), parts);
    const ScaleLink innerLink{inner, link.config, link.scaleName};
    const ScaleContents& contents = backup->contents;
    const SettingsForm form = formOf(contents);
    ValueHolder<ClockReading> view; // the clock written is shown nowhere
    const struct {
        const char* name;
        std::function<OperationResult()> write;
    } steps[] = {
        {backuptext::kUserSettings,
         [&] {
             return writeUserSettings(innerLink, form, view, clockNow, WriteStages{true, false, false});
         }},
        {backuptext::kShopName,
         [&] {
             return writeUserSettings(innerLink, form, view, clockNow, WriteStages{false, true, false});
         }},
        // A copy of a scale without records has nothing to send for them.
        {backuptext::kProducts,
         [&] {
             return contents.productCount() == 0 ? OperationResult::done()
                                                 : sendProductTable(innerLink, contents.products, SendTableOptions{});
         }},
        {backuptext::kMessages,
         [&] {
             return contents.messageCount() == 0 ? OperationResult::done()
                                                 : sendMessageTable(innerLink, contents.messages, true);
         }},
        {backuptext::kKeys, [&] { return writePriceKeys(innerLink, contents.keys); }},
        {backuptext::kLogo, [&] { return sendLogo(innerLink, contents.logo); }},
    };
    std::vector<std::string> written;
    for (size_t i = 0; i < std::size(steps); ++i) {
        OperationResult result = parts.run(steps[i].name, steps[i].write);
        if (!result) {
            std::vector<std::string> rest;
            for (size_t j = i + 1; j < std::size(steps); ++j)
                rest.push_back(steps[j].name);
            Failure failure = result.failure ? *result.failure
                                             : Failure::plain(FailureKind::ExchangeFailed, operationtext::kWriteFailed);
            failure.table.reset();
            failure.text = backuptext::kRestoreStopped + failure.text + "\r\n" + backuptext::kWritten +
                           joined(written) + ".\r\n" + backuptext::kStoppedAt + steps[i].name + ".\r\n" +
                           backuptext::kNotWritten + joined(rest) + ".";
            feedback.reportFailure(failure);
            result.failure = failure;
            if (result.outcome == TransferOutcome::Cancelled)
                result = OperationResult::failed(failure);
            return result;
        }
        written.push_back(steps[i].name);
    }
    feedback.message(backuptext::kRestored);
    return OperationResult::done();
}

} // namespace qm
