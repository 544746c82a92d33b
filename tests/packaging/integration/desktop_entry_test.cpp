#include "base/identity.h"
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
    ASSERT_FALSE(entry.empty()) << "cannot read " << desktopEntryPath.toStdString();
    const auto value = [&](const char* key) {
        const auto found = entry.find(key);
        return found == entry.end() ? std::string() : found->second;
    };

    EXPECT_EQ(value("Exec"), "zendra %u") << "the program is the installed binary, and a URL reaches it "
                                             "only through a field code";

    const QStringList mimeTypes = QString::fromStdString(value("MimeType")).split(u';', Qt::SkipEmptyParts);
    EXPECT_TRUE(mimeTypes.contains(QStringLiteral("x-scheme-handler/") +
                                   QString::fromUtf8(zendra::identity::urlScheme)))
        << value("MimeType");

    EXPECT_EQ(value("Icon"), desktopId.toStdString());
    EXPECT_NE(value("NoDisplay"), "true") << "application menus list Zendra, so it starts without a terminal";
    EXPECT_NE(value("Hidden"), "true");
    EXPECT_TRUE(
        QFileInfo::exists(packagingDir + QStringLiteral("/icons/") + desktopId + QStringLiteral(".svg")));
}

} // namespace
