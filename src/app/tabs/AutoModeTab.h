#pragma once
// Tab "Авторежим": switching auto mode on and off (`Button11Click`), the timer of its cycles
// (`Timer1Timer`), the lists of scales not loaded and loaded with their "Очистить" buttons, and
// the protocol file's two buttons (show it, clear it).
//
// A cycle runs on the scale worker like any scale operation: it waits while a manual operation
// runs, and the scale commands of every tab wait for it (a command started anyway is refused
// with a message). Inside the cycle the scales of different ports are loaded at the same time.
// Switching auto mode off during a cycle ends it after the current record; no cycle follows.

#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "app/ScaleTab.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QTimer;

namespace qm::app
{

class AutoModeTab : public QWidget
{
    Q_OBJECT
  public:
    // `logoChooser`: the products tab's `ComboBox9`, the logo the rows of a .plu load file get.
    AutoModeTab(AppContext& context, const QComboBox* logoChooser, QWidget* parent = nullptr);

    // Start-up found auto mode on in the settings file: switched on as the button does, unless
    // the period is no period (auto mode then stays off, without a box).
    void switchOnAtStart();

    void Button11Click();
    void Timer1Timer();
    void Button9Click();
    void Button10Click();
    void SpeedButton90Click();
    void SpeedButton91Click();

    bool cycleRunning() const { return m_cycleRunning; }
    QTimer* timer() const { return m_timer; }
    // Tests see the protocol handed to the desktop here instead.
    void setUrlOpener(std::function<bool(const QUrl&)> open) { m_openUrl = std::move(open); }

  signals:
    void cycleFinished();

  private:
    bool switchOn(bool atStartUp);
    void switchOff();
    void setOptionsEnabled(bool enabled);
    void startCycle();
    void cycleEnded();
    void showStatus(const QString& text);

  public:
    // Called from the loads (posted to the window's thread).
    void loadBegins(const std::string& name);
    // `protocolError`: why the load's protocol line could not be written, empty when it was.
    void loadEnded(const std::string& name, const std::string& entry, bool loaded,
                   const std::string& protocolError = {});

  private:
    ScaleTab m_scale;
    const QComboBox* m_logoChooser;
    QPushButton* m_switch;
    QLineEdit* m_period;
    QCheckBox* m_minimize;
    QCheckBox* m_virtual;
    QCheckBox* m_protocol;
    QCheckBox* m_queue;
    QLineEdit* m_snapshots; // the snapshot folder before a product load; empty: none
    QListWidget* m_notLoaded;
    QListWidget* m_loaded;
    QLabel* m_status;
    QTimer* m_timer;
    std::shared_ptr<std::atomic<bool>> m_cycleStop;
    bool m_cycleRunning = false;
    bool m_cyclePending = false;
    std::function<bool(const QUrl&)> m_openUrl;
    QStringList m_loading;         // scales whose load runs now, for the status line
    bool m_protocolWarned = false; // the protocol's failure was shown; again only after a line went in
};

} // namespace qm::app
