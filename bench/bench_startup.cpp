// Start-up and memory: from the start of a process to the first painted window holding a
// 4000-row product table and a 1000-message table, opened through the window's own open
// commands, and the peak resident memory of that process. The goals: 0.5 s and 80 MB.
//
// The benchmark writes the two files, then starts itself again as the measured process, timed
// from just before the start (so loading the libraries counts) to the end of the first paint of
// the product grid. Runs RUNS times (default 5) and prints each run and the best.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/MessagesTab.h"
#include "app/tabs/ProductsTab.h"
#include "products/PluCheck.h"

#include "WindowBench.h"

namespace
{

long long monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Quits the loop once a paint of the watched widget has been handled.
class FirstPaint : public QObject
{
  public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

  private:
    bool m_seen = false;
};

// The measured process: the window, the two files opened, shown, painted.
int measured(const char* products, const char* messages, long long startNs, int argc, char** argv)
{
    QApplication app(argc, argv);
    bench::QuickDialogs dialogs;
    qm::app::TForm1 form(&dialogs);
    dialogs.files.push_back({messages, 1});
    form.messagesTab()->SpeedButton44Click();
    dialogs.files.push_back({products, 1});
    form.productsTab()->SpeedButton9Click();
    form.pageControl()->setCurrentWidget(form.productsTab());
    FirstPaint paint;
    form.productsTab()->grid()->viewport()->installEventFilter(&paint);
    form.show();
    app.exec();
    const double ms = static_cast<double>(monotonicNs() - startNs) / 1e6;
    const int productRows = form.productsTab()->grid()->model()->rowCount();
    const int messageRows = form.messagesTab()->grid()->model()->rowCount();
    std::printf("%8.1f ms to the first paint  peak memory %6.1f MB  (%d product rows, %d message rows in the grids)\n",
                ms, static_cast<double>(bench::peakKib()) / 1024, productRows, messageRows);
    return dialogs.errors.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 5 && std::string(argv[1]) == "--measured")
        return measured(argv[2], argv[3], std::atoll(argv[4]), argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    bench::BenchDirectory dir;
    const std::string products = bench::writeProducts(dir / "products.pl6", qm::kMaxPlu).string();
    const std::string messages = bench::writeMessages(dir / "messages.msg", 1000).string();
    for (int i = 0; i < runs; ++i) {
        std::fflush(stdout);
        const std::string start = std::to_string(monotonicNs());
        const pid_t child = fork();
        if (child == 0) {
            execl("/proc/self/exe", argv[0], "--measured", products.c_str(), messages.c_str(), start.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            std::printf("run %d failed\n", i + 1);
    }
    return 0;
}
