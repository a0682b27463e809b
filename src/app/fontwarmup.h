#pragma once
// The application object of a start, made with the program font and the fonts prepared alongside.
// Finding the system's fonts (the font configuration read, every face listed) costs more than
// building the main window's controls, and no control can be measured without them. So the
// configuration is read on a thread while the application object is being made; then a second
// thread lists the fonts while the main thread reads the settings and the state files and starts
// building the window. The main thread meets that thread only on the font database's own lock, at
// its first use of a font, and only while it is still at work.

#include <functional>

namespace tess {

// Makes the application object so and applies the program font, then calls run() and returns
// what it returns. Every thread has ended before the application object goes. The program's main()
// and the start benchmark both start this way.
int runWithApplication(int &argc, char **argv, const std::function<int()> &run);

} // namespace tess
