#include "ExportWriter.h"

#include "core/CatalogueError.h"
#include "core/DataSet.h"
#include "core/DisplayFormat.h"
#include "core/Encoding.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/RecordCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <bit>
#include <vector>
#include <xlsxwriter.h>

namespace ostrapel {

namespace {

QString notWritten(const QString& path) {
    return FileWriterTexts::NotWritten.arg(QDir::toNativeSeparators(path));
}

std::vector<int> visibleFields(const DataSet& data) {
    std::vector<int> fields;
    for (int i = 0; i < data.fieldCount(); ++i)
        if (data.field(i).visible) fields.push_back(i);
    return fields;
}

// Walks the rows, reporting every hundredth record; false when stopped.
template <typename WriteRow>
bool walk(DataSet& data, const ExportWriter::Progress& progress, WriteRow writeRow) {
    int lines = 1;
    for (data.first(); !data.eof(); data.next()) {
        writeRow();
        ++lines;
        if (progress && (data.recNo() + 1) % 100 == 99 && !progress(data.recNo() + 1, lines)) return false;
    }
    return true;
}

// The cell texts of one export. Codes, amounts and dates repeat over many
// rows: each distinct value is formatted once and remembered.
class CellTexts {
public:
    CellTexts(const DataSet& data, const RecordCatalogue& catalogue) : catalogue_(catalogue) {
        columns_.resize(size_t(data.fieldCount()));
        for (int i = 0; i < data.fieldCount(); ++i) {
            try {
                columns_[size_t(i)].decoded = catalogue.hasPickList(data.field(i).name);
            } catch (const CatalogueError&) {
                // A column the catalogue does not know is written as stored.
            }
        }
    }

    QString text(const DataSet& data, int field) {
        const DataField& f = data.field(field);
        const QVariant v = data.value(data.recNo(), field);
        Column& c = columns_[size_t(field)];
        switch (f.type) {
        case FieldType::Text:
        case FieldType::Integer:
            if (!c.decoded) return clean(v.toString());
            return remembered(c.codes, v.toString(),
                              [&](const QString& code) { return catalogue_.decodePickValue(f.name, code); });
        case FieldType::Float:
            if (v.isNull()) return {};
            return remembered(c.numbers, std::bit_cast<quint64>(v.toDouble()), [](quint64 bits) {
                return programLocale().toString(std::bit_cast<double>(bits), 'f', 2);
            });
        case FieldType::Date: {
            const QDate d = v.toDate();
            if (!d.isValid()) return {};
            return remembered(c.numbers, quint64(d.toJulianDay()),
                              [&](quint64) { return formatDate(d, kDateFormat); });
        }
        default:
            return clean(v.toString());
        }
    }

private:
    struct Column {
        bool decoded = false;
        QHash<QString, QString> codes;
        QHash<quint64, QString> numbers;
    };
    // Enough for every code and amount of a statement; values beyond are formatted each time.
    static constexpr qsizetype kRemembered = 50000;

    // A tab or line end inside a value would shift every later cell of the row.
    static QString clean(QString text) {
        for (QChar& c : text)
            if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
        return text;
    }
    template <typename Key, typename Format>
    static QString remembered(QHash<Key, QString>& known, const Key& key, Format format) {
        const auto it = known.constFind(key);
        if (it != known.constEnd()) return *it;
        QString text = clean(format(key));
        if (known.size() < kRemembered) known.insert(key, text);
        return text;
    }

    const RecordCatalogue& catalogue_;
    std::vector<Column> columns_;
};

} // namespace

bool ExportWriter::writeText(DataSet& data, const QString& path, const Progress& progress) const {
    FileWriter file(path);
    const std::vector<int> fields = visibleFields(data);
    CellTexts cells(data, catalogue_);
    // Lines gather in a buffer that is encoded and written in large pieces.
    QString buffer;
    constexpr qsizetype kPiece = 1 << 16;
    buffer.reserve(kPiece + 4096);
    const auto flush = [&] {
        file.write(encodeCp1252(buffer));
        buffer.truncate(0);
    };
    const auto endLine = [&] {
        buffer += QLatin1StringView("\r\n");
        if (buffer.size() >= kPiece) flush();
    };
    for (size_t c = 0; c < fields.size(); ++c) {
        if (c > 0) buffer += u'\t';
        buffer += data.field(fields[c]).displayLabel;
    }
    endLine();
    const bool whole = walk(data, progress, [&] {
        for (size_t c = 0; c < fields.size(); ++c) {
            if (c > 0) buffer += u'\t';
            buffer += cells.text(data, fields[c]);
        }
        endLine();
    });
    if (!whole) {
        file.cancel();
        return false;
    }
    flush();
    file.commit();
    return true;
}

bool ExportWriter::writeWorkbook(DataSet& data, const QString& path, const Progress& progress) const {
    // Written beside the target and renamed into place once whole.
    FileWriter::refuseUnlessRegular(path);
    const QString temporary = path + QStringLiteral(".part");
    lxw_workbook* book = workbook_new(QFile::encodeName(temporary).constData());
    if (!book) throw OstrapelError(notWritten(path));
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Export");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* amount = workbook_add_format(book);
    // Dutch (0x413) separators whatever the language of the spreadsheet program.
    format_set_num_format(amount, "[$-413]#,##0.00");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "[$-413]dd-mm-yyyy");

    const std::vector<int> fields = visibleFields(data);
    CellTexts cells(data, catalogue_);
    std::vector<int> widths(fields.size(), 8);
    const auto fit = [&](size_t c, qsizetype length) {
        widths[c] = std::max(widths[c], int(std::min<qsizetype>(length, 60)));
    };
    for (size_t c = 0; c < fields.size(); ++c) {
        const QString caption = data.field(fields[c]).displayLabel;
        worksheet_write_string(sheet, 0, lxw_col_t(c), caption.toUtf8().constData(), bold);
        fit(c, caption.size() + 2);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    lxw_row_t row = 0;
    const bool whole = walk(data, progress, [&] {
        ++row;
        for (size_t c = 0; c < fields.size(); ++c) {
            const DataField& f = data.field(fields[c]);
            const QVariant v = data.value(data.recNo(), fields[c]);
            const auto col = lxw_col_t(c);
            if (f.type == FieldType::Float && !v.isNull()) {
                worksheet_write_number(sheet, row, col, v.toDouble(), amount);
                fit(c, cells.text(data, fields[c]).size() + 1);
            } else if (f.type == FieldType::Date && v.toDate().isValid()) {
                const QDate d = v.toDate();
                lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0};
                worksheet_write_datetime(sheet, row, col, &when, date);
                fit(c, 11);
            } else {
                const QString text = cells.text(data, fields[c]);
                if (!text.isEmpty())
                    worksheet_write_string(sheet, row, col, text.toUtf8().constData(), nullptr);
                fit(c, text.size() + 1);
            }
        }
    });
    for (size_t c = 0; c < fields.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    const lxw_error closed = workbook_close(book);
    if (!whole) {
        QFile::remove(temporary);
        return false;
    }
    if (closed != LXW_NO_ERROR) {
        QFile::remove(temporary);
        throw OstrapelError(notWritten(path));
    }
    FileWriter::placeFile(temporary, path);
    return true;
}

bool ExportWriter::write(DataSet& data, const QString& path, const Progress& progress) const {
    if (QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0)
        return writeWorkbook(data, path, progress);
    return writeText(data, path, progress);
}

} // namespace ostrapel
