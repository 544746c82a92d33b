#include "app/panel/status_item_content.h"

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

} // namespace
