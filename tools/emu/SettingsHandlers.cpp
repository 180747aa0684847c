#include "SettingsHandlers.h"

#include <cstdio>

namespace emu
{

namespace
{

CommandResult refuse(CommandContext& context, const std::string& why)
{
    context.event("refused: " + why);
    return {{kRefused}, false};
}

// Three two-digit fields, tens byte before units byte; nullopt on a byte above 9.
std::optional<ClockFields> readPairs(const Bytes& data)
{
    ClockFields fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto value = getDigits(Bytes{data.at(2 * i + 1), data.at(2 * i)}, 0, 2);
        if (!value)
            return std::nullopt;
        fields[i] = static_cast<std::uint8_t>(*value);
    }
    return fields;
}

std::string twoDigits(const ClockFields& fields, char separator)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02u%c%02u%c%02u", fields[0], separator, fields[1], separator, fields[2]);
    return text;
}

// The two-digit year counts from 2000.
bool validDate(const ClockFields& d)
{
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d[1] < 1 || d[1] > 12 || d[0] < 1)
        return false;
    if (d[1] == 2 && d[0] == 29)
        return d[2] % 4 == 0;
    return d[0] <= kDays[d[1] - 1];
}

} // namespace

CommandResult readUserSet(CommandContext& context, const Bytes&)
{
    const UserSettings& u = context.state.user;
    // The first byte carries nothing; the program drops it.
    Bytes answer{0x00};
    putDigits(answer, u.department, 3);
    answer.push_back(u.labelFormat);
    answer.push_back(u.barcodeFormat);
    answer.push_back(u.printOffset);
    answer.push_back(u.options);
    putLe(answer, u.minWeight, 2);
    context.event("user settings read");
    return {answer, false};
}

CommandResult writeUserSet(CommandContext& context, const Bytes& data)
{
    const auto department = getDigits(data, 0, 3);
    if (!department)
        return refuse(context, "department digit above 9");
    UserSettings& u = context.state.user;
    u.department = static_cast<std::uint16_t>(*department);
    u.labelFormat = data[3];
    u.barcodeFormat = data[4];
    u.printOffset = data[5];
    u.options = data[6];
    u.minWeight = static_cast<std::uint16_t>(getLe(data, 7, 2));
    context.event("user settings written: department " + std::to_string(u.department));
    return {{kAck}, true};
}

CommandResult readShop(CommandContext& context, const Bytes&)
{
    Bytes answer{0x00};
    answer.insert(answer.end(), context.state.shop1.begin(), context.state.shop1.end());
    answer.insert(answer.end(), context.state.shop2.begin(), context.state.shop2.end());
    context.event("shop name read");
    return {answer, false};
}

CommandResult writeShop(CommandContext& context, const Bytes& data)
{
    context.state.shop1.assign(data.begin(), data.begin() + kNameWidth);
    context.state.shop2.assign(data.begin() + kNameWidth, data.end());
    context.event("shop name written");
    return {{kAck}, true};
}

CommandResult writeDate(CommandContext& context, const Bytes& data)
{
    const auto date = readPairs(data);
    if (!date)
        return refuse(context, "date digit above 9");
    if (!validDate(*date))
        return refuse(context, "no such date " + twoDigits(*date, '.'));
    context.state.date = *date;
    context.event("date " + twoDigits(*date, '.'));
    return {{kAck}, true};
}

CommandResult writeTime(CommandContext& context, const Bytes& data)
{
    const auto time = readPairs(data);
    if (!time)
        return refuse(context, "time digit above 9");
    if ((*time)[0] > 23 || (*time)[1] > 59 || (*time)[2] > 59)
        return refuse(context, "no such time " + twoDigits(*time, ':'));
    context.state.time = *time;
    context.event("time " + twoDigits(*time, ':'));
    return {{kAck}, true};
}

} // namespace emu
