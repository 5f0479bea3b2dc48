#include "SingleCondition.h"

#include "SqlTokenizer.h"

#include <QSet>

namespace ostrapel {

namespace {

// Words that end an expression or begin a statement or query of their own.
const QSet<QString> kStatementWords{
    QStringLiteral("select"),    QStringLiteral("from"),     QStringLiteral("where"),
    QStringLiteral("group"),     QStringLiteral("order"),    QStringLiteral("having"),
    QStringLiteral("union"),     QStringLiteral("except"),   QStringLiteral("intersect"),
    QStringLiteral("limit"),     QStringLiteral("offset"),   QStringLiteral("as"),
    QStringLiteral("into"),      QStringLiteral("with"),     QStringLiteral("window"),
    QStringLiteral("returning"), QStringLiteral("join"),     QStringLiteral("insert"),
    QStringLiteral("update"),    QStringLiteral("delete"),   QStringLiteral("drop"),
    QStringLiteral("create"),    QStringLiteral("alter"),    QStringLiteral("pragma"),
    QStringLiteral("attach"),    QStringLiteral("execute"),  QStringLiteral("copy"),
    QStringLiteral("grant"),     QStringLiteral("truncate"), QStringLiteral("values"),
};

// A quoted token ends with its own quote, and every quote inside is doubled.
bool isClosed(const SqlToken& t, QChar open, QChar close) {
    if (t.text.size() < 2 || t.text.front() != open || t.text.back() != close) return false;
    const QString inner = t.text.mid(1, t.text.size() - 2);
    if (open != close) return !inner.contains(close);
    return !QString(inner).remove(QString(2, close)).contains(close);
}

} // namespace

bool isSingleCondition(const QString& jetCondition) {
    const SqlTokens tokens = tokenizeSql(jetCondition);
    int depth = 0;
    bool any = false;
    const SqlToken* previous = nullptr;
    for (const SqlToken& t : tokens) {
        switch (t.kind) {
        case SqlToken::Space:
            break;
        case SqlToken::Comment:
        case SqlToken::Parameter:
            return false;
        case SqlToken::String:
            // a letter before the quote makes another kind of text (E'..' reads backslashes)
            if (!isClosed(t, u'\'', u'\'') || (previous && previous->kind == SqlToken::Word)) return false;
            break;
        case SqlToken::Quoted:
            if (!isClosed(t, u'"', u'"') || (previous && previous->kind == SqlToken::Word)) return false;
            break;
        case SqlToken::Bracketed:
            if (!isClosed(t, u'[', u']')) return false;
            break;
        case SqlToken::Word:
            if (kStatementWords.contains(t.text.toLower())) return false;
            break;
        case SqlToken::Symbol:
            if (t.text == u"(") {
                ++depth;
            } else if (t.text == u")") {
                if (--depth < 0) return false;
            } else if (t.text == u";" || t.text == u"?" || t.text == u"$" || t.text == u"\\" ||
                       t.text == u"#") {
                return false;
            }
            break;
        case SqlToken::DateLiteral:
        case SqlToken::Number:
            break;
        }
        if (t.kind != SqlToken::Space) any = true;
        previous = &t;
    }
    return any && depth == 0;
}

} // namespace ostrapel
