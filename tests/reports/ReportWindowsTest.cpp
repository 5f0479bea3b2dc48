// The report viewer, the progress dialog, printing and the report commands of
// the collectivity window, offscreen.
#include "FixedClock.h"
#include "RecordingPrinter.h"
#include "ReportFixture.h"
#include "Screenshots.h"
#include "ScriptedDesktop.h"
#include "ScriptedDialogs.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "collectivity/ui/PeriodDialog.h"
#include "core/Encoding.h"
#include "core/Settings.h"
#include "core/SystemClock.h"
#include "paper/LinePages.h"
#include "paper/LinePdf.h"
#include "paper/PrintErrors.h"
#include "reports/ReportBuilder.h"
#include "reports/ui/CollectivityReports.h"
#include "reports/ui/ExportDialog.h"
#include "reports/ui/ExportWizardDialog.h"
#include "reports/ui/TextViewerDialog.h"
#include "widgets/ProgressWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPageRanges>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>

using namespace ostrapel;

namespace {

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return int(
        QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// The text of a PDF as a reader finds it (poppler's pdftotext, as a search would).
QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("(pdftotext failed)");
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ReportWindows : public test::ReportFixture {
protected:
    QString writeFile(const QString& name, int lines) {
        QStringList text;
        for (int i = 0; i < lines; ++i)
            text << QStringLiteral("regel %1 ¯ é").arg(i);
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(encodeCp1252(text.join(u'\n') + u'\n'));
        return path;
    }
    // Answers the next modal dialog from the event loop it starts.
    // Waits for the dialog: the progress window lets the loop run before it is up.
    void whenModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, [this, answer] {
            if (QWidget* w = QApplication::activeModalWidget())
                answer(w);
            else
                whenModal(answer);
        });
    }
    test::ScriptedPrompts prompts;
    test::RecordingPrinter printer;
    test::ScriptedDesktop desktop;
    test::ScriptedDialogs dialogs;
};

} // namespace

TEST_F(ReportWindows, ViewerShowsTheFileAndWarnsWhenItIsTooLong) {
    TextViewerDialog viewer(prompts, printer, nullptr, 30);
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Systeem informatie"));
    EXPECT_EQ(viewer.btnPrint->text(), QStringLiteral("&Printen"));
    EXPECT_EQ(viewer.btnPreview->text(), QStringLiteral("&Afdrukvoorbeeld ..."));
    EXPECT_EQ(viewer.btnSaveAs->text(), QStringLiteral("&Opslaan ..."));
    EXPECT_EQ(viewer.btnClose->text(), QStringLiteral("&Sluiten"));
    viewer.loadFile(writeFile(QStringLiteral("kort.txt"), 30));
    EXPECT_EQ(viewer.reSysInfo->blockCount(), 30);
    EXPECT_EQ(viewer.reSysInfo->document()->findBlockByNumber(29).text(), QStringLiteral("regel 29 ¯ é"));
    EXPECT_TRUE(viewer.reSysInfo->font().fixedPitch() || QFontInfo(viewer.reSysInfo->font()).fixedPitch());

    viewer.loadFile(writeFile(QStringLiteral("lang.txt"), 31));
    const QStringList shown = viewer.reSysInfo->toPlainText().split(u'\n');
    ASSERT_EQ(shown.size(), 22);
    EXPECT_EQ(shown[18], QStringLiteral("regel 18 ¯ é"));
    EXPECT_EQ(shown.mid(19),
              QStringList({"!!!! LET OP !!!!", "!!!! Er is te veel informatie aanwezig om te tonen !!!!",
                           "!!!! Bij het printen zal alle informatie WEL getoond worden !!!"}));
}

TEST_F(ReportWindows, SavingAsTextOrPdfAndTheSaveLoop) {
    TextViewerDialog viewer(prompts, printer);
    const QString source = writeFile(QStringLiteral("rapport.txt"), 200);
    viewer.loadFile(source);

    prompts.saveNames = {QString()};
    viewer.saveAs(); // cancelled
    EXPECT_EQ(prompts.texts(), QStringList{"File werd niet opgeslagen"});

    prompts.messages.clear();
    prompts.saveNames = {dir.filePath(QStringLiteral("kopie"))}; // the default extension is added
    viewer.saveAs();
    QFile copy(dir.filePath(QStringLiteral("kopie.txt"))), original(source);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original.readAll());
    EXPECT_TRUE(prompts.messages.empty());

    // the writer's reason first, naming the file
    const QString nowhere = dir.filePath(QStringLiteral("geen/map/kopie.txt"));
    prompts.saveNames = {nowhere};
    prompts.answers = {MsgButton::No};
    viewer.saveAs();
    ASSERT_EQ(prompts.texts().size(), 3);
    EXPECT_TRUE(prompts.texts()[0].startsWith(
        QStringLiteral("Het bestand \"%1\" kan niet worden geschreven").arg(nowhere)));
    EXPECT_EQ(prompts.texts().mid(1),
              QStringList({"De file kon niet worden opgeslagen\r\nWilt u het nogmaals proberen?",
                           "File werd niet opgeslagen"}));

    // "PDF-bestand": the pages of the command line's --pdf, the text searchable
    prompts.messages.clear();
    prompts.saveNames = {dir.filePath(QStringLiteral("kopie"))};
    prompts.saveFilterChoices = {1};
    viewer.saveAs();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.saveFilters.last(), QStringLiteral("Tekstfile|*.txt|PDF-bestand|*.pdf"));
    const QString pdf = dir.filePath(QStringLiteral("kopie.pdf"));
    const int perPage = pdfLinesPerPage();
    EXPECT_GT(perPage, 60);
    EXPECT_EQ(pdfPages(pdf), (200 + perPage - 1) / perPage);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("regel 199 ¯ é"))) << text.right(200).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("regel %1 ¯ é\n\fregel %2 ¯ é").arg(perPage - 1).arg(perPage)));
    // nothing left beside it
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.pdf*")}),
              QStringList{QStringLiteral("kopie.pdf")});
}

// A sheet every page length, the user's page range honoured, and the failures.
TEST_F(ReportWindows, LinePagesAndPdfFailures) {
    QStringList lines;
    const int perPage = pdfLinesPerPage();
    for (int i = 0; i < 2 * perPage + 1; ++i)
        lines << QStringLiteral("regel %1").arg(i);
    const QString all = dir.filePath(QStringLiteral("druk.pdf"));
    writeLinesPdf(all, lines);
    EXPECT_EQ(pdfPages(all), 3);
    EXPECT_TRUE(pdfText(all).contains(QStringLiteral("regel %1\n\fregel %2").arg(perPage - 1).arg(perPage)));

    const QString second = dir.filePath(QStringLiteral("blad2.pdf"));
    {
        QPdfWriter pdf(second);
        QPageRanges range;
        range.addPage(2);
        pdf.setPageRanges(range);
        LinePages::standard().paint(pdf, lines);
    }
    EXPECT_EQ(pdfPages(second), 1);
    const QString text = pdfText(second);
    EXPECT_TRUE(text.startsWith(QStringLiteral("regel %1\n").arg(perPage))) << text.left(40).toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("regel %1\n").arg(2 * perPage)));

    try {
        writeLinesPdf(dir.filePath(QStringLiteral("leeg.pdf")), {});
        FAIL();
    } catch (const NoTextToPrintError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Er is geen tekst om te printen"));
    }
    const QString nowhere = dir.filePath(QStringLiteral("geen/map/druk.pdf"));
    try {
        writeLinesPdf(nowhere, lines);
        FAIL();
    } catch (const OstrapelError& e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("Het bestand \"%1\" kan niet worden geschreven").arg(nowhere)))
            << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("leeg.pdf"))));
}

// "&Printen" and "&Afdrukvoorbeeld ..." hand the whole file to the printer,
// also the lines the text control left out; failures reach the user.
TEST_F(ReportWindows, ViewerPrintsAndPreviewsThroughThePrinter) {
    TextViewerDialog viewer(prompts, printer, nullptr, 30);
    viewer.setWindowTitle(QStringLiteral("Te incasseren bedragen"));
    const QString path = writeFile(QStringLiteral("rapport.txt"), 31);
    viewer.loadFile(path);
    viewer.btnPrint->click();
    viewer.btnPreview->click();
    ASSERT_EQ(printer.jobs.size(), 2u);
    for (const test::RecordingPrinter::Job& job : printer.jobs) {
        EXPECT_EQ(job.name, QStringLiteral("Te incasseren bedragen"));
        ASSERT_EQ(job.lines.size(), 31);
        EXPECT_EQ(job.lines[30], QStringLiteral("regel 30 ¯ é"));
    }
    EXPECT_FALSE(printer.jobs[0].preview);
    EXPECT_TRUE(printer.jobs[1].preview);

    printer.failure = QStringLiteral("Print fout");
    viewer.print();
    QFile::remove(path);
    viewer.print();
    viewer.preview();
    EXPECT_EQ(prompts.texts(), QStringList({"Print fout", "Er is geen tekst om te printen",
                                            "Er is geen tekst om te printen"}));
    EXPECT_EQ(printer.jobs.size(), 2u);
}

TEST_F(ReportWindows, WithoutAPrinterPrintingOffersAPdf) {
    printer.installed = false;
    TextViewerDialog viewer(prompts, printer);
    viewer.loadFile(writeFile(QStringLiteral("rapport.txt"), 10));
    prompts.answers = {MsgButton::Yes};
    prompts.saveNames = {dir.filePath(QStringLiteral("rapport.pdf"))};
    viewer.print();
    EXPECT_EQ(prompts.texts(),
              QStringList{"Er is geen printer geïnstalleerd. Wilt u het rapport als PDF-bestand opslaan?"});
    EXPECT_EQ(pdfPages(dir.filePath(QStringLiteral("rapport.pdf"))), 1);
    EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(ReportWindows, ProgressWindowLooks) {
    ProgressWindow progress;
    progress.begin(QStringLiteral("Rapport genereren"));
    progress.setAnimated(true);
    progress.setText(QStringLiteral("Gegevens samenstellen"));
    progress.setMaximum(200);
    progress.setPosition(120);
    progress.setPosition(-1);
    EXPECT_EQ(progress.progressBar->value(), 121);
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("Rapport genereren"));
    test::saveScreenshot(&progress, QStringLiteral("rapport-voortgang"));
    progress.end();
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(ReportWindows, WindowMenusStartTheReports) {
    Settings settings{dir.path()};
    CollectivityReports reports(catalogue, settings, prompts, printer, desktop);
    CollectivityWindow w(*db, catalogue, prompts, printer, desktop, dialogs, settings, reports);
    printer.pageLength = 40; // the report's pages follow the printer's
    w.setIdentity({12, 1}, InsuranceType::Standard);
    w.loadWindowState();
    w.show();
    QStringList months;
    emit w.reportMenu()->aboutToShow(); // the months are read when the menu opens
    for (QAction* a : w.menuIncasso->actions()) {
        EXPECT_TRUE(a->isEnabled());
        months << a->text();
    }
    EXPECT_EQ(months, QStringList({"2006-01", "2006-02", "2006-03"}));
    EXPECT_EQ(w.menuCorrectie->actions().size(), 3);
    EXPECT_TRUE(w.actRapEigenCriteria->isEnabled());
    EXPECT_TRUE(w.actRapProlongatieVerschillen->isEnabled());

    QString shown, title, file;
    const auto readViewer = [&](QWidget* modal) {
        auto* viewer = qobject_cast<TextViewerDialog*>(modal);
        ASSERT_NE(viewer, nullptr);
        shown = viewer->reSysInfo->toPlainText();
        title = viewer->windowTitle();
        file = viewer->fileName();
        EXPECT_TRUE(viewer->windowState().testFlag(Qt::WindowMaximized));
        test::saveScreenshot(viewer, QStringLiteral("rapport-viewer"));
        viewer->reject();
    };
    whenModal(readViewer);
    w.menuIncasso->actions()[2]->trigger();
    EXPECT_EQ(title, QStringLiteral("Te incasseren bedragen"));
    EXPECT_TRUE(shown.contains(QStringLiteral("Periode: 2006-03")));
    EXPECT_TRUE(shown.contains(QStringLiteral("***EINDE VERSLAG***")));
    EXPECT_EQ(shown.split(u'\n').size() % 40, 0) << shown.split(u'\n').size();
    EXPECT_TRUE(QFileInfo(file).fileName().contains(QRegularExpression(QStringLiteral("^\\d{14}\\.txt$"))));
    EXPECT_FALSE(QFileInfo::exists(file)); // removed after viewing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    whenModal(readViewer);
    w.menuCorrectie->actions()[2]->trigger();
    EXPECT_EQ(title, QStringLiteral("Correctiepremies"));
    EXPECT_TRUE(shown.contains(QStringLiteral("Tandarts")));

    whenModal(readViewer);
    w.actRapEigenCriteria->trigger();
    EXPECT_EQ(title, QStringLiteral("Selectie eigen criteria"));

    // The comparison dialog: from 2006-01 to 2006-02, confirmed.
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<PeriodDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->cbMaandVan->setCurrentText(QStringLiteral("2006-01"));
        dialog->cbMaandTot->setCurrentText(QStringLiteral("2006-02"));
        whenModal(readViewer);
        dialog->accept();
    });
    prompts.answers = {MsgButton::Yes};
    w.actRapProlongatieVerschillen->trigger();
    EXPECT_EQ(title, QStringLiteral("Prolongatieverschillen: maand 2006-02 vergeleken met maand 2006-01"));
    EXPECT_TRUE(shown.contains(QStringLiteral("Fysiotherapie")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportWindows, ExportDialogWritesAndOpensTheChosenFile) {
    ReportBuilder data(*db, catalogue);
    data.inputs.personsWhereLine = QStringLiteral("WHERE bord10.[ID01] = 12");
    data.inputs.componentsPeriodClause = QStringLiteral("AND BORD50.[ID03] = '2006-03'");
    data.inputs.selectionClause = QStringLiteral("AND bord50.ID07 = :ID07");
    DataSet& rows = data.buildExportQuery(QStringLiteral("1002;ID07"), QStringLiteral("5008"));
    ExportDialog dialog(rows, catalogue, prompts, desktop, SystemClock::instance(), dir.path());
    desktop.answers = {false}; // no spreadsheet program: the file stays saved all the same
    prompts.saveNames = {dir.filePath(QStringLiteral("uit"))}; // the workbook entry's extension is added
    dialog.show();
    dialog.exportRows();
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(dir.filePath(QStringLiteral("uit.xlsx")))});
    QFile workbook(desktop.opened.value(0).toLocalFile());
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_TRUE(workbook.read(2) == "PK"); // a zipped workbook, not tab-separated text
    EXPECT_EQ(dialog.lblTotaalAantal->text(), QString::number(rows.recordCount() + 1));
    EXPECT_EQ(dialog.lblAantal->text(), QStringLiteral("%1/%1").arg(rows.recordCount()));
    EXPECT_EQ(dialog.btnOkCancel->text(), QStringLiteral("Sluiten"));
    test::saveScreenshot(&dialog, QStringLiteral("export-dialoog"));

    Settings settings{dir.path()};
    ExportWizardDialog wizard(catalogue, settings, prompts);
    wizard.clb10ExportFields->item(0)->setCheckState(Qt::Checked);
    wizard.showPage(2);
    wizard.dbSamenstellingOpslaan->setChecked(true);
    test::saveScreenshot(&wizard, QStringLiteral("export-wizard"));
    wizard.accept();
    EXPECT_EQ(settings.exportFields10(), wizard.personFields());
    EXPECT_FALSE(wizard.personFields().isEmpty());

    ExportWizardDialog cancelled(catalogue, settings, prompts);
    cancelled.show();
    prompts.messages.clear();
    prompts.answers = {MsgButton::No};
    cancelled.reject(); // No: the wizard stays open
    EXPECT_EQ(prompts.texts(), QStringList{"Wilt u het aanmaken van een exportdefinitie afbreken"});
    EXPECT_TRUE(cancelled.isVisible());
}

// Resting the mouse on a field shows its description as the long hint, in the
// wizard's status line; the tool tip is the short hint.
TEST_F(ReportWindows, ExportWizardShowsAFieldsDescriptionAsItsLongHint) {
    db->execute(QStringLiteral("update RecStruct set Omschrijving = 'Achternaam van de verzekerde' "
                               "where Soort = '10' and VeldNr = '02'"));
    RecordCatalogue described;
    described.load(*db);
    Settings settings{dir.path()};
    ExportWizardDialog wizard(described, settings, prompts);
    wizard.show();
    QListWidget* list = wizard.clb10ExportFields;
    const QList<QListWidgetItem*> surname = list->findItems(QStringLiteral("Achternaam"), Qt::MatchExactly);
    ASSERT_EQ(surname.size(), 1);
    const auto hover = [&](QListWidgetItem* item) {
        const QPoint at = list->visualItemRect(item).center();
        QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
    };
    hover(surname[0]);
    EXPECT_EQ(wizard.stbHint->currentMessage(), QStringLiteral("Achternaam van de verzekerde"));
    EXPECT_EQ(surname[0]->toolTip(), QStringLiteral("Exportvelden"));
    test::saveScreenshot(&wizard, QStringLiteral("export-wizard-hint"));
    QListWidgetItem* other = list->item(list->row(surname[0]) == 0 ? 1 : 0);
    hover(other);
    EXPECT_EQ(wizard.stbHint->currentMessage(), other->text()); // delivered descriptions repeat the caption
    prompts.answers = {MsgButton::Yes};
    wizard.reject();
}

// "Totale tijd" is the writing's: minutes in the save dialog do not count.
TEST_F(ReportWindows, ExportTimeLeavesOutTheSaveDialog) {
    ReportBuilder data(*db, catalogue);
    DataSet rows =
        data.openQuery(QStringLiteral("select a.[5004] from bord50 a, bord50 b, bord00 c limit 250"));
    ASSERT_EQ(rows.recordCount(), 250);
    // A clock that moves a second at each progress shown while writing, and
    // 8:41 while the user ponders the save dialog.
    test::FixedClock clock(QDateTime(QDate(2006, 3, 1), QTime(9, 0)));
    struct SlowPrompts : test::ScriptedPrompts {
        test::FixedClock* clock = nullptr;
        QString saveFileName(const QString& caption, const QString& start, const QString& filter) override {
            clock->time = clock->time.addSecs(8 * 60 + 41);
            return ScriptedPrompts::saveFileName(caption, start, filter);
        }
    } slow;
    slow.clock = &clock;
    for (const QString& name : {QStringLiteral("uit.xls"), QStringLiteral("uit.xlsx")}) {
        ExportDialog dialog(rows, catalogue, slow, desktop, clock, dir.path());
        desktop.answers = {true};
        QObject::connect(&dialog, &ExportDialog::progressShown, [&] {
            if (dialog.running()) clock.time = clock.time.addSecs(1);
        });
        slow.saveNames = {dir.filePath(name)};
        dialog.exportRows();
        EXPECT_EQ(dialog.lblTijd->text(), QStringLiteral("00:03:00")) << name.toStdString();
    }
}

TEST_F(ReportWindows, ExportDialogShowsProgressEveryHundredRowsAndStops) {
    ReportBuilder data(*db, catalogue);
    DataSet rows =
        data.openQuery(QStringLiteral("select a.[5004] from bord50 a, bord50 b, bord00 c limit 250"));
    ASSERT_EQ(rows.recordCount(), 250);
    const QString programDir = dir.filePath(QStringLiteral("programma"));
    QDir().mkpath(programDir);
    // Runs the export; `atProgress` sees each progress shown.
    const auto run = [&](std::function<void(ExportDialog&)> atProgress) {
        ExportDialog dialog(rows, catalogue, prompts, desktop, SystemClock::instance(), programDir);
        QStringList shown;
        QObject::connect(&dialog, &ExportDialog::progressShown, [&] {
            shown << dialog.lblAantal->text() + u' ' + dialog.lblTotaalAantal->text();
            atProgress(dialog);
        });
        dialog.exportRows();
        return std::make_pair(dialog.btnOkCancel->text() == QStringLiteral("Sluiten") ? 1 : dialog.result(),
                              shown);
    };

    prompts.saveNames = {QDir(programDir).filePath(QStringLiteral("uit.xls"))};
    desktop.answers = {true};
    const auto [done, progress] = run([](ExportDialog&) {});
    EXPECT_EQ(done, 1); // ready to close with "Sluiten"
    EXPECT_EQ(prompts.messages.size(), 0u);
    // The heading line counts: 250 rows end at 251.
    EXPECT_EQ(progress, QStringList({"0/250 0", "99/250 100", "199/250 200", "250/250 251"}));
    EXPECT_EQ(prompts.saveStarts,
              QStringList{QDir(programDir).filePath(QStringLiteral("Export_Ostrapel.xlsx"))});
    EXPECT_EQ(prompts.saveFilters,
              QStringList{QStringLiteral("Excel-werkmap|*.xlsx|Excel bestanden|*.xls|Alle bestanden|*.*")});
    QFile saved(QDir(programDir).filePath(QStringLiteral("uit.xls")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().count("\r\n"), 251);

    // Cancelled at the first hundred: no save dialog, the dialog closes.
    prompts.messages.clear();
    const auto [stopped, partial] = run([](ExportDialog& d) {
        if (d.lblAantal->text().startsWith(QStringLiteral("99/"))) d.btnOkCancel->click();
    });
    EXPECT_EQ(stopped, QDialog::Rejected);
    EXPECT_EQ(partial, QStringList({"0/250 0", "99/250 100"}));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Export vroegtijdig beëindigd"));
    EXPECT_EQ(prompts.messages[0].type, MsgType::Confirmation);
    EXPECT_EQ(prompts.saveStarts.size(), 1);
}
