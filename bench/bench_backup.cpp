// A backup of a whole scale and its restore against the emulated scale on a simulated 19200 baud
// line, each against the sum of the transfers it is made of, run one after another on their own:
// the ratio is what the backup or restore adds (the archive, the sums, the check of the file).
// A backup reads all 4000 product cells and 1000 messages whatever the scale holds; the scale
// holds COUNT products and COUNT messages (default 100; bench_backup 4000 fills it, which takes
// the better part of an hour at 19200 baud).
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "StateBuilder.h"
#include "backup/BackupTransfer.h"
#include "common/ValueSink.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "logo/LogoTransfer.h"
#include "messages/MessageTransfer.h"
#include "products/ProductTransfer.h"
#include "settings/PriceKeyCodec.h"
#include "settings/SettingsTransfer.h"
#include "settings/StatusTransfer.h"

namespace fs = std::filesystem;

namespace
{

constexpr int kBaud = 19200;

// Wall seconds of the steps run in turn; false in `ok` when one did not end Done.
double timed(const std::vector<std::function<qm::OperationResult()>>& steps, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = true;
    for (const auto& step : steps)
        ok = step() == qm::TransferOutcome::Done && ok;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void line(const char* what, double whole, bool wholeOk, double parts, bool partsOk)
{
    std::printf("%-8s %s %8.2f s   parts %s %8.2f s   ratio %.4f\n", what, wholeOk ? "ok    " : "FAILED", whole,
                partsOk ? "ok    " : "FAILED", parts, whole / parts);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    if (count < 0 || count > 1000 * 4) {
        std::fprintf(stderr, "usage: bench_backup [COUNT 0..4000]\n");
        return 2;
    }
    emu::StateBuilder state(1);
    for (int n = 1; n <= count; ++n)
        state.plu(static_cast<std::uint32_t>(n), "product " + std::to_string(n), static_cast<std::uint32_t>(n * 7));
    for (int n = 1; n <= std::min(count, 1000); ++n)
        state.message(static_cast<std::uint32_t>(n), {"message " + std::to_string(n), "second line"});
    qmtest::EmuOptions options;
    options.number = 1;
    options.baud = kBaud;
    options.stateJson = state.json();
    qmtest::EmuProcess emu(options);
    bench::BenchLink bench(emu, std::to_string(kBaud));
    const qm::ScaleLink& link = bench.link;
    const fs::path file = fs::temp_directory_path() / ("bench_backup-" + std::to_string(::getpid()) + ".zip");
    std::printf("scale holding %d products and %d messages, %d baud\n", count, std::min(count, 1000), kBaud);

    // The backup against its reads.
    qm::ValueHolder<qm::ClockReading> view;
    qm::ValueHolder<qm::UserSettings> settings;
    qm::ValueHolder<qm::ShopName> shop;
    qm::Table products = qm::makeTable(qm::productLayout()), messages = qm::makeTable(qm::messageLayout());
    qm::Table keys = qm::makePriceKeyTable();
    qm::TableWriter productSink(products), messageSink(messages), keySink(keys);
    qm::ValueHolder<qm::LogoPicture> logoSink;
    bool partsOk = false, wholeOk = false;
    const double readParts = timed(
        {[&] { return qm::fetchUserSettings(link, settings, shop); }, [&] { return qm::readAllProducts(link, productSink, {}); },
         [&] { return qm::readAllMessages(link, messageSink, {}); }, [&] { return qm::readPriceKeys(link, keySink); },
         [&] { return qm::readLogo(link, logoSink, {}); }},
        partsOk);
    const double backup = timed({[&] { return qm::backupScale(link, file); }}, wholeOk);
    line("backup", backup, wholeOk, readParts, partsOk);

    // The restore against its writes, of what was just read.
    std::vector<std::string> cells;
    for (int key = 1; key <= qm::kPriceKeys; ++key)
        cells.push_back(keys.cell(key, 1));
    qm::SettingsForm form = qm::withUserSettings({}, settings.value());
    form.shop1 = shop.value().line1;
    form.shop2 = shop.value().line2;
    const double writeParts =
        timed({[&] {
                   return qm::writeUserSettings(link, form, view, qm::clockNow, qm::WriteStages{true, false, false});
               },
               [&] {
                   return qm::writeUserSettings(link, form, view, qm::clockNow, qm::WriteStages{false, true, false});
               },
               [&] { return qm::sendProductTable(link, products, qm::SendTableOptions{}); },
               [&] { return qm::sendMessageTable(link, messages, true); },
               [&] { return qm::writePriceKeys(link, cells); }, [&] { return qm::sendLogo(link, logoSink.value()); }},
              partsOk);
    const double restore = timed({[&] { return qm::restoreScale(link, file); }}, wholeOk);
    line("restore", restore, wholeOk, writeParts, partsOk);
    fs::remove(file);
    return 0;
}
