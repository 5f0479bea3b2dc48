#include "JetDialect.h"

#include "PostgreSqlRewrites.h"
#include "SqlFragments.h"
#include "SqlTokenizer.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace ostrapel {

namespace {

// "delete * from t" becomes "delete from t"; "delete from t a" names its alias with AS.
void rewriteDelete(SqlTokens& t) {
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        if (!t[size_t(i)].isWord(u"delete")) continue;
        const qsizetype star = nextSignificant(t, i);
        if (star >= 0 && t[size_t(star)].isSymbol(u"*")) {
            t.erase(t.begin() + star);
            // keep one blank between "delete" and "from"
            if (star < qsizetype(t.size()) && t[size_t(star)].kind == SqlToken::Space &&
                t[size_t(star - 1)].kind == SqlToken::Space)
                t.erase(t.begin() + star);
        }
        const qsizetype from = nextSignificant(t, i);
        if (from < 0 || !t[size_t(from)].isWord(u"from")) continue;
        const qsizetype table = nextSignificant(t, from);
        const qsizetype alias = table < 0 ? -1 : nextSignificant(t, table);
        if (alias < 0 || t[size_t(alias)].kind != SqlToken::Word) continue;
        const SqlToken& a = t[size_t(alias)];
        if (a.isWord(u"where") || a.isWord(u"as") || a.isWord(u"order") || a.isWord(u"limit") ||
            a.isWord(u"returning"))
            continue;
        t.insert(t.begin() + alias,
                 {{SqlToken::Word, QStringLiteral("as")}, {SqlToken::Space, QStringLiteral(" ")}});
    }
}

// #mm-dd-yyyy# (also with "/") becomes 'yyyy-mm-dd', the form date columns hold.
void convertDateLiterals(SqlTokens& t) {
    static const QRegularExpression re(QStringLiteral(R"(^#\s*(\d{1,2})[-/](\d{1,2})[-/](\d{4})\s*#$)"));
    for (SqlToken& tok : t) {
        if (tok.kind != SqlToken::DateLiteral) continue;
        const auto m = re.match(tok.text);
        if (!m.hasMatch()) continue;
        tok.kind = SqlToken::String;
        tok.text = QStringLiteral("'%1-%2-%3'")
                       .arg(m.captured(3))
                       .arg(m.captured(1).toInt(), 2, 10, QChar(u'0'))
                       .arg(m.captured(2).toInt(), 2, 10, QChar(u'0'));
    }
}

// Jet reads "text" as a string literal.
void doubleQuotedStrings(SqlTokens& t) {
    for (SqlToken& tok : t) {
        if (tok.kind != SqlToken::Quoted) continue;
        const QString value = tok.name();
        tok.kind = SqlToken::String;
        tok.text = sqlTextLiteral(value);
    }
}

void quoteDigitLedNames(SqlTokens& t) {
    for (SqlToken& tok : t)
        if (tok.kind == SqlToken::Word && tok.text.at(0).isDigit()) tok.text = u'"' + tok.text + u'"';
}

void renameFunctions(SqlTokens& t) {
    static const QHash<QString, QString> names = {{QStringLiteral("ucase"), QStringLiteral("upper")},
                                                  {QStringLiteral("lcase"), QStringLiteral("lower")},
                                                  {QStringLiteral("mid"), QStringLiteral("substr")},
                                                  {QStringLiteral("len"), QStringLiteral("length")}};
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        SqlToken& tok = t[size_t(i)];
        if (tok.kind != SqlToken::Word) continue;
        const auto it = names.constFind(tok.text.toLower());
        if (it == names.constEnd()) continue;
        const qsizetype next = nextSignificant(t, i);
        if (next >= 0 && t[size_t(next)].isSymbol(u"(")) tok.text = it.value();
    }
}

// Jet sorts and compares every text without regard to case; SQLite gives an
// iif() no collation, so a list item or sort term that is one (the compound
// surname) would sort upper case before lower case and accents last.
void iifItemsCompareWithoutCase(SqlTokens& t) {
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        if (!t[size_t(i)].isWord(u"iif")) continue;
        const qsizetype open = nextSignificant(t, i);
        const qsizetype before = prevSignificant(t, i);
        if (open < 0 || !t[size_t(open)].isSymbol(u"(") || before < 0) continue;
        const SqlToken& b = t[size_t(before)];
        if (!(b.isWord(u"select") || b.isWord(u"by") || b.isWord(u"distinct") || b.isSymbol(u","))) continue;
        const qsizetype close = matchingClose(t, open);
        if (close < 0) continue;
        const qsizetype after = nextSignificant(t, close);
        if (after >= 0 && t[size_t(after)].isWord(u"collate")) continue;
        t.insert(t.begin() + close + 1, {{SqlToken::Space, QStringLiteral(" ")},
                                         {SqlToken::Word, QStringLiteral("COLLATE")},
                                         {SqlToken::Space, QStringLiteral(" ")},
                                         {SqlToken::Word, QStringLiteral("NOCASE")}});
    }
}

struct SelectItem {
    qsizetype begin; // first token of the item
    qsizetype asPos; // the AS keyword, or -1
    qsizetype end;   // one past the last token
};

} // namespace

void JetDialect::setSchemaColumns(const QSet<QString>& textColumns, const QSet<QString>& allColumns) {
    textColumns_.clear();
    allColumns_.clear();
    canonicalNames_.clear();
    for (const QString& c : textColumns)
        textColumns_.insert(c.toLower());
    for (const QString& c : allColumns) {
        allColumns_.insert(c.toLower());
        canonicalNames_.insert(c.toLower(), c);
    }
}

void JetDialect::setSchemaTables(const QStringList& tables, const QHash<QString, QStringList>& columns) {
    for (const QString& t : tables)
        canonicalNames_.insert(t.toLower(), t);
    tableColumns_.clear();
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        tableColumns_.insert(it.key().toLower(), it.value());
}

bool JetDialect::isTextColumn(const QString& name) const {
    return textColumns_.contains(name.toLower());
}
bool JetDialect::isColumn(const QString& name) const {
    return allColumns_.contains(name.toLower());
}

namespace {

// Every alias used twice in the next one doubles the text ("x as a, a & a as b,
// b & b as c, ..."), so 200 bytes could ask for gigabytes. Past this many inlined
// tokens a reference stays as written and the database names it as unknown.
constexpr qsizetype kInlinedTokenBudget = 100000;

// Jet lets a select list use an alias defined earlier in the same list
// ("sum(a) as X, sum(b) as Y, X + Y as Z"); SQLite does not, so each such
// reference is replaced by the aliased expression in parentheses.
class AliasInliner {
public:
    explicit AliasInliner(std::function<bool(const QString&)> isColumn) : isColumn_(std::move(isColumn)) {}

    void run(SqlTokens& t) {
        // Last SELECT first: splicing a later list never moves an earlier SELECT.
        for (qsizetype i = qsizetype(t.size()) - 1; i >= 0; --i)
            if (t[size_t(i)].isWord(u"select")) rewriteList(t, i);
    }

private:
    std::vector<SelectItem> listItems(const SqlTokens& t, qsizetype select, qsizetype* listEnd) const {
        std::vector<SelectItem> items;
        qsizetype itemBegin = select + 1;
        qsizetype asPos = -1;
        qsizetype i = select + 1;
        for (; i < qsizetype(t.size()); ++i) {
            const SqlToken& tok = t[size_t(i)];
            if (tok.isSymbol(u"(")) {
                const qsizetype close = matchingClose(t, i);
                if (close < 0) { // unclosed: the list runs to the end
                    i = qsizetype(t.size());
                    break;
                }
                i = close;
            } else if (tok.isSymbol(u")") || tok.isWord(u"from") || tok.isWord(u"union") ||
                       tok.isSymbol(u";")) {
                break; // the close of the subquery, or the end of the list
            } else if (tok.isSymbol(u",")) {
                items.push_back({itemBegin, asPos, i});
                itemBegin = i + 1;
                asPos = -1;
            } else if (tok.isWord(u"as")) {
                asPos = i;
            }
        }
        items.push_back({itemBegin, asPos, i});
        *listEnd = i;
        return items;
    }

    void rewriteList(SqlTokens& t, qsizetype select) {
        qsizetype listEnd = 0;
        const std::vector<SelectItem> items = listItems(t, select, &listEnd);
        QHash<QString, SqlTokens> aliases; // lower-case alias -> resolved expression
        std::vector<SqlTokens> resolved;
        bool changed = false;
        for (const SelectItem& item : items) {
            const qsizetype exprEnd = item.asPos >= 0 ? item.asPos : item.end;
            SqlTokens expr;
            for (qsizetype i = item.begin; i < exprEnd; ++i) {
                const SqlToken& tok = t[size_t(i)];
                const auto it =
                    isNameToken(tok) ? aliases.constFind(tok.name().toLower()) : aliases.constEnd();
                if (it != aliases.constEnd() && isPlainReference(t, i) &&
                    qsizetype(it->size()) + 2 <= budget_) {
                    budget_ -= qsizetype(it->size()) + 2;
                    expr.push_back({SqlToken::Symbol, QStringLiteral("(")});
                    expr.insert(expr.end(), it->begin(), it->end());
                    expr.push_back({SqlToken::Symbol, QStringLiteral(")")});
                    changed = true;
                } else {
                    expr.push_back(tok);
                }
            }
            SqlTokens whole = expr;
            for (qsizetype i = exprEnd; i < item.end; ++i)
                whole.push_back(t[size_t(i)]);
            resolved.push_back(whole);
            if (item.asPos >= 0) {
                const qsizetype aliasPos = nextSignificant(t, item.asPos);
                if (aliasPos >= 0 && aliasPos < item.end && isNameToken(t[size_t(aliasPos)])) {
                    const QString alias = t[size_t(aliasPos)].name();
                    if (!isColumn_(alias)) aliases.insert(alias.toLower(), trimmed(expr));
                }
            }
        }
        if (!changed) return;
        SqlTokens list;
        for (size_t k = 0; k < resolved.size(); ++k) {
            if (k > 0) list.push_back({SqlToken::Symbol, QStringLiteral(",")});
            list.insert(list.end(), resolved[k].begin(), resolved[k].end());
        }
        t.erase(t.begin() + select + 1, t.begin() + listEnd);
        t.insert(t.begin() + select + 1, list.begin(), list.end());
    }

    static bool isPlainReference(const SqlTokens& t, qsizetype i) {
        const qsizetype prev = prevSignificant(t, i);
        const qsizetype next = nextSignificant(t, i);
        if (prev >= 0 && t[size_t(prev)].isSymbol(u".")) return false;
        if (next >= 0 && (t[size_t(next)].isSymbol(u"(") || t[size_t(next)].isSymbol(u"."))) return false;
        return true;
    }

    static SqlTokens trimmed(const SqlTokens& expr) {
        size_t b = 0, e = expr.size();
        while (b < e && !expr[b].isSignificant())
            ++b;
        while (e > b && !expr[e - 1].isSignificant())
            --e;
        return SqlTokens(expr.begin() + qsizetype(b), expr.begin() + qsizetype(e));
    }

    std::function<bool(const QString&)> isColumn_;
    qsizetype budget_ = kInlinedTokenBudget;
};

} // namespace

TranslatedSql JetDialect::translate(const QString& jetSql) const {
    SqlTokens t = tokenizeSql(jetSql);
    doubleQuotedStrings(t);
    rewriteDelete(t);
    convertDateLiterals(t);
    renameFunctions(t);
    AliasInliner([this](const QString& n) { return isColumn(n); }).run(t);

    // "+" between texts, and Jet's "&", join strings.
    auto operandIsText = [&](qsizetype i, bool leftSide) {
        if (i < 0) return false;
        const SqlToken& tok = t[size_t(i)];
        if (tok.kind == SqlToken::String) return true;
        if (!isNameToken(tok)) return false;
        qsizetype nameAt = i;
        if (!leftSide) { // a qualified right operand: alias . column
            const qsizetype dot = nextSignificant(t, i);
            if (dot >= 0 && t[size_t(dot)].isSymbol(u".")) nameAt = nextSignificant(t, dot);
            if (nameAt < 0 || !isNameToken(t[size_t(nameAt)])) return false;
            const qsizetype after = nextSignificant(t, nameAt);
            if (after >= 0 && t[size_t(after)].isSymbol(u"(")) return false;
        }
        return isTextColumn(t[size_t(nameAt)].name());
    };
    for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
        SqlToken& tok = t[size_t(i)];
        if (tok.isSymbol(u"&")) {
            tok.text = QStringLiteral("||");
        } else if (tok.isSymbol(u"+")) {
            if (operandIsText(prevSignificant(t, i), true) || operandIsText(nextSignificant(t, i), false))
                tok.text = QStringLiteral("||");
        }
    }

    if (engine_ == DatabaseEngine::PostgreSql) {
        rewriteForPostgreSql(
            t, {canonicalNames_, tableColumns_, [this](const QString& n) { return isTextColumn(n); }});
    } else {
        quoteDigitLedNames(t);
        iifItemsCompareWithoutCase(t);
    }

    TranslatedSql out;
    for (SqlToken& tok : t) {
        if (tok.kind == SqlToken::Parameter) {
            out.parameterNames << tok.text.mid(1);
            tok.text = QStringLiteral("?");
        }
    }
    out.sql = joinSqlTokens(t);
    return out;
}

} // namespace ostrapel
