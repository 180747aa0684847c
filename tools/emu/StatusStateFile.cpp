#include "StatusStateFile.h"

#include <cstdint>

namespace emu
{

namespace
{

// One number member of an object: its name, range and where it goes.
template <typename Target> struct Member {
    const char* key;
    std::int64_t min;
    std::int64_t max;
    void (*set)(Target& target, std::int64_t value);
    std::int64_t (*get)(const Target& target);
};

// clang-format off
#define EMU_MEMBER(Type, field, min, max) \
    Member<Type>{#field, min, max, \
                 [](Type& t, std::int64_t v) { t.field = static_cast<decltype(t.field)>(v); }, \
                 [](const Type& t) { return static_cast<std::int64_t>(t.field); }}
// clang-format on

const Member<StatusValues> kStatusMembers[] = {
    EMU_MEMBER(StatusValues, flags, 0, 0x7F),         EMU_MEMBER(StatusValues, weight, -0xFFFF, 0xFFFF),
    EMU_MEMBER(StatusValues, product, 0, 0xFFFFFFFF), EMU_MEMBER(StatusValues, total, 0, 0xFFFFFFFF),
    EMU_MEMBER(StatusValues, price, 0, 0xFFFFFFFF),
};

const Member<FactoryValues> kFactoryMembers[] = {
    EMU_MEMBER(FactoryValues, capacity, 0, 0xFFFF),    EMU_MEMBER(FactoryValues, weightPoint, 0, 0xFF),
    EMU_MEMBER(FactoryValues, pricePoint, 0, 0xFF),    EMU_MEMBER(FactoryValues, totalPoint, 0, 0xFF),
    EMU_MEMBER(FactoryValues, dualRange, 0, 0xFF),     EMU_MEMBER(FactoryValues, upperDivision, 0, 0xFF),
    EMU_MEMBER(FactoryValues, lowerDivision, 0, 0xFF), EMU_MEMBER(FactoryValues, priceWeight, 0, 0xFFFF),
    EMU_MEMBER(FactoryValues, rounding, 0, 0xFF),      EMU_MEMBER(FactoryValues, tareLimit, 0, 0xFFFF),
};

const Member<TotalsValues> kTotalsMembers[] = {
    EMU_MEMBER(TotalsValues, runMm, INT32_MIN, INT32_MAX),
    EMU_MEMBER(TotalsValues, labels, INT32_MIN, INT32_MAX),
    EMU_MEMBER(TotalsValues, grandSum, INT32_MIN, INT32_MAX),
    EMU_MEMBER(TotalsValues, grandCount, 0, 0xFFFFFF),
    EMU_MEMBER(TotalsValues, grandWeight, INT32_MIN, INT32_MAX),
    EMU_MEMBER(TotalsValues, clearedHour, 0, 99),
    EMU_MEMBER(TotalsValues, clearedMinute, 0, 99),
    EMU_MEMBER(TotalsValues, clearedSecond, 0, 99),
    EMU_MEMBER(TotalsValues, clearedDay, 0, 99),
    EMU_MEMBER(TotalsValues, clearedMonth, 0, 99),
    EMU_MEMBER(TotalsValues, clearedYear, 0, 99),
};

#undef EMU_MEMBER

template <typename Target, std::size_t N>
std::string readObject(const std::string& name, const JsonValue& value, const Member<Target> (&members)[N],
                       Target& target)
{
    if (value.type() != JsonValue::Type::Object)
        return name + " должно быть объектом";
    for (const auto& [key, item] : value.members()) {
        const Member<Target>* member = nullptr;
        for (const auto& candidate : members)
            if (key == candidate.key)
                member = &candidate;
        if (!member)
            return name + ": неизвестное поле \"" + key + "\"";
        const auto n = item.asInteger(member->min, member->max);
        if (!n)
            return name + ": " + key + " должно быть целым числом " + std::to_string(member->min) + ".." +
                   std::to_string(member->max);
        member->set(target, *n);
    }
    return {};
}

template <typename Target, std::size_t N>
std::string objectJson(const Member<Target> (&members)[N], const Target& target)
{
    std::string out = "{";
    for (std::size_t i = 0; i < N; ++i)
        out += (i ? ", " : "") + jsonQuote(members[i].key) + ": " + std::to_string(members[i].get(target));
    return out + "}";
}

std::string readKeys(const JsonValue& value, ScaleState& state)
{
    if (value.type() != JsonValue::Type::Object)
        return "priceKeys должно быть объектом";
    for (const auto& [key, cell] : value.members()) {
        bool digits = !key.empty() && key.size() <= 2 && key[0] != '0';
        std::size_t number = 0;
        for (char c : key) {
            digits = digits && c >= '0' && c <= '9';
            number = number * 10 + static_cast<std::size_t>(c - '0');
        }
        if (!digits || number < 1 || number > kPriceKeys)
            return "ценовая клавиша \"" + key + "\" не число 1..54";
        const auto n = cell.asInteger(0, 0xFFFFFFFF);
        if (!n)
            return "ценовая клавиша " + key + ": нужна ячейка 0..4294967295";
        state.priceKeys[number - 1] = static_cast<std::uint32_t>(*n);
    }
    return {};
}

// The names of the erasable fields in the state file.
struct ErasedName {
    const char* name;
    bool ErasedMemory::*field;
};

const ErasedName kErasedNames[] = {
    {"productClock", &ErasedMemory::productClock},
    {"totalsClock", &ErasedMemory::totalsClock},
    {"freeCells", &ErasedMemory::freeCells},
};

std::string readErased(const JsonValue& value, ErasedMemory& erased)
{
    if (value.type() != JsonValue::Type::Array)
        return "erased должно быть массивом";
    for (const JsonValue& item : value.items()) {
        const ErasedName* found = nullptr;
        for (const auto& candidate : kErasedNames)
            if (item.type() == JsonValue::Type::String && item.asString() == candidate.name)
                found = &candidate;
        if (!found)
            return "erased: поле не из productClock, totalsClock, freeCells";
        erased.*(found->field) = true;
    }
    return {};
}

} // namespace

bool readStatusMember(const std::string& key, const JsonValue& value, ScaleState& state, std::string& error)
{
    if (key == "status")
        error = readObject(key, value, kStatusMembers, state.status);
    else if (key == "priceKeys")
        error = readKeys(value, state);
    else if (key == "factory")
        error = readObject(key, value, kFactoryMembers, state.factory);
    else if (key == "totals")
        error = readObject(key, value, kTotalsMembers, state.totals);
    else if (key == "erased")
        error = readErased(value, state.erased);
    else
        return false;
    return true;
}

std::string statusMembersJson(const ScaleState& state)
{
    std::string out = ",\n \"status\": " + objectJson(kStatusMembers, state.status);
    out += ",\n \"priceKeys\": {";
    const char* separator = "";
    for (std::size_t i = 0; i < kPriceKeys; ++i) {
        if (state.priceKeys[i] == 0)
            continue;
        out += separator + jsonQuote(std::to_string(i + 1)) + ": " + std::to_string(state.priceKeys[i]);
        separator = ", ";
    }
    out += "}";
    out += ",\n \"factory\": " + objectJson(kFactoryMembers, state.factory);
    out += ",\n \"totals\": " + objectJson(kTotalsMembers, state.totals);
    std::string erased;
    for (const auto& candidate : kErasedNames)
        if (state.erased.*(candidate.field))
            erased += (erased.empty() ? "" : ", ") + jsonQuote(candidate.name);
    if (!erased.empty())
        out += ",\n \"erased\": [" + erased + "]";
    return out;
}

} // namespace emu
