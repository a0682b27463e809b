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

// An empty command box named `name` (its objectName) with the tooltip `toolTip`.
QPlainTextEdit *makeCommandBox(const QString &name, const QString &toolTip, QWidget *parent = nullptr);

} // namespace tess
