#include "preview/drawingpreview.h"

#include "core/fileio.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace tess {

namespace {

// The header bytes the reader needs: the release code and the offset of the preview block.
constexpr qint64 kHeaderBytes = 17;
constexpr qint64 kBlockOffsetAt = 13;
constexpr int kMarkerBytes = 16;
// Start marker, 32-bit size, 1-byte entry count.
constexpr qint64 kBlockHeadBytes = kMarkerBytes + 4 + 1;
constexpr qint64 kEntryBytes = 9;
constexpr qint64 kBitmapFileHeaderBytes = 14;

constexpr unsigned char kStartMarker[kMarkerBytes] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                                                      0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The releases that store a preview block at the offset in bytes 13-16.
constexpr int kFirstPreviewRelease = 1012; // R13
constexpr int kLastPreviewRelease = 1032;  // the 2018 format

enum EntryKind : quint8 { HeaderData = 1, Bitmap = 2, Metafile = 3, Png = 6 };

quint32 le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

quint16 le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint16(u[0] | u[1] << 8);
}

void putLe32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

DrawingPreview finding(PreviewOutcome outcome, const QString &reason, const QString &code = QString())
{
    DrawingPreview r;
    r.outcome = outcome;
    r.reason = reason;
    r.releaseCode = code;
    return r;
}

QString cannotReadReason(const QString &systemReason)
{
    return QStringLiteral("The drawing cannot be read: ") + systemReason;
}

QString notADrawingReason() { return QStringLiteral("This file is not a drawing."); }

QString damagedReason() { return QStringLiteral("The preview image of this drawing is damaged or protected."); }

QString noImageReason() { return QStringLiteral("This drawing holds no preview image."); }

// Reads exactly `length` bytes at `pos` (the caller has checked them against the file's size).
bool readAt(QIODevice &device, qint64 pos, qint64 length, QByteArray &out, QString &error)
{
    if (!device.seek(pos)) {
        error = device.errorString();
        return false;
    }
    out.resize(length);
    qint64 done = 0;
    while (done < length) {
        const qint64 n = device.read(out.data() + done, length - done);
        if (n < 0) {
            error = device.errorString();
            return false;
        }
        if (n == 0) {
            // The file became shorter while it was read.
            error = QStringLiteral("the file ended early");
            return false;
        }
        done += n;
    }
    return true;
}

// The release number of "AC1018" (1018); -1 when the four characters after "AC" are not digits.
int releaseNumber(const QByteArray &head)
{
    int number = 0;
    for (int i = 2; i < 6; ++i) {
        const char c = head.at(i);
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

// A bitmap as stored in the block (its info header first) with a file header in front, or nothing
// when its info header does not fit the entry.
std::optional<QByteArray> bitmapFile(const QByteArray &dib)
{
    const qint64 length = dib.size();
    if (length < 4)
        return std::nullopt;
    const qint64 headerSize = le32(dib.constData());
    qint64 paletteBytes = 0;
    qint64 maskBytes = 0;
    if (headerSize == 12) {
        // The old core header: 16-bit width and height, colours of 3 bytes.
        if (length < 12)
            return std::nullopt;
        const int bits = le16(dib.constData() + 10);
        paletteBytes = bits <= 8 ? (qint64(1) << bits) * 3 : 0;
    } else if (headerSize >= 40 && headerSize <= length) {
        const int bits = le16(dib.constData() + 14);
        const quint32 compression = le32(dib.constData() + 16);
        const quint32 coloursUsed = le32(dib.constData() + 32);
        const qint64 colours = coloursUsed != 0 ? qint64(coloursUsed) : (bits <= 8 ? qint64(1) << bits : 0);
        paletteBytes = colours * 4;
        // Colour masks follow a 40-byte header when the pixels are bit fields (3), with alpha (6).
        if (headerSize == 40 && compression == 3)
            maskBytes = 12;
        else if (headerSize == 40 && compression == 6)
            maskBytes = 16;
    } else {
        return std::nullopt;
    }
    const qint64 pixelOffset = kBitmapFileHeaderBytes + headerSize + paletteBytes + maskBytes;
    if (pixelOffset > kBitmapFileHeaderBytes + length)
        return std::nullopt;

    QByteArray file;
    file.reserve(kBitmapFileHeaderBytes + length);
    file.append("BM", 2);
    putLe32(file, quint32(kBitmapFileHeaderBytes + length));
    putLe32(file, 0);
    putLe32(file, quint32(pixelOffset));
    file.append(dib);
    return file;
}

struct Entry {
    qint64 start = 0;
    qint64 length = 0;
};

} // namespace

DrawingPreview readDrawingPreview(const QString &path)
{
    const QFileInfo info(path);
    // Only a plain file is opened: a folder, a pipe or a device is no drawing (and opening a pipe
    // would wait for a writer).
    if (info.exists() && !info.isFile())
        return finding(PreviewOutcome::NotADrawing, notADrawingReason());
    QFile file(path);
    if (const FileResult opened = openRegularFile(file, QIODevice::ReadOnly); !opened.ok()) {
        // A pipe or a device put at the name since the look above is no drawing either.
        if (QFileInfo::exists(path) && !isRegularFile(path))
            return finding(PreviewOutcome::NotADrawing, notADrawingReason());
        // A missing file is named in the system's words.
        return finding(PreviewOutcome::CannotRead,
                       cannotReadReason(opened.error == kFileNotFound ? qt_error_string(ENOENT) : opened.reason));
    }
    return readDrawingPreview(file);
}

DrawingPreview readDrawingPreview(QIODevice &device)
{
    if (!device.isOpen() || !device.isReadable())
        return finding(PreviewOutcome::CannotRead, cannotReadReason(QStringLiteral("it is not open for reading")));
    if (device.isSequential())
        return finding(PreviewOutcome::NotADrawing, notADrawingReason());
    const qint64 fileSize = device.size();
    QString error;

    QByteArray head;
    if (!readAt(device, 0, std::clamp<qint64>(fileSize, 0, kHeaderBytes), head, error))
        return finding(PreviewOutcome::CannotRead, cannotReadReason(error));
    // A release code is "AC" and four more characters (compared ignoring case, as the release scan does).
    if (head.size() < 6 || (head.at(0) != 'A' && head.at(0) != 'a') || (head.at(1) != 'C' && head.at(1) != 'c'))
        return finding(PreviewOutcome::NotADrawing, notADrawingReason());
    const QString code = QString::fromLatin1(head.left(6));
    const int release = releaseNumber(head);
    if (release < kFirstPreviewRelease || release > kLastPreviewRelease)
        return finding(PreviewOutcome::NoPreview,
                       QStringLiteral("Drawings of release %1 hold no preview image we can show.").arg(code), code);
    if (head.size() < kHeaderBytes)
        return finding(PreviewOutcome::NoPreview, damagedReason(), code);

    // Every position below is checked in 64-bit arithmetic against the file before it is read.
    const qint64 block = le32(head.constData() + kBlockOffsetAt);
    if (block + kBlockHeadBytes > fileSize)
        return finding(PreviewOutcome::NoPreview, damagedReason(), code);
    QByteArray blockHead;
    if (!readAt(device, block, kBlockHeadBytes, blockHead, error))
        return finding(PreviewOutcome::CannotRead, cannotReadReason(error), code);
    if (std::memcmp(blockHead.constData(), kStartMarker, kMarkerBytes) != 0)
        return finding(PreviewOutcome::NoPreview, damagedReason(), code);
    const qint64 blockSize = le32(blockHead.constData() + kMarkerBytes);
    const qint64 entryCount = quint8(blockHead.at(kMarkerBytes + 4));
    // The end marker starts where the size ends, the block's data ends where the end marker starts.
    const qint64 dataEnd = block + kMarkerBytes + 4 + blockSize;
    const qint64 tableEnd = block + kBlockHeadBytes + entryCount * kEntryBytes;
    if (dataEnd + kMarkerBytes > fileSize || tableEnd > dataEnd)
        return finding(PreviewOutcome::NoPreview, damagedReason(), code);
    if (entryCount == 0)
        return finding(PreviewOutcome::NoPreview, noImageReason(), code);

    QByteArray endMarker;
    if (!readAt(device, dataEnd, kMarkerBytes, endMarker, error))
        return finding(PreviewOutcome::CannotRead, cannotReadReason(error), code);
    for (int i = 0; i < kMarkerBytes; ++i)
        if (quint8(endMarker.at(i)) != quint8(~kStartMarker[i]))
            return finding(PreviewOutcome::NoPreview, damagedReason(), code);

    QByteArray table;
    if (!readAt(device, block + kBlockHeadBytes, entryCount * kEntryBytes, table, error))
        return finding(PreviewOutcome::CannotRead, cannotReadReason(error), code);
    // The first usable PNG and the first usable bitmap: data inside the block, after the table.
    std::optional<Entry> png, bitmap;
    bool imageListed = false;
    bool tooLarge = false;
    for (qint64 i = 0; i < entryCount; ++i) {
        const char *e = table.constData() + i * kEntryBytes;
        const quint8 kind = quint8(e[0]);
        if (kind != Png && kind != Bitmap)
            continue;
        imageListed = true;
        const Entry entry{le32(e + 1), le32(e + 5)};
        if (entry.start < tableEnd || entry.length <= 0 || entry.start + entry.length > dataEnd)
            continue;
        if (entry.length > kMaxPreviewImageBytes) {
            tooLarge = true;
            continue;
        }
        std::optional<Entry> &slot = kind == Png ? png : bitmap;
        if (!slot)
            slot = entry;
    }

    if (png) {
        QByteArray bytes;
        if (!readAt(device, png->start, png->length, bytes, error))
            return finding(PreviewOutcome::CannotRead, cannotReadReason(error), code);
        if (bytes.size() >= qsizetype(sizeof kPngSignature) &&
            std::memcmp(bytes.constData(), kPngSignature, sizeof kPngSignature) == 0) {
            DrawingPreview r = finding(PreviewOutcome::Image, QString(), code);
            r.kind = PreviewImageKind::Png;
            r.image = bytes;
            return r;
        }
    }
    if (bitmap) {
        QByteArray dib;
        if (!readAt(device, bitmap->start, bitmap->length, dib, error))
            return finding(PreviewOutcome::CannotRead, cannotReadReason(error), code);
        if (std::optional<QByteArray> file = bitmapFile(dib)) {
            DrawingPreview r = finding(PreviewOutcome::Image, QString(), code);
            r.kind = PreviewImageKind::Bmp;
            r.image = std::move(*file);
            return r;
        }
    }
    if (tooLarge && !png && !bitmap)
        return finding(PreviewOutcome::NoPreview,
                       QStringLiteral("The preview image of this drawing is larger than 16 MB."), code);
    return finding(PreviewOutcome::NoPreview, imageListed ? damagedReason() : noImageReason(), code);
}

} // namespace tess
