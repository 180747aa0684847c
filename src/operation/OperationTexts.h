#pragma once
// The messages the opening of an operation and its exchanges show, shared by every subject.

namespace qm
{

namespace msg
{
inline const char* const kCheckConfig = "Проверьте правильность заполнения таблицы конфигурации для выбранных весов.";
inline const char* const kPortBusy =
    "Выбранный СОМ-порт не существует или занят другим приложением.\r\nПроверьте конфигурацию выбранных весов.";
inline const char* const kNoLink = "Проверьте работоспособность выбранных весов или линии связи.";
inline const char* const kNotReady = "Проверьте работоспособность выбранных весов.";
inline const char* const kWriteFailed = "Ошибка обмена. Повторите еще раз.";
inline const char* const kReadFailed = "Ошибка обмена данными. Повторите попытку запроса.";
} // namespace msg

} // namespace qm
