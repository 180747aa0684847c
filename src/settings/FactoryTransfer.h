#pragma once
// The operation of the tab "Установки VORTA": read the factory settings of the chosen scale,
// which the scale only shows and never takes.

#include "common/Failure.h"
#include "common/ValueSink.h"
#include "settings/FactoryCodec.h"

namespace qm
{

struct ScaleLink;

// `Button7Click`: the record into the sink; nothing is shown on success, "Проверьте
// работоспособность весов или линии связи." when the scale does not answer.
OperationResult readFactory(const ScaleLink& link, ValueSink<FactorySettings>& settings);

} // namespace qm
