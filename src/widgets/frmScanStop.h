#pragma once
// The small progress window of the long scans: a label with the progress text and a Stop button
// that sets the window's own stop request. The window is the ScanProgress its callers pass to the
// scans, so they read its stop request and count into it. Not modal, without owner; its callers
// show and hide it.

#include "core/listutils.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace tess {

class frmScanStop final : public QWidget, public ScanProgress
{
    Q_OBJECT
public:
    // The program's one scan window, loaded (hidden) on first use; loading clears its stop request.
    static frmScanStop *instance();
    // Whether the window is loaded now (instance() would not load it).
    static bool isLoaded();

    // Shows it not modal; fails (false, nothing shown) while a modal window of the program is open.
    bool showScan();
    // Shows it above the modal window `modalOwner`, itself modal, so that its Stop button takes
    // the clicks the modal window would otherwise block; false (nothing shown) while another
    // modal window is on top. hideScan() makes it modeless again.
    bool showScanOver(QWidget *modalOwner);
    void hideScan();

    QLabel *lblScanned = nullptr;
    QPushButton *cmdCancel = nullptr;

    // ScanProgress: the label's text; pending events run (the caller paces the calls).
    void label(const QString &text) override;
    void pump() override;

    ~frmScanStop() override;

public Q_SLOTS:
    void cmdCancel_Click();

private:
    frmScanStop();
    void Form_Load();
};

} // namespace tess
