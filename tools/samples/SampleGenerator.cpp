#include "SampleGenerator.h"

#include "import/StatementWriter.h"
#include "import/ZipArchive.h"
#include "import/ZipError.h"

#include <QDate>
#include <QDir>
#include <QRandomGenerator>

namespace ostrapel {

namespace {

const char* const kSurnames[] = {
    "Jansen",  "Vries",    "Bakker",    "Visser",   "Smit",   "Meijer",   "Bos",     "Mulder", "Dekker",
    "Brouwer", "Dijkstra", "Vermeulen", "Hendriks", "Peters", "Willems",  "Kok",     "Jacobs", "Berg",
    "Vos",     "Huisman",  "Koster",    "Prins",    "Wit",    "Schouten", "Kuipers", "Postma"};
const char* const kPrefixes[] = {"", "", "", "de", "van", "van der", "van den", "ter"};
const char* const kInitials[] = {"J.", "A.M.", "P.", "H.J.", "C.", "M.E.", "W.", "G.H.", "K.", "E.L."};
const char* const kPlaces[] = {"Utrecht",   "Amersfoort", "Zwolle", "Ede",
                               "Apeldoorn", "Deventer",   "Arnhem", "Hilversum"};
const char* const kStreets[] = {"Kerkstraat", "Dorpsweg",     "Stationslaan",
                                "Molenweg",   "Schoolstraat", "Beukenlaan"};
const char* const kCompanies[] = {"Bakkerij De Korenschoof BV", "Installatiebedrijf Van Dam",
                                  "Gemeente Ooststad",          "Transportbedrijf Hoekstra",
                                  "Zorggroep De Linde",         "Drukkerij Het Anker"};

struct Component {
    const char* code;
    const char* kind;
    const char* name;
    int cents; // renewal amount per month
};
const Component kComponents[] = {{"BAS01", "BP", "Basispremie", 9650},
                                 {"AV100", "AP", "Aanvullend 1", 1875},
                                 {"TV200", "TP", "Tandartsverzekering", 1120},
                                 {"EK001", "EK", "Korting collectiviteit", -640},
                                 {"BU300", "AP", "Buitenland", 315},
                                 {"FY050", "AP", "Fysiotherapie", 760},
                                 {"BR010", "AP", "Brillen en lenzen", 240},
                                 {"AL020", "AP", "Alternatieve geneeswijzen", 410},
                                 {"OR030", "TP", "Orthodontie", 530},
                                 {"KR040", "AP", "Kraamzorg", 380},
                                 {"HO050", "AP", "Hoortoestellen", 150},
                                 {"VR060", "AP", "Vervoer", 95},
                                 {"PR070", "AP", "Preventie", 120}};

struct Person {
    QString customer; // ID07
    QString unit;     // ID05: customer number of the main insured
    QString employee; // ID04
    QString surname, prefix, initials, partnerName;
    bool compound = false;
    QChar relation; // H, P, K
    int gender = 1;
    QDate born;
    QString place;
    int joinsAt = 0; // index of the first period the person is on the statement
};

QString pad(qint64 v, int width) {
    return QStringLiteral("%1").arg(v, width, 10, QChar(u'0'));
}

std::vector<Person> personsOf(const SampleOptions& o, int coll) {
    QRandomGenerator rng(o.seed * 7919u + quint32(coll) * 104729u);
    std::vector<Person> persons;
    int unitNr = 0;
    while (int(persons.size()) < o.persons) {
        ++unitNr;
        const int size = 1 + int(rng.bounded(4));
        const QString surname = QString::fromLatin1(kSurnames[rng.bounded(int(std::size(kSurnames)))]);
        const QString prefix = QString::fromLatin1(kPrefixes[rng.bounded(int(std::size(kPrefixes)))]);
        const QString place = QString::fromLatin1(kPlaces[rng.bounded(int(std::size(kPlaces)))]);
        const int joinsAt = rng.bounded(10) == 0 && o.periods.size() > 1 ? 1 : 0; // some units arrive later
        QString mainCustomer;
        for (int m = 0; m < size && int(persons.size()) < o.persons; ++m) {
            Person p;
            p.customer = pad(3000000 + coll * 100000 + qint64(persons.size()) * 7 + 3, 10);
            if (m == 0) mainCustomer = p.customer;
            p.unit = mainCustomer;
            p.employee = QStringLiteral("W") + pad(unitNr, 6);
            p.relation = m == 0 ? u'H' : (m == 1 ? u'P' : u'K');
            p.gender = m == 1 ? 2 : 1 + int(rng.bounded(2));
            p.surname =
                m == 1 ? QString::fromLatin1(kSurnames[rng.bounded(int(std::size(kSurnames)))]) : surname;
            p.prefix = m == 1 ? QString() : prefix;
            p.initials = QString::fromLatin1(kInitials[rng.bounded(int(std::size(kInitials)))]);
            if (m == 1 && rng.bounded(2) == 0) { // a partner carrying the compound name
                p.compound = true;
                p.partnerName = surname;
            }
            const int age = p.relation == u'K' ? 1 + int(rng.bounded(17)) : 25 + int(rng.bounded(35));
            p.born = QDate(2005 - age, 1 + int(rng.bounded(12)), 1 + int(rng.bounded(28)));
            p.place = place;
            p.joinsAt = joinsAt;
            persons.push_back(p);
        }
    }
    return persons;
}

} // namespace

SampleGenerator::SampleGenerator(const RecordCatalogue& catalogue, SampleOptions options)
    : catalogue_(catalogue), options_(std::move(options)) {}

QString SampleGenerator::fileName(int collectivity, const QString& period) const {
    // The year stands in the part of the name the import's pattern ("00*-??")
    // leaves free, so that every period of several years gets a file of its own.
    return QStringLiteral("00") + pad(options_.firstCollectivity + collectivity, 4) + QStringLiteral("001") +
           period.left(4) + u'-' + period.right(2) +
           (isStandardInsurance(period) ? QStringLiteral("S") : QString()) + QStringLiteral(".dat");
}

QStringList SampleGenerator::statementLines(int coll, const QString& period) const {
    const StatementWriter w(catalogue_);
    const int periodIndex = int(options_.periods.indexOf(period));
    const bool sv = isStandardInsurance(period);
    const bool guilders = period < QStringLiteral("2002-01");
    const double rate = guilders ? 2.20371 : 1.0;
    const int collectivityNumber = options_.firstCollectivity + coll;
    QRandomGenerator rng(options_.seed * 31u + quint32(coll) * 1009u + quint32(qHash(period)));
    const QDate invoice = QDate::fromString(period + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));

    QHash<QString, QVariant> key = {{QStringLiteral("ID01"), collectivityNumber},
                                    {QStringLiteral("ID02"), 1},
                                    {QStringLiteral("ID03"), period},
                                    {QStringLiteral("ID09"), QStringLiteral(" ")}};
    int lineNr = 0;
    auto line = [&](const QString& type, QHash<QString, QVariant> values) {
        for (auto it = key.cbegin(); it != key.cend(); ++it)
            if (!values.contains(it.key())) values.insert(it.key(), it.value());
        values.insert(QStringLiteral("ID06"), ++lineNr);
        return w.composeLine(type, values);
    };

    QStringList lines;
    lines << line(
        QStringLiteral("00"),
        {{QStringLiteral("ID05"), sv ? QStringLiteral("S000000000") : QStringLiteral("0000000000")},
         {QStringLiteral("ID07"), QStringLiteral("")},
         {QStringLiteral("0002"), QStringLiteral("D") + pad(collectivityNumber, 8)},
         {QStringLiteral("0003"), QString::fromLatin1(kCompanies[coll % int(std::size(kCompanies))])},
         {QStringLiteral("0004"), QStringLiteral("P. de Boer")},
         {QStringLiteral("0005"), QString::fromLatin1(kStreets[coll % int(std::size(kStreets))])},
         {QStringLiteral("0006"), QString::number(10 + coll)},
         {QStringLiteral("0007"), QStringLiteral("3511AB")},
         {QStringLiteral("0008"), QString::fromLatin1(kPlaces[coll % int(std::size(kPlaces))])},
         {QStringLiteral("0009"), QStringLiteral("030-1234567")},
         {QStringLiteral("0010"), QStringLiteral("C") + pad(collectivityNumber, 7)},
         {QStringLiteral("0011"), QDate(1999, 1, 1)},
         {QStringLiteral("0012"), coll % 2 ? QStringLiteral("O") : QStringLiteral("A")},
         {QStringLiteral("0013"), QStringLiteral("NL91ABNA0417164300")},
         {QStringLiteral("0014"),
          QStringLiteral("F") + period.left(4) + period.right(2) + pad(collectivityNumber, 4)},
         {QStringLiteral("0015"), invoice},
         {QStringLiteral("0016"), invoice.addDays(27)},
         {QStringLiteral("0017"), 5.0},
         {QStringLiteral("0018"), guilders ? QStringLiteral("HFL") : QStringLiteral("EUR")},
         {QStringLiteral("0019"), QStringLiteral("M. Verbeek")},
         {QStringLiteral("0020"), options_.fault == QStringLiteral("version") ? 2 : 1}});

    qint64 total = 0, totalC = 0, totalV = 0;
    int persons = 0;
    for (const Person& p : personsOf(options_, coll)) {
        if (p.joinsAt > periodIndex) continue;
        ++persons;
        const QHash<QString, QVariant> who = {{QStringLiteral("ID04"), p.employee},
                                              {QStringLiteral("ID05"), p.unit},
                                              {QStringLiteral("ID07"), p.customer}};
        QHash<QString, QVariant> person = who;
        const QString insurance =
            sv ? QStringLiteral(" ") : (rng.bounded(3) == 0 ? QStringLiteral("P") : QStringLiteral("Z"));
        person.insert(
            {{QStringLiteral("1002"), p.surname},
             {QStringLiteral("1003"), p.initials},
             {QStringLiteral("1004"), p.prefix},
             {QStringLiteral("1005"), p.born},
             {QStringLiteral("1006"), pad(100000000 + qHash(p.customer) % 899999999, 9)},
             {QStringLiteral("1007"), QString(p.relation)},
             {QStringLiteral("1008"), p.gender},
             {QStringLiteral("1009"), QDate(2000 + p.born.month() % 5, 1, 1)},
             {QStringLiteral("1011"), QStringLiteral("POL") + p.unit.right(9)},
             {QStringLiteral("1012"), QString::fromLatin1(kStreets[p.born.day() % int(std::size(kStreets))])},
             {QStringLiteral("1013"), QString::number(1 + p.born.day())},
             {QStringLiteral("1016"), QStringLiteral("3512CD")},
             {QStringLiteral("1017"), p.place},
             {QStringLiteral("1018"), QStringLiteral("NL")},
             {QStringLiteral("1019"), QStringLiteral("Nederland")},
             {QStringLiteral("1020"), p.partnerName},
             {QStringLiteral("1022"), p.compound ? QStringLiteral("J") : QStringLiteral("N")},
             {QStringLiteral("1023"),
              QStringLiteral("AFD") + QString::number(p.employee.right(1).toInt() % 4)},
             {QStringLiteral("1024"), insurance},
             {QStringLiteral("1025"), p.relation == u'K' ? 0.0 : 150.0},
             {QStringLiteral("1026"), sv && p.relation == u'H' ? 42.5 * rate : 0.0}});
        lines << line(QStringLiteral("10"), person);

        auto component = [&](const Component& c, const char* origin, int cents, bool joint) {
            const qint64 amount = std::llround(cents * rate);
            const bool byCollectivity =
                QString::fromLatin1(c.code).startsWith(u'B') || QString::fromLatin1(c.code).startsWith(u'E');
            QHash<QString, QVariant> v = who;
            if (joint) v.insert(QStringLiteral("ID07"), p.unit); // a joint component carries the unit key
            v.insert({{QStringLiteral("5002"), QString::fromLatin1(origin)},
                      {QStringLiteral("5003"), QString::fromLatin1(c.kind)},
                      {QStringLiteral("5004"), QString::fromLatin1(c.code)},
                      {QStringLiteral("5005"), QStringLiteral("T") + QString::number(1 + p.gender)},
                      {QStringLiteral("5006"), pad(p.born.year() % 100, 3)},
                      {QStringLiteral("5007"), sv ? QString() : QString::fromLatin1(c.name)},
                      {QStringLiteral("5008"), options_.fault == QStringLiteral("amount") && lines.size() == 3
                                                   ? QVariant(QStringLiteral("+00000012x0"))
                                                   : QVariant(double(amount) / 100.0)},
                      {QStringLiteral("5009"), invoice},
                      {QStringLiteral("5010"), invoice.addMonths(1).addDays(-1)},
                      {QStringLiteral("5011"), byCollectivity ? QStringLiteral("C") : QStringLiteral("V")},
                      {QStringLiteral("5012"), sv ? QString::fromLatin1(c.name) : QString()}});
            lines << line(QStringLiteral("50"), v);
            total += amount;
            (byCollectivity ? totalC : totalV) += amount;
        };
        const int count = std::min<int>(options_.componentsPerPerson, int(std::size(kComponents)));
        for (int k = 0; k < count; ++k) {
            const Component& c =
                kComponents[(k + (p.relation == u'K' ? 1 : 0)) % int(std::size(kComponents))];
            component(c, rng.bounded(8) == 0 ? "i" : "I", c.cents, false);
        }
        if (rng.bounded(6) == 0) { // a mutation: correction of an earlier month
            const Component& c = kComponents[rng.bounded(count)];
            component(c, "M", -int(rng.bounded(std::abs(c.cents) + 1)), false);
        }
        if (rng.bounded(25) == 0) component(kComponents[4], "3", 500, p.relation == u'H'); // manual
    }

    const int records = int(lines.size()) + 1;
    if (options_.fault != QStringLiteral("nocontrol"))
        lines << line(
            QStringLiteral("99"),
            {{QStringLiteral("ID05"), sv ? QStringLiteral("S999999999") : QStringLiteral("9999999999")},
             {QStringLiteral("ID07"), QStringLiteral("")},
             {QStringLiteral("9902"), invoice.addDays(-5)},
             {QStringLiteral("9903"), options_.fault == QStringLiteral("records") ? records - 1 : records},
             {QStringLiteral("9904"), options_.fault == QStringLiteral("persons") ? persons + 1 : persons},
             {QStringLiteral("9905"), double(total) / 100.0},
             {QStringLiteral("9906"), double(totalC) / 100.0},
             {QStringLiteral("9907"), double(totalV) / 100.0},
             {QStringLiteral("9908"), QStringLiteral("0800-1234567")}});
    return lines;
}

QStringList SampleGenerator::writeAll(const QString& folder, QString* error) const {
    QDir().mkpath(folder);
    QStringList written;
    for (int c = 0; c < options_.collectivities; ++c) {
        for (const QString& period : options_.periods) {
            const QString dat = QDir(folder).filePath(fileName(c, period));
            if (!StatementWriter::writeFile(dat, statementLines(c, period), error)) return written;
            if (options_.zip) {
                QString zip = dat;
                zip.replace(zip.size() - 4, 4, QStringLiteral(".zip"));
                try {
                    ZipArchive::create(zip, {dat});
                } catch (const ZipError& e) {
                    if (error) *error = e.message();
                    return written;
                }
                QFile::remove(dat);
                written << zip;
            } else {
                written << dat;
            }
        }
    }
    return written;
}

} // namespace ostrapel
