#pragma once
// The fixed texts (UTF-8) of the scale's status, price keys and factory settings.

namespace qm::statustext
{

// A read of one price key brought no answer.
inline const char* const kKeyReadFailed = "Ошибка обмена.";
// A written price key was not acknowledged.
inline const char* const kKeyWriteFailed = "В процессе обмена возникли ошибки. Повторите попытку записи еще раз.";
// The factory settings did not arrive (the one text without "выбранных").
inline const char* const kFactoryReadFailed = "Проверьте работоспособность весов или линии связи.";

} // namespace qm::statustext
