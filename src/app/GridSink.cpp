#include "app/GridSink.h"

#include "app/AppContext.h"
#include "app/UiThread.h"

namespace qm::app
{

GridSink::GridSink(AppContext& context, TableModel* model, std::function<void()> onModified, bool* modifiedFlag)
    : m_context(context), m_model(model), m_onModified(std::move(onModified)), m_modifiedFlag(modifiedFlag)
{
}

int GridSink::rowCount() const
{
    int count = 2;
    callOn(&m_context, [model = m_model, &count] {
        if (model)
            count = model->table().rowCount();
    });
    return count;
}

void GridSink::clear()
{
    postTo(&m_context, [model = m_model] {
        if (model)
            model->clearData();
    });
}

void GridSink::setRow(int row, const Row& cells)
{
    postTo(&m_context, [model = m_model, row, cells] {
        if (model)
            model->setRow(row, cells);
    });
}

void GridSink::appendRow()
{
    postTo(&m_context, [model = m_model] {
        if (model)
            model->appendRow();
    });
}

void GridSink::removeLastRow()
{
    postTo(&m_context, [model = m_model] {
        if (model)
            model->removeLastRow();
    });
}

void GridSink::setModified()
{
    postTo(&m_context, [onModified = m_onModified] {
        if (onModified)
            onModified();
    });
}

bool GridSink::isModified() const
{
    bool modified = false;
    callOn(&m_context, [flag = m_modifiedFlag, &modified] { modified = flag && *flag; });
    return modified;
}

void GridSink::clearModified()
{
    callOn(&m_context, [flag = m_modifiedFlag] {
        if (flag)
            *flag = false;
    });
}

} // namespace qm::app
