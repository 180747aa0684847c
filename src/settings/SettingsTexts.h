#pragma once
// The fixed texts (UTF-8) of the scale's settings, status, price keys and factory settings.
// Texts every subject shows alike (the frame, "Ошибка обмена. Повторите еще раз.") are in
// operation/OperationTexts.h.

namespace qm::settingstext
{

// The chooser names no scale.
inline const char* const kNoScaleRead = "Для чтения настроек пользователя выберите весы из списка.";
inline const char* const kNoScaleWrite = "Для записи настроек пользователя выберите весы из списка.";
inline const char* const kNoScaleStatus = "Для чтения состояния весов выберите весы из списка.";
inline const char* const kNoScaleKeys = "Для изменения таблицы клавиш цен выберите весы из списка.";
inline const char* const kNoScaleFactory = "Для чтения заводских установок выберите весы из списка.";

// User settings, shop name, date and time.
inline const char* const kReadDone = "Чтение настроек пользователя закончено.";
inline const char* const kAskUser = "ВНИМАНИЕ !\r\nНастройки пользователя будут изменены.\r\nПродолжить ?";
inline const char* const kAskShop = "ВНИМАНИЕ !\r\nНазвание магазина будет изменено.\r\nПродолжить ?";
inline const char* const kAskClock = "ВНИМАНИЕ !\r\nДата и время в весах будут изменены.\r\nПродолжить ?";
inline const char* const kBadDepartment = "Неправильная настройка номера отдела. Это число от 0 до 999.";
inline const char* const kBadOffset = "Неправильная настройка параметра сдвиг печати. Это число от 1 до 99.";
inline const char* const kBadMinWeight =
    "Неправильная настройка минимального изменения веса для автопечати. Это число от 0 до 6000.";
inline const char* const kBadDate = "Неправильно заполнен параметр ДАТА ! Пример: 01.07.02 или 31.12.03";
inline const char* const kBadTime = "Неправильно заполнен параметр ВРЕМЯ ! Пример: 13:11:59 или 23:30:00";
inline const char* const kChanged = "Настройки весов изменены";
inline const char* const kUnchanged = "Настройки весов не изменены";

// A number field that holds no integer; %1 is the field's label.
inline const char* const kNotANumber = "Поле \"%1\" должно содержать целое число.";

// The labels of the number fields, as the tab shows them.
inline const char* const kDepartmentLabel = "Номер отдела";
inline const char* const kLabelFormatLabel = "Формат этикетки";
inline const char* const kBarcodeFormatLabel = "Формат штрих-кода";
inline const char* const kOffsetLabel = "Сдвиг печати, мм";
inline const char* const kMinWeightLabel = "Мин. изменение веса для автопечати, гр.";

// Status and price keys.
inline const char* const kStatusDone = "Чтение состояния весов закончено.";
inline const char* const kKeyReadFailed = "Ошибка обмена.";
inline const char* const kBadKeyCell =
    "Проверьте правильность заполнения таблицы клавиш цен. Номер ячейки - это число от 1 до 4000.";
inline const char* const kKeyWriteFailed = "В процессе обмена возникли ошибки. Повторите попытку записи еще раз.";
inline const char* const kKeysWritten = "Запись таблицы клавиш цен произведена.";

// Factory settings: the one text without "выбранных".
inline const char* const kFactoryReadFailed = "Проверьте работоспособность весов или линии связи.";

} // namespace qm::settingstext
