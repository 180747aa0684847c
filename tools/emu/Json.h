#pragma once
// The small JSON reader and writer of the state file and the byte log. Numbers are read as
// doubles, which hold every 32-bit count exactly; objects keep their keys in file order.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace emu
{

class JsonValue
{
  public:
    enum class Type { Null, Bool, Number, String, Array, Object };
    using Members = std::vector<std::pair<std::string, JsonValue>>;

    JsonValue() = default;
    static JsonValue boolean(bool value);
    static JsonValue number(double value);
    static JsonValue string(std::string value);
    static JsonValue array(std::vector<JsonValue> items);
    static JsonValue object(Members members);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Type::Null; }
    bool asBool() const { return m_bool; }
    double asNumber() const { return m_number; }
    // The number when it is a whole number within [min, max].
    std::optional<std::int64_t> asInteger(std::int64_t min, std::int64_t max) const;
    const std::string& asString() const { return m_string; }
    const std::vector<JsonValue>& items() const { return m_items; }
    const Members& members() const { return m_members; }
    const JsonValue* find(std::string_view key) const;

  private:
    Type m_type = Type::Null;
    bool m_bool = false;
    double m_number = 0;
    std::string m_string;
    std::vector<JsonValue> m_items;
    Members m_members;
};

// Parses one complete JSON text; on failure returns nullopt and describes the fault in error.
std::optional<JsonValue> parseJson(std::string_view text, std::string* error = nullptr);

// A quoted JSON string; control characters become \u00XX escapes, other UTF-8 passes as it is.
std::string jsonQuote(std::string_view utf8);

} // namespace emu
