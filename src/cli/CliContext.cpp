#include "cli/CliContext.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/FileIo.h"
#include "files/SettingsFile.h"
#include "files/TableFiles.h"
#include "link/PortMap.h"

namespace qm::cli
{

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
    // The settings file is read once: the kept configuration and the logo chooser's index.
    std::optional<std::string> settingsError;
    if (std::filesystem::exists(path(kSettingsFileName))) {
        const auto read = readFileBytes(path(kSettingsFileName));
        settingsError = read.error;
        if (!read.error)
            m_settings = parseSettings(read.bytes);
    }
    if (const auto cfl = m_args.value("config")) {
        auto load = loadConfigFile(path(*cfl));
        if (load.error) {
            error(*load.error);
            return false;
        }
        m_config = std::move(load.table);
    } else if (settingsError) {
        error(*settingsError);
        return false;
    } else if (m_settings.keepConfig) {
        // The configuration kept in the settings file; the command line never writes it here.
        m_config = m_settings.configTable;
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

} // namespace qm::cli
