#include "RowSource.h"

#include "DisplayFormat.h"

#include <QDate>

namespace ostrapel {

namespace {

// The digits of `count` characters from `at`; -1 unless all are digits.
int digits(const QString& t, qsizetype at, int count) {
    int n = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9') return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

QDate readDate(const QString& text) {
    // Stored dates are "yyyy-MM-dd", maybe with a time: read without the slow parser.
    if (text.size() >= 10 && text[4] == u'-' && text[7] == u'-' && (text.size() == 10 || text[10] == u' ')) {
        const int y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
        if (y > 0 && m >= 0 && d >= 0) return QDate(y, m, d);
    }
    const QString t = text.trimmed();
    if (t.isEmpty()) return {};
    QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) d = QDate::fromString(t.left(10), QStringLiteral("dd-MM-yyyy"));
    return d;
}

} // namespace

QVariant convertCell(const QVariant& raw, FieldType type) {
    if (raw.isNull()) return {};
    switch (type) {
    case FieldType::Date: {
        if (raw.metaType().id() == QMetaType::QDate) return raw;
        const QDate d = readDate(raw.toString());
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Float:
        if (raw.metaType().id() == QMetaType::QString) { // "0,00" columns of the reports
            bool ok = false;
            const double v = programLocale().toDouble(raw.toString(), &ok);
            return ok ? QVariant(v) : QVariant(raw.toString().toDouble());
        }
        return raw.toDouble();
    case FieldType::Integer:
        return raw.metaType().id() == QMetaType::LongLong ? raw : QVariant(raw.toLongLong());
    case FieldType::Text:
        return raw.metaType().id() == QMetaType::QString ? raw : QVariant(raw.toString());
    default:
        return raw;
    }
}

bool isNumericType(FieldType type) {
    return type == FieldType::Integer || type == FieldType::Float || type == FieldType::Date ||
           type == FieldType::Boolean;
}

} // namespace ostrapel
