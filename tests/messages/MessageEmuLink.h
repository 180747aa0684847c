#pragma once
// What the message tests against an emulated scale share: the scale's options, the link
// (support/ScaleRig.h: "Весы 1" on COM1 at 9600 baud), message tables and the bytes they send.

#include <string>
#include <vector>

#include "ScaleText.h"
#include "StateBuilder.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "messages/MessageCodec.h"
#include "messages/MessageTransfer.h"
#include "support/ScaleRig.h"

namespace msgtest
{

using Bytes = std::vector<std::uint8_t>;

inline qmtest::EmuOptions emuOptions(int number, std::vector<std::string> faults = {}, std::string stateJson = {})
{
    qmtest::EmuOptions o;
    o.number = number;
    o.faults = std::move(faults);
    o.stateJson = std::move(stateJson);
    return o;
}

using qmtest::EmuLink;

// A message table of rows {number, line 1, ..., line 8} given in UTF-8.
inline qm::Table messageTable(const std::vector<std::vector<std::string>>& rows)
{
    qm::Table t = qm::makeTable(qm::messageLayout());
    std::vector<qm::Row> data;
    for (const auto& r : rows) {
        qm::Row row(qm::kMessageColumns);
        for (size_t c = 0; c < r.size() && c < row.size(); ++c)
            row[c] = qm::cp(r[c]);
        data.push_back(row);
    }
    t.setDataRows(data);
    return t;
}

// A line as the scale stores it: 50 bytes of its code page.
inline std::string scaleLine(const std::string& utf8)
{
    return emu::scaleField(utf8, emu::kLineWidth).value();
}

// A line as a read puts it into the table: code page 1251, 50 characters.
inline std::string tableLine(const std::string& utf8)
{
    std::string line = qm::cp(utf8);
    line.resize(qm::kMessageLineWidth, ' ');
    return line;
}

inline Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Addressing and the write command of one message, as the scale receives them.
inline Bytes writeBytes(std::uint8_t scaleNumber, std::uint16_t number, const qm::Table& table, int row)
{
    qm::MessageLines lines;
    for (int l = 0; l < qm::kMessageLineCount; ++l)
        lines[static_cast<size_t>(l)] = table.cell(row, 1 + l);
    return concat({{scaleNumber}, qm::encodeSendMsg(number, lines)});
}

// How many times the command byte follows an addressing byte in what the scale received.
inline int commandCount(const Bytes& received, std::uint8_t scaleNumber, std::uint8_t command)
{
    int n = 0;
    for (size_t i = 0; i + 1 < received.size(); ++i)
        if (received[i] == scaleNumber && received[i + 1] == command)
            ++n;
    return n;
}

} // namespace msgtest
