#include "ExportDialog.h"

#include "reports/ExportWriter.h"
#include "reports/ReportTexts.h"

#include "core/DataSet.h"
#include "core/Desktop.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QUrl>

namespace ostrapel {

using namespace ReportTexts;

namespace {

QString minutesSeconds(qint64 ms) {
    return QTime(0, 0).addMSecs(int(ms)).toString(QStringLiteral("mm:ss"));
}

} // namespace

ExportDialog::ExportDialog(DataSet& rows, const RecordCatalogue& catalogue, Prompts& prompts,
                           Desktop& desktop, const Clock& clock, const QString& programDir, QWidget* parent)
    : QDialog(parent), rows_(rows), catalogue_(catalogue), prompts_(prompts), desktop_(desktop),
      clock_(clock), programDir_(programDir) {
    setObjectName(QStringLiteral("dlgExportExcel"));
    setWindowTitle(ExporterenNaarExcel);
    pbMaster = new QProgressBar(this);
    pbMaster->setObjectName(QStringLiteral("pbMaster"));
    pbMaster->setRange(0, 100);
    pbMaster->setValue(0);
    pbMaster->setTextVisible(false);
    lblTijd = new QLabel(this);
    lblAantal = new QLabel(this);
    lblTotaalAantal = new QLabel(this);
    lblTijd->setObjectName(QStringLiteral("lblTijd"));
    lblAantal->setObjectName(QStringLiteral("lblAantal"));
    lblTotaalAantal->setObjectName(QStringLiteral("lblTotaalAantal"));
    btnOkCancel = new QPushButton(QStringLiteral("Annuleren"), this);
    btnOkCancel->setObjectName(QStringLiteral("btnOkCancel"));
    connect(btnOkCancel, &QPushButton::clicked, this,
            [this] { running_ ? void(running_ = false) : accept(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(pbMaster, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Totale tijd:")), 1, 0);
    grid->addWidget(lblTijd, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Aantal verzekerden")), 2, 0);
    grid->addWidget(lblAantal, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Totaal aantal records")), 3, 0);
    grid->addWidget(lblTotaalAantal, 3, 1);
    grid->addWidget(btnOkCancel, 4, 1, Qt::AlignRight);
    setMinimumWidth(340);
    pbMaster->setMaximum(std::max(rows_.recordCount(), 1));
}

void ExportDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) QTimer::singleShot(0, this, &ExportDialog::exportRows);
}

void ExportDialog::reject() {
    if (running_) return; // the dialog stays while the export runs; the button stops it
    QDialog::reject();
}

void ExportDialog::showProgress(int processed, int lines) {
    const qint64 elapsed = start_.msecsTo(clock_.now());
    const int maximum = rows_.recordCount();
    pbMaster->setValue(processed);
    lblAantal->setText(QStringLiteral("%1/%2").arg(processed).arg(maximum));
    const qint64 remaining = processed > 0 ? (maximum - processed) * elapsed / processed : 0;
    lblTijd->setText(minutesSeconds(elapsed) + QStringLiteral(" (nog ca.: ") + minutesSeconds(remaining) +
                     u')');
    lblTotaalAantal->setText(QString::number(lines));
    emit progressShown();
    // The cancel button acts here only.
    QCoreApplication::processEvents();
}

void ExportDialog::showFinal(int lines, qint64 writingMs) {
    pbMaster->setValue(pbMaster->maximum());
    lblAantal->setText(QStringLiteral("%1/%1").arg(rows_.recordCount()));
    lblTotaalAantal->setText(QString::number(lines - 1));
    lblTijd->setText(QTime(0, 0).addMSecs(int(writingMs)).toString(QStringLiteral("mm:ss:zzz")).left(8));
    emit progressShown();
}

qint64 ExportDialog::save(const QString& temporary) {
    const QString name =
        prompts_.saveFileName(ExporterenNaarExcel, QDir(programDir_).filePath(ExportName), ExportFilter);
    if (name.isEmpty()) return -1;
    qint64 writingMs = 0;
    if (QFileInfo(name).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0) {
        const QDateTime begin = clock_.now();
        ExportWriter(catalogue_).writeWorkbook(rows_, name);
        writingMs = begin.msecsTo(clock_.now());
    } else {
        FileWriter::placeFile(temporary, name);
    }
    desktop_.openUrl(QUrl::fromLocalFile(name));
    return writingMs;
}

void ExportDialog::exportRows() {
    if (started_) return; // once per dialog
    started_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    running_ = true;
    start_ = clock_.now();
    const QString temporary =
        QDir(QDir::tempPath())
            .filePath(QStringLiteral("excelexport") + start_.toString(QStringLiteral("yyyyMMddhhmmsszzz")) +
                      QStringLiteral(".tmp"));
    int lines = 1;
    try {
        showProgress(0, 0);
        ExportWriter(catalogue_).writeText(rows_, temporary, [&](int processed, int written) {
            lines = written;
            showProgress(processed, written);
            return running_;
        });
        lines = rows_.recordCount() + 1;
        // The total time is the writing's: the time the user spends in the save
        // dialog is not part of it.
        const qint64 writingMs = start_.msecsTo(clock_.now());
        QApplication::restoreOverrideCursor();
        if (running_) {
            running_ = false;
            showFinal(lines + 1, writingMs + std::max<qint64>(save(temporary), 0));
        } else {
            prompts_.message(MsgType::Confirmation, ExportGestopt, MsgButton::Ok);
            QFile::remove(temporary);
            QDialog::reject();
            return;
        }
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        running_ = false;
        QFile::remove(temporary);
        prompts_.error(errorMessage(e));
        QDialog::reject();
        return;
    }
    QFile::remove(temporary);
    btnOkCancel->setText(QStringLiteral("Sluiten"));
}

} // namespace ostrapel
