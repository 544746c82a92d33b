#include "automation/automation_bus.h"
#include "automation/automation_service.h"
#include "automation/text_intents.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"
#include "support/wait_until.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <gtest/gtest.h>
#include <thread>

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

    static QDBusConnection client() {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                             QStringLiteral("automation-client"));
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments = {},
                      const QString& interface = QString::fromLatin1(automation_bus::interfaceName)) {
        auto client = this->client();
        auto message = QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(),
                                                      QString::fromLatin1(automation_bus::objectPath),
                                                      interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = client.asyncCall(message, 10'000);
        EXPECT_TRUE(test::waitUntil([&] { return pending.isFinished(); }, 10s)) << method.toStdString();
        return pending.reply();
    }

    IntentRoutes routes;
    std::unique_ptr<AutomationService> service;
};

TEST_F(AutomationServiceTest, SetThenGetRoundTripsAMegabyteTextWithIdiomaticSignatures) {
    exportService(routedActions());
    QString text = QStringLiteral("line one\nline two\r\n");
    text += QString(1'000'000, QChar(u'\u00e9'));

    const QDBusMessage set = call(QStringLiteral("SetText"), {text});
    ASSERT_EQ(set.type(), QDBusMessage::ReplyMessage) << set.errorMessage().toStdString();
    EXPECT_EQ(set.signature(), QString()) << "SetText returns nothing";
    EXPECT_EQ(Prefs::get(Settings::text()), text);

    const QDBusMessage get = call(QStringLiteral("GetText"));
    ASSERT_EQ(get.type(), QDBusMessage::ReplyMessage) << get.errorMessage().toStdString();
    EXPECT_EQ(get.signature(), QString("s"));
    EXPECT_EQ(get.arguments().value(0).toString(), text);

    const QDBusMessage property = call(QStringLiteral("Get"), {QString("org.zendra.Zendra"), QString("Text")},
                                       QStringLiteral("org.freedesktop.DBus.Properties"));
    EXPECT_EQ(property.arguments().value(0).value<QDBusVariant>().variant().toString(), text);

    EXPECT_EQ(call(QStringLiteral("SetText"), {QString()}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(call(QStringLiteral("GetText")).arguments().value(0).toString(), QString());
}

// Past libdbus's 63 MiB of unreleased messages a connection stops reading until they are released.
TEST_F(AutomationServiceTest, AHugeCallLeavesTheConnectionListening) {
    exportService(routedActions());
    Prefs::set(Settings::text(), QString("small"));
    const QDBusMessage huge = call(QStringLiteral("OpenUrl"), {QString(70'000'000, QChar(u'x'))});
    EXPECT_EQ(huge.errorName(), QString::fromLatin1(automation_bus::unavailableError));
    const QDBusMessage get = call(QStringLiteral("GetText"));
    ASSERT_EQ(get.type(), QDBusMessage::ReplyMessage) << get.errorMessage().toStdString();
    EXPECT_EQ(get.arguments().value(0).toString(), QString("small"));
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
    EXPECT_EQ(call(QStringLiteral("GetText")).arguments().value(0).toString(), QString("keep me"))
        << "the service still answers after bad calls";
}

// Answers every request with a failure, as a handler that cannot save or refuses the text does.
class FailingHandler final : public IntentHandler,
                             public SetTextIntentHandling,
                             public GetTextIntentHandling {
public:
    void handleSetText(SetTextIntent, std::function<void(SetTextIntentResponse)> completion) override {
        SetTextIntentResponse response(IntentResponseCode::failure, std::nullopt);
        response.failureReason = "cannot write the preferences file /x";
        completion(response);
    }
    void handleGetText(GetTextIntent, std::function<void(GetTextIntentResponse)> completion) override {
        completion(GetTextIntentResponse(IntentResponseCode::failureRequiringAppLaunch, std::nullopt));
    }
};

TEST_F(AutomationServiceTest, FailedOrMissingHandlersAnswerWithNamedErrors) {
    bool handled = true;
    AutomationActions actions;
    actions.handlerFor = [&](const Intent&) -> std::unique_ptr<IntentHandler> {
        return handled ? std::make_unique<FailingHandler>() : nullptr;
    };
    exportService(std::move(actions));

    const QDBusMessage set = call(QStringLiteral("SetText"), {QString("x")});
    EXPECT_EQ(set.errorName(), QString("org.zendra.Zendra.Error.Failed"));
    EXPECT_EQ(set.errorMessage(), QString("cannot write the preferences file /x"))
        << "the reason reaches the caller";
    const QDBusMessage get = call(QStringLiteral("GetText"));
    EXPECT_EQ(get.errorName(), QString("org.zendra.Zendra.Error.Unavailable"));
    EXPECT_FALSE(get.errorMessage().isEmpty());

    handled = false;
    for (const QString& method : {QStringLiteral("SetText"), QStringLiteral("GetText")}) {
        const QDBusMessage reply =
            call(method, method == QLatin1String("SetText") ? QVariantList{QString("x")} : QVariantList{});
        EXPECT_EQ(reply.errorName(), QString::fromLatin1(automation_bus::unavailableError))
            << method.toStdString();
    }
    EXPECT_EQ(Prefs::get(Settings::text()), QString());
}

// Collects the Text values announced with PropertiesChanged.
class TextListener : public QObject {
    Q_OBJECT
public:
    QStringList texts;
public slots:
    void changed(const QString& interface, const QVariantMap& properties, const QStringList&) {
        if (interface == QLatin1String("org.zendra.Zendra") && properties.contains("Text")) {
            texts << properties.value("Text").toString();
        }
    }
};

TEST_F(AutomationServiceTest, AnnouncesEachTextChangeInOrderAndLetsGoOfTheNameFirst) {
    const QString name = QString::fromLatin1(automation_bus::serviceName);
    ASSERT_TRUE(QDBusConnection::sessionBus().registerService(name));
    exportService(routedActions());
    TextListener listener;
    ASSERT_TRUE(client().connect(QDBusConnection::sessionBus().baseService(),
                                 QString::fromLatin1(automation_bus::objectPath),
                                 "org.freedesktop.DBus.Properties", "PropertiesChanged", &listener,
                                 SLOT(changed(QString, QVariantMap, QStringList))));

    call(QStringLiteral("SetText"), {QString("one")});
    Prefs::set(Settings::text(), QString("two"));
    std::this_thread::sleep_for(1ms);
    Prefs::set(Settings::text(), QString("three"));
    Prefs::set(Settings::text(), QString("three"));
    ASSERT_TRUE(test::waitUntil([&] { return listener.texts.size() >= 3; }, 5s));
    EXPECT_FALSE(test::waitUntil([&] { return listener.texts.size() > 3; }, 100ms))
        << "an unchanged text is not news";
    EXPECT_EQ(listener.texts, QStringList({"one", "two", "three"}));

    // A caller that still sees the name must still find the object behind it.
    service.reset();
    EXPECT_FALSE(client().interface()->isServiceRegistered(name).value());
}

TEST_F(AutomationServiceTest, ActionMethodsReachTheirActionsOnceAndReportFailedSaves) {
    QStringList calls;
    std::optional<QString> saveProblem;
    AutomationActions actions = routedActions();
    actions.openUrl = [&](const QString& url) { calls << "open " + url; };
    actions.setTextService = [&](const std::optional<QString>& text) {
        calls << "service " + text.value_or("-");
        return saveProblem;
    };
    std::vector<UserAction> performed;
    actions.perform = [&](UserAction action) -> AutomationActions::Outcome {
        performed.push_back(action);
        return action == UserAction::clearText || action == UserAction::pasteText ? saveProblem
                                                                                  : std::nullopt;
    };
    exportService(std::move(actions));

    call(QStringLiteral("OpenUrl"), {QString("zendra:?text=a")});
    call(QStringLiteral("SetTextFromService"), {QString(" b \n c")});
    EXPECT_EQ(calls, QStringList({"open zendra:?text=a", "service  b \n c"}));
    // Every action with a method is on the bus and reaches its own action, once.
    std::vector<UserAction> expected;
    for (const UserActionEntry& entry : userActions()) {
        if (entry.busMethod && entry.action != UserAction::setText) {
            EXPECT_EQ(call(QString::fromLatin1(entry.busMethod)).type(), QDBusMessage::ReplyMessage)
                << entry.busMethod;
            expected.push_back(entry.action);
        }
    }
    EXPECT_EQ(performed, expected);
    EXPECT_EQ(expected.size(), 5u) << "ToggleEditor, Clear, Paste, OpenSettings, Quit";

    // The text changes answer like SetText when the preferences file could not take them.
    saveProblem = "cannot write the preferences file /x";
    for (const auto& [method, arguments] :
         {std::pair{QStringLiteral("Clear"), QVariantList()},
          std::pair{QStringLiteral("Paste"), QVariantList()},
          std::pair{QStringLiteral("SetTextFromService"), QVariantList{"d"}}}) {
        const QDBusMessage reply = call(method, arguments);
        EXPECT_EQ(reply.errorName(), QString::fromLatin1(automation_bus::failedError))
            << method.toStdString();
        EXPECT_EQ(reply.errorMessage(), *saveProblem) << method.toStdString();
    }

    AutomationService second(routedActions());
    EXPECT_FALSE(second.exportOn(QDBusConnection::sessionBus())) << "the path is taken";
}

} // namespace

#include "automation_service_test.moc"
