// The protocol lines of automatic loading, byte for byte in code page 1251, and their file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "autoload/LoadProtocol.h"
#include "common/Cp1251.h"
#include "support/CliProcess.h"

using namespace qm;
namespace fs = std::filesystem;

namespace
{

const Stamp kStamp{"07.12.2026", "09:05:03"};

std::string line(LoadLine kind, LoadKind file = LoadKind::Products, int row = -1)
{
    return protocolLine(kind, file, cp("Мясо 1"), row, kStamp);
}

} // namespace

TEST(ProtocolLine, TheSevenLinesWithEveryBlank)
{
    EXPECT_EQ(line(LoadLine::BadConfig),
              cp("Ошибка заполнения таблицы конфигурации для весов  Мясо 1  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::PortUnavailable),
              cp("Выбранный СОМ-порт для весов Мясо 1 не существует или занят другим приложением  -  07.12.2026  "
                 "09:05:03"));
    EXPECT_EQ(line(LoadLine::NoLink), cp("Неисправность весов Мясо 1 или линии связи  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::NoAck), cp("Ошибка обмена с весами Мясо 1  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::ExchangeFailed), cp("Ошибка обмена данными с весами  Мясо 1  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::ProductsLoaded), cp("Весы Мясо 1 прогружены списком товаров  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::MessagesLoaded, LoadKind::Messages),
              cp("Весы Мясо 1 прогружены списком сообщений  -  07.12.2026  09:05:03"));
    // "СОМ" of P2 is written in Cyrillic letters, as the window's message has it.
    EXPECT_NE(line(LoadLine::PortUnavailable).find("\xD1\xCE\xCC"), std::string::npos);
}

TEST(ProtocolLine, LinesOfTheLoadFile)
{
    EXPECT_EQ(line(LoadLine::BadRow, LoadKind::Products, 12),
              cp("Ошибка в строке 12 файла товаров для весов Мясо 1  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::BadRow, LoadKind::Messages, 1),
              cp("Ошибка в строке 1 файла сообщений для весов Мясо 1  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::EmptyFile), cp("Файл товаров для весов Мясо 1 пуст  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::UnreadableFile, LoadKind::Messages),
              cp("Файл сообщений для весов Мясо 1 не читается  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::Stopped), cp("Загрузка весов Мясо 1 прервана  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::Broken), cp("Сбой программы при загрузке весов Мясо 1  -  07.12.2026  09:05:03"));
    EXPECT_EQ(line(LoadLine::SnapshotFailed),
              cp("Не сохранен снимок ячеек весов Мясо 1 перед загрузкой, загрузка не начата  -  07.12.2026  09:05:03"));
    EXPECT_EQ(
        keptFileLine(fs::u8path("/магазин/мясо.pl6"), fs::u8path("/магазин/мясо.kept-20261207-090503.pl6"), kStamp),
        cp("Файл загрузки /магазин/мясо.pl6 занят новым файлом, прежний сохранен под именем "
           "мясо.kept-20261207-090503.pl6  -  07.12.2026  09:05:03"));
    EXPECT_EQ(loadedEntry(cp("Мясо 1"), kStamp), cp("Мясо 1  -  07.12.2026 09:05:03"));
}

TEST(ProtocolLine, StampIsRussianStyleWhateverTheLocale)
{
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    ::setenv("LC_TIME", "en_US.UTF-8", 1);
    std::setlocale(LC_ALL, "");
    const Stamp now = stampNow();
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(std::regex_match(now.date, std::regex(R"(\d\d\.\d\d\.20\d\d)"))) << now.date;
    EXPECT_TRUE(std::regex_match(now.time, std::regex(R"(\d\d:\d\d:\d\d)"))) << now.time;
}

TEST(ProtocolFile, AppendsWithCrLfAndComesBackAfterRemoval)
{
    std::string pattern = (fs::temp_directory_path() / "qmprotocol-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const fs::path dir = pattern;
    ASSERT_TRUE(appendProtocolLine(dir, "one"));
    ASSERT_TRUE(appendProtocolLine(dir, cp("два")));
    EXPECT_EQ(qmtest::fileText(dir / "protocol.txt"), "one\r\n" + cp("два") + "\r\n");
    // Another program removed the file: the next line creates it again.
    fs::remove(dir / "protocol.txt");
    ASSERT_TRUE(appendProtocolLine(dir, "three"));
    EXPECT_EQ(qmtest::fileText(dir / "protocol.txt"), "three\r\n");
    // A directory that is gone: the line cannot be written, and the caller hears of it.
    fs::remove_all(dir);
    EXPECT_FALSE(appendProtocolLine(dir, "four"));
}
