#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace ostrapel {

class Prompts;

// "Systeem informatie": a text file shown read-only in a fixed-width font,
// with buttons to print it and to save a copy (as text or as PDF).
class TextViewerDialog : public QDialog {
    Q_OBJECT
public:
    // `capacity` is the number of lines the text control takes.
    explicit TextViewerDialog(Prompts& prompts, QWidget* parent = nullptr, int capacity = 500000);

    void loadFile(const QString& path);
    QString fileName() const { return fileName_; }
    void print();
    void saveAs();

    QPlainTextEdit* reSysInfo;
    QPushButton* btnPrint;
    QPushButton* btnSaveAs;
    QPushButton* btnClose;
    // The name the save dialog starts with; the program never sets one.
    QString defaultSaveName;

private:
    bool printToPdf(const QString& path);

    Prompts& prompts_;
    QString fileName_;
    int capacity_;
};

} // namespace ostrapel
