#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace ostrapel {

struct SqlToken {
    enum Kind {
        Space,       // blanks and line breaks
        Comment,     // -- to end of line, or /* ... */
        String,      // '...' with '' inside
        Bracketed,   // [name]
        Quoted,      // "text": a string in Jet SQL
        DateLiteral, // #...#
        Parameter,   // :name
        Number,      // 12, 2.20371
        Word,        // identifiers and keywords, also digit-led names such as 5009a
        Symbol       // operators and punctuation
    };
    Kind kind;
    QString text;

    bool isSignificant() const { return kind != Space && kind != Comment; }
    bool isWord(QStringView w) const { return kind == Word && text.compare(w, Qt::CaseInsensitive) == 0; }
    bool isSymbol(QStringView s) const { return kind == Symbol && text == s; }
    // The name a Word, Bracketed or Quoted token stands for, without its quotes.
    QString name() const;
};

using SqlTokens = std::vector<SqlToken>;

SqlTokens tokenizeSql(const QString& sql);
QString joinSqlTokens(const SqlTokens& tokens);

// Index of the next (previous) significant token after (before) i, or -1.
qsizetype nextSignificant(const SqlTokens& t, qsizetype i);
qsizetype prevSignificant(const SqlTokens& t, qsizetype i);
// Index of the ")" that closes the "(" at `open`, or -1 when none does.
qsizetype matchingClose(const SqlTokens& t, qsizetype open);
// Calls f(i) for each token in [from, to) outside the parentheses opened in
// that range (the ")" that closes one counts as outside); f returns false to stop.
template <typename F> void forEachTopLevel(const SqlTokens& t, qsizetype from, qsizetype to, F f) {
    int depth = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (t[size_t(i)].isSymbol(u"("))
            ++depth;
        else if (t[size_t(i)].isSymbol(u")"))
            --depth;
        if (depth == 0 && !f(i)) return;
    }
}
// The commas in [from, to) outside the parentheses opened in that range.
std::vector<qsizetype> topLevelCommas(const SqlTokens& t, qsizetype from, qsizetype to);
// A name: a word or a bracketed name.
inline bool isNameToken(const SqlToken& t) {
    return t.kind == SqlToken::Word || t.kind == SqlToken::Bracketed;
}

} // namespace ostrapel
