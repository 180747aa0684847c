#include "app/FileTitle.h"

#include <QWidget>

#include "app/UserDialogs.h"
#include "common/RegularFile.h"
#include "files/TableFiles.h"

namespace qm::app
{

namespace
{

namespace fs = std::filesystem;

// Passes every dialog on and keeps what the last one returned.
class WatchedChooser : public FileChooser
{
  public:
    explicit WatchedChooser(FileChooser& inner) : m_inner(inner) {}
    std::optional<ChosenFile> openFile(const FileDialogSetup& setup) override { return keep(m_inner.openFile(setup)); }
    std::optional<ChosenFile> saveFile(const FileDialogSetup& setup) override { return keep(m_inner.saveFile(setup)); }
    const std::optional<ChosenFile>& last() const { return m_last; }

  private:
    std::optional<ChosenFile> keep(std::optional<ChosenFile> chosen)
    {
        m_last = chosen;
        return chosen;
    }
    FileChooser& m_inner;
    std::optional<ChosenFile> m_last;
};

// The command run with watched dialogs; the last file chosen when it is Done.
std::optional<ChosenFile> runWatched(FileCommandContext& files, const ListFileCommand& command, Outcome& outcome)
{
    WatchedChooser watched(files.chooser);
    FileCommandContext context{files.feedback, watched, files.startDirectory};
    outcome = command(context);
    return outcome == Outcome::Done ? watched.last() : std::nullopt;
}

} // namespace

QString titleWithFile(const std::optional<fs::path>& file)
{
    if (!file)
        return programTitle();
    return programTitle() + QStringLiteral(" - ") + QString::fromStdString(pathText(*file));
}

Outcome openNamingFile(FileCommandContext& files, QWidget* window, const ListFileCommand& open)
{
    Outcome outcome = Outcome::Failed;
    if (const auto chosen = runWatched(files, open, outcome); chosen && window)
        window->setWindowTitle(titleWithFile(resolveChosen(files, chosen->path)));
    return outcome;
}

Outcome saveNamingFile(FileCommandContext& files, QWidget* window, const ListFileCommand& save)
{
    Outcome outcome = Outcome::Failed;
    if (const auto chosen = runWatched(files, save, outcome); chosen && window)
        window->setWindowTitle(titleWithFile(productSaveName(resolveChosen(files, chosen->path), chosen->filterIndex)));
    return outcome;
}

} // namespace qm::app
