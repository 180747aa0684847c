#include "cli/JsonObject.h"

#include <cstdio>

#include "cli/TerminalText.h"

namespace qm::cli
{

std::string jsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        // DEL and the C1 controls (U+0080..U+009F) are valid in JSON but act on a terminal.
        if (c == '\x7f' || (c == '\xc2' && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x",
                          c == '\x7f' ? 0x7Fu : static_cast<unsigned>(static_cast<unsigned char>(utf8[++i])));
            out += escaped;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

JsonObject& JsonObject::add(const char* key, const std::string& value)
{
    if (!m_body.empty())
        m_body += ',';
    m_body += jsonString(key) + ':' + value;
    return *this;
}

JsonObject& JsonObject::number(const char* key, std::int64_t value)
{
    return add(key, std::to_string(value));
}

JsonObject& JsonObject::boolean(const char* key, bool value)
{
    return add(key, value ? "true" : "false");
}

JsonObject& JsonObject::text(const char* key, const std::string& utf8)
{
    return add(key, jsonString(utf8));
}

JsonObject& JsonObject::null(const char* key)
{
    return add(key, "null");
}

std::string reportText(const std::vector<ReportField>& fields, bool json)
{
    JsonObject object;
    std::string lines;
    for (const ReportField& f : fields) {
        std::string shown;
        if (const auto* number = std::get_if<std::int64_t>(&f.value)) {
            object.number(f.key, *number);
            shown = std::to_string(*number);
        } else if (const auto* flag = std::get_if<bool>(&f.value)) {
            object.boolean(f.key, *flag);
            shown = *flag ? "да" : "нет";
        } else if (const auto* text = std::get_if<std::string>(&f.value)) {
            object.text(f.key, *text);
            shown = *text;
        } else {
            object.null(f.key);
            shown = "?";
        }
        lines += std::string(f.label) + ": " + shownText(shown) + "\n";
    }
    return json ? object.str() + "\n" : lines;
}

} // namespace qm::cli
