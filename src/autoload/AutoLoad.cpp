#include "autoload/AutoLoad.h"

#include <exception>
#include <optional>
#include <utility>

#include "autoload/AutoVirtualSend.h"
#include "common/TableColumns.h"
#include "common/TableLayouts.h"
#include "files/FileIo.h"
#include "files/TableFiles.h"
#include "link/ScaleSession.h"
#include "messages/MessageTransfer.h"
#include "operation/ScaleFrame.h"
#include "products/ProductTransfer.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

// The line of an operation's outcome; `row` gets the data row a BadRow line names.
LoadLine lineOf(const OperationResult& result, LoadKind kind, int& row)
{
    if (result.outcome == TransferOutcome::Done)
        return kind == LoadKind::Products ? LoadLine::ProductsLoaded : LoadLine::MessagesLoaded;
    if (result.outcome == TransferOutcome::Stopped || !result.failure)
        return LoadLine::Stopped;
    switch (result.failure->kind) {
    case FailureKind::NoScale:
    case FailureKind::BadConfigRow:
        return LoadLine::BadConfig;
    case FailureKind::PortUnavailable:
        return LoadLine::PortUnavailable;
    case FailureKind::NoLink:
    case FailureKind::NotReady:
        return LoadLine::NoLink;
    case FailureKind::BadRow:
    case FailureKind::BadNumber:
        row = result.failure->row;
        return LoadLine::BadRow;
    case FailureKind::ExchangeFailed:
    case FailureKind::RangeRefused:
        return LoadLine::ExchangeFailed;
    case FailureKind::Stopped:
        return LoadLine::Stopped;
    case FailureKind::NoAck:
    case FailureKind::ReadFailed:
    case FailureKind::NotFound:
        break;
    }
    return LoadLine::NoAck;
}

bool holdsNothing(const Table& table)
{
    for (int r = 1; r < table.rowCount(); ++r)
        for (const auto& cell : table.row(r))
            if (!cell.empty())
                return false;
    return true;
}

// The frame sees a configuration of the one row: the load is for that row, even when another
// row carries the same name.
Table configOf(const Table& config, int row)
{
    Table one = makeTable(configLayout());
    one.setRow(1, config.row(row));
    return one;
}

class Load
{
  public:
    Load(LoadKind kind, const Table& config, int row, const fs::path& file, const LoadSetup& setup)
        : m_setup(setup), m_config(configOf(config, row))
    {
        m_out.kind = kind;
        m_out.scaleName = config.cell(row, cfgcol::Name);
        m_out.file = file;
        if (m_setup.report)
            m_setup.report->loadBegins(m_out.scaleName);
    }

    ScaleLink link(ScaleSession& session) const { return ScaleLink{session, m_config, m_out.scaleName}; }

    // Reads the file into the load's own table; the failure line when it cannot be sent at all.
    std::optional<LoadLine> read(Table& table)
    {
        m_version = versionOf(m_out.file);
        std::optional<std::string> error;
        if (m_out.kind == LoadKind::Products) {
            ProductLoad load = loadProductFile(m_out.file, m_setup.logoIndex);
            table = std::move(load.table);
            error = std::move(load.error);
        } else {
            TableLoad load = loadMessageFile(m_out.file);
            table = std::move(load.table);
            error = std::move(load.error);
        }
        if (error)
            return LoadLine::UnreadableFile;
        if (holdsNothing(table))
            return LoadLine::EmptyFile;
        return std::nullopt;
    }

    // Runs the transfer. A port that fails during an exchange is a line that stopped answering
    // (the session takes the failure in), so the load ends as against a silent scale; anything
    // still thrown is the scale's or the line's fault all the same.
    template <class Transfer> LoadLine send(Transfer transfer)
    {
        OperationResult result;
        try {
            result = transfer();
        } catch (const std::exception&) {
            return LoadLine::NoLink;
        }
        return lineOf(result, m_out.kind, m_out.row);
    }

    LoadOutcome finish(LoadLine line)
    {
        m_out.line = line;
        // A file that cannot be deleted is loaded again next cycle. One that another program
        // wrote anew while it was loaded stays, and its new rows go next cycle.
        if (m_out.loaded() && m_version && versionOf(m_out.file) == m_version) {
            std::error_code ec;
            fs::remove(m_out.file, ec);
        }
        m_out.stamp = stampNow();
        m_out.protocolText = protocolLine(line, m_out.kind, m_out.scaleName, m_out.row, m_out.stamp);
        if (m_setup.options.protocol) {
            if (auto error = appendToProtocol(m_setup.startDirectory, m_out.protocolText)) {
                m_out.protocolFailed = true;
                m_out.protocolError = std::move(*error);
            }
        }
        if (m_setup.report)
            m_setup.report->loadEnded(m_out);
        return m_out;
    }

  private:
    // What tells one version of a file from the next: its bytes. Time and size cannot: a new
    // version with other prices has the size of the old one, and a coarse file-system clock
    // (FAT, ext3, network shares) gives it the old time too. Taken before the file is read, so
    // a version written in between differs from it and stays.
    static std::optional<std::string> versionOf(const fs::path& file)
    {
        FileRead read = readFileBytes(file);
        if (read.error)
            return std::nullopt;
        return std::move(read.bytes);
    }

    const LoadSetup& m_setup;
    Table m_config;
    LoadOutcome m_out;
    std::optional<std::string> m_version;
};

} // namespace

LoadOutcome LoadPLUFile(ScaleSession& session, const Table& config, int row, const fs::path& file,
                        const LoadSetup& setup)
{
    Load load(LoadKind::Products, config, row, file, setup);
    Table products = makeTable(productLayout());
    if (const auto bad = load.read(products))
        return load.finish(*bad);
    const ScaleLink link = load.link(session);
    if (setup.options.virtualSync)
        return load.finish(load.send([&] { return sendVirtualLoad(link, products); }));
    SendTableOptions options;
    options.checkFirst = true;
    return load.finish(load.send([&] { return sendProductTable(link, products, options); }));
}

LoadOutcome LoadMSGFile(ScaleSession& session, const Table& config, int row, const fs::path& file,
                        const LoadSetup& setup)
{
    Load load(LoadKind::Messages, config, row, file, setup);
    Table messages = makeTable(messageLayout());
    if (const auto bad = load.read(messages))
        return load.finish(*bad);
    const ScaleLink link = load.link(session);
    return load.finish(load.send([&] { return sendMessageTable(link, messages, true); }));
}

} // namespace qm
