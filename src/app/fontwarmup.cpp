#include "app/fontwarmup.h"

#include "widgets/programfont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QThread>
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
    FontConfigReadAhead() : m_thread(readFontConfiguration) {}
    ~FontConfigReadAhead() { wait(); }
    FontConfigReadAhead(const FontConfigReadAhead &) = delete;
    FontConfigReadAhead &operator=(const FontConfigReadAhead &) = delete;

    // The main thread waits here before any use of a font: the font database would otherwise read
    // the configuration a second time alongside, not wait for this reading.
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

// A thread that fills the font database. Made once the application object exists, before any
// window is built; goes (waiting for its thread) before the application object does. (The program font's face is left
// to the main thread: an engine made on this thread would serve this thread only, and making it would hold the lock the
// main thread waits on.)
class FontWarmUp
{
public:
    FontWarmUp()
    {
        m_thread.reset(QThread::create([] {
            // Every function of the font database takes its lock: the main thread waits there for
            // what it needs, and finds done what this thread did.
            QFontDatabase::families();
        }));
        m_thread->setObjectName(QStringLiteral("FontWarmUp"));
        m_thread->start();
    }
    ~FontWarmUp() { m_thread->wait(); }
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace

int runWithApplication(int &argc, char **argv, const std::function<int()> &run)
{
    FontConfigReadAhead configuration;
    QApplication qtApp(argc, argv);
    configuration.wait();
    applyProgramFont();
    const FontWarmUp fonts;
    return run();
}

} // namespace tess
