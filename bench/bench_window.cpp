// How long the window stops answering while it works: the real main window (offscreen), an
// emulated scale at 19200 baud on COM1, and a 5 ms timer on the window's thread that records how
// late it fires. Per step: the longest stall and the 99th percentile. The goal: no stall over
// 50 ms (every box is answered at once here, so no modal dialog waits). Beside the longest stall
// stands the window thread's own CPU time in it: a stall with little CPU of its own is the thread
// waiting for a processor (a loaded machine) or for another thread.
//
//   bench_window [ROWS]    (default 4000: the product file opened, sorted, checked, sent, read)
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/ChooserBox.h"
#include "app/HelpWindow.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/TableModel.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/ProductsTab.h"
#include "app/tabs/ReportsTab.h"
#include "common/Cp1251.h"
#include "products/PluCheck.h"

#include "WindowBench.h"

namespace
{

using qm::app::TForm1;

// The 5 ms timer: how late each tick came, in milliseconds, since the step began.
class StallMeter : public QObject
{
  public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_clock.start();
        m_timer.start();
    }
    void begin()
    {
        m_late.clear();
        m_worst = 0;
        m_worstCpu = 0;
        m_last = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
        m_lastCpu = threadCpuMs();
    }
    // Counts the time since the last tick too: a step that blocks to its very end stalls there.
    void end(const char* step)
    {
        tick();
        std::vector<double> late = m_late;
        std::sort(late.begin(), late.end());
        const double p99 = late[std::min(late.size() - 1, late.size() * 99 / 100)];
        std::printf("%-30s %6zu ticks  longest stall %7.1f ms (own CPU %5.1f ms)  99th percentile %6.1f ms%s\n", step,
                    late.size(), late.back(), m_worstCpu, p99, late.back() > 50 ? "  OVER" : "");
        std::fflush(stdout);
    }

  private:
    static double threadCpuMs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
    void tick()
    {
        const double now = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
        const double cpu = threadCpuMs();
        const double late = std::max(0.0, now - m_last - 5);
        if (late >= m_worst) {
            m_worst = late;
            m_worstCpu = cpu - m_lastCpu;
        }
        m_late.push_back(late);
        m_last = now;
        m_lastCpu = cpu;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    std::vector<double> m_late;
    double m_last = 0;
    double m_lastCpu = 0;
    double m_worst = 0;
    double m_worstCpu = 0; // the thread's CPU time during the longest stall
};

void settle(int ms)
{
    bench::waitUntil([] { return false; }, ms);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rows = argc > 1 ? std::atoi(argv[1]) : qm::kMaxPlu;
    bench::BenchDirectory dir;
    QApplication app(argc, argv);
    qmtest::EmuOptions options;
    options.baud = 19200;
    qmtest::EmuProcess scale(options);
    scale.writePortsCfg(dir.path().string(), 1);
    // A network port as well: the port list of the tab "Тесты" probes it.
    qmtest::EmuOptions network;
    network.tcp = "127.0.0.1:0";
    qmtest::EmuProcess networked(network);
    networked.writePortsCfg(dir.path().string(), 2);
    const auto productFile = bench::writeProducts(dir / "products.pl6", rows);

    bench::QuickDialogs dialogs;
    TForm1 form(&dialogs);
    form.resize(1000, 700);
    form.show();
    qm::Table config = form.configTab()->grid()->tableModel()->table();
    config.setRow(1, {"1", qm::cp("Весы"), "", "1", "COM1", "19200"});
    form.configTab()->grid()->tableModel()->setTable(config);
    form.configTab()->SpeedButton85Click();
    for (const char* chooser : {"ComboBox8", "ComboBox7"})
        form.findChild<qm::app::ChooserBox*>(QString::fromLatin1(chooser))->setText(QStringLiteral("Весы"));
    form.pageControl()->setCurrentWidget(form.productsTab());
    settle(300);

    StallMeter meter;
    qm::app::ProductsTab& products = *form.productsTab();
    const auto idle = [&] { return !form.context().runner().busy(); };
    const auto step = [&](const char* title, const std::function<void()>& action, bool onScale = false) {
        meter.begin();
        dialogs.messages.clear();
        action();
        if (onScale)
            bench::waitUntil(idle, 30 * 60 * 1000);
        settle(100); // what the step posted to the window, and the repaint
        meter.end(title);
        for (const std::string& message : dialogs.messages)
            std::printf("    the window said: %s\n", message.c_str());
    };

    std::printf("%d product rows, scale at 19200 baud\n", rows);
    step("open the product file", [&] {
        dialogs.files.push_back({productFile, 1});
        products.SpeedButton9Click();
    });
    step("sort", [&] { products.SpeedButton29Click(); });
    step("check", [&] { products.SpeedButton36Click(); });
    step(
        "send all products", [&] { products.SpeedButton31Click(); }, true);
    step(
        "read all products back", [&] { products.SpeedButton34Click(); }, true);
    step(
        "read the full report",
        [&] {
            form.pageControl()->setCurrentWidget(form.reportsTab());
            form.reportsTab()->SpeedButton17Click();
        },
        true);
    step("open the help", [&] { form.showHelp(QStringLiteral("products")); });
    step("search the help", [&] { form.helpWindow()->search(QStringLiteral("весы")); });
    step("switch through every tab", [&] {
        for (int i = 0; i < form.pageControl()->count(); ++i) {
            form.pageControl()->setCurrentIndex(i);
            settle(30);
        }
        form.pageControl()->setCurrentWidget(form.productsTab());
    });
    step("resize", [&] {
        for (const QSize size : {QSize(800, 600), QSize(1400, 900), QSize(640, 480), QSize(1000, 700)}) {
            form.resize(size);
            settle(30);
        }
    });
    if (!dialogs.errors.empty())
        std::printf("error boxes: %zu, first: %s\n", dialogs.errors.size(), dialogs.errors.front().c_str());
    std::printf("peak memory %ld MiB\n", bench::peakKib() / 1024);
    return 0;
}
