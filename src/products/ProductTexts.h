#pragma once
// The texts of the product tab (UTF-8, as Feedback takes them). The texts of the frame and those
// every subject shows alike (sent, received, stopped, write and read failed) are in
// operation/OperationTexts.h; the range dialogs' common texts in common/RangeCheck.h.

namespace qm::producttext
{

// The check.
inline const char* const kTableOk = "В списке товаров ошибок не обнаружено.";

// A chooser that names no scale, by operation.
inline const char* const kChooseToSendTable =
    "Для записи таблицы товаров выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToSendRow = "Для записи ячейки выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToReadOne = "Для чтения ячейки выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToReadRange =
    "Для чтения таблицы товаров выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToDelete =
    "Для удаления таблицы товаров выберите весы из списка (или заполните конфигурацию.).";

// Sending with virtual synchronisation.
inline const char* const kExchangeFailed = "Ошибка обмена данными.";
inline const char* const kReloadFailed = "Ошибка обмена. Повторите загрузку.";
inline const char* const kStartOfTransfer = "Данные переданы.\r\nНачало передачи: ";
inline const char* const kEndOfTransfer = "Конец передачи: ";
inline const char* const kRangeCancelled = "Виртуальный диапазон отменен.";
inline const char* const kRangeNotCancelled = "Ошибка обмена. Виртуальный диапазон не отменен.";

// Reading.
inline const char* const kSaveFirst =
    "Будет получен новый список товаров.\r\nВ таблице  были изменения.\r\nСохранить ?";
inline const char* const kBadPluToRead = "Ошибка ввода номера PLU. Это число от 1 до 4000.";
inline const char* const kMissingOrFailed = "Запрашиваемые данные отсутствуют или произошла ошибка обмена.";

// Deleting. The delete-one question is "ВНИМАНИЕ !\r\nЯчейка товара № " + field text + its end.
inline const char* const kBadPluToDelete = "Ошибка ввода номера PLU. Это число от 0 до 4000.";
inline const char* const kDeleteOneStart = "ВНИМАНИЕ !\r\nЯчейка товара № ";
inline const char* const kDeleteOneEnd = " из выбранных весов будет удалена.\r\nПродолжить ?";
inline const char* const kDeleted = "Выбранная ячейка удалена.";
inline const char* const kNotDeleted = "Выбранная ячейка не удалена, т.к. не существует либо произошла ошибка обмена.";
inline const char* const kDeleteAllQuestion =
    "ВНИМАНИЕ !\r\nВсе ячейки товаров из выбранных весов будут удалены.\r\nПродолжить ?";
inline const char* const kDeleteRangeQuestion =
    "ВНИМАНИЕ !\r\nВыбранные ячейки товаров из весов будут удалены.\r\nПродолжить ?";
inline const char* const kTableDeleted =
    "Таблица товаров удалена. Для просмотра количества свободных ячеек товара на весах - перезагрузите их.";
inline const char* const kDeleteStopped = "Таблица товаров не удалена полностью. Действие прервано.";
inline const char* const kDeleteFailed = "Таблица товаров не удалена полностью, т.к. произошла ошибка обмена.";

// The range dialogs of the PLU numbers to read and to delete.
inline const char* const kRangeReadNumbers =
    "Номер строки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.";
inline const char* const kRangeDeleteNumbers =
    "Номер ячейки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.";

} // namespace qm::producttext
