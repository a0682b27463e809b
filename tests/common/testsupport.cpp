#include "testsupport.h"

#include "core/listutils.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
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

QStringList inListingOrder(const QString &folder, const QStringList &names)
{
    QStringList listing;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System); it.hasNext();)
        listing << it.nextFileInfo().fileName();
    QStringList ordered = names;
    const auto rank = [&listing](const QString &name) {
        const qsizetype i = listing.indexOf(name);
        return i < 0 ? listing.size() : i;
    };
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&rank](const QString &a, const QString &b) { return rank(a) < rank(b); });
    return ordered;
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

bool makeProgram(const QString &path)
{
#ifdef Q_OS_WIN
    return QFileInfo(path).isFile();
#else
    return QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser |
                                           QFileDevice::ExeGroup | QFileDevice::ExeOther);
#endif
}

#ifdef Q_OS_WIN
HeldFile::HeldFile(const QString &path)
{
    const HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ, 0,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_ok = h != INVALID_HANDLE_VALUE;
    m_handle = m_ok ? h : nullptr;
}

HeldFile::~HeldFile()
{
    if (m_handle)
        CloseHandle(m_handle);
}
#else
HeldFile::HeldFile(const QString &path)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    m_oldHandler = std::signal(SIGIO, SIG_IGN);
#ifdef F_SETLEASE
    m_ok = ::fcntl(m_fd, F_SETLEASE, F_RDLCK) == 0;
#endif
}

HeldFile::~HeldFile()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    std::signal(SIGIO, m_oldHandler);
}
#endif

#ifdef Q_OS_LINUX
OtherUser::OtherUser()
{
    constexpr unsigned nobody = 65534;
    uid_t u[3];
    gid_t g[3];
    if (::geteuid() != 0 || ::getresuid(&u[0], &u[1], &u[2]) != 0 || ::getresgid(&g[0], &g[1], &g[2]) != 0)
        return;
    const int count = ::getgroups(0, nullptr);
    if (count < 0)
        return;
    QList<gid_t> groups(count);
    if (count > 0 && ::getgroups(count, groups.data()) != count)
        return;
    if (::setgroups(0, nullptr) != 0)
        return;
    // The saved ids stay root's, so that the destructor may take them back.
    if (::setresgid(nobody, nobody, 0) == 0) {
        if (::setresuid(nobody, nobody, 0) == 0) {
            m_ok = true;
        } else {
            ::setresgid(g[0], g[1], g[2]);
        }
    }
    if (!m_ok) {
        ::setgroups(size_t(groups.size()), groups.data());
        return;
    }
    for (int i = 0; i < 3; ++i) {
        m_uid[i] = u[i];
        m_gid[i] = g[i];
    }
    for (const gid_t id : groups)
        m_groups << id;
}

OtherUser::~OtherUser()
{
    if (!m_ok)
        return;
    // Root first: then the groups may be put back.
    if (::setresuid(0, 0, 0) != 0)
        qFatal("cannot become root again");
    QList<gid_t> groups;
    for (const unsigned id : std::as_const(m_groups))
        groups << gid_t(id);
    if (::setgroups(size_t(groups.size()), groups.data()) != 0 || ::setresgid(m_gid[0], m_gid[1], m_gid[2]) != 0 ||
        ::setresuid(m_uid[0], m_uid[1], m_uid[2]) != 0)
        qFatal("cannot take back the user and groups of the test");
    // A change of user made the process undumpable; the leak check at exit needs it dumpable.
    ::prctl(PR_SET_DUMPABLE, 1);
}
#else
OtherUser::OtherUser() = default;
OtherUser::~OtherUser() = default;
#endif

bool openToEveryone(const QString &folder)
{
    if (!QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                           QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther))
        return false;
#ifndef Q_OS_WIN
    for (QDir up(QFileInfo(folder).absoluteFilePath()); up.cdUp();) {
        if (!(QFile::permissions(up.path()) & QFileDevice::ExeOther))
            return false;
        if (up.isRoot())
            break;
    }
#endif
    return true;
}

QString lispFolder(const QString &programFolder)
{
    QString folder = programFolder + QStringLiteral("/LISP/");
    if (pathCaseSensitivity() == Qt::CaseInsensitive)
        folder = folder.toUpper();
    return folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace tess::test
