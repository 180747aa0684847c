#pragma once
// The texts of the tab "Отчеты" (UTF-8, as Feedback takes them). The texts of the frame and those
// every subject shows alike (received, stopped, read failed) are in operation/OperationTexts.h.

namespace qm::reporttext
{

// A chooser that names no scale, by the kind of work.
inline const char* const kChooseToRead = "Для чтения отчетов выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToReadOne =
    "Для чтения отчетов по ячейке выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToClear =
    "Для удаления отчетов  выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToClearOne =
    "Для удаления отчетов по ячейке выберите весы из списка (или заполните конфигурацию.).";

// Reading.
inline const char* const kSaveFirst = "Будет открыт новый список отчетов.\r\nВ таблице  были изменения.\r\nСохранить ?";
inline const char* const kBadNumber = "Ошибка ввода номера PLU. Это число от 1 до 4000.";
inline const char* const kNoData = "Запрашиваемые данные отсутствуют или произошла ошибка обмена.";
inline const char* const kCheckScale = "Проверьте работоспособность весов или линии связи.";

// Clearing. The clear-one question is kClearOneStart + the "№ PLU" text + kClearOneEnd, its
// closing message kClearedOneStart + the text + kClearedOneEnd.
inline const char* const kClearFailed = "Ошибка обмена данными. Повторите попытку обнуления.";
inline const char* const kClearAllQuestion =
    "ВНИМАНИЕ !\r\nСуммарный итог продаж по каждому товару будет обнулен.\r\nПродолжить ?";
inline const char* const kClearedAll =
    "Итоги продаж по каждому товару обнулены. (Это не приводит к стиранию суммарных итогов по всем товарам.)";
inline const char* const kClearOneStart = "ВНИМАНИЕ !\r\nСуммарный итог продаж по товару № ";
inline const char* const kClearOneEnd = " будет обнулен.\r\nПродолжить ?";
inline const char* const kClearedOneStart = "Итог продаж по товару № ";
inline const char* const kClearedOneEnd = " обнулен. (Это не приводит к стиранию суммарных итогов по всем товарам.)";
inline const char* const kClearGrandQuestion =
    "ВНИМАНИЕ !\r\nСуммарный итог продаж по всем товарам будет удален.\r\nПродолжить ?";
inline const char* const kClearedGrand =
    "Суммарный итог продаж по всем товарам обнулен. (Это не приводит к стиранию итогов по каждому товару отдельно.)";

} // namespace qm::reporttext
