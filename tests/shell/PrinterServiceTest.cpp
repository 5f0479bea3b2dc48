// The program's printer service: the preview's pages, and one report printed
// through a real print queue, the suite's own PDF printer (scripts/cups-server).
#include "ModalDialogs.h"
#include "Screenshots.h"
#include "ScriptedPrompts.h"
#include "paper/LinePages.h"
#include "reports/ui/TextViewerDialog.h"
#include "shell/QtPrinterService.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr) {
    QProcess p;
    p.start(program, args);
    const bool finished = p.waitForFinished(30000);
    if (exitCode) *exitCode = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The folder the suite's own PDF printer writes into, when that printer is the
// one this process prints on; empty otherwise (never the machine's printers).
QString suitePdfFolder() {
    const QString folder = qEnvironmentVariable("OSTRAPEL_TEST_CUPS_PDF");
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return {};
    const QString socket = QFileInfo(folder).dir().filePath(QStringLiteral("cups.sock"));
    if (qEnvironmentVariable("CUPS_SERVER") != socket || !QFileInfo(socket).exists()) return {};
    return folder;
}

} // namespace

// The preview pages the lines as printing does: a sheet every page length.
// It only shows; nothing reaches a queue.
TEST(PrinterService, PreviewShowsThePagesOfPrinting) {
    QtPrinterService printer;
    const int perPage = printer.linesPerPage();
    QStringList lines;
    for (int i = 0; i < 2 * perPage + 1; ++i)
        lines << QStringLiteral("regel %1").arg(i);
    int pages = -1;
    QString title;
    test::NextModal answer([&](QWidget* dialog) {
        title = dialog->windowTitle();
        auto* view = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(view, nullptr);
        pages = view->pageCount();
        dialog->resize(900, 700);
        test::saveScreenshot(dialog, QStringLiteral("afdrukvoorbeeld"));
        dialog->close();
    });
    printer.preview(QStringLiteral("Te incasseren bedragen"), lines, nullptr);
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(title, QStringLiteral("Afdrukvoorbeeld: Te incasseren bedragen"));
}

// "&Printen" in the viewer puts the whole report on the default printer: here
// the suite's own PDF printer, whose PDF is read back.
TEST(PrinterService, ViewerPrintsTheReportOnTheDefaultPrinter) {
    const QString folder = suitePdfFolder();
    if (folder.isEmpty())
        GTEST_SKIP() << "the suite's own print scheduler is not running (scripts/test starts it)";
    const QDir out(folder);
    const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);

    test::ScriptedPrompts prompts;
    QtPrinterService printer;
    ASSERT_TRUE(printer.hasPrinter());
    const QString report = QStringLiteral(OSTRAPEL_FIXTURES_DIR "/reports/collection.txt");
    const int lines = readTextLines(report).size();
    const int perPage = printer.linesPerPage();
    TextViewerDialog viewer(prompts, printer);
    viewer.setWindowTitle(QStringLiteral("Te incasseren bedragen"));
    viewer.loadFile(report);
    viewer.print();
    EXPECT_TRUE(prompts.messages.empty());

    // The job runs through the scheduler's filters; the PDF is whole once its reader accepts it.
    QString pdf;
    int status = -1;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 90000) {
        QStringList made = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QString& old : before)
            made.removeAll(old);
        if (!made.isEmpty()) {
            pdf = out.filePath(made.first());
            run(QStringLiteral("pdfinfo"), {pdf}, &status);
            if (status == 0) break;
        }
        QTest::qWait(250);
    }
    ASSERT_EQ(status, 0) << "no PDF came out of the queue in " << folder.toStdString();
    EXPECT_TRUE(QFileInfo(pdf).fileName().startsWith(QStringLiteral("Te_incasseren_bedragen")))
        << pdf.toStdString();
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg((lines + perPage - 1) / perPage))))
        << info.toStdString() << " lines " << lines << " per page " << perPage;
    const QString text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Te incasseren bedragen"))) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("***EINDE VERSLAG***")));
}
