#pragma once
// What the tabs of the window share: the shared state, the boxes and dialogs, the grids by
// table, the scale choosers and the one runner of scale operations. It lives on the
// user-interface thread and is the object that calls from the worker thread are queued to.

#include <QFont>
#include <QObject>
#include <map>
#include <memory>

#include "app/AppState.h"
#include "app/ScaleChoosers.h"
#include "app/UiThread.h"
#include "common/Feedback.h"
#include "files/FileCommands.h"

class QWidget;

namespace qm::app
{

class ScaleRunner;
class StringGrid;
class UserDialogs;

class AppContext : public QObject
{
    Q_OBJECT
  public:
    explicit AppContext(QWidget* window);
    ~AppContext() override;

    AppState& state() { return m_state; }
    UserDialogs& dialogs() const { return m_dialogs ? *m_dialogs : *m_boxes; }
    // Tests answer the boxes from a script; nullptr goes back to the real boxes. Not owned.
    void setDialogs(UserDialogs* dialogs) { m_dialogs = dialogs; }

    void addGrid(TableId id, StringGrid* grid) { m_grids[id] = grid; }
    StringGrid* grid(TableId id) const;

    // The context of a file command on the window's thread: its boxes and file dialogs, names
    // relative to the start directory.
    FileCommandContext fileContext(Feedback& feedback) const;

    ScaleChoosers& choosers() { return m_choosers; }
    ScaleRunner& runner() { return *m_runner; }

    // The font dialog starts from the last font chosen with it.
    QFont& lastFont() { return m_lastFont; }

    // Once the window goes away, questions still asked by an operation get No or Cancel and
    // messages are dropped, so the worker never waits for a box nobody will see.
    bool closing() const { return m_calls.closed(); }
    // What the worker waits for on the window's thread (callOn).
    const WindowCalls& windowCalls() const { return m_calls; }

  private:
    AppState m_state;
    std::unique_ptr<UserDialogs> m_boxes;
    UserDialogs* m_dialogs = nullptr;
    std::map<TableId, StringGrid*> m_grids;
    ScaleChoosers m_choosers;
    QFont m_lastFont;
    WindowCalls m_calls{this};
    std::unique_ptr<ScaleRunner> m_runner;
};

} // namespace qm::app
