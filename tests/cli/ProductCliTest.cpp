// The product commands of qmscales-cli, run as a real process against an emulated scale.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "StateBuilder.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"
#include "support/CliProcess.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace fs = std::filesystem;

namespace
{

// The start directory of the scale "Весы" (number 1), and product files written from rows.
struct ProductDir : qmtest::CliStartDir {
    explicit ProductDir(const qmtest::EmuProcess& scale) : CliStartDir(&scale, 1, "Весы") {}

    void writeProducts(const std::string& name, const std::vector<qm::Row>& rows) const
    {
        qm::Table t = qm::makeTable(qm::productLayout());
        t.setDataRows(rows);
        std::ofstream out(path / name, std::ios::binary);
        out << (fs::path(name).extension() == ".plu" ? qm::pluFileBytes(t) : qm::cellFileBytes(t));
    }
};

using Run = qmtest::CliRun;

// Run in the start directory, where the test's files are: relative paths are taken from the
// current directory.
Run cli(const ProductDir& dir, std::vector<std::string> args, const std::function<void(pid_t)>& whileRunning = {})
{
    return dir.cli(std::move(args), whileRunning);
}

// Waits until the scale has logged `count` commands of the given byte since its log was last
// cleared (20 s at most).
void waitForCommands(const qmtest::EmuProcess& scale, const std::string& command, int count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        int seen = 0;
        for (const auto& e : scale.log())
            seen += e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.rfind("command " + command, 0) == 0;
        if (seen >= count)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Ctrl+C once the scale has logged `count` commands of the given byte, with the log cleared
// first so that earlier runs do not count.
std::function<void(pid_t)> interruptAfter(qmtest::EmuProcess& scale, const std::string& command, int count)
{
    scale.clearLog();
    return [&scale, command, count](pid_t pid) {
        waitForCommands(scale, command, count);
        ::kill(pid, SIGINT);
    };
}

qm::Row product(const std::string& plu, const std::string& price = "100")
{
    return {plu, qm::cp("Товар ") + plu, "", price, "5", "0", "0", "0", "0", "0", ""};
}

} // namespace

TEST(CliProducts, CheckProductsFile)
{
    qmtest::EmuProcess scale;
    ProductDir dir(scale);
    dir.writeProducts("good.pl6", {product("1"), product("2")});
    auto r = cli(dir, {"check-products", "good.pl6"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "В списке товаров ошибок не обнаружено.\n");

    dir.writeProducts("good.plu", {product("1"), product("2")});
    EXPECT_EQ(cli(dir, {"check-products", "good.plu"}).status, 0);

    qm::Row bad = product("3");
    bad[4] = "320125";
    dir.writeProducts("bad.pl6", {product("1"), product("2"), bad});
    r = cli(dir, {"check-products", "bad.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 3, столбец «Срок хранения»: Неправильно задан срок хранения.\n");

    EXPECT_EQ(cli(dir, {"check-products"}).status, 2);
    EXPECT_EQ(cli(dir, {"check-products", "missing.pl6"}).status, 1);
    EXPECT_TRUE(scale.received().empty());
}

TEST(CliProducts, SendProductsTableRowsAndVirtual)
{
    qmtest::EmuProcess scale;
    ProductDir dir(scale);
    dir.writeProducts("list.pl6", {product("1"), product("2"), product("3", "x")});
    // The check finds row 3 before any byte goes.
    auto r = cli(dir, {"send-products", "--scale", "Весы", "list.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 3, столбец «Цена,коп.»: Неправильно задана цена товара.\n");
    EXPECT_TRUE(scale.state().plu.empty());

    r = cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--rows", "2-1"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Данные переданы.\n");
    EXPECT_EQ(scale.state().plu.size(), 2u);

    dir.writeProducts("list.pl6", {product("9"), product("4")});
    r = cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--virtual"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out.rfind("Данные переданы.\nНачало передачи: ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nВиртуальный диапазон отменен.\n"), std::string::npos) << r.out;
    const auto state = scale.state();
    EXPECT_EQ(state.plu.size(), 4u);
    EXPECT_FALSE(state.range);

    EXPECT_EQ(cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--rows", "1-5"}).status, 2);
    EXPECT_EQ(cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--rows", "1-2", "--virtual"}).status, 2);
    EXPECT_EQ(cli(dir, {"send-products", "list.pl6"}).status, 2);
    r = cli(dir, {"send-products", "--scale", "Другие", "list.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Для записи таблицы товаров выберите весы из списка (или заполните конфигурацию.).\n");
}

TEST(CliProducts, VirtualSendToAScaleThatAsksForEverEndsAndCancelsTheRange)
{
    // Every poll asks for the first record again: the transfer's budget (1 record + 100 passes off
    // the sequence) ends it with the exchange error, and the range goes without a second message.
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().json(), {"request@poll"}));
    ProductDir dir(scale);
    dir.writeProducts("list.pl6", {product("7")});
    const auto start = std::chrono::steady_clock::now();
    const auto r = cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--virtual"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ошибка обмена. Повторите загрузку.\n") << r.out;
    EXPECT_FALSE(scale.state().range);
}

TEST(CliProducts, GarbledReadSavesNothingAndKeepsTheFile)
{
    // PLU 3 at 300 kopecks garbled on the line, at the first ask and at both asked again, would
    // read as PLU 4294967292 at 4294966995.
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().plu(3, "c", 300).json(), {"garble@0x81#1-3"}));
    ProductDir dir(scale);
    std::ofstream(dir.path / "back.pl6", std::ios::binary) << "kept";
    auto r = cli(dir, {"read-products", "--scale", "Весы", "--plu", "3", "--out", "back.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ошибка обмена данными. Повторите попытку запроса.\n") << r.out;
    EXPECT_EQ(qmtest::fileText(dir.path / "back.pl6"), "kept");
    r = cli(dir, {"read-products", "--scale", "Весы", "--plu", "3", "--out", "back.pl6"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Данные приняты.\n");
    EXPECT_EQ(
        qm::tableFromCellFile(qmtest::fileText(dir.path / "back.pl6"), qm::makeTable(qm::productLayout())).cell(1, 3),
        "300");
}

TEST(CliProducts, SendNamesTheCellThatCannotBeSent)
{
    qmtest::EmuProcess scale;
    ProductDir dir(scale);
    qm::Row bad = product("3");
    bad[4] = "320125"; // shelf life: a date with day 32
    dir.writeProducts("list.pl6", {product("1"), product("2"), bad});
    auto r = cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--rows", "1-3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 3, столбец «Срок хранения»: Неправильно задан срок хранения.\n");
    EXPECT_TRUE(scale.state().plu.empty());

    // Unchecked, the rows before it go; the row that cannot be converted ends the send.
    dir.writeProducts("list.pl6", {product("1"), product("2", "12a")});
    r = cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--no-check"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("строка 2, столбец «Цена,коп.»: ", 0), 0u) << r.err;
    EXPECT_EQ(scale.state().plu.size(), 1u);
}

TEST(CliProducts, SendFailureInTheMiddleFails)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().json(), {"nak@0x82#2"}));
    ProductDir dir(scale);
    dir.writeProducts("list.pl6", {product("1"), product("2"), product("3")});
    const auto r = cli(dir, {"send-products", "--scale", "Весы", "list.pl6", "--no-check"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Ошибка обмена. Повторите еще раз.\n") << "an exchange failure names no cell";
    EXPECT_EQ(scale.state().plu.size(), 1u);
}

TEST(CliProducts, ReadProductsIntoPl6AndPlu)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().plu(3, "Сыр", 4550, 12).plu(4000, "", 1).json()));
    ProductDir dir(scale);
    auto r = cli(dir, {"read-products", "--scale", "Весы", "--all", "--out", "all.pl6"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Данные приняты.\n");
    const auto all = qm::loadProductFile(dir.path / "all.pl6", 0);
    ASSERT_EQ(all.table.rowCount(), 3);
    EXPECT_EQ(all.table.cell(1, 0), "3");
    EXPECT_EQ(all.table.cell(1, 1), qm::cp("Сыр") + std::string(25, ' '));
    EXPECT_EQ(all.table.cell(1, 3), "4550");
    EXPECT_EQ(all.table.cell(1, 6), "12");
    EXPECT_EQ(all.table.cell(2, 0), "4000");

    r = cli(dir, {"read-products", "--scale", "Весы", "--plu", "3", "--out", "one.plu"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(fs::file_size(dir.path / "one.plu"), 93u);

    r = cli(dir, {"read-products", "--scale", "Весы", "--range", "5-4", "--out", "none.pl6"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(fs::exists(dir.path / "none.pl6"));

    // Missing records and usage.
    r = cli(dir, {"read-products", "--scale", "Весы", "--plu", "4", "--out", "four.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Запрашиваемые данные отсутствуют или произошла ошибка обмена.\n");
    EXPECT_FALSE(fs::exists(dir.path / "four.pl6"));
    EXPECT_EQ(cli(dir, {"read-products", "--scale", "Весы", "--all", "--out", "x.txt"}).status, 2);
    EXPECT_EQ(cli(dir, {"read-products", "--scale", "Весы", "--out", "x.pl6"}).status, 2);
    EXPECT_EQ(cli(dir, {"read-products", "--scale", "Весы", "--all", "--plu", "3", "--out", "x.pl6"}).status, 2);
    r = cli(dir, {"read-products", "--scale", "Весы", "--range", "0-5", "--out", "x.pl6"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Номер строки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.\n");
    r = cli(dir, {"read-products", "--scale", "Весы", "--plu", "4001", "--out", "x.pl6"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Ошибка ввода номера PLU. Это число от 1 до 4000.\n");
}

TEST(CliProducts, FailedReadLeavesAnOlderFileAlone)
{
    qmtest::EmuProcess scale(
        qmtest::withState(emu::StateBuilder().plu(1, "a", 1).plu(2, "b", 2).json(), {"truncate=50@0x81#2-4000"}));
    ProductDir dir(scale);
    dir.writeProducts("old.pl6", {product("7")});
    const std::string before = qmtest::fileText(dir.path / "old.pl6");
    const auto r = cli(dir, {"read-products", "--scale", "Весы", "--all", "--out", "old.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Ошибка обмена данными. Повторите попытку запроса.\nПринятые до ошибки записи (1) сохранены в "
                     "файл old.part.pl6; файл old.pl6 не изменен.\n");
    EXPECT_EQ(qmtest::fileText(dir.path / "old.pl6"), before);
}

TEST(CliProducts, CtrlCStopsReadAllAndKeepsWhatWasRead)
{
    // Every read answer comes 20 ms late: reading all 4000 would take minutes.
    qmtest::EmuProcess scale(
        qmtest::withState(emu::StateBuilder().plu(1, "a", 1).plu(2, "b", 2).json(), {"delay=20@0x81"}));
    ProductDir dir(scale);
    // --out names no file yet: the rows received go there.
    const auto r =
        cli(dir, {"read-products", "--scale", "Весы", "--all", "--out", "part.pl6"}, interruptAfter(scale, "0x81", 5));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Действие прервано.\nПринятые записи (2) сохранены в файл part.pl6.\n");
    const auto part = qm::loadProductFile(dir.path / "part.pl6", 0);
    ASSERT_EQ(part.table.rowCount(), 3);
    EXPECT_EQ(part.table.cell(1, 0), "1");
    EXPECT_EQ(part.table.cell(2, 0), "2");
}

TEST(CliProducts, CtrlCNeverReplacesAnOlderFile)
{
    qmtest::EmuProcess scale(
        qmtest::withState(emu::StateBuilder().plu(1, "a", 1).plu(2, "b", 2).json(), {"delay=20@0x81"}));
    ProductDir dir(scale);
    dir.writeProducts("back.pl6", {product("7"), product("8"), product("9")});
    const std::string before = qmtest::fileText(dir.path / "back.pl6");
    // A file of an earlier stopped read is not replaced either: the next free name is taken.
    std::ofstream(dir.path / "back.part.pl6") << "earlier";
    const auto r =
        cli(dir, {"read-products", "--scale", "Весы", "--all", "--out", "back.pl6"}, interruptAfter(scale, "0x81", 5));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Действие прервано.\nПринятые записи (2) сохранены в новый файл back.part2.pl6; файл back.pl6 "
                     "не изменен.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(qmtest::fileText(dir.path / "back.pl6"), before);
    EXPECT_EQ(qmtest::fileText(dir.path / "back.part.pl6"), "earlier");
    const auto part = qm::loadProductFile(dir.path / "back.part2.pl6", 0);
    ASSERT_EQ(part.table.rowCount(), 3);
    EXPECT_EQ(part.table.cell(1, 0), "1");
    EXPECT_EQ(part.table.cell(2, 0), "2");

    // Stopped before any record came: nothing is written at all.
    qmtest::EmuProcess slow(qmtest::withState(emu::StateBuilder().json(), {"delay=20@0x81"}));
    ProductDir other(slow);
    const auto none =
        cli(other, {"read-products", "--scale", "Весы", "--all", "--out", "none.plu"}, interruptAfter(slow, "0x81", 3));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "Действие прервано.\nДанные не приняты, файл none.plu не записан.\n");
    EXPECT_FALSE(fs::exists(other.path / "none.plu"));
}

TEST(CliProducts, CtrlCDuringSendOrDeleteSaysItStopped)
{
    emu::StateBuilder b;
    for (std::uint32_t n = 1; n <= 300; ++n)
        b.plu(n, "p", n);
    qmtest::EmuProcess scale(qmtest::withState(b.json(), {"delay=20@0x82", "delay=20@0x8D"}));
    ProductDir dir(scale);
    std::vector<qm::Row> rows;
    for (int n = 1; n <= 300; ++n)
        rows.push_back(product(std::to_string(n)));
    dir.writeProducts("many.pl6", rows);
    auto r = cli(dir, {"send-products", "--scale", "Весы", "many.pl6"}, interruptAfter(scale, "0x82", 5));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Действие прервано.\n");
    r = cli(dir, {"send-products", "--scale", "Весы", "many.pl6", "--rows", "1-300"}, interruptAfter(scale, "0x82", 5));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Действие прервано.\n");
    r = cli(dir, {"delete-products", "--scale", "Весы", "--all", "--yes"}, interruptAfter(scale, "0x8D", 5));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Таблица товаров не удалена полностью. Действие прервано.\n");
    EXPECT_GT(scale.state().plu.size(), 200u);
}

TEST(CliProducts, ADeviceRemovedMidReadIsReportedInTheOperationsWords)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().plu(1, "a", 1).json(), {"delay=20@0x81"}));
    ProductDir dir(scale);
    const auto stopScale = [&](pid_t) {
        waitForCommands(scale, "0x81", 5);
        scale.stop(); // the pseudo-terminal goes away as a pulled USB adapter does
    };
    const auto r =
        cli(dir, {"--trace", "trace.txt", "read-products", "--scale", "Весы", "--all", "--out", "x.pl6"}, stopScale);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Ошибка обмена данными. Повторите попытку запроса.\nПринятые до ошибки записи (1) сохранены в "
                     "файл x.part.pl6; файл x.pl6 не записан.\n");
    EXPECT_FALSE(fs::exists(dir.path / "x.pl6"));
    const std::string trace = qmtest::fileText(dir.path / "trace.txt");
    EXPECT_NE(trace.find("-- port error: COM1 ("), std::string::npos) << trace;
}

TEST(CliProducts, VerboseShowsTheSystemsTextOfAPortFailure)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().plu(1, "a", 1).json(), {"delay=20@0x81"}));
    ProductDir dir(scale);
    const auto r = cli(dir, {"--verbose", "read-products", "--scale", "Весы", "--all", "--out", "x.pl6"}, [&](pid_t) {
        waitForCommands(scale, "0x81", 5);
        scale.stop();
    });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("Ошибка обмена данными. Повторите попытку запроса.\nqmscales-cli: COM1 (", 0), 0u) << r.err;

    // A port that cannot be opened: the frame's message, and the system's text only with --verbose.
    fs::remove(dir.path / "ports.cfg");
    std::ofstream(dir.path / "ports.cfg") << "COM1=" << (dir.path / "no-such-device").string() << "\n";
    auto closed = cli(dir, {"cancel-range", "--scale", "Весы"});
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.out, "");
    EXPECT_EQ(closed.err, "Выбранный СОМ-порт не существует или занят другим приложением.\nПроверьте конфигурацию "
                          "выбранных весов.\n");
    closed = cli(dir, {"--verbose", "cancel-range", "--scale", "Весы"});
    EXPECT_NE(closed.err.find("no-such-device"), std::string::npos) << closed.err;
}

TEST(CliProducts, DeleteProductsAsksUnlessYesAndCancelRange)
{
    emu::StateBuilder b;
    for (std::uint32_t n = 1; n <= 6; ++n)
        b.plu(n, "p", n);
    b.range(1, 6);
    qmtest::EmuProcess scale(qmtest::withState(b.json()));
    ProductDir dir(scale);
    auto r = cli(dir, {"cancel-range", "--scale", "Весы"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Виртуальный диапазон отменен.\n");
    EXPECT_FALSE(scale.state().range);

    r = cli(dir, {"delete-products", "--scale", "Весы", "--plu", "3"});
    EXPECT_EQ(r.status, 1) << "no terminal to answer: No";
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ВНИМАНИЕ !\nЯчейка товара № 3 из выбранных весов будет удалена.\nПродолжить ?\n"
                     "qmscales-cli: не подтверждено: используйте --yes\n");
    EXPECT_EQ(scale.state().plu.size(), 6u);

    r = cli(dir, {"delete-products", "--scale", "Весы", "--plu", "3", "--yes"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Выбранная ячейка удалена.\n");
    r = cli(dir, {"delete-products", "--scale", "Весы", "--range", "5-4", "--yes"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(scale.state().plu.size(), 3u);
    r = cli(dir, {"delete-products", "--scale", "Весы", "--all", "--yes"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(
        r.out,
        "Таблица товаров удалена. Для просмотра количества свободных ячеек товара на весах - перезагрузите их.\n");
    EXPECT_TRUE(scale.state().plu.empty());

    EXPECT_EQ(cli(dir, {"delete-products", "--scale", "Весы", "--plu", "0", "--yes"}).status, 2);
    EXPECT_EQ(cli(dir, {"delete-products", "--scale", "Весы", "--yes"}).status, 2);
    EXPECT_EQ(cli(dir, {"delete-products", "--scale", "Весы", "--all", "--bogus", "1"}).status, 2);
}

TEST(CliProducts, RelativePathsAreTakenFromTheCurrentDirectory)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().plu(5, "x", 5).json()));
    ProductDir start(scale); // ports.cfg: the start directory's
    std::string pattern = (fs::temp_directory_path() / "qmprodcli-work-XXXXXX").string();
    const fs::path work = ::mkdtemp(pattern.data());
    fs::create_directories(work / "sub");
    fs::copy_file(start.path / "scales.cfl", work / "sub" / "my.cfl");
    fs::remove(start.path / "scales.cfl");
    {
        qm::Table t = qm::makeTable(qm::productLayout());
        t.setDataRows({product("1")});
        std::ofstream(work / "list.pl6", std::ios::binary) << qm::cellFileBytes(t);
    }
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", start.path.string(), "--config", "sub/my.cfl", "--trace", "t.txt"});
        return qmtest::runCli(work, args, {}, work);
    };
    auto r = run({"send-products", "--scale", "Весы", "list.pl6"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    r = run({"read-products", "--scale", "Весы", "--plu", "5", "--out", "sub/back.pl6"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(fs::exists(work / "sub" / "back.pl6"));
    EXPECT_TRUE(fs::exists(work / "t.txt"));
    EXPECT_FALSE(fs::exists(start.path / "sub"));
    EXPECT_FALSE(fs::exists(start.path / "t.txt"));
    EXPECT_EQ(scale.state().plu.size(), 2u);
    fs::remove_all(work);
}
