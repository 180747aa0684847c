#include "Json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace emu
{

JsonValue JsonValue::boolean(bool value)
{
    JsonValue v;
    v.m_type = Type::Bool;
    v.m_bool = value;
    return v;
}

JsonValue JsonValue::number(double value)
{
    JsonValue v;
    v.m_type = Type::Number;
    v.m_number = value;
    return v;
}

JsonValue JsonValue::string(std::string value)
{
    JsonValue v;
    v.m_type = Type::String;
    v.m_string = std::move(value);
    return v;
}

JsonValue JsonValue::array(std::vector<JsonValue> items)
{
    JsonValue v;
    v.m_type = Type::Array;
    v.m_items = std::move(items);
    return v;
}

JsonValue JsonValue::object(Members members)
{
    JsonValue v;
    v.m_type = Type::Object;
    v.m_members = std::move(members);
    return v;
}

std::optional<std::int64_t> JsonValue::asInteger(std::int64_t min, std::int64_t max) const
{
    if (m_type != Type::Number || std::floor(m_number) != m_number)
        return std::nullopt;
    if (m_number < static_cast<double>(min) || m_number > static_cast<double>(max))
        return std::nullopt;
    return static_cast<std::int64_t>(m_number);
}

const JsonValue* JsonValue::find(std::string_view key) const
{
    for (const auto& member : m_members)
        if (member.first == key)
            return &member.second;
    return nullptr;
}

namespace
{

class Parser
{
  public:
    explicit Parser(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> document()
    {
        auto value = parseValue(0);
        skipBlanks();
        if (value && m_pos != m_text.size())
            return fail("лишний текст после значения");
        return value;
    }

    const std::string& error() const { return m_error; }

  private:
    static constexpr int kMaxDepth = 64;

    std::nullopt_t fail(const std::string& what)
    {
        if (m_error.empty())
            m_error = what + " на смещении " + std::to_string(m_pos);
        return std::nullopt;
    }

    void skipBlanks()
    {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool consume(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    std::optional<JsonValue> parseValue(int depth)
    {
        if (depth > kMaxDepth)
            return fail("слишком глубокая вложенность");
        skipBlanks();
        if (m_pos >= m_text.size())
            return fail("неожиданный конец");
        const char c = m_text[m_pos];
        if (c == '{')
            return parseObject(depth);
        if (c == '[')
            return parseArray(depth);
        if (c == '"') {
            auto s = parseString();
            if (!s)
                return std::nullopt;
            return JsonValue::string(std::move(*s));
        }
        if (consume("true"))
            return JsonValue::boolean(true);
        if (consume("false"))
            return JsonValue::boolean(false);
        if (consume("null"))
            return JsonValue();
        return parseNumber();
    }

    std::optional<JsonValue> parseNumber()
    {
        const std::size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        std::size_t digits = 0;
        while (m_pos < m_text.size() &&
               std::string_view("0123456789.eE+-").find(m_text[m_pos]) != std::string_view::npos) {
            ++m_pos;
            ++digits;
        }
        if (digits == 0)
            return fail("неожиданный символ");
        const std::string number(m_text.substr(start, m_pos - start));
        char* end = nullptr;
        const double value = std::strtod(number.c_str(), &end);
        if (end != number.c_str() + number.size() || !std::isfinite(value))
            return fail("неверное число");
        return JsonValue::number(value);
    }

    std::optional<unsigned> hex4()
    {
        if (m_pos + 4 > m_text.size())
            return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            value <<= 4;
            if (h >= '0' && h <= '9')
                value |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                value |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                value |= static_cast<unsigned>(h - 'A' + 10);
            else
                return std::nullopt;
        }
        return value;
    }

    static void appendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::optional<std::string> parseString()
    {
        ++m_pos; // opening quote
        std::string out;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("управляющий символ в строке");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                break;
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                auto code = hex4();
                if (!code)
                    return fail("неверная последовательность \\u");
                if (*code >= 0xD800 && *code <= 0xDBFF) {
                    if (!consume("\\u"))
                        return fail("непарный суррогат");
                    auto low = hex4();
                    if (!low || *low < 0xDC00 || *low > 0xDFFF)
                        return fail("непарный суррогат");
                    *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                } else if (*code >= 0xDC00 && *code <= 0xDFFF) {
                    return fail("непарный суррогат");
                }
                appendUtf8(out, *code);
                break;
            }
            default:
                return fail("неверная escape-последовательность");
            }
        }
        return fail("незакрытая строка");
    }

    std::optional<JsonValue> parseArray(int depth)
    {
        ++m_pos;
        std::vector<JsonValue> items;
        skipBlanks();
        if (consume("]"))
            return JsonValue::array(std::move(items));
        while (true) {
            auto item = parseValue(depth + 1);
            if (!item)
                return std::nullopt;
            items.push_back(std::move(*item));
            skipBlanks();
            if (consume("]"))
                return JsonValue::array(std::move(items));
            if (!consume(","))
                return fail("ожидалась , или ]");
        }
    }

    std::optional<JsonValue> parseObject(int depth)
    {
        ++m_pos;
        JsonValue::Members members;
        skipBlanks();
        if (consume("}"))
            return JsonValue::object(std::move(members));
        while (true) {
            skipBlanks();
            if (m_pos >= m_text.size() || m_text[m_pos] != '"')
                return fail("ожидался ключ");
            auto key = parseString();
            if (!key)
                return std::nullopt;
            skipBlanks();
            if (!consume(":"))
                return fail("ожидалось :");
            auto value = parseValue(depth + 1);
            if (!value)
                return std::nullopt;
            members.emplace_back(std::move(*key), std::move(*value));
            skipBlanks();
            if (consume("}"))
                return JsonValue::object(std::move(members));
            if (!consume(","))
                return fail("ожидалась , или }");
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

} // namespace

std::optional<JsonValue> parseJson(std::string_view text, std::string* error)
{
    Parser parser(text);
    auto value = parser.document();
    if (!value && error)
        *error = parser.error();
    return value;
}

std::string jsonQuote(std::string_view utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

} // namespace emu
