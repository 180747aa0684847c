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
    m_closing = true;
    // The runner waits for a running operation; it must go while everything it touches exists.
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
