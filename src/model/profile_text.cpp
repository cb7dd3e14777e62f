#include "model/profile_text.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <cmath>

namespace {

QString lineError(int line, const QString& what)
{
    return QStringLiteral("Line %1: %2").arg(line).arg(what);
}

// A bad token is quoted only in part: a message stays readable whatever the
// file holds.
QString Excerpt(const QString& token)
{
    constexpr int kShown = 20;
    if (token.size() <= kShown)
        return token;
    // Never half a character: a cut surrogate pair would leave the message invalid text.
    const int shown = token.at(kShown - 1).isHighSurrogate() ? kShown - 1 : kShown;
    return token.left(shown) + QStringLiteral("...");
}

} // namespace

bool IsProfileText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes);
    if (utf8.hasError()) return false;
    // The control characters of UTF-8 are those of ASCII, DEL and the C1
    // range (U+0080 to U+009F), which no text editor writes either.
    static const QString breaks = QStringLiteral("\t\n\r\f\v");
    for (const QChar ch : decoded)
        if (ch.category() == QChar::Other_Control && !breaks.contains(ch)) return false;
    return true;
}

ProfTextResult ParseProfileText(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    ProfTextResult r;
    // Editors on Windows often start a text file with a byte-order mark.
    const QStringView body = text.startsWith(QChar(0xFEFF)) ? QStringView(text).mid(1) : QStringView(text);
    const QStringList lines = body.toString().split(QLatin1Char('\n'));
    bool haveStation = false;
    double station = 0.0;
    int stationLine = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const int line = i + 1;
        const QStringList tokens = lines[i].split(separators, Qt::SkipEmptyParts);
        for (const QString& token : tokens) {
            bool ok = false;
            const double value = token.toDouble(&ok);
            if (!ok || !std::isfinite(value)) {
                r.error = lineError(line, QStringLiteral("\"%1\" is not a number.").arg(Excerpt(token)));
                break;
            }
            if (!haveStation) {
                if (value < 0.0 || value > 999999.0) {
                    r.error = lineError(line, QStringLiteral("station %1 is outside 0 to 999999.").arg(Excerpt(token)));
                    break;
                }
                if (!r.pairs.empty() && value <= r.pairs.back().station) {
                    r.error = lineError(line, QStringLiteral("station %1 does not increase.").arg(Excerpt(token)));
                    break;
                }
                if (int(r.pairs.size()) == MaxProfileNodes) {
                    r.error = lineError(line, QStringLiteral("a profile holds at most %1 nodes.").arg(MaxProfileNodes));
                    break;
                }
                station = value + 0.0;   // "-0" is station 0, not a negative zero shown as "-0"
                stationLine = line;
                haveStation = true;
                continue;
            }
            if (value < -9999.99 || value > 9999.99) {
                r.error = lineError(line, QStringLiteral("elevation %1 is outside -9999.99 to 9999.99.").arg(Excerpt(token)));
                break;
            }
            r.pairs.push_back({station, value + 0.0});
            haveStation = false;
        }
        if (!r.ok()) break;
    }
    if (r.ok() && haveStation)
        r.error = lineError(stationLine, QStringLiteral("station without a ground elevation."));
    if (r.ok() && r.pairs.empty()) r.error = QStringLiteral("The file holds no station and elevation pairs.");
    if (!r.ok()) r.pairs.clear();
    return r;
}
