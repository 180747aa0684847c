#pragma once
// The texts of the tab "Тесты" (UTF-8): the cells of the test table, the messages of the link
// tests and of the number detection. The frame's texts are in operation/OperationTexts.h.

#include <string>

namespace qm::diagnostictext
{

inline const char* const kChooseToTest = "Для тестирования выберите весы из списка.";

// Column "Состояние связи".
inline const char* const kPortConnected = "порт подключен";
inline const char* const kPortNotConnected = "порт не подключен";
// Columns "Время ответа, мсек" and "Состояние весов".
inline const char* const kUnknown = "неизвестно";
inline const char* const kWorking = "рабочее";       // answered with its own number
inline const char* const kOtherOnLine = "в сети RS"; // something answered with another byte
inline const char* const kSilent = "не в сети RS";   // nothing answered

// The number detection. "СОМ" is written with Cyrillic letters, as the person has always seen
// it; this message has no second line, unlike the frame's.
inline const char* const kPortMissing = "Выбранный СОМ-порт не существует или занят другим приложением.";
inline const char* const kNotDetermined = "не определен";
inline std::string notDetected(const std::string& portText)
{
    return "На " + portText +
           " весов не обнаружено.\r\n"
           "Проверьте настройки посл.порта, работоспособность весов или линию связи.";
}

} // namespace qm::diagnostictext
