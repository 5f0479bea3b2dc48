#include "PostgreSqlRewrites.h"

#include "JetDialect.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace ostrapel {

namespace {

// iif(c, a, b) becomes CASE WHEN c THEN a ELSE b END; innermost first.
void rewriteIif(SqlTokens& t) {
    for (qsizetype i = qsizetype(t.size()) - 1; i >= 0; --i) {
        if (!t[size_t(i)].isWord(u"iif")) continue;
        const qsizetype open = nextSignificant(t, i);
        if (open < 0 || !t[size_t(open)].isSymbol(u"(")) continue;
        const qsizetype close = matchingClose(t, open);
        if (close < 0) continue;
        const std::vector<qsizetype> commas = topLevelCommas(t, open + 1, close);
        if (commas.size() != 2) continue;
        auto word = [](const char16_t* w) { return SqlToken{SqlToken::Word, QString::fromUtf16(w)}; };
        const SqlToken blank{SqlToken::Space, QStringLiteral(" ")};
        // an argument without the blanks around it
        auto argument = [&](qsizetype from, qsizetype to) {
            while (from < to && !t[size_t(from)].isSignificant())
                ++from;
            while (to > from && !t[size_t(to - 1)].isSignificant())
                --to;
            return SqlTokens(t.begin() + from, t.begin() + to);
        };
        SqlTokens out{word(u"CASE"), blank, word(u"WHEN"), blank};
        const SqlTokens condition = argument(open + 1, commas[0]), then = argument(commas[0] + 1, commas[1]),
                        otherwise = argument(commas[1] + 1, close);
        out.insert(out.end(), condition.begin(), condition.end());
        out.insert(out.end(), {blank, word(u"THEN"), blank});
        out.insert(out.end(), then.begin(), then.end());
        out.insert(out.end(), {blank, word(u"ELSE"), blank});
        out.insert(out.end(), otherwise.begin(), otherwise.end());
        out.insert(out.end(), {blank, word(u"END")});
        t.erase(t.begin() + i, t.begin() + close + 1);
        t.insert(t.begin() + i, out.begin(), out.end());
    }
}

// The number SQLite reads from a text used in arithmetic: its longest leading
// number, else 0 ("0,00" is 0).
QString numericPrefix(const QString& text) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*([+-]?(\d+(\.\d*)?|\.\d+)([eE][+-]?\d+)?))"));
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1) : QStringLiteral("0");
}

bool isArithmetic(const SqlToken& tok) {
    return tok.isSymbol(u"-") || tok.isSymbol(u"*") || tok.isSymbol(u"/") || tok.isSymbol(u"+");
}

// A text literal in arithmetic is the number SQLite would make of it; PostgreSQL
// refuses "'0,00' - x" outright.
void numericTextOperands(SqlTokens& t) {
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        SqlToken& tok = t[size_t(i)];
        if (tok.kind != SqlToken::String) continue;
        const qsizetype prev = prevSignificant(t, i), next = nextSignificant(t, i);
        if ((prev >= 0 && isArithmetic(t[size_t(prev)])) || (next >= 0 && isArithmetic(t[size_t(next)]))) {
            tok.kind = SqlToken::Number;
            tok.text = numericPrefix(tok.text.mid(1, tok.text.size() - 2));
        }
    }
}

// round(x, n) exists for numeric only; doubles are rounded as numeric.
void roundAsNumeric(SqlTokens& t) {
    for (qsizetype i = qsizetype(t.size()) - 1; i >= 0; --i) {
        if (!t[size_t(i)].isWord(u"round")) continue;
        const qsizetype open = nextSignificant(t, i);
        if (open < 0 || !t[size_t(open)].isSymbol(u"(")) continue;
        const qsizetype close = matchingClose(t, open);
        const std::vector<qsizetype> commas =
            topLevelCommas(t, open + 1, close < 0 ? qsizetype(t.size()) : close);
        if (commas.empty()) continue;
        const qsizetype comma = commas.front();
        // "numeric"(x): the function-like cast; unquoted, numeric( reads as a type
        t.insert(t.begin() + comma, {SqlToken::Symbol, QStringLiteral(")")});
        t.insert(t.begin() + open + 1,
                 {{SqlToken::Word, QStringLiteral("\"numeric\"")}, {SqlToken::Symbol, QStringLiteral("(")}});
    }
}

QString doubleQuoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// PostgreSQL folds unquoted names to lower case, and the schema's names keep
// their case: every name of the schema, and every select alias, is quoted as
// the schema (or the alias) spells it. Brackets become double quotes.
void quoteNames(SqlTokens& t, const QHash<QString, QString>& canonical) {
    QHash<QString, QString> aliases;
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        if (!t[size_t(i)].isWord(u"as")) continue;
        const qsizetype a = nextSignificant(t, i);
        if (a >= 0 && isNameToken(t[size_t(a)]))
            aliases.insert(t[size_t(a)].name().toLower(), t[size_t(a)].name());
    }
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        SqlToken& tok = t[size_t(i)];
        if (tok.kind == SqlToken::Bracketed) {
            tok.text = doubleQuoted(canonical.value(tok.name().toLower(), tok.name()));
            continue;
        }
        if (tok.kind != SqlToken::Word) continue;
        const qsizetype next = nextSignificant(t, i);
        const qsizetype prev = prevSignificant(t, i);
        const bool intoTable = prev >= 0 && t[size_t(prev)].isWord(u"into");
        if (next >= 0 && t[size_t(next)].isSymbol(u"(") && !intoTable) continue; // a function
        const QString key = tok.text.toLower();
        const bool qualified = prev >= 0 && t[size_t(prev)].isSymbol(u".");
        const auto known = canonical.constFind(key);
        // a qualified name is a column, or an alias of a subquery's select list
        if (aliases.contains(key) && (!qualified || known == canonical.constEnd()))
            tok.text = doubleQuoted(aliases.value(key));
        else if (known != canonical.constEnd())
            tok.text = doubleQuoted(*known);
        else if (tok.text.at(0).isDigit())
            tok.text = doubleQuoted(tok.text);
    }
}

// PostgreSQL 15 wants a name for every subquery in FROM; Jet does not.
void nameSubqueries(SqlTokens& t) {
    int serial = 0;
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        if (!t[size_t(i)].isSymbol(u"(")) continue;
        const qsizetype prev = prevSignificant(t, i), next = nextSignificant(t, i);
        if (prev < 0 || next < 0 || !t[size_t(next)].isWord(u"select")) continue;
        const SqlToken& p = t[size_t(prev)];
        if (!p.isWord(u"from") && !p.isWord(u"join") && !p.isSymbol(u",")) continue;
        if (p.isSymbol(u",")) { // a comma of a FROM list, not of a select list or IN list
            int depth = 0;
            bool inFrom = false;
            for (qsizetype k = prev - 1; k >= 0; --k) {
                const SqlToken& b = t[size_t(k)];
                if (b.isSymbol(u")"))
                    ++depth;
                else if (b.isSymbol(u"(") && depth-- == 0)
                    break;
                else if (depth == 0 && b.isWord(u"from")) {
                    inFrom = true;
                    break;
                } else if (depth == 0 && (b.isWord(u"select") || b.isWord(u"where")))
                    break;
            }
            if (!inFrom) continue;
        }
        const qsizetype close = matchingClose(t, i);
        if (close < 0) continue;
        const qsizetype after = nextSignificant(t, close);
        static const QStringList clauses = {QStringLiteral("where"),  QStringLiteral("group"),
                                            QStringLiteral("order"),  QStringLiteral("union"),
                                            QStringLiteral("having"), QStringLiteral("inner"),
                                            QStringLiteral("left"),   QStringLiteral("right"),
                                            QStringLiteral("join"),   QStringLiteral("on")};
        const bool named =
            after >= 0 && isNameToken(t[size_t(after)]) && !clauses.contains(t[size_t(after)].text.toLower());
        if (named) continue;
        t.insert(t.begin() + close + 1, {{SqlToken::Space, QStringLiteral(" ")},
                                         {SqlToken::Word, QStringLiteral("AS")},
                                         {SqlToken::Space, QStringLiteral(" ")},
                                         {SqlToken::Word, QStringLiteral("subquery_%1").arg(++serial)}});
    }
}

// In a UNION a Dutch amount written as text ('0,00') stands beside amounts of
// the other branches; PostgreSQL gives a column one type, so it becomes the number.
void unionAmountLiterals(SqlTokens& t) {
    if (std::none_of(t.begin(), t.end(), [](const SqlToken& k) { return k.isWord(u"union"); })) return;
    static const QRegularExpression amount(QStringLiteral(R"(^'(-?\d+),(\d+)'$)"));
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        SqlToken& tok = t[size_t(i)];
        if (tok.kind != SqlToken::String) continue;
        const auto m = amount.match(tok.text);
        if (!m.hasMatch()) continue;
        const qsizetype prev = prevSignificant(t, i), next = nextSignificant(t, i);
        const bool wholeItem = prev >= 0 && next >= 0 &&
                               (t[size_t(prev)].isSymbol(u",") || t[size_t(prev)].isWord(u"select") ||
                                t[size_t(prev)].isWord(u"distinct")) &&
                               (t[size_t(next)].isWord(u"as") || t[size_t(next)].isSymbol(u","));
        if (!wholeItem) continue;
        tok.kind = SqlToken::Number;
        tok.text = m.captured(1) + u'.' + m.captured(2);
    }
}

// The significant tokens of a range as one lower-case text, to compare expressions.
QString normalized(const SqlTokens& t, qsizetype from, qsizetype to) {
    QString out;
    for (qsizetype i = from; i < to; ++i)
        if (t[size_t(i)].isSignificant()) // [ID03] and ID03 are one name
            out += (t[size_t(i)].kind == SqlToken::Bracketed ? t[size_t(i)].name() : t[size_t(i)].text)
                       .toLower() +
                   u' ';
    return out;
}

// SQLite sorts a SELECT DISTINCT by any expression; PostgreSQL only by selected
// ones. An ORDER BY term that is not selected is selected as well, under a
// name of its own; it does not change which rows are distinct when it is made
// of selected columns, as the program's are.
void selectDistinctOrderTerms(SqlTokens& t) {
    const qsizetype select = nextSignificant(t, -1);
    if (select < 0 || !t[size_t(select)].isWord(u"select")) return;
    const qsizetype distinct = nextSignificant(t, select);
    if (distinct < 0 || !t[size_t(distinct)].isWord(u"distinct")) return;
    qsizetype from = -1, orderBy = -1;
    bool unionOrEnd = false;
    forEachTopLevel(t, distinct + 1, qsizetype(t.size()), [&](qsizetype i) {
        const SqlToken& tok = t[size_t(i)];
        if (tok.isWord(u"union") || tok.isSymbol(u";")) return !(unionOrEnd = true);
        if (from < 0 && tok.isWord(u"from"))
            from = i;
        else if (tok.isWord(u"order"))
            orderBy = nextSignificant(t, i); // "by"
        return true;
    });
    if (unionOrEnd || from < 0 || orderBy < 0) return;
    std::vector<std::pair<qsizetype, qsizetype>> items;
    qsizetype itemStart = distinct + 1;
    for (const qsizetype comma : topLevelCommas(t, distinct + 1, from)) {
        items.push_back({itemStart, comma});
        itemStart = comma + 1;
    }
    items.push_back({itemStart, from});
    QSet<QString> selected;
    for (const auto& [b, e] : items) {
        qsizetype asPos = -1;
        forEachTopLevel(t, b, e, [&](qsizetype k) {
            if (t[size_t(k)].isWord(u"as")) asPos = k;
            return true;
        });
        selected.insert(normalized(t, b, asPos < 0 ? e : asPos));
        if (asPos >= 0) selected.insert(normalized(t, asPos + 1, e));
    }
    SqlTokens extra;
    int serial = 0;
    qsizetype termStart = orderBy + 1;
    std::vector<qsizetype> termEnds = topLevelCommas(t, orderBy + 1, qsizetype(t.size()));
    termEnds.push_back(qsizetype(t.size()));
    for (const qsizetype i : termEnds) {
        qsizetype termEnd = i;
        const qsizetype last = prevSignificant(t, termEnd);
        if (last > termStart && (t[size_t(last)].isWord(u"asc") || t[size_t(last)].isWord(u"desc")))
            termEnd = last;
        const QString term = normalized(t, termStart, termEnd);
        const qsizetype first = nextSignificant(t, termStart - 1);
        const qsizetype afterFirst = first < 0 ? -1 : nextSignificant(t, first);
        const bool position = first >= 0 && first < termEnd && t[size_t(first)].kind == SqlToken::Number &&
                              (afterFirst < 0 || afterFirst >= termEnd);
        // "t.column" is selected by "t.*"
        const QString qualifier = term.section(u' ', 0, 0);
        const bool byStar = term.count(u' ') == 3 && term.section(u' ', 1, 1) == u"." &&
                            selected.contains(qualifier + QStringLiteral(" . * "));
        if (!term.isEmpty() && !position && !byStar && !selected.contains(term)) {
            extra.push_back({SqlToken::Symbol, QStringLiteral(",")});
            extra.push_back({SqlToken::Space, QStringLiteral(" ")});
            const qsizetype lastOfTerm = prevSignificant(t, termEnd);
            for (qsizetype k = first; k <= lastOfTerm; ++k)
                if (t[size_t(k)].kind != SqlToken::Comment) extra.push_back(t[size_t(k)]);
            extra.push_back({SqlToken::Space, QStringLiteral(" ")});
            extra.push_back({SqlToken::Word, QStringLiteral("AS")});
            extra.push_back({SqlToken::Space, QStringLiteral(" ")});
            extra.push_back({SqlToken::Word, SortOnlyColumnPrefix + QString::number(++serial)});
            selected.insert(term);
        }
        termStart = i + 1;
    }
    if (extra.empty()) return;
    t.insert(t.begin() + prevSignificant(t, from) + 1, extra.begin(), extra.end());
}

// Rows that tie on every ORDER BY term come out of SQLite in the order its
// sorting and grouping left them, mostly by the selected columns; PostgreSQL
// leaves them in any order. The selected columns are appended to the ORDER BY,
// so both engines list alike (by position under DISTINCT, which allows only
// selected columns there).
void orderTiesBySelectedColumns(SqlTokens& t, const QHash<QString, QStringList>& tableColumns) {
    const qsizetype select = nextSignificant(t, -1);
    if (select < 0 || !t[size_t(select)].isWord(u"select")) return;
    qsizetype listStart = select + 1;
    const qsizetype afterSelect = nextSignificant(t, select);
    const bool distinct = afterSelect >= 0 && t[size_t(afterSelect)].isWord(u"distinct");
    if (distinct) listStart = afterSelect + 1;
    bool isUnion = false, limited = false;
    qsizetype from = -1, orderBy = -1;
    forEachTopLevel(t, listStart, qsizetype(t.size()), [&](qsizetype i) {
        const SqlToken& tok = t[size_t(i)];
        if (tok.isWord(u"limit") || tok.isWord(u"offset") || tok.isSymbol(u";")) return !(limited = true);
        if (tok.isWord(u"from")) {
            if (from < 0) from = i;
        } else if (tok.isWord(u"union")) {
            isUnion = true;
        } else if (tok.isWord(u"order")) {
            orderBy = i;
        }
        return true;
    });
    if (limited || from < 0) return;
    std::vector<SqlTokens> items;
    qsizetype itemStart = listStart;
    for (const qsizetype comma : topLevelCommas(t, listStart, from)) {
        items.emplace_back(t.begin() + itemStart, t.begin() + comma);
        itemStart = comma + 1;
    }
    items.emplace_back(t.begin() + itemStart, t.begin() + from);
    auto expressionOf = [](const SqlTokens& item) { // without its alias and the blanks around it
        qsizetype end = qsizetype(item.size());
        forEachTopLevel(item, 0, end, [&](qsizetype i) {
            if (item[size_t(i)].isWord(u"as")) end = i;
            return end != i;
        });
        SqlTokens expr;
        for (qsizetype i = 0; i < end; ++i)
            if (item[size_t(i)].isSignificant() || !expr.empty()) expr.push_back(item[size_t(i)]);
        while (!expr.empty() && !expr.back().isSignificant())
            expr.pop_back();
        return expr;
    };
    auto isStar = [](const SqlTokens& expr) { return expr.empty() || expr.back().isSymbol(u"*"); };
    // SQLite makes a UNION's rows distinct by sorting them: without an ORDER BY
    // they come out in the order of all their columns
    if (isUnion) {
        if (orderBy >= 0) return;
        SqlTokens byPosition{{SqlToken::Space, QStringLiteral(" ")},
                             {SqlToken::Word, QStringLiteral("ORDER")},
                             {SqlToken::Space, QStringLiteral(" ")},
                             {SqlToken::Word, QStringLiteral("BY")}};
        for (size_t n = 0; n < items.size(); ++n) {
            if (isStar(expressionOf(items[n]))) return; // the positions are unknown
            if (n > 0) byPosition.push_back({SqlToken::Symbol, QStringLiteral(",")});
            byPosition.push_back({SqlToken::Space, QStringLiteral(" ")});
            byPosition.push_back({SqlToken::Number, QString::number(n + 1)});
        }
        qsizetype end = qsizetype(t.size());
        while (end > 0 && !t[size_t(end - 1)].isSignificant())
            --end;
        t.insert(t.begin() + end, byPosition.begin(), byPosition.end());
        return;
    }
    if (orderBy < 0) return;
    SqlTokens tail;
    auto comma = [&] {
        tail.push_back({SqlToken::Symbol, QStringLiteral(",")});
        tail.push_back({SqlToken::Space, QStringLiteral(" ")});
    };
    // the tables of the top-level FROM list by their aliases
    QHash<QString, QString> fromAliases;
    {
        bool inFrom = false;
        forEachTopLevel(t, listStart, qsizetype(t.size()), [&](qsizetype i) {
            const SqlToken& tok = t[size_t(i)];
            if (tok.isWord(u"from"))
                inFrom = true;
            else if (tok.isWord(u"where") || tok.isWord(u"group") || tok.isWord(u"order"))
                inFrom = false;
            else if (inFrom && isNameToken(tok) && tableColumns.contains(tok.name().toLower())) {
                qsizetype alias = nextSignificant(t, i);
                if (alias >= 0 && t[size_t(alias)].isWord(u"as")) alias = nextSignificant(t, alias);
                if (alias >= 0 && t[size_t(alias)].kind == SqlToken::Word &&
                    !t[size_t(alias)].isWord(u"where"))
                    fromAliases.insert(t[size_t(alias)].text.toLower(), tok.name().toLower());
            }
            return true;
        });
    }
    int position = 0; // of the result column before this item
    for (size_t n = 0; n < items.size(); ++n) {
        const SqlTokens expr = expressionOf(items[n]);
        if (isStar(expr)) {
            // table.* or alias.*: the table's columns
            const QString qualifier =
                expr.size() == 3 && isNameToken(expr[0]) ? expr[0].name().toLower() : QString();
            const auto table = tableColumns.constFind(fromAliases.value(qualifier, qualifier));
            if (table == tableColumns.constEnd()) {
                if (distinct) return; // positions unknown past this star
                continue;
            }
            const int columns = int(table->size());
            // a statement table's rows stay together per person (SQLite reads them by
            // its person index), before the period that precedes the person in the table
            if (table->contains(QStringLiteral("ID07"), Qt::CaseInsensitive)) {
                comma();
                tail.insert(tail.end(), expr.begin(), expr.end() - 1);
                tail.push_back({SqlToken::Word, QStringLiteral("ID07")});
            }
            if (!distinct) continue;
            for (int k = 1; k <= columns; ++k) {
                comma();
                tail.push_back({SqlToken::Number, QString::number(position + k)});
            }
            position += columns;
            continue;
        }
        ++position;
        if (distinct) {
            comma();
            tail.push_back({SqlToken::Number, QString::number(position)});
            continue;
        }
        const bool constant =
            expr.size() == 1 && (expr[0].kind == SqlToken::String || expr[0].kind == SqlToken::Number);
        const bool parameter = std::any_of(expr.begin(), expr.end(),
                                           [](const SqlToken& k) { return k.kind == SqlToken::Parameter; });
        if (constant || parameter) continue; // no sort key, or one of unknown type
        comma();
        tail.insert(tail.end(), expr.begin(), expr.end());
    }
    qsizetype end = qsizetype(t.size());
    while (end > 0 && !t[size_t(end - 1)].isSignificant())
        --end;
    t.insert(t.begin() + end, tail.begin(), tail.end());
}

bool isComparison(const SqlToken& tok) {
    return tok.kind == SqlToken::Symbol &&
           (tok.text == u"=" || tok.text == u"<>" || tok.text == u"<" || tok.text == u">" ||
            tok.text == u"<=" || tok.text == u">=" || tok.text == u"!=");
}

} // namespace

void rewriteForPostgreSql(SqlTokens& t, const PostgreSqlSchemaNames& schema) {
    rewriteIif(t);
    nameSubqueries(t);
    unionAmountLiterals(t);
    orderTiesBySelectedColumns(t, schema.tableColumns);
    selectDistinctOrderTerms(t);
    numericTextOperands(t);
    roundAsNumeric(t);
    // A text column compared with a number compares texts, as SQLite's column
    // affinity makes it; PostgreSQL has no text = integer.
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        if (t[size_t(i)].kind != SqlToken::Number) continue;
        const qsizetype op = prevSignificant(t, i);
        if (op < 0 || !isComparison(t[size_t(op)])) continue;
        const qsizetype name = prevSignificant(t, op);
        if (name >= 0 && isNameToken(t[size_t(name)]) && schema.isTextColumn(t[size_t(name)].name()))
            t[size_t(i)] = {SqlToken::String, u'\'' + t[size_t(i)].text + u'\''};
    }
    quoteNames(t, schema.canonical);
}

} // namespace ostrapel
