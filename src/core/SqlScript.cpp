#include "SqlScript.h"

#include "SqlTokenizer.h"

namespace ostrapel {

QStringList splitSqlScript(const QString& script) {
    QStringList out;
    SqlTokens current;
    bool significant = false;
    auto flush = [&] {
        if (significant) out << joinSqlTokens(current).trimmed();
        current.clear();
        significant = false;
    };
    for (const SqlToken& t : tokenizeSql(script)) {
        if (t.isSymbol(u";")) {
            flush();
            continue;
        }
        if (t.kind == SqlToken::Comment) continue;
        significant = significant || t.isSignificant();
        current.push_back(t);
    }
    flush();
    return out;
}

} // namespace ostrapel
