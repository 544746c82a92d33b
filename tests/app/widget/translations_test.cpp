// The user's language: a catalogue installed beside the executable is found for the locale and changes
// what the item's menu shows.
#include "app/panel/status_item_menu.h"
#include "app/translations.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QStringList>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Sets the default locale; puts it back and removes the installed translators at the end.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QLocale::setDefault(previous_);
    }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale previous_;
};

// The test's catalogue (zendra_de.ts) is built into ../share/zendra/translations beside the test.
TEST(TranslationsTest, CatalogueBesideTheExecutableTranslatesTheItemMenuForTheLocale) {
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    zendra::installTranslations(*qApp);

    const auto menu =
        zendra::makeQMenu(zendra::buildStatusItemMenu({QStringLiteral("task"), true, false}, {}));
    QStringList titles;
    for (const QAction* action : menu->actions()) {
        titles << action->text();
    }
    EXPECT_TRUE(titles.contains(QStringLiteral("Leave Zendra"))) << titles.join(u'|').toStdString();
    EXPECT_FALSE(titles.contains(QStringLiteral("Quit Zendra")));
    EXPECT_TRUE(titles.contains(QStringLiteral("Toggle Editor")))
        << "texts without a translation stay English";
}

} // namespace
