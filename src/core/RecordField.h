#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

namespace ostrapel {

// One field of a statement record, from a RecStruct row.
struct RecordField {
    QString name; // kind + field number: "ID05", "1002"
    qint16 start = 0;
    qint16 end = 0;
    qint16 length = 0;
    QChar type;
    QString caption;
    QString description;
    std::optional<QStringList> pickList; // items "code=text"
    bool visibleByDefault = false;
    bool offered = false;
    bool alwaysShown = false;
};

// Names of the fields the program itself reads, sorts or binds by; the
// catalogue gives their captions and types.
namespace Field {
// Key fields, in every table
inline const QString CollectivityNumber = QStringLiteral("ID01");
inline const QString CollectivitySequence = QStringLiteral("ID02");
inline const QString Period = QStringLiteral("ID03");
inline const QString EmployeeNumber = QStringLiteral("ID04");
inline const QString UnitKey = QStringLiteral("ID05");
inline const QString PersonKey = QStringLiteral("ID07");
inline const QString RecordType = QStringLiteral("ID08");
// Collectivity record (00)
inline const QString DebtorNumber = QStringLiteral("0002");
inline const QString CollectivityName = QStringLiteral("0003");
inline const QString FileVersion = QStringLiteral("0020");
// Insured person (10)
inline const QString Surname = QStringLiteral("1002");
inline const QString Initials = QStringLiteral("1003");
inline const QString Prefixes = QStringLiteral("1004");
inline const QString Gender = QStringLiteral("1008");
inline const QString Street = QStringLiteral("1012");
inline const QString HouseNumber = QStringLiteral("1013");
inline const QString HouseNumberSuffix = QStringLiteral("1014");
inline const QString AddressAddition = QStringLiteral("1015");
inline const QString Postcode = QStringLiteral("1016");
inline const QString Place = QStringLiteral("1017");
inline const QString Country = QStringLiteral("1019");
inline const QString PartnerSurname = QStringLiteral("1020");
inline const QString PartnerPrefixes = QStringLiteral("1021");
inline const QString CompoundName = QStringLiteral("1022");
// Premium component (50)
inline const QString Origin = QStringLiteral("5002");
inline const QString ComponentKind = QStringLiteral("5003");
inline const QString Amount = QStringLiteral("5008");
inline const QString ValidFrom = QStringLiteral("5009");
inline const QString ValidTo = QStringLiteral("5010");
inline const QString Payer = QStringLiteral("5011");
inline const QString ComponentName = QStringLiteral("5012");
// Closing record (99)
inline const QString CreatedOn = QStringLiteral("9902");
inline const QString RecordCount = QStringLiteral("9903");
inline const QString PersonCount = QStringLiteral("9904");
inline const QString TotalAmount = QStringLiteral("9905");
inline const QString TotalWithCollectivity = QStringLiteral("9906");
inline const QString TotalWithInsured = QStringLiteral("9907");
} // namespace Field

} // namespace ostrapel
