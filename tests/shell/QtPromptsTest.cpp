// The program's message boxes and connection-string editor, driven like a user
// would while they wait in their own event loop.
#include "shell/QtPrompts.h"
#include "ModalDialogs.h"
#include "Screenshots.h"
#include "shell/QtTranslations.h"

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ostrapel;

TEST(QtPromptsTest, MessageBoxesWithDutchButtons) {
    struct Case {
        MsgType type;
        MsgButtons buttons;
        const char* title;
        QMessageBox::Icon icon;
        QStringList buttonTexts;
        const char* click; // a button text; empty: Escape
        MsgButton answer;
    } cases[] = {
        {MsgType::Confirmation,
         MsgButton::Yes | MsgButton::No,
         "Bevestigen",
         QMessageBox::Question,
         {QStringLiteral("&Ja"), QStringLiteral("&Nee")},
         "&Ja",
         MsgButton::Yes},
        {MsgType::Warning,
         MsgButton::Yes | MsgButton::No,
         "Waarschuwing",
         QMessageBox::Warning,
         {QStringLiteral("&Ja"), QStringLiteral("&Nee")},
         "",
         MsgButton::No},
        {MsgType::Error,
         MsgButton::Ok,
         "Fout",
         QMessageBox::Critical,
         {QStringLiteral("OK")},
         "OK",
         MsgButton::Ok},
        {MsgType::Information,
         MsgButton::Ok | MsgButton::Abort,
         "Informatie",
         QMessageBox::Information,
         {QStringLiteral("OK"), QStringLiteral("&Afbreken")},
         "&Afbreken",
         MsgButton::Abort},
    };
    QtPrompts prompts;
    for (const Case& c : cases) {
        test::NextModal answer([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QString::fromLatin1(c.title));
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->text(), QStringLiteral("Eerste regel\nTweede regel")); // one break for \r\n
            QStringList texts;
            for (QAbstractButton* b : box->buttons())
                texts << b->text();
            texts.sort();
            QStringList expected = c.buttonTexts;
            expected.sort();
            EXPECT_EQ(texts, expected);
            if (c.type == MsgType::Confirmation) test::saveScreenshot(box, QStringLiteral("bevestigen"));
            if (*c.click)
                test::childWithText<QAbstractButton>(box, QString::fromLatin1(c.click))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        EXPECT_EQ(prompts.message(c.type, QStringLiteral("Eerste regel\r\nTweede regel"), c.buttons),
                  c.answer)
            << c.title;
    }
}

// The editor never has the password: one in use shows as dots that are only a
// placeholder, and stays unless the user replaces it.
TEST(QtPromptsTest, ConnectionStringEditor) {
    QtPrompts prompts;
    const QString server = QStringLiteral("Provider=PostgreSQL;Host=server;Database=ostrapel;User ID=piet");
    struct Case {
        bool passwordInUse;
        bool replace;
        QString typed;
        QString newPassword;
    } cases[] = {{true, false, {}, {}},
                 {true, true, QStringLiteral("nieuw"), QStringLiteral("nieuw")},
                 {false, false, QStringLiteral("eerste"), QStringLiteral("eerste")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.passwordInUse << c.replace);
        test::NextModal edit([&c](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Connectie-string"));
            auto* line = dialog->findChild<QLineEdit*>(QStringLiteral("edtConnectieString"));
            auto* password = dialog->findChild<QLineEdit*>(QStringLiteral("edtWachtwoord"));
            auto* replace = dialog->findChild<QPushButton*>(QStringLiteral("btnWachtwoordVervangen"));
            EXPECT_EQ(password->echoMode(), QLineEdit::Password);
            EXPECT_TRUE(password->text().isEmpty());
            EXPECT_EQ(password->placeholderText().isEmpty(), !c.passwordInUse);
            EXPECT_EQ(password->isReadOnly(), c.passwordInUse);
            EXPECT_EQ(replace->isVisible(), c.passwordInUse);
            EXPECT_EQ(replace->text(), QStringLiteral("Wachtwoord &vervangen"));
            if (c.passwordInUse && !c.replace)
                test::saveScreenshot(dialog, QStringLiteral("connectie-string"));
            if (c.replace) {
                replace->click();
                EXPECT_FALSE(password->isReadOnly());
                EXPECT_TRUE(password->placeholderText().isEmpty());
                test::saveScreenshot(dialog, QStringLiteral("connectie-string-wachtwoord-vervangen"));
            }
            if (!password->isReadOnly()) QTest::keyClicks(password, c.typed);
            line->setText(QStringLiteral(" Provider=SQLite;Data Source=/nieuw.db "));
            test::dialogButton(dialog, QDialogButtonBox::Ok)->click();
        });
        const auto result = prompts.editConnectionString(server, c.passwordInUse);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->connectionString, QStringLiteral("Provider=SQLite;Data Source=/nieuw.db"));
        EXPECT_EQ(result->newPassword, c.newPassword);
    }
    test::NextModal cancel(
        [](QWidget* dialog) { test::dialogButton(dialog, QDialogButtonBox::Cancel)->click(); });
    EXPECT_FALSE(prompts.editConnectionString(QStringLiteral("x"), true));
}

TEST(QtPromptsTest, QtsOwnDialogsSpeakDutch) {
    ASSERT_TRUE(installQtTranslations()); // Debian qt6-translations-l10n
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Zoeken in:"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Opslaan"));
}

// A box asked for from within a modal dialog (a report viewer) belongs to that
// dialog: owned by the program's window behind it, it stayed unpainted.
TEST(QtPromptsTest, BoxesBelongToTheModalDialogTheUserIsIn) {
    QWidget main;
    main.show();
    QtPrompts prompts(&main);
    for (const bool inViewer : {false, true}) {
        QDialog viewer(&main);
        if (inViewer) {
            viewer.setWindowModality(Qt::ApplicationModal);
            viewer.show();
        }
        QWidget* owner = nullptr;
        test::NextModal answer([&](QWidget* dialog) {
            owner = dialog->parentWidget();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        prompts.message(MsgType::Confirmation, QStringLiteral("Als PDF opslaan?"),
                        MsgButton::Yes | MsgButton::No);
        EXPECT_EQ(owner, inViewer ? static_cast<QWidget*>(&viewer) : &main) << inViewer;
    }
}

// A name typed without extension gets the extension of the filter entry the
// user chose, so "rapport" with the workbook entry is written as a workbook.
TEST(QtPromptsTest, SaveDialogAddsTheChosenEntrysExtension) {
    QTemporaryDir dir;
    const QString filter = QStringLiteral("Excel-werkmap|*.xlsx|Excel bestanden|*.xls|Alle bestanden|*.*");
    const struct {
        const char* typed;
        int entry;
        const char* saved;
    } cases[] = {
        {"rapport", 0, "rapport.xlsx"},    {"rapport", 1, "rapport.xls"},
        {"rapport", 2, "rapport.xlsx"}, // all files: the first entry's
        {"rapport.txt", 0, "rapport.txt"}, {"rapport.", 1, "rapport.xls"},
    };
    QtPrompts prompts;
    for (const auto& c : cases) {
        test::NextModal answer([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Exporteren naar Excel"));
            auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_TRUE(types && name);
            EXPECT_EQ(name->text(), QStringLiteral("Export_Ostrapel.xlsx"));
            for (int i = 0; i < c.entry; ++i) // as the user picks it
                QTest::keyClick(types, Qt::Key_Down);
            EXPECT_EQ(types->currentIndex(), c.entry);
            name->setText(QString::fromLatin1(c.typed));
            if (c.entry == 0 && !QString::fromLatin1(c.typed).contains(u'.'))
                test::saveScreenshot(d, QStringLiteral("opslaan-export"));
            test::dialogButton(d, QDialogButtonBox::Save)->click();
        });
        const QString saved =
            prompts.saveFileName(QStringLiteral("Exporteren naar Excel"),
                                 dir.filePath(QStringLiteral("Export_Ostrapel.xlsx")), filter);
        EXPECT_EQ(QFileInfo(saved).dir().path(), dir.path());
        EXPECT_EQ(QFileInfo(saved).fileName().toStdString(), c.saved) << c.typed << ' ' << c.entry;
    }
}
