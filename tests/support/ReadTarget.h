#pragma once
// The table a read fills, with its modified flag, as the window's table has one.

#include "common/TableLayouts.h"
#include "common/TableSink.h"

namespace qmtest
{

template <const qm::TableLayout& (*Layout)()> struct ReadTarget {
    qm::Table table = qm::makeTable(Layout());
    bool modified = false;
    qm::TableWriter sink{table, &modified};
};

} // namespace qmtest
