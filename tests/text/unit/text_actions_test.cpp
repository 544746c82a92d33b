#include "prefs/prefs.h"
#include "settings/catalogue.h"
#include "text/text_actions.h"

#include <QMimeData>
#include <gtest/gtest.h>

namespace {

using namespace zendra;

class FakePasteboard final : public Pasteboard {
public:
    std::optional<QString> plainText() const override {
        return contents && contents->hasText() ? std::optional(contents->text()) : std::nullopt;
    }
    void write(std::unique_ptr<QMimeData> data) override { contents = std::move(data); }

    std::unique_ptr<QMimeData> contents;
};

class TextActionsTest : public testing::Test {
protected:
    void SetUp() override { Settings::text().reset(); }
    void TearDown() override { Settings::text().reset(); }

    static QString text() { return Prefs::get(Settings::text()); }
    static bool textIsStored() {
        return Settings::text().suite()->hasPersistentEntry(Settings::text().name());
    }

    void putOnClipboard(const QString& value) {
        auto data = std::make_unique<QMimeData>();
        data->setText(value);
        clipboard.write(std::move(data));
    }

    FakePasteboard clipboard;
};

TEST_F(TextActionsTest, TheTwoClearVariantsRemoveOrStoreEmpty) {
    Prefs::set(Settings::text(), QString("task"));
    TextActions::clearTextByStoring();
    EXPECT_EQ(text(), QString());
    EXPECT_TRUE(textIsStored()) << "the store variant keeps an entry holding the empty string";

    Prefs::set(Settings::text(), QString("task"));
    TextActions::clearTextByRemoving();
    EXPECT_EQ(text(), QString());
    EXPECT_FALSE(textIsStored()) << "the reset variant removes the entry";
}

TEST_F(TextActionsTest, CopyWritesThePlainTextAndTheSourceApplication) {
    Prefs::set(Settings::text(), QString("Ship **it**"));
    putOnClipboard("old contents");
    clipboard.contents->setData("image/png", "png");
    TextActions::copyText(clipboard);

    ASSERT_TRUE(clipboard.contents);
    EXPECT_EQ(clipboard.contents->text(), QString("Ship **it**")) << "the stored text, Markdown unrendered";
    EXPECT_EQ(clipboard.contents->data("org.nspasteboard.source"), QByteArray("org.zendra.Zendra"));
    EXPECT_FALSE(clipboard.contents->hasFormat("image/png")) << "everything earlier is replaced";
}

TEST_F(TextActionsTest, PasteKeepsTheFirstTrimmedLineAndNeedsText) {
    putOnClipboard("\n   the word   \nsecond line");
    TextActions::setTextFromClipboard(clipboard);
    EXPECT_EQ(text(), QString("the word"));

    putOnClipboard(" \t\n \n");
    TextActions::setTextFromClipboard(clipboard);
    EXPECT_EQ(text(), QString());
    EXPECT_TRUE(textIsStored()) << "whitespace stores the empty string rather than removing the entry";

    Prefs::set(Settings::text(), QString("kept"));
    auto image = std::make_unique<QMimeData>();
    image->setData("image/png", "png");
    clipboard.write(std::move(image));
    TextActions::setTextFromClipboard(clipboard);
    EXPECT_EQ(text(), QString("kept")) << "a clipboard without text changes nothing";
}

TEST_F(TextActionsTest, TheServiceAppliesTheSameRule) {
    TextActions::setTextService(QString("first\r\nsecond"));
    EXPECT_EQ(text(), QString("first"));
    TextActions::setTextService(std::nullopt);
    EXPECT_EQ(text(), QString("first"));
}

} // namespace
