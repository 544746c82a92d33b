#include "automation/text_intents.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"
#include "settings/text/text_limits.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>
#include <limits>
#include <thread>

namespace {

using namespace zendra;

TEST(ResponseCodes, OnlyZeroToSixMakeACode) {
    for (std::int64_t raw = 0; raw <= 6; ++raw) {
        const auto code = responseCodeFromRaw(raw);
        ASSERT_TRUE(code) << raw;
        EXPECT_EQ(rawValue(*code), raw);
    }
    for (const std::int64_t raw :
         {std::int64_t{7}, std::int64_t{-1}, std::numeric_limits<std::int64_t>::min(),
          std::numeric_limits<std::int64_t>::max()}) {
        EXPECT_FALSE(responseCodeFromRaw(raw)) << raw;
    }
    EXPECT_EQ(SetTextIntentResponse().code, IntentResponseCode::unspecified);
    EXPECT_EQ(GetTextIntentResponse().code, IntentResponseCode::unspecified);
}

class TextIntentsTest : public testing::Test {
protected:
    void SetUp() override { Settings::text().reset(); }
    void TearDown() override { Settings::text().reset(); }

    static QString storedText() { return Prefs::get(Settings::text()); }
};

TEST_F(TextIntentsTest, SetAnswersOnceOnTheMainThreadAfterReturningAndKeepsTheTextUnchanged) {
    const QString text = QString::fromUtf8("  first\r\nsecond\u2028third\n");
    int completions = 0;
    bool onMainThread = false;
    SetTextIntentResponse answer;
    {
        // Asked from another thread, and the handler is gone before the work runs.
        auto handler = std::make_unique<SetTextIntentHandler>();
        std::thread caller([&] {
            handler->handleSetText(SetTextIntent(text), [&](SetTextIntentResponse response) {
                ++completions;
                onMainThread = QThread::currentThread() == QCoreApplication::instance()->thread();
                answer = response;
            });
        });
        caller.join();
    }
    EXPECT_EQ(completions, 0) << "the bridge returns before the work runs";
    EXPECT_EQ(storedText(), QString());

    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(answer.code, IntentResponseCode::success);
    EXPECT_FALSE(answer.userActivity);
    EXPECT_EQ(storedText(), text) << "no trimming, no joining of lines";
}

TEST_F(TextIntentsTest, SetWithoutTextStoresTheEmptyStringAndGetReadsWhatWasJustSet) {
    std::optional<GetTextIntentResponse> fresh;
    GetTextIntentHandler().handleGetText({}, [&](GetTextIntentResponse response) { fresh = response; });
    Prefs::set(Settings::text(), QString("task"));
    SetTextIntentHandler().handleSetText(SetTextIntent(), [](SetTextIntentResponse) {});
    std::optional<GetTextIntentResponse> afterClear;
    GetTextIntentHandler().handleGetText({}, [&](GetTextIntentResponse response) { afterClear = response; });
    QCoreApplication::processEvents();

    // The get queued before the set already saw the text written directly before it ran.
    ASSERT_TRUE(fresh && afterClear);
    EXPECT_EQ(fresh->code, IntentResponseCode::success);
    EXPECT_EQ(fresh->result, QString("task"));
    EXPECT_EQ(afterClear->result, QString()) << "requests complete in the order their work runs";
    EXPECT_TRUE(Settings::text().suite()->hasPersistentEntry(Settings::text().name()))
        << "a missing text is stored as the empty string";

    Settings::text().reset();
    EXPECT_EQ(GetTextIntentHandler::handle({}).result, QString()) << "nothing stored reads as empty";
}

TEST_F(TextIntentsTest, SetRefusesTextsThePanelCannotHoldWithAReason) {
    Prefs::set(Settings::text(), QString("kept"));
    for (const QString& text :
         {QStringView(u"a\0b", 3).toString(), QString(Settings::maxTextLength + 1, u'x')}) {
        const SetTextIntentResponse response = SetTextIntentHandler::handle(SetTextIntent(text));
        EXPECT_EQ(response.code, IntentResponseCode::failure);
        EXPECT_TRUE(response.failureReason && !response.failureReason->isEmpty());
    }
    EXPECT_EQ(storedText(), QString("kept"));
}

TEST(IntentRoutes, EachIntentGetsAFreshHandlerOfItsKind) {
    IntentRoutes routes;
    registerAutomationIntents(routes);
    const auto first = routes.handlerFor(SetTextIntent());
    const auto second = routes.handlerFor(SetTextIntent());
    EXPECT_NE(dynamic_cast<SetTextIntentHandling*>(first.get()), nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(dynamic_cast<GetTextIntentHandling*>(routes.handlerFor(GetTextIntent()).get()), nullptr);

    class OtherIntent : public Intent {};
    EXPECT_EQ(routes.handlerFor(OtherIntent()), nullptr);
}

} // namespace
