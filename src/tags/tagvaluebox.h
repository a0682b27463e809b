#pragma once
// The single-line value boxes of the tag managers. A value goes into the batch script as it
// stands, where a line break would end an AutoCAD command: line breaks pasted or set into the box
// are dropped at once.

#include <QString>

class QLineEdit;
class QWidget;

namespace tess {

QLineEdit *makeTagValueBox(const QString &name, QWidget *parent);

} // namespace tess
