// The backup: every part read through its subject's operation, then one archive saved.
#include <functional>

#include "backup/BackupArchive.h"
#include "backup/BackupTexts.h"
#include "backup/BackupTransfer.h"
#include "backup/PartFeedback.h"
#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/LocalTime.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "common/ValueSink.h"
#include "files/FileIo.h"
#include "link/ScaleSession.h"
#include "logo/LogoTransfer.h"
#include "messages/MessageTransfer.h"
#include "operation/ScaleFrame.h"
#include "products/ProductTransfer.h"
#include "settings/PriceKeyCodec.h"
#include "settings/SettingsTransfer.h"
#include "settings/StatusTransfer.h"

namespace qm
{

namespace
{

// Every part in turn; the first that does not end Done ends the read.
OperationResult readContents(const ScaleLink& link, PartFeedback& parts, ScaleContents& contents)
{
    ValueHolder<UserSettings> settings;
    ValueHolder<ShopName> shop;
    ValueHolder<LogoPicture> logo;
    Table keys = makePriceKeyTable();
    TableWriter productSink(contents.products), messageSink(contents.messages), keySink(keys);
    const struct {
        const char* name;
        std::function<OperationResult()> read;
    } steps[] = {
        {backuptext::kUserSettings, [&] { return fetchUserSettings(link, settings, shop); }},
        {backuptext::kProducts, [&] { return readAllProducts(link, productSink, {}); }},
        {backuptext::kMessages, [&] { return readAllMessages(link, messageSink, {}); }},
        {backuptext::kKeys, [&] { return readPriceKeys(link, keySink); }},
        {backuptext::kLogo, [&] { return readLogo(link, logo, {}); }},
    };
    for (const auto& step : steps)
        if (OperationResult result = parts.run(step.name, step.read); !result)
            return result;
    contents.settings = settings.value();
    contents.shop = shop.value();
    contents.logo = logo.value();
    for (int key = 1; key <= kPriceKeys; ++key)
        contents.keys.push_back(keys.cell(key, 1));
    return OperationResult::done();
}

} // namespace

OperationResult backupScale(const ScaleLink& link, const std::filesystem::path& path)
{
    Feedback& feedback = link.session.feedback();
    const OpenedScale scale = findScale(feedback, link.config, link.scaleName, backuptext::kNoScaleBackup);
    if (!scale)
        return scale;
    feedback.clearStop();
    PartFeedback parts(feedback);
    ScaleSession inner(link.session.line(), parts);
    const ScaleLink innerLink{inner, link.config, link.scaleName};
    ScaleContents contents{makeTable(productLayout()), makeTable(messageLayout()), {}, {}, {}, {}};
    if (OperationResult read = readContents(innerLink, parts, contents); !read) {
        if (read.outcome == TransferOutcome::Cancelled || !read.failure)
            return read;
        Failure failure = *read.failure;
        failure.text = backuptext::kBackupFailed + failure.text;
        feedback.reportFailure(failure);
        read.failure = failure;
        return read;
    }

    BackupManifest manifest;
    manifest.scale = cp1251ToUtf8(scale.target.name);
    manifest.number = scale.target.number;
    manifest.date = timeText(localTimeNow(), "%Y-%m-%d %H:%M:%S");
    manifest.programVersion = programVersion();
    std::vector<ArchivePart> archive = contentParts(contents);
    for (const ArchivePart& part : archive)
        manifest.sums[part.name] = sha256Hex(part.bytes);
    archive.push_back({kManifestPart, manifestJson(manifest)});
    std::string error;
    const auto bytes = zipArchive(archive, error);
    if (!bytes)
        return failed(feedback, Failure::plain(FailureKind::ExchangeFailed, backuptext::kBackupFailed + error));
    if (const auto saveError = saveFileAtomically(path, *bytes))
        return failed(feedback, Failure::plain(FailureKind::ExchangeFailed, *saveError));
    feedback.message(std::string(backuptext::kBackupSaved) + " (товаров: " + std::to_string(contents.productCount()) +
                     ", сообщений: " + std::to_string(contents.messageCount()) + ").");
    return OperationResult::done();
}

} // namespace qm
