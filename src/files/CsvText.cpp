#include "files/CsvText.h"

#include <algorithm>
#include <cstdint>

#include "common/Cp1251.h"

namespace qm
{

namespace
{

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool wellFormedUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        // ASCII runs are most of any sheet: skip them without decoding.
        if (static_cast<std::uint8_t>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        if (!decodeUtf8(bytes, i))
            return false;
    }
    return true;
}

// A unit that is no character (a lone surrogate, a last odd byte) becomes U+FFFD, which no cell
// can take: the import names its cell rather than dropping it.
std::string utf16ToUtf8(std::string_view bytes, bool littleEndian)
{
    const auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<std::uint8_t>(bytes[i]);
        const auto b = static_cast<std::uint8_t>(bytes[i + 1]);
        return littleEndian ? (b << 8 | a) : (a << 8 | b);
    };
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    if (i < bytes.size())
        appendUtf8(out, 0xFFFD);
    return out;
}

} // namespace

DecodedText decodeText(std::string_view bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return {std::string(bytes.substr(3)), TextEncoding::Utf8};
    if (startsWith(bytes, "\xFF\xFE"))
        return {utf16ToUtf8(bytes.substr(2), true), TextEncoding::Utf8};
    if (startsWith(bytes, "\xFE\xFF"))
        return {utf16ToUtf8(bytes.substr(2), false), TextEncoding::Utf8};
    return {std::string(bytes), wellFormedUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp1251};
}

char detectSeparator(std::string_view text)
{
    size_t semicolons = 0, tabs = 0, commas = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted; // a doubled quote toggles twice
        else if (quoted)
            continue;
        else if (c == '\r' || c == '\n')
            break;
        else if (c == ';')
            ++semicolons;
        else if (c == '\t')
            ++tabs;
        else if (c == ',')
            ++commas;
    }
    char best = ';';
    size_t most = semicolons;
    if (tabs > most) {
        best = '\t';
        most = tabs;
    }
    if (commas > most)
        best = ',';
    return best;
}

void forEachCsvRecord(std::string_view text, char separator, const std::function<bool(CsvRecord&)>& each)
{
    const char stopChars[] = {separator, '\r', '\n'};
    const std::string_view stops(stopChars, sizeof stopChars);
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        CsvRecord record;
        const auto keep = [&record](std::string&& field) {
            if (record.fields.size() < kMaxCsvFields)
                record.fields.push_back(std::move(field));
            else
                ++record.droppedFields;
        };
        for (;;) {
            std::string field;
            if (text[i] == '"') {
                for (++i;;) {
                    const size_t quote = text.find('"', i);
                    if (quote == std::string_view::npos) {
                        field.append(text.substr(i));
                        i = n;
                        record.unterminated = true;
                        break;
                    }
                    field.append(text.substr(i, quote - i));
                    i = quote + 1;
                    if (i < n && text[i] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    break;
                }
            }
            const size_t stop = std::min(text.find_first_of(stops, i), n);
            field.append(text.substr(i, stop - i));
            i = stop;
            keep(std::move(field));
            if (i == n)
                break;
            if (text[i] != separator) {
                i += text[i] == '\r' && i + 1 < n && text[i + 1] == '\n' ? 2 : 1;
                break;
            }
            if (++i == n) { // a separator that ends the text leaves one more, empty field
                keep(std::string());
                break;
            }
        }
        if (!each(record))
            return;
    }
}

std::vector<CsvRecord> parseCsvRecords(std::string_view text, char separator)
{
    std::vector<CsvRecord> records;
    forEachCsvRecord(text, separator, [&records](CsvRecord& record) {
        records.push_back(std::move(record));
        return true;
    });
    return records;
}

void appendCsvField(std::string& out, std::string_view field, char separator)
{
    const char specialChars[] = {separator, '"', '\r', '\n'};
    if (field.find_first_of(std::string_view(specialChars, sizeof specialChars)) == std::string_view::npos) {
        out.append(field);
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace qm
