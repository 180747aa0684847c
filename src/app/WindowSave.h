#pragma once
// The save that a Yes to the save-first question runs when an operation on the worker asks it (a
// read that replaces a modified table, picture or report): the owner's save runs on the window's
// thread while the worker waits. It counts as not done once the owner has gone or the window is
// closing, so the read then leaves the data as it is.

#include <QPointer>

#include "app/AppContext.h"
#include "app/UiThread.h"
#include "common/SaveFirst.h"
#include "files/FileCommands.h"

namespace qm::app
{

template <class Owner> SaveCommand saveOnWindow(AppContext& context, Owner* owner, Outcome (Owner::*save)())
{
    return [self = QPointer<Owner>(owner), &context, save] {
        bool saved = false;
        callOn(&context, [&] {
            if (self && !context.closing())
                saved = (self.data()->*save)() == Outcome::Done;
        });
        return saved;
    };
}

} // namespace qm::app
