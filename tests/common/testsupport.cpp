#include "testsupport.h"

#include "core/listutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace tess::test {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString dataPath(const QString &relative)
{
    return relative.isEmpty() ? QStringLiteral(TESSALINE_TEST_DATA)
                              : QStringLiteral(TESSALINE_TEST_DATA) + QLatin1Char('/') + relative;
}

QString sharedFixturePath(const QString &relative)
{
    const QString path = QStringLiteral(TESSALINE_SHARED_FIXTURES) + QLatin1Char('/') + relative;
    return QFileInfo::exists(path) ? path : QString();
}

namespace {

QList<QByteArray> linesOf(QByteArray text)
{
    text.replace("\r\n", "\n");
    if (text.endsWith('\n'))
        text.chop(1);
    return text.isEmpty() ? QList<QByteArray>() : text.split('\n');
}

} // namespace

QString goldenMismatch(const QByteArray &actual, const QString &relative)
{
    const QString path = dataPath(relative);
    if (qEnvironmentVariableIntValue("TESSALINE_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot rewrite the golden file %1").arg(path);
        f.write(actual);
        qWarning("rewrote the golden file %s", qPrintable(path));
        return QString();
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("no golden file %1 (TESSALINE_UPDATE_GOLDEN=1 writes it)").arg(path);
    const QList<QByteArray> want = linesOf(f.readAll());
    const QList<QByteArray> got = linesOf(actual);
    QStringList differences;
    for (qsizetype i = 0; i < qMax(want.size(), got.size()) && differences.size() < 20; ++i) {
        const QByteArray w = i < want.size() ? want.at(i) : QByteArray("<end of file>");
        const QByteArray g = i < got.size() ? got.at(i) : QByteArray("<end of file>");
        if (w != g)
            differences << QStringLiteral("line %1\n  golden: %2\n  actual: %3")
                               .arg(i + 1)
                               .arg(QString::fromUtf8(w), QString::fromUtf8(g));
    }
    if (differences.isEmpty())
        return QString();
    return QStringLiteral("%1 differs (TESSALINE_UPDATE_GOLDEN=1 rewrites it) at\n").arg(relative) +
           differences.join(QLatin1Char('\n'));
}

FailingDiskCall::FailingDiskCall(Call call, int code, const QString &pathPart)
{
    const DiskCalls system = systemDiskCalls();
    auto fails = [failures = m_failures, code, pathPart](const QString &path) {
        if (!path.contains(pathPart))
            return false;
        ++*failures;
        return true;
    };
    DiskCalls calls = system;
    if (call == Sync)
        calls.sync = [system, fails, code](int handle, const QString &path) {
            return fails(path) ? code : system.sync(handle, path);
        };
    else
        calls.close = [system, fails, code](int handle, const QString &path) {
            const int closed = system.close(handle, path);
            return fails(path) ? code : closed;
        };
    m_previous = setDiskCalls(calls);
}

FailingDiskCall::~FailingDiskCall() { setDiskCalls(m_previous); }

HangWatchdog::HangWatchdog(int seconds, const char *what)
    : m_thread([this, seconds, what] {
          std::unique_lock lock(m_mutex);
          if (!m_done.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_finished; })) {
              std::fprintf(stderr, "FAIL!  : still waiting after %d s: %s\n", seconds, what);
              std::fflush(stderr);
              std::_Exit(1);
          }
      })
{
}

HangWatchdog::~HangWatchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_done.notify_one();
    m_thread.join();
}

#ifdef Q_OS_WIN
FileSizeLimit::FileSizeLimit(qint64) {}
FileSizeLimit::~FileSizeLimit() = default;

bool makeFifo(const QString &) { return false; }
#else
FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_oldSoft = limit.rlim_cur;
    m_limited = true;
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(bytes);
    m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    // SIG_DFL, the usual previous handler, is a null pointer: whether the limit was read says
    // whether there is anything to put back.
    if (!m_limited)
        return;
    // The soft limit may always be raised back up to the hard one.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_oldSoft);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}

bool makeFifo(const QString &path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }
#endif

QString lispFolder(const QString &programFolder)
{
    QString folder = programFolder + QStringLiteral("/LISP/");
    if (pathCaseSensitivity() == Qt::CaseInsensitive)
        folder = folder.toUpper();
    return folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace tess::test
