#include "panel/status_item_renderer.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

StatusItemContent contentWith(const QString& text) {
    StatusItemContent content;
    content.text = text;
    content.fontFamily = QStringLiteral("DejaVu Sans");
    content.monospaceFamily = QStringLiteral("DejaVu Sans Mono");
    return content;
}

QFont dejaVu(QFont::Weight weight = QFont::Normal) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setWeight(weight);
    return font;
}

// Device-pixel box of everything drawn.
QRect inkBounds(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// The most opaque drawn pixel, unpremultiplied.
QColor strongestInk(const QImage& image) {
    QRgb best = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > qAlpha(best)) {
                best = image.pixel(x, y);
            }
        }
    }
    return QColor::fromRgba(best);
}

bool hasBluishInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            if (c.alpha() > 128 && c.blue() > 150 && c.red() < 100) {
                return true;
            }
        }
    }
    return false;
}

TEST(StatusItemRenderer, MarkdownIsStyledAndItsMarkersGone) {
    const auto bold = renderStatusItem(contentWith(QStringLiteral("**word**")));
    EXPECT_EQ(bold.shownText, QStringLiteral("word"));
    ASSERT_EQ(bold.runs.size(), 1u);
    EXPECT_TRUE(bold.runs.front().style.strong);
    const double boldWidth = QFontMetricsF(dejaVu(QFont::Bold)).horizontalAdvance(QStringLiteral("word"));
    const double regularWidth = QFontMetricsF(dejaVu()).horizontalAdvance(QStringLiteral("word"));
    EXPECT_NEAR(bold.labelRect.width(), boldWidth, 0.5);
    EXPECT_GT(boldWidth, regularWidth + 1.0);

    const auto code = renderStatusItem(contentWith(QStringLiteral("`iiii`")));
    EXPECT_GT(code.labelRect.width(),
              renderStatusItem(contentWith(QStringLiteral("iiii"))).labelRect.width() + 4)
        << "code is set in the monospace font";

    EXPECT_TRUE(
        hasBluishInk(renderStatusItem(contentWith(QStringLiteral("[link](https://x.example)"))).image));
    EXPECT_FALSE(hasBluishInk(renderStatusItem(contentWith(QStringLiteral("link"))).image));

    // The strike-out line crosses the struck word only.
    const QImage struck = renderStatusItem(contentWith(QStringLiteral("plain ~~strike~~"))).image;
    const QImage unstruck = renderStatusItem(contentWith(QStringLiteral("plain strike"))).image;
    ASSERT_EQ(struck.size(), unstruck.size());
    const int wordStart =
        10 + static_cast<int>(QFontMetricsF(dejaVu()).horizontalAdvance(QStringLiteral("plain ")));
    EXPECT_EQ(struck.copy(0, 0, wordStart, struck.height()), unstruck.copy(0, 0, wordStart, struck.height()));
    EXPECT_NE(struck.copy(wordStart, 0, struck.width() - wordStart, struck.height()),
              unstruck.copy(wordStart, 0, struck.width() - wordStart, struck.height()));
}

TEST(StatusItemRenderer, PrefixAndSuffixJoinDirectlyAndStayOutOfTheTooltip) {
    auto content = contentWith(QStringLiteral("x"));
    content.prefix = QStringLiteral("\u00BB ");
    content.suffix = QStringLiteral(" \u00AB");
    const auto spaced = renderStatusItem(content);
    EXPECT_EQ(spaced.shownText, QStringLiteral("\u00BB x \u00AB"));
    EXPECT_EQ(spaced.toolTip, QStringLiteral("x"));

    content.prefix = QStringLiteral("  ");
    content.suffix = QString();
    EXPECT_EQ(renderStatusItem(content).shownText, QStringLiteral("  x")) << "leading blanks are kept";
    content.prefix = QStringLiteral("# ");
    EXPECT_EQ(renderStatusItem(content).shownText, QStringLiteral("# x"));
}

TEST(StatusItemRenderer, WidthFollowsTheTextUpToTheMaximum) {
    auto content = contentWith(QStringLiteral("Hi"));
    const auto shortText = renderStatusItem(content);
    EXPECT_FALSE(shortText.isTruncated);
    EXPECT_NEAR(shortText.itemSize.width(),
                QFontMetricsF(dejaVu()).horizontalAdvance(QStringLiteral("Hi")) + 20.0, 0.5);
    EXPECT_LT(shortText.itemSize.width(), 170.0);

    QString longText;
    while (longText.size() < 10000) {
        longText += QStringLiteral("lorem *ipsum* dolor ");
    }
    content.text = longText;
    const auto cut = renderStatusItem(content);
    EXPECT_TRUE(cut.isTruncated);
    EXPECT_EQ(cut.itemSize.width(), 170.0);
    EXPECT_TRUE(cut.shownText.endsWith(u'\u2026'));
    EXPECT_LT(cut.shownText.size(), 60) << "only what fits is laid out";
    const QRect ink = inkBounds(cut.image);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.right(), 160);
    EXPECT_GT(ink.right(), 140) << "the cut text fills the width";

    content.maximumWidth = 400.0;
    EXPECT_EQ(renderStatusItem(content).itemSize.width(), 420.0);

    // A link whose address is longer than anything that could be shown still shows as a link.
    content.text = QStringLiteral("[go](https://x.example/") + QString(20000, u'a') + QStringLiteral(") now");
    EXPECT_EQ(renderStatusItem(content).shownText, QStringLiteral("go now"));

    // Characters without width defeat the length estimate; the text must still show whole.
    content.text = QString(600, QChar(0x200B)) + QStringLiteral("end");
    const auto narrow = renderStatusItem(content);
    EXPECT_FALSE(narrow.isTruncated);
    EXPECT_TRUE(narrow.shownText.endsWith(QStringLiteral("end")));

    // Past a bound set by the width, such text is cut like any other: one letter with 100,000
    // combining marks shows a short start of itself, then the ellipsis.
    content.text = QStringLiteral("a") + QString(100000, QChar(0x0301));
    const auto marks = renderStatusItem(content);
    EXPECT_TRUE(marks.isTruncated);
    EXPECT_LT(marks.shownText.size(), 2000);
    EXPECT_TRUE(marks.shownText.startsWith(QStringLiteral("a\u0301")));
    EXPECT_TRUE(marks.shownText.endsWith(u'\u2026'));
}

// Right-to-left and mixed lines are cut at a logical position: the start that fits is kept and
// the ellipsis follows it, wherever the line's direction draws it.
TEST(StatusItemRenderer, RightToLeftTextIsCutAtItsLogicalEnd) {
    const QString sentences[] = {
        QStringLiteral("\u05D4\u05DE\u05E9\u05D9\u05DE\u05D4 \u05D4\u05D7\u05E9\u05D5\u05D1\u05D4 "
                       "\u05D1\u05D9\u05D5\u05EA\u05E8 \u05E9\u05DC \u05D4\u05D9\u05D5\u05DD"),
        QStringLiteral("\u0627\u0644\u0645\u0647\u0645\u0629 \u0627\u0644\u0623\u0647\u0645 "
                       "\u0641\u064A \u0647\u0630\u0627 \u0627\u0644\u064A\u0648\u0645 "
                       "\u0647\u064A \u0627\u0644\u062A\u0642\u0631\u064A\u0631"),
        QStringLiteral("Call \u05D3\u05E0\u05D9 about \u0627\u0644\u062A\u0642\u0631\u064A\u0631 "
                       "and the *budget* review"),
    };
    for (const QString& sentence : sentences) {
        for (const QString& text : {sentence, sentence.repeated(20)}) {
            SCOPED_TRACE(text.left(40).toStdString());
            const auto cut = renderStatusItem(contentWith(text));
            ASSERT_TRUE(cut.isTruncated);
            ASSERT_TRUE(cut.shownText.endsWith(u'\u2026'));
            const QString kept = cut.shownText.chopped(1);
            EXPECT_TRUE(text.startsWith(kept.trimmed()));
            EXPECT_LE(cut.textRect.width(), 150.0);
            EXPECT_GT(cut.textRect.width(), 120.0) << "the kept start fills the width";
            const QRect ink = inkBounds(cut.image);
            EXPECT_GE(ink.left(), 10);
            EXPECT_LE(ink.right(), 160);
        }
    }
}

// The cut and a link's colour work on whole glyphs: DejaVu Sans draws "fi" as one glyph.
TEST(StatusItemRenderer, LigaturesStayWholeAtTheCutAndAtALinksEdge) {
    auto content = contentWith(QStringLiteral("fi").repeated(60));
    for (double width = 100.0; width < 160.0; width += 3.0) {
        content.maximumWidth = width;
        const auto cut = renderStatusItem(content);
        ASSERT_TRUE(cut.isTruncated);
        EXPECT_EQ(cut.shownText.size() % 2, 1) << "cut inside a ligature at width " << width;
        EXPECT_LE(inkBounds(cut.image).right(), width + 10.0);
    }

    // A link ending inside a ligature: the glyph is drawn once (as much ink as the plain word),
    // and the line is shaped across the link's edge (as wide as the plain word).
    const auto plain = renderStatusItem(contentWith(QStringLiteral("office")));
    const auto linked = renderStatusItem(contentWith(QStringLiteral("of[f](https://x.io)ice")));
    ASSERT_EQ(linked.image.size(), plain.image.size());
    EXPECT_EQ(linked.itemSize, plain.itemSize);
    for (int y = 0; y < plain.image.height(); ++y) {
        for (int x = 0; x < plain.image.width(); ++x) {
            ASSERT_EQ(qAlpha(linked.image.pixel(x, y)), qAlpha(plain.image.pixel(x, y))) << x << "," << y;
        }
    }
    EXPECT_TRUE(
        hasBluishInk(renderStatusItem(contentWith(QStringLiteral("of [office](https://x.io)"))).image));
}

// Only the start of a long text is read; what shows is what that start alone shows: styles at the
// cut, a span across it, combining marks and surrogate pairs there, right-to-left text.
TEST(StatusItemRenderer, LongTextDrawsAsItsStartAlone) {
    const QString starts[] = {
        QStringLiteral("Plan *the* week, [read](https://x.io) **mail** then *more*"),
        QStringLiteral("**Bold words that run well past the edge of the item**"),
        QStringLiteral("e\u0301").repeated(40),
        QStringLiteral("\U0001D400").repeated(40),
        QStringLiteral("\u05E9\u05DC\u05D5\u05DD ").repeated(16),
        QStringLiteral("Plan: ") + QStringLiteral("\u05E9\u05DC\u05D5\u05DD ").repeated(16),
    };
    for (const QString& start : starts) {
        SCOPED_TRACE(start.toStdString());
        auto content = contentWith(start);
        const auto alone = renderStatusItem(content);
        content.text = start + QStringLiteral(" and then *some* more").repeated(500);
        const auto inLongText = renderStatusItem(content);
        EXPECT_TRUE(alone.isTruncated);
        EXPECT_TRUE(inLongText.isTruncated);
        EXPECT_EQ(inLongText.shownText, alone.shownText);
        EXPECT_EQ(inLongText.runs, alone.runs);
        EXPECT_EQ(inLongText.image, alone.image);
    }
}

TEST(StatusItemRenderer, VerticalOffsetMovesTheDrawnTextUp) {
    // At twice the pixel ratio every half pixel is a whole device pixel.
    auto render = [](std::optional<double> offset) {
        auto content = contentWith(QStringLiteral("Offset"));
        content.devicePixelRatio = 2.0;
        content.verticalOffset = offset;
        return renderStatusItem(content);
    };
    const int unshifted = inkBounds(render(-0.5).image).top(); // cancels the built-in half pixel
    const auto none = render(std::nullopt);
    EXPECT_EQ(unshifted - inkBounds(none.image).top(), 1);
    EXPECT_EQ(unshifted - inkBounds(render(2.0).image).top(), 5);
    EXPECT_EQ(inkBounds(render(-1.0).image).top() - inkBounds(none.image).top(), 2);
    EXPECT_EQ(render(0.0).image, none.image) << "a stored 0 draws like no offset";
    EXPECT_EQ(inkBounds(render(2.0).image).height(), inkBounds(none.image).height());
}

// The alpha-weighted mean row of everything drawn, in device pixels.
double inkCentre(const QImage& image) {
    double weight = 0;
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            weight += qAlpha(image.pixel(x, y));
            sum += double(qAlpha(image.pixel(x, y))) * y;
        }
    }
    return sum / weight;
}

TEST(StatusItemRenderer, HalfPixelOffsetsAreDrawnAtScaleOne) {
    auto centre = [](double offset) {
        auto content = contentWith(QStringLiteral("Offset"));
        content.verticalOffset = offset;
        return inkCentre(renderStatusItem(content).image);
    };
    const double whole = centre(0.0) - centre(1.0);
    EXPECT_NEAR(whole, 1.0, 0.1);
    EXPECT_NEAR(centre(0.0) - centre(0.5), 0.5, 0.15) << "not snapped to a whole pixel";
    EXPECT_NEAR(centre(0.0) - centre(-1.5), -1.5, 0.15);
}

TEST(StatusItemRenderer, PlaceholderWithoutVisibleTextWhateverThePrefix) {
    auto content = contentWith(QString());
    const auto empty = renderStatusItem(content);
    EXPECT_TRUE(empty.isPlaceholder);
    EXPECT_FALSE(empty.toolTip.has_value());
    EXPECT_EQ(empty.itemSize.width(), 35.0);
    const QRect ink = inkBounds(empty.image);
    EXPECT_NEAR(ink.width(), 15, 1);
    EXPECT_NEAR(ink.height(), 15, 1);
    // The digit is cut out of the disc.
    int holes = 0;
    for (int y = ink.top() + 4; y <= ink.bottom() - 4; ++y) {
        for (int x = ink.left() + 4; x <= ink.right() - 4; ++x) {
            holes += qAlpha(empty.image.pixel(x, y)) < 64 ? 1 : 0;
        }
    }
    EXPECT_GT(holes, 3);

    for (const char16_t* blank : {u"   ", u"\n\t\u00A0"}) {
        content.text = QString::fromUtf16(blank);
        content.prefix = QStringLiteral("**P**");
        content.suffix = QStringLiteral("S");
        const auto placeholder = renderStatusItem(content);
        EXPECT_TRUE(placeholder.isPlaceholder);
        EXPECT_FALSE(placeholder.toolTip.has_value());
        EXPECT_EQ(placeholder.image, empty.image);
    }
}

TEST(StatusItemRenderer, ColoursAndTheLegibleTone) {
    auto content = contentWith(QStringLiteral("Colour"));
    content.isDark = true;
    const QColor white = strongestInk(renderStatusItem(content).image);
    EXPECT_EQ(white.rgb(), QColor(Qt::white).rgb()) << "dark panel, no colours: white";

    content.panelTextColor = QColor(Qt::blue);
    EXPECT_EQ(strongestInk(renderStatusItem(content).image).rgb(), QColor(Qt::blue).rgb())
        << "the panel's own text colour replaces white";
    content.panelTextColor.reset();

    content.color = QColor(Qt::red);
    EXPECT_EQ(strongestInk(renderStatusItem(content).image).rgb(), QColor(Qt::red).rgb())
        << "a dark panel without darkColor uses color";
    content.color.reset();
    content.darkColor = QColor(Qt::green);
    content.isDark = false;
    EXPECT_EQ(strongestInk(renderStatusItem(content).image).rgb(), QColor(Qt::black).rgb());

    // The tone washes out the dark label and leaves light panels alone.
    content.darkColor.reset();
    content.isDark = true;
    const QImage plainDark = renderStatusItem(content).image;
    content.legibleLinks = true;
    const QColor toned = strongestInk(renderStatusItem(content).image);
    EXPECT_LE(toned.alpha(), 212);
    EXPECT_GE(toned.alpha(), 210);
    content.text = QStringLiteral("[Colour](https://x.example)");
    const QColor link = strongestInk(renderStatusItem(content).image);
    EXPECT_GT(link.red(), 100) << "the link colour is lifted and half grey";
    EXPECT_LT(link.blue() - link.red(), 100);

    content.text = QStringLiteral("Colour");
    content.isDark = false;
    const QImage light = renderStatusItem(content).image;
    content.legibleLinks = false;
    EXPECT_EQ(renderStatusItem(content).image, light);
    EXPECT_NE(plainDark, light);
}

TEST(StatusItemRenderer, HighDensityOutputKeepsTheLogicalGeometry) {
    auto content = contentWith(QStringLiteral("*Sharp*"));
    const auto single = renderStatusItem(content);
    content.devicePixelRatio = 2.0;
    const auto dense = renderStatusItem(content);
    EXPECT_EQ(dense.itemSize, single.itemSize);
    EXPECT_EQ(dense.image.devicePixelRatio(), 2.0);
    EXPECT_EQ(dense.image.width(), static_cast<int>(std::ceil(single.itemSize.width() * 2)));
    EXPECT_EQ(dense.image.height(), 48);
}

TEST(StatusItemRenderer, UnreasonableStoredNumbersStillDraw) {
    auto content = contentWith(QStringLiteral("text"));
    content.textSize = 1.0e9;
    content.maximumWidth = -5.0;
    content.verticalOffset = std::numeric_limits<double>::quiet_NaN();
    content.devicePixelRatio = 0.0;
    const auto result = renderStatusItem(content);
    EXPECT_FALSE(result.image.isNull());
    EXPECT_EQ(result.itemSize.width(), 20.0);
    EXPECT_LE(result.image.height(), 1024);
}

} // namespace
