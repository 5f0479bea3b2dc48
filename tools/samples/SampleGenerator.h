#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

class RecordCatalogue;

struct SampleOptions {
    quint32 seed = 1;
    int collectivities = 3;
    int persons = 40;            // insured persons per collectivity (units of 1 to 4)
    int componentsPerPerson = 3; // renewal components per person and month
    QStringList periods = {QStringLiteral("2005-11"), QStringLiteral("2005-12"), QStringLiteral("2006-01")};
    int firstCollectivity = 12;
    // "", "records", "persons", "version", "nocontrol", "amount"
    QString fault;
    bool zip = true;
};

// Realistic statement files in the catalogue's layout, deterministic from a seed:
// insurance units with co-insured members, compound surnames, renewal,
// mutation and manual components, both insurance types and guilder statements
// before 2002, with control records whose counts and totals are right.
class SampleGenerator {
public:
    SampleGenerator(const RecordCatalogue& catalogue, SampleOptions options);

    // The lines of one statement: collectivity index (0-based) and period "yyyy-mm".
    QStringList statementLines(int collectivity, const QString& period) const;
    // "000012001-02.dat" or "000012001-02S.dat" (standard insurance from 2006-01).
    QString fileName(int collectivity, const QString& period) const;
    // Writes every statement (and its archive) into `folder`; returns the paths written.
    QStringList writeAll(const QString& folder, QString* error = nullptr) const;

    static bool isStandardInsurance(const QString& period) { return period >= QStringLiteral("2006-01"); }

private:
    const RecordCatalogue& catalogue_;
    SampleOptions options_;
};

} // namespace ostrapel
