#include "app/fontwarmup.h"

#include "widgets/programfont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QThread>

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

} // namespace

FontConfigReadAhead::FontConfigReadAhead() : m_thread(readFontConfiguration) {}

FontConfigReadAhead::~FontConfigReadAhead() { wait(); }

void FontConfigReadAhead::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

FontWarmUp::FontWarmUp(FontConfigReadAhead *configuration)
{
    applyProgramFont();
    // The thread gets the program font as text and makes a font object of its own: a font object
    // shared with the main thread would have its engine cache changed from two threads at once.
    const QString programFont = QApplication::font().toString();
    m_thread.reset(QThread::create([configuration, programFont] {
        if (configuration)
            configuration->wait();
        // Every function of the font database takes its lock: the main thread waits there for
        // what it needs, and finds done what this thread did.
        QFontDatabase::families();
        // The program font's face resolved once: what the font database keeps of it (the family's
        // fall-backs) serves the main thread too.
        QFont font;
        font.fromString(programFont);
        QFontMetrics(font).height();
    }));
    m_thread->setObjectName(QStringLiteral("FontWarmUp"));
    m_thread->start();
}

FontWarmUp::~FontWarmUp() { wait(); }

void FontWarmUp::wait() { m_thread->wait(); }

int runWithApplication(int &argc, char **argv, const std::function<int()> &run)
{
    FontConfigReadAhead configuration;
    QApplication qtApp(argc, argv);
    const FontWarmUp fonts(&configuration);
    return run();
}

} // namespace tess
