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
    // `modifiedFlag`, when given, is that flag itself (a member of AppState): the save-first
    // question of a read reads and clears it, on the user-interface thread.
    GridSink(AppContext& context, TableModel* model, std::function<void()> onModified = {},
             bool* modifiedFlag = nullptr);

    int rowCount() const override;
    void clear() override;
    void setRow(int row, const Row& cells) override;
    void appendRow() override;
    void removeLastRow() override;
    void setModified() override;
    bool isModified() const override;
    void clearModified() override;

  private:
    AppContext& m_context;
    QPointer<TableModel> m_model;
    std::function<void()> m_onModified;
    bool* m_modifiedFlag;
};

} // namespace qm::app
