// SubstituteTAGS on any text, tag values and count settings: it never crashes and always gives the result
// of the literal row-by-row replacement.

#include "batch/tagsubstitution.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace tess;

namespace {

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
    const TagContext ctx(s, queue, environment());
    const QString text = field(0);
    const qsizetype number = qsizetype(flags >> 6) - 1;
    const QString got = ctx.SubstituteTAGS(text, counter, file, number);
    if (!ctx.isValid())
        return got.isEmpty() ? 0 : (abort(), 0);

    QString want = text;
    const QStringList &names = TagContext::tagNames();
    for (int row = 1; row <= names.size(); ++row)
        want.replace(names.at(row - 1), ctx.tagValue(row, counter, file, number), Qt::CaseInsensitive);
    if (got != want) {
        fprintf(stderr, "text [%s]\ngot  [%s]\nwant [%s]\n", qPrintable(text), qPrintable(got), qPrintable(want));
        abort();
    }
    return 0;
}
