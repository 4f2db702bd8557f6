// Qt's own dialogs and menus speak Chinese, and window titles are the program's captions alone.
#include "app/messageboxreporter.h"
#include "app/qttranslations.h"
#include "app/startup.h"
#include "widgets/clampingspinbox.h"
#include "numbers/numtext.h"
#include "takeoff/takeofflist.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeDatabase>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace mhbk {
namespace {

bool isChinese(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

// Installs the translation for one system locale and takes it away again at the end.
class InstalledTranslation {
public:
    explicit InstalledTranslation(const QLocale &system) : translator_(installQtTranslations(*qApp, system)) {}
    ~InstalledTranslation()
    {
        if (translator_)
            QCoreApplication::removeTranslator(translator_);
        delete translator_;
    }
    QTranslator *get() const { return translator_; }

private:
    QTranslator *translator_;
};

TEST(QtTranslations, EverySystemLocaleGetsAChineseCatalogue)
{
    struct Row {
        const char *system;
        const char *catalogue;
    };
    const Row rows[] = {
        {"C", "qt_zh_CN.qm"},     {"en_US", "qt_zh_CN.qm"}, {"de_DE", "qt_zh_CN.qm"}, {"zh_CN", "qt_zh_CN.qm"},
        {"zh_SG", "qt_zh_CN.qm"}, {"zh_TW", "qt_zh_TW.qm"}, {"zh_HK", "qt_zh_TW.qm"},
    };
    for (const Row &row : rows) {
        InstalledTranslation installed{QLocale(QString::fromLatin1(row.system))};
        ASSERT_NE(installed.get(), nullptr) << row.system << ": is qt6-translations-l10n installed?";
        EXPECT_TRUE(installed.get()->filePath().endsWith(QLatin1String(row.catalogue)))
            << row.system << ": " << installed.get()->filePath().toStdString();
        EXPECT_TRUE(isChinese(QCoreApplication::translate("QLineEdit", "&Undo"))) << row.system;
    }
    // Without one, Qt speaks English again.
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Undo"));
}

TEST(QtTranslations, QtsOwnTextsAreChineseUnderTheCLocale)
{
    InstalledTranslation installed{QLocale::c()};
    ASSERT_NE(installed.get(), nullptr);
    struct Row {
        const char *context;
        const char *source;
    };
    const Row rows[] = {
        {"QLineEdit", "&Undo"},
        {"QLineEdit", "&Copy"},
        {"QLineEdit", "Select All"},
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?"},
        {"QFileDialog", "&Save"},
        {"QFileDialog", "File &name:"},
        {"QPrintPreviewDialog", "Next page"},
        {"QPrintPreviewDialog", "Print Preview"},
        {"QPrintDialog", "Print"},
        {"QPlatformTheme", "Cancel"},
    };
    for (const Row &row : rows)
        EXPECT_TRUE(isChinese(QCoreApplication::translate(row.context, row.source))) << row.source;

    // The real widgets: every entry of an input's context menu, the save dialog's buttons and
    // labels, and the tips of the print preview's tool bar.
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator()) {
            EXPECT_TRUE(isChinese(action->text())) << action->text().toStdString();
        }
    }

    QFileDialog save(nullptr, QStringLiteral("导出"));
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    int checked = 0;
    for (const QAbstractButton *button : save.findChildren<QAbstractButton *>()) {
        if (button->text().isEmpty() || button->text().size() < 2)
            continue;
        EXPECT_TRUE(isChinese(button->text())) << button->text().toStdString();
        ++checked;
    }
    for (const QLabel *label : save.findChildren<QLabel *>()) {
        if (!label->text().isEmpty()) {
            EXPECT_TRUE(isChinese(label->text())) << label->text().toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 4);

    QPrintPreviewDialog preview;
    int tips = 0;
    for (const QToolButton *button : preview.findChildren<QToolButton *>()) {
        if (!button->toolTip().isEmpty()) {
            EXPECT_TRUE(isChinese(button->toolTip())) << button->toolTip().toStdString();
            ++tips;
        }
    }
    EXPECT_GE(tips, 10);
}

// What Qt words from the locale itself (file types in the file dialogs, for one) is Chinese
// too, while our own figures keep their form: no group separators, the same decimals.
TEST(QtTranslations, TheDefaultLocaleIsChineseAndOurFiguresAreUnchanged)
{
    struct Row {
        const char *system;
        const char *defaultLocale;
    };
    const Row rows[] = {{"C", "zh_CN"}, {"en_US", "zh_CN"}, {"de_DE", "zh_CN"}, {"zh_CN", "zh_CN"}, {"zh_TW", "zh_TW"}};
    struct Restore {
        QLocale before;
        ~Restore() { QLocale::setDefault(before); }
    } restore{QLocale()};
    for (const Row &row : rows) {
        useQtTranslationLocale(QLocale(QString::fromLatin1(row.system)));
        EXPECT_EQ(QLocale().name(), QString::fromLatin1(row.defaultLocale)) << row.system;
        const QString plainText = QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment();
        EXPECT_TRUE(isChinese(plainText)) << row.system << " " << plainText.toStdString();

        ClampingSpinBox spin;
        spin.setRange(0, 100000);
        spin.setValue(12345);
        EXPECT_EQ(spin.text(), QStringLiteral("12345")) << row.system;
        QString typed = QStringLiteral("23456");
        int at = 0;
        EXPECT_EQ(spin.validate(typed, at), QValidator::Acceptable) << row.system;
        EXPECT_EQ(formatFixed(1234567.5, 3), QStringLiteral("1234567.500")) << row.system;
        EXPECT_EQ(takeoff::weightText(12345.6), QStringLiteral("12345.600")) << row.system;
        EXPECT_EQ(formatResult(numbers::Extended(9876543.25), 2, QStringLiteral(".")), QStringLiteral("9876543.25")) << row.system;
    }
}

TEST(StartUp, MessageBoxTitleIsTheCaptionAlone)
{
    configureApplication(*qApp);
    // A display name would be appended to every title by the platform ("系统提示 — …").
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_TRUE(isChinese(QCoreApplication::translate("QLineEdit", "&Undo")));

    MessageBoxReporter reporter;
    QString title;
    QTimer::singleShot(0, [&title] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        title = box->windowTitle();
        box->close();
    });
    reporter.showMessage(QStringLiteral("您已经运行了本程序。"), QStringLiteral("系统提示"), MessageIcon::Warning);
    EXPECT_EQ(title, QStringLiteral("系统提示"));
}

} // namespace
} // namespace mhbk
