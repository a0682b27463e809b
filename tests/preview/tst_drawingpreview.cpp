// The preview reader on synthetic and real drawings (what it finds, that the image decodes, that it
// never reads more than the header and the block), the decoding limit, and the loader's rule of one
// read in flight with stale results dropped.
//
// TESSALINE_WRITE_FUZZ_SEEDS=<folder> writes the synthetic drawings of the case table into that
// folder (the seeds of fuzz/fuzz_drawingpreview, kept in fuzz/seeds/drawingpreview).

#include "preview/drawingpreview.h"
#include "preview/drawingpreviewloader.h"
#include "syntheticdrawing.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

using namespace tess;
using test::SyntheticDrawing;

Q_DECLARE_METATYPE(tess::PreviewOutcome)
Q_DECLARE_METATYPE(tess::PreviewImageKind)

namespace {

// A PNG of 3 x 2 pixels: the top left one blue, the one under it red.
QByteArray tinyPng()
{
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::green);
    img.setPixelColor(0, 0, Qt::blue);
    img.setPixelColor(0, 1, Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

SyntheticDrawing drawingWith(const QList<test::SyntheticEntry> &images, const QByteArray &code = "AC1018")
{
    SyntheticDrawing d;
    d.code = code;
    d.entries = {{1, QByteArray(80, 'h')}};
    d.entries += images;
    return d;
}

DrawingPreview readBytes(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readDrawingPreview(buffer);
}

// Passes reads through to another device and counts the bytes they return.
class CountingDevice final : public QIODevice
{
public:
    explicit CountingDevice(QIODevice *inner) : m_inner(inner) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    qint64 size() const override { return m_inner->size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_inner->seek(pos); }
    qint64 bytesRead = 0;
    int reads = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = m_inner->read(data, maxSize);
        if (n > 0) {
            bytesRead += n;
            ++reads;
        }
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice *m_inner;
};

// A file whose reads fail once past its first bytes (a share that goes away).
class FailingDevice final : public QIODevice
{
public:
    FailingDevice(const QByteArray &bytes, qint64 failFrom) : m_bytes(bytes), m_failFrom(failFrom)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 size() const override { return m_bytes.size(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() >= m_failFrom) {
            setErrorString(QStringLiteral("The network name is no longer available"));
            return -1;
        }
        const qint64 n = std::min(maxSize, m_bytes.size() - pos());
        memcpy(data, m_bytes.constData() + pos(), size_t(n));
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_failFrom;
};

// A bitmap file's header is whole: "BM", the total size, 4 zero bytes, and a pixel offset after which
// exactly the rows of its uncompressed pixels follow (so the palette and masks were counted right).
void checkBitmapFileHeader(const QByteArray &file)
{
    QVERIFY(file.startsWith("BM"));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 2), quint32(file.size()));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 6), 0u);
    const quint32 info = qFromLittleEndian<quint32>(file.constData() + 14);
    const bool core = info == 12;
    const qint64 width =
        core ? qFromLittleEndian<quint16>(file.constData() + 18) : qFromLittleEndian<qint32>(file.constData() + 18);
    const qint64 height =
        core ? qFromLittleEndian<quint16>(file.constData() + 20) : qFromLittleEndian<qint32>(file.constData() + 22);
    const int bits = qFromLittleEndian<quint16>(file.constData() + (core ? 24 : 28));
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    QCOMPARE(qint64(qFromLittleEndian<quint32>(file.constData() + 10)), file.size() - rowBytes * std::abs(height));
}

} // namespace

class TestDrawingPreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void syntheticDrawings_data();
    void syntheticDrawings();
    void realDrawings_data();
    void realDrawings();
    void readsOnlyTheHeaderAndTheBlock();
    void unreadableFiles();
    void oversizedImagesAreRefused();
    void loaderKeepsOneReadInFlightAndDropsStaleResults();
    void loaderCancelDropsTheResult();
};

void TestDrawingPreview::syntheticDrawings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<PreviewOutcome>("outcome");
    QTest::addColumn<QString>("code");
    QTest::addColumn<PreviewImageKind>("kind");
    QTest::addColumn<QSize>("size"); // of the decoded image

    using O = PreviewOutcome;
    using K = PreviewImageKind;
    const QSize none(0, 0); // a null image
    const QSize two(2, 2);
    const QByteArray png = tinyPng();
    const QByteArray bmp = test::bitmap8();

    QTest::newRow("8-bit bitmap") << drawingWith({{2, bmp}}).bytes() << O::Image << "AC1018" << K::Bmp << two;
    QTest::newRow("4-bit bitmap, 3 colours used")
        << drawingWith({{2, test::bitmap4Used3()}}).bytes() << O::Image << "AC1018" << K::Bmp << two;
    QTest::newRow("32-bit bitmap") << drawingWith({{2, test::bitmap32()}}).bytes() << O::Image << "AC1018" << K::Bmp
                                   << two;
    QTest::newRow("32-bit bitmap with colour masks")
        << drawingWith({{2, test::bitmap32Masks()}}).bytes() << O::Image << "AC1018" << K::Bmp << two;
    QTest::newRow("bitmap with a core header")
        << drawingWith({{2, test::bitmapCore8()}}).bytes() << O::Image << "AC1018" << K::Bmp << two;
    QTest::newRow("PNG") << drawingWith({{6, png}}, "AC1027").bytes() << O::Image << "AC1027" << K::Png << QSize(3, 2);
    QTest::newRow("PNG wins over a bitmap listed first")
        << drawingWith({{2, bmp}, {6, png}}).bytes() << O::Image << "AC1018" << K::Png << QSize(3, 2);
    QTest::newRow("a damaged PNG leaves the bitmap")
        << drawingWith({{6, QByteArray("not a png stream")}, {2, bmp}}).bytes() << O::Image << "AC1018" << K::Bmp
        << two;
    QTest::newRow("lowest release with a preview")
        << drawingWith({{2, bmp}}, "AC1012").bytes() << O::Image << "AC1012" << K::Bmp << two;
    QTest::newRow("highest release with a preview")
        << drawingWith({{6, png}}, "AC1032").bytes() << O::Image << "AC1032" << K::Png << QSize(3, 2);
    QTest::newRow("release code in small letters")
        << drawingWith({{2, bmp}}, "ac1015").bytes() << O::Image << "ac1015" << K::Bmp << two;
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.blockOffset = 4099;
        QTest::newRow("block at an odd offset") << d.bytes() << O::Image << "AC1018" << K::Bmp << two;
    }

    QTest::newRow("release below the range")
        << drawingWith({{2, bmp}}, "AC1009").bytes() << O::NoPreview << "AC1009" << K::None << none;
    QTest::newRow("release above the range")
        << drawingWith({{2, bmp}}, "AC1033").bytes() << O::NoPreview << "AC1033" << K::None << none;
    QTest::newRow("release code not a number")
        << drawingWith({{2, bmp}}, "AC10X8").bytes() << O::NoPreview << "AC10X8" << K::None << none;
    QTest::newRow("not a drawing") << QByteArray("PK\x03\x04 an archive, not a drawing at all") << O::NotADrawing << ""
                                   << K::None << none;
    QTest::newRow("empty file") << QByteArray() << O::NotADrawing << "" << K::None << none;
    QTest::newRow("release code cut short") << QByteArray("AC10") << O::NotADrawing << "" << K::None << none;
    QTest::newRow("shorter than 17 bytes")
        << QByteArray("AC1018\0\0\0\0\0\0\0\x80", 14) << O::NoPreview << "AC1018" << K::None << none;
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.offsetField = quint32(d.bytes().size() - 10);
        QTest::newRow("block offset past the end") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
        d.offsetField = 0xFFFFFFF0u;
        QTest::newRow("block offset near 4 GB") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
        d.offsetField = 3;
        QTest::newRow("block offset inside the header") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.damageStartMarker = true;
        QTest::newRow("wrong start marker") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.damageEndMarker = true;
        QTest::newRow("wrong end marker") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.countField = 0;
        QTest::newRow("no entries") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
    QTest::newRow("header data only") << drawingWith({}).bytes() << O::NoPreview << "AC1018" << K::None << none;
    QTest::newRow("metafile only") << drawingWith({{3, QByteArray(64, 'w')}}).bytes() << O::NoPreview << "AC1018"
                                   << K::None << none;
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.countField = 255;
        QTest::newRow("table longer than the block") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.sizeField = 0x7FFFFFF0u;
        QTest::newRow("block size past the end") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
    {
        SyntheticDrawing d = drawingWith({{2, bmp}});
        d.entries[1].length = 0xFFFFFF00u;
        QTest::newRow("entry length past the end") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
        d.entries[1].length = quint32(bmp.size() + 17);
        QTest::newRow("entry running into the end marker") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
        d.entries[1].length.reset();
        d.entries[1].start = 0xFFFFFFFFu;
        QTest::newRow("entry start past the end") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
        d.entries[1].start = 0;
        QTest::newRow("entry start before the block") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
        d.entries[1].start = d.blockOffset + 21;
        QTest::newRow("entry start inside the table") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
        d.entries[1].start.reset();
        d.entries[1].length = 0;
        QTest::newRow("entry of length 0") << d.bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
    {
        // The bitmap is listed before the padding but its data lies after it: each entry is read at
        // its own start, not in the order of the table.
        SyntheticDrawing d = drawingWith({{2, QByteArray("padding!")}, {1, bmp}});
        d.entries[1].start = d.dataStart(2);
        d.entries[1].length = quint32(bmp.size());
        d.entries[2].start = d.dataStart(1);
        d.entries[2].length = 8;
        QTest::newRow("entries read at their own start") << d.bytes() << O::Image << "AC1018" << K::Bmp << two;
    }
    {
        QByteArray header = test::infoHeader(8, 0, 0);
        header.replace(0, 4, QByteArray::fromHex("FFFFFF7F"));
        QTest::newRow("bitmap header size past the entry")
            << drawingWith({{2, header + QByteArray(64, '\0')}}).bytes() << O::NoPreview << "AC1018" << K::None << none;
        QTest::newRow("bitmap palette past the entry")
            << drawingWith({{2, test::infoHeader(8, 0, 0x40000000) + QByteArray(64, '\0')}}).bytes() << O::NoPreview
            << "AC1018" << K::None << none;
        QTest::newRow("bitmap shorter than its header size")
            << drawingWith({{2, QByteArray::fromHex("2800")}}).bytes() << O::NoPreview << "AC1018" << K::None << none;
    }
}

void TestDrawingPreview::syntheticDrawings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PreviewOutcome, outcome);
    QFETCH(QString, code);
    QFETCH(PreviewImageKind, kind);
    QFETCH(QSize, size);

    const QString seeds = qEnvironmentVariable("TESSALINE_WRITE_FUZZ_SEEDS");
    if (!seeds.isEmpty()) {
        QDir().mkpath(seeds);
        QString name = QString::fromLatin1(QTest::currentDataTag())
                           .replace(QRegularExpression(QStringLiteral("\\W+")), QStringLiteral("-"));
        QFile f(seeds + QLatin1Char('/') + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    const DrawingPreview p = readBytes(bytes);
    QCOMPARE(p.outcome, outcome);
    QCOMPARE(p.releaseCode, code);
    QCOMPARE(p.kind, kind);
    QCOMPARE(p.image.isEmpty(), outcome != PreviewOutcome::Image);
    QCOMPARE(p.reason.isEmpty(), outcome == PreviewOutcome::Image);

    QString reason;
    const QImage image = decodeDrawingPreview(p, &reason);
    QCOMPARE(image.size(), size);
    if (!image.isNull()) {
        QVERIFY(reason.isEmpty());
        // The pixels start where the file header says: the colours come out right.
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(0, 1), QColor(Qt::red));
    } else {
        QCOMPARE(reason, p.reason);
    }
    if (p.kind == PreviewImageKind::Bmp)
        checkBitmapFileHeader(p.image);
}

void TestDrawingPreview::realDrawings_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("code");
    QTest::addColumn<PreviewImageKind>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("drawn"); // false: an empty drawing's preview, one flat colour

    QTest::newRow("AC1032 PNG (in the repository)") << test::dataPath(QStringLiteral("dwg/empty.dwg")) << "AC1032"
                                                    << PreviewImageKind::Png << QSize(256, 91) << false;
    QTest::newRow("AC1015 bitmap") << test::sharedFixturePath(QStringLiteral("dwg/sample_AC1015.dwg")) << "AC1015"
                                   << PreviewImageKind::Bmp << QSize(184, 66) << true;
    QTest::newRow("AC1018 bitmap") << test::sharedFixturePath(QStringLiteral("dwg/sample_AC1018.dwg")) << "AC1018"
                                   << PreviewImageKind::Bmp << QSize(184, 66) << true;
    QTest::newRow("AC1027 PNG") << test::sharedFixturePath(QStringLiteral("dwg/sample_AC1027.dwg")) << "AC1027"
                                << PreviewImageKind::Png << QSize(256, 94) << true;
}

void TestDrawingPreview::realDrawings()
{
    QFETCH(QString, path);
    QFETCH(QString, code);
    QFETCH(PreviewImageKind, kind);
    QFETCH(QSize, size);
    QFETCH(bool, drawn);
    if (path.isEmpty())
        QSKIP("the shared drawings (shared/fixtures/dwg) are not beside this clone");

    const DrawingPreview p = readDrawingPreview(path);
    QCOMPARE(p.outcome, PreviewOutcome::Image);
    QCOMPARE(p.releaseCode, code);
    QCOMPARE(p.kind, kind);
    if (p.kind == PreviewImageKind::Bmp)
        checkBitmapFileHeader(p.image);
    QString reason;
    const QImage image = decodeDrawingPreview(p, &reason);
    QVERIFY2(!image.isNull(), qPrintable(reason));
    QCOMPARE(image.size(), size);
    // The lines of a drawing show; an empty drawing's preview is its background alone.
    const QRgb first = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; ++y)
        for (int x = 0; x < image.width() && !varied; ++x)
            varied = image.pixel(x, y) != first;
    QCOMPARE(varied, drawn);
}

void TestDrawingPreview::readsOnlyTheHeaderAndTheBlock()
{
    // A 2 MB drawing with a bitmap of about 60 KB near its start.
    QByteArray pixels = test::infoHeader(24, 0, 0, 160, 128);
    pixels += QByteArray(160 * 3 * 128, '\x5A');
    SyntheticDrawing d = drawingWith({{2, pixels}});
    d.blockOffset = 0x1C0;
    d.trailing = 2 * 1024 * 1024;
    QByteArray bytes = d.bytes();
    QBuffer inner(&bytes);
    inner.open(QIODevice::ReadOnly);
    CountingDevice device(&inner);

    const DrawingPreview p = readDrawingPreview(device);
    QCOMPARE(p.outcome, PreviewOutcome::Image);
    const qint64 block = 16 + 4 + 1 + 9 * 2 + 80 + pixels.size() + 16;
    QVERIFY2(device.bytesRead <= 32 + block, qPrintable(QString::number(device.bytesRead)));
    QVERIFY(device.bytesRead >= pixels.size());
    QCOMPARE(decodeDrawingPreview(p, nullptr).size(), QSize(160, 128));
}

void TestDrawingPreview::unreadableFiles()
{
    test::Fixture fx;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    // Gone: the system's reason.
    DrawingPreview p = readDrawingPreview(dir.filePath(QStringLiteral("gone.dwg")));
    QCOMPARE(p.outcome, PreviewOutcome::CannotRead);
    QVERIFY2(p.reason.contains(QLatin1String("No such file"), Qt::CaseInsensitive) ||
                 p.reason.contains(QLatin1String("cannot find"), Qt::CaseInsensitive),
             qPrintable(p.reason));

    // A folder named like a drawing.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.dwg")));
    p = readDrawingPreview(dir.filePath(QStringLiteral("folder.dwg")));
    QCOMPARE(p.outcome, PreviewOutcome::NotADrawing);
    QVERIFY(!p.reason.isEmpty());

    // A read that fails after the header (the share went away): the device's reason.
    const QByteArray bytes = drawingWith({{2, test::bitmap8()}}).bytes();
    FailingDevice failing(bytes, 17);
    p = readDrawingPreview(failing);
    QCOMPARE(p.outcome, PreviewOutcome::CannotRead);
    QCOMPARE(p.releaseCode, QStringLiteral("AC1018"));
    QVERIFY2(p.reason.contains(QLatin1String("network name is no longer available")), qPrintable(p.reason));
}

void TestDrawingPreview::oversizedImagesAreRefused()
{
    // An image entry over 16 MB is not read.
    SyntheticDrawing big = drawingWith({{6, QByteArray(kMaxPreviewImageBytes + 1, 'p')}});
    DrawingPreview p = readBytes(big.bytes());
    QCOMPARE(p.outcome, PreviewOutcome::NoPreview);
    QVERIFY(p.reason.contains(QLatin1String("16 MB")));
    // ... while a bitmap beside it still shows.
    big.entries += test::SyntheticEntry{2, test::bitmap8()};
    p = readBytes(big.bytes());
    QCOMPARE(p.kind, PreviewImageKind::Bmp);

    // Bitmap headers claiming more pixels than the data holds: refused before any pixel memory is
    // taken (the image reader already refuses the largest).
    QString reason;
    for (const int side : {5000, 100000}) {
        const QByteArray forged = test::infoHeader(32, 0, 0, side, side) + QByteArray(64, '\0');
        p = readBytes(drawingWith({{2, forged}}).bytes());
        QCOMPARE(p.outcome, PreviewOutcome::Image);
        QVERIFY(decodeDrawingPreview(p, &reason).isNull());
        QVERIFY(!reason.isEmpty());
    }
    QVERIFY2(reason.contains(QLatin1String("damaged")) || reason.contains(QLatin1String("too large")),
             qPrintable(reason));
    const QByteArray forged = test::infoHeader(32, 0, 0, 5000, 5000) + QByteArray(64, '\0');
    decodeDrawingPreview(readBytes(drawingWith({{2, forged}}).bytes()), &reason);
    QVERIFY2(reason.contains(QLatin1String("5000 x 5000")), qPrintable(reason));
    // At the limit a side is accepted.
    const QByteArray wide = test::infoHeader(8, 0, 2, kMaxPreviewSide, 1) + QByteArray(8 + kMaxPreviewSide, '\0');
    p = readBytes(drawingWith({{2, wide}}).bytes());
    QCOMPARE(decodeDrawingPreview(p, &reason).size(), QSize(kMaxPreviewSide, 1));
}

void TestDrawingPreview::loaderKeepsOneReadInFlightAndDropsStaleResults()
{
    QSemaphore started, release;
    std::mutex m;
    QStringList reads;
    const QByteArray png = tinyPng();
    DrawingPreviewLoader loader(
        [&](const QString &path) {
            {
                std::lock_guard lock(m);
                reads << path;
            }
            if (path == QLatin1String("slow")) {
                started.release();
                release.acquire();
            }
            DrawingPreview p;
            p.outcome = PreviewOutcome::Image;
            p.kind = PreviewImageKind::Png;
            p.image = png;
            return p;
        },
        nullptr);
    QSignalSpy finished(&loader, &DrawingPreviewLoader::finished);

    loader.request(QStringLiteral("slow"));
    QVERIFY(started.tryAcquire(1, 5000));
    // Two more clicks while the slow read runs: the second replaces the first.
    loader.request(QStringLiteral("second"));
    loader.request(QStringLiteral("third"));
    QVERIFY(loader.isBusy());
    release.release();

    QTRY_VERIFY(!loader.isBusy());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toString(), QStringLiteral("third"));
    QCOMPARE(finished.at(0).at(1).value<QImage>().size(), QSize(3, 2));
    std::lock_guard lock(m);
    QCOMPARE(reads, QStringList({QStringLiteral("slow"), QStringLiteral("third")}));
}

void TestDrawingPreview::loaderCancelDropsTheResult()
{
    QSemaphore started, release;
    DrawingPreviewLoader loader(
        [&](const QString &) {
            started.release();
            release.acquire();
            return DrawingPreview();
        },
        nullptr);
    QSignalSpy finished(&loader, &DrawingPreviewLoader::finished);
    loader.request(QStringLiteral("a"));
    QVERIFY(started.tryAcquire(1, 5000));
    loader.cancel();
    release.release();
    QTRY_VERIFY(!loader.isBusy());
    QCoreApplication::processEvents();
    QCOMPARE(finished.size(), 0);

    // A loader destroyed while its read runs waits for it and reports nothing.
    {
        DrawingPreviewLoader doomed(
            [&](const QString &) {
                started.release();
                release.acquire();
                return DrawingPreview();
            },
            nullptr);
        QSignalSpy spy(&doomed, &DrawingPreviewLoader::finished);
        doomed.request(QStringLiteral("b"));
        QVERIFY(started.tryAcquire(1, 5000));
        release.release();
    }
    QCoreApplication::processEvents();
}

QTEST_MAIN(TestDrawingPreview)
#include "tst_drawingpreview.moc"
