#include "app/CellValidator.h"

#include "app/TableModel.h"

namespace qm::app
{

QValidator::State CellValidator::validate(QString& input, int&) const
{
    return TableModel::toCp1251(input) ? Acceptable : Invalid;
}

} // namespace qm::app
