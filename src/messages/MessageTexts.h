#pragma once
// The fixed texts of the message tab (UTF-8, as Feedback takes them). The frame's own texts
// (configuration row, port, addressing) are in link/ScaleSession.h.

namespace qm::msgtext
{

inline const char* const kRowError = "Неправильно задан номер сообщения задан. Это целое число от 1 до 1000.";
inline const char* const kTableOk = "Список сообщений ошибок не имеет.";

inline const char* const kNoScaleWrite = "Для записи ячейки выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kNoScaleRead = "Для чтения сообщений выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kNoScaleDelete =
    "Для удаления сообщений выберите весы из списка (или заполните конфигурацию.).";

inline const char* const kSaveFirst =
    "Будет открыт новый список сообщений.\r\nВ таблице  были изменения.\r\nСохранить ?";

inline const char* const kStopped = "Действие прервано.";
inline const char* const kSent = "Данные переданы.";
inline const char* const kWriteFailed = "Ошибка обмена. Повторите еще раз.";
inline const char* const kReadFailed = "Запрос несуществующего сообщения или ошибка обмена.";
inline const char* const kBadNumber = "Ошибка ввода номера MSG. Это число от 1 до 1000.";

// The delete-one question is "ВНИМАНИЕ !\r\nСообщение № " + field text + its tail.
inline const char* const kDeleteOneHead = "ВНИМАНИЕ !\r\nСообщение № ";
inline const char* const kDeleteOneTail = " из выбранных весов будет удалено.\r\nПродолжить ?";
inline const char* const kDeletedOne = "Сообщение удалено.";
inline const char* const kDeleteAllQuestion =
    "ВНИМАНИЕ !\r\nВсе сообщения из выбранных весов будут удалены.\r\nПродолжить ?";
inline const char* const kDeleteRangeQuestion =
    "ВНИМАНИЕ !\r\nВсе указанные сообщения из выбранных весов будут удалены.\r\nПродолжить ?";
inline const char* const kDeleteFailed = "Ошибка обмена.";
inline const char* const kDeleted = "Сообщения удалены.";

// The range dialogs of the tab.
inline const char* const kRangeNotNumbers = "Проверьте правильность ввода параметров.";
inline const char* const kRangeRowZero = "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.";
inline const char* const kRangeTooManyRows =
    "В таблице сообщений нет такого большого количества строк, проверьте правильность ввода параметров.";
inline const char* const kRangeReadNumbers =
    "Номер строки не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.";
inline const char* const kRangeDeleteNumbers =
    "Номер сообщения не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.";

} // namespace qm::msgtext
