#pragma once
// The fixed texts of the backup and the restore (UTF-8), in qm::backuptext.

namespace qm::backuptext
{

inline const char* const kNoScaleBackup = "Для резервной копии выберите весы из списка.";
inline const char* const kNoScaleRestore = "Для восстановления из копии выберите весы из списка.";

// The parts as the bar and the closing texts name them, in the order a restore writes them.
inline const char* const kUserSettings = "настройки пользователя";
inline const char* const kShopName = "название магазина";
inline const char* const kProducts = "товары";
inline const char* const kMessages = "сообщения";
inline const char* const kKeys = "клавиши цен";
inline const char* const kLogo = "логотип";

inline const char* const kBackupFailed = "Резервная копия не сделана: ";
inline const char* const kBackupSaved = "Резервная копия весов сохранена";
inline const char* const kFileRefused = "Файл не принят, весы не изменены.\r\n";
inline const char* const kNoManifest = "В архиве нет manifest.json: это не резервная копия весов.";
inline const char* const kSumMismatch = "Контрольная сумма не совпадает: файл \"%1\" в копии поврежден.";
inline const char* const kRestoreStopped = "Восстановление остановлено: ";
inline const char* const kWritten = "Записано в весы: ";
inline const char* const kStoppedAt = "Не завершено: ";
inline const char* const kNotWritten = "Не записано: ";
inline const char* const kNothing = "ничего";
inline const char* const kRestored = "Весы восстановлены из копии.";

} // namespace qm::backuptext
