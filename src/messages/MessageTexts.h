#pragma once
// The texts of the message tab (UTF-8, as Feedback takes them). The texts of the frame and those
// every subject shows alike (sent, stopped, write failed) are in operation/OperationTexts.h; the
// range dialogs' common texts in common/RangeCheck.h.

namespace qm::messagetext
{

// The check.
inline const char* const kRowError = "Неправильно задан номер сообщения задан. Это целое число от 1 до 1000.";
inline const char* const kTableOk = "Список сообщений ошибок не имеет.";

// A chooser that names no scale, by the kind of work.
inline const char* const kChooseToSend = "Для записи ячейки выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToRead = "Для чтения сообщений выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToDelete =
    "Для удаления сообщений выберите весы из списка (или заполните конфигурацию.).";

// Reading.
inline const char* const kSaveFirst =
    "Будет открыт новый список сообщений.\r\nВ таблице  были изменения.\r\nСохранить ?";
inline const char* const kReadFailed = "Запрос несуществующего сообщения или ошибка обмена.";
inline const char* const kBadNumber = "Ошибка ввода номера MSG. Это число от 1 до 1000.";

// Deleting. The delete-one question is "ВНИМАНИЕ !\r\nСообщение № " + field text + its end.
inline const char* const kDeleteOneStart = "ВНИМАНИЕ !\r\nСообщение № ";
inline const char* const kDeleteOneEnd = " из выбранных весов будет удалено.\r\nПродолжить ?";
inline const char* const kDeletedOne = "Сообщение удалено.";
inline const char* const kDeleteAllQuestion =
    "ВНИМАНИЕ !\r\nВсе сообщения из выбранных весов будут удалены.\r\nПродолжить ?";
inline const char* const kDeleteRangeQuestion =
    "ВНИМАНИЕ !\r\nВсе указанные сообщения из выбранных весов будут удалены.\r\nПродолжить ?";
inline const char* const kDeleteFailed = "Ошибка обмена.";
inline const char* const kDeleted = "Сообщения удалены.";

// The range dialogs of the numbers to read and to delete.
inline const char* const kRangeReadNumbers =
    "Номер строки не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.";
inline const char* const kRangeDeleteNumbers =
    "Номер сообщения не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.";

} // namespace qm::messagetext
