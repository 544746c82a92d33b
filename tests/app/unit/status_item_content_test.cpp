#include "app/status_item_content.h"

#include <gtest/gtest.h>

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

TEST(StatusItemContent, ColoursFallBackByAppearance) {
    StatusItemContent content;
    EXPECT_EQ(labelTextColor(content), QColor(Qt::black));
    content.isDark = true;
    EXPECT_EQ(labelTextColor(content), QColor(Qt::white));

    content.color = QColor(Qt::red);
    EXPECT_EQ(labelTextColor(content), QColor(Qt::red)) << "a dark panel without darkColor uses color";
    content.darkColor = QColor(Qt::green);
    EXPECT_EQ(labelTextColor(content), QColor(Qt::green));
    content.isDark = false;
    EXPECT_EQ(labelTextColor(content), QColor(Qt::red)) << "darkColor is for dark panels only";

    content.color.reset();
    content.panelTextColor = QColor(Qt::blue);
    EXPECT_EQ(labelTextColor(content), QColor(Qt::blue)) << "the panel's own colour wins over black";
    EXPECT_EQ(panelDefaultTextColor(content), QColor(Qt::blue));
}

} // namespace
