#include "common/SaveFirst.h"

#include "common/Feedback.h"
#include "common/TableSink.h"

namespace qm
{

bool saveFirst(Feedback& feedback, TableSink& table, const SaveCommand& save, const std::string& question)
{
    if (!table.isModified())
        return true;
    switch (feedback.ask(question, Buttons::YesNoCancel)) {
    case Answer::Cancel:
        return false;
    case Answer::Yes:
        if (!save || !save())
            return false;
        break;
    case Answer::No:
        break;
    }
    table.clearModified();
    return true;
}

} // namespace qm
