// The drawing preview reader on any bytes: it never crashes, never reads outside the file, and what it
// gives back is whole: an image is a PNG stream or a bitmap file whose header agrees with its size,
// taken from inside the input; anything else is no image with a reason.

#include "preview/drawingpreview.h"

#include <QBuffer>
#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace tess;

namespace {

[[noreturn]] void fail(const char *what)
{
    fprintf(stderr, "drawing preview: %s\n", what);
    abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const DrawingPreview p = readDrawingPreview(buffer);

    if (!p.releaseCode.isEmpty() &&
        (p.releaseCode.size() != 6 || !p.releaseCode.startsWith(QLatin1String("AC"), Qt::CaseInsensitive)))
        fail("release code");
    if (p.outcome != PreviewOutcome::Image) {
        if (!p.image.isEmpty() || p.kind != PreviewImageKind::None || p.reason.isEmpty())
            fail("no image, but image data or no reason");
        return 0;
    }
    if (!p.reason.isEmpty() || p.image.isEmpty())
        fail("image without data");
    switch (p.kind) {
    case PreviewImageKind::Png:
        if (!p.image.startsWith("\x89PNG\r\n\x1a\n") || p.image.size() > kMaxPreviewImageBytes ||
            !bytes.contains(p.image))
            fail("PNG not taken whole from the input");
        break;
    case PreviewImageKind::Bmp: {
        const qsizetype dib = p.image.size() - 14;
        if (!p.image.startsWith("BM") || dib <= 0 || dib > kMaxPreviewImageBytes ||
            qFromLittleEndian<quint32>(p.image.constData() + 2) != quint32(p.image.size()) ||
            qFromLittleEndian<quint32>(p.image.constData() + 10) > quint32(p.image.size()) ||
            !bytes.contains(p.image.mid(14)))
            fail("bitmap file header");
        break;
    }
    case PreviewImageKind::None: fail("image of no kind");
    }
    return 0;
}
