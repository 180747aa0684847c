#pragma once
// Where an operation on the worker thread puts the rows it reads: each call is applied to the
// grid's model on the user-interface thread, in order. rowCount waits for the window's answer,
// so it sees every row added before it.

#include <QPointer>
#include <functional>

#include "app/TableModel.h"
#include "common/TableSink.h"

namespace qm::app
{

class AppContext;

class GridSink : public TableSink
{
  public:
    // `onModified` runs on the user-interface thread: it sets the table's modified flag.
    GridSink(AppContext& context, TableModel* model, std::function<void()> onModified = {});

    int rowCount() const override;
    void clear() override;
    void setRow(int row, const Row& cells) override;
    void appendRow() override;
    void removeLastRow() override;
    void setModified() override;

  private:
    AppContext& m_context;
    QPointer<TableModel> m_model;
    std::function<void()> m_onModified;
};

} // namespace qm::app
