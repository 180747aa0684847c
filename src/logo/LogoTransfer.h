#pragma once
// The logo transfer operations of the tab "Логотип": write the logo to the chosen scale, read the
// scale's logo into the editor. Plain sequential functions like the other subjects' operations
// (messages/MessageTransfer.h): the frame, the addressing, one exchange, the outcome through
// Feedback and in the result.

#include "common/SaveFirst.h"
#include "common/ValueSink.h"
#include "logo/LogoPicture.h"
#include "operation/ScaleOperation.h"

namespace qm
{

// `Button1Click` (`SpeedButton5Click`): the picture as it is when the write starts.
OperationResult sendLogo(const ScaleLink& link, const LogoPicture& picture);

// `Button2Click` (`SpeedButton6Click`). A modified drawing is offered for saving first: Cancel,
// or a Yes whose save did not happen, ends the read Cancelled before the scale is addressed.
// The logo is delivered only when it arrived whole; the sink's flag is the drawing's modified flag.
OperationResult readLogo(const ScaleLink& link, ValueSink<LogoPicture>& sink, const SaveCommand& save);

} // namespace qm
