#pragma once

#include <QString>

// The data module's shared queries and commands, exactly as the program runs them.
namespace ostrapel::SharedQueries {

inline const QString CollectivitiesQuery =
    QStringLiteral("select distinct a.[ID01] as CollNr, a.[ID02] as CollVolgNr, [0003] as CollNaam, \r\n"
                   "IIF([1024] in ('Z', 'P'), 'ZKF/PRT', 'SV') as VerzNaam,\r\n"
                   "IIF([1024] in ('Z', 'P'), 1, 2) as VerzType\r\n"
                   "from bord00 a, bord10 b\r\n"
                   "where a.id01 = b.id01\r\n"
                   "and a.id02 = b.id02\r\n"
                   "order by a.[ID01], a.[ID02]");

inline const QString CollectivityCaptionQuery =
    QStringLiteral("select a.id01 as CollNr, a.id02 as CollVolgNr, [0003] as CollNaam,\r\n"
                   "IIF([1024] in ('Z', 'P'), 'ZKF/PRT', 'SV') as VerzNaam,\r\n"
                   "IIF([1024] in ('Z', 'P'), 1, 2) as VerzType\r\n"
                   "from bord00 a, bord10 b\r\n"
                   "where a.id01 = b.id01\r\n"
                   "and a.id02 = b.id02\r\n"
                   "and a.id01 = :id01 \r\n"
                   "and a.id02 = :id02\r\n"
                   "order by a.id03 desc");

inline const QString qryRecStructure =
    QStringLiteral("select *\r\nfrom recstruct\r\nwhere Soort = :Soort\r\norder by VeldNr");
inline const QString qryFieldDisplay =
    QStringLiteral("select *\r\nfrom FieldDisplay\r\norder by Soort, VeldNr");
inline const QString DatabaseVersionQuery = QStringLiteral("SELECT VERSIENR FROM VERSIECTRL");
inline const QString qryEuro =
    QStringLiteral("select\r\n  *\r\nfrom\r\n  bord00\r\nwhere\r\n  [0018]=:ValutaSoort");

inline const QString cmdBord00ToEuro =
    QStringLiteral("update\r\n  bord00\r\nset\r\n  [0018] = 'EUR'\r\nwhere\r\n  id01=:ID01\r\nand "
                   "id02=:ID02\r\nand id03=:ID03\r\n");
inline const QString cmdBord10ToEuro =
    QStringLiteral("update\r\n  bord10\r\nset\r\n  [1026] = round([1026]/2.20371, 2)\r\nwhere\r\n  "
                   "id01=:ID01\r\nand id02=:ID02\r\nand id03=:ID03\r\n");
inline const QString cmdBord50ToEuro =
    QStringLiteral("update\r\n  bord50\r\nset\r\n   [5008] = round([5008]/2.20371, 2)\r\nwhere\r\n  "
                   "id01=:ID01\r\nand id02=:ID02\r\nand id03=:ID03\r\n");
inline const QString cmdBord99ToEuro = QStringLiteral(
    "update\r\n  bord99\r\nset\r\n   [9905] = round([9905]/2.20371, 2)\r\n,  [9906] = round([9906]/2.20371, "
    "2)\r\n"
    ",  [9907] = round([9907]/2.20371, 2)\r\nwhere\r\n  id01=:ID01\r\nand id02=:ID02\r\nand id03=:ID03\r\n");

// Start-up repairs of the catalogue and the index of the persons list.
inline const QString PickList1024 = QStringLiteral("P=Particulier;Z=Ziekenfonds; =Standaardverzekering");
inline const QString PickList5002 = QStringLiteral("1=PROL;2=MUT;3=HAND");
inline const QString RepairPickList1024 = QStringLiteral("update RecStruct set PickList = '") + PickList1024 +
                                          QStringLiteral("'  where soort = '10' and veldnr = '24' ");
inline const QString RepairPickList5002 = QStringLiteral("update RecStruct set PickList = '") + PickList5002 +
                                          QStringLiteral("'  where soort = '50' and veldnr = '02' ");
// Whether a repair has anything to write: rows of the field whose pick list differs.
inline const QString PickListDiffers =
    QStringLiteral("select count(*) from RecStruct where soort = :soort and veldnr = :veldnr "
                   "and (PickList is null or PickList <> :picklist)");
inline const QString CreateIndex1024 =
    QStringLiteral(" create index IDX_BORD10_ID01_ID02_ID07_1024 on BORD10 ( ID01, ID02, ID07, [1024] ) ");
// The reports ask per component whether its person has a record of the type.
inline const QString CreateIndexId07 = QStringLiteral(" create index IDX_BORD10_ID07 on BORD10 ( ID07 ) ");
// The component drop-down reads only the components that have a description.
inline const QString CreateIndexComponentSet = QStringLiteral(
    " create index IDX_BORD50_COMPONENT_SET on BORD50 ( ID01, ID02, [5012] ) where [5012] <> '' ");

} // namespace ostrapel::SharedQueries
