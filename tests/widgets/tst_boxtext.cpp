// Setting a script box's text outright: the box ends as QPlainTextEdit::setPlainText leaves it
// (cursor at the start, view at the top, no undo history, not modified, one change signal), with
// every character kept.

#include "widgets/boxtext.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QThread>

using namespace tess;

namespace {

// A box the user has worked in: typed text, the cursor at its end, the view scrolled down.
void useBox(QPlainTextEdit &box)
{
    box.resize(300, 200);
    box.show();
    QStringList lines;
    for (int i = 0; i < 500; ++i)
        lines << QStringLiteral("LINE %1").arg(i);
    box.setPlainText(lines.join(QLatin1Char('\n')));
    box.moveCursor(QTextCursor::End);
    box.insertPlainText(QStringLiteral("typed"));
    box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
}

} // namespace

class TestBoxText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void setBoxTextLeavesWhatSetPlainTextLeaves()
    {
        const QString text = QStringLiteral("_SDI 1\n\nZOOM\u00a0E\n  spaced  \n") + QString(300, QLatin1Char('x')) +
                             QStringLiteral("\nlast");
        QPlainTextEdit ours;
        QPlainTextEdit reference;
        useBox(ours);
        useBox(reference);
        QVERIFY(ours.document()->isUndoAvailable());
        QVERIFY(ours.verticalScrollBar()->value() > 0);

        QSignalSpy changed(&ours, &QPlainTextEdit::textChanged);
        setBoxText(&ours, text);
        reference.setPlainText(text);
        QCoreApplication::processEvents();

        QCOMPARE(plainBoxText(&ours), text);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(ours.document()->blockCount(), reference.document()->blockCount());
        QCOMPARE(ours.textCursor().position(), reference.textCursor().position());
        QCOMPARE(ours.verticalScrollBar()->value(), reference.verticalScrollBar()->value());
        QCOMPARE(ours.document()->isUndoAvailable(), reference.document()->isUndoAvailable());
        QCOMPARE(ours.document()->isModified(), reference.document()->isModified());
        QCOMPARE(ours.document()->isUndoRedoEnabled(), reference.document()->isUndoRedoEnabled());

        // Typing afterwards is one undoable edit, as in the reference.
        ours.insertPlainText(QStringLiteral("new"));
        QVERIFY(ours.document()->isUndoAvailable());
        ours.undo();
        QCOMPARE(plainBoxText(&ours), text);

        // The same text again changes nothing.
        changed.clear();
        setBoxText(&ours, text);
        QCOMPARE(changed.size(), 0);
    }

    // Both of the document's line separators read as "\n"; every other character stays.
    void plainBoxTextKeepsEveryCharacter()
    {
        QPlainTextEdit box;
        QTextCursor(box.document()).insertText(QStringLiteral("A\u00a0B\u2028C\u2029D\tE\n"));
        QCOMPARE(plainBoxText(&box), QStringLiteral("A\u00a0B\nC\nD\tE\n"));
    }

    // What a box holds once a text is set into it, known without the box.
    void textOnceSetMatchesTheBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF and lone CR") << QStringLiteral("A\r\nB\rC\nD");
        QTest::newRow("separators") << QStringLiteral("A\u2028B\u2029C\ufdd0D\ufdd1E");
        QTest::newRow("kept characters") << QStringLiteral("A\u00a0B\tC\r");
    }
    void textOnceSetMatchesTheBox()
    {
        QFETCH(QString, text);
        QPlainTextEdit box;
        setBoxText(&box, text);
        QCOMPARE(boxTextOnceSet(text), plainBoxText(&box));
    }

    // A document made for a box on another thread is not made once it is no longer wanted.
    void boxDocumentStopsWhenAsked()
    {
        const std::atomic<bool> stop{true};
        QVERIFY(!makeBoxDocument(QStringLiteral("A\nB"), QThread::currentThread(), stop));
    }
};

QTEST_MAIN(TestBoxText)
#include "tst_boxtext.moc"
