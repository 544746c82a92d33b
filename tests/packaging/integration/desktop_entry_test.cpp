#include "app/identity.h"
#include "packaging/integration/key_file.h"
#include "support/child_process.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;

const QString packagingDir = QStringLiteral(ZENDRA_PACKAGING_DIR);
const QString desktopId = QString::fromUtf8(zendra::identity::bundleIdentifier);
const QString desktopEntryPath = packagingDir + u'/' + desktopId + QStringLiteral(".desktop");

TEST(DesktopEntry, PassesTheDesktopsOwnValidator) {
    if (QStringLiteral(ZENDRA_DESKTOP_FILE_VALIDATE).isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    ChildProcess validate(QStringLiteral(ZENDRA_DESKTOP_FILE_VALIDATE), {desktopEntryPath});
    const auto status = validate.waitForExit(30s);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->exitCode, 0) << validate.standardOutput().toStdString()
                                   << validate.standardError().toStdString();
    // The validator exits 0 on hints and warnings too; they are faults for a file we write ourselves.
    EXPECT_TRUE(validate.standardOutput().isEmpty()) << validate.standardOutput().toStdString();
}

// The desktop finds the URL handler, the icon and the running instance by these names, so each must
// agree with what the application and the install rules use.
TEST(DesktopEntry, HandsZendraUrlsToTheInstalledBinaryAndNamesTheShippedIcon) {
    const auto entry = zendra::test::readKeyFileGroup(desktopEntryPath, QStringLiteral("Desktop Entry"));
    ASSERT_FALSE(entry.isEmpty()) << "cannot read " << desktopEntryPath.toStdString();

    const QStringList exec = entry.value(QStringLiteral("Exec")).split(u' ', Qt::SkipEmptyParts);
    ASSERT_EQ(exec.size(), 2) << entry.value(QStringLiteral("Exec")).toStdString();
    EXPECT_EQ(exec[0], QStringLiteral("zendra"));
    EXPECT_EQ(exec[1], QStringLiteral("%u")) << "a URL is passed to the program only with a field code";

    const QStringList mimeTypes = entry.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts);
    EXPECT_TRUE(mimeTypes.contains(QStringLiteral("x-scheme-handler/") +
                                   QString::fromUtf8(zendra::identity::urlScheme)))
        << entry.value(QStringLiteral("MimeType")).toStdString();

    const QString icon = entry.value(QStringLiteral("Icon"));
    EXPECT_EQ(icon, desktopId);
    EXPECT_TRUE(QFileInfo::exists(packagingDir + QStringLiteral("/icons/") + icon + QStringLiteral(".svg")));
}

} // namespace
