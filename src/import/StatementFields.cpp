#include "StatementFields.h"

#include "core/RecordCatalogue.h"

#include <QDate>
#include <limits>

namespace ostrapel {

QString rawFieldText(const QString& line, int start, int length) {
    if (start < 1 || start > line.size()) return {};
    return line.mid(start - 1, length);
}

namespace {

// The code unit of a QString or of Windows-1252 bytes; both agree on ASCII.
inline char16_t unit(QChar c) {
    return c.unicode();
}
inline char16_t unit(char c) {
    return char16_t(uchar(c));
}

template <typename View> View trimmed(View text) {
    qsizetype b = 0, e = text.size();
    while (b < e && unit(text[b]) <= ' ')
        ++b;
    while (e > b && unit(text[e - 1]) <= ' ')
        --e;
    return text.sliced(b, e - b);
}

template <typename View> bool wholeNumber(View raw, int* value) {
    qsizetype i = 0;
    const qsizetype n = raw.size();
    while (i < n && unit(raw[i]) == u' ')
        ++i;
    bool negative = false;
    if (i < n && (unit(raw[i]) == u'+' || unit(raw[i]) == u'-')) negative = unit(raw[i++]) == u'-';
    if (i >= n) return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const char16_t c = unit(raw[i]);
        if (c < u'0' || c > u'9') return false;
        v = v * 10 + (c - u'0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1) return false;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) return false;
    *value = int(v);
    return true;
}

} // namespace

QString trimControl(const QString& text) {
    return trimmed(QStringView(text)).toString();
}

QByteArrayView trimControl(QByteArrayView text) {
    return trimmed(text);
}

QString recordTypeOf(const RecordCatalogue& catalogue, const QString& line) {
    const RecordField* e = catalogue.findField(Field::RecordType);
    return rawFieldText(line, e->start, e->length);
}

QString fieldText(const RecordCatalogue& catalogue, const QString& line, const QString& name) {
    const RecordField* e = catalogue.findField(name); // throws for an unknown number
    if (!e) return QStringLiteral("-1");
    return trimControl(rawFieldText(line, e->start, e->length));
}

bool readWholeNumber(const QString& raw, int* value) {
    return wholeNumber(QStringView(raw), value);
}

bool readWholeNumber(QByteArrayView raw, int* value) {
    return wholeNumber(raw, value);
}

namespace {

// Three runs of digits separated by "-", each optionally preceded by blanks;
// a trailing "-" and trailing blanks are allowed.
bool readThreeRuns(const QString& text, int runs[3], int digits[3]) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    for (int k = 0; k < 3; ++k) {
        while (i < n && text.at(i) == u' ')
            ++i;
        int v = 0, d = 0;
        while (i < n && text.at(i).isDigit() && d < 9) {
            v = v * 10 + (text.at(i).unicode() - '0');
            ++i;
            ++d;
        }
        if (d == 0) return false;
        runs[k] = v;
        digits[k] = d;
        if (k < 2) {
            if (i >= n || text.at(i) != u'-') return false;
            ++i;
        }
    }
    if (i < n && text.at(i) == u'-') ++i;
    while (i < n && text.at(i) == u' ')
        ++i;
    return i == n;
}

} // namespace

int fullYear(int year, int digits, int currentYear) {
    if (digits > 2) return year;
    // the hundred years that start fifty years before the current one
    int y = currentYear - currentYear % 100 + year;
    if (y < currentYear - 50) y += 100;
    if (y > currentYear + 49) y -= 100;
    return y;
}

QDate readStatementDate(const QString& raw, int currentYear) {
    QString text = raw;
    const bool dayFirst = text.contains(u'.');
    if (dayFirst) text.replace(u'.', u'-');
    int runs[3], digits[3];
    if (!readThreeRuns(text, runs, digits)) return {};
    const int y =
        dayFirst ? fullYear(runs[2], digits[2], currentYear) : fullYear(runs[0], digits[0], currentYear);
    const int m = runs[1];
    const int d = dayFirst ? runs[0] : runs[2];
    return QDate(y, m, d); // invalid for 0000-00-00 and the like
}

QVariant convertFieldValue(const QString& recordType, const QString& fieldNr, QChar type, const QString& raw,
                           int currentYear) {
    QString text = raw;
    if (recordType == QStringLiteral("50") && fieldNr == QStringLiteral("02")) {
        if (text.compare(QStringLiteral("I"), Qt::CaseInsensitive) == 0)
            text = QStringLiteral("1");
        else if (text.compare(QStringLiteral("M"), Qt::CaseInsensitive) == 0)
            text = QStringLiteral("2");
    }
    switch (type.unicode()) {
    case 'A': {
        // a field the line does not reach is empty text, never NULL
        const QString t = trimControl(text);
        return t.isNull() ? QStringLiteral("") : t;
    }
    case 'D': {
        const QDate d = readStatementDate(text, currentYear);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case 'N': {
        int v = 0;
        return readWholeNumber(text, &v) ? v : 0;
    }
    case 'S': {
        int v = 0;
        return readWholeNumber(text, &v) ? double(v) / 100.0 : 0.0;
    }
    default:
        return {};
    }
}

} // namespace ostrapel
