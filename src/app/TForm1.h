#pragma once
// The main window `Form1`: the ten tabs of `PageControl1`, the shared state, start-up
// (`FormCreate`), the tab change (`PageControl1Change`) and shutdown (`FormCloseQuery`).

#include <QMainWindow>
#include <memory>

#include "app/AppContext.h"
#include "files/AppSettings.h"
#include "files/FileCommands.h"

class QTabWidget;

namespace qm::app
{

class AutoModeTab;
class ConfigTab;
class LogoTab;
class MessagesTab;
class ProductsTab;
class ReportsTab;
class SettingsTab;
class StatusTab;
class TestsTab;
class UserDialogs;
class VortaTab;
class HelpWindow;

class TForm1 : public QMainWindow
{
    Q_OBJECT
  public:
    // Builds the window and runs start-up in the current directory. `dialogs` (not owned)
    // answers every box instead of the real ones: tests.
    explicit TForm1(UserDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    AppContext& context() { return *m_context; }
    QTabWidget* pageControl() const { return m_pageControl; }
    ProductsTab* productsTab() const { return m_products; }
    MessagesTab* messagesTab() const { return m_messages; }
    SettingsTab* settingsTab() const { return m_settingsTab; }
    AutoModeTab* autoModeTab() const { return m_autoMode; }
    ConfigTab* configTab() const { return m_config; }
    TestsTab* testsTab() const { return m_tests; }
    StatusTab* statusTab() const { return m_status; }
    LogoTab* logoTab() const { return m_logo; }
    ReportsTab* reportsTab() const { return m_reports; }
    VortaTab* vortaTab() const { return m_vorta; }

    // The help window at the topic of the keyword (made on first use).
    void showHelp(const QString& keyword);
    HelpWindow* helpWindow() const { return m_help; }

    void FormCreate();
    // True when the window may close: the save questions, then the settings file.
    bool FormCloseQuery();
    void PageControl1Change(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void saveSettingsAtClose();

    std::unique_ptr<AppContext> m_context;
    QTabWidget* m_pageControl;
    ProductsTab* m_products;
    MessagesTab* m_messages;
    SettingsTab* m_settingsTab;
    AutoModeTab* m_autoMode;
    ConfigTab* m_config;
    TestsTab* m_tests;
    StatusTab* m_status;
    LogoTab* m_logo;
    ReportsTab* m_reports;
    VortaTab* m_vorta;

    AppSettings m_settings;           // as read at start-up: lines without a control go back unchanged
    bool m_leaveSettingsFile = false; // qm1_6.cfg is there but was not read: the close leaves it
    bool m_closeWhenIdle = false;
    HelpWindow* m_help = nullptr;
};

} // namespace qm::app
