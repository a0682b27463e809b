#pragma once
// The user and project tags in the main window: the user tag manager made hidden at start, the
// project tag manager on first use, their Tools menu items, the template loads reported in the
// status label, and "&Ok" of the user tag manager announced as settings applied.

namespace tess {

class Application;
class frmMain;

void installTags(Application &app, frmMain &window);

} // namespace tess
