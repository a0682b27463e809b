// SubstituteTAGS on any text, tag values and count settings: it never crashes, and it gives the result of
// the literal row-by-row replacement exactly when that result stays within the bound at every row;
// otherwise it says the bound was passed. Tag values may hold the tags of later rows, so without the
// bound a short input grows at every row (gigabytes within a few rows); the reference below counts a
// row's growth before making it, so neither side ever holds more than the bound.

#include "batch/tagsubstitution.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace tess;

namespace {

// Smaller than the program's bound, so that inputs reach it within a few rows and each run stays quick.
constexpr qsizetype kBound = 64 * 1024;

const TagEnvironment &environment()
{
    static const TagEnvironment e = [] {
        TagEnvironment env;
        env.moment = QDateTime(QDate(2026, 12, 9), QTime(20, 5, 3));
        env.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        env.programPath = QStringLiteral("C:\\Apps\\Batch\\");
        env.loginName = QStringLiteral("tester");
        env.computerName = QStringLiteral("TESTPC");
        return env;
    }();
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    // Byte 0: switches; byte 1: counter; the rest: fields separated by NUL bytes:
    // text, file name, SHEETCHARS, FIRSTFILECHARS, LASTFILECHARS, TAG1 … TAG8.
    const uint8_t flags = data[0];
    const qint64 counter = qint64(int8_t(data[1])) * 1000003;
    const QList<QByteArray> fields =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2)).split('\0');
    auto field = [&](int i) { return i < fields.size() ? QString::fromUtf8(fields.at(i)) : QString(); };

    TagSettings s;
    s.TRIMZEROS = flags & 1;
    s.PADCOUNTER = (flags >> 1) & 1;
    s.PADDIGITS = qint16((flags >> 2) & 15);
    if (fields.size() > 2)
        s.SHEETCHARS = field(2);
    if (fields.size() > 3)
        s.FIRSTFILECHARS = field(3);
    if (fields.size() > 4)
        s.LASTFILECHARS = field(4);
    for (int t = 0; t < 8; ++t)
        s.TAG[size_t(t)] = field(5 + t);

    const QString file = field(1);
    const QStringList queue = {QStringLiteral("C:\\Q\\A-001.dwg"), file, QStringLiteral("/q/b-0002.dwg")};
    TagContext ctx(s, queue, environment());
    ctx.setMaxTextSize(kBound);
    const QString text = field(0);
    const qsizetype number = qsizetype(flags >> 6) - 1;
    const std::optional<QString> got = ctx.trySubstituteTAGS(text, counter, file, number);
    if (!ctx.isValid())
        return got && got->isEmpty() ? 0 : (abort(), 0);

    // The literal replacement, row by row, stopped before a row would take the text past the bound.
    std::optional<QString> want = text;
    if (want->size() > kBound)
        want.reset();
    const QStringList &names = TagContext::tagNames();
    for (int row = 1; want && row <= names.size(); ++row) {
        const QString &name = names.at(row - 1);
        const QString value = ctx.tagValue(row, counter, file, number);
        qsizetype matches = 0;
        for (qsizetype at = want->indexOf(name, 0, Qt::CaseInsensitive); at >= 0;
             at = want->indexOf(name, at + name.size(), Qt::CaseInsensitive))
            ++matches;
        if (want->size() + matches * (value.size() - name.size()) > kBound)
            want.reset();
        else if (matches > 0)
            want->replace(name, value, Qt::CaseInsensitive);
    }
    if (got != want) {
        fprintf(stderr, "text [%s]\ngot  [%s]\nwant [%s]\n", qPrintable(text),
                got ? qPrintable(got->left(2000)) : "<past the bound>",
                want ? qPrintable(want->left(2000)) : "<past the bound>");
        abort();
    }
    return 0;
}
