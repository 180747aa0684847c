#include "ManPage.h"

#include <ostream>
#include <sstream>

namespace qm::man
{

namespace
{

size_t characters(const std::string& text)
{
    size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string bold(const std::string& text)
{
    return "\\fB" + roff(text) + "\\fR";
}

} // namespace

std::string wrap(const std::string& text, size_t width, size_t indent, size_t firstColumn)
{
    std::istringstream words(text);
    std::string out;
    std::string word;
    size_t column = firstColumn;
    bool lineStart = true;
    while (words >> word) {
        const size_t length = characters(word);
        if (!lineStart && column + 1 + length > width) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            ++column;
        }
        out += word;
        column += length;
        lineStart = false;
    }
    return out;
}

void writeHelpItems(std::ostream& out, const std::vector<HelpItem>& items, size_t termWidth)
{
    constexpr size_t kMargin = 2;
    const size_t textColumn = kMargin + termWidth + 1;
    for (const auto& item : items) {
        const size_t length = characters(item.term);
        out << std::string(kMargin, ' ') << item.term;
        if (kMargin + length + 1 > textColumn)
            out << "\n" << std::string(textColumn, ' ');
        else
            out << std::string(textColumn - kMargin - length, ' ');
        out << wrap(item.text, kHelpWidth, textColumn, textColumn) << "\n";
    }
}

std::string roff(const std::string& text)
{
    std::string out = (!text.empty() && (text[0] == '.' || text[0] == '\'')) ? "\\&" : "";
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else if (c == '\n')
            out += ' ';
        else
            out += c;
    }
    return out;
}

void writeUsage(std::ostream& out, const Program& program, const std::string& words)
{
    const std::string lead = std::string("Использование: ") + program.name + " ";
    out << lead << wrap(words, kHelpWidth, 6, characters(lead)) << "\n";
}

void writeExitStatus(std::ostream& out, const Program& program)
{
    out << wrap(std::string("Код выхода: ") + program.exitStatus, kHelpWidth, 0) << "\n";
}

Page programPage(const Program& program, const std::string& version, const std::string& date,
                 const std::vector<std::string>& moreSynopsis)
{
    Page page{program.name, program.summary, version, date, {program.synopsis}, {}};
    page.synopsis.insert(page.synopsis.end(), moreSynopsis.begin(), moreSynopsis.end());
    return page;
}

void writeManPage(std::ostream& out, const Page& page)
{
    std::string upper;
    for (const char c : page.name)
        upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    out << ".TH " << roff(upper) << " 1 \"" << roff(page.date) << "\" \"qmscales " << roff(page.version)
        << "\" \"User Commands\"\n.nh\n.SH NAME\n"
        << roff(page.name) << " \\- " << roff(page.summary) << "\n.SH SYNOPSIS\n";
    for (size_t i = 0; i < page.synopsis.size(); ++i)
        out << (i ? ".br\n" : "") << bold(page.name) << " " << roff(page.synopsis[i]) << "\n";
    for (const auto& section : page.sections) {
        out << ".SH " << roff(section.title) << "\n";
        for (size_t i = 0; i < section.paragraphs.size(); ++i)
            out << (i ? ".PP\n" : "") << roff(section.paragraphs[i]) << "\n";
        for (const auto& item : section.items)
            out << ".TP\n" << bold(item.term) << "\n" << roff(item.text) << "\n";
    }
}

const std::vector<HelpItem>& programFiles()
{
    static const std::vector<HelpItem> files = {
        {"qm1_6.cfg", "в папке запуска: сохраненная конфигурация весов и настройки окна"},
        {"ports.cfg", "в папке запуска: строки COMn=устройство или COMn=tcp://АДРЕС:ПОРТ"},
        {"protocol.txt", "в папке запуска: протокол автоматической загрузки, по строке на загрузку"},
        {"~/.local/share/qmscales", "папка запуска окна, запущенного из меню (создается при первом запуске)"},
        {"/var/lib/qmscales", "папка запуска службы qmscales-autoload.service и ее файлы загрузки"},
        {"/usr/share/qmscales/help", "страницы справки окна"},
    };
    return files;
}

} // namespace qm::man
