#pragma once
// The fonts of a start. Finding the system's fonts (the font configuration read, every face listed)
// costs more than building the main window's controls, and no control can be measured without
// them. So the configuration is read on a thread while the application object is being built, and
// then a second thread lists the fonts and resolves the program font's face while the main thread
// reads the settings and the state files and builds the window. The main thread meets that work
// only on the font database's own lock, at its first use of a font, and only while it is unfinished.

#include <functional>
#include <memory>
#include <thread>

class QThread;

namespace tess {

// Reads the system's font configuration on a thread of its own (where the platform has one to read
// ahead: fontconfig; elsewhere the thread has nothing to do). Touches nothing of Qt, so it may start
// before the application object exists.
class FontConfigReadAhead
{
public:
    FontConfigReadAhead();
    // Waits for the thread.
    ~FontConfigReadAhead();
    FontConfigReadAhead(const FontConfigReadAhead &) = delete;
    FontConfigReadAhead &operator=(const FontConfigReadAhead &) = delete;

    // Waits until the configuration is read (at once when it is). Called by one thread at a time.
    void wait();

private:
    std::thread m_thread;
};

// Applies the program font and has a thread fill the font database and resolve the program font's
// face. Made once the application object exists, before any window is built; goes before the
// application object does.
class FontWarmUp
{
public:
    // configuration, when given, is waited for by the thread before it lists the fonts (the list
    // would otherwise read the configuration a second time), and must outlive this object.
    explicit FontWarmUp(FontConfigReadAhead *configuration = nullptr);
    // Waits for the thread.
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until the thread has done its work (at once when it has).
    void wait();

private:
    std::unique_ptr<QThread> m_thread;
};

// The application object made with the program's fonts prepared alongside it, then run() called;
// returns what run() returns. Every thread has ended before the application object goes. The
// program's main() and the start benchmark both start this way.
int runWithApplication(int &argc, char **argv, const std::function<int()> &run);

} // namespace tess
