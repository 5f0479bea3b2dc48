#include "SqlTokenizer.h"

namespace ostrapel {

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

QString SqlToken::name() const {
    if (kind == Bracketed) return text.mid(1, text.size() - 2);
    if (kind == Quoted)
        return text.mid(1, text.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return text;
}

SqlTokens tokenizeSql(const QString& sql) {
    SqlTokens out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto push = [&](SqlToken::Kind kind, qsizetype start, qsizetype end) {
        out.push_back({kind, sql.mid(start, end - start)});
    };
    while (i < n) {
        const QChar c = sql.at(i);
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && sql.at(i).isSpace())
                ++i;
            push(SqlToken::Space, start, i);
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            while (i < n && sql.at(i) != u'\n' && sql.at(i) != u'\r')
                ++i;
            push(SqlToken::Comment, start, i);
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            const qsizetype close = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = close < 0 ? n : close + 2;
            push(SqlToken::Comment, start, i);
        } else if (c == u'\'' || c == u'"') {
            // a quote inside is written twice
            ++i;
            while (i < n) {
                if (sql.at(i) == c) {
                    if (i + 1 < n && sql.at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            push(c == u'"' ? SqlToken::Quoted : SqlToken::String, start, i);
        } else if (c == u'[') {
            const qsizetype end = sql.indexOf(u']', i + 1);
            i = end < 0 ? n : end + 1;
            push(SqlToken::Bracketed, start, i);
        } else if (c == u'#') {
            const qsizetype end = sql.indexOf(u'#', i + 1);
            if (end > 0) {
                i = end + 1;
                push(SqlToken::DateLiteral, start, i);
            } else {
                ++i;
                push(SqlToken::Symbol, start, i);
            }
        } else if (c == u':' && i + 1 < n && isNameChar(sql.at(i + 1))) {
            ++i;
            while (i < n && isNameChar(sql.at(i)))
                ++i;
            push(SqlToken::Parameter, start, i);
        } else if (c.isDigit()) {
            while (i < n && sql.at(i).isDigit())
                ++i;
            if (i < n && isNameChar(sql.at(i))) {
                // digit-led names such as the alias 5009a
                while (i < n && isNameChar(sql.at(i)))
                    ++i;
                push(SqlToken::Word, start, i);
            } else {
                if (i + 1 < n && sql.at(i) == u'.' && sql.at(i + 1).isDigit()) {
                    ++i;
                    while (i < n && sql.at(i).isDigit())
                        ++i;
                }
                push(SqlToken::Number, start, i);
            }
        } else if (isNameChar(c)) {
            while (i < n && isNameChar(sql.at(i)))
                ++i;
            push(SqlToken::Word, start, i);
        } else {
            static const QString twoChar[] = {QStringLiteral("<>"), QStringLiteral("<="),
                                              QStringLiteral(">="), QStringLiteral("!="),
                                              QStringLiteral("||")};
            i += 1;
            for (const QString& op : twoChar) {
                if (QStringView(sql).mid(start, 2) == op) {
                    i = start + 2;
                    break;
                }
            }
            push(SqlToken::Symbol, start, i);
        }
    }
    return out;
}

QString joinSqlTokens(const SqlTokens& tokens) {
    QString out;
    for (const SqlToken& t : tokens)
        out += t.text;
    return out;
}

qsizetype nextSignificant(const SqlTokens& t, qsizetype i) {
    for (++i; i < qsizetype(t.size()); ++i)
        if (t[size_t(i)].isSignificant()) return i;
    return -1;
}

qsizetype prevSignificant(const SqlTokens& t, qsizetype i) {
    for (--i; i >= 0; --i)
        if (t[size_t(i)].isSignificant()) return i;
    return -1;
}

qsizetype matchingClose(const SqlTokens& t, qsizetype open) {
    int depth = 0;
    for (qsizetype k = open + 1; k < qsizetype(t.size()); ++k) {
        if (t[size_t(k)].isSymbol(u"("))
            ++depth;
        else if (t[size_t(k)].isSymbol(u")") && depth-- == 0)
            return k;
    }
    return -1;
}

std::vector<qsizetype> topLevelCommas(const SqlTokens& t, qsizetype from, qsizetype to) {
    std::vector<qsizetype> commas;
    forEachTopLevel(t, from, to, [&](qsizetype k) {
        if (t[size_t(k)].isSymbol(u",")) commas.push_back(k);
        return true;
    });
    return commas;
}

} // namespace ostrapel
