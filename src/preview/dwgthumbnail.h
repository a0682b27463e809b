#pragma once
// The drawing-thumbnail control of the preview window: given a drawing's full path it shows that
// drawing's preview image, scaled to fit with its proportions kept; the empty text clears it. The
// preview is read off the user-interface thread; a drawing without a picture we can show leaves the
// picture empty, and the reason is the control's tooltip. It never shows a message box.

#include <QImage>
#include <QString>
#include <QWidget>

class QTimer;

namespace tess {

class DrawingPreviewLoader;

class DwgThumbnail final : public QWidget
{
    Q_OBJECT
public:
    explicit DwgThumbnail(QWidget *parent = nullptr);

    // The control's default property: the drawing shown; "" clears the picture.
    void setDrawingPath(const QString &path);
    QString drawingPath() const { return m_path; }

    // The picture shown (null when empty), and whether a read is still under way.
    QImage picture() const { return m_picture; }
    bool isLoading() const;
    DrawingPreviewLoader *loader() const { return m_loader; }

    QSize sizeHint() const override;

Q_SIGNALS:
    // The read of the drawing set last has ended (with a picture or without), or the picture was cleared.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void previewRead(const QString &path, const QImage &image, const QString &reason);
    void setPicture(const QImage &image, const QString &tip);

    DrawingPreviewLoader *m_loader = nullptr;
    QTimer *m_staleTimer = nullptr;
    QString m_path;
    QImage m_picture;
};

} // namespace tess
