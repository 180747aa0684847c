#pragma once
// One unattended load: a product (`LoadPLUFile`) or message (`LoadMSGFile`) load file sent to the
// scale of one configuration row. The load reads the file into its own table (the window's
// tables are never touched), checks every row before a byte goes out, opens the row's port, sends
// every record, and ends with one protocol line; only then, after a complete load, is the file
// deleted, so a run killed in between leaves a file loaded twice, never one deleted unrecorded.
// Nothing is shown to anyone: the outcome goes to the protocol file and to the LoadReport, which
// keeps the lists and beeps.

#include <filesystem>
#include <optional>
#include <string>

#include "autoload/LoadProtocol.h"
#include "common/Table.h"
#include "files/FileIo.h"

namespace qm
{

class ScaleSession;

// The options of the tab "Авторежим" (`CheckBox23`, `CheckBox24`, `CheckBox25`).
struct AutoOptions {
    bool virtualSync = false; // "Использовать механизм виртуальной синхронизации"
    bool protocol = true; // "Вести протокол загрузки"
    bool queue = true;    // "Обрабатывать очередь файлов загрузки"
};

struct LoadOutcome {
    LoadKind kind = LoadKind::Products;
    std::string scaleName; // code page 1251, as the configuration table holds it
    std::filesystem::path file;
    LoadLine line = LoadLine::NoLink;
    int row = -1; // the data row of the load file a BadRow line names
    Stamp stamp;
    std::string protocolText;    // the protocol line, code page 1251, without CR LF
    bool protocolFailed = false; // the protocol is kept but the line could not be written
    std::string protocolError;   // then why, naming the file (UTF-8, for the person)

    bool loaded() const { return line == LoadLine::ProductsLoaded || line == LoadLine::MessagesLoaded; }
};

// Where the outcome of the loads goes besides the protocol file: the two lists and the beep of
// the window, the lines of the service. Loads on different ports call it at the same time.
class LoadReport
{
  public:
    virtual ~LoadReport() = default;
    // A load for the scale begins: its name joins the list of scales not loaded.
    virtual void loadBegins(const std::string& scaleName) = 0;
    // The load has ended and its protocol line is written: a loaded scale leaves the list of
    // scales not loaded and gets its entry (loadedEntry) in the list of loaded scales; a failure
    // beeps.
    virtual void loadEnded(const LoadOutcome& outcome) = 0;
};

struct LoadSetup {
    std::filesystem::path startDirectory; // where "protocol.txt" is
    AutoOptions options;
    int logoIndex = 0; // the logo a .plu file's rows get (`ComboBox9`)
    // With a folder (relative: to the start directory), a product load first saves the cells it
    // will overwrite there (autoload/LoadSnapshot.h); without, it does not.
    std::filesystem::path snapshotFolder;
    LoadReport* report = nullptr;
};

// The session's feedback decides when the load stops (after the record in progress); its
// messages are not shown. `row` is the configuration row of the scale. The file is read, loaded,
// and deleted after a complete load (see endLoadFile).
LoadOutcome LoadPLUFile(ScaleSession& session, const Table& config, int row, const std::filesystem::path& file,
                        const LoadSetup& setup);
LoadOutcome LoadMSGFile(ScaleSession& session, const Table& config, int row, const std::filesystem::path& file,
                        const LoadSetup& setup);

// The same loads from bytes read before (`readLoadFile`), which several rows naming one file
// share; the file is left as it is.
FileRead readLoadFile(const std::filesystem::path& file);
LoadOutcome LoadPLUFile(ScaleSession& session, const Table& config, int row, const std::filesystem::path& file,
                        const FileRead& read, const LoadSetup& setup);
LoadOutcome LoadMSGFile(ScaleSession& session, const Table& config, int row, const std::filesystem::path& file,
                        const FileRead& read, const LoadSetup& setup);

// Once every scale that names the file has been loaded from `loaded`: the file is deleted while
// it still holds those bytes (deleteIfLoaded); a file kept under another name gets its protocol
// line.
void endLoadFile(const std::filesystem::path& file, const std::string& loaded, const LoadSetup& setup);

// At a cycle's start: a file a killed run left at its private name goes back (takeBackLeftover),
// with its protocol line when it had to be kept under another name.
void takeBackLoadFile(const std::filesystem::path& file, const LoadSetup& setup);

// The end of a load that an unexpected fault of the program broke off: its protocol line
// (LoadLine::Broken) and the report, whose failure beeps.
LoadOutcome loadBroken(const Table& config, int row, LoadKind kind, const std::filesystem::path& file,
                       const LoadSetup& setup);

} // namespace qm
