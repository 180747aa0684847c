#include "app/AppContext.h"

#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/UserDialogs.h"

namespace qm::app
{

AppContext::AppContext(QWidget* window)
    : m_boxes(std::make_unique<MessageBoxDialogs>(window)), m_lastFont(QStringLiteral("MS Sans Serif"), 8)
{
    m_runner = std::make_unique<ScaleRunner>(*this);
}

AppContext::~AppContext()
{
    // A running operation stops after its current record, and what it still asks of the window
    // gets No or Cancel at once. The runner then ends its thread; it must go while everything the
    // operation touches exists.
    if (m_runner->busy())
        m_state.stop.store(true);
    m_calls.close();
    m_runner.reset();
}

StringGrid* AppContext::grid(TableId id) const
{
    const auto it = m_grids.find(id);
    return it == m_grids.end() ? nullptr : it->second;
}

FileCommandContext AppContext::fileContext(Feedback& feedback) const
{
    return FileCommandContext{feedback, dialogs(), m_state.startDirectory};
}

} // namespace qm::app
