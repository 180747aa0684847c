#pragma once
// One JSON object on one line, for the --json output of the commands: keys in the order they
// are added, texts escaped (UTF-8 passes through), numbers and booleans as JSON has them.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace qm::cli
{

class JsonObject
{
  public:
    JsonObject& number(const char* key, std::int64_t value);
    JsonObject& boolean(const char* key, bool value);
    JsonObject& text(const char* key, const std::string& utf8);
    JsonObject& null(const char* key);
    std::string str() const { return "{" + m_body + "}"; }

  private:
    JsonObject& add(const char* key, const std::string& value);
    std::string m_body;
};

// The text as a JSON string, quotes included.
std::string jsonString(const std::string& utf8);

// One value a read command prints: its label as the tab shows it, its JSON key, and the value
// (null for one the scale gave no meaning to).
struct ReportField {
    const char* label;
    const char* key;
    std::variant<std::int64_t, bool, std::string, std::nullptr_t> value;
};

// The fields as one JSON object, or as "label: value" lines (booleans "да" / "нет", null "?", control
// bytes of a text escaped).
std::string reportText(const std::vector<ReportField>& fields, bool json);

} // namespace qm::cli
