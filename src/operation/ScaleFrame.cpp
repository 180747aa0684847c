#include "operation/ScaleFrame.h"

#include "common/Feedback.h"
#include "common/IntText.h"
#include "config/ConfigTable.h"
#include "operation/OperationTexts.h"

namespace qm
{

namespace
{

OpenedScale endedBy(OperationResult result)
{
    OpenedScale opened;
    static_cast<OperationResult&>(opened) = std::move(result);
    return opened;
}

} // namespace

OpenedScale findScale(Feedback& feedback, const Table& config, const std::string& chooserText,
                      const std::string& noScaleMessage)
{
    const int row = NumberColFrom(config, chooserText);
    if (row < 0)
        return endedBy(failed(feedback, Failure::plain(FailureKind::NoScale, noScaleMessage)));
    return checkScaleRow(feedback, config, row);
}

OpenedScale checkScaleRow(Feedback& feedback, const Table& config, int row)
{
    int code = 0;
    int column = -1;
    if (CfgCheckError(config, row, code, column)) {
        feedback.moveCursor(TableId::Config, row, column);
        return endedBy(failed(feedback, Failure::at(FailureKind::BadConfigRow, operationtext::kCheckConfig,
                                                    TableId::Config, row, column)));
    }
    OpenedScale opened;
    opened.target.row = row;
    opened.target.number = *intText(config.cell(row, cfgcol::Number));
    opened.target.name = config.cell(row, cfgcol::Name);
    opened.target.port = config.cell(row, cfgcol::Port);
    opened.target.speed = config.cell(row, cfgcol::Speed);
    return opened;
}

OpenedScale openScale(const ScaleLink& link, const std::string& noScaleMessage)
{
    OpenedScale opened = findScale(link.session.feedback(), link.config, link.scaleName, noScaleMessage);
    if (!opened)
        return opened;
    if (!link.session.Connection(opened.target.port, opened.target.speed))
        return endedBy(
            failed(link.session.feedback(), Failure::plain(FailureKind::PortUnavailable, operationtext::kPortBusy)));
    return opened;
}

OpenedScale openForRead(const ScaleLink& link, const std::string& noScaleMessage, TableSink& table,
                        const SaveCommand& save, const std::string& saveQuestion, TableId id)
{
    OpenedScale opened = openScale(link, noScaleMessage);
    if (!opened)
        return opened;
    Feedback& feedback = link.session.feedback();
    if (!saveFirst(feedback, table, save, saveQuestion)) {
        opened.outcome = TransferOutcome::Cancelled;
        return opened;
    }
    emptyTable(feedback, table, id);
    return opened;
}

OperationResult addressScale(ScaleSession& session, int scaleNumber, bool emptyQueueFirst, int windowMs)
{
    const AddressResult answer = session.address(scaleNumber, emptyQueueFirst, windowMs);
    if (answer == AddressResult::Ready)
        return OperationResult::done();
    if (answer == AddressResult::NoLink)
        return failed(session.feedback(), Failure::plain(FailureKind::NoLink, operationtext::kNoLink));
    return failed(session.feedback(), Failure::plain(FailureKind::NotReady, operationtext::kNotReady));
}

} // namespace qm
