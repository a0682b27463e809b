// The settings object and its store: defaults of an empty store, names in any letter case, the
// text encodings, bad stored values, the end-of-run save, the Options reset and damaged files.

#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>
#include <QTest>

using namespace tess;

namespace {

// Writes an INI file by hand and points the store at it.
void useIni(const test::TempProgramFolder &tmp, const QByteArray &content)
{
    tmp.writeFile(QStringLiteral("settings.ini"), content);
    SettingsStore::useFile(tmp.settingsFile());
}

const StoredSetting &entryOf(const QString &member)
{
    const StoredSetting *e = findStoredSetting(member);
    if (!e)
        qFatal("no stored member %s", qPrintable(member));
    return *e;
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableHoldsEveryStoredMemberOnce()
    {
        const QList<StoredSetting> &t = storedSettings();
        QCOMPARE(t.size(), 120);
        QSet<QString> members, keys;
        for (const StoredSetting &e : t) {
            QVERIFY2(!members.contains(e.member.toLower()), qPrintable(e.member));
            members.insert(e.member.toLower());
            const QString key = (QString(e.section) + QLatin1Char('/') + e.key).toLower();
            QVERIFY2(!keys.contains(key), qPrintable(key));
            keys.insert(key);
            // Every default converts to its member (the load falls back on it).
            MainSettings s;
            QVERIFY2(applyStoredText(s, e, e.defaultText), qPrintable(e.member));
        }
        QCOMPARE(t.first().member, QStringLiteral("LeftCoord"));
        QCOMPARE(t.last().member, QStringLiteral("OpenOther"));
    }

    // Every stored member with the section, key and default the settings table gives it.
    void keysSectionsAndDefaults_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultText");
        auto row = [](const char *member, const char *section, const char *key, const char *def) {
            QTest::newRow(member) << QString::fromLatin1(section) << QString::fromLatin1(key) << QString::fromUtf8(def);
        };
        row("LeftCoord", "Startup", "Left", "520");
        row("TopCoord", "Startup", "Top", "520");
        row("FormHeight", "Startup", "Height", "10128");
        row("FormWidth", "Startup", "Width", "13084");
        row("SCROutputPathNorm", "Paths", "OutputNorm", "");
        row("SCROutputPathAlt", "Paths", "OutputAlt", "");
        row("SCRIPTSDir", "Paths", "SCRIPTSPath", "");
        row("SCRIPTSPathOption", "Paths", "SCRIPTSPathOption", "False");
        row("LT", "Startup", "LT", "0");
        row("Delay", "Startup", "Delay", "2000");
        row("WarnDoubleSpace", "Startup", "WarnDoubleSpace", "1");
        row("WarnBlankLine", "Startup", "WarnBlankLine", "1");
        row("WarnSpaceInBlank", "Startup", "WarnSpaceInBlank", "1");
        row("WarnLTLisp", "Startup", "WarnLTLisp", "1");
        row("WarnLineEndsWithSpace", "Startup", "WarnLineEndsWithSpace", "1");
        row("VerifyFilesBit", "Startup", "VerifyFiles", "1");
        row("WarnFoldersNotExist", "Startup", "WarnFolderNotExist", "0");
        row("AutoCADEXE", "Paths", "AutoCADEXE", "");
        row("Switches", "Paths", "Switches", "");
        row("DWGPattern", "Startup", "DWGPattern", "*.dwg");
        row("SCRPattern", "Startup", "SCRPattern", "");
        row("DebugComments", "Startup", "DebugComments", "1");
        row("IncludeStatus", "Startup", "IncludeStatus", "0");
        row("PreBatch", "Startup", "Initialize", "_SDI 1");
        row("PreUserScript", "Startup", "PreUserScript", "ZOOM E");
        row("PostUserScript", "Startup", "PostUserScript", "");
        row("PostBatch", "Startup", "Uninitialize", "_SDI 0");
        row("AutoLaunchEditor", "Startup", "AutoLaunchEditor", "0");
        row("AutoADDFavorites", "Startup", "AutoADDFavorites", "1");
        row("EnableDelay", "Startup", "EnableDelay", "1");
        row("AutoMinimize", "Startup", "AutoMinimize", "0");
        row("OutputToDefaultPath", "Startup", "OutputToDefaultPath", "1");
        row("ShowSCRComplete", "Startup", "ShowSCRComplete", "1");
        row("UseDelay", "Startup", "UseDelay", "0");
        row("TestRun", "Startup", "TestRun", "0");
        row("SAVEAS", "Startup", "SAVEAS", "0");
        row("NamePrefix", "Startup", "NamePrefix", "");
        row("NameSuffix", "Startup", "NameSuffix", "");
        row("OverWriteFiles", "Startup", "OverWriteFiles", "1");
        row("SaveAsType", "Startup", "SaveAsType", "Don't Change");
        row("SaveAsOriginalLocation", "Startup", "SaveAsOriginalLocation", "-1");
        row("DWGOutFolder", "Paths", "DWGOutFolder", "");
        row("TotalFilesProcessed", "Startup", "Counter", "0");
        row("HDividerTop", "Startup", "HDividerTop", "3600");
        row("HLeftDividerTop", "Startup", "HLeftDividerTop", "3600");
        row("SimpleMode", "Startup", "SimpleMode", "0");
        row("SimpleScriptPathOverride", "Startup", "SimpleScriptPathOverride", "0");
        row("DWGPreviewShow", "Startup", "DWGPreviewShow", "1");
        row("AutoSortEnabled", "Startup", "AutoSortEnabled", "0");
        row("AutoSortType", "Startup", "AutoSortType", "0");
        row("TipsShow", "Startup", "TipsShow", "1");
        row("COUNTERSTART", "UserTags", "CounterStart", "1");
        row("COUNTERSTEP", "UserTags", "CounterStep", "1");
        row("SHEETCHARS", "UserTags", "SheetChars", "3");
        row("FIRSTFILECHARS", "UserTags", "FirstFileChars", "4");
        row("LASTFILECHARS", "UserTags", "LastFileChars", "2");
        row("TRIMZEROS", "UserTags", "TrimZeros", "1");
        row("PADCOUNTER", "UserTags", "PadCounterEnabled", "0");
        row("PADDIGITS", "UserTags", "PadDigits", "2");
        row("Face", "Startup", "Face", "0");
        row("LoadOpen", "Startup", "LoadMethod_Open", "2");
        row("OpenOther", "Startup", "LoadMethod_Other", "_OPEN");
        row("METAEnabled", "Startup", "METAEnabled", "0");
        row("METAImmediate", "Startup", "METAImmediate", "0");
        row("ResourceWarning", "Startup", "ResourceWarning", "1");
        row("ResourceFileLimit", "Startup", "ResourceFileLimit", "5");
        row("ScanForRogueTags", "Startup", "ScanForRogueTags", "1");
        row("EnableLogging", "Startup", "EnableLogging", "0");
#ifdef Q_OS_WIN
        row("SourcePath", "Paths", "Source", "C:\\");
        row("TextEditor", "Programs", "TextEditor", "notepad.exe");
#endif
        const char *const samples[] = {"GADGETS && CO.", "DOODAD DIVISION", "MODEL-A",
                                       "REVISION B",     "A. DESIGNER",     "B. CHECKER"};
        for (int n = 1; n <= 50; ++n) {
            const QByteArray name = "TAG" + QByteArray::number(n);
            row(name.constData(), "UserTags", name.constData(), n <= 6 ? samples[n - 1] : "");
        }
    }
    void keysSectionsAndDefaults()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, defaultText);
        const StoredSetting &e = entryOf(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(QString(e.section), section);
        QCOMPARE(e.key, key);
        QCOMPARE(e.defaultText, defaultText);
    }

    void platformDefaultsOfEditorAndDrawingFolder()
    {
        QCOMPARE(entryOf(QStringLiteral("SourcePath")).key, QStringLiteral("Source"));
        QCOMPARE(entryOf(QStringLiteral("TextEditor")).section, QLatin1StringView("Programs"));
#ifdef Q_OS_WIN
        QCOMPARE(defaultSourcePath(), QStringLiteral("C:\\"));
        QCOMPARE(defaultTextEditor(), QStringLiteral("notepad.exe"));
#else
        QCOMPARE(defaultSourcePath(), QStringLiteral("/"));
        QVERIFY(!defaultTextEditor().isEmpty());
#endif
        QCOMPARE(entryOf(QStringLiteral("SourcePath")).defaultText, defaultSourcePath());
        QCOMPARE(entryOf(QStringLiteral("TextEditor")).defaultText, defaultTextEditor());
    }

    void otherKeys_data()
    {
        // Each key as "section|key|default": the constant, then the row of the table of other keys.
        QTest::addColumn<QString>("constant");
        QTest::addColumn<QString>("expected");
        const struct {
            OtherSetting k;
            const char *section, *key, *def;
        } rows[] = {
            {OtherKeys::Version, "Startup", "Version", ""},
            {OtherKeys::ApplicationPath, "Paths", "Application Path", ""},
            {OtherKeys::DWGPreviewLeft, "Startup", "DWGPreviewLeft", "1000"},
            {OtherKeys::DWGPreviewTop, "Startup", "DWGPreviewTop", "1000"},
            {OtherKeys::QPLeft, "Startup", "QPLeft", "1000"},
            {OtherKeys::QPTop, "Startup", "QPTop", "1000"},
            {OtherKeys::QPWidth, "Startup", "QPWidth", "1890"},
            {OtherKeys::QPHeight, "Startup", "QPHeight", "4110"},
            {OtherKeys::QPQueueLeft, "Startup", "QPQueueLeft", "1000"},
            {OtherKeys::QPQueueTop, "Startup", "QPQueueTop", "1000"},
            {OtherKeys::QPQueueWidth, "Startup", "QPQueueWidth", "1890"},
            {OtherKeys::QPQueueHeight, "Startup", "QPQueueHeight", "4110"},
            {OtherKeys::SCREditLeft, "Startup", "SCREditLeft", "1000"},
            {OtherKeys::SCREditTop, "Startup", "SCREditTop", "1000"},
            {OtherKeys::SCREditLeftOnActivate, "Startup", "SCREditLeft", "200"},
            {OtherKeys::SCREditTopOnActivate, "Startup", "SCREditTop", "200"},
            {OtherKeys::SCREditWidth, "Startup", "SCREditWidth", "11250"},
            {OtherKeys::SCREditHeight, "Startup", "SCREditHeight", "8835"},
            {OtherKeys::DWGFilterPersonal, "Startup", "DWGFilterPersonal", "0"},
            {OtherKeys::SCRFilterPersonal, "Startup", "SCRFilterPersonal", "0"},
            {OtherKeys::SCRFilterSimplePersonal, "Startup", "SCRFilterSimplePersonal", "0"},
            {OtherKeys::TipNumber, "Startup", "TipNumber", "0"},
            {OtherKeys::TipsShow, "Startup", "TipsShow", "1"},
            {OtherKeys::ShowSCRComplete, "Startup", "ShowSCRComplete", "1"},
            {OtherKeys::Face, "Startup", "Face", "0"},
        };
        for (const auto &r : rows) {
            QTest::newRow(QByteArray(r.key).append(' ').append(r.def).constData())
                << QString(r.k.section) + QLatin1Char('|') + QString(r.k.key) + QLatin1Char('|') +
                       QString(r.k.defaultText)
                << QString::fromLatin1(r.section) + QLatin1Char('|') + QString::fromLatin1(r.key) + QLatin1Char('|') +
                       QString::fromLatin1(r.def);
        }
    }
    void otherKeys()
    {
        QFETCH(QString, constant);
        QFETCH(QString, expected);
        QCOMPARE(constant, expected);
    }

    void emptyStoreReadsTheDefaults()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter; // no box expected
        MainSettings s;
        s.FormWidth = 1;
        s.R14Compatible = 7;
        s.TAG[49] = QStringLiteral("left over");
        const SettingsLoadResult r = loadMainSettings(s);
        QVERIFY(r.badMembers.isEmpty());
        QVERIFY(r.storeProblem.isEmpty());
        QVERIFY(prompter.shown().isEmpty());

        QCOMPARE(s.FormWidth, 13084);
        QCOMPARE(s.FormHeight, 10128);
        QCOMPARE(s.LeftCoord, 520);
        QCOMPARE(s.TopCoord, 520);
        QCOMPARE(s.HDividerTop, 3600);
        QCOMPARE(s.HLeftDividerTop, 3600);
        QCOMPARE(s.DWGPattern, QStringLiteral("*.dwg"));
        QCOMPARE(s.SCRPattern, QString());
        QCOMPARE(s.PreBatch, QStringLiteral("_SDI 1"));
        QCOMPARE(s.PreUserScript, QStringLiteral("ZOOM E"));
        QCOMPARE(s.PostUserScript, QString());
        QCOMPARE(s.PostBatch, QStringLiteral("_SDI 0"));
        QCOMPARE(s.LoadOpen, qint16(2));
        QCOMPARE(s.OpenOther, QStringLiteral("_OPEN"));
        QCOMPARE(s.Delay, QStringLiteral("2000"));
#ifdef Q_OS_WIN
        QCOMPARE(s.TextEditor, QStringLiteral("notepad.exe"));
        QCOMPARE(s.SourcePath, QStringLiteral("C:\\"));
#else
        QCOMPARE(s.TextEditor, defaultTextEditor());
        QVERIFY(!s.TextEditor.isEmpty());
        QCOMPARE(s.SourcePath, QStringLiteral("/"));
#endif
        QCOMPARE(s.TotalFilesProcessed, 0.0);
        const QStringList samples = {QStringLiteral("GADGETS && CO."), QStringLiteral("DOODAD DIVISION"),
                                     QStringLiteral("MODEL-A"),        QStringLiteral("REVISION B"),
                                     QStringLiteral("A. DESIGNER"),    QStringLiteral("B. CHECKER")};
        for (int i = 0; i < 50; ++i)
            QCOMPARE(s.TAG[i], i < 6 ? samples[i] : QString());
        QCOMPARE(s.COUNTERSTART, 1);
        QCOMPARE(s.COUNTERSTEP, 1);
        QCOMPARE(s.SHEETCHARS, QStringLiteral("3"));
        QCOMPARE(s.FIRSTFILECHARS, QStringLiteral("4"));
        QCOMPARE(s.LASTFILECHARS, QStringLiteral("2"));
        QCOMPARE(s.TRIMZEROS, qint16(1));
        QCOMPARE(s.PADCOUNTER, qint16(0));
        QCOMPARE(s.PADDIGITS, qint16(2));
        QCOMPARE(s.SaveAsType, QStringLiteral("Don't Change"));
        QCOMPARE(s.SaveAsOriginalLocation, qint16(-1));
        QCOMPARE(s.OverWriteFiles, qint16(1));
        QCOMPARE(s.DebugComments, qint16(1));
        QCOMPARE(s.IncludeStatus, qint16(0));
        QCOMPARE(s.TestRun, qint16(0));
        QCOMPARE(s.SAVEAS, qint16(0));
        QCOMPARE(s.UseDelay, qint16(0));
        QCOMPARE(s.WarnDoubleSpace + s.WarnBlankLine + s.WarnSpaceInBlank + s.WarnLTLisp + s.WarnLineEndsWithSpace, 5);
        QCOMPARE(s.VerifyFilesBit, qint16(1));
        QCOMPARE(s.WarnFoldersNotExist, qint16(0));
        QCOMPARE(s.ResourceWarning, qint16(1));
        QCOMPARE(s.ResourceFileLimit, qint16(5));
        QCOMPARE(s.ScanForRogueTags, qint16(1));
        QCOMPARE(s.EnableLogging, qint16(0));
        QCOMPARE(s.METAEnabled + s.METAImmediate + s.AutoSortEnabled + s.AutoSortType + s.SimpleMode, 0);
        QCOMPARE(s.DWGPreviewShow + s.TipsShow + s.ShowSCRComplete + s.AutoADDFavorites + s.EnableDelay, 5);
        QCOMPARE(s.LT + s.AutoLaunchEditor + s.AutoMinimize + s.Face, 0);
        QCOMPARE(s.OutputToDefaultPath, qint16(1));
        QCOMPARE(s.SCRIPTSPathOption, false);
        // Computed members.
        QCOMPARE(s.R14Compatible, qint16(0));
        QCOMPARE(s.ProgramPath, tmp.path());
        QCOMPARE(s.SCRIPTSDir, tmp.path() + QStringLiteral("SCRIPTS"));
        QCOMPARE(s.SCROutputPath, QString()); // the empty normal output file
        // Reading wrote nothing.
        QVERIFY(SettingsStore::instance().sections().isEmpty());
    }

    void computedMembersFollowTheStore()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        useIni(tmp, "[Paths]\nOutputNorm=/n.scr\nOutputAlt=/a.scr\nSCRIPTSPath=/lib/scripts\n"
                    "[Startup]\nOutputToDefaultPath=0\n");
        MainSettings s;
        loadMainSettings(s);
        QCOMPARE(s.SCROutputPath, QStringLiteral("/a.scr"));
        QCOMPARE(s.SCRIPTSDir, QStringLiteral("/lib/scripts"));
    }

    void namesMatchInAnyLetterCase()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        // The file named after the application key in other letters, keys and sections likewise.
        const QString asked = tmp.path() + QStringLiteral("TessalinePowerTool.ini");
        tmp.writeFile(QStringLiteral("TessalinePowertool.ini"),
                      "[STARTUP]\ntipsshow=0\nWIDTH=15000\n[paths]\nSCRiptsPathOption=True\ndwgoutfolder=/out\n");
        SettingsStore::useFile(asked);
        MainSettings s;
        loadMainSettings(s);
        QCOMPARE(s.TipsShow, qint16(0));
        QCOMPARE(s.FormWidth, 15000);
        QCOMPARE(s.SCRIPTSPathOption, true);
        QCOMPARE(s.DWGOutFolder, QStringLiteral("/out"));
        QCOMPARE(readSetting(QStringLiteral("Paths"), QStringLiteral("SCRIPTSPathOption"), QStringLiteral("False")),
                 QStringLiteral("True"));

        // A write to a key stored in other letters replaces it instead of adding a second one.
        QVERIFY(writeSetting(QStringLiteral("Startup"), QStringLiteral("Width"), QStringLiteral("16000")));
        QCOMPARE(SettingsStore::instance().keys(QStringLiteral("startup")).size(), 2);
        QVERIFY(!QFile::exists(asked));
        QSettings raw(tmp.path() + QStringLiteral("TessalinePowertool.ini"), QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("STARTUP/WIDTH")).toString(), QStringLiteral("16000"));
    }

    void encodingsRoundTrip_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("written");
        auto row = [](const char *name, const char *member, const QString &stored, const QString &written) {
            QTest::newRow(name) << QString::fromLatin1(member) << stored << written;
        };
        row("option button selected", "SaveAsOriginalLocation", "-1", "-1");
        row("option button not", "SaveAsOriginalLocation", "0", "0");
        row("overwrite off", "OverWriteFiles", "0", "0");
        row("test run on", "TestRun", "1", "1");
        row("saveas on", "SAVEAS", "1", "1");
        row("debug off", "DebugComments", "0", "0");
        row("status on", "IncludeStatus", "1", "1");
        row("delay on", "UseDelay", "1", "1");
        row("boolean True", "SCRIPTSPathOption", "True", "True");
        row("boolean False", "SCRIPTSPathOption", "False", "False");
        row("boolean lower case", "SCRIPTSPathOption", "true", "True");
        row("boolean numeric -1", "SCRIPTSPathOption", "-1", "True");
        row("boolean numeric 0", "SCRIPTSPathOption", "0", "False");
        row("load method index", "LoadOpen", "3", "3");
        row("sort index", "AutoSortType", "2", "2");
        row("user set index", "Face", "4", "4");
        row("counter whole", "TotalFilesProcessed", "1234", "1234");
        row("counter beyond 32 bits", "TotalFilesProcessed", "4294967296", "4294967296");
        row("counter exponent form", "TotalFilesProcessed", "1E+15", "1000000000000000");
        row("counter fraction", "TotalFilesProcessed", "12.5", "12.5");
        row("width beyond 16 bits", "FormWidth", "40000", "40000");
        row("left on a screen to the left", "LeftCoord", "-40000", "-40000");
        row("number with blanks", "ResourceFileLimit", " 12 ", "12");
        row("number rounds half to even", "ResourceFileLimit", "2.5", "2");
        row("counter start 32 bits", "COUNTERSTART", "-2000000000", "-2000000000");
        row("text with line breaks and blanks", "PreBatch", "  _SDI 1\r\n_FILEDIA 0 ", "  _SDI 1\r\n_FILEDIA 0 ");
        row("text with a comma", "NamePrefix", "A, B", "A, B");
        row("text starting with @", "NameSuffix", "@Variant(x)", "@Variant(x)");
        row("text with quotes and semicolon", "OpenOther", "\"_OPEN\" ;x", "\"_OPEN\" ;x");
        row("text non-ASCII", "DWGOutFolder", QStringLiteral("/Pläne/Ölçü"), QStringLiteral("/Pläne/Ölçü"));
        row("format year", "SaveAsType", "2004", "2004");
        row("user tag", "TAG12", "Rev. 3 & 4", "Rev. 3 & 4");
    }
    void encodingsRoundTrip()
    {
        QFETCH(QString, member);
        QFETCH(QString, stored);
        QFETCH(QString, written);
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        const StoredSetting &e = entryOf(member);
        QVERIFY(writeSetting(e.section, e.key, stored));
        SettingsStore::useFile(tmp.settingsFile()); // read back from the file, not from memory
        MainSettings s;
        QVERIFY(loadMainSettings(s).badMembers.isEmpty());
        QCOMPARE(storedText(s, e), written);

        // Through the store again: the exit save's keys by the save itself, the others as their writers do.
        SettingsStore::instance().deleteSection(e.section);
        if (exitSaveSettings().contains(&e))
            QVERIFY(writeMainSettings(s));
        else
            QVERIFY(writeSetting(e.section, e.key, storedText(s, e)));
        SettingsStore::useFile(tmp.settingsFile());
        QCOMPARE(readSetting(e.section, e.key, QStringLiteral("<missing>")), written);
        QSettings raw(tmp.settingsFile(), QSettings::IniFormat);
        QCOMPARE(raw.value(QString(e.section) + QLatin1Char('/') + e.key).typeId(), int(QMetaType::QString));
    }

    void tickedDelayIsStoredAsOne()
    {
        // The delay box's member is -1 while ticked; the store keeps the box value.
        MainSettings s;
        s.UseDelay = -1;
        QCOMPARE(storedText(s, entryOf(QStringLiteral("UseDelay"))), QStringLiteral("1"));
    }

    void badValueShowsBoxAndUsesDefault_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("member");
        auto row = [](const char *name, const char *section, const QByteArray &line, const char *member) {
            QTest::newRow(name) << line << QString::fromLatin1(section) << QString::fromLatin1(member);
        };
        row("width not a number", "Startup", "Width=abc", "FormWidth");
        row("width empty", "Startup", "Width=", "FormWidth");
        row("left beyond 32 bits", "Startup", "Left=99999999999", "LeftCoord");
        row("top overflowing double", "Startup", "Top=1e400", "TopCoord");
        row("user set outside 0-4", "Startup", "Face=7", "Face");
        row("load method negative", "Startup", "LoadMethod_Open=-1", "LoadOpen");
        row("check box 2", "Startup", "TestRun=2", "TestRun");
        row("option button 5", "Startup", "SaveAsOriginalLocation=5", "SaveAsOriginalLocation");
        row("16-bit overflow", "UserTags", "PadDigits=40000", "PADDIGITS");
        row("32-bit overflow", "UserTags", "CounterStart=3000000000", "COUNTERSTART");
        row("counter with letters", "Startup", "Counter=12abc", "TotalFilesProcessed");
        row("counter nan", "Startup", "Counter=nan", "TotalFilesProcessed");
        row("counter hexadecimal", "Startup", "Counter=0x10", "TotalFilesProcessed");
        row("boolean neither", "Paths", "SCRIPTSPathOption=maybe", "SCRIPTSPathOption");
        row("boolean empty", "Paths", "SCRIPTSPathOption=", "SCRIPTSPathOption");
        row("oversized text", "UserTags", "TAG1=" + QByteArray(kMaxStoredTextLength + 1, 'x'), "TAG1");
    }
    void badValueShowsBoxAndUsesDefault()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, section);
        QFETCH(QString, member);
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        prompter.expectMessage(vbOK);
        // Good values around the bad one, in every section, before and after it in the load order.
        QByteArray ini = "[Startup]\nHeight=9000\nLoadMethod_Other=_RECOVER\n"
                         "[UserTags]\nTAG50=last\n[Paths]\nSource=/drawings\n";
        ini.replace("[" + section.toLatin1() + "]\n", "[" + section.toLatin1() + "]\n" + line + "\n");
        useIni(tmp, ini);

        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QCOMPARE(r.badMembers, QStringList{member});
        QCOMPARE(prompter.shown().size(), 1);
        QCOMPARE(prompter.last().text, QStringLiteral(" Hey, error #13 - Bad Read Value from Registry\r"));
        QCOMPARE(prompter.last().title, QStringLiteral("Tessaline Message"));
        QCOMPARE(prompter.last().style, int(vbOKOnly));

        const StoredSetting &e = entryOf(member);
        MainSettings expected;
        applyStoredText(expected, e, e.defaultText);
        QCOMPARE(memberText(s, e), memberText(expected, e));
        QCOMPARE(s.FormHeight, 9000);
        QCOMPARE(s.OpenOther, QStringLiteral("_RECOVER"));
        QCOMPARE(s.TAG[49], QStringLiteral("last"));
        QCOMPARE(s.SourcePath, QStringLiteral("/drawings"));
    }

    void everyBadKeyHasItsBoxAndTheRestIsRead()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        prompter.expectMessage();
        prompter.expectMessage();
        prompter.expectMessage();
        useIni(tmp, "[Startup]\nLeft=x\nTop=100\nCounter=\nFace=2\n[UserTags]\nPadDigits=?\nTAG3=Z\n");
        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QCOMPARE(r.badMembers, (QStringList{QStringLiteral("LeftCoord"), QStringLiteral("TotalFilesProcessed"),
                                            QStringLiteral("PADDIGITS")}));
        QVERIFY(prompter.allUsed());
        QCOMPARE(s.LeftCoord, 520);
        QCOMPARE(s.TopCoord, 100);
        QCOMPARE(s.TotalFilesProcessed, 0.0);
        QCOMPARE(s.Face, qint16(2));
        QCOMPARE(s.PADDIGITS, qint16(2));
        QCOMPARE(s.TAG[2], QStringLiteral("Z"));
    }

    void exitSaveWritesExactlyItsKeys()
    {
        test::TempProgramFolder tmp;
        MainSettings s;
        s.LeftCoord = 40000; // beyond 16 bits: stored as it is, the counter is untouched
        s.TopCoord = -100;
        s.FormHeight = 70000;
        s.FormWidth = 50000;
        s.TotalFilesProcessed = 123456;
        s.PreBatch = QStringLiteral("_SDI 1");
        s.LoadOpen = 1;
        s.OpenOther = QStringLiteral("_OPEN");
        s.SaveAsOriginalLocation = -1;
        s.OutputToDefaultPath = 0;
        s.SourcePath = QStringLiteral("/dwg");
        s.Face = 3;
        s.Delay = QStringLiteral("not written");
        s.TAG[0] = QStringLiteral("not written");
        QStringList failed;
        QVERIFY(writeMainSettings(s, &failed));
        QVERIFY(failed.isEmpty());

        QSettings raw(tmp.settingsFile(), QSettings::IniFormat);
        QCOMPARE(raw.childGroups(), (QStringList{QStringLiteral("Paths"), QStringLiteral("Startup")}));
        raw.beginGroup(QStringLiteral("Paths"));
        QCOMPARE(raw.childKeys(), (QStringList{QStringLiteral("DWGOutFolder"), QStringLiteral("Source")}));
        raw.endGroup();
        raw.beginGroup(QStringLiteral("Startup"));
        QStringList startupKeys = raw.childKeys();
        startupKeys.sort();
        QStringList expectedKeys = {"Left",
                                    "Top",
                                    "Height",
                                    "Width",
                                    "HDividerTop",
                                    "HLeftDividerTop",
                                    "DWGPattern",
                                    "SCRPattern",
                                    "Initialize",
                                    "PreUserScript",
                                    "PostUserScript",
                                    "Uninitialize",
                                    "LoadMethod_Open",
                                    "LoadMethod_Other",
                                    "TestRun",
                                    "UseDelay",
                                    "SAVEAS",
                                    "NamePrefix",
                                    "NameSuffix",
                                    "OverWriteFiles",
                                    "SaveAsType",
                                    "SaveAsOriginalLocation",
                                    "DebugComments",
                                    "IncludeStatus",
                                    "Counter",
                                    "OutputToDefaultPath",
                                    "Face"};
        expectedKeys.sort();
        QCOMPARE(startupKeys, expectedKeys);
        for (const QString &k : startupKeys)
            QCOMPARE(raw.value(k).typeId(), int(QMetaType::QString));
        QCOMPARE(raw.value(QStringLiteral("Left")).toString(), QStringLiteral("40000"));
        QCOMPARE(raw.value(QStringLiteral("Top")).toString(), QStringLiteral("-100"));
        QCOMPARE(raw.value(QStringLiteral("Height")).toString(), QStringLiteral("70000"));
        QCOMPARE(raw.value(QStringLiteral("Width")).toString(), QStringLiteral("50000"));
        QCOMPARE(raw.value(QStringLiteral("Counter")).toString(), QStringLiteral("123456"));
        QCOMPARE(raw.value(QStringLiteral("LoadMethod_Open")).toString(), QStringLiteral("1"));
        QCOMPARE(raw.value(QStringLiteral("SaveAsOriginalLocation")).toString(), QStringLiteral("-1"));
        QCOMPARE(raw.value(QStringLiteral("OutputToDefaultPath")).toString(), QStringLiteral("0"));
        QCOMPARE(raw.value(QStringLiteral("Face")).toString(), QStringLiteral("3"));
        raw.endGroup();
        QCOMPARE(raw.value(QStringLiteral("Paths/Source")).toString(), QStringLiteral("/dwg"));
    }

    void optionsResetKeepsUserTags()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        useIni(tmp, "[Startup]\nWidth=20000\nDelay=500\n[paths]\nAutoCADEXE=/acad\n[Programs]\nTextEditor=vi\n"
                    "[COMPATIBLE]\nx=1\n[UserTags]\nTAG1=KEPT\nCounterStart=10\n");
        QVERIFY(deleteSettingsSections());
        QCOMPARE(SettingsStore::instance().sections(), QStringList{QStringLiteral("UserTags")});

        SettingsStore::useFile(tmp.settingsFile());
        MainSettings s;
        loadMainSettings(s);
        QCOMPARE(s.FormWidth, 13084);
        QCOMPARE(s.Delay, QStringLiteral("2000"));
        QCOMPARE(s.AutoCADEXE, QString());
        QCOMPARE(s.TextEditor, defaultTextEditor());
        QCOMPARE(s.TAG[0], QStringLiteral("KEPT"));
        QCOMPARE(s.COUNTERSTART, 10);
    }

    void damagedFileIsReportedOnceAndLeftAlone()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        const QByteArray damaged =
            "[Startup]\r\nWidth=15000\r\n[Paths\r\nSource=/x\r\nthis line has no equals sign\r\n";
        useIni(tmp, damaged);
        QVERIFY(SettingsStore::instance().isReadOnly());

        prompter.expectMessage();
        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QVERIFY(prompter.allUsed());
        QVERIFY(!r.storeProblem.isEmpty());
        QVERIFY(prompter.last().text.contains(QDir::toNativeSeparators(tmp.settingsFile())));
        QVERIFY(prompter.last().text.contains(QStringLiteral("damaged")));
        QCOMPARE(s.FormWidth, 15000); // what could be read is used

        // Nothing replaces or changes the file.
        QStringList failed;
        QVERIFY(!writeMainSettings(s, &failed));
        QCOMPARE(failed.size(), exitSaveSettings().size());
        QVERIFY(!deleteSettingsSections());
        QVERIFY(!writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), QStringLiteral("1.0.0")));
        QCOMPARE(test::fileBytes(tmp.settingsFile()), damaged);

        // The message comes once per run.
        MainSettings again;
        QVERIFY(loadMainSettings(again).storeProblem.isEmpty());
        QCOMPARE(prompter.shown().size(), 1);
    }

    void unreadableStoreIsReportedAndNeverWritten()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompter;
        // A folder where the file should be: it cannot be read whoever runs the test.
        QVERIFY(QDir().mkpath(tmp.settingsFile()));
        SettingsStore::useFile(tmp.settingsFile());
        QVERIFY(SettingsStore::instance().isReadOnly());
        prompter.expectMessage();
        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QVERIFY(prompter.allUsed());
        QVERIFY(r.storeProblem.contains(QDir::toNativeSeparators(tmp.settingsFile())));
        QVERIFY(r.badMembers.isEmpty());
        QCOMPARE(s.FormWidth, 13084); // the defaults
        QVERIFY(!writeMainSettings(s));
        QVERIFY(QFileInfo(tmp.settingsFile()).isDir());
    }

    void failedWritesAreReported()
    {
        test::TempProgramFolder tmp;
        // The store's folder is a file: nothing can be created there.
        tmp.writeFile(QStringLiteral("blocker"), "x");
        SettingsStore::useFile(tmp.path() + QStringLiteral("blocker/settings.ini"));
        QVERIFY(!writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), QStringLiteral("1")));
        QVERIFY(!SettingsStore::instance().lastError().isEmpty());
        MainSettings s;
        QStringList failed;
        QVERIFY(!writeMainSettings(s, &failed));
        QCOMPARE(failed.size(), exitSaveSettings().size());
        QCOMPARE(failed.first(), QStringLiteral("Startup\\Left"));

        // Once the store can be written again, writes succeed and say so.
        SettingsStore::useFile(tmp.settingsFile());
        QVERIFY(writeMainSettings(s));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
