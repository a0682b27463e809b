#pragma once
// The main window's layout: its smallest size, its stored place and size, and the two draggable
// bars Picture2 (between the tab area and the queue) and Picture3 (between the folder and the
// file list) with their limits. Stored values are twips of the window's outer area; a value the
// user did not change is stored back exactly as it was read.

#include <QObject>
#include <QSize>

class QMainWindow;
class QSplitter;

namespace tess {

struct MainSettings;

class MainLayout final : public QObject
{
    Q_OBJECT
public:
    // The window's smallest outer size in twips, and the bars' limits.
    static constexpr int kMinWidthTwips = 13084;
    static constexpr int kMinHeightTwips = 10130;
    static constexpr int kP2Min = 3500;      // Picture2 never above this
    static constexpr int kP2BelowMin = 5455; // outer height - Picture2 never below this
    static constexpr int kP3Min = 3001;      // Picture3 never above this
    static constexpr int kP3BelowMin = 3000; // outer height - Picture3 never below this
    static constexpr int kDefaultBarTop = 3600;

    // picture2: the splitter whose bar is Picture2; picture3 likewise. Both lie in the window's
    // central widget.
    MainLayout(QMainWindow *window, QSplitter *picture2, QSplitter *picture3);

    // Bars, size and place from the settings (the window is resized and moved at once).
    void load(const MainSettings &s);
    // Bars, size and place into the settings; a minimized or maximized window keeps its stored
    // place and size.
    void store(MainSettings &s) const;

    // Moves and sizes the window (outer place and size in twips; a size below the minimum becomes
    // the minimum), as the next store gives them back. False, with nothing changed, while the
    // window is minimized or maximized.
    bool placeWindow(int leftTwips, int topTwips, int widthTwips, int heightTwips);

    // The tops of the bars in twips of the window's inner area. Setting keeps them inside their
    // limits.
    int hDividerTop() const;
    void setHDividerTop(int twips);
    int hLeftDividerTop() const;
    void setHLeftDividerTop(int twips);

    // The smallest outer size in pixels.
    static QSize leastOuterSize();

    // The window's show and resize events.
    void windowShown();
    void windowResized();

private:
    void applyDividers();
    void syncDividers();
    int barTop(const QSplitter *split, int wanted, int stored) const;

    QMainWindow *m_window;
    QSplitter *m_split2;
    QSplitter *m_split3;
    int m_p2 = kDefaultBarTop;
    int m_p3 = kDefaultBarTop;
    // The values as read, given back while the pixels they make did not change.
    int m_storedP2 = kDefaultBarTop;
    int m_storedP3 = kDefaultBarTop;
    int m_storedLeft = 0;
    int m_storedTop = 0;
    int m_storedWidth = 0;
    int m_storedHeight = 0;
    bool m_dividersApplied = false;
    bool m_restoreBars = false; // the window was below its minimum: the bars go back on the next resize
    bool m_firstShow = true;
};

} // namespace tess
