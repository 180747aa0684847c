#include "messages/MessageSteps.h"

#include <optional>

#include "common/IntText.h"
#include "messages/MessageCodec.h"
#include "messages/MessageTexts.h"

namespace qm
{

namespace messagesteps
{

OperationResult rowWireNumber(Feedback& feedback, const Table& messages, int row, std::uint16_t& number)
{
    std::optional<std::uint16_t> wire;
    if (const auto n = intText(messages.cell(row, msgcol::Number)))
        wire = messageWireNumber(*n);
    if (!wire) {
        feedback.moveCursor(TableId::Messages, row, msgcol::Number);
        return failed(feedback, Failure::at(FailureKind::BadNumber, messagetext::kRowError, TableId::Messages, row,
                                            msgcol::Number));
    }
    number = *wire;
    return OperationResult::done();
}

} // namespace messagesteps
} // namespace qm
