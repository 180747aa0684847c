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
#include "link/TComm.h"
#include "operation/OperationTexts.h"

namespace qm::cli
{

CliContext::CliContext(Args args) : m_args(std::move(args))
{
    m_dir = m_args.value("dir").value_or(std::filesystem::current_path().string());
    m_feedback.setAssumeYes(m_args.has("yes"));
    // Standard output is the one JSON document: every text goes to standard error.
    m_feedback.messagesToStandardError(m_args.has("json"));
    m_config = makeTable(configLayout());
}

std::string CliContext::dirFile(const std::string& name) const
{
    return (std::filesystem::path(m_dir) / name).string();
}

void CliContext::error(const std::string& text) const
{
    std::cerr << "qmscales-cli: " << terminalText(text) << std::endl;
}

std::string CliContext::scaleName() const
{
    return cp(m_args.value("scale").value_or(""));
}

int CliContext::readConfig(bool needsConfig)
{
    // One read of the settings file gives the kept configuration and the logo chooser's index.
    const std::string settingsPath = dirFile(kSettingsFileName);
    const bool haveSettings = std::filesystem::exists(settingsPath);
    std::optional<std::string> settingsError;
    if (haveSettings) {
        SettingsLoad read = readFormFile(m_dir);
        settingsError = std::move(read.error);
        if (!settingsError)
            m_settings = std::move(read.settings);
    }
    if (const auto cfl = m_args.value("config")) {
        auto load = loadConfigFile(path(*cfl));
        if (load.error) {
            error(*load.error);
            return kFailed;
        }
        m_config = std::move(load.table);
    } else if (needsConfig) {
        if (settingsError) {
            error(*settingsError);
            return kFailed;
        }
        if (!haveSettings) {
            error("нет конфигурации: " + std::string(kSettingsFileName) + " не найден в " + m_dir +
                  ", используйте --config FILE.cfl");
            return kUsage;
        }
        // The configuration kept in the settings file; the command line never writes it here.
        if (!m_settings.keepConfig || m_settings.configTable.holdsNoData()) {
            error("нет конфигурации: в " + settingsPath +
                  " не сохранено ни одной строки конфигурации, используйте --config FILE.cfl или keep-config FILE.cfl");
            return kUsage;
        }
        m_config = m_settings.configTable;
    }
    return kOk;
}

int CliContext::prepare(bool needsConfig)
{
    if (const int code = readConfig(needsConfig); code != kOk)
        return code;
    PortMap ports = PortMap::load(m_dir);
    // Only the scale commands go through the port names. The service reads the file again at every
    // cycle and tells it there, as the window does: it starts all the same.
    const bool service = m_args.command() == "autoload" && m_args.has("period");
    if (ports.error() && needsConfig && !service) {
        error(*ports.error());
        return kFailed;
    }
    m_comm = std::make_unique<TComm>(std::move(ports));
    m_comm->setStopCheck([this] { return m_feedback.stopRequested(); });
    if (const auto trace = m_args.value("trace")) {
        m_trace = std::make_unique<FileTrace>(path(*trace));
        if (!m_trace->isOpen()) {
            error(traceFailedText(path(*trace), m_trace->error()));
            return kFailed;
        }
        m_comm->setTrace(m_trace.get());
    }
    m_session = std::make_unique<ScaleSession>(*m_comm, m_feedback);
    return kOk;
}

void CliContext::detail(const std::string& text)
{
    if (m_trace)
        m_trace->note("port error: " + text);
    if (m_args.has("verbose"))
        error(text);
    m_detailShown = true;
}

void CliContext::reportPortError(const PortError& e)
{
    m_feedback.progressEnd();
    m_feedback.message(operationtext::kNoLink);
    detail(portName() + e.what());
}

std::string CliContext::portName() const
{
    return "COM" + std::to_string(static_cast<int>(m_comm->port()) + 1) + " (" + m_comm->devicePath() + "): ";
}

void CliContext::reportPortDetail()
{
    if (!m_comm || m_detailShown)
        return;
    // A line lost during an exchange, which the operation reported as an exchange that failed.
    if (m_session && m_session->lineFailure()) {
        detail(portName() + *m_session->lineFailure());
        return;
    }
    // The connection's text, which the frame showed as "Выбранный СОМ-порт не существует ...";
    // it names the port itself.
    if (!m_comm->lastErrorText().empty())
        detail(m_comm->lastErrorText());
}

int CliContext::finish(const OperationResult& result)
{
    // A stop the operation saw it reported as its failure. Ctrl+C at a question is a No, and an
    // operation that ends silently on the flag has said nothing: the command line says it.
    const bool unsaid = result == TransferOutcome::Stopped
                            ? !result.failure
                            : result == TransferOutcome::Cancelled && m_feedback.stopRequested();
    if (unsaid)
        m_feedback.message(operationtext::kStopped);
    return result ? kOk : kFailed;
}

} // namespace qm::cli
