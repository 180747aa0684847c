#include "app/TForm1.h"

#include <QCloseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/ChooserBox.h"
#include "app/GuiFeedback.h"
#include "app/HelpWindow.h"
#include "app/MainMenu.h"
#include "app/ScaleRunner.h"
#include "app/SettingsBinding.h"
#include "app/StringGrid.h"
#include "app/UserDialogs.h"
#include "app/WindowGeometry.h"
#include "app/tabs/AutoModeTab.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/LogoTab.h"
#include "app/tabs/MessagesTab.h"
#include "app/tabs/ProductsTab.h"
#include "app/tabs/ReportsTab.h"
#include "app/tabs/SettingsTab.h"
#include "app/tabs/StatusTab.h"
#include "app/tabs/TestsTab.h"
#include "app/tabs/VortaTab.h"
#include "autoload/LoadProtocol.h"
#include "files/ReportFile.h"
#include "files/SettingsFile.h"

namespace qm::app
{

namespace fs = std::filesystem;

namespace
{

constexpr int kFontPoints = 8;

const char* const kCloseProducts = "Программа будет закрыта.\r\nСписок товаров был изменен.\r\nСохранить изменения?";
const char* const kCloseMessages = "Программа будет закрыта.\r\nСписок сообщений был изменен.\r\nСохранить изменения?";
const char* const kCloseLogo = "Программа будет закрыта.\r\nТекущий логотип был изменен.\r\nСохранить изменения?";
const char* const kCloseWhileRunning = "Выполняется обмен с весами.\r\nПрервать его и закрыть программу?";
const char* const kOperationRunning = "Выполняется обмен с весами...";
const char* const kCloseReports = "Программа будет закрыта.\r\nВ процессе ее работы была создана таблица отчетов по "
                                  "товарам PLU и общих итогов.\r\nСохранить изменения?";

// The environment variable that turns the byte trace of the serial port on: a file name,
// relative to the start directory.
const char* const kTraceVariable = "QMSCALES_TRACE";

// Added to the message of a settings file that is there but could not be read.
const char* const kSettingsLeftAsTheyAre =
    "\r\nНастройки, которые не удалось прочитать, взяты по умолчанию. При выходе из программы этот файл не "
    "будет изменен.";

} // namespace

TForm1::TForm1(UserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_context(std::make_unique<AppContext>(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programTitle());
    // The window's font is "MS Sans Serif" of 8 points; where it is missing the platform's
    // sans serif stands in at the same size.
    QFont font(QStringLiteral("MS Sans Serif"), kFontPoints);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    m_context->setDialogs(dialogs);

    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->setUsesScrollButtons(true);
    m_products = new ProductsTab(*m_context);
    m_messages = new MessagesTab(*m_context);
    m_settingsTab = new SettingsTab(*m_context);
    m_autoMode = new AutoModeTab(*m_context, m_products->logoChooser());
    m_config = new ConfigTab(*m_context);
    m_tests = new TestsTab(*m_context);
    m_status = new StatusTab(*m_context);
    m_logo = new LogoTab(*m_context);
    m_reports = new ReportsTab(*m_context);
    m_vorta = new VortaTab(*m_context);
    m_pageControl->addTab(m_products, QStringLiteral("Товары"));
    m_pageControl->addTab(m_messages, QStringLiteral("Сообщения"));
    m_pageControl->addTab(m_settingsTab, QStringLiteral("Настройки"));
    m_pageControl->addTab(m_autoMode, QStringLiteral("Авторежим"));
    m_pageControl->addTab(m_config, QStringLiteral("Конфигурация"));
    m_pageControl->addTab(m_tests, QStringLiteral("Тесты"));
    m_pageControl->addTab(m_status, QStringLiteral("Состояние весов"));
    m_pageControl->addTab(m_logo, QStringLiteral("Логотип"));
    m_pageControl->addTab(m_reports, QStringLiteral("Отчеты"));
    m_pageControl->addTab(m_vorta, QStringLiteral("Установки VORTA"));
    setCentralWidget(m_pageControl);

    // Before the settings file's window state applies, so that a maximised window comes back
    // to its remembered normal size.
    restoreWindowGeometry(*this);

    connect(&m_context->runner(), &ScaleRunner::finished, this, [this] {
        if (m_closeWhenIdle)
            close();
    });
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    connect(&m_context->runner(), &ScaleRunner::busyChanged, this, [this](bool busy) {
        if (busy)
            statusBar()->showMessage(QString::fromUtf8(kOperationRunning));
        else
            statusBar()->clearMessage();
    });

    const HelpCommand help = [this](const QString& keyword) { showHelp(keyword); };
    buildMainMenu(*this, m_pageControl, help, [this] { close(); });
    bindHelpButtons(*this, m_pageControl, help);

    FormCreate();
    connect(m_pageControl, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    AppState& state = m_context->state();
    std::error_code ec;
    state.startDirectory = fs::current_path(ec);

    const std::optional<std::string> protocolError = createProtocolFile(state.startDirectory);

    state.clearModified();
    state.stop.store(false);

    if (const QByteArray trace = qgetenv(kTraceVariable); !trace.isEmpty())
        m_context->runner().setTracePath((state.startDirectory / fs::u8path(trace.toStdString())).string());

    SettingsLoad load = OpenFormFile(state.startDirectory);
    m_leaveSettingsFile = load.leaveFile;
    if (load.error)
        m_context->dialogs().error(*load.error + (load.leaveFile ? kSettingsLeftAsTheyAre : ""));
    if (protocolError)
        m_context->dialogs().error(*protocolError);
    m_settings = load.settings;
    applySettings(m_settings, *this);
    if (m_settings.enterCurrentDateTime)
        m_settingsTab->fillCurrentDateTime();

    m_config->SpeedButton85Click();
    restoreScaleChoices(m_context->choosers());

    if (state.autoMode)
        m_autoMode->switchOnAtStart();
}

void TForm1::PageControl1Change(int)
{
    m_config->SpeedButton85Click();
}

void TForm1::showHelp(const QString& keyword)
{
    if (!m_help)
        m_help = new HelpWindow(HelpFiles(HelpFiles::findFolder()), this);
    m_help->showKeyword(keyword);
}

void TForm1::saveSettingsAtClose()
{
    saveWindowGeometry(*this);
    saveScaleChoices(m_context->choosers());
    // Settings that were never read are not written: the file may hold a configuration that the
    // defaults would replace. The start said so; the close adds nothing.
    if (m_leaveSettingsFile)
        return;
    const AppSettings settings = collectSettings(m_settings, *this);
    // A directory that cannot be written is told once; the window still closes.
    if (const auto error = SaveFormFile(m_context->state().startDirectory, settings))
        m_context->dialogs().error(*error);
}

bool TForm1::FormCloseQuery()
{
    AppState& state = m_context->state();
    std::error_code ec;
    fs::current_path(state.startDirectory, ec);
    GuiFeedback feedback(*m_context);
    FileCommandContext files = m_context->fileContext(feedback);

    const struct {
        bool AppState::*modified;
        const char* question;
        std::function<Outcome()> save; // clears the flag when it saves
    } questions[] = {
        {&AppState::productsModified, kCloseProducts,
         [&] { return saveProductList(files, m_products->grid()->snapshot(), state.productsModified); }},
        {&AppState::messagesModified, kCloseMessages,
         [&] { return saveMessageList(files, m_messages->grid()->snapshot(), state.messagesModified); }},
        {&AppState::logoModified, kCloseLogo, [this] { return m_logo->saveLogo(); }},
        {&AppState::reportsModified, kCloseReports,
         [&] {
             return saveReportTable(files, m_reports->totals(), m_reports->grid()->snapshot(), state.reportsModified);
         }},
    };
    // Each question: Cancel keeps the window; Yes goes on only when the table was really saved,
    // so a cancelled dialog or a failed write never loses the table.
    for (const auto& q : questions) {
        if (!(state.*q.modified))
            continue;
        const Answer a = m_context->dialogs().ask(q.question, Buttons::YesNoCancel);
        if (a == Answer::Cancel || (a == Answer::Yes && q.save() != Outcome::Done))
            return false;
    }
    saveSettingsAtClose();
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A scale operation is running: on Yes it is stopped between records and the window closes
    // when it has ended; on No the window stays.
    if (m_context->runner().busy()) {
        event->ignore();
        if (m_closeWhenIdle || m_context->dialogs().ask(kCloseWhileRunning, Buttons::YesNo) == Answer::Yes) {
            m_context->state().stop.store(true);
            m_closeWhenIdle = true;
        }
        return;
    }
    m_closeWhenIdle = false;
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace qm::app
