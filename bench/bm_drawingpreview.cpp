// The drawing preview reader on a large drawing: it reads the header and the preview block only, so
// the drawing's size does not count. The counter bytes_read is what the reader took from the file
// (at most the first 32 bytes plus the block, given as block_bytes); one read stays under 1 ms with a
// warm cache.

#include "preview/drawingpreview.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace tess;

namespace {

void putLe32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// Reads pass through to the file unbuffered and are counted.
class CountingDevice final : public QIODevice
{
public:
    explicit CountingDevice(QIODevice *inner) : m_inner(inner) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    qint64 size() const override { return m_inner->size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_inner->seek(pos); }
    qint64 bytesRead = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = m_inner->read(data, maxSize);
        bytesRead += std::max<qint64>(n, 0);
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice *m_inner;
};

// A 30 MB drawing (release AC1018) with a 60 KB 8-bit bitmap preview in a block at 0x1C0.
struct LargeDrawing {
    QTemporaryDir dir;
    QString path;
    qint64 blockBytes = 0;

    LargeDrawing()
    {
        constexpr quint32 block = 0x1C0;
        constexpr qint32 width = 240, height = 250; // 60000 pixel bytes
        QByteArray dib;
        putLe32(dib, 40);
        putLe32(dib, width);
        putLe32(dib, height);
        dib.append("\x01\x00\x08\x00", 4);
        for (int i = 0; i < 6; ++i)
            putLe32(dib, 0);
        for (int i = 0; i < 256; ++i)
            putLe32(dib, quint32(i * 0x010101));
        for (int i = 0; i < width * height; ++i)
            dib.append(char(i % 251));

        QByteArray file(block, '\0');
        file.replace(0, 6, "AC1018");
        QByteArray offset;
        putLe32(offset, block);
        file.replace(13, 4, offset);
        const QByteArray marker = QByteArray::fromHex("1F256D07D43628289D57CA3F9D44102B");
        file += marker;
        const quint32 header = 80;
        putLe32(file, 1 + 2 * 9 + header + quint32(dib.size()));
        file.append(char(2));
        const quint32 data = block + 21 + 2 * 9;
        file.append(char(1));
        putLe32(file, data);
        putLe32(file, header);
        file.append(char(2));
        putLe32(file, data + header);
        putLe32(file, quint32(dib.size()));
        file += QByteArray(header, 'h');
        file += dib;
        for (char c : marker)
            file.append(char(~c));
        blockBytes = file.size() - block;
        file += QByteArray(30 * 1024 * 1024 - file.size(), '\x5A');

        path = dir.filePath(QStringLiteral("large.dwg"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
            path.clear();
    }
};

} // namespace

static void BM_DwgPreview30MB(benchmark::State &state)
{
    static const std::unique_ptr<LargeDrawing> drawing = std::make_unique<LargeDrawing>();
    if (drawing->path.isEmpty()) {
        state.SkipWithError("cannot write the 30 MB drawing");
        return;
    }
    qint64 bytesRead = 0;
    for (auto _ : state) {
        QFile file(drawing->path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            state.SkipWithError("cannot open the drawing");
            return;
        }
        CountingDevice device(&file);
        const DrawingPreview p = readDrawingPreview(device);
        if (p.outcome != PreviewOutcome::Image) {
            state.SkipWithError("no preview read");
            return;
        }
        benchmark::DoNotOptimize(p.image.constData());
        bytesRead = device.bytesRead;
    }
    state.counters["bytes_read"] = double(bytesRead);
    state.counters["block_bytes"] = double(drawing->blockBytes);
    if (bytesRead > 32 + drawing->blockBytes)
        state.SkipWithError("read more than the header and the preview block");
}
BENCHMARK(BM_DwgPreview30MB)->Unit(benchmark::kMicrosecond);
