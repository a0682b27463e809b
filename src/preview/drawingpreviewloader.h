#pragma once
// Reads drawing previews off the user-interface thread: one read in flight at a time; a request
// made meanwhile waits and is replaced by any later one, and the result of a read that a later
// request has overtaken is dropped. So a slow or unreachable share never freezes the window, and
// the picture always ends on the drawing clicked last.

#include "preview/drawingpreview.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <optional>

namespace tess {

// The largest picture side the preview decodes; a larger image (a forged header included) is
// refused before any pixel memory is taken.
inline constexpr int kMaxPreviewSide = 4096;

// The image of a preview the reader found, decoded with an image reader that first checks the
// size; a null image and the reason when there is none, it is too large or it cannot be decoded.
QImage decodeDrawingPreview(const DrawingPreview &preview, QString *reason);

class DrawingPreviewLoader final : public QObject
{
    Q_OBJECT
public:
    // Reads a drawing's preview; runs on a worker thread. Tests put a slow or counting one in.
    using ReadFunction = std::function<DrawingPreview(const QString &path)>;

    explicit DrawingPreviewLoader(QObject *parent = nullptr);
    DrawingPreviewLoader(ReadFunction read, QObject *parent);
    // Waits for a read in flight (its result is dropped).
    ~DrawingPreviewLoader() override;

    // Reads the preview of `path` and reports it with finished(); a request still waiting is replaced.
    void request(const QString &path);
    // Forgets what is waiting and drops the result of the read in flight.
    void cancel();
    // True while a read runs or waits.
    bool isBusy() const { return m_running || m_pending.has_value(); }

Q_SIGNALS:
    // The preview of the drawing requested last: its image, or a null image and the reason.
    void finished(const QString &path, const QImage &image, const QString &reason);

private:
    void start(const QString &path);
    void readDone(quint64 generation, const QString &path, const QImage &image, const QString &reason);

    ReadFunction m_read;
    QThreadPool m_pool;
    quint64 m_generation = 0;
    bool m_running = false;
    std::optional<QString> m_pending;
};

} // namespace tess
