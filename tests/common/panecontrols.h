#pragma once
// The controls of the main window's queue pane and file selector, for the tests that drive them
// as a user would (select rows, type a filter, read a caption). Each is found by its object name
// under its own pane; a missing one fails the test. `window` is anything that reaches the main
// window with `->` (frmMain *, AppWindow, a smart pointer).

#include "mainwin/fileselectorpane.h"
#include "mainwin/queuelistview.h"
#include "mainwin/queuepane.h"
#include "uitest.h"
#include "widgets/filelistbox.h"

namespace tess::test {

template <class T, class Window> T *queueControl(const Window &window, const char *name)
{
    return child<T>(window->queuePane(), name);
}
template <class T, class Window> T *selectorControl(const Window &window, const char *name)
{
    return child<T>(window->fileSelector(), name);
}

// The queue List1 and the file list File1.
template <class Window> QueueListView *queueList(const Window &window)
{
    return queueControl<QueueListView>(window, "List1");
}
template <class Window> FileListBox *fileList(const Window &window)
{
    return selectorControl<FileListBox>(window, "File1");
}

} // namespace tess::test
