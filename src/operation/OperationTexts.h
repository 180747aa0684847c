#pragma once
// The texts (UTF-8) that the opening of an operation and its exchanges show, and those every
// subject shows alike. Each subject's own texts are in its *Texts.h (qm::producttext,
// qm::messagetext).

namespace qm::operationtext
{

// The frame.
inline const char* const kCheckConfig = "Проверьте правильность заполнения таблицы конфигурации для выбранных весов.";
inline const char* const kPortBusy =
    "Выбранный СОМ-порт не существует или занят другим приложением.\r\nПроверьте конфигурацию выбранных весов.";
inline const char* const kNoLink = "Проверьте работоспособность выбранных весов или линии связи.";
inline const char* const kNotReady = "Проверьте работоспособность выбранных весов.";

// The exchanges.
inline const char* const kWriteFailed = "Ошибка обмена. Повторите еще раз.";
inline const char* const kReadFailed = "Ошибка обмена данными. Повторите попытку запроса.";

// The end of a transfer.
inline const char* const kSent = "Данные переданы.";
inline const char* const kReceived = "Данные приняты.";
inline const char* const kStopped = "Действие прервано.";

// The passes of a send, named on its progress bar.
inline const char* const kCheckPhase = "Проверка…";
inline const char* const kSendPhase = "Передача…";

} // namespace qm::operationtext
