#pragma once
// The fixed texts (UTF-8) of automatic loading: the pieces of the protocol lines, the entry of
// the list of loaded scales, and what the tab "Авторежим" shows. A protocol line is its pieces
// joined with nothing between them; every blank there is is inside the quotes.

namespace qm::autoloadtext
{

// Between the event and the date, and between date and time, of a protocol line.
inline const char* const kDash = "  -  ";
inline const char* const kStampGap = "  ";
// Between date and time of an entry of the list of loaded scales.
inline const char* const kEntryGap = " ";

// The lines of the load's outcomes: before the name, after the name.
inline const char* const kBadConfigBefore = "Ошибка заполнения таблицы конфигурации для весов  ";
inline const char* const kPortBefore = "Выбранный СОМ-порт для весов ";
inline const char* const kPortAfter = " не существует или занят другим приложением";
inline const char* const kNoLinkBefore = "Неисправность весов ";
inline const char* const kNoLinkAfter = " или линии связи";
inline const char* const kNoAckBefore = "Ошибка обмена с весами ";
inline const char* const kExchangeBefore = "Ошибка обмена данными с весами  ";
inline const char* const kLoadedBefore = "Весы ";
inline const char* const kProductsLoadedAfter = " прогружены списком товаров";
inline const char* const kMessagesLoadedAfter = " прогружены списком сообщений";

// Lines of the outcomes the loads add: a load file that cannot be sent as it is, and a load
// ended by switching auto mode off or by stopping the service.
inline const char* const kProductFile = "товаров";
inline const char* const kMessageFile = "сообщений";
inline const char* const kBadRowBefore = "Ошибка в строке "; // R " файла " товаров " для весов " N
inline const char* const kBadRowFile = " файла ";
inline const char* const kForScale = " для весов ";
inline const char* const kFileBefore = "Файл "; // товаров " для весов " N " пуст"
inline const char* const kEmptyAfter = " пуст";
inline const char* const kUnreadableAfter = " не читается";
inline const char* const kStoppedBefore = "Загрузка весов "; // N " прервана"
inline const char* const kStoppedAfter = " прервана";
// A load that a fault of the program itself ended (no scale's or line's doing).
inline const char* const kBrokenBefore = "Сбой программы при загрузке весов "; // N
// A product load whose snapshot of the cells it would overwrite failed: the load did not start.
inline const char* const kSnapshotBefore = "Не сохранен снимок ячеек весов "; // N
inline const char* const kSnapshotAfter = " перед загрузкой, загрузка не начата";
// A load file set aside to be deleted whose name a newer file took meanwhile: both are kept.
inline const char* const kKeptBefore = "Файл загрузки ";                                    // F
inline const char* const kKeptMiddle = " занят новым файлом, прежний сохранен под именем "; // K

// The tab "Авторежим".
inline const char* const kSwitchOn = "Включить";
inline const char* const kSwitchOff = "Выключить";
inline const char* const kClearProtocolQuestion =
    "ВНИМАНИЕ !\r\nФайл протокола автоматической загрузки будет удален.\r\nПродолжить ?";
inline const char* const kProtocolDeleted = "Файл протокола автозагрузки удален.";
inline const char* const kProtocolNotDeleted = "Файл протокола автозагрузки не удален: ";
inline const char* const kBadPeriod =
    "Период опроса должен быть целым числом секунд от 1 до 86400. Автоматический режим не включен.";
inline const char* const kCycleRunning =
    "Идет автоматическая загрузка весов. Действие будет доступно после окончания цикла загрузки.";

} // namespace qm::autoloadtext
