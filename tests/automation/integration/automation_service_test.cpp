#include "automation/automation_bus.h"
#include "automation/automation_service.h"
#include "automation/text_intents.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"
#include "support/wait_until.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <gtest/gtest.h>

namespace {

using namespace zendra;
using namespace std::chrono_literals;

// The service on the test's session connection, called from a second connection as a script would.
class AutomationServiceTest : public testing::Test {
protected:
    void SetUp() override {
        Settings::text().reset();
        registerAutomationIntents(routes);
    }
    void TearDown() override {
        service.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("automation-client"));
        Settings::text().reset();
    }

    void exportService(AutomationActions actions) {
        service = std::make_unique<AutomationService>(std::move(actions));
        ASSERT_TRUE(service->exportOn(QDBusConnection::sessionBus()));
    }

    AutomationActions routedActions() {
        AutomationActions actions;
        actions.handlerFor = [this](const Intent& intent) { return routes.handlerFor(intent); };
        return actions;
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments = {}) {
        auto client =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("automation-client"));
        auto message = QDBusMessage::createMethodCall(
            QDBusConnection::sessionBus().baseService(), QString::fromLatin1(automation_bus::objectPath),
            QString::fromLatin1(automation_bus::interfaceName), method);
        message.setArguments(arguments);
        QDBusPendingCall pending = client.asyncCall(message, 10'000);
        EXPECT_TRUE(test::waitUntil([&] { return pending.isFinished(); }, 10s)) << method.toStdString();
        return pending.reply();
    }

    IntentRoutes routes;
    std::unique_ptr<AutomationService> service;
};

TEST_F(AutomationServiceTest, SetThenGetRoundTripsAMegabyteTextWithLineBreaks) {
    exportService(routedActions());
    QString text = QStringLiteral("line one\nline two\r\n");
    text += QString(1'000'000, QChar(u'\u00e9'));

    const QDBusMessage set = call(QStringLiteral("SetText"), {text});
    ASSERT_EQ(set.type(), QDBusMessage::ReplyMessage) << set.errorMessage().toStdString();
    EXPECT_EQ(set.arguments().value(0).toInt(), 4);
    EXPECT_EQ(Prefs::get(Settings::text()), text);

    const QDBusMessage get = call(QStringLiteral("GetText"));
    ASSERT_EQ(get.type(), QDBusMessage::ReplyMessage) << get.errorMessage().toStdString();
    ASSERT_EQ(get.arguments().size(), 2);
    EXPECT_EQ(get.arguments().at(0).toInt(), 4);
    EXPECT_EQ(get.arguments().at(1).toString(), text);

    EXPECT_EQ(call(QStringLiteral("SetText"), {QString()}).arguments().value(0).toInt(), 4);
    EXPECT_EQ(call(QStringLiteral("GetText")).arguments().value(1).toString(), QString());
}

TEST_F(AutomationServiceTest, BadCallsGetErrorsAndLeaveTheTextAlone) {
    exportService(routedActions());
    Prefs::set(Settings::text(), QString("keep me"));

    const QDBusMessage wrongType = call(QStringLiteral("SetText"), {42});
    EXPECT_EQ(wrongType.type(), QDBusMessage::ErrorMessage);
    const QDBusMessage tooMany = call(QStringLiteral("SetText"), {QString("a"), QString("b")});
    EXPECT_EQ(tooMany.type(), QDBusMessage::ErrorMessage);
    const QDBusMessage unknown = call(QStringLiteral("Explode"));
    EXPECT_EQ(unknown.type(), QDBusMessage::ErrorMessage);
    // Actions the application did not provide answer with an error rather than pretend success.
    const QDBusMessage toggle = call(QStringLiteral("ToggleEditor"));
    EXPECT_EQ(toggle.errorName(), QString::fromLatin1(automation_bus::unavailableError));

    EXPECT_EQ(Prefs::get(Settings::text()), QString("keep me"));
    EXPECT_EQ(call(QStringLiteral("GetText")).arguments().value(1).toString(), QString("keep me"))
        << "the service still answers after bad calls";
}

TEST_F(AutomationServiceTest, WithoutAHandlerTheTextCallsFail) {
    AutomationActions actions;
    actions.handlerFor = [](const Intent&) { return std::unique_ptr<IntentHandler>(); };
    exportService(std::move(actions));
    for (const QString& method : {QStringLiteral("SetText"), QStringLiteral("GetText")}) {
        const QDBusMessage reply =
            call(method, method == QLatin1String("SetText") ? QVariantList{QString("x")} : QVariantList{});
        EXPECT_EQ(reply.errorName(), QString::fromLatin1(automation_bus::unavailableError))
            << method.toStdString();
    }
    EXPECT_EQ(Prefs::get(Settings::text()), QString());
}

TEST_F(AutomationServiceTest, ActionMethodsReachTheirActionsOnce) {
    QStringList calls;
    AutomationActions actions = routedActions();
    actions.openUrl = [&](const QString& url) { calls << "open " + url; };
    actions.setTextService = [&](const std::optional<QString>& text) {
        calls << "service " + text.value_or("-");
    };
    actions.toggleEditor = [&] { calls << "toggle"; };
    actions.clearText = [&] { calls << "clear"; };
    actions.pasteText = [&] { calls << "paste"; };
    exportService(std::move(actions));

    call(QStringLiteral("OpenUrl"), {QString("zendra:?text=a")});
    call(QStringLiteral("SetTextFromService"), {QString(" b \n c")});
    call(QStringLiteral("ToggleEditor"));
    call(QStringLiteral("Clear"));
    call(QStringLiteral("Paste"));
    EXPECT_EQ(calls, QStringList({"open zendra:?text=a", "service  b \n c", "toggle", "clear", "paste"}));

    AutomationService second(routedActions());
    EXPECT_FALSE(second.exportOn(QDBusConnection::sessionBus())) << "the path is taken";
}

} // namespace
