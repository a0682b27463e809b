#include "preview/dwgthumbnail.h"

#include "preview/drawingpreviewloader.h"
#include "widgets/twips.h"

#include <QDir>
#include <QPainter>
#include <QTimer>

namespace tess {

namespace {
// While a read takes longer than this, the picture of the drawing shown before goes away, so it is
// never taken for the drawing now clicked (a quick read replaces it without a flicker).
constexpr int kStalePictureMs = 300;
} // namespace

DwgThumbnail::DwgThumbnail(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DwgThumbnail1"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_loader = new DrawingPreviewLoader(this);
    connect(m_loader, &DrawingPreviewLoader::finished, this, &DwgThumbnail::previewRead);
    m_staleTimer = new QTimer(this);
    m_staleTimer->setSingleShot(true);
    m_staleTimer->setInterval(kStalePictureMs);
    connect(m_staleTimer, &QTimer::timeout, this, [this] { setPicture(QImage(), toolTip()); });
}

QSize DwgThumbnail::sizeHint() const { return {twipsToPixels(3735), twipsToPixels(2295)}; }

bool DwgThumbnail::isLoading() const { return m_loader->isBusy(); }

void DwgThumbnail::setDrawingPath(const QString &path)
{
    m_path = path;
    if (path.isEmpty()) {
        m_loader->cancel();
        m_staleTimer->stop();
        setPicture(QImage(), QString());
        Q_EMIT pictureChanged();
        return;
    }
    setToolTip(QDir::toNativeSeparators(path));
    m_loader->request(path);
    m_staleTimer->start();
}

void DwgThumbnail::previewRead(const QString &path, const QImage &image, const QString &reason)
{
    if (path != m_path)
        return;
    m_staleTimer->stop();
    const QString name = QDir::toNativeSeparators(path);
    setPicture(image, image.isNull() ? name + QLatin1Char('\n') + reason : name);
    Q_EMIT pictureChanged();
}

void DwgThumbnail::setPicture(const QImage &image, const QString &tip)
{
    m_picture = image;
    setToolTip(tip);
    update();
}

void DwgThumbnail::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    // The whole picture, as large as the control allows, its proportions kept, centred.
    const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}

} // namespace tess
