#include "StateFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Json.h"
#include "LogoStateFile.h"
#include "ScaleText.h"
#include "StatusStateFile.h"

namespace emu
{

namespace
{

constexpr std::int64_t kMax32 = 0xFFFFFFFFLL;

struct UintField {
    const char* key;
    std::int64_t max;
    void (*set)(PluRecord& r, std::uint32_t value);
};

const UintField kNumberFields[] = {
    {"code", 999999, [](PluRecord& r, std::uint32_t v) { r.code = v; }},
    {"price", kMax32, [](PluRecord& r, std::uint32_t v) { r.price = v; }},
    {"shelf", 999999, [](PluRecord& r, std::uint32_t v) { r.shelf = v; }},
    {"tare", 0xFFFF, [](PluRecord& r, std::uint32_t v) { r.tare = static_cast<std::uint16_t>(v); }},
    {"group", 999999, [](PluRecord& r, std::uint32_t v) { r.group = v; }},
    {"message", 0xFFFF, [](PluRecord& r, std::uint32_t v) { r.message = static_cast<std::uint16_t>(v); }},
    {"resetTime", 999999, [](PluRecord& r, std::uint32_t v) { r.resetTime = v; }},
    {"resetDate", 999999, [](PluRecord& r, std::uint32_t v) { r.resetDate = v; }},
    {"sum", kMax32, [](PluRecord& r, std::uint32_t v) { r.sum = v; }},
    {"weight", kMax32, [](PluRecord& r, std::uint32_t v) { r.weight = v; }},
    {"sales", 0xFFFFFF, [](PluRecord& r, std::uint32_t v) { r.sales = v; }},
};

void appendNumber(std::string& out, const char* key, std::uint64_t value)
{
    out += jsonQuote(key);
    out += ": ";
    out += std::to_string(value);
}

std::string recordJson(const PluRecord& r)
{
    std::string out = "{";
    appendNumber(out, "code", r.code);
    out += ", \"name1\": " + jsonQuote(scaleToUtf8(r.name1));
    out += ", \"name2\": " + jsonQuote(scaleToUtf8(r.name2));
    out += ", ";
    appendNumber(out, "price", r.price);
    out += ", ";
    appendNumber(out, "shelf", r.shelf);
    out += ", ";
    appendNumber(out, "tare", r.tare);
    out += ", ";
    appendNumber(out, "group", r.group);
    out += ", ";
    appendNumber(out, "message", r.message);
    out += ", ";
    appendNumber(out, "resetTime", r.resetTime);
    out += ", ";
    appendNumber(out, "resetDate", r.resetDate);
    out += ", ";
    appendNumber(out, "sum", r.sum);
    out += ", ";
    appendNumber(out, "weight", r.weight);
    out += ", ";
    appendNumber(out, "sales", r.sales);
    out += "}";
    return out;
}

// A decimal key of "plu" or "messages" within 1..max.
std::optional<std::uint32_t> numberKey(const std::string& key, std::uint32_t max)
{
    if (key.empty() || key.size() > 4 || key[0] == '0')
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : key) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value < 1 || value > max)
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> uintOf(const JsonValue& v, std::int64_t max)
{
    const auto n = v.asInteger(0, max);
    if (!n)
        return std::nullopt;
    return static_cast<std::uint32_t>(*n);
}

std::string readRecord(const JsonValue& json, PluRecord& r)
{
    if (json.type() != JsonValue::Type::Object)
        return "запись должна быть объектом";
    for (const auto& [key, value] : json.members()) {
        if (key == "name1" || key == "name2") {
            if (value.type() != JsonValue::Type::String)
                return key + " должно быть строкой";
            auto field = scaleField(value.asString(), kNameWidth);
            if (!field)
                return key + " длиннее 28 символов или содержит символ, который весы не могут напечатать";
            (key == "name1" ? r.name1 : r.name2) = *field;
            continue;
        }
        const UintField* field = nullptr;
        for (const auto& candidate : kNumberFields)
            if (key == candidate.key)
                field = &candidate;
        if (!field)
            return "неизвестное поле \"" + key + "\"";
        const auto n = uintOf(value, field->max);
        if (!n)
            return key + " должно быть целым числом 0.." + std::to_string(field->max);
        field->set(r, *n);
    }
    return {};
}

std::string readMessage(const JsonValue& json, MessageLines& lines)
{
    if (json.type() != JsonValue::Type::Array || json.items().size() > kMessageLines)
        return "сообщение должно быть массивом не более чем из 8 строк";
    lines = blankMessage();
    for (std::size_t i = 0; i < json.items().size(); ++i) {
        const JsonValue& line = json.items()[i];
        if (line.type() != JsonValue::Type::String)
            return "строки сообщения должны быть строками JSON";
        auto field = scaleField(line.asString(), kLineWidth);
        if (!field)
            return "строка " + std::to_string(i + 1) +
                   " длиннее 50 символов или содержит символ, который весы не могут напечатать";
        lines[i] = *field;
    }
    return {};
}

// The settings block: "user" {...}, "shop" [line 1, line 2], "date" [d, m, yy], "time" [h, m, s].
struct UserField {
    const char* key;
    std::int64_t max;
    std::uint16_t UserSettings::*wide;
    std::uint8_t UserSettings::*narrow;
};

const UserField kUserFields[] = {
    {"department", 999, &UserSettings::department, nullptr},
    {"labelFormat", 0xFF, nullptr, &UserSettings::labelFormat},
    {"barcodeFormat", 0xFF, nullptr, &UserSettings::barcodeFormat},
    {"printOffset", 0xFF, nullptr, &UserSettings::printOffset},
    {"options", 0xFF, nullptr, &UserSettings::options},
    {"minWeight", 0xFFFF, &UserSettings::minWeight, nullptr},
};

std::string userJson(const UserSettings& u)
{
    std::string out = "{";
    const char* separator = "";
    for (const auto& field : kUserFields) {
        out += separator;
        appendNumber(out, field.key, field.wide ? u.*field.wide : u.*field.narrow);
        separator = ", ";
    }
    return out + "}";
}

std::string fieldsJson(const ClockFields& fields)
{
    return "[" + std::to_string(fields[0]) + ", " + std::to_string(fields[1]) + ", " + std::to_string(fields[2]) + "]";
}

std::string readUser(const JsonValue& json, UserSettings& u)
{
    if (json.type() != JsonValue::Type::Object)
        return "user должно быть объектом";
    for (const auto& [key, value] : json.members()) {
        const UserField* field = nullptr;
        for (const auto& candidate : kUserFields)
            if (key == candidate.key)
                field = &candidate;
        if (!field)
            return "неизвестное поле user \"" + key + "\"";
        const auto n = uintOf(value, field->max);
        if (!n)
            return "user " + key + " должно быть целым числом 0.." + std::to_string(field->max);
        if (field->wide)
            u.*field->wide = static_cast<std::uint16_t>(*n);
        else
            u.*field->narrow = static_cast<std::uint8_t>(*n);
    }
    return {};
}

std::string readShopLines(const JsonValue& json, ScaleState& state)
{
    if (json.type() != JsonValue::Type::Array || json.items().size() != 2)
        return "shop должно быть массивом из двух строк";
    std::string* lines[] = {&state.shop1, &state.shop2};
    for (std::size_t i = 0; i < 2; ++i) {
        const JsonValue& line = json.items()[i];
        auto field = line.type() == JsonValue::Type::String ? scaleField(line.asString(), kNameWidth) : std::nullopt;
        if (!field)
            return "строка shop " + std::to_string(i + 1) +
                   ": нужен текст не длиннее 28 символов, который весы могут напечатать";
        *lines[i] = *field;
    }
    return {};
}

std::string readFields(const JsonValue& json, const std::string& key, ClockFields& fields)
{
    if (json.type() != JsonValue::Type::Array || json.items().size() != 3)
        return key + " должно быть массивом из трех чисел";
    for (std::size_t i = 0; i < 3; ++i) {
        const auto n = uintOf(json.items()[i], 99);
        if (!n)
            return key + ": поля должны быть целыми числами 0..99";
        fields[i] = static_cast<std::uint8_t>(*n);
    }
    return {};
}

std::string readState(const JsonValue& json, ScaleState& state)
{
    if (json.type() != JsonValue::Type::Object)
        return "состояние должно быть объектом";
    for (const auto& [key, value] : json.members()) {
        if (key == "number") {
            const auto n = value.asInteger(1, 99);
            if (!n)
                return "number должно быть числом 1..99";
            state.number = static_cast<int>(*n);
        } else if (key == "range") {
            if (value.isNull()) {
                state.range.reset();
                continue;
            }
            const auto& items = value.items();
            if (value.type() != JsonValue::Type::Array || items.size() != 2)
                return "range должно быть [first, last] или null";
            const auto first = uintOf(items[0], kMaxPlu);
            const auto last = uintOf(items[1], kMaxPlu);
            if (!first || !last || *first < 1 || *first > *last)
                return "range: нужно 1 <= first <= last <= 4000";
            state.range = std::make_pair(*first, *last);
        } else if (key == "plu") {
            if (value.type() != JsonValue::Type::Object)
                return "plu должно быть объектом";
            for (const auto& [pluKey, record] : value.members()) {
                const auto plu = numberKey(pluKey, kMaxPlu);
                if (!plu)
                    return "PLU \"" + pluKey + "\" не число 1..4000";
                PluRecord r;
                if (auto error = readRecord(record, r); !error.empty())
                    return "PLU " + pluKey + ": " + error;
                state.plu[*plu] = r;
            }
        } else if (key == "messages") {
            if (value.type() != JsonValue::Type::Object)
                return "messages должно быть объектом";
            for (const auto& [messageKey, lines] : value.members()) {
                const auto number = numberKey(messageKey, kMaxMessage);
                if (!number)
                    return "сообщение \"" + messageKey + "\" не число 1..1000";
                MessageLines m;
                if (auto error = readMessage(lines, m); !error.empty())
                    return "сообщение " + messageKey + ": " + error;
                state.messages[*number] = m;
            }
        } else if (key == "user") {
            if (auto error = readUser(value, state.user); !error.empty())
                return error;
        } else if (key == "shop") {
            if (auto error = readShopLines(value, state); !error.empty())
                return error;
        } else if (key == "date" || key == "time") {
            if (auto error = readFields(value, key, key == "date" ? state.date : state.time); !error.empty())
                return error;
        } else if (key == "logo") {
            if (auto error = readLogoMember(value, state.logo); !error.empty())
                return error;
        } else if (std::string error; readStatusMember(key, value, state, error)) {
            if (!error.empty())
                return error;
        } else {
            return "неизвестный ключ \"" + key + "\"";
        }
    }
    return {};
}

} // namespace

std::string stateToJson(const ScaleState& state)
{
    std::string out = "{\"number\": " + std::to_string(state.number) + ",\n \"range\": ";
    if (state.range)
        out += "[" + std::to_string(state.range->first) + ", " + std::to_string(state.range->second) + "]";
    else
        out += "null";
    out += ",\n \"plu\": {";
    const char* separator = "\n  ";
    for (const auto& [plu, record] : state.plu) {
        out += separator;
        out += jsonQuote(std::to_string(plu)) + ": " + recordJson(record);
        separator = ",\n  ";
    }
    out += state.plu.empty() ? "},\n" : "\n },\n";
    out += " \"messages\": {";
    separator = "\n  ";
    for (const auto& [number, lines] : state.messages) {
        out += separator;
        out += jsonQuote(std::to_string(number)) + ": [";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            out += i == 0 ? "" : ", ";
            out += jsonQuote(scaleToUtf8(lines[i]));
        }
        out += "]";
        separator = ",\n  ";
    }
    out += state.messages.empty() ? "}" : "\n }";
    out += ",\n \"user\": " + userJson(state.user);
    out += ",\n \"shop\": [" + jsonQuote(scaleToUtf8(state.shop1)) + ", " + jsonQuote(scaleToUtf8(state.shop2)) + "]";
    out += ",\n \"date\": " + fieldsJson(state.date) + ",\n \"time\": " + fieldsJson(state.time);
    out += statusMembersJson(state);
    out += logoMemberJson(state.logo);
    out += "}\n";
    return out;
}

std::variant<ScaleState, std::string> stateFromJson(const std::string& json)
{
    std::string error;
    const auto value = parseJson(json, &error);
    if (!value)
        return "не JSON: " + error;
    ScaleState state;
    error = readState(*value, state);
    if (!error.empty())
        return error;
    return state;
}

std::variant<ScaleState, std::string> loadStateFile(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return ScaleState{};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return path + ": не удалось прочитать";
    std::ostringstream text;
    text << in.rdbuf();
    auto result = stateFromJson(text.str());
    if (auto* error = std::get_if<std::string>(&result))
        return path + ": " + *error;
    return result;
}

std::string saveStateFile(const std::string& path, const ScaleState& state)
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << stateToJson(state);
        out.flush();
        if (!out)
            return temp + ": не удалось записать";
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temp.c_str());
        return path + ": " + reason;
    }
    return {};
}

} // namespace emu
