#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace ostrapel {

class Prompts;

// A text file shown read-only, with print and save; used for the
// information file.
class SysInfoViewer : public QDialog {
    Q_OBJECT
public:
    explicit SysInfoViewer(Prompts& prompts, QWidget* parent = nullptr);

    void loadFile(const QString& path);
    // Prints the file; without an installed printer it asks for a PDF file.
    void print();
    // Saves a copy under a name the user chooses; false when cancelled or failed.
    bool saveAs();
    QPlainTextEdit* memo() const { return reSysInfo; }

private:
    Prompts& prompts_;
    QString fileName_;
    QPlainTextEdit* reSysInfo;
    QPushButton* btnPrint;
    QPushButton* btnSaveAs;
};

} // namespace ostrapel
