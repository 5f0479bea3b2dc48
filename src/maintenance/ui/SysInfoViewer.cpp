#include "SysInfoViewer.h"

#include "maintenance/MaintenanceTexts.h"

#include "core/Encoding.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/Prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace ostrapel {

using namespace MaintenanceTexts;

SysInfoViewer::SysInfoViewer(Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), reSysInfo(new QPlainTextEdit(this)),
      btnPrint(new QPushButton(QStringLiteral("&Printen"), this)),
      btnSaveAs(new QPushButton(QStringLiteral("&Opslaan ..."), this)) {
    setObjectName(QStringLiteral("dlgSysInfo"));
    setWindowTitle(SysInfoCaption);
    reSysInfo->setObjectName(QStringLiteral("reSysInfo"));
    reSysInfo->setReadOnly(true);
    reSysInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(11);
    reSysInfo->setFont(font);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnSaveAs->setObjectName(QStringLiteral("btnSaveAs"));
    auto* close = new QPushButton(QStringLiteral("&Sluiten"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reSysInfo);
    auto* bar = new QHBoxLayout;
    bar->addWidget(btnPrint);
    bar->addWidget(btnSaveAs);
    bar->addStretch();
    bar->addWidget(close);
    layout->addLayout(bar);
    connect(btnPrint, &QPushButton::clicked, this, &SysInfoViewer::print);
    connect(btnSaveAs, &QPushButton::clicked, this, &SysInfoViewer::saveAs);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(640, 480);
}

void SysInfoViewer::loadFile(const QString& path) {
    fileName_ = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    reSysInfo->setPlainText(decodeCp1252(file.readAll()).remove(u'\r'));
}

void SysInfoViewer::print() {
    QPrinter printer;
    QString pdf;
    if (QPrinterInfo::defaultPrinter().isNull()) {
        pdf = prompts_.saveFileName(SysInfoCaption, QString(), QStringLiteral("PDF|*.pdf"));
        if (pdf.isEmpty()) return;
        if (QFileInfo(pdf).suffix().isEmpty()) pdf += QStringLiteral(".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        // written beside the file and put in place once whole
        printer.setOutputFileName(pdf + QStringLiteral(".part"));
    }
    QTextDocument document;
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(8);
    document.setDefaultFont(font);
    document.setPlainText(reSysInfo->toPlainText());
    document.print(&printer);
    if (pdf.isEmpty()) return;
    try {
        FileWriter::placeFile(pdf + QStringLiteral(".part"), pdf, PdfTrailer);
    } catch (const OstrapelError& e) {
        prompts_.error(e.message());
    }
}

bool SysInfoViewer::saveAs() {
    QString name = prompts_.saveFileName(QString(), QString(), QStringLiteral("Tekstfile|*.txt"));
    if (name.isEmpty()) return false;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".txt");
    try {
        FileWriter::copyFile(fileName_, name);
    } catch (const OstrapelError& e) {
        prompts_.error(e.message());
        return false;
    }
    return true;
}

} // namespace ostrapel
