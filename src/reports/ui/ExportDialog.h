#pragma once

#include "core/Clock.h"

#include <QDateTime>
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ostrapel {

class DataSet;
class Desktop;
class Prompts;
class RecordCatalogue;

// "Exporteren naar Excel": writes the export query's rows to a temporary file
// as soon as it is shown, with progress and a cancel button, then asks where to
// save it and opens the saved file with the desktop's program.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // `clock` gives the times the dialog shows.
    ExportDialog(DataSet& rows, const RecordCatalogue& catalogue, Prompts& prompts, Desktop& desktop,
                 const Clock& clock, const QString& programDir, QWidget* parent = nullptr);
    // Runs the export (called once when the dialog is first shown).
    void exportRows();
    bool running() const { return running_; }

    QProgressBar* pbMaster;
    QLabel* lblTijd;
    QLabel* lblAantal;
    QLabel* lblTotaalAantal;
    QPushButton* btnOkCancel;

signals:
    // The progress was shown: at the start, every hundredth record and at the end.
    void progressShown();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void showProgress(int processed, int lines);
    void showFinal(int lines, qint64 writingMs);
    // Asks where to save and saves; the milliseconds spent writing a workbook
    // (0 for the text file, which is moved), -1 when nothing was saved.
    qint64 save(const QString& temporary);

    DataSet& rows_;
    const RecordCatalogue& catalogue_;
    Prompts& prompts_;
    Desktop& desktop_;
    const Clock& clock_;
    QString programDir_;
    QDateTime start_;
    bool running_ = false;
    bool started_ = false;
};

} // namespace ostrapel
