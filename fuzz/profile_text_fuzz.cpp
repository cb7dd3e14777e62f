// Feeds arbitrary bytes to the profile text reader, decoded as the import
// dialog decodes a file, and checks what the reader promises: a good text
// gives 1 to MaxProfileNodes pairs with increasing stations inside the entry
// ranges; a bad one gives no pairs and a message naming a line of the text.
// The same text with CR LF line ends and other separators must read exactly
// alike: separators never belong to a number, so even the messages agree.
#include "model/profile_text.h"

#include <QByteArray>
#include <QRegularExpression>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString NoPairs = QStringLiteral("The file holds no station and elevation pairs.");

void check(bool good, const char* what, const ProfTextResult& r)
{
    if (good) return;
    std::fprintf(stderr, "profile_text_fuzz: %s (error \"%s\", %zu pairs)\n", what, qPrintable(r.error), r.pairs.size());
    std::abort();
}

bool sameResult(const ProfTextResult& a, const ProfTextResult& b)
{
    if (a.error != b.error || a.pairs.size() != b.pairs.size()) return false;
    for (size_t i = 0; i < a.pairs.size(); ++i)
        if (a.pairs[i].station != b.pairs[i].station || a.pairs[i].groundElev != b.pairs[i].groundElev) return false;
    return true;
}

void checkInvariants(const ProfTextResult& r, qsizetype lineCount)
{
    if (r.ok()) {
        check(!r.pairs.empty() && r.pairs.size() <= size_t(MaxProfileNodes), "good text with a bad pair count", r);
        for (size_t i = 0; i < r.pairs.size(); ++i) {
            const ProfTextPair& p = r.pairs[i];
            check(std::isfinite(p.station) && p.station >= 0.0 && p.station <= 999999.0, "station out of range", r);
            check(std::isfinite(p.groundElev) && p.groundElev >= -9999.99 && p.groundElev <= 9999.99,
                  "elevation out of range", r);
            check(i == 0 || p.station > r.pairs[i - 1].station, "stations do not increase", r);
        }
        return;
    }
    check(r.pairs.empty(), "bad text still gave pairs", r);
    if (r.error == NoPairs) return;
    static const QRegularExpression lineRef(QStringLiteral("^Line ([0-9]+): \\S"));
    const QRegularExpressionMatch m = lineRef.match(r.error);
    check(m.hasMatch(), "message names no line", r);
    bool ok = false;
    const qlonglong line = m.captured(1).toLongLong(&ok);
    check(ok && line >= 1 && line <= lineCount, "message names a line outside the text", r);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ProfTextResult r = ParseProfileText(QString::fromLocal8Bit(bytes));
    checkInvariants(r, bytes.count('\n') + 1);
    // What the import lets through as text is quoted back only as readable text.
    if (IsProfileText(bytes))
        for (const QChar ch : r.error)
            check(ch.category() != QChar::Other_Control && ch != QChar::ReplacementCharacter,
                  "a text file's message quotes an unreadable character", r);

    QByteArray respelt;
    respelt.reserve(bytes.size() * 2);
    for (char c : bytes) {
        switch (c) {
        case '\n': respelt += "\r\n"; break;
        case ',': respelt += '\t'; break;
        case '\t': respelt += ' '; break;
        case ' ': respelt += ','; break;
        default: respelt += c;
        }
    }
    check(sameResult(r, ParseProfileText(QString::fromLocal8Bit(respelt))),
          "CR LF line ends or other separators read differently", r);
    return 0;
}
