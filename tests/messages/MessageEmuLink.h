#pragma once
// A message operation's link to an emulated scale over a real pseudo-terminal: the scale on
// COM1, a configuration table naming it "Весы 1", and a scripted feedback.

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
#include "support/ComOne.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

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

inline qm::Table configFor(int number, const std::string& speed = "9600")
{
    qm::Table config = qm::makeTable(qm::configLayout());
    qm::Row row(qm::kConfigColumns);
    row[qm::cfgcol::Name] = qm::cp("Весы 1");
    row[qm::cfgcol::Number] = std::to_string(number);
    row[qm::cfgcol::Port] = "COM1";
    row[qm::cfgcol::Speed] = speed;
    config.setDataRows({row});
    return config;
}

struct EmuLink {
    explicit EmuLink(const qmtest::EmuProcess& emu, int number)
        : config(configFor(number)), comm(qmtest::comOne(emu.device())),
          session(comm, fb), link{session, config, qm::cp("Весы 1")}
    {
    }
    qm::Table config;
    qmtest::ScriptedFeedback fb;
    qm::TComm comm;
    qm::ScaleSession session;
    qm::ScaleLink link;
};

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
