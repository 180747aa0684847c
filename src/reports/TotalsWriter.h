#pragma once
// The twelve totals fields of the tab "Отчеты" as the two reads leave them: the general totals
// set all twelve, the sums of a table read the three "По всем PLU" fields. The window applies the
// same two calls to its fields on the user-interface thread.

#include "common/ValueSink.h"
#include "files/ReportFile.h"
#include "reports/ReportCodec.h"
#include "reports/ReportRows.h"

namespace qm
{

// The sums over all PLU into `Edit25` sum, `Edit26` sales count and `Edit27` weight.
void setPluSums(ReportTotals& fields, const ShownTotals& sums);

// A sink over fields the caller owns (the command line, the tests).
class TotalsWriter : public ValueSink<GeneralTotals>, public ValueSink<ShownTotals>
{
  public:
    explicit TotalsWriter(ReportTotals& fields) : m_fields(fields) {}
    void deliver(const GeneralTotals& totals) override { m_fields = totalsFields(totals); }
    void deliver(const ShownTotals& sums) override { setPluSums(m_fields, sums); }

  private:
    ReportTotals& m_fields;
};

} // namespace qm
