#include "preview/drawingpreviewloader.h"

#include <QBuffer>
#include <QImageReader>

namespace tess {

QImage decodeDrawingPreview(const DrawingPreview &preview, QString *reason)
{
    auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return QImage();
    };
    if (preview.outcome != PreviewOutcome::Image)
        return fail(preview.reason);
    QByteArray bytes = preview.image;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, preview.kind == PreviewImageKind::Png ? "png" : "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return fail(QStringLiteral("The preview image of this drawing is damaged."));
    if (size.width() > kMaxPreviewSide || size.height() > kMaxPreviewSide)
        return fail(QStringLiteral("The preview image of this drawing is too large to show (%1 x %2).")
                        .arg(size.width())
                        .arg(size.height()));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return fail(QStringLiteral("The preview image of this drawing is damaged: ") + reader.errorString());
    if (reason)
        reason->clear();
    return image;
}

DrawingPreviewLoader::DrawingPreviewLoader(QObject *parent)
    : DrawingPreviewLoader([](const QString &path) { return readDrawingPreview(path); }, parent)
{
}

DrawingPreviewLoader::DrawingPreviewLoader(ReadFunction read, QObject *parent)
    : QObject(parent), m_read(std::move(read))
{
    m_pool.setMaxThreadCount(1);
    m_pool.setObjectName(QStringLiteral("drawingPreviewReader"));
}

DrawingPreviewLoader::~DrawingPreviewLoader()
{
    m_pending.reset();
    m_pool.clear();
    m_pool.waitForDone();
}

void DrawingPreviewLoader::request(const QString &path)
{
    ++m_generation;
    if (m_running)
        m_pending = path;
    else
        start(path);
}

void DrawingPreviewLoader::cancel()
{
    ++m_generation;
    m_pending.reset();
}

void DrawingPreviewLoader::start(const QString &path)
{
    m_running = true;
    const quint64 generation = m_generation;
    const ReadFunction read = m_read;
    // The loader outlives the task (its destructor waits for the pool); the result is delivered on
    // the loader's thread, and dropped with the loader's posted events should it go first.
    m_pool.start([this, read, path, generation] {
        QString reason;
        const QImage image = decodeDrawingPreview(read(path), &reason);
        QMetaObject::invokeMethod(
            this, [this, generation, path, image, reason] { readDone(generation, path, image, reason); },
            Qt::QueuedConnection);
    });
}

void DrawingPreviewLoader::readDone(quint64 generation, const QString &path, const QImage &image, const QString &reason)
{
    m_running = false;
    if (m_pending) {
        // A later request waited: its read starts now and this result is stale.
        const QString next = *m_pending;
        m_pending.reset();
        start(next);
        return;
    }
    if (generation == m_generation)
        Q_EMIT finished(path, image, reason);
}

} // namespace tess
