#include "base/identity.h"
#include "packaging/integration/key_file.h"
#include "support/child_process.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::ChildProcessOptions;

const QString desktopId = QString::fromUtf8(zendra::identity::bundleIdentifier);

// What a login without a display or a session bus looks like to the installed binary. The bus address
// points nowhere rather than being unset: a client without one may start a bus of its own.
ChildProcessOptions headless() {
    ChildProcessOptions options;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        options.environment[name] = std::nullopt;
    }
    options.environment["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/nonexistent/zendra-test-no-session-bus";
    return options;
}

struct Outcome {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

Outcome run(const QString& program, const QStringList& arguments, const ChildProcessOptions& options = {}) {
    ChildProcess child(program, arguments, options);
    const auto status = child.waitForExit(60s);
    Outcome result;
    result.output = child.standardOutput();
    result.errors = child.standardError();
    if (status && status->exitCode) {
        result.exitCode = *status->exitCode;
    }
    return result;
}

// One real install of this build folder per suite: into a prefix, as a user would, and into a
// staging folder with DESTDIR, as a package build does.
class InstalledLayout : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root_.emplace();
        ASSERT_TRUE(root_->isValid());
        prefix_ = root_->filePath(QStringLiteral("prefix"));
        stage_ = root_->filePath(QStringLiteral("stage"));

        const QString cmake = QStringLiteral(ZENDRA_CMAKE_COMMAND);
        const QString build = QStringLiteral(ZENDRA_BUILD_DIR);
        const Outcome plain =
            run(cmake, {QStringLiteral("--install"), build, QStringLiteral("--prefix"), prefix_});
        ASSERT_EQ(plain.exitCode, 0) << plain.output.toStdString() << plain.errors.toStdString();

        ChildProcessOptions staged;
        staged.environment["DESTDIR"] = stage_.toUtf8();
        const Outcome destdir = run(
            cmake, {QStringLiteral("--install"), build, QStringLiteral("--prefix"), stagedPrefix()}, staged);
        ASSERT_EQ(destdir.exitCode, 0) << destdir.output.toStdString() << destdir.errors.toStdString();
    }
    static void TearDownTestSuite() { root_.reset(); }

    static QString stagedPrefix() { return QStringLiteral("/opt/zendra-test"); }
    static QString installed(const QString& relative) { return prefix_ + u'/' + relative; }
    static QString binary() { return installed(QStringLiteral("bin/zendra")); }
    static QString serviceFile(const QString& prefix) {
        return prefix + QStringLiteral("/share/dbus-1/services/") + desktopId + QStringLiteral(".service");
    }

    static inline std::optional<QTemporaryDir> root_;
    static inline QString prefix_;
    static inline QString stage_;
};

TEST_F(InstalledLayout, PutsEveryFileWhereTheDesktopLooksForIt) {
    QStringList expected{
        QStringLiteral("bin/zendra"),
        QStringLiteral("share/applications/") + desktopId + QStringLiteral(".desktop"),
        QStringLiteral("share/icons/hicolor/scalable/apps/") + desktopId + QStringLiteral(".svg"),
        QStringLiteral("share/dbus-1/services/") + desktopId + QStringLiteral(".service"),
        QStringLiteral("share/man/man1/zendra.1.gz"),
        QStringLiteral("share/zendra/translations/zendra_de.qm"),
        QStringLiteral(ZENDRA_GUI_MODULE_INSTALL_DIR "/zendra-gui.so"),
        QStringLiteral("share/metainfo/") + desktopId + QStringLiteral(".metainfo.xml"),
        QStringLiteral("share/doc/zendra/copyright"),
        QStringLiteral("share/doc/zendra/changelog.gz"),
    };
    for (const QString& file : expected) {
        EXPECT_TRUE(QFileInfo(installed(file)).isFile()) << file.toStdString();
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString icon =
            QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + desktopId + QStringLiteral(".png");
        EXPECT_TRUE(QFileInfo(installed(icon)).isFile()) << icon.toStdString();
    }
    EXPECT_TRUE(QFileInfo(binary()).isExecutable());
    EXPECT_FALSE(QFileInfo::exists(installed(QStringLiteral("share/zendra/translations/zendra.qm"))))
        << "the English source catalogue holds no translations";
#ifdef ZENDRA_PLASMA_APPLET_QML_DIR
    // The Plasma applet: its package where plasmashell looks, its module in Qt 5's QML folder.
    const QString module = QStringLiteral(ZENDRA_PLASMA_APPLET_QML_DIR "/org/zendra/applet/");
    expected << QStringLiteral("share/plasma/plasmoids/org.zendra.Zendra.applet/metadata.json")
             << QStringLiteral("share/plasma/plasmoids/org.zendra.Zendra.applet/contents/ui/main.qml")
             << module + QStringLiteral("qmldir") << module + QStringLiteral("libzendraappletplugin.so");
    for (const QString& file : expected) {
        EXPECT_TRUE(QFileInfo(installed(file)).isFile()) << file.toStdString();
    }
#endif

    // A staged install lands below DESTDIR only.
    for (const QString& file : expected) {
        EXPECT_TRUE(QFileInfo(stage_ + stagedPrefix() + u'/' + file).isFile()) << file.toStdString();
    }
}

TEST_F(InstalledLayout, BinaryAnswersHelpAndVersionWithoutADisplay) {
    const Outcome version = run(binary(), {QStringLiteral("--version")}, headless());
    EXPECT_EQ(version.exitCode, 0) << version.errors.toStdString();
    EXPECT_EQ(version.output, QByteArray("Zendra ") + zendra::identity::version + '\n');

    const Outcome help = run(binary(), {QStringLiteral("--help")}, headless());
    EXPECT_EQ(help.exitCode, 0) << help.errors.toStdString();
    EXPECT_TRUE(help.output.startsWith("Usage: zendra")) << help.output.toStdString();
    EXPECT_TRUE(help.errors.isEmpty()) << help.errors.toStdString();

    // `service` runs in the GUI module: the installed binary finds it, and it refuses to go on
    // without a display.
    const Outcome service = run(binary(), {QStringLiteral("service")}, headless());
    EXPECT_EQ(service.exitCode, 1);
    EXPECT_TRUE(service.errors.contains("needs a display")) << service.errors.toStdString();
}

// D-Bus starts the application by this file when a client calls it and no instance runs; a path
// that points into the build tree or the package's staging folder starts nothing.
TEST_F(InstalledLayout, ServiceFileStartsTheInstalledBinaryUnderItsBusName) {
    auto service = zendra::test::readKeyFileGroup(serviceFile(prefix_), QStringLiteral("D-BUS Service"));
    EXPECT_EQ(service["Name"], desktopId.toStdString());
    EXPECT_EQ(service["Exec"], binary().toStdString());

    auto staged =
        zendra::test::readKeyFileGroup(serviceFile(stage_ + stagedPrefix()), QStringLiteral("D-BUS Service"));
    EXPECT_EQ(staged["Exec"], (stagedPrefix() + QStringLiteral("/bin/zendra")).toStdString());
}

TEST_F(InstalledLayout, ManPageIsWellFormedAndDocumentsEveryOptionOfTheHelp) {
    const Outcome page =
        run(QStringLiteral("gzip"),
            {QStringLiteral("-dc"), installed(QStringLiteral("share/man/man1/zendra.1.gz"))});
    ASSERT_EQ(page.exitCode, 0) << page.errors.toStdString();
    const QString roff = QString::fromUtf8(page.output);
    EXPECT_TRUE(roff.startsWith(QStringLiteral(".TH ZENDRA 1 ")));
    EXPECT_TRUE(
        roff.contains(QStringLiteral("\"Zendra ") + QString::fromUtf8(zendra::identity::version) + u'"'))
        << "the page shows the version it belongs to";

    // roff writes a hyphen in an option as "\-".
    const QString help = QString::fromUtf8(run(binary(), {QStringLiteral("--help")}, headless()).output);
    const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    for (auto match = option.globalMatch(help); match.hasNext();) {
        const QString name = match.next().captured();
        QString escaped = name;
        escaped.replace(u'-', QStringLiteral("\\-"));
        EXPECT_TRUE(roff.contains(escaped)) << name.toStdString() << " is missing from zendra(1)";
    }

    if (QStringLiteral(ZENDRA_GROFF).isEmpty()) {
        GTEST_SKIP() << "groff is not installed";
    }
    ChildProcessOptions input;
    input.standardInput = page.output;
    const Outcome check = run(QStringLiteral(ZENDRA_GROFF),
                              {QStringLiteral("-man"), QStringLiteral("-ww"), QStringLiteral("-z")}, input);
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_TRUE(check.errors.isEmpty()) << check.errors.toStdString();
}

} // namespace
