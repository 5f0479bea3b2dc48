#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ostrapel {

// Statement files, reports, the export file and the information file are
// single-byte Windows-1252 text: one character per byte, so field positions
// count bytes and characters alike.
QString decodeCp1252(QByteArrayView bytes);
QString decodeCp1252(const QByteArray& bytes);
QByteArray encodeCp1252(const QString& text);

} // namespace ostrapel
