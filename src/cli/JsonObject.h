#pragma once
// One JSON object on one line, for the --json output of the commands: keys in the order they
// are added, texts escaped (UTF-8 passes through), numbers and booleans as JSON has them.

#include <cstdint>
#include <string>

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

} // namespace qm::cli
