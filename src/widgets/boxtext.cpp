#include "widgets/boxtext.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace tess {

QString plainBoxText(const QPlainTextEdit *box)
{
    // toPlainText would turn no-break spaces into blanks, which AutoCAD reads differently; the
    // raw text keeps every character.
    QString t = box->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
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
