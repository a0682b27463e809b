#include "widgets/programfont.h"

#include <QApplication>
#include <QFont>

namespace tess {

void applyProgramFont()
{
    // The system's own user-interface face (a sans-serif on every platform), at the program's size.
    QFont font = QApplication::font();
    font.setPointSize(kProgramFontPointSize);
    QApplication::setFont(font);
}

} // namespace tess
