#include "SqlStatement.h"

#include "DatabaseError.h"
#include "EngineError.h"

#include <QSqlError>

namespace ostrapel {

SqlStatement::SqlStatement(QSqlQuery query, TranslatedSql translated, QString jetSql)
    : query_(std::move(query)), translated_(std::move(translated)), jetSql_(std::move(jetSql)),
      values_(translated_.parameterNames.size()) {}

SqlStatement SqlStatement::unprepared(QSqlQuery query, TranslatedSql translated, QString jetSql) {
    SqlStatement s(std::move(query), std::move(translated), std::move(jetSql));
    s.prepared_ = false;
    return s;
}

void SqlStatement::bind(const QString& name, const QVariant& value) {
    bool found = false;
    for (qsizetype i = 0; i < translated_.parameterNames.size(); ++i) {
        if (translated_.parameterNames[i].compare(name, Qt::CaseInsensitive) == 0) {
            values_[i] = value;
            found = true;
        }
    }
    if (!found)
        throw DatabaseError(
            QStringLiteral("Parameter \"%1\" komt niet voor in de opdracht:\n%2").arg(name, jetSql_));
}

void SqlStatement::bind(const QVariantMap& values) {
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        bind(it.key(), it.value());
}

void SqlStatement::bindAt(int position, const QVariant& value) {
    values_[position] = value;
}

void SqlStatement::exec() {
    for (qsizetype i = 0; i < values_.size(); ++i)
        query_.bindValue(int(i), values_[i]);
    if (!(prepared_ ? query_.exec() : query_.exec(translated_.sql))) {
        const QSqlError error = query_.lastError();
        query_.finish();
        throwEngineError(error, jetSql_);
    }
}

} // namespace ostrapel
