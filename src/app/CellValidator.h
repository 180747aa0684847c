#pragma once
// The cell editor's guard: text holding a character that code page 1251 cannot hold, or CR, LF
// or 0x1A, is refused whole (typed or pasted), so a cell never changes behind the user's back.

#include <QValidator>

namespace qm::app
{

class CellValidator : public QValidator
{
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace qm::app
