#pragma once
// Small synthetic drawings for the preview reader: the release code and the block offset in the
// header, then the preview block (start marker, size, entry table, data, end marker), with every
// field open to damage. And tiny 2 x 2 bitmaps as drawings store them (no file header).
//
//     test::SyntheticDrawing d;
//     d.entries = {{1, QByteArray(80, 'h')}, {2, test::bitmap8()}};
//     const QByteArray file = d.bytes();

#include <QByteArray>
#include <QList>
#include <optional>

namespace tess::test {

inline void putLe16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

inline void putLe32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

inline QByteArray previewStartMarker() { return QByteArray::fromHex("1F256D07D43628289D57CA3F9D44102B"); }

inline QByteArray previewEndMarker()
{
    QByteArray m = previewStartMarker();
    for (char &c : m)
        c = char(~c);
    return m;
}

struct SyntheticEntry {
    SyntheticEntry(quint8 k, const QByteArray &d) : kind(k), data(d) {}
    quint8 kind = 2;
    QByteArray data;
    std::optional<quint32> start;  // the absolute start written in the table (default: where the data lies)
    std::optional<quint32> length; // the length written (default: the data's)
};

struct SyntheticDrawing {
    QByteArray code = "AC1018";
    quint32 blockOffset = 0x80;         // where the block lies
    std::optional<quint32> offsetField; // what bytes 13-16 say (default: blockOffset)
    std::optional<quint32> sizeField;   // S (default: the bytes from the count to the end marker)
    std::optional<quint8> countField;   // n (default: the number of entries)
    QList<SyntheticEntry> entries;
    bool damageStartMarker = false;
    bool damageEndMarker = false;
    qsizetype trailing = 64; // bytes after the end marker

    // Where the data of entry i lies in the file.
    quint32 dataStart(qsizetype index) const
    {
        quint32 at = blockOffset + 21 + 9 * quint32(entries.size());
        for (qsizetype i = 0; i < index; ++i)
            at += quint32(entries.at(i).data.size());
        return at;
    }

    QByteArray bytes() const
    {
        QByteArray out(qsizetype(blockOffset), '\0');
        const QByteArray head = code.left(qsizetype(blockOffset));
        out.replace(0, head.size(), head);
        if (blockOffset >= 17) {
            QByteArray field;
            putLe32(field, offsetField.value_or(blockOffset));
            out.replace(13, 4, field);
        }
        QByteArray marker = previewStartMarker();
        if (damageStartMarker)
            marker[5] = char(marker[5] ^ 0x01);
        out += marker;
        quint32 data = 0;
        for (const SyntheticEntry &e : entries)
            data += quint32(e.data.size());
        putLe32(out, sizeField.value_or(1 + 9 * quint32(entries.size()) + data));
        out.append(char(countField.value_or(quint8(entries.size()))));
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const SyntheticEntry &e = entries.at(i);
            out.append(char(e.kind));
            putLe32(out, e.start.value_or(dataStart(i)));
            putLe32(out, e.length.value_or(quint32(e.data.size())));
        }
        for (const SyntheticEntry &e : entries)
            out += e.data;
        QByteArray end = previewEndMarker();
        if (damageEndMarker)
            end[15] = char(end[15] ^ 0x80);
        out += end;
        out += QByteArray(trailing, '\0');
        return out;
    }
};

// A bitmap info header (40 bytes) of a 2 x 2 picture.
inline QByteArray infoHeader(quint16 bits, quint32 compression, quint32 coloursUsed, qint32 width = 2,
                             qint32 height = 2)
{
    QByteArray h;
    putLe32(h, 40);
    putLe32(h, quint32(width));
    putLe32(h, quint32(height));
    putLe16(h, 1);
    putLe16(h, bits);
    putLe32(h, compression);
    putLe32(h, 0);
    putLe32(h, 2835);
    putLe32(h, 2835);
    putLe32(h, coloursUsed);
    putLe32(h, 0);
    return h;
}

// Colours of the little bitmaps: the top left pixel is blue, the one under it red.
inline QByteArray bgra(quint8 b, quint8 g, quint8 r)
{
    const char bytes[4] = {char(b), char(g), char(r), 0};
    return QByteArray(bytes, 4);
}

// 8 bits a pixel with the full 256-colour palette (colours-used 0), as most drawings hold it.
inline QByteArray bitmap8()
{
    QByteArray d = infoHeader(8, 0, 0);
    for (int i = 0; i < 256; ++i)
        d += i == 1 ? bgra(0, 0, 255) : i == 2 ? bgra(255, 0, 0) : bgra(quint8(i), quint8(i), quint8(i));
    // Rows bottom-up, each padded to 4 bytes.
    d += QByteArray::fromHex("01020000");
    d += QByteArray::fromHex("02010000");
    return d;
}

// 4 bits a pixel with a palette of 3 colours (colours-used 3).
inline QByteArray bitmap4Used3()
{
    QByteArray d = infoHeader(4, 0, 3);
    d += bgra(0, 255, 0) + bgra(0, 0, 255) + bgra(255, 0, 0);
    d += QByteArray::fromHex("12000000");
    d += QByteArray::fromHex("21000000");
    return d;
}

// 32 bits a pixel, no palette.
inline QByteArray bitmap32()
{
    QByteArray d = infoHeader(32, 0, 0);
    d += bgra(0, 0, 255) + bgra(0, 255, 0);
    d += bgra(255, 0, 0) + bgra(0, 255, 0);
    return d;
}

// 32 bits a pixel as bit fields: three colour masks follow the 40-byte header.
inline QByteArray bitmap32Masks()
{
    QByteArray d = infoHeader(32, 3, 0);
    putLe32(d, 0x00FF0000);
    putLe32(d, 0x0000FF00);
    putLe32(d, 0x000000FF);
    d += bgra(0, 0, 255) + bgra(0, 255, 0);
    d += bgra(255, 0, 0) + bgra(0, 255, 0);
    return d;
}

// The old 12-byte core header, 8 bits a pixel, colours of 3 bytes.
inline QByteArray bitmapCore8()
{
    QByteArray d;
    putLe32(d, 12);
    putLe16(d, 2);
    putLe16(d, 2);
    putLe16(d, 1);
    putLe16(d, 8);
    for (int i = 0; i < 256; ++i)
        d += i == 1 ? QByteArray::fromHex("0000FF") : i == 2 ? QByteArray::fromHex("FF0000") : QByteArray(3, char(i));
    d += QByteArray::fromHex("01020000");
    d += QByteArray::fromHex("02010000");
    return d;
}

} // namespace tess::test
