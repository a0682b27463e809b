#include "app/fontwarmup.h"

#include "widgets/programfont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QThread>
#include <future>
#include <memory>
#include <thread>

#ifdef TESSALINE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tess {

namespace {

// The platform's font configuration read and kept for the process, where it is read apart from the
// font list: fontconfig parses its configuration files and loads its font caches once, for every
// later caller (Qt's font database among them).
void readFontConfiguration()
{
#if defined(Q_OS_WIN)
    // Windows keeps its fonts known to every process: nothing to read ahead.
#elif defined(TESSALINE_HAVE_FONTCONFIG)
    FcInit();
#endif
}

// readFontConfiguration() on a thread of its own. Touches nothing of Qt, so it may start before
// the application object exists.
class FontConfigReadAhead
{
public:
    FontConfigReadAhead()
        : m_thread([this] {
              readFontConfiguration();
              m_read.set_value();
          })
    {
    }
    ~FontConfigReadAhead() { join(); }
    FontConfigReadAhead(const FontConfigReadAhead &) = delete;
    FontConfigReadAhead &operator=(const FontConfigReadAhead &) = delete;

    // Any thread, any number of times.
    void wait() const { m_done.wait(); }
    // Ends the thread (the thread that made this object only).
    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::promise<void> m_read;
    const std::shared_future<void> m_done = m_read.get_future().share();
    std::thread m_thread; // last: starts once the rest is made
};

// The read-ahead of the running start, for waitForFontConfiguration() (main thread only).
const FontConfigReadAhead *g_configuration = nullptr;

// A thread that fills the font database once the configuration is read. Made once the application
// object exists, before any window is built; goes (ending its thread and the configuration's)
// before the application object does. The program font's face is left to the main thread: an
// engine made on this thread would serve this thread only, and making it would hold the lock the
// main thread waits on.
class FontWarmUp
{
public:
    explicit FontWarmUp(FontConfigReadAhead &configuration) : m_configuration(configuration)
    {
        m_thread.reset(QThread::create([&configuration] {
            configuration.wait();
            // Every function of the font database takes its lock: the main thread waits there for
            // what it needs, and finds done what this thread did.
            QFontDatabase::families();
        }));
        m_thread->setObjectName(QStringLiteral("FontWarmUp"));
        m_thread->start();
    }
    ~FontWarmUp()
    {
        m_thread->wait();
        m_configuration.join();
    }
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    FontConfigReadAhead &m_configuration;
    std::unique_ptr<QThread> m_thread;
};

// Names the read-ahead for waitForFontConfiguration() while it lives, also when run() throws.
class CurrentConfiguration
{
public:
    explicit CurrentConfiguration(const FontConfigReadAhead &configuration) { g_configuration = &configuration; }
    ~CurrentConfiguration() { g_configuration = nullptr; }
    CurrentConfiguration(const CurrentConfiguration &) = delete;
    CurrentConfiguration &operator=(const CurrentConfiguration &) = delete;
};

} // namespace

int runWithApplication(int &argc, char **argv, const std::function<int()> &run)
{
    FontConfigReadAhead configuration;
    const CurrentConfiguration current(configuration);
    QApplication qtApp(argc, argv);
    applyProgramFont();
    const FontWarmUp fonts(configuration);
    return run();
}

void waitForFontConfiguration()
{
    if (g_configuration)
        g_configuration->wait();
}

} // namespace tess
