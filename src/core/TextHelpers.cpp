#include "TextHelpers.h"

namespace ostrapel {

int tokenCount(const QString& text, QChar sep) {
    if (text.isEmpty()) return 0;
    int count = int(text.count(sep)) + 1;
    if (text.endsWith(sep)) --count;
    return count;
}

QString tokenAt(const QString& text, QChar sep, int index) {
    if (index < 0 || index >= tokenCount(text, sep)) return {};
    return text.section(sep, index, index);
}

QString valueOrName(const QString& name, const QStringList& list) {
    for (const QString& item : list) {
        const qsizetype eq = item.indexOf(u'=');
        if (eq >= 0 && item.left(eq).compare(name, Qt::CaseInsensitive) == 0) return item.mid(eq + 1);
    }
    return name;
}

QString firstCommaItem(const QString& text) {
    if (text.isEmpty()) return text;
    return tokenAt(text, u',', 0).trimmed();
}

QString shortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString menuText(const QString& name) {
    QString text = name;
    return text.replace(u'&', QStringLiteral("&&"));
}

QStringList readCommaText(const QString& text) {
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text.at(i).unicode() <= ' ')
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text.at(i) == u'"') {
            ++i;
            while (i < n) {
                if (text.at(i) == u'"') {
                    if (i + 1 < n && text.at(i + 1) == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
        } else {
            while (i < n && text.at(i).unicode() > ' ' && text.at(i) != u',')
                item += text.at(i++);
        }
        out << item;
        skipBlanks();
        if (i < n && text.at(i) == u',') {
            ++i;
            skipBlanks();
            if (i >= n) out << QString();
        }
    }
    return out;
}

QString writeCommaText(const QStringList& items) {
    QStringList out;
    for (const QString& item : items) {
        bool quote = item.isEmpty();
        for (QChar c : item)
            quote = quote || c.unicode() <= ' ' || c == u',' || c == u'"';
        out << (quote ? u'"' + QString(item).replace(u'"', QStringLiteral("\"\"")) + u'"' : item);
    }
    return out.join(u',');
}

} // namespace ostrapel
