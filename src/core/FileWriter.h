#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace ostrapel {

namespace FileWriterTexts {
inline const QString NotWritten = QStringLiteral("Het bestand \"%1\" kan niet worden geschreven.");
inline const QString NotWrittenBecause = QStringLiteral("Het bestand \"%1\" kan niet worden geschreven: %2");
inline const QString NotARegularFile =
    QStringLiteral("\"%1\" is geen gewoon bestand en wordt niet overschreven.");
} // namespace FileWriterTexts

// The end of a whole PDF file.
inline constexpr QByteArrayView PdfTrailer = "%%EOF";

// Writes one file whole or not at all: into a temporary file beside the
// target, every write and the final flush checked, renamed over the target
// only on commit. The target must be a regular file or absent; a device, a
// folder or a pipe is never replaced. Failures throw OstrapelError with the
// Dutch message naming the path; an existing file then stays as it was.
class FileWriter {
public:
    explicit FileWriter(const QString& path);
    // Without a commit the target stays as it was.
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void write(QByteArrayView bytes);
    // For code that streams into a device: a failed write there fails the commit.
    QIODevice& device() { return file_; }
    void commit();
    void cancel();

    // The whole file in one go.
    static void writeFile(const QString& path, QByteArrayView bytes);
    // A copy of `source` at `target`, the same way.
    static void copyFile(const QString& source, const QString& target);
    // Puts a file some other writer finished (a library that writes by name)
    // in place of `target`; `finished` is gone afterwards, also on failure.
    // A writer that does not report failed writes (the PDF engine) is checked
    // by the `ending` a whole file has near its end.
    static void placeFile(const QString& finished, const QString& target, QByteArrayView ending = {});
    // Throws the refusal when `path` exists and is not a regular file (or a link to one).
    static void refuseUnlessRegular(const QString& path);

private:
    [[noreturn]] void fail();
    QString path_;
    QSaveFile file_;
};

} // namespace ostrapel
