// Qt's own texts come in Japanese once the translations are installed: the standard
// buttons and the file chooser's.
#include "app/file_dialogs.h"
#include "app/qt_translations.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QtTest>

class QtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsAndTheFileChooserSpeakJapanese() {
        const auto cancelText = [] {
            QDialogButtonBox box(QDialogButtonBox::Cancel);
            return box.button(QDialogButtonBox::Cancel)->text();
        };
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));

        QVERIFY(mireto::installQtTranslations(*QCoreApplication::instance()));
        QCOMPARE(cancelText(), QString::fromUtf8("キャンセル"));

        // The built-in chooser, as the program shows it for saving a document.
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        mireto::prepareFileDialog(dialog, true);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(),
                 QString::fromUtf8("キャンセル"));
        QVERIFY2(!buttons->button(QDialogButtonBox::Save)->text().contains(QStringLiteral("Save")),
                 qPrintable(buttons->button(QDialogButtonBox::Save)->text()));
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "qt_translations_test.moc"
