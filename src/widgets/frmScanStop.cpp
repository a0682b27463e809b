#include "widgets/frmScanStop.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace tess {

namespace {
frmScanStop *s_instance = nullptr;
}

frmScanStop *frmScanStop::instance()
{
    if (!s_instance) {
        s_instance = new frmScanStop();
        // Hidden windows are never unloaded while the program runs; this one goes with the
        // application object.
        qAddPostRoutine([] { delete s_instance; });
    }
    return s_instance;
}

bool frmScanStop::isLoaded() { return s_instance != nullptr; }

frmScanStop::frmScanStop() : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmScanStop"));
    setWindowTitle(QStringLiteral(" Scanning..."));
    setAttribute(Qt::WA_DeleteOnClose, false);

    lblScanned = new QLabel(QStringLiteral("Preparing..."), this);
    lblScanned->setObjectName(QStringLiteral("lblScanned"));
    lblScanned->setGeometry(12, 10, 196, 20);

    cmdCancel = new QPushButton(QStringLiteral("&Stop"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(70, 38, 80, 26);
    connect(cmdCancel, &QPushButton::clicked, this, &frmScanStop::cmdCancel_Click);

    setFixedSize(220, 76);
    Form_Load();
}

frmScanStop::~frmScanStop()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void frmScanStop::Form_Load() { setStopRequested(false); }

bool frmScanStop::showScan()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != this)
        return false;
    show();
    raise();
    return true;
}

bool frmScanStop::showScanOver(QWidget *modalOwner)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != this && modal != modalOwner)
        return false;
    if (!isVisible())
        setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    return true;
}

void frmScanStop::hideScan()
{
    hide();
    setWindowModality(Qt::NonModal);
}

void frmScanStop::cmdCancel_Click()
{
    setStopRequested(true);
    QCoreApplication::processEvents();
}

void frmScanStop::label(const QString &text) { lblScanned->setText(text); }

void frmScanStop::pump() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

} // namespace tess
