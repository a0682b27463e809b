#include "batch/batchscriptwriter.h"
#include "core/clock.h"
#include "core/pathhelpers.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

namespace {

const QString kA = QStringLiteral("C:\\DWG\\A-101.dwg");
const QString kB = QStringLiteral("C:\\DWG\\A-102.dwg");

BatchScriptInput baseInput()
{
    BatchScriptInput in;
    in.programVersion = QStringLiteral("2.0.5");
    in.environment.moment = QDateTime(QDate(2026, 12, 9), QTime(20, 5, 3));
    in.environment.now = nullptr; // the tags show the moment above
    in.environment.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    in.environment.programPath = QStringLiteral("C:\\Apps\\Batch\\");
    in.environment.loginName = QStringLiteral("tester");
    in.environment.computerName = QStringLiteral("TESTPC");
    in.encoding = QStringConverter::Utf8;
    in.userScript = QStringLiteral("_PURGE _ALL _N");
    return in;
}

QByteArray compose(const BatchScriptInput &in, const ProjectTagSet &projects = ProjectTagSet(),
                   BatchWriteResult *result = nullptr)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const BatchWriteResult r = writeBatchScript(buffer, in, projects);
    if (result)
        *result = r;
    return bytes;
}

// The script without its three header lines, lines joined by "|" ("\r\n" after every line).
QString body(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (!text.endsWith(QLatin1String("\r\n")))
        return QStringLiteral("<no CR LF at the end>");
    text.chop(2);
    QStringList lines = text.split(QLatin1String("\r\n"));
    return lines.mid(3).join(QLatin1Char('|'));
}

// The seed of a random test: TESSALINE_TEST_SEED when it is set, to replay a failure; a new one every run
// otherwise.
quint32 testSeed()
{
    bool fixed = false;
    const quint32 seed = qEnvironmentVariable("TESSALINE_TEST_SEED").toUInt(&fixed);
    return fixed ? seed : QRandomGenerator::global()->generate();
}

QString replayNote(quint32 seed) { return QStringLiteral("TESSALINE_TEST_SEED=%1 replays this:").arg(seed); }

// True when the encoding holds the text: it encodes without an error and reads back as itself.
bool encodes(const QString &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding);
    const QByteArray bytes = encoder.encode(text);
    QStringDecoder decoder(encoding);
    const QString back = decoder.decode(bytes);
    return !encoder.hasError() && !decoder.hasError() && back == text;
}

ProjectTagSet oneProject(const QString &pattern, const QString &prefix, int values = 40)
{
    ProjectTagFile p;
    p.fileName = prefix + QStringLiteral(".PRJ");
    p.pattern = pattern;
    for (int i = 1; i <= values; ++i)
        p.values << QStringLiteral("%1-%2").arg(prefix).arg(i);
    return ProjectTagSet({p});
}

} // namespace

class TestBatchScriptWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleScript();
    void openLines_data();
    void openLines();
    void lockedSequenceRestartsEachComposition();
    void saveStep_data();
    void saveStep();
    void saveAsLine_data();
    void saveAsLine();
    void markers_data();
    void markers();
    void batchPartsAndEmptyQueue();
    void projectTagsOnlyInUserScriptAndName();
    void stopsBeforeWriting_data();
    void stopsBeforeWriting();
    void unencodableCharacterNamesTheDrawing();
    void loneSurrogatesInUtf8_data();
    void loneSurrogatesInUtf8();
    void tooLarge_data();
    void tooLarge();
    void drawingStateAskedInOrder();
    void saveAsTargetsMatchTheLines();
    void countersPast16And32Bits();
    void eachDrawingReadsTheClock();
    void joinRule_data();
    void joinRule();
    void compiledTextsMatchTheCascade();
    void compiledOpenAndSaveAsLinesMatchTheGeneralCode();
};

void TestBatchScriptWriter::exampleScript()
{
    BatchScriptInput in = baseInput();
    in.DebugComments = 1;
    in.includeStatus = true;
    in.UseDelay = 1;
    in.preBatch = QStringLiteral("_SDI 1");
    in.preUserScript = QStringLiteral("ZOOM E");
    in.postBatch = QStringLiteral("_SDI 0");
    in.queue = {kA, kB};
    in.states = {BatchDrawingState{true, false}, BatchDrawingState{true, true}};
    QFile expected(test::dataPath(QStringLiteral("batch/example.scr")));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    BatchWriteResult r;
    const QByteArray bytes = compose(in, ProjectTagSet(), &r);
    QVERIFY(r.ok());
    QCOMPARE(r.drawingsWritten, qsizetype(2));
    QCOMPARE(r.bytesWritten, qint64(bytes.size()));
    QCOMPARE(bytes, expected.readAll());
}

void TestBatchScriptWriter::openLines_data()
{
    QTest::addColumn<int>("loadOpen");
    QTest::addColumn<int>("lt");
    QTest::addColumn<bool>("normal");
    QTest::addColumn<QString>("expected");

    const QString lispOpen =
        QStringLiteral("(if (/= (getvar \"DBMOD\") 0)(command \"_.OPEN\" \"_Y\")(command \"_.OPEN\"))");
    const QString lispRecover =
        QStringLiteral("(if (/= (getvar \"DBMOD\") 0)(command \"_.RECOVER\" \"_Y\")(command \"_.RECOVER\"))");
    const QString q = QStringLiteral("\"C:\\DWG\\A-101.dwg\"");
    QTest::newRow("OPEN lisp normal") << 0 << 0 << true << lispOpen + "|" + q;
    QTest::newRow("OPEN lisp read-only") << 0 << 0 << false << lispOpen + "|" + q + " Y";
    QTest::newRow("OPEN LT normal") << 0 << 1 << true << "_OPEN " + q;
    QTest::newRow("OPEN LT read-only: Y on its own line") << 0 << 1 << false << "_OPEN " + q + "|Y";
    QTest::newRow("RECOVER lisp normal") << 1 << 0 << true << lispRecover + "|" + q + "|";
    QTest::newRow("RECOVER lisp read-only") << 1 << 0 << false << lispRecover + "|" + q + " Y|";
    QTest::newRow("RECOVER LT normal") << 1 << -1 << true << "_RECOVER " + q + "|";
    QTest::newRow("RECOVER LT read-only") << 1 << -1 << false << "_RECOVER " + q + " Y|";
    QTest::newRow("other command normal") << 2 << 1 << true << "_.OPEN_OTHER|" + q;
    QTest::newRow("other command read-only") << 2 << 0 << false << "_.OPEN_OTHER|" + q + " Y";
    QTest::newRow("add-on normal, bare path")
        << 3 << 1 << true
        << ";NORMAL FILE LOAD|(if (/= (getvar \"DBMOD\") 0)(command \"_VQOPEN\" \"_Y\")(command \"_VQOPEN\"))|"
           "C:\\DWG\\A-101.dwg";
}

void TestBatchScriptWriter::openLines()
{
    QFETCH(int, loadOpen);
    QFETCH(int, lt);
    QFETCH(bool, normal);
    QFETCH(QString, expected);
    BatchScriptInput in = baseInput();
    in.LoadOpen = qint16(loadOpen);
    in.LT = qint16(lt);
    in.OpenOther = QStringLiteral("_.OPEN_OTHER");
    in.saveAs = false;
    in.queue = {kA};
    in.states = {BatchDrawingState{true, !normal}};
    in.userScript = QStringLiteral("US");
    const QString out = body(compose(in));
    const QString save = normal ? QStringLiteral("|_QSAVE") : QString();
    QCOMPARE(out, expected + QStringLiteral("|US") + save);
}

void TestBatchScriptWriter::lockedSequenceRestartsEachComposition()
{
    BatchScriptInput in = baseInput();
    in.LoadOpen = 3;
    in.userScript = QStringLiteral("US");
    in.queue = {kA, kB, QStringLiteral("C:\\DWG\\A-103.dwg"), QStringLiteral("C:\\DWG\\A-104.dwg")};
    in.states = {BatchDrawingState{false, false}, BatchDrawingState{true, false}, BatchDrawingState{true, true},
                 BatchDrawingState{false, true}};
    const QString locked = QStringLiteral("(if (/= (getvar \"DBMOD\") 0)(command \"_VQOPEN\")(command \"_VQOPEN\"))");
    const QString normal =
        QStringLiteral("(if (/= (getvar \"DBMOD\") 0)(command \"_VQOPEN\" \"_Y\")(command \"_VQOPEN\"))");
    const QString expected = QStringList{";LOCKED FILE",
                                         locked,
                                         kA,
                                         "US",
                                         ";NORMAL FILE LOAD",
                                         normal,
                                         kB,
                                         "US",
                                         "_QSAVE",
                                         ";*** PREVIOUS LOCKED FILE",
                                         locked,
                                         "C:\\DWG\\A-103.dwg",
                                         "_Y",
                                         "US",
                                         ";*** PREVIOUS LOCKED FILE",
                                         locked,
                                         "C:\\DWG\\A-104.dwg",
                                         "_Y",
                                         "US"}
                                 .join(QLatin1Char('|'));
    QCOMPARE(body(compose(in)), expected);
    QCOMPARE(body(compose(in)), expected);
}

void TestBatchScriptWriter::saveStep_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<int>("lt");
    QTest::addColumn<bool>("testRun");
    QTest::addColumn<bool>("available");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("save");

    const QString saveAs = QStringLiteral("_SAVEAS  \"C:\\DWG\\A-101.dwg\"");
    QTest::newRow("QSAVE") << false << 0 << false << true << false << "_QSAVE";
    QTest::newRow("read-only: none") << false << 0 << false << true << true << "";
    QTest::newRow("unavailable: none") << false << 0 << false << false << false << "";
    QTest::newRow("test run: none") << false << 0 << true << true << false << "";
    QTest::newRow("LT test run still saves") << false << 1 << true << true << false << "_QSAVE";
    QTest::newRow("LT read-only: none") << false << 1 << true << true << true << "";
    QTest::newRow("SAVEAS read-only") << true << 0 << false << true << true << saveAs;
    QTest::newRow("SAVEAS under LT") << true << 1 << false << true << false << saveAs;
    QTest::newRow("SAVEAS unavailable: none") << true << 0 << false << false << false << "";
}

void TestBatchScriptWriter::saveStep()
{
    QFETCH(bool, saveAs);
    QFETCH(int, lt);
    QFETCH(bool, testRun);
    QFETCH(bool, available);
    QFETCH(bool, readOnly);
    QFETCH(QString, save);
    BatchScriptInput in = baseInput();
    in.LoadOpen = 2;
    in.saveAs = saveAs;
    in.LT = qint16(lt);
    in.testRun = testRun;
    in.userScript = QStringLiteral("US");
    in.queue = {kA};
    in.states = {BatchDrawingState{available, readOnly}};
    const QString out = body(compose(in));
    const qsizetype us = out.indexOf(QLatin1String("|US"));
    QVERIFY(us > 0);
    QCOMPARE(out.mid(us + 3), save.isEmpty() ? QString() : QLatin1Char('|') + save);
}

void TestBatchScriptWriter::saveAsLine_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("folder"); // empty: the drawing's own folder
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Don't Change: two blanks") << kA << "don't change"
                                              << ""
                                              << ""
                                              << "" << false << "_SAVEAS  \"C:\\DWG\\A-101.dwg\"";
    QTest::newRow("format, prefix and suffix with tags") << kA << "2013"
                                                         << "$COUNTER$_"
                                                         << "-$TAG1$"
                                                         << "" << false << "_SAVEAS 2013 \"C:\\DWG\\5_A-101-T1.dwg\"";
    QTest::newRow("dxf becomes DWG, also in the prefix") << "C:\\DWG\\PLAN.DXF"
                                                         << "R14"
                                                         << "x.dxf."
                                                         << ""
                                                         << "" << false << "_SAVEAS R14 \"C:\\DWG\\x.DWG.PLAN.DWG\"";
    QTest::newRow("other folder with tags, used as it stands")
        << kA << "2000"
        << ""
        << ""
        << "D:\\OUT\\$FILENAME$\\" << false << "_SAVEAS 2000 \"D:\\OUT\\A-101\\A-101.dwg\"";
    // A folder typed without its final separator still holds the drawing: the separator it uses, or
    // the platform's when it has none, goes between folder and name.
    QTest::newRow("other folder without its final backslash")
        << kA << "2000"
        << "P_"
        << ""
        << "D:\\OUT" << false << "_SAVEAS 2000 \"D:\\OUT\\P_A-101.dwg\"";
    QTest::newRow("other POSIX folder without its final slash") << "/p/dwg/a.dwg"
                                                                << "2010"
                                                                << ""
                                                                << ""
                                                                << "/R/out" << false << "_SAVEAS 2010 \"/R/out/a.dwg\"";
    QTest::newRow("other folder, a tag at its end")
        << kA << "2000"
        << ""
        << ""
        << "D:\\OUT\\$FILENAME$" << false << "_SAVEAS 2000 \"D:\\OUT\\A-101\\A-101.dwg\"";
    QTest::newRow("other folder, a name alone")
        << kA << "2000"
        << ""
        << ""
        << "OUT" << false << QStringLiteral("_SAVEAS 2000 \"OUT") + QDir::separator() + QStringLiteral("A-101.dwg\"");
    QTest::newRow("overwrite an existing target") << kA << "2004"
                                                  << ""
                                                  << "_old"
                                                  << "" << true << "_SAVEAS 2004 \"C:\\DWG\\A-101_old.dwg\" Y";
    QTest::newRow("overwrite, no target") << kA << "2004"
                                          << ""
                                          << "_new"
                                          << "" << true << "_SAVEAS 2004 \"C:\\DWG\\A-101_new.dwg\"";
    QTest::newRow("POSIX path") << "/p/dwg/a.dwg"
                                << "2010"
                                << ""
                                << ""
                                << "" << false << "_SAVEAS 2010 \"/p/dwg/a.dwg\"";
}

void TestBatchScriptWriter::saveAsLine()
{
    QFETCH(QString, path);
    QFETCH(QString, format);
    QFETCH(QString, prefix);
    QFETCH(QString, suffix);
    QFETCH(QString, folder);
    QFETCH(bool, overwrite);
    QFETCH(QString, expected);
    BatchScriptInput in = baseInput();
    in.LoadOpen = 2;
    in.saveAs = true;
    in.outFormat = format;
    in.prefix = prefix;
    in.suffix = suffix;
    in.originalLocation = folder.isEmpty();
    in.specFolder = folder;
    in.overwriteExisting = overwrite;
    in.counterStart = 5;
    in.tags.TAG[0] = QStringLiteral("T1");
    in.targetExists = [](const QString &target, const QString &name) {
        return target == QLatin1String("C:\\DWG\\A-101_old.dwg") && name == QLatin1String("A-101_old.dwg");
    };
    in.queue = {path};
    const QStringList lines = body(compose(in)).split(QLatin1Char('|'));
    QCOMPARE(lines.last(), expected);
}

void TestBatchScriptWriter::markers_data()
{
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("status");
    QTest::addColumn<QString>("pre");
    QTest::addColumn<QString>("post");
    QTest::addColumn<QString>("expected"); // the block after the open lines

    QTest::newRow("debug, nothing around") << true << false << ""
                                           << ""
                                           << "US|_QSAVE";
    QTest::newRow("debug, pre only") << true << false << "ZOOM E"
                                     << ""
                                     << "; << START OF PRE-USERSCRIPT COMMANDS >>|ZOOM E|"
                                        "; << START OF USER SCRIPT >>|US|_QSAVE";
    QTest::newRow("debug, status only") << true << true << ""
                                        << ""
                                        << "; << START OF PRE-USERSCRIPT COMMANDS >>|"
                                           "(SETVAR \"MODEMACRO\" \"Drawing 1 of 1\")|"
                                           "; << START OF USER SCRIPT >>|US|_QSAVE";
    QTest::newRow("debug, post only") << true << false << ""
                                      << "REGEN"
                                      << "US|_QSAVE|; << END OF USER SCRIPT >>|"
                                         "; << START OF POST-USERSCRIPT COMMANDS >>|REGEN|"
                                         "; << END OF POST-USERSCRIPT COMMANDS >>";
    QTest::newRow("no debug, all parts") << false << true << "ZOOM E"
                                         << "REGEN $FILENAME$"
                                         << "(SETVAR \"MODEMACRO\" \"Drawing 1 of 1\")|ZOOM E|US|_QSAVE|REGEN A-101";
    QTest::newRow("inner LF line breaks become CR LF") << false << false << "A\nB"
                                                       << "C\rD"
                                                       << "A|B|US|_QSAVE|C|D";
}

void TestBatchScriptWriter::markers()
{
    QFETCH(bool, debug);
    QFETCH(bool, status);
    QFETCH(QString, pre);
    QFETCH(QString, post);
    QFETCH(QString, expected);
    BatchScriptInput in = baseInput();
    in.LoadOpen = 0;
    in.LT = 1;
    in.DebugComments = debug ? 1 : 0;
    in.includeStatus = status;
    in.preUserScript = pre;
    in.postUserScript = post;
    in.userScript = QStringLiteral("US");
    in.queue = {kA};
    const QString out = body(compose(in));
    QCOMPARE(out, QStringLiteral("_OPEN \"C:\\DWG\\A-101.dwg\"|") + expected);
}

// The batch parts get the placeholder name and counter 0; the post-batch part the number of drawings. A
// user script that ends with a line break leaves an empty line before the delay.
void TestBatchScriptWriter::batchPartsAndEmptyQueue()
{
    BatchScriptInput in = baseInput();
    in.LoadOpen = 0;
    in.LT = 1;
    in.UseDelay = 1;
    in.Delay = QStringLiteral("500");
    in.counterStart = 10;
    in.counterStep = 5;
    in.preBatch = QStringLiteral("PRE $FILENAME$ $COUNTER$ $FILECOUNTINQUEUE$");
    in.postBatch = QStringLiteral("POST $FILENAME$ $COUNTER$ $SHEET-PREV$");
    in.userScript = QStringLiteral("C=$COUNTER$\r\n");
    in.queue = {kA, kB};
    QCOMPARE(body(compose(in)), QStringLiteral("PRE -INVALID- 0 2|_OPEN \"C:\\DWG\\A-101.dwg\"|C=10||_DELAY 500|_QSAVE|"
                                               "_OPEN \"C:\\DWG\\A-102.dwg\"|C=15||_DELAY 500|_QSAVE|"
                                               "POST -INVALID- 0 101"));
    in.queue.clear();
    in.DebugComments = 1;
    BatchWriteResult r;
    QCOMPARE(body(compose(in, oneProject(QString(), QStringLiteral("P"), 3), &r)),
             QStringLiteral("; << START OF PRE-BATCH COMMANDS >>|PRE -INVALID- 0 0|"
                            "; << END OF PRE-BATCH COMMANDS >>|POST -INVALID- 0 "));
    QVERIFY(r.ok());
}

void TestBatchScriptWriter::projectTagsOnlyInUserScriptAndName()
{
    BatchScriptInput in = baseInput();
    in.LoadOpen = 0;
    in.LT = 1;
    in.saveAs = true;
    in.prefix = QStringLiteral("$PROJECTTAG1$_");
    in.suffix = QStringLiteral("_$projecttag2$");
    in.preUserScript = QStringLiteral("PRE $PROJECTTAG3$");
    in.postUserScript = QStringLiteral("POST $PROJECTTAG3$");
    in.userScript = QStringLiteral("US $PROJECTTAG3$ $FILENAME$");
    in.queue = {kA, QStringLiteral("C:\\OTHER\\B.dwg")};
    QCOMPARE(body(compose(in, oneProject(QStringLiteral("\\DWG\\"), QStringLiteral("J")))),
             QStringLiteral("_OPEN \"C:\\DWG\\A-101.dwg\"|PRE $PROJECTTAG3$|US J-3 A-101|"
                            "_SAVEAS  \"C:\\DWG\\J-1_A-101_J-2.dwg\"|POST $PROJECTTAG3$|"
                            "_OPEN \"C:\\OTHER\\B.dwg\"|PRE $PROJECTTAG3$|US $PROJECTTAG3$ B|"
                            "_SAVEAS  \"C:\\OTHER\\$PROJECTTAG1$_B_$projecttag2$.dwg\"|POST $PROJECTTAG3$"));
}

void TestBatchScriptWriter::stopsBeforeWriting_data()
{
    QTest::addColumn<QString>("sheetChars");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<qsizetype>("drawing");

    QTest::newRow("count not a number") << "x"
                                        << "NOMATCH" << int(BatchWriteResult::BadSettings)
                                        << "Error 13 (Type mismatch) in procedure SubstituteTAGS of Form frmMain"
                                        << qsizetype(-1);
    QTest::newRow("short project matching the second drawing")
        << "3"
        << "A-102" << int(BatchWriteResult::ProjectFileError)
        << "Error 62 (Input past end of file) in procedure SubstituteProjectTAGS of Form frmMain\r\nS.PRJ"
        << qsizetype(1);
}

void TestBatchScriptWriter::stopsBeforeWriting()
{
    QFETCH(QString, sheetChars);
    QFETCH(QString, pattern);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(qsizetype, drawing);
    BatchScriptInput in = baseInput();
    in.tags.SHEETCHARS = sheetChars;
    in.preBatch = QStringLiteral("_SDI 1");
    in.queue = {kA, kB};
    BatchWriteResult r;
    const QByteArray bytes = compose(in, oneProject(pattern, QStringLiteral("S"), 39), &r);
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.message, message);
    QCOMPARE(r.drawing, drawing);
    QVERIFY(bytes.isEmpty());

    // The SAVEAS targets, listed before the writing, stop alike and say the same: a drawing's user script
    // meets its projects before its SAVEAS name does.
    QStringList targets;
    const BatchWriteResult listed = batchSaveAsTargets(in, oneProject(pattern, QStringLiteral("S"), 39), targets);
    QCOMPARE(int(listed.status), status);
    QCOMPARE(listed.message, message);
    QVERIFY(targets.isEmpty());
}

void TestBatchScriptWriter::unencodableCharacterNamesTheDrawing()
{
    BatchScriptInput in = baseInput();
    in.encoding = QStringConverter::Latin1;
    in.LoadOpen = 2;
    in.userScript = QStringLiteral("-TEXT $TAG1$");
    in.queue = {QStringLiteral("C:\\Caf\u00e9\\A.dwg"), QStringLiteral("C:\\\u03a9\\B.dwg")};
    BatchWriteResult r;
    const QByteArray bytes = compose(in, ProjectTagSet(), &r);
    QCOMPARE(int(r.status), int(BatchWriteResult::Unencodable));
    QCOMPARE(r.drawing, qsizetype(1));
    QVERIFY2(r.message.contains(in.queue.at(1)), qPrintable(r.message));
    QCOMPARE(r.drawingsWritten, qsizetype(1));
    QVERIFY(bytes.contains("\"C:\\Caf\xe9\\A.dwg\""));
    QVERIFY(!bytes.contains('?'));

    // A tag value is checked the same way.
    in.queue = {kA};
    in.tags.TAG[0] = QStringLiteral("\u2713 done");
    compose(in, ProjectTagSet(), &r);
    QCOMPARE(int(r.status), int(BatchWriteResult::Unencodable));
    QCOMPARE(r.drawing, qsizetype(0));
}

// UTF-8 cannot hold half of a surrogate pair: wherever one stands, the drawing is named and nothing of it
// (nor a substitute character) is written.
void TestBatchScriptWriter::loneSurrogatesInUtf8_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("tag1");
    QTest::addColumn<int>("failing"); // the first drawing that cannot be written
    const QString high(QChar(0xD83D)), low(QChar(0xDE00));
    QTest::newRow("high half inside the path") << "C:\\A" + high + "B\\X.dwg"
                                               << "" << 1;
    QTest::newRow("low half inside the path") << "C:\\A" + low + "\\X.dwg"
                                              << "" << 1;
    QTest::newRow("path ends with a high half") << "C:\\A\\X.dwg" + high << "" << 1;
    QTest::newRow("file title ends with a high half") << "C:\\A\\X" + high + ".dwg"
                                                      << "" << 1;
    QTest::newRow("tag value ends with a high half") << "C:\\A\\X.dwg"
                                                     << "V" + high << 0;
    QTest::newRow("tag value starts with a low half") << "C:\\A\\X.dwg" << low + "V" << 0;
}

void TestBatchScriptWriter::loneSurrogatesInUtf8()
{
    QFETCH(QString, path);
    QFETCH(QString, tag1);
    QFETCH(int, failing);
    for (const QStringConverter::Encoding encoding : {QStringConverter::Utf8, QStringConverter::System}) {
        BatchScriptInput in = baseInput();
        in.encoding = encoding;
        in.saveAs = true;
        in.userScript = QStringLiteral("-TEXT $FILENAME$ $TAG1$");
        in.tags.TAG[0] = tag1;
        in.queue = {kA, path};
        BatchWriteResult r;
        const QByteArray bytes = compose(in, ProjectTagSet(), &r);
        QCOMPARE(int(r.status), int(BatchWriteResult::Unencodable));
        QCOMPARE(r.drawing, qsizetype(failing));
        QCOMPARE(r.drawingsWritten, qsizetype(failing));
        QVERIFY(bytes.endsWith(failing == 0 ? QByteArray("*\r\n") : QByteArray("\\A-101.dwg\"\r\n")));
        QVERIFY(!bytes.contains("\xef\xbf\xbd"));
    }
}

void TestBatchScriptWriter::tooLarge_data()
{
    QTest::addColumn<QString>("part"); // which text holds the growing tags
    QTest::addColumn<qsizetype>("drawing");
    QTest::addColumn<QString>("named");

    QTest::newRow("user script") << "user" << qsizetype(1) << kB;
    QTest::newRow("pre-user-script") << "pre" << qsizetype(1) << kB;
    QTest::newRow("post-user-script") << "post" << qsizetype(1) << kB;
    QTest::newRow("SAVEAS prefix") << "prefix" << qsizetype(1) << kB;
    QTest::newRow("project values") << "project" << qsizetype(1) << kB;
    QTest::newRow("pre-batch") << "prebatch" << qsizetype(-1) << "the pre-batch commands";
    QTest::newRow("post-batch") << "postbatch" << qsizetype(-1) << "the post-batch commands";
    QTest::newRow("texts within, the block past") << "block" << qsizetype(0) << kA;
}

// Tag values that hold further tags (here: each TAGn holds TAGn+1 twice, from the second drawing's
// TAG-bearing name on) make a text grow at every row; past the bound the writing stops, naming the
// drawing, with the drawings before it complete.
void TestBatchScriptWriter::tooLarge()
{
    QFETCH(QString, part);
    QFETCH(qsizetype, drawing);
    QFETCH(QString, named);
    BatchScriptInput in = baseInput();
    in.maxBlockSize = 5000;
    for (int n = 1; n < 50; ++n)
        in.tags.TAG[size_t(n - 1)] = QStringLiteral("$TAG%1$$TAG%1$").arg(n + 1);
    // Only the second drawing's own name brings the growing tag in.
    in.tags.TAG[0] = QStringLiteral("t1");
    const QString grow = QStringLiteral("$FILENAME$");
    in.queue = {kA, QStringLiteral("C:\\DWG\\$TAG2$.dwg")};
    in.tags.TAG[1] = QStringLiteral("$TAG3$$TAG3$");
    // kB stands for the second drawing in the table.
    if (named == kB)
        named = in.queue.at(1);
    ProjectTagSet projects;
    if (part == QLatin1String("user")) {
        in.userScript = grow;
    } else if (part == QLatin1String("pre")) {
        in.preUserScript = grow;
    } else if (part == QLatin1String("post")) {
        in.postUserScript = grow;
    } else if (part == QLatin1String("prefix")) {
        in.saveAs = true;
        in.prefix = grow;
    } else if (part == QLatin1String("project")) {
        ProjectTagFile p;
        p.fileName = QStringLiteral("P.PRJ");
        p.pattern = QStringLiteral("$TAG2$");
        for (int n = 1; n <= 40; ++n)
            p.values << QStringLiteral("$PROJECTTAG%1$$PROJECTTAG%1$").arg(n + 1);
        projects = ProjectTagSet({p});
        in.userScript = QStringLiteral("$PROJECTTAG1$");
    } else if (part == QLatin1String("prebatch")) {
        in.preBatch = QStringLiteral("$TAG2$");
    } else if (part == QLatin1String("postbatch")) {
        in.postBatch = QStringLiteral("$TAG2$");
    } else {
        // Every text within the bound, the block past it.
        in.userScript = QString(900, QLatin1Char('x'));
        in.preUserScript = in.userScript;
        in.postUserScript = in.userScript;
        in.maxBlockSize = 2500;
        in.queue[1] = kB;
    }
    BatchWriteResult r;
    const QByteArray bytes = compose(in, projects, &r);
    QCOMPARE(int(r.status), int(BatchWriteResult::TooLarge));
    QCOMPARE(r.drawing, drawing);
    QVERIFY2(r.message.contains(named), qPrintable(r.message));
    QVERIFY(bytes.size() <= 3 * in.maxBlockSize);
    QCOMPARE(r.drawingsWritten, drawing >= 0 ? drawing : part == QLatin1String("postbatch") ? 2 : 0);
}

// The state callback is asked once per drawing, in order, as its block is made.
void TestBatchScriptWriter::drawingStateAskedInOrder()
{
    BatchScriptInput in = baseInput();
    in.LoadOpen = 2;
    in.queue = {kA, kB, QStringLiteral("C:\\DWG\\C.dwg")};
    QStringList asked;
    in.drawingState = [&asked](qsizetype i, const QString &path) {
        asked << QString::number(i) + QLatin1Char('=') + path;
        return BatchDrawingState{i != 1, false};
    };
    in.progress = [&asked](qsizetype done, qsizetype total) { asked << QStringLiteral("%1/%2").arg(done).arg(total); };
    const QString b = body(compose(in));
    QCOMPARE(asked, QStringList({"0=" + kA, "1/3", "1=" + kB, "2/3", "2=C:\\DWG\\C.dwg", "3/3"}));
    QVERIFY(b.contains(QStringLiteral("\"C:\\DWG\\A-102.dwg\" Y")));
    QVERIFY(!b.contains(QStringLiteral("A-101.dwg\" Y")));
}

// The targets listed for the SAVEAS check are those the SAVEAS lines name, also with tags and projects.
void TestBatchScriptWriter::saveAsTargetsMatchTheLines()
{
    BatchScriptInput in = baseInput();
    in.LoadOpen = 2;
    in.saveAs = true;
    in.prefix = QStringLiteral("$PROJECTTAG1$_$COUNTER$_");
    in.suffix = QStringLiteral("-$SHEET$");
    in.originalLocation = false;
    in.specFolder = QStringLiteral("D:\\OUT\\$FILENAME$\\");
    in.counterStart = 10;
    in.counterStep = 5;
    in.queue = {kA, QStringLiteral("C:\\DWG\\PLAN.dxf"), QStringLiteral("/p/x-007.dwg")};
    in.states = {BatchDrawingState{true, false}, BatchDrawingState{true, true}, BatchDrawingState{false, false}};
    const ProjectTagSet projects = oneProject(QStringLiteral("\\DWG\\"), QStringLiteral("J"));
    QStringList targets;
    QVERIFY(batchSaveAsTargets(in, projects, targets).ok());
    QCOMPARE(targets, QStringList({"D:\\OUT\\A-101\\J-1_10_A-101-101.dwg", "D:\\OUT\\PLAN\\J-1_15_PLAN-LAN.DWG",
                                   "D:\\OUT\\x-007\\$PROJECTTAG1$_20_x-007-7.dwg"}));
    QStringList written;
    for (const QString &l : body(compose(in, projects)).split(QLatin1Char('|')))
        if (l.startsWith(QLatin1String("_SAVEAS")))
            written << l.section(QLatin1Char('"'), 1, 1);
    QCOMPARE(written, targets.mid(0, 2)); // the unavailable drawing gets no SAVEAS line
}

// Places, queue lengths and counters beyond 16 and 32 bits.
void TestBatchScriptWriter::countersPast16And32Bits()
{
    BatchScriptInput in = baseInput();
    in.LoadOpen = 2;
    in.testRun = true;
    in.includeStatus = true;
    in.userScript = QString();
    in.counterStart = 2147483647LL - 40000;
    for (int i = 0; i < 40001; ++i)
        in.queue << QStringLiteral("C:\\D\\%1.dwg").arg(i, 5, 10, QLatin1Char('0'));
    qsizetype progressCalls = 0;
    in.progress = [&](qsizetype done, qsizetype total) {
        ++progressCalls;
        QCOMPARE(total, qsizetype(40001));
        Q_UNUSED(done);
    };
    const QString out = QString::fromUtf8(compose(in));
    QCOMPARE(progressCalls, qsizetype(40001));
    QVERIFY(out.endsWith(QStringLiteral("_OPEN\r\n\"C:\\D\\40000.dwg\"\r\n"
                                        "(SETVAR \"MODEMACRO\" \"Drawing 2147483647 of 40001\")\r\n\r\n")));
    in.counterStart = 2147483647LL;
    in.queue = in.queue.mid(0, 2);
    in.progress = nullptr;
    QVERIFY(QString::fromUtf8(compose(in)).contains(QStringLiteral("Drawing 2147483648 of 2")));
}

// A composition that runs across midnight: the header keeps its start, each drawing's text shows the moment
// it was made, and no text mixes two days.
void TestBatchScriptWriter::eachDrawingReadsTheClock()
{
    test::Fixture fx;
    fx.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    QDateTime moment(QDate(2026, 12, 31), QTime(23, 59, 59));
    fx.setClock(moment);
    BatchScriptInput in;
    in.programVersion = QStringLiteral("2.0.5");
    in.encoding = QStringConverter::Utf8;
    in.LoadOpen = 2;
    in.testRun = true;
    in.userScript = QStringLiteral("$MM/DD/YY$ $TIME_24$ $USER$");
    in.queue = {kA, kB};
    in.progress = [&](qsizetype, qsizetype) { fx.setClock(moment = moment.addSecs(2)); };
    const QString out = QString::fromUtf8(compose(in));
    QVERIFY2(out.startsWith(QStringLiteral("; *") + QString(63, QLatin1Char('*')).mid(1) +
                            QStringLiteral("\r\n;  TESSALINE 2.0.5 - SCRIPT CREATED 12/31/26 : 11:59:59 PM\r\n")),
             qPrintable(out));
    QCOMPARE(body(out.toUtf8()), QStringLiteral("_OPEN|\"C:\\DWG\\A-101.dwg\"|12/31/26 23:59:59 tester|"
                                                "_OPEN|\"C:\\DWG\\A-102.dwg\"|01/01/27 0:00:01 tester"));
}

// Each clause of the rule that lets a text be filled in one pass: a replacement joins the tag's two
// neighbouring runs and the value into one run that later rows judge afresh. Every row shows whether the
// compiled text is filled in one pass and that the script holds what the cascade gives.
void TestBatchScriptWriter::joinRule_data()
{
    QTest::addColumn<QString>("text"); // the user script
    QTest::addColumn<qint64>("counter");
    QTest::addColumn<QString>("user"); // $USER$
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("direct");
    QTest::addColumn<QString>("expected"); // $TAGn$ is "<TAGn>"

    auto row = [](const char *name, const QString &text, qint64 counter, const QString &user, bool direct,
                  const QString &expected, const QString &path = kA) {
        QTest::newRow(name) << text << counter << user << path << direct << expected;
    };
    row("the counter completes TAG1", "$TAG$COUNTER$$", 1, "tester", false, "<TAG1>");
    row("the counter completes TAG12", "$TAG$COUNTER$$", 12, "tester", false, "<TAG12>");
    row("an empty value joins FILE and NAME", "x$FILE$USER$NAME$y", 1, "", false, "xA-101y");
    row("the value is the middle of a name", "x$FILE$USER$$y", 1, "NAME", false, "xA-101y");
    // No joined run of 16 characters can name a later row (only FILECOUNTINQUEUE is that long, and every
    // value of an earlier row has characters), but the rule counts the neighbours alone.
    row("neighbours of 16 characters", "x$FILECOUNTI$USER$NQUEUE$y", 1, "", false, "x$FILECOUNTINQUEUE$y");
    row("neighbours of 17 characters", "x$FILECOUNTIN$USER$NQUEUE$y", 1, "", true, "x$FILECOUNTINNQUEUE$y");
    row("left neighbour with a character no name has", "$TA G$COUNTER$$", 1, "tester", true, "$TA G1$");
    row("right neighbour with a character no name has", "$TAG$COUNTER$ $", 1, "tester", true, "$TAG1 $");
    row("a letter that folds to no name's letter", "$TAG\u00e9$COUNTER$$", 1, "tester", true, "$TAG\u00e91$");
    row("the long s folds into SHEET", "$\u017fHE$USER$ET$", 1, "", false, "101");
    row("the Kelvin sign folds to a letter", "$\u212aAG$COUNTER$$", 1, "tester", false, "$\u212aAG1$");
    row("the first run", "TAG$COUNTER$$", 1, "tester", true, "TAG1$");
    row("the last run", "$TAG$COUNTER$", 1, "tester", true, "$TAG1");
    row("first and last runs around two tags", "$TAG1$-$TAG2$", 1, "tester", true, "<TAG1>-<TAG2>");
    row("a run between two tags", "$X$TAG1$-$TAG2$Y$", 1, "tester", false, "$X<TAG1>-<TAG2>Y$");
    row("adjacent tags", "$TAG1$TAG2$", 1, "tester", false, "<TAG1>TAG2$");
    row("adjacent tags, the later row first", "$TAG2$TAG1$", 1, "tester", false, "$TAG2<TAG1>");
    row("a value holding a later tag", "$USER$", 1, "$TAG1$", true, "<TAG1>");
    row("a drawing's value holding a later tag", "$FILENAME$", 1, "tester", true, "<TAG1>",
        QStringLiteral("C:\\DWG\\$TAG1$.dwg"));
}

void TestBatchScriptWriter::joinRule()
{
    QFETCH(QString, text);
    QFETCH(qint64, counter);
    QFETCH(QString, user);
    QFETCH(QString, path);
    QFETCH(bool, direct);
    QFETCH(QString, expected);
    BatchScriptInput in = baseInput();
    in.LoadOpen = 2;
    in.testRun = true;
    in.userScript = text;
    in.counterStart = counter;
    in.environment.loginName = user;
    for (int n = 1; n <= 50; ++n)
        in.tags.TAG[size_t(n - 1)] = QStringLiteral("<TAG%1>").arg(n);
    in.queue = {path};
    const TagContext tags(in.tags, in.queue, in.environment);
    QCOMPARE(tags.compile(text).direct, direct);
    QCOMPARE(tags.SubstituteTAGS(text, counter, path, 1), expected);
    QCOMPARE(body(compose(in)), QStringLiteral("_OPEN|\"") + path + QStringLiteral("\"|") + expected);
}

// Random scripts, tag values, paths and tag settings: every tag name, in any case, two tags sharing a "$",
// pieces of names that a value completes, dollars, non-ASCII letters (some folding to a name's letters)
// and surrogate pairs, written in UTF-8 and in a single-byte code page. Every block is the one the tag
// cascade gives, text by text, or the writing stops at the first block the encoding cannot hold.
void TestBatchScriptWriter::compiledTextsMatchTheCascade()
{
    const quint32 seed = testSeed();
    QRandomGenerator rng(seed);
    const QStringList &tagNames = TagContext::tagNames();
    QStringList names; // without the "$"
    for (const QString &t : tagNames)
        names << t.mid(1, t.size() - 2);
    const QStringList fillers = {" ", "\r\n", "x", "-1", "_ZOOM E", "\"", "\u00e9", "\u00ff", "\u00d7"};
    const QStringList wideFillers = {"\u017f", "\u212a", "\U0001F600", "\u0394"}; // not in the code page
    bool wide = true; // characters outside the code page drawn too
    auto pick = [&](const QStringList &from) { return from.at(int(rng.bounded(qsizetype(from.size())))); };
    auto inAnyCase = [&](const QString &s) {
        switch (rng.bounded(4)) {
        case 0: return s.toLower();
        case 1: {
            QString m = s;
            for (QChar &c : m)
                c = rng.bounded(2) ? c.toLower() : c;
            return m;
        }
        case 2: // the long s, which folds to "s", where the encoding has it
            return wide ? QString(s).replace(QLatin1Char('S'), QChar(0x017f), Qt::CaseInsensitive) : s;
        default: return s;
        }
    };
    auto filler = [&] { return wide && rng.bounded(3) == 0 ? pick(wideFillers) : pick(fillers); };
    // A piece of a name (maybe empty or whole), a whole tag, or a filler.
    auto randomValue = [&] {
        QString v;
        const int n = int(rng.bounded(3));
        for (int i = 0; i < n; ++i) {
            const QString name = pick(names);
            switch (rng.bounded(5)) {
            case 0: v += QLatin1Char('$') + inAnyCase(name) + QLatin1Char('$'); break;
            case 1: v += filler(); break;
            default: {
                const int from = int(rng.bounded(qsizetype(name.size() + 1)));
                v += inAnyCase(name.mid(from, int(rng.bounded(qsizetype(name.size() - from + 1)))));
            }
            }
        }
        return v;
    };
    // Tags whose values are the same for the whole composition, with their rows and values.
    struct Carrier {
        QString name;
        QString value;
        int row() const { return int(TagContext::tagNames().indexOf(QLatin1Char('$') + name + QLatin1Char('$'))) + 1; }
    };
    QList<Carrier> carriers;
    // "$" + a + "$" + carrier + "$" + b + "$", where a, the carrier's value and b mostly spell the name of a
    // later row (which the cascade then replaces).
    auto joined = [&] {
        const Carrier &c = carriers.at(int(rng.bounded(qsizetype(carriers.size()))));
        QStringList later;
        for (qsizetype r = c.row(); r < names.size(); ++r) {
            if (names.at(r).contains(c.value, Qt::CaseInsensitive))
                later << names.at(r);
        }
        QString a, b;
        if (later.isEmpty() || rng.bounded(4) == 0) {
            const QString n = pick(names);
            const int cut = int(rng.bounded(qsizetype(n.size() + 1)));
            a = n.left(cut);
            b = n.mid(cut);
        } else {
            const QString n = pick(later);
            const qsizetype at = n.indexOf(c.value, 0, Qt::CaseInsensitive);
            a = n.left(at);
            b = n.mid(at + c.value.size());
        }
        return QLatin1Char('$') + inAnyCase(a) + QLatin1Char('$') + c.name + QLatin1Char('$') + inAnyCase(b) +
               QLatin1Char('$');
    };
    const QStringList counterJoins = {"$TAG$COUNTER$$",        "$tag$COUNTER$$",  "$FILEPATH-$COUNTER$$",
                                      "$FILEDRIVE+$COUNTER$$", "$TAG1$COUNTER$$", "$TAG$COUNTER$0$"};
    auto randomText = [&](int maxPieces) {
        QString t;
        const int n = int(rng.bounded(maxPieces + 1));
        for (int i = 0; i < n; ++i) {
            switch (rng.bounded(9)) {
            case 0:
            case 1: t += QLatin1Char('$') + inAnyCase(pick(names)) + QLatin1Char('$'); break;
            case 2:
            case 3: t += joined(); break;
            case 4: t += pick(counterJoins); break;
            case 5: t += rng.bounded(2) ? QStringLiteral("$") : QStringLiteral("$$"); break;
            case 6: t += randomValue(); break;
            case 7: // two tags that share a "$"
                t += QLatin1Char('$') + inAnyCase(pick(names)) + QLatin1Char('$') + inAnyCase(pick(names)) +
                     QLatin1Char('$');
                break;
            default: t += filler();
            }
        }
        return t;
    };
    const QStringList folders = {"C:\\DWG\\", "\\\\SERVER\\C$\\JOB 1\\", "D:\\$TAG1$\\", "C:\\\u00e9t\u00e9\\",
                                 "D:\\FILE\\NAME\\"};

    int codePageStops = 0;
    for (int round = 0; round < 400; ++round) {
        BatchScriptInput in = baseInput();
        in.encoding = round % 2 ? QStringConverter::Latin1 : QStringConverter::Utf8;
        wide = round % 2 == 0 || rng.bounded(4) == 0;
        in.LoadOpen = 2;
        in.counterStart = qint64(rng.bounded(-60, 120));
        in.counterStep = qint64(rng.bounded(-7, 15));
        in.tags.TRIMZEROS = qint16(rng.bounded(2));
        in.tags.PADCOUNTER = qint16(rng.bounded(2));
        in.tags.PADDIGITS = qint16(rng.bounded(-1, 7));
        in.tags.SHEETCHARS = QString::number(rng.bounded(-1, 7));
        in.tags.FIRSTFILECHARS = QString::number(rng.bounded(-1, 9));
        in.tags.LASTFILECHARS = QString::number(rng.bounded(-1, 9));
        in.environment.loginName = randomValue();
        in.environment.computerName = randomValue();
        carriers = {{QStringLiteral("USER"), in.environment.loginName},
                    {QStringLiteral("COMPUTER"), in.environment.computerName}};
        for (int k = 0; k < 6; ++k) {
            const int t = int(rng.bounded(50));
            in.tags.TAG[size_t(t)] = randomValue();
            carriers.append({QStringLiteral("TAG%1").arg(t + 1), in.tags.TAG[size_t(t)]});
        }
        in.preUserScript = randomText(4);
        in.userScript = randomText(10);
        in.postUserScript = randomText(4);
        for (int d = 0; d < 6; ++d) {
            in.queue << pick(folders) + QStringLiteral("A-") + randomValue() + QStringLiteral("%1.dwg").arg(d);
        }
        if (in.userScript.isEmpty())
            in.userScript = QStringLiteral("$FILENAME$");

        // The blocks the cascade gives, up to the first one the encoding cannot hold.
        const TagContext tags(in.tags, in.queue, in.environment);
        QString want;
        qsizetype stop = -1;
        qint64 counter = in.counterStart;
        for (qsizetype i = 0; i < in.queue.size() && stop < 0; ++i) {
            const QString &path = in.queue.at(i);
            auto substituted = [&](const QString &text) { return tags.SubstituteTAGS(text, counter, path, i + 1); };
            QString block = QStringLiteral("_OPEN\r\n\"") + path + QStringLiteral("\"\r\n");
            if (!in.preUserScript.isEmpty())
                block += substituted(in.preUserScript) + QStringLiteral("\r\n");
            block += substituted(in.userScript) + QStringLiteral("\r\n_QSAVE\r\n");
            if (!in.postUserScript.isEmpty())
                block += substituted(in.postUserScript) + QStringLiteral("\r\n");
            if (encodes(block, in.encoding))
                want += block;
            else
                stop = i;
            counter += in.counterStep;
        }
        BatchWriteResult r;
        const QByteArray bytes = compose(in, ProjectTagSet(), &r);
        const QString got =
            in.encoding == QStringConverter::Latin1 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
        const qsizetype headerEnd = got.indexOf(QStringLiteral("\r\n; *"), 10) + 2;
        const QString gotBody = got.mid(got.indexOf(QStringLiteral("\r\n"), headerEnd) + 2);
        const bool stoppedAsWanted = stop < 0 ? r.ok() : r.status == BatchWriteResult::Unencodable && r.drawing == stop;
        codePageStops += stop >= 0 && in.encoding == QStringConverter::Latin1;
        if (!stoppedAsWanted || gotBody != want) {
            QString settings;
            for (const Carrier &c : std::as_const(carriers))
                settings += c.name + QStringLiteral(" [") + c.value + QStringLiteral("] ");
            QFAIL(qPrintable(
                QStringLiteral("%1 round %2, %3, stop at %4, result %5 %6\n"
                               "pre [%7] user [%8] post [%9]\n%10\nTRIMZEROS %11 PADCOUNTER %12 "
                               "PADDIGITS %13 SHEETCHARS %14 FIRSTFILECHARS %15 LASTFILECHARS %16\n"
                               "got  [%17]\nwant [%18]")
                    .arg(replayNote(seed))
                    .arg(round)
                    .arg(in.encoding == QStringConverter::Latin1 ? QStringLiteral("Latin-1") : QStringLiteral("UTF-8"))
                    .arg(stop)
                    .arg(int(r.status))
                    .arg(r.message, in.preUserScript, in.userScript, in.postUserScript, settings)
                    .arg(in.tags.TRIMZEROS)
                    .arg(in.tags.PADCOUNTER)
                    .arg(in.tags.PADDIGITS)
                    .arg(in.tags.SHEETCHARS, in.tags.FIRSTFILECHARS, in.tags.LASTFILECHARS, gotBody, want)));
        }
    }
    QVERIFY2(codePageStops > 0, qPrintable(replayNote(seed)));
}

// The open lines and SAVEAS lines the writer makes from compiled pieces are those of the general code
// (batchOpenLines and batchSaveAsTargets) on random load methods, states, paths, name texts and projects,
// also when reading the projects ended at a missing file; the targets are those that the tag substitution
// and the project step give the name texts one by one.
void TestBatchScriptWriter::compiledOpenAndSaveAsLinesMatchTheGeneralCode()
{
    const QStringList nameParts = {
        "$PROJECTTAG1$", "$projecttag2$", "$COUNTER$", "$FILENAME$", "$SHEET$", "$TAG1$",          "$", "$$",
        ".dxf",          ".DxF",          "_",         "\\",         "$DD$",    "$FILENAME-PREV$", "x", "\U0001F600"};
    const QStringList folders = {"C:\\JOB1\\DWG\\", "D:\\job2\\", "\\\\SRV\\C$\\JOB1\\", "/p/", "", "C:\\\u00e9\\"};
    const QStringList names = {"A-101.dwg",      "PLAN.dxf",        "$TAG1$.dwg", "x.DXF",
                               "\U0001F600.dwg", "b.dwg\U0001F600", "ab"};
    QList<ProjectTagFile> files;
    for (int p = 1; p <= 2; ++p) {
        ProjectTagFile f;
        f.fileName = QStringLiteral("J%1.PRJ").arg(p);
        f.pattern = p == 1 ? QStringLiteral("\\JOB1\\") : QStringLiteral("JOB");
        for (int v = 1; v <= 40; ++v)
            f.values << (v == 2 ? QStringLiteral("V$COUNTER$") : QStringLiteral("J%1-%2.dxf").arg(p).arg(v));
        files << f;
    }
    // The same projects read from DATA folders: with a listed file missing after them, with no index, with an
    // empty one.
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    auto loaded = [&](const QString &folder, const QByteArray *index) {
        QDir(temp.path()).mkpath(folder);
        const QString data = temp.path() + QLatin1Char('/') + folder + QLatin1Char('/');
        for (const ProjectTagFile &f : std::as_const(files)) {
            QFile file(data + f.fileName);
            if (!file.open(QIODevice::WriteOnly))
                return ProjectTagSet();
            file.write((QStringList(f.pattern) + f.values).join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        }
        if (index) {
            QFile file(data + QStringLiteral("PTAGMAN.DAT"));
            if (file.open(QIODevice::WriteOnly))
                file.write(*index);
        }
        return ProjectTagSet::load(data, QStringConverter::Utf8);
    };
    const QByteArray missingListed("J1.PRJ\r\nJ2.PRJ\r\nGONE.PRJ\r\n"), empty("");
    const QList<ProjectTagSet> sets = {ProjectTagSet(files), ProjectTagSet(), loaded("missing", &missingListed),
                                       loaded("noindex", nullptr), loaded("empty", &empty)};
    QCOMPARE(sets.at(2).projects().size(), 2);
    QVERIFY(sets.at(2).endedAtMissingFile() && sets.at(3).endedAtMissingFile());
    QVERIFY(!sets.at(4).endedAtMissingFile());
    const quint32 seed = testSeed();
    QRandomGenerator rng(seed);
    auto pick = [&](const QStringList &from) { return from.at(int(rng.bounded(qsizetype(from.size())))); };
    auto nameText = [&] {
        QString t;
        const int n = int(rng.bounded(4));
        for (int i = 0; i < n; ++i)
            t += pick(nameParts);
        return t;
    };
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        BatchScriptInput in = baseInput();
        in.LoadOpen = qint16(rng.bounded(5));
        in.LT = qint16(rng.bounded(2));
        in.OpenOther = rng.bounded(2) ? QStringLiteral("_.OPEN_OTHER") : QStringLiteral("_OPEN $TAG1$");
        in.UseDelay = qint16(rng.bounded(2));
        in.userScript = QStringLiteral("US");
        in.saveAs = true;
        in.outFormat = rng.bounded(2) ? dontChangeFormatText() : QStringLiteral("2013");
        in.prefix = nameText();
        in.suffix = nameText();
        in.originalLocation = rng.bounded(2) == 0;
        in.specFolder = QStringLiteral("D:\\OUT") + nameText();
        in.overwriteExisting = rng.bounded(2) == 0;
        in.tags.TAG[0] = nameText();
        for (int d = 0; d < 6; ++d) {
            in.queue << pick(folders) + pick(names);
            in.states << BatchDrawingState{rng.bounded(4) != 0, rng.bounded(3) == 0};
        }
        const ProjectTagSet &set = sets.at(int(rng.bounded(qsizetype(sets.size()))));
        QStringList asked;
        in.targetExists = [&](const QString &target, const QString &name) {
            asked << target + QLatin1Char('|') + name;
            return target.size() % 2 == 0;
        };

        QStringList targets;
        if (!batchSaveAsTargets(in, set, targets).ok())
            continue;
        const TagContext tags(in.tags, in.queue, in.environment);
        qint64 counter = in.counterStart;
        for (qsizetype i = 0; i < in.queue.size(); ++i, counter += in.counterStep) {
            const QString &path = in.queue.at(i);
            auto named = [&](const QString &text) {
                return set.SpSubstituteProjectTAGS(tags, tags.SubstituteTAGS(text, counter, path, i + 1), counter,
                                                   path);
            };
            QString name = named(in.prefix) + FileTitleOf(path) + named(in.suffix) + path.right(4);
            name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
            const QString folder =
                in.originalLocation ? FolderOf(path) : tags.SubstituteTAGS(in.specFolder, counter, path, i + 1);
            if (targets.at(i) != joinPath(folder, name)) {
                QFAIL(qPrintable(QStringLiteral("%1 round %2 prefix [%3] suffix [%4] folder [%5] TAG1 [%6] path [%7]\n"
                                                "listed [%8]\nsteps  [%9]")
                                     .arg(replayNote(seed))
                                     .arg(round)
                                     .arg(in.prefix, in.suffix, in.originalLocation ? QString() : in.specFolder,
                                          in.tags.TAG[0], path, targets.at(i), joinPath(folder, name))));
            }
        }
        QString want;
        QStringList wantAsked;
        bool lockedSeen = false;
        for (qsizetype i = 0; i < in.queue.size(); ++i) {
            const BatchDrawingState state = in.states.at(i);
            want += batchOpenLines(in, in.queue.at(i), state.available && !state.readOnly, lockedSeen);
            want += QStringLiteral("US");
            if (in.UseDelay)
                want += QStringLiteral("\r\n_DELAY ") + in.Delay;
            want += QStringLiteral("\r\n");
            if (!state.available)
                continue;
            const QString &target = targets.at(i);
            bool exists = false;
            if (in.overwriteExisting) {
                exists = target.size() % 2 == 0;
                wantAsked << target;
            }
            const QString token = in.outFormat == dontChangeFormatText() ? QString() : in.outFormat;
            want += QStringLiteral("_SAVEAS ") + token + QStringLiteral(" \"") + target + QLatin1Char('"') +
                    (exists ? QStringLiteral(" Y") : QString()) + QStringLiteral("\r\n");
        }
        BatchWriteResult r;
        const QString got = QString::fromUtf8(compose(in, set, &r));
        QVERIFY2(r.ok(), qPrintable(r.message));
        const qsizetype bodyStart = got.indexOf(QStringLiteral("\r\n; *"), 10) + 2;
        const QString gotBody = got.mid(got.indexOf(QStringLiteral("\r\n"), bodyStart) + 2);
        if (gotBody != want) {
            QFAIL(qPrintable(QStringLiteral("%1 load %2 LT %3 prefix [%4] suffix [%5] folder [%6] TAG1 [%7]\n"
                                            "got  [%8]\nwant [%9]")
                                 .arg(replayNote(seed))
                                 .arg(in.LoadOpen)
                                 .arg(in.LT)
                                 .arg(in.prefix, in.suffix, in.originalLocation ? QString() : in.specFolder,
                                      in.tags.TAG[0], gotBody, want)));
        }
        // The overwrite question names the target and the name made for it.
        QCOMPARE(asked.size(), wantAsked.size());
        for (qsizetype k = 0; k < asked.size(); ++k) {
            const QString target = asked.at(k).section(QLatin1Char('|'), 0, 0);
            QCOMPARE(target, wantAsked.at(k));
            QVERIFY(target.endsWith(asked.at(k).section(QLatin1Char('|'), 1)));
        }
        ++compared;
    }
    QVERIFY(compared > 200);
}

QTEST_GUILESS_MAIN(TestBatchScriptWriter)
#include "tst_batchscriptwriter.moc"
