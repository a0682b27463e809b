#pragma once
// The multi-line boxes that hold AutoCAD command-line input (the four batch-flow boxes of the
// "Settings" tab and of the larger editor): "Courier New", no line wrapping, Tab moves on.

#include <QFont>
#include <QString>

class QPlainTextEdit;
class QWidget;

namespace tess {

// "Courier New" at the program's point size (or the one given); where it is missing, the system's
// fixed-pitch font.
QFont commandBoxFont();
QFont commandBoxFont(qreal pointSize);

// The space between a command box's frame and its text: a line's first character (often the "_"
// of a command) stands clear of the frame.
int commandBoxMargin();
// Sets that space on a box.
void setCommandBoxMargin(QPlainTextEdit *box);

// An empty command box named `name` (its objectName) with the tooltip `toolTip`, its margin set.
QPlainTextEdit *makeCommandBox(const QString &name, const QString &toolTip, QWidget *parent = nullptr);

} // namespace tess
