#pragma once
// The texts of the logo tab (UTF-8, as Feedback takes them). The frame's texts and "Данные
// переданы." are in operation/OperationTexts.h; the logo file's two messages in files/LogoFile.h.

namespace qm::logotext
{

// A chooser that names no scale, by the kind of work.
inline const char* const kChooseToSend = "Для записи логотипа выберите весы из списка (или заполните конфигурацию.).";
inline const char* const kChooseToRead = "Для чтения логотипа выберите весы из списка (или заполните конфигурацию.).";

inline const char* const kWriteFailed = "Ошибка записи. Повторите еще раз";
inline const char* const kReadFailed = "Ошибка передачи. Попытайтесь еще раз.";
inline const char* const kRead = "Логотип прочитан.";

// Before new, open, convert and a read replace a modified drawing.
inline const char* const kSaveFirst = "Рисунок логотипа был изменен. Сохранить изменения?";

} // namespace qm::logotext
