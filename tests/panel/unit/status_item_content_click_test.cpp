#include "panel/status_item_click.h"
#include "panel/status_item_content.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

TEST(StatusItemContent, VisibleTextNeedsOneNonWhitespaceCharacter) {
    for (const char16_t* blank :
         {u"", u" ", u"\t\n\r\v\f", u"\u00A0", u"\u2028\u2029", u"\u3000\u2003", u"\u0085"}) {
        EXPECT_FALSE(hasVisibleText(QString::fromUtf16(blank))) << QString::fromUtf16(blank).toStdString();
    }
    for (const char16_t* visible : {u"a", u"  x  ", u"\n.", u" \u0301", u"\U0001F600"}) {
        EXPECT_TRUE(hasVisibleText(QString::fromUtf16(visible))) << QString::fromUtf16(visible).toStdString();
    }
}

TEST(StatusItemClick, DecisionTable) {
    using enum StatusItemMouseEvent;
    using Action = StatusItemClickAction;
    const StatusItemClickModifiers none;
    StatusItemClickModifiers shift{.shift = true};
    StatusItemClickModifiers control{.control = true};
    StatusItemClickModifiers option{.option = true};
    StatusItemClickModifiers shiftCaps{.shift = true, .capsLock = true};
    StatusItemClickModifiers shiftOption{.shift = true, .option = true};
    StatusItemClickModifiers command{.command = true};

    EXPECT_EQ(decideStatusItemClick(leftMouseUp, none), Action::toggleEditWindow);
    EXPECT_EQ(decideStatusItemClick(rightMouseDown, none), Action::showMenu);
    EXPECT_EQ(decideStatusItemClick(rightMouseDown, shift), Action::showMenu) << "right wins over Shift";
    EXPECT_EQ(decideStatusItemClick(leftMouseUp, control), Action::showMenu);
    EXPECT_EQ(decideStatusItemClick(leftMouseUp, option), Action::showMenu);
    EXPECT_EQ(decideStatusItemClick(leftMouseUp, shift), Action::clearText);
    EXPECT_EQ(decideStatusItemClick(leftMouseUp, shiftCaps), Action::clearText) << "Caps Lock is ignored";
    EXPECT_EQ(decideStatusItemClick(leftMouseUp, shiftOption), Action::toggleEditWindow);
    EXPECT_EQ(decideStatusItemClick(leftMouseUp, command), Action::toggleEditWindow);
}

} // namespace
