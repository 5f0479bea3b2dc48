#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace ostrapel {

class PrinterService;
class Prompts;

// "Systeem informatie": a text file shown read-only in a fixed-width font,
// with buttons to print it, preview it and save a copy (as text or as PDF).
// The window title names the print job.
class TextViewerDialog : public QDialog {
    Q_OBJECT
public:
    // `capacity` is the number of lines the text control takes.
    TextViewerDialog(Prompts& prompts, PrinterService& printer, QWidget* parent = nullptr,
                     int capacity = 500000);

    void loadFile(const QString& path);
    QString fileName() const { return fileName_; }
    void print();
    void preview();
    void saveAs();

    QPlainTextEdit* reSysInfo;
    QPushButton* btnPrint;
    QPushButton* btnPreview;
    QPushButton* btnSaveAs;
    QPushButton* btnClose;
    // The name the save dialog starts with; the program never sets one.
    QString defaultSaveName;

private:
    // Every line of the file, also those the text control left out.
    QStringList fileLines() const;
    bool printToPdf(const QString& path);

    Prompts& prompts_;
    PrinterService& printer_;
    QString fileName_;
    int capacity_;
};

} // namespace ostrapel
