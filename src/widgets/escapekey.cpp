#include "widgets/escapekey.h"

#include <QDialog>
#include <QKeyEvent>

namespace tess {

namespace {

class EscapeSwallower final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void ignoreEscape(QDialog *dialog) { dialog->installEventFilter(new EscapeSwallower(dialog)); }

} // namespace tess
