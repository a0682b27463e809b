#include "widgets/uilauncher.h"

#include "core/messages.h"
#include "core/prompts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tess {

namespace {

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
// The associated program starts in the program's current folder: it is the wanted one for the
// moment of the start, and the old one again afterwards.
class CurrentFolderScope
{
public:
    explicit CurrentFolderScope(const QString &folder)
    {
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            m_previous = QDir::currentPath();
            if (!QDir::setCurrent(folder))
                m_previous.clear();
        }
    }
    ~CurrentFolderScope()
    {
        if (!m_previous.isEmpty())
            QDir::setCurrent(m_previous);
    }
    CurrentFolderScope(const CurrentFolderScope &) = delete;
    CurrentFolderScope &operator=(const CurrentFolderScope &) = delete;

private:
    QString m_previous;
};
#endif

} // namespace

LaunchResult UiLauncher::open(const QString &target, const QString &workingFolder, const LateFailure &lateFailure)
{
    LaunchResult r;
    const bool isAddress = target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:"));
    QUrl url;
    if (isAddress) {
        url = QUrl(target);
    } else {
        const QFileInfo fi(target);
        if (!fi.exists()) {
            r.notFound = true;
            r.error = fileNotFoundMessage(target);
            return r;
        }
        url = QUrl::fromLocalFile(fi.absoluteFilePath());
    }
    const QString noProgram = QStringLiteral("No program could open %1").arg(target);
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(lateFailure);
    {
        const CurrentFolderScope inFolder(workingFolder);
        r.ok = QDesktopServices::openUrl(url);
    }
#else
    // The opener's own exit status tells whether a program took the target: started alone it says
    // nothing. It is read when the opener ends, the window going on meanwhile (an opener may stay
    // until the program it started ends).
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        auto *process = new QProcess(QCoreApplication::instance());
        process->setProgram(opener);
        process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString()});
        if (!workingFolder.isEmpty() && QFileInfo(workingFolder).isDir())
            process->setWorkingDirectory(workingFolder);
        // The opener's output is of no use here; a full pipe must not stop it.
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        const LateFailure report = lateFailure ? lateFailure : LateFailure([target](const LaunchResult &late) {
            msgBox(openFailureMessage(target, late.error), vbOKOnly | vbExclamation);
        });
        QObject::connect(process, &QProcess::finished, process,
                         [process, report, noProgram](int exitCode, QProcess::ExitStatus status) {
                             process->deleteLater();
                             // Ended by the program's own end: nothing to tell any more.
                             if (QCoreApplication::closingDown() || (status == QProcess::NormalExit && exitCode == 0))
                                 return;
                             LaunchResult late;
                             late.error = noProgram;
                             report(late);
                         });
        process->start();
        r.ok = process->waitForStarted();
        if (!r.ok)
            delete process;
    }
#endif
    if (!r.ok)
        r.error = noProgram;
    return r;
}

} // namespace tess
