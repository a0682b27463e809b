#include "widgets/boxtext.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

namespace tess {

QString plainBoxText(const QPlainTextEdit *box)
{
    // toPlainText would turn no-break spaces into blanks, which AutoCAD reads differently; the
    // raw text keeps every character.
    QString t = box->document()->toRawText();
    // One pass over the fresh copy for both separators (U+2028 and U+2029, the only two characters
    // that read as U+2029 with the lowest bit set), written without a branch so that it runs on
    // many characters at once: a long text has a separator at every line.
    char16_t *chars = reinterpret_cast<char16_t *>(t.data());
    for (qsizetype i = 0, n = t.size(); i < n; ++i) {
        const char16_t c = chars[i];
        chars[i] = char16_t(c | 1u) == char16_t(QChar::ParagraphSeparator) ? u'\n' : c;
    }
    return t;
}

void replaceBoxText(QPlainTextEdit *box, const QString &text)
{
    if (plainBoxText(box) == text)
        return;
    QTextCursor c(box->document());
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    c.insertText(text);
    c.endEditBlock();
    box->setTextCursor(c);
}

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    if (plainBoxText(box) == text)
        return;
    // The document takes the text itself: the box's own setPlainText would then set the cursor's
    // character format over the whole text once more, a second pass over every line that a plain
    // box (one format throughout) does not need. The rest of what it leaves is kept: a fresh undo
    // history, the text not modified, the cursor at the start and the view at the top.
    QTextDocument *document = box->document();
    document->setPlainText(text);
    document->setModified(false);
    box->setTextCursor(QTextCursor(document));
}

QString boxTextOnceSet(const QString &text)
{
    QString held = boxTextFromCrLf(text);
    for (const QChar end :
         {QChar(QChar::ParagraphSeparator), QChar(QChar::LineSeparator), QChar(0xfdd0), QChar(0xfdd1)})
        held.replace(end, QLatin1Char('\n'));
    return held;
}

std::unique_ptr<QTextDocument> makeBoxDocument(const QString &text, QThread *home, const std::atomic<bool> &stop)
{
    auto document = std::make_unique<QTextDocument>();
    document->setPlainText(text);
    // A box lays out only the lines in view, but when it takes a document it clears every line's
    // layout, making each one first: made here, that pass only finds them.
    int line = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (++line % 4096 == 0 && stop.load(std::memory_order_relaxed))
            return nullptr;
        block.layout();
    }
    if (stop.load(std::memory_order_relaxed))
        return nullptr;
    document->setModified(false);
    document->moveToThread(home);
    return document;
}

void showBoxDocument(QPlainTextEdit *box, std::unique_ptr<QTextDocument> document)
{
    // The look is taken over before the layout is attached: each of these settings lays out the
    // whole text anew once a layout is there.
    QTextDocument *own = box->document();
    document->setDefaultFont(own->defaultFont());
    document->setDefaultTextOption(own->defaultTextOption());
    document->setDocumentMargin(own->documentMargin());
    document->setDefaultCursorMoveStyle(own->defaultCursorMoveStyle());
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    // The box's first document belongs to its text control, which frees it at the change; one
    // that was shown here belongs to the box and is freed here.
    const QPointer<QTextDocument> old = own;
    QTextDocument *shown = document.release();
    shown->setParent(box);
    box->setDocument(shown);
    if (old && old->parent() == box)
        delete old.data();
    box->setTextCursor(QTextCursor(shown));
}

QString boxTextFromCrLf(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString crLfFromBoxText(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

} // namespace tess
