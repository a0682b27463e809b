#pragma once
// The application object of a start, made with the program's fonts prepared alongside. Finding the
// system's fonts (the font configuration read, every face listed) costs more than building the
// main window's controls, and no control can be measured without them. So the configuration is
// read on a thread while the application object is being made; then the program font is applied
// and a second thread lists the fonts and resolves the program font's face while the main thread
// reads the settings and the state files and builds the window. The main thread meets that thread
// only on the font database's own lock, at its first use of a font, and only while it is still
// at work.

#include <functional>

namespace tess {

// Makes the application object so, then calls run() and returns what it returns. Every thread has
// ended before the application object goes. The program's main() and the start benchmark both
// start this way.
int runWithApplication(int &argc, char **argv, const std::function<int()> &run);

} // namespace tess
