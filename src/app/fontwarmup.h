#pragma once
// The application object of a start, made with the program font and the fonts prepared alongside.
// Finding the system's fonts (the font configuration read, every face listed) costs more than
// building the main window's controls, and no control can be measured without them. So the
// configuration is read on a thread from the moment the program starts, and a second thread lists
// the fonts as soon as both the configuration and the application object are there, while the main
// thread reads the settings and the state files. The main thread waits only before its first use of
// a font: for the configuration in waitForFontConfiguration(), then for the list on the font
// database's own lock, each only while it is still being read.

#include <functional>

namespace tess {

// Makes the application object so and applies the program font, then calls run() and returns
// what it returns. Every thread has ended before the application object goes. The program's main()
// and the start benchmark both start this way.
int runWithApplication(int &argc, char **argv, const std::function<int()> &run);

// Waits until the font configuration that runWithApplication() reads ahead is read (at once when
// it is, or when there is none). Called on the main thread before its first use of a font: the
// font database would otherwise read the configuration a second time alongside, not wait for it.
void waitForFontConfiguration();

} // namespace tess
