#pragma once
// The preview image stored inside a drawing file, read without any outside component. The reader
// reads the first bytes of the file (the release code and the place of the preview block) and then
// the preview block alone, never the whole drawing, and checks every offset, length and count it
// meets against the file and the block before it uses it.
//
// Layout (integers little-endian):
//   bytes 0-5    the release code in ASCII, "AC1012" (R13) to "AC1032" (2018 format) hold a preview;
//   bytes 13-16  the absolute file offset of the preview block;
//   the block    a 16-byte start marker, a 32-bit size S (the bytes after it up to the end marker),
//                a 1-byte entry count n, n entries of 9 bytes (1-byte kind, 32-bit absolute start,
//                32-bit length), their data, and at block + 20 + S the end marker (the start marker
//                with every bit inverted);
//   kinds        1 header data, 2 a Windows bitmap without its file header, 3 a Windows metafile,
//                6 a complete PNG stream. PNG wins over a bitmap; a metafile is not shown.

#include <QByteArray>
#include <QString>

class QIODevice;

namespace tess {

enum class PreviewOutcome {
    Image,       // `image` holds a complete PNG or BMP file
    NoPreview,   // a drawing without a preview we can show (old release, none stored, damaged, too large)
    NotADrawing, // the file does not begin with a release code, or is no plain file
    CannotRead,  // the file could not be opened or read; `reason` holds the system's reason
};

enum class PreviewImageKind { None, Png, Bmp };

struct DrawingPreview {
    PreviewOutcome outcome = PreviewOutcome::CannotRead;
    // The six characters of the release code ("AC1018"); "" when the file does not begin with one.
    QString releaseCode;
    PreviewImageKind kind = PreviewImageKind::None;
    // The encoded image, ready for an image reader: a PNG stream, or a bitmap with its file header.
    QByteArray image;
    // Why there is no image (a sentence for the user); "" for an image.
    QString reason;
};

// An image entry longer than this is refused (no preview).
inline constexpr qint64 kMaxPreviewImageBytes = 16 * 1024 * 1024;

// The preview of the drawing at `path`.
DrawingPreview readDrawingPreview(const QString &path);
// The same from a device open for reading with random access (a file, a buffer); the device's
// position is left anywhere.
DrawingPreview readDrawingPreview(QIODevice &device);

} // namespace tess
