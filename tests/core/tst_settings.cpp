// The settings object and its store: defaults of an empty store, names in any letter case, the
// text encodings, bad stored values, the end-of-run save, the Options reset and damaged files.

#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/pathhelpers.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <optional>

using namespace tess;

namespace {

// Writes an INI file by hand and points the store at it.
void useIni(const test::Fixture &fx, const QByteArray &content)
{
    fx.writeFile(QStringLiteral("settings.ini"), content);
    SettingsStore::useFile(fx.settingsFile());
}

const StoredSetting &entryOf(const QString &member)
{
    const StoredSetting *e = findStoredSetting(member);
    if (!e)
        qFatal("no stored member %s", qPrintable(member));
    return *e;
}

// Every stored member of `s` ("member: Section\Key=value"), in the order the load reads them, then
// every other key with the value an empty store gives it. The values that depend on the machine
// are named: $TEXTEDITOR$ the text editor found at first start, $DEFAULTSOURCE$ the platform's
// default drawing folder, $PROGRAMPATH$ the program folder.
QByteArray defaultsText(const MainSettings &s)
{
    QByteArray out = "[stored members after the load of an empty store, in the order the load reads them]\n";
    auto line = [&out](const QString &name, QLatin1StringView section, const QString &key, QString value) {
        value.replace(QLatin1String("\r"), QLatin1String("\\r")).replace(QLatin1String("\n"), QLatin1String("\\n"));
        out += QStringLiteral("%1: %2\\%3=%4\n").arg(name, QString(section), key, value).toUtf8();
    };
    for (const StoredSetting &e : storedSettings()) {
        QString value = memberText(s, e);
        if (e.member == QLatin1String("TextEditor") && value == defaultTextEditor())
            value = QStringLiteral("$TEXTEDITOR$");
        if (e.member == QLatin1String("SourcePath") && value == defaultSourcePath())
            value = QStringLiteral("$DEFAULTSOURCE$");
        value.replace(AppEnvironment::programPath(), QStringLiteral("$PROGRAMPATH$"));
        line(e.member, e.section, e.key, value);
    }
    out += "\n[other keys]\n";
    namespace K = OtherKeys;
    const std::pair<const char *, OtherSetting> others[] = {
        {"Version", K::Version},
        {"ApplicationPath", K::ApplicationPath},
        {"DWGPreviewLeft", K::DWGPreviewLeft},
        {"DWGPreviewTop", K::DWGPreviewTop},
        {"QPLeft", K::QPLeft},
        {"QPTop", K::QPTop},
        {"QPWidth", K::QPWidth},
        {"QPHeight", K::QPHeight},
        {"QPQueueLeft", K::QPQueueLeft},
        {"QPQueueTop", K::QPQueueTop},
        {"QPQueueWidth", K::QPQueueWidth},
        {"QPQueueHeight", K::QPQueueHeight},
        {"SCREditLeft", K::SCREditLeft},
        {"SCREditTop", K::SCREditTop},
        {"SCREditLeftOnActivate", K::SCREditLeftOnActivate},
        {"SCREditTopOnActivate", K::SCREditTopOnActivate},
        {"SCREditWidth", K::SCREditWidth},
        {"SCREditHeight", K::SCREditHeight},
        {"DWGFilterPersonal", K::DWGFilterPersonal},
        {"SCRFilterPersonal", K::SCRFilterPersonal},
        {"SCRFilterSimplePersonal", K::SCRFilterSimplePersonal},
        {"TipNumber", K::TipNumber},
        {"TipsShow", K::TipsShow},
        {"ShowSCRComplete", K::ShowSCRComplete},
        {"Face", K::Face},
    };
    for (const auto &[name, k] : others)
        line(QString::fromLatin1(name), k.section, QString(k.key), readOtherSetting(k));
    return out;
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

    void emptyStoreReadsTheDefaults()
    {
        test::Fixture fx; // no box expected
        MainSettings s;
        s.FormWidth = 1;
        s.R14Compatible = 7;
        s.TAG[49] = QStringLiteral("left over");
        const SettingsLoadResult r = loadMainSettings(s);
        QVERIFY(r.badMembers.isEmpty());
        QVERIFY(r.storeProblem.isEmpty());
        QVERIFY(fx.prompter().shown().isEmpty());

        // Every stored member takes its default and every other key reads its own.
        const QString diff = test::goldenMismatch(defaultsText(s), QStringLiteral("golden/defaults.txt"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        // Computed members.
        QCOMPARE(s.R14Compatible, qint16(0));
        QCOMPARE(s.ProgramPath, fx.path());
        QCOMPARE(s.OS_Platform, systemPlatformText());
        QCOMPARE(s.OS, systemOsText());
        QCOMPARE(s.SCRIPTSDir, fx.path() + QStringLiteral("SCRIPTS"));
        QCOMPARE(s.SCROutputPath, QString()); // the empty normal output file
        // Reading wrote nothing.
        QVERIFY(SettingsStore::instance().sections().isEmpty());
    }

    void computedMembersFollowTheStore()
    {
        test::Fixture fx;
        useIni(fx, "[Paths]\nOutputNorm=/n.scr\nOutputAlt=/a.scr\nSCRIPTSPath=/lib/scripts\n"
                   "[Startup]\nOutputToDefaultPath=0\n");
        MainSettings s;
        loadMainSettings(s);
        QCOMPARE(s.SCROutputPath, QStringLiteral("/a.scr"));
        QCOMPARE(s.SCRIPTSDir, QStringLiteral("/lib/scripts"));
    }

    void namesMatchInAnyLetterCase()
    {
        test::Fixture fx;
        // The file named after the application key in other letters, keys and sections likewise.
        const QString asked = fx.path() + QStringLiteral("TessalinePowerTool.ini");
        fx.writeFile(QStringLiteral("TessalinePowertool.ini"),
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
        QSettings raw(fx.path() + QStringLiteral("TessalinePowertool.ini"), QSettings::IniFormat);
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
        test::Fixture fx;
        const StoredSetting &e = entryOf(member);
        QVERIFY(writeSetting(e.section, e.key, stored));
        SettingsStore::useFile(fx.settingsFile()); // read back from the file, not from memory
        MainSettings s;
        QVERIFY(loadMainSettings(s).badMembers.isEmpty());
        QCOMPARE(storedText(s, e), written);

        // Through the store again: the exit save's keys by the save itself, the others as their writers do.
        SettingsStore::instance().deleteSection(e.section);
        if (exitSaveSettings().contains(&e))
            QVERIFY(writeMainSettings(s));
        else
            QVERIFY(writeSetting(e.section, e.key, storedText(s, e)));
        SettingsStore::useFile(fx.settingsFile());
        QCOMPARE(readSetting(e.section, e.key, QStringLiteral("<missing>")), written);
        QSettings raw(fx.settingsFile(), QSettings::IniFormat);
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
        row("check box not a number", "Startup", "TestRun=on", "TestRun");
        row("option button 5", "Startup", "SaveAsOriginalLocation=5", "SaveAsOriginalLocation");
        row("16-bit overflow", "UserTags", "PadDigits=40000", "PADDIGITS");
        row("32-bit overflow", "UserTags", "CounterStart=3000000000", "COUNTERSTART");
        row("counter with letters", "Startup", "Counter=12abc", "TotalFilesProcessed");
        row("counter nan", "Startup", "Counter=nan", "TotalFilesProcessed");
        row("counter hexadecimal", "Startup", "Counter=0x10", "TotalFilesProcessed");
        row("boolean neither", "Paths", "SCRIPTSPathOption=maybe", "SCRIPTSPathOption");
        row("boolean empty", "Paths", "SCRIPTSPathOption=", "SCRIPTSPathOption");
    }
    void badValueShowsBoxAndUsesDefault()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, section);
        QFETCH(QString, member);
        test::Fixture fx;
        fx.prompter().expectMessage(vbOK);
        // Good values around the bad one, in every section, before and after it in the load order.
        QByteArray ini = "[Startup]\nHeight=9000\nLoadMethod_Other=_RECOVER\n"
                         "[UserTags]\nTAG50=last\n[Paths]\nSource=/drawings\n";
        ini.replace("[" + section.toLatin1() + "]\n", "[" + section.toLatin1() + "]\n" + line + "\n");
        useIni(fx, ini);

        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QCOMPARE(r.badMembers, QStringList{member});
        QCOMPARE(fx.prompter().shown().size(), 1);
        // The box names the key and the value it read.
        const QString text = fx.prompter().last().text;
        QVERIFY2(text.startsWith(QStringLiteral(" Hey, error #13 - Bad Read Value from Registry\r\n") + section +
                                 QLatin1Char('\\') + QString::fromLatin1(line.left(line.indexOf('='))) + " = \""),
                 qPrintable(text));
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Tessaline Message"));
        QCOMPARE(fx.prompter().last().style, int(vbOKOnly));

        const StoredSetting &e = entryOf(member);
        MainSettings expected;
        applyStoredText(expected, e, e.defaultText);
        QCOMPARE(memberText(s, e), memberText(expected, e));
        QCOMPARE(s.FormHeight, 9000);
        QCOMPARE(s.OpenOther, QStringLiteral("_RECOVER"));
        QCOMPARE(s.TAG[49], QStringLiteral("last"));
        QCOMPARE(s.SourcePath, QStringLiteral("/drawings"));
    }

    // Switches keep the number stored (their readers test "= 1" or "<> 0") and go back unchanged;
    // a text has no length limit.
    void storedNumbersOfSwitchesAndLongTextsAreKept()
    {
        test::Fixture fx;
        const QString longText(70000, QLatin1Char('x'));
        useIni(fx, "[Startup]\nTipsShow=-1\nTestRun=2\nPreUserScript=" + longText.toLatin1() + "\n");
        MainSettings s;
        QVERIFY(loadMainSettings(s).badMembers.isEmpty());
        QVERIFY(fx.prompter().shown().isEmpty());
        QCOMPARE(s.TipsShow, qint16(-1));
        QCOMPARE(s.TestRun, qint16(2));
        QCOMPARE(s.PreUserScript, longText);
        QCOMPARE(storedText(s, entryOf(QStringLiteral("TipsShow"))), QStringLiteral("-1"));
        QCOMPARE(storedText(s, entryOf(QStringLiteral("TestRun"))), QStringLiteral("2"));
    }

    void badKeysShareOneBoxAndTheRestIsRead()
    {
        test::Fixture fx;
        fx.prompter().expectMessage();
        useIni(fx, "[Startup]\nLeft=x\nTop=100\nCounter=\nFace=2\n[UserTags]\nPadDigits=?\nTAG3=Z\n");
        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QCOMPARE(r.badMembers, (QStringList{QStringLiteral("LeftCoord"), QStringLiteral("TotalFilesProcessed"),
                                            QStringLiteral("PADDIGITS")}));
        QVERIFY(fx.prompter().allUsed());
        QCOMPARE(fx.prompter().last().text, QStringLiteral(" Hey, error #13 - Bad Read Value from Registry\r\n"
                                                           "Startup\\Left = \"x\"\nStartup\\Counter = \"\"\n"
                                                           "UserTags\\PadDigits = \"?\""));
        QCOMPARE(s.LeftCoord, 520);
        QCOMPARE(s.TopCoord, 100);
        QCOMPARE(s.TotalFilesProcessed, 0.0);
        QCOMPARE(s.Face, qint16(2));
        QCOMPARE(s.PADDIGITS, qint16(2));
        QCOMPARE(s.TAG[2], QStringLiteral("Z"));
    }

    void exitSaveWritesExactlyItsKeys()
    {
        test::Fixture fx;
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

        QSettings raw(fx.settingsFile(), QSettings::IniFormat);
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
        test::Fixture fx;
        useIni(fx, "[Startup]\nWidth=20000\nDelay=500\n[paths]\nAutoCADEXE=/acad\n[Programs]\nTextEditor=vi\n"
                   "[COMPATIBLE]\nx=1\n[UserTags]\nTAG1=KEPT\nCounterStart=10\n");
        QVERIFY(deleteSettingsSections());
        QCOMPARE(SettingsStore::instance().sections(), QStringList{QStringLiteral("UserTags")});

        SettingsStore::useFile(fx.settingsFile());
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
        test::Fixture fx;
        const QByteArray damaged =
            "[Startup]\r\nWidth=15000\r\n[Paths\r\nSource=/x\r\nthis line has no equals sign\r\n";
        useIni(fx, damaged);
        QVERIFY(SettingsStore::instance().isReadOnly());

        fx.prompter().expectMessage();
        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QVERIFY(fx.prompter().allUsed());
        QVERIFY(!r.storeProblem.isEmpty());
        QVERIFY(fx.prompter().last().text.contains(QDir::toNativeSeparators(fx.settingsFile())));
        QVERIFY(fx.prompter().last().text.contains(QStringLiteral("damaged")));
        QCOMPARE(s.FormWidth, 15000); // what could be read is used

        // Nothing replaces or changes the file.
        QStringList failed;
        QVERIFY(!writeMainSettings(s, &failed));
        QCOMPARE(failed.size(), exitSaveSettings().size());
        QVERIFY(!deleteSettingsSections());
        QVERIFY(!writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), QStringLiteral("1.0.0")));
        QCOMPARE(test::fileBytes(fx.settingsFile()), damaged);

        // The message comes once per run.
        MainSettings again;
        QVERIFY(loadMainSettings(again).storeProblem.isEmpty());
        QCOMPARE(fx.prompter().shown().size(), 1);
    }

    void unreadableStoreIsReportedAndNeverWritten()
    {
        test::Fixture fx;
        // A folder where the file should be: it cannot be read whoever runs the test.
        QVERIFY(QDir().mkpath(fx.settingsFile()));
        SettingsStore::useFile(fx.settingsFile());
        QVERIFY(SettingsStore::instance().isReadOnly());
        fx.prompter().expectMessage();
        MainSettings s;
        const SettingsLoadResult r = loadMainSettings(s);
        QVERIFY(fx.prompter().allUsed());
        QVERIFY(r.storeProblem.contains(QDir::toNativeSeparators(fx.settingsFile())));
        QVERIFY(r.badMembers.isEmpty());
        QCOMPARE(s.FormWidth, 13084); // the defaults
        QVERIFY(!writeMainSettings(s));
        QVERIFY(QFileInfo(fx.settingsFile()).isDir());
    }

    // Writes in a batch are read back at once and reach the file together when the batch ends.
    void batchedWritesReachTheFileWhenTheBatchEnds()
    {
        test::Fixture fx;
        const QByteArray before("[Startup]\nWidth=20000\n");
        useIni(fx, before);
        {
            SettingsBatch batch;
            QVERIFY(writeSetting(QStringLiteral("startup"), QStringLiteral("width"), QStringLiteral("15000")));
            QVERIFY(writeSetting(QStringLiteral("Paths"), QStringLiteral("Source"), QStringLiteral("/src")));
            QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("Width"), 0), QStringLiteral("15000"));
            QCOMPARE(test::fileBytes(fx.settingsFile()), before);
        }
        SettingsStore::useFile(fx.settingsFile());
        QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("Width"), 0), QStringLiteral("15000"));
        QCOMPARE(readSetting(QStringLiteral("Paths"), QStringLiteral("Source"), QString()), QStringLiteral("/src"));
    }

    // Look-ups after every kind of change in the same run: a name listed before the change is never
    // the answer after it.
    void lookUpsFollowEveryChange()
    {
        test::Fixture fx;
        useIni(fx, "[Startup]\nWidth=20000\n");
        SettingsStore &store = SettingsStore::instance();
        const QString startup = QStringLiteral("Startup");
        const QString paths = QStringLiteral("Paths");
        QCOMPARE(readSetting(startup, QStringLiteral("width"), 0), QStringLiteral("20000"));
        QVERIFY(!store.contains(startup, QStringLiteral("Height")));
        QVERIFY(!store.contains(paths, QStringLiteral("Source")));

        // New keys and sections, one written alone, two in a batch and read before it ends.
        QVERIFY(writeSetting(startup, QStringLiteral("Height"), QStringLiteral("9000")));
        QCOMPARE(readSetting(QStringLiteral("STARTUP"), QStringLiteral("height"), 0), QStringLiteral("9000"));
        {
            SettingsBatch batch;
            QVERIFY(writeSetting(paths, QStringLiteral("Source"), QStringLiteral("/src")));
            QCOMPARE(readSetting(paths, QStringLiteral("source"), QString()), QStringLiteral("/src"));
            QVERIFY(writeSetting(paths, QStringLiteral("Output"), QStringLiteral("/out")));
            QCOMPARE(store.keys(QStringLiteral("paths")),
                     (QStringList{QStringLiteral("Output"), QStringLiteral("Source")}));
        }
        QCOMPARE(store.sections(), (QStringList{paths, startup}));

        // A removed section is gone for every look-up.
        QVERIFY(store.deleteSection(QStringLiteral("STARTUP")));
        QCOMPARE(readSetting(startup, QStringLiteral("Width"), 0), QStringLiteral("0"));
        QVERIFY(!store.contains(startup, QStringLiteral("Height")));
        QVERIFY(store.keys(startup).isEmpty());
        QCOMPARE(store.sections(), QStringList{paths});

        // What another process wrote meanwhile is seen once the store writes (and so reads) its file.
        {
            QSettings other(fx.settingsFile(), QSettings::IniFormat);
            other.setValue(QStringLiteral("Other/Key"), QStringLiteral("theirs"));
        }
        QVERIFY(writeSetting(paths, QStringLiteral("Source"), QStringLiteral("/src2")));
        QCOMPARE(readSetting(QStringLiteral("other"), QStringLiteral("key"), QString()), QStringLiteral("theirs"));
    }

    // Switching the store's file leaves nothing of the old file's names behind.
    void lookUpsFollowTheStoreFile()
    {
        test::Fixture fx;
        const QString first = fx.writeFile(QStringLiteral("first.ini"), "[Startup]\nWidth=1\n[Paths]\nSource=/a\n");
        const QString second = fx.writeFile(QStringLiteral("second.ini"), "[STARTUP]\nHEIGHT=2\n");
        const QString startup = QStringLiteral("Startup");
        SettingsStore::useFile(first);
        QCOMPARE(readSetting(startup, QStringLiteral("Width"), 0), QStringLiteral("1"));
        QCOMPARE(readSetting(QStringLiteral("Paths"), QStringLiteral("Source"), QString()), QStringLiteral("/a"));

        SettingsStore::useFile(second);
        QCOMPARE(readSetting(startup, QStringLiteral("Width"), 0), QStringLiteral("0"));
        QCOMPARE(readSetting(startup, QStringLiteral("Height"), 0), QStringLiteral("2"));
        QVERIFY(!SettingsStore::instance().contains(QStringLiteral("Paths"), QStringLiteral("Source")));
        // A write lands under the second file's own spelling of the names.
        QVERIFY(writeSetting(startup, QStringLiteral("Height"), QStringLiteral("3")));
        QCOMPARE(SettingsStore::instance().sections(), QStringList{QStringLiteral("STARTUP")});
        QCOMPARE(SettingsStore::instance().keys(startup), QStringList{QStringLiteral("HEIGHT")});

        SettingsStore::useFile(first);
        QCOMPARE(readSetting(startup, QStringLiteral("Width"), 0), QStringLiteral("1"));
        QCOMPARE(readSetting(startup, QStringLiteral("Height"), 0), QStringLiteral("0"));
    }

    void failedWritesAreReported()
    {
        test::Fixture fx;
        // The store's folder is a file: nothing can be created there.
        fx.writeFile(QStringLiteral("blocker"), "x");
        SettingsStore::useFile(fx.path() + QStringLiteral("blocker/settings.ini"));
        QVERIFY(!writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), QStringLiteral("1")));
        QVERIFY(!SettingsStore::instance().lastError().isEmpty());
        MainSettings s;
        QStringList failed;
        QVERIFY(!writeMainSettings(s, &failed));
        QCOMPARE(failed.size(), exitSaveSettings().size());
        QCOMPARE(failed.first(), QStringLiteral("Startup\\Left"));

        // Once the store can be written again, writes succeed and say so.
        SettingsStore::useFile(fx.settingsFile());
        QVERIFY(writeMainSettings(s));

        // A store whose file does not reach the disk: the write is reported as failed.
        {
            const test::FailingDiskCall failing(test::FailingDiskCall::Sync, EIO,
                                                QFileInfo(fx.settingsFile()).fileName());
            QVERIFY(!writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), QStringLiteral("2")));
            QCOMPARE(failing.failures(), 1);
        }
        QVERIFY2(SettingsStore::instance().lastError().contains(QDir::toNativeSeparators(fx.settingsFile())),
                 qPrintable(SettingsStore::instance().lastError()));
        QVERIFY(writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), QStringLiteral("3")));
    }

    // A write the disk does not take leaves the file as it was and says why; the value is kept for
    // the run and written, beside what another program wrote meanwhile, once the disk takes it.
    void failedWriteKeepsTheFileAndTheValue_data()
    {
        QTest::addColumn<int>("call"); // a FailingDiskCall::Call, or -1 for a file-size limit
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("cause");
        QTest::newRow("sync, disk error") << int(test::FailingDiskCall::Sync) << EIO << QStringLiteral("Disk error");
        QTest::newRow("sync, disk full") << int(test::FailingDiskCall::Sync) << ENOSPC << QStringLiteral("Disk full");
        QTest::newRow("close, disk error") << int(test::FailingDiskCall::Close) << EIO << QStringLiteral("Disk error");
        QTest::newRow("write, disk full") << -1 << 0 << QStringLiteral("Disk full");
    }
    void failedWriteKeepsTheFileAndTheValue()
    {
        QFETCH(int, call);
        QFETCH(int, code);
        QFETCH(QString, cause);
        test::Fixture fx;
        const QByteArray before("[Startup]\nVersion=1\n");
        useIni(fx, before);
        const QString startup = QStringLiteral("Startup");
        const QString version = QStringLiteral("Version");
        const QString big(2000, QLatin1Char('x'));
        {
            std::optional<test::FailingDiskCall> failing;
            std::optional<test::FileSizeLimit> limit;
            if (call >= 0)
                failing.emplace(test::FailingDiskCall::Call(call), code, QFileInfo(fx.settingsFile()).fileName());
            else if (limit.emplace(1024); !limit->ok())
                QSKIP("no file-size limit on this system");
            QVERIFY(!writeSetting(startup, QStringLiteral("Long"), big));
            QVERIFY(!writeSetting(startup, version, QStringLiteral("2")));
        }
        QCOMPARE(test::fileBytes(fx.settingsFile()), before);
        const QString error = SettingsStore::instance().lastError();
        QVERIFY2(error.contains(QDir::toNativeSeparators(fx.settingsFile())), qPrintable(error));
        QVERIFY2(error.contains(cause), qPrintable(error));
        QCOMPARE(readSetting(startup, version, 0), QStringLiteral("2"));

        {
            QSettings other(fx.settingsFile(), QSettings::IniFormat);
            other.setValue(QStringLiteral("Other/Key"), QStringLiteral("theirs"));
        }
        QVERIFY(writeSetting(QStringLiteral("Paths"), QStringLiteral("Source"), QStringLiteral("/src")));
        SettingsStore::useFile(fx.settingsFile());
        QCOMPARE(readSetting(startup, version, 0), QStringLiteral("2"));
        QCOMPARE(readSetting(startup, QStringLiteral("Long"), QString()), big);
        QCOMPARE(readSetting(QStringLiteral("Paths"), QStringLiteral("Source"), QString()), QStringLiteral("/src"));
        QCOMPARE(readSetting(QStringLiteral("Other"), QStringLiteral("Key"), QString()), QStringLiteral("theirs"));
    }

    // Only a regular file is replaced: anything else at the store's name is named and left as it
    // stands, and nothing waits on a pipe. A link to a regular file is written through.
    void onlyARegularFileIsReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("pipe") << QStringLiteral("fifo") << QStringLiteral("pipe");
        QTest::newRow("link to a pipe") << QStringLiteral("link to fifo") << QStringLiteral("pipe");
        QTest::newRow("link to a device") << QStringLiteral("link to device") << QStringLiteral("device");
        QTest::newRow("dangling link") << QStringLiteral("dangling link") << QStringLiteral("link to nothing");
        QTest::newRow("link to a file") << QStringLiteral("link to file") << QString();
    }
    void onlyARegularFileIsReplaced()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
#ifdef Q_OS_WIN
        QSKIP("pipes and links are made on POSIX only");
#endif
        const test::HangWatchdog watchdog(20, "the settings store at a pipe");
        test::Fixture fx;
        const QString store = fx.settingsFile();
        const QString target = fx.path() + QStringLiteral("target");
        QFile::remove(store);
        if (kind == QLatin1String("fifo")) {
            QVERIFY(test::makeFifo(store));
        } else if (kind == QLatin1String("link to fifo")) {
            QVERIFY(test::makeFifo(target));
            QVERIFY(QFile::link(target, store));
        } else if (kind == QLatin1String("link to device")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/null"), store));
        } else if (kind == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(target, store));
        } else {
            fx.writeFile(QStringLiteral("target"), "[Startup]\nVersion=1\n");
            QVERIFY(QFile::link(target, store));
        }
        const QFileInfo was(store);
        SettingsStore::useFile(store);
        SettingsStore &settings = SettingsStore::instance();
        const bool written = writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), QStringLiteral("2"));
        const QFileInfo now(store);
        QCOMPARE(now.isSymLink(), was.isSymLink());
        if (named.isEmpty()) {
            QVERIFY(written);
            QCOMPARE(test::fileBytes(target), QByteArray("[Startup]\nVersion=2\n"));
            return;
        }
        QVERIFY(!written);
        const QString said = settings.lastError();
        QVERIFY2(said.contains(QDir::toNativeSeparators(store)) && said.contains(named), qPrintable(said));
        if (kind == QLatin1String("dangling link"))
            QVERIFY(!QFileInfo::exists(target));
        else if (kind == QLatin1String("link to device"))
            QCOMPARE(QFileInfo(QStringLiteral("/dev/null")).size(), 0);
        else
            QVERIFY(!now.isFile());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
