#pragma once
// Where an operation on the worker thread puts the one record it reads: the fields of a tab,
// filled on the user-interface thread, as GridSink fills a grid. The record is shown only while
// the widget that shows it lives.

#include <QPointer>
#include <functional>
#include <memory>

#include "app/AppContext.h"
#include "app/UiThread.h"
#include "common/ValueSink.h"

namespace qm::app
{

template <class T> class FieldSink : public ValueSink<T>
{
  public:
    // `show` runs on the user-interface thread while `owner` lives. `modifiedFlag`, when given,
    // is the flag of what the record replaces (a member of AppState): a delivery sets it and the
    // save-first question reads it, both on the user-interface thread.
    FieldSink(AppContext& context, QObject* owner, std::function<void(const T&)> show, bool* modifiedFlag = nullptr)
        : m_context(context), m_owner(owner), m_show(std::move(show)), m_modifiedFlag(modifiedFlag)
    {
    }

    void deliver(const T& value) override
    {
        postTo(&m_context, [owner = m_owner, show = m_show, flag = m_modifiedFlag, value] {
            if (!owner)
                return;
            show(value);
            if (flag)
                *flag = true;
        });
    }

    bool isModified() const override
    {
        bool modified = false;
        callOn(&m_context, [flag = m_modifiedFlag, &modified] { modified = flag && *flag; });
        return modified;
    }

  private:
    AppContext& m_context;
    QPointer<QObject> m_owner;
    std::function<void(const T&)> m_show;
    bool* m_modifiedFlag;
};

// The sink of a tab's read: `show`, a member of the tab, gets the record.
template <class T, class Owner>
std::shared_ptr<FieldSink<T>> fieldSink(AppContext& context, Owner* owner, void (Owner::*show)(const T&),
                                        bool* modifiedFlag = nullptr)
{
    return std::make_shared<FieldSink<T>>(
        context, owner, [owner, show](const T& value) { (owner->*show)(value); }, modifiedFlag);
}

} // namespace qm::app
