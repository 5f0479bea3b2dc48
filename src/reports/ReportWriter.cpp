#include "ReportWriter.h"

#include "ReportTexts.h"

#include "core/DataSet.h"
#include "core/DisplayFormat.h"
#include "core/Encoding.h"
#include "core/RecordCatalogue.h"
#include "core/SqlFragments.h"

#include <QIODevice>

namespace ostrapel {

namespace {

QString withoutLeadingBlanks(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

} // namespace

ReportWriter::ReportWriter(QIODevice& out, const RecordCatalogue& catalogue, int pageLength,
                           const Clock& clock)
    : out_(out), catalogue_(catalogue), pageLength_(pageLength), clock_(clock) {}

void ReportWriter::appendCell(QString text, int alignment, int width, int extra) {
    const int size = (width == 0 ? int(text.size()) : width) + extra;
    if (text.size() > size) text.truncate(size);
    buffer_ += alignment == Right ? text.rightJustified(size, u' ') : text.leftJustified(size, u' ');
    if (buffer_.size() > kLineWidth) buffer_.truncate(kLineWidth);
}

void ReportWriter::appendText(const QString& text, int alignment, int width, int extra) {
    appendCell(alignment == LeftUntrimmed ? text : withoutLeadingBlanks(text), alignment, width, extra);
}

QString ReportWriter::fieldText(const DataSet& data, const QString& fieldName) const {
    const int i = data.fieldIndex(fieldName);
    if (i < 0 || data.recNo() < 0) return {};
    const DataField& f = data.field(i);
    const QVariant v = data.value(data.recNo(), i);
    switch (f.type) {
    case FieldType::Text:
    case FieldType::Integer:
        return catalogue_.decodePickValue(f.name, v.toString());
    case FieldType::Float:
        return amountText(v.toDouble());
    case FieldType::Date:
        return formatDate(v.toDate(), kDateFormat);
    default:
        return {};
    }
}

void ReportWriter::appendField(const DataSet& data, const QString& fieldName, int alignment, int width,
                               int extra) {
    const int i = data.fieldIndex(fieldName);
    if (i >= 0 && data.field(i).type == FieldType::Float) alignment = Right; // amounts line up
    appendCell(fieldText(data, fieldName), alignment, width, extra);
}

void ReportWriter::appendAmount(double value, int width) {
    appendText(amountText(value), Right, width, 0);
}

void ReportWriter::put(const QString& line) {
    out_.write(encodeCp1252(line));
    out_.write("\n", 1);
    ++lineCount_;
}

void ReportWriter::writeLine() {
    put(buffer_);
    buffer_.clear();
}

void ReportWriter::writeRule(QChar character) {
    buffer_.clear();
    put(QString(kLineWidth, character));
}

void ReportWriter::writePageHeader(const QString& title, const DataSet* collectivity, bool showPeriod,
                                   const QString& period) {
    lineCount_ = 0;
    if (!title.isEmpty()) {
        appendText(title, Left, kLineWidth, 0);
        writeLine();
    }
    if (collectivity && collectivity->recNo() >= 0) {
        const QString caption =
            collectivityCaption({collectivity->value(Field::CollectivityNumber).toInt(),
                                 collectivity->value(Field::CollectivitySequence).toInt()},
                                QString(), collectivity->value(Field::CollectivityName).toString());
        appendText(caption, Left, 50, 0);
        appendText(QStringLiteral("Deb. nr.:"), Left, 10, 0);
        appendField(*collectivity, Field::DebtorNumber, Left, 20, 0);
        if (showPeriod) {
            appendText(QStringLiteral("Periode:"), Left, 9, 0);
            if (period.isEmpty())
                appendField(*collectivity, Field::Period, Left, 20, 0);
            else
                appendText(period, Left, 20, 0);
        }
    }
    writeLine();
}

void ReportWriter::writePageFooter(int pageNumber) {
    buffer_.clear();
    while (lineCount_ < pageLength_ - 3)
        writeLine();
    writeRule(u'=');
    appendText(clock_.now().toString(QStringLiteral("dd-MM-yyyy hh:mm:ss")), Left, 25, 0);
    appendText(QStringLiteral("pagina %1").arg(pageNumber), Right, 85, 0);
    writeLine();
    writeLine();
}

void ReportWriter::writeEndMarker() {
    buffer_.clear();
    put(QString());
    put(ReportTexts::EindeVerslag);
}

void ReportWriter::newPage(const QString& title, const DataSet* collectivity, bool showPeriod,
                           const QString& period) {
    buffer_.clear();
    if (pageNumber_ > 0) writePageFooter(pageNumber_);
    ++pageNumber_;
    writePageHeader(title, collectivity, showPeriod, period);
}

} // namespace ostrapel
