#include "options/optionsvalues.h"

#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"

#include <QDir>

namespace tess {

namespace {

constexpr int kBoxNumberMax = 32767;

qint16 box(bool ticked) { return ticked ? 1 : 0; }

} // namespace

OptionsValues optionsFromSettings(const MainSettings &s)
{
    OptionsValues v;
    v.lt = s.LT == 1;
    v.autoCadExe = s.AutoCADEXE;
    v.switches = s.Switches;
    v.scriptDirOther = s.SCRIPTSPathOption;
    v.scriptDir = s.SCRIPTSDir;
    v.normalOutput = s.OutputToDefaultPath == 1;
    v.normalOutputFile = s.SCROutputPathNorm;
    v.altOutputFile = s.SCROutputPathAlt;
    v.textEditor = s.TextEditor;
    v.loadOpen = s.LoadOpen >= 0 && s.LoadOpen <= 3 ? s.LoadOpen : -1;
    v.openOther = s.OpenOther;
    v.warnDoubleSpace = s.WarnDoubleSpace != 0;
    v.warnBlankLine = s.WarnBlankLine != 0;
    v.warnSpaceInBlank = s.WarnSpaceInBlank != 0;
    v.warnLineEndsWithSpace = s.WarnLineEndsWithSpace != 0;
    v.warnFolderNotExist = s.WarnFoldersNotExist != 0;
    v.verifyFiles = s.VerifyFilesBit != 0;
    v.scanForRogueTags = s.ScanForRogueTags != 0;
    v.resourceWarning = s.ResourceWarning != 0;
    v.resourceFileLimit = QString::number(s.ResourceFileLimit);
    v.warnLtLisp = s.WarnLTLisp != 0;
    v.autoAddFavorites = s.AutoADDFavorites != 0;
    v.delay = s.Delay;
    v.showPreview = s.DWGPreviewShow != 0;
    v.autoSortEnabled = s.AutoSortEnabled != 0;
    v.autoSortType = s.AutoSortType >= 0 && s.AutoSortType <= 3 ? s.AutoSortType : -1;
    v.metaEnabled = s.METAEnabled != 0;
    v.metaImmediate = s.METAImmediate != 0;
    v.autoMinimize = s.AutoMinimize != 0;
    v.autoLaunchEditor = s.AutoLaunchEditor != 0;
    v.enableLogging = s.EnableLogging != 0;
    return v;
}

OptionsValues withEmptyBoxesFilled(OptionsValues v)
{
    if (v.delay.isEmpty())
        v.delay = QStringLiteral("2000");
    if (v.resourceFileLimit.isEmpty())
        v.resourceFileLimit = QStringLiteral("10");
    return v;
}

bool isBoxNumber(const QString &text)
{
    if (text.isEmpty())
        return false;
    qsizetype significant = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        if (significant > 0 || c != QLatin1Char('0'))
            ++significant;
    }
    return significant <= 5 && text.toInt() <= kBoxNumberMax;
}

std::optional<OptionsRefusal> checkOptions(const OptionsValues &given)
{
    const OptionsValues v = withEmptyBoxesFilled(given);
    if (!switchesAreValid(v.switches))
        return OptionsRefusal{OptionsField::Switches, switchesMessage()};
    if (v.scriptDirOther && (v.scriptDir.isEmpty() || !QDir::isAbsolutePath(QDir::fromNativeSeparators(v.scriptDir))))
        return OptionsRefusal{OptionsField::ScriptDir,
                              QStringLiteral("Please enter the full path of the folder for your User Scripts beside "
                                             "\"Other\", or select \"Default /SCRIPTS/ directory.\"")};
    if (!isBoxNumber(v.resourceFileLimit))
        return OptionsRefusal{OptionsField::ResourceFileLimit,
                              QStringLiteral("The number of files in \"Warn when attempting to open more than ... "
                                             "files.\" must be a whole number from 0 to 32767.")};
    if (v.delayEditable && !isBoxNumber(v.delay))
        return OptionsRefusal{OptionsField::Delay,
                              QStringLiteral("The \"Delay Value\" must be a whole number of milliseconds from 0 to "
                                             "32767.")};
    return std::nullopt;
}

QString chosenScriptsFolder(const OptionsValues &v)
{
    if (v.scriptDirOther)
        return v.scriptDir;
    return AppEnvironment::programPath() + QStringLiteral("SCRIPTS");
}

void applyOptions(const OptionsValues &given, MainSettings &s)
{
    const OptionsValues v = withEmptyBoxesFilled(given);
    s.SCROutputPathNorm = v.normalOutputFile;
    s.SCROutputPathAlt = v.altOutputFile;
    s.AutoCADEXE = v.autoCadExe;
    s.Switches = v.switches;
    s.SCRIPTSDir = chosenScriptsFolder(v);
    // The member follows the choice, so every reader of the script folder sees the one now in use.
    s.SCRIPTSPathOption = v.scriptDirOther;
    s.TextEditor = v.textEditor;
    s.AutoLaunchEditor = box(v.autoLaunchEditor);
    s.AutoADDFavorites = box(v.autoAddFavorites);
    s.DWGPreviewShow = box(v.showPreview);
    s.AutoSortEnabled = box(v.autoSortEnabled);
    s.AutoMinimize = box(v.autoMinimize);
    s.METAEnabled = box(v.metaEnabled);
    s.METAImmediate = box(v.metaImmediate);
    s.ResourceWarning = box(v.resourceWarning);
    s.ResourceFileLimit = static_cast<qint16>(v.resourceFileLimit.toInt());
    s.ScanForRogueTags = box(v.scanForRogueTags);
    s.EnableLogging = box(v.enableLogging);
    s.WarnBlankLine = box(v.warnBlankLine);
    s.WarnDoubleSpace = box(v.warnDoubleSpace);
    s.WarnLineEndsWithSpace = box(v.warnLineEndsWithSpace);
    s.WarnLTLisp = box(v.warnLtLisp);
    s.WarnSpaceInBlank = box(v.warnSpaceInBlank);
    s.VerifyFilesBit = box(v.verifyFiles);
    s.WarnFoldersNotExist = box(v.warnFolderNotExist);
    s.LT = box(v.lt);
    if (v.autoSortType >= 0 && v.autoSortType <= 3)
        s.AutoSortType = static_cast<qint16>(v.autoSortType);
    s.OutputToDefaultPath = v.normalOutput ? 1 : 0;
    s.SCROutputPath = v.normalOutput ? s.SCROutputPathNorm : s.SCROutputPathAlt;
    s.Delay = v.delay;
    s.OpenOther = v.openOther;
    if (v.loadOpen >= 0 && v.loadOpen <= 3)
        s.LoadOpen = static_cast<qint16>(v.loadOpen);
}

QStringList storeOptions(const OptionsValues &v, const MainSettings &s)
{
    QStringList members = {QStringLiteral("AutoLaunchEditor"), QStringLiteral("AutoADDFavorites"),
                           QStringLiteral("DWGPreviewShow"), QStringLiteral("AutoSortEnabled")};
    if (v.autoSortType >= 0 && v.autoSortType <= 3)
        members << QStringLiteral("AutoSortType");
    members << QStringLiteral("AutoMinimize") << QStringLiteral("WarnBlankLine") << QStringLiteral("WarnDoubleSpace")
            << QStringLiteral("WarnLineEndsWithSpace") << QStringLiteral("WarnLTLisp")
            << QStringLiteral("WarnSpaceInBlank") << QStringLiteral("VerifyFilesBit")
            << QStringLiteral("WarnFoldersNotExist") << QStringLiteral("METAEnabled") << QStringLiteral("METAImmediate")
            << QStringLiteral("ResourceWarning") << QStringLiteral("ResourceFileLimit")
            << QStringLiteral("ScanForRogueTags") << QStringLiteral("EnableLogging") << QStringLiteral("LT")
            << QStringLiteral("TextEditor") << QStringLiteral("AutoCADEXE") << QStringLiteral("Switches")
            << QStringLiteral("SCROutputPathNorm") << QStringLiteral("SCROutputPathAlt")
            << QStringLiteral("SCRIPTSPathOption") << QStringLiteral("SCRIPTSDir") << QStringLiteral("Delay");
    if (v.loadOpen >= 0 && v.loadOpen <= 3)
        members << QStringLiteral("LoadOpen");
    members << QStringLiteral("OpenOther");

    QStringList failed;
    SettingsStore &store = SettingsStore::instance();
    for (const QString &m : members) {
        const StoredSetting *e = findStoredSetting(m);
        Q_ASSERT(e);
        if (!e)
            continue;
        if (!store.write(e->section, e->key, storedText(s, *e)))
            failed << QString(e->section) + QLatin1Char('\\') + e->key;
    }
    return failed;
}

bool switchesAreValid(const QString &switches) { return switches.isEmpty() || switches.startsWith(QLatin1Char('/')); }

QString switchesMessage()
{
    return QStringLiteral("Switch box must be blank, or contain a valid Switch with Parameter.\r\n\r\n(See AutoCAD's "
                          "help for more information on this feature)");
}

bool outputNameIsBatchScript(const QString &path) { return path.right(4).toUpper() == QLatin1String(".SCR"); }

QString outputNameMessage()
{
    return QStringLiteral("Ooops.. Please confirm your path ends with the Tessaline batch output filename!\r\n  (eg. "
                          "\\tessaline.scr)\r\n(Or use the BROWSE button, and Tessaline will set it for you...)");
}

QString loadOpenCaption(int index, bool lt)
{
    const QString name = index == 0 ? QStringLiteral("Use OPEN") : QStringLiteral("Use RECOVER");
    return lt ? name : name + QStringLiteral(" (with DBMOD)");
}

} // namespace tess
