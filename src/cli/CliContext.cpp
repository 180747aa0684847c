#include "cli/CliContext.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "link/PortMap.h"

namespace qm::cli {

namespace {

bool readBytes(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

// Lines ended by CR LF (a bare LF is taken too); 0x1A ends the text.
std::vector<std::string> textLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (char c : bytes) {
        if (c == '\x1A')
            break;
        open = true;
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            line.clear();
            open = false;
        } else {
            line += c;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

Table configFromLines(const std::vector<std::string>& lines, size_t first)
{
    Table config = makeTable(configLayout());
    std::vector<Row> rows;
    for (size_t i = first; i < lines.size(); i += kConfigColumns) {
        Row row(kConfigColumns);
        for (size_t c = 0; c < kConfigColumns && i + c < lines.size(); ++c)
            row[c] = lines[i + c];
        rows.push_back(std::move(row));
    }
    config.setDataRows(std::move(rows));
    return config;
}

}  // namespace

CliContext::CliContext(Args args) : m_args(std::move(args))
{
    m_dir = m_args.value("dir").value_or(std::filesystem::current_path().string());
    m_feedback.setAssumeYes(m_args.has("yes"));
    m_config = makeTable(configLayout());
}

std::string CliContext::path(const std::string& given) const
{
    const std::filesystem::path p(given);
    return p.is_absolute() ? given : (std::filesystem::path(m_dir) / p).string();
}

void CliContext::error(const std::string& text) const
{
    std::cerr << "qmscales-cli: " << text << std::endl;
}

std::string CliContext::scaleName() const
{
    return cp(m_args.value("scale").value_or(""));
}

bool CliContext::prepare()
{
    if (!std::filesystem::is_directory(m_dir)) {
        error("start directory " + m_dir + " does not exist");
        return false;
    }
    std::string bytes;
    if (const auto cfl = m_args.value("config")) {
        if (!readBytes(path(*cfl), bytes)) {
            error("cannot read the configuration file " + path(*cfl));
            return false;
        }
        m_config = configFromLines(textLines(bytes), 0);
    } else if (readBytes(path("qm1_6.cfg"), bytes)) {
        // The rows are kept from line 38 on, and only when line 37 says "TRUE".
        const auto lines = textLines(bytes);
        if (lines.size() > 37 && lines[36] == "TRUE")
            m_config = configFromLines(lines, 37);
    }
    m_comm = std::make_unique<TComm>(PortMap::load(m_dir));
    if (const auto trace = m_args.value("trace")) {
        m_trace = std::make_unique<FileTrace>(path(*trace));
        if (!m_trace->isOpen()) {
            error("cannot write the trace file " + path(*trace));
            return false;
        }
        m_comm->setTrace(m_trace.get());
    }
    m_session = std::make_unique<ScaleSession>(*m_comm, m_feedback);
    return true;
}

}  // namespace qm::cli
