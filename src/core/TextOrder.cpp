#include "TextOrder.h"

#include <algorithm>

namespace ostrapel {

namespace {

int sign(int c) {
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

QString baseLetters(QStringView text) {
    const QString decomposed = text.toString().toCaseFolded().normalized(QString::NormalizationForm_D);
    QString base;
    base.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) base += c;
    return base;
}

QString textSortKey(QStringView text) {
    // The base first; a NUL ends it, so a shorter base sorts first as it should.
    return baseLetters(text) + QChar(u'\0') + text.toString().toCaseFolded();
}

int compareTexts(QStringView a, QStringView b) {
    return sign(textSortKey(a).compare(textSortKey(b)));
}

int compareUtf8Texts(const char* a, int lengthA, const char* b, int lengthB) {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    const int n = std::min(lengthA, lengthB);
    for (int i = 0; i < n; ++i) {
        unsigned char cx = x[i], cy = y[i];
        // most index comparisons run through long equal prefixes of digits
        if (cx == cy && cx < 0x80) continue;
        // Up to the first letter beyond ASCII both orders are one and the same.
        if (cx >= 0x80 || cy >= 0x80)
            return compareTexts(QString::fromUtf8(a, lengthA), QString::fromUtf8(b, lengthB));
        if (cx >= 'A' && cx <= 'Z') cx = static_cast<unsigned char>(cx - 'A' + 'a');
        if (cy >= 'A' && cy <= 'Z') cy = static_cast<unsigned char>(cy - 'A' + 'a');
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    if (lengthA == lengthB) return 0;
    // A longer text may still end in combining marks that leave its base equal.
    const auto* rest = lengthA > lengthB ? x + n : y + n;
    const int restLength = std::abs(lengthA - lengthB);
    if (std::any_of(rest, rest + restLength, [](unsigned char c) { return c >= 0x80; }))
        return compareTexts(QString::fromUtf8(a, lengthA), QString::fromUtf8(b, lengthB));
    return lengthA < lengthB ? -1 : 1;
}

bool likeMatches(QStringView pattern, QStringView text, QChar escape) {
    const QString p = pattern.toString().toCaseFolded();
    const QString t = text.toString().toCaseFolded();
    // Greedy match with one backtrack point: the last "%" seen.
    qsizetype pi = 0, ti = 0, starP = -1, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size()) {
            const QChar c = p[pi];
            if (c == u'%') {
                starP = ++pi;
                starT = ti;
                continue;
            }
            if (!escape.isNull() && c == escape && pi + 1 < p.size()) {
                if (p[pi + 1] == t[ti]) {
                    pi += 2;
                    ++ti;
                    continue;
                }
            } else if (c == u'_' || c == t[ti]) {
                ++pi;
                ++ti;
                continue;
            }
        }
        if (starP < 0) return false;
        pi = starP;
        ti = ++starT;
    }
    while (pi < p.size() && p[pi] == u'%')
        ++pi;
    return pi == p.size();
}

} // namespace ostrapel
