#include "common/SaveFirst.h"

#include "common/Feedback.h"
#include "common/TableSink.h"

namespace qm
{

bool saveFirst(Feedback& feedback, TableSink& table, const SaveCommand& save, const std::string& question)
{
    return saveFirst(
        feedback, table.isModified(), [&table] { table.clearModified(); }, save, question);
}

bool saveFirst(Feedback& feedback, bool modified, const std::function<void()>& clearModified, const SaveCommand& save,
               const std::string& question)
{
    if (!modified)
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
    if (clearModified)
        clearModified();
    return true;
}

} // namespace qm
