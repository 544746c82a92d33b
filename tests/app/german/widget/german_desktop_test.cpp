// A German desktop: the process starts with LANG=de_DE.UTF-8 (set for this test executable only),
// finds the German catalogue where an installed binary looks for it and shows the item's menu in
// German.
#include "cli/translations.h"
#include "panel/status_item_menu.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct MenuTexts {
    QStringList titles;
    QStringList toolTips;
};

MenuTexts itemMenuTexts() {
    const auto menu =
        zendra::makeQMenu(zendra::buildStatusItemMenu({QStringLiteral("task"), true, true}, {}));
    MenuTexts texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts.titles << action->text();
            texts.toolTips << action->toolTip();
        }
    }
    return texts;
}

TEST(GermanDesktopTest, TheItemMenuShowsEveryEntryInGerman) {
    ASSERT_EQ(QLocale().language(), QLocale::German) << "LANG=de_DE.UTF-8 reaches the test";
    const MenuTexts english = itemMenuTexts();
    zendra::installTranslations(*qApp);
    const MenuTexts german = itemMenuTexts();

    EXPECT_TRUE(german.titles.contains(QStringLiteral("Editor ein-/ausblenden")))
        << german.titles.join(u'|').toStdString();
    EXPECT_TRUE(german.titles.contains(QStringLiteral("Zendra beenden")));
    EXPECT_TRUE(german.toolTips.contains(QStringLiteral("Text aus der Zwischenablage in Zendra einfügen.")));
    ASSERT_EQ(german.titles.size(), english.titles.size());
    for (qsizetype i = 0; i < english.titles.size(); ++i) {
        EXPECT_NE(german.titles.at(i), english.titles.at(i)) << "left in English";
    }
}

} // namespace
