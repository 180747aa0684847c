#pragma once
// One description of a program's usage, written two ways: the --help text (wrapped at 80 columns)
// and the manual page in roff (man(7)). Each program keeps its options in one table of HelpItem
// and builds both from it, so that the two never disagree.

#include <iosfwd>
#include <string>
#include <vector>

namespace qm::man
{

struct HelpItem {
    std::string term; // "--dir DIR", a command with its words
    std::string text; // one paragraph; the writers break it into lines
};

struct Section {
    std::string title;                   // "FILES", "EXIT STATUS" ...
    std::vector<std::string> paragraphs; // before the items
    std::vector<HelpItem> items;
};

struct Page {
    std::string name;    // the program
    std::string summary; // the NAME line's text
    std::string version;
    std::string date;
    std::vector<std::string> synopsis; // the words after the program's name, one line each
    std::vector<Section> sections;     // DESCRIPTION, OPTIONS ..., in order
};

// What a program's --help text and its manual page both say of it; each program keeps its own.
struct Program {
    const char* name;       // "qmscales"
    const char* synopsis;   // the words after the name
    const char* summary;    // the NAME line's text
    const char* exitStatus; // the EXIT STATUS paragraph, also the last line of --help
};

inline constexpr size_t kHelpWidth = 80;

// Text broken at spaces into lines of at most `width` characters (UTF-8 counted by character);
// the lines after the first start with `indent` spaces. A word longer than a line stands alone.
std::string wrap(const std::string& text, size_t width, size_t indent, size_t firstColumn = 0);

// Items as two columns: the term in the first `termWidth` characters (a longer one on a line of
// its own), the text wrapped beside it.
void writeHelpItems(std::ostream& out, const std::vector<HelpItem>& items, size_t termWidth);

// The files of the window and the command line, for both their manual pages.
const std::vector<HelpItem>& programFiles();

// The first line of --help, "Использование: NAME WORDS", the words wrapped under themselves, and
// the last, "Код выхода: …".
void writeUsage(std::ostream& out, const Program& program, const std::string& words);
void writeExitStatus(std::ostream& out, const Program& program);

// The program's page with its NAME line and the synopsis first, more lines after it; the caller
// adds the sections.
Page programPage(const Program& program, const std::string& version, const std::string& date,
                 const std::vector<std::string>& moreSynopsis = {});

void writeManPage(std::ostream& out, const Page& page);

// Text for a roff line: a backslash printed as itself, "-" as the hyphen-minus that options are
// typed with, and a leading "." or "'" kept from being read as a request.
std::string roff(const std::string& text);

} // namespace qm::man
