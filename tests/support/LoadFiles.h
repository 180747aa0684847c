#pragma once
// Load files as another program drops them for automatic loading: product files (.pl6) whose
// every row passes the row check, and message files (.msg).

#include <initializer_list>
#include <string>

namespace qmtest
{

// A .pl6 file of products with these PLU numbers.
inline std::string pl6(std::initializer_list<int> plus)
{
    std::string out;
    for (int plu : plus) {
        const std::string n = std::to_string(plu);
        for (const std::string& cell :
             {n, "name " + n, std::string("line 2"), std::to_string(100 + plu), std::string("5"), std::string("0"),
              std::string("0"), std::string("0"), std::string("0"), std::string("0"), std::string("")})
            out += cell + "\r\n";
    }
    return out;
}

// PLU numbers 1..count.
inline std::string pl6Count(int count)
{
    std::string out;
    for (int plu = 1; plu <= count; ++plu)
        out += pl6({plu});
    return out;
}

// A .msg file of messages with these numbers.
inline std::string msg(std::initializer_list<int> numbers)
{
    std::string out;
    for (int n : numbers) {
        out += std::to_string(n) + "\r\n";
        for (int line = 1; line <= 8; ++line)
            out += "text " + std::to_string(n) + "." + std::to_string(line) + "\r\n";
    }
    return out;
}

} // namespace qmtest
