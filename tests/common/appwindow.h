#pragma once
// The main window as the program builds it: through the application object, with every
// subsystem installed and loaded from MainSettings as the test prepared them.

#include "app/application.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/mainlayout.h"
#include "mainwin/queuepane.h"
#include "mainwin/usersetsframe.h"

#include <memory>

namespace tess::test {

class AppWindow
{
public:
    AppWindow() : m_app(std::make_unique<Application>()) { m_window = m_app->buildWindow(); }
    frmMain *operator->() const { return m_window; }
    frmMain &operator*() const { return *m_window; }
    frmMain *get() const { return m_window; }
    Application &app() const { return *m_app; }

private:
    std::unique_ptr<Application> m_app;
    frmMain *m_window = nullptr;
};

} // namespace tess::test
