#include "tags/tagvaluebox.h"

#include "tags/datafilenames.h"

#include <QLineEdit>

namespace tess {

QLineEdit *makeTagValueBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString &text) {
        const QString single = withoutLineBreaks(text);
        if (single.size() == text.size())
            return;
        const int removedBefore =
            int(box->cursorPosition() - withoutLineBreaks(text.left(box->cursorPosition())).size());
        const int cursor = box->cursorPosition() - removedBefore;
        box->setText(single);
        box->setCursorPosition(cursor);
    });
    return box;
}

} // namespace tess
