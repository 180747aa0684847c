#include "autoload/AutoLoad.h"

#include <exception>
#include <optional>
#include <utility>

#include "autoload/AutoVirtualSend.h"
#include "autoload/LoadFileEnd.h"
#include "autoload/LoadSnapshot.h"
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

// The frame sees a configuration of the one row: the load is for that row, even when another
// row carries the same name.
Table configOf(const Table& config, int row)
{
    Table one = makeTable(configLayout());
    one.setRow(1, config.row(row));
    return one;
}

// The outcome of a load before it has a line: what it loads, for which scale.
LoadOutcome outcomeFor(LoadKind kind, const Table& config, int row, const fs::path& file)
{
    LoadOutcome out;
    out.kind = kind;
    out.scaleName = config.cell(row, cfgcol::Name);
    out.file = file;
    return out;
}

// Stamps the outcome, writes its protocol line and tells the report.
LoadOutcome& ended(LoadOutcome& out, const LoadSetup& setup)
{
    out.stamp = stampNow();
    out.protocolText = protocolLine(out.line, out.kind, out.scaleName, out.row, out.stamp);
    if (setup.options.protocol) {
        if (auto error = appendToProtocol(setup.startDirectory, out.protocolText)) {
            out.protocolFailed = true;
            out.protocolError = std::move(*error);
        }
    }
    if (setup.report)
        setup.report->loadEnded(out);
    return out;
}

void noteKept(const FileEnd& end, const fs::path& file, const LoadSetup& setup)
{
    if (end.keptAs && setup.options.protocol)
        appendToProtocol(setup.startDirectory, keptFileLine(file, *end.keptAs, stampNow()));
}

class Load
{
  public:
    Load(LoadKind kind, const Table& config, int row, const fs::path& file, const LoadSetup& setup)
        : m_setup(setup), m_config(configOf(config, row)), m_out(outcomeFor(kind, config, row, file))
    {
        if (m_setup.report)
            m_setup.report->loadBegins(m_out.scaleName);
    }

    ScaleLink link(ScaleSession& session) const { return ScaleLink{session, m_config, m_out.scaleName}; }

    // Takes the file's rows from its bytes into the load's own table; the failure line when it
    // cannot be sent at all.
    std::optional<LoadLine> parse(const FileRead& read, Table& table) const
    {
        if (read.error)
            return LoadLine::UnreadableFile;
        std::optional<std::string> error;
        if (m_out.kind == LoadKind::Products) {
            ProductLoad load = productLoadFromBytes(m_out.file, read.bytes, m_setup.logoIndex);
            table = std::move(load.table);
            error = std::move(load.error);
        } else {
            TableLoad load = messageLoadFromBytes(m_out.file, read.bytes);
            table = std::move(load.table);
            error = std::move(load.error);
        }
        if (error)
            return LoadLine::UnreadableFile;
        if (table.holdsNoData())
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

    // The snapshot of the cells the products will overwrite, when a folder is set; the line that
    // ends the load when it cannot be taken. The frame's failures and a stop keep their own lines.
    std::optional<LoadLine> snapshot(const ScaleLink& link, const Table& products)
    {
        if (m_setup.snapshotFolder.empty())
            return std::nullopt;
        LoadSnapshot taken;
        try {
            taken = takeLoadSnapshot(link, products, m_setup.startDirectory / m_setup.snapshotFolder);
        } catch (const std::exception&) {
            return LoadLine::NoLink;
        }
        if (taken.kind != LoadSnapshot::Kind::ReadFailed)
            return taken.kind == LoadSnapshot::Kind::SaveFailed ? std::optional(LoadLine::SnapshotFailed)
                                                                : std::nullopt;
        const LoadLine line = lineOf(taken.read, m_out.kind, m_out.row);
        const bool own = line == LoadLine::BadConfig || line == LoadLine::PortUnavailable || line == LoadLine::NoLink ||
                         line == LoadLine::Stopped;
        return own ? line : LoadLine::SnapshotFailed;
    }

    LoadOutcome finish(LoadLine line)
    {
        m_out.line = line;
        return ended(m_out, m_setup);
    }

  private:
    const LoadSetup& m_setup;
    Table m_config;
    LoadOutcome m_out;
};

// The load of a file's rows: read into the load's own table, then sent over the row's link;
// products first leave their snapshot, when a folder is set.
LoadOutcome loadRows(LoadKind kind, ScaleSession& session, const Table& config, int row, const fs::path& file,
                     const FileRead& read, const LoadSetup& setup)
{
    Load load(kind, config, row, file, setup);
    Table table = makeTable(kind == LoadKind::Products ? productLayout() : messageLayout());
    if (const auto bad = load.parse(read, table))
        return load.finish(*bad);
    const ScaleLink link = load.link(session);
    if (kind == LoadKind::Messages)
        return load.finish(load.send([&] { return sendMessageTable(link, table, true); }));
    if (const auto failed = load.snapshot(link, table))
        return load.finish(*failed);
    if (setup.options.virtualSync)
        return load.finish(load.send([&] { return sendVirtualLoad(link, table); }));
    SendTableOptions options;
    options.checkFirst = true;
    return load.finish(load.send([&] { return sendProductTable(link, table, options); }));
}

// The load from the file itself, deleted after a complete load.
LoadOutcome loadFile(LoadKind kind, ScaleSession& session, const Table& config, int row, const fs::path& file,
                     const LoadSetup& setup)
{
    const FileRead read = readLoadFile(file);
    LoadOutcome out = loadRows(kind, session, config, row, file, read, setup);
    if (out.loaded())
        endLoadFile(file, read.bytes, setup);
    return out;
}

} // namespace

FileRead readLoadFile(const fs::path& file)
{
    return readFileBytes(file);
}

LoadOutcome LoadPLUFile(ScaleSession& session, const Table& config, int row, const fs::path& file, const FileRead& read,
                        const LoadSetup& setup)
{
    return loadRows(LoadKind::Products, session, config, row, file, read, setup);
}

LoadOutcome LoadMSGFile(ScaleSession& session, const Table& config, int row, const fs::path& file, const FileRead& read,
                        const LoadSetup& setup)
{
    return loadRows(LoadKind::Messages, session, config, row, file, read, setup);
}

LoadOutcome LoadPLUFile(ScaleSession& session, const Table& config, int row, const fs::path& file,
                        const LoadSetup& setup)
{
    return loadFile(LoadKind::Products, session, config, row, file, setup);
}

LoadOutcome LoadMSGFile(ScaleSession& session, const Table& config, int row, const fs::path& file,
                        const LoadSetup& setup)
{
    return loadFile(LoadKind::Messages, session, config, row, file, setup);
}

void endLoadFile(const fs::path& file, const std::string& loaded, const LoadSetup& setup)
{
    noteKept(deleteIfLoaded(file, loaded), file, setup);
}

void takeBackLoadFile(const fs::path& file, const LoadSetup& setup)
{
    noteKept(takeBackLeftover(file), file, setup);
}

LoadOutcome loadBroken(const Table& config, int row, LoadKind kind, const fs::path& file, const LoadSetup& setup)
{
    LoadOutcome out = outcomeFor(kind, config, row, file);
    out.line = LoadLine::Broken;
    return ended(out, setup);
}

} // namespace qm
