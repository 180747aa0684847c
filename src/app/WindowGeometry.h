#pragma once
// The main window's size and position from one run to the next. The settings file keeps only
// whether the window is normal, maximised or minimised (its lines are fixed), so the geometry is
// kept apart, in the user's configuration directory.

#include <QRect>
#include <QString>

class QWidget;

namespace qm::app
{

// The file that holds the geometry: "window.ini" in the application's configuration location.
QString windowGeometryFile();

// The remembered geometry when there is one and it still lies on a screen; otherwise (first
// start) a size that shows every tab title and the grids' headers, centred on the screen.
void restoreWindowGeometry(QWidget& window);

// The window's normal geometry (the one it returns to from maximised or minimised).
void saveWindowGeometry(const QWidget& window);

class ScaleChoosers;

// The scale each tab's chooser showed at close, kept beside the geometry: it is the person's
// choice in this window, not a setting of the scales, so qm1_6.cfg (whose lines are fixed) does
// not hold it. Restored only where the name is one of the chooser's entries, that is, a scale of
// the configuration the window started with.
void saveScaleChoices(const ScaleChoosers& choosers);
void restoreScaleChoices(ScaleChoosers& choosers);

// The size at first start: 1024 x 700, or the screen's available room when that is smaller.
QSize firstStartSize(const QSize& available);

} // namespace qm::app
