#pragma once
// The fixed texts of the report printout (UTF-8).

namespace qm::printtext
{

inline const char* const kPrinted = "Отчет распечатан:     ";
inline const char* const kPrintedGap = "    ";
inline const char* const kScale = "Отчет по весам  ";
inline const char* const kPeriod = "  за период:  ";
inline const char* const kDateTimeGap = "  ";
inline const char* const kPeriodTo = "   -   ";
inline const char* const kGrandTotal = "Итог по всем товарам:  Сумма - ";
inline const char* const kPluTotal = "Итог по запрограммированным товарам PLU:  Сумма - ";
inline const char* const kCount = "  Кол-во продаж - ";
inline const char* const kWeight = "  Общий вес - ";

} // namespace qm::printtext
