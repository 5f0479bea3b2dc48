#include "TextViewerDialog.h"

#include "reports/ReportTexts.h"

#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/Prompts.h"
#include "paper/LinePages.h"
#include "paper/LinePdf.h"
#include "paper/PrintErrors.h"
#include "paper/PrinterService.h"
#include "paper/ReportFont.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QVBoxLayout>

namespace ostrapel {

using namespace ReportTexts;

TextViewerDialog::TextViewerDialog(Prompts& prompts, PrinterService& printer, QWidget* parent, int capacity)
    : QDialog(parent), prompts_(prompts), printer_(printer), capacity_(capacity) {
    setObjectName(QStringLiteral("dlgSysInfo"));
    setWindowTitle(SysteemInformatie);
    reSysInfo = new QPlainTextEdit(this);
    reSysInfo->setObjectName(QStringLiteral("reSysInfo"));
    reSysInfo->setReadOnly(true);
    reSysInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    reSysInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reSysInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont f = reportFont();
    f.setPixelSize(11);
    reSysInfo->setFont(f);

    btnPrint = new QPushButton(Printen, this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnPreview = new QPushButton(Afdrukvoorbeeld, this);
    btnPreview->setObjectName(QStringLiteral("btnPreview"));
    btnSaveAs = new QPushButton(Opslaan, this);
    btnSaveAs->setObjectName(QStringLiteral("btnSaveAs"));
    btnClose = new QPushButton(Sluiten, this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnPrint, &QPushButton::clicked, this, &TextViewerDialog::print);
    connect(btnPreview, &QPushButton::clicked, this, &TextViewerDialog::preview);
    connect(btnSaveAs, &QPushButton::clicked, this, &TextViewerDialog::saveAs);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    bar->addWidget(btnPrint);
    bar->addWidget(btnPreview);
    bar->addWidget(btnSaveAs);
    bar->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reSysInfo, 1);
    layout->addLayout(bar);
    resize(640, 480);
}

void TextViewerDialog::loadFile(const QString& path) {
    fileName_ = path;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList lines = readTextLines(path);
    if (lines.size() > capacity_) {
        // What does not fit is left out, and the last lines say so.
        lines = lines.mid(0, qMax(0, capacity_ - 11));
        lines << TooMuch1 << TooMuch2 << TooMuch3;
    }
    reSysInfo->setPlainText(lines.join(u'\n'));
    QApplication::restoreOverrideCursor();
}

QStringList TextViewerDialog::fileLines() const {
    const QStringList lines = readTextLines(fileName_);
    if (lines.isEmpty()) throw NoTextToPrintError(PrintTexts::GeenTekst);
    return lines;
}

bool TextViewerDialog::printToPdf(const QString& path) {
    try {
        writeLinesPdf(path, fileLines());
        return true;
    } catch (const OstrapelError& e) {
        prompts_.error(e.message());
        return false;
    }
}

void TextViewerDialog::print() {
    if (!printer_.hasPrinter()) {
        if (!prompts_.askYesNo(MsgType::Confirmation, NoPrinterPdf)) return;
        const QString path =
            prompts_.saveFileName({}, QFileInfo(fileName_).completeBaseName() + ".pdf", PdfFilter);
        if (!path.isEmpty()) printToPdf(path);
        return;
    }
    try {
        printer_.print(windowTitle(), fileLines());
    } catch (const OstrapelError& e) {
        prompts_.error(e.message());
    }
}

void TextViewerDialog::preview() {
    try {
        printer_.preview(windowTitle(), fileLines(), this);
    } catch (const OstrapelError& e) {
        prompts_.error(e.message());
    }
}

void TextViewerDialog::saveAs() {
    bool saved = false;
    for (;;) {
        QString name = prompts_.saveFileName({}, defaultSaveName, SaveFilter);
        if (name.isEmpty()) break;
        if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".txt");
        if (QFileInfo(name).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
            saved = printToPdf(name);
            if (saved) break;
        } else {
            try {
                FileWriter::copyFile(fileName_, name);
                saved = true;
                break;
            } catch (const OstrapelError& e) {
                prompts_.error(e.message());
            }
        }
        if (prompts_.message(MsgType::Error, SaveRetry, MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
            break;
    }
    if (!saved) prompts_.inform(NotSaved);
}

} // namespace ostrapel
