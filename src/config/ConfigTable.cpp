#include "config/ConfigTable.h"

#include <cctype>

#include "common/Feedback.h"
#include "common/IntText.h"
#include "link/PortMap.h"

namespace qm
{

int NumberColFrom(const Table& config, const std::string& name)
{
    for (int r = 1; r < config.rowCount(); ++r)
        if (config.cell(r, cfgcol::Name) == name)
            return r;
    return -1;
}

bool CfgCheckError(const Table& config, int row, int& code, int& column)
{
    code = 1;
    column = cfgcol::Number;
    if (!intTextIn(config.cell(row, cfgcol::Number), 1, 99))
        return true;
    code = 2;
    column = cfgcol::Port;
    if (comNumber(config.cell(row, cfgcol::Port)) == 0)
        return true;
    code = 3;
    column = cfgcol::Speed;
    const auto speed = intText(config.cell(row, cfgcol::Speed));
    if (!speed || (*speed != 2400 && *speed != 4800 && *speed != 9600 && *speed != 19200))
        return true;
    column = -1;
    return false;
}

std::string configErrorMessage(int code)
{
    switch (code) {
    case 1:
        return "Неправильно задан номер весов. Это целое число от 1 до 99.";
    case 2:
        return "Неправильно задан параметр подключения. Его значение COM1, COM2,...или COM16 (лат.буквы, без "
               "пробела).";
    default:
        return "Неправильно задан параметр скорости обмена. Это число 2400, 4800, 9600 или 19200.";
    }
}

std::optional<Failure> configRowFailure(const Table& config, int row)
{
    int code = 0;
    int column = -1;
    if (!CfgCheckError(config, row, code, column))
        return std::nullopt;
    return Failure::at(FailureKind::BadConfigRow, configErrorMessage(code), TableId::Config, row, column);
}

OperationResult checkConfigTable(const Table& config, Feedback& feedback)
{
    feedback.moveCursor(TableId::Config, 1, 0);
    feedback.processEvents();
    for (int r = 1; r < config.rowCount(); ++r) {
        feedback.moveCursor(TableId::Config, r, 0);
        feedback.processEvents();
        if (auto failure = configRowFailure(config, r)) {
            feedback.moveCursor(TableId::Config, r, failure->column);
            return failed(feedback, std::move(*failure));
        }
    }
    feedback.message("Таблица конфигурации ошибок не имеет.");
    return OperationResult::done();
}

std::vector<std::string> scaleNames(const Table& config)
{
    std::vector<std::string> names;
    for (int r = 1; r < config.rowCount(); ++r)
        names.push_back(config.cell(r, cfgcol::Name));
    return names;
}

} // namespace qm
