#include "widgets/commandbox.h"

#include "widgets/programfont.h"
#include "widgets/twips.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace tess {

QFont commandBoxFont() { return commandBoxFont(kProgramFontPointSize); }

QFont commandBoxFont(qreal pointSize)
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSizeF(pointSize);
    return f;
}

int commandBoxMargin() { return twipsToPixels(120); }

void setCommandBoxMargin(QPlainTextEdit *box) { box->document()->setDocumentMargin(commandBoxMargin()); }

QPlainTextEdit *makeCommandBox(const QString &name, const QString &toolTip, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setToolTip(toolTip);
    box->setFont(commandBoxFont());
    // A command line stays one line; AutoCAD reads each line as typed.
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    setCommandBoxMargin(box);
    return box;
}

} // namespace tess
