#include "base/identity.h"
#include "support/child_process.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

using namespace std::chrono_literals;
using zendra::test::ChildProcess;
using zendra::test::ChildProcessOptions;

const QString sourceDir = QStringLiteral(ZENDRA_SOURCE_DIR);

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The paragraphs of a Debian control-style file (debian/control, debian/copyright): fields by name,
// continuation lines joined with newlines, as dpkg reads them.
using Paragraph = std::map<QString, QString>;
std::vector<Paragraph> readParagraphs(const QString& path) {
    std::vector<Paragraph> paragraphs(1);
    QString field;
    for (const QString& line : readText(path).split(u'\n')) {
        if (line.trimmed().isEmpty()) {
            if (!paragraphs.back().empty()) {
                paragraphs.emplace_back();
            }
        } else if (line.startsWith(u'#')) {
            continue;
        } else if (line.startsWith(u' ') || line.startsWith(u'\t')) {
            paragraphs.back()[field] += u'\n' + line;
        } else {
            const qsizetype colon = line.indexOf(u':');
            field = line.left(colon);
            paragraphs.back()[field] = line.mid(colon + 1).trimmed();
        }
    }
    if (paragraphs.back().empty()) {
        paragraphs.pop_back();
    }
    return paragraphs;
}

QStringList packageNames(const QString& relationField) {
    QStringList names;
    for (const QString& relation : relationField.split(QRegularExpression(QStringLiteral("[,|]")))) {
        const QString name = relation.trimmed().section(u' ', 0, 0);
        if (!name.isEmpty()) {
            names << name;
        }
    }
    return names;
}

struct Outcome {
    int exitCode = -1;
    QString output;
    QString errors;
};

Outcome run(const QString& program, const QStringList& arguments, const QString& workingDirectory = {}) {
    ChildProcessOptions options;
    options.workingDirectory = workingDirectory;
    ChildProcess child(program, arguments, options);
    const auto status = child.waitForExit(60s);
    Outcome result{-1, QString::fromUtf8(child.standardOutput()), QString::fromUtf8(child.standardError())};
    if (status && status->exitCode) {
        result.exitCode = *status->exitCode;
    }
    return result;
}

TEST(DebianPackage, CarriesTheFullGplAndAMachineReadableCopyright) {
    const QString licence = readText(sourceDir + QStringLiteral("/LICENSE"));
    EXPECT_TRUE(licence.trimmed().startsWith(QStringLiteral("GNU GENERAL PUBLIC LICENSE\n")));
    EXPECT_TRUE(licence.contains(QStringLiteral("Version 3, 29 June 2007")));
    EXPECT_TRUE(licence.contains(QStringLiteral("END OF TERMS AND CONDITIONS")))
        << "the terms are there in full";

    // debian/copyright is the copyright file that a plain install puts in the doc folder.
    const QString copyrightPath = sourceDir + QStringLiteral("/debian/copyright");
    EXPECT_EQ(QFileInfo(copyrightPath).canonicalFilePath(),
              QFileInfo(sourceDir + QStringLiteral("/packaging/doc/copyright")).canonicalFilePath());

    const auto paragraphs = readParagraphs(copyrightPath);
    ASSERT_GE(paragraphs.size(), 3u);
    EXPECT_EQ(paragraphs[0].at(QStringLiteral("Format")),
              QStringLiteral("https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"));
    // Every licence a Files paragraph names has its text in a stand-alone License paragraph.
    std::map<QString, QString> licenceTexts;
    for (const Paragraph& paragraph : paragraphs) {
        if (!paragraph.contains(QStringLiteral("Files")) && paragraph.contains(QStringLiteral("License"))) {
            const QString value = paragraph.at(QStringLiteral("License"));
            licenceTexts[value.section(u'\n', 0, 0)] = value.section(u'\n', 1);
        }
    }
    bool sawFiles = false;
    for (const Paragraph& paragraph : paragraphs) {
        if (paragraph.contains(QStringLiteral("Files"))) {
            sawFiles = true;
            EXPECT_TRUE(paragraph.contains(QStringLiteral("Copyright")));
            const QString name = paragraph.at(QStringLiteral("License"));
            EXPECT_EQ(name, QStringLiteral("GPL-3.0+"));
            ASSERT_TRUE(licenceTexts.contains(name)) << name.toStdString() << " has no text";
            EXPECT_TRUE(licenceTexts[name].contains(QStringLiteral("either version 3 of the License, or")));
            EXPECT_TRUE(licenceTexts[name].contains(QStringLiteral("/usr/share/common-licenses/GPL-3")));
        }
    }
    EXPECT_TRUE(sawFiles);
}

TEST(DebianPackage, ChangelogParsesAndNamesTheProjectsVersion) {
    const Outcome parsed = run(QStringLiteral(ZENDRA_DPKG_PARSECHANGELOG), {}, sourceDir);
    ASSERT_EQ(parsed.exitCode, 0) << parsed.errors.toStdString();
    EXPECT_TRUE(parsed.errors.isEmpty())
        << "dpkg warns about a malformed entry: " << parsed.errors.toStdString();
    EXPECT_TRUE(parsed.output.contains(QStringLiteral("\nVersion: ") +
                                       QString::fromUtf8(zendra::identity::version) + u'\n'))
        << parsed.output.toStdString();
    EXPECT_TRUE(parsed.output.startsWith(QStringLiteral("Source: zendra\n")));
}

TEST(DebianPackage, ControlAndRulesBuildAHardenedPackageFromTheInstallScriptsPackages) {
    const auto control = readParagraphs(sourceDir + QStringLiteral("/debian/control"));
    ASSERT_GE(control.size(), 2u);
    const Paragraph& source = control[0];
    EXPECT_EQ(source.at(QStringLiteral("Source")), QStringLiteral("zendra"));
    EXPECT_EQ(source.at(QStringLiteral("Rules-Requires-Root")), QStringLiteral("no"));
    const QString buildDepends = source.at(QStringLiteral("Build-Depends"));
    EXPECT_TRUE(buildDepends.contains(QStringLiteral("debhelper-compat (= 13)")));

    // The package builds from the packages that developers and CI install, so a library added to
    // the build cannot be missing from either.
    const QString installScript = readText(sourceDir + QStringLiteral("/scripts/install-deps.sh"));
    for (const QString& name : packageNames(buildDepends)) {
        if (name != QStringLiteral("debhelper-compat")) {
            EXPECT_TRUE(installScript.contains(QRegularExpression(
                QStringLiteral("[ (]") + QRegularExpression::escape(name) + QStringLiteral("[ \n)]"))))
                << name.toStdString() << " is not in scripts/install-deps.sh";
        }
    }

    const Paragraph& binary = control[1];
    EXPECT_EQ(binary.at(QStringLiteral("Package")), QStringLiteral("zendra"));
    EXPECT_TRUE(
        packageNames(binary.at(QStringLiteral("Depends"))).contains(QStringLiteral("dbus-session-bus")));
    EXPECT_TRUE(
        packageNames(binary.at(QStringLiteral("Recommends"))).contains(QStringLiteral("qt6-wayland")));
    for (std::size_t i = 1; i < control.size(); ++i) {
        const QStringList description = control[i].at(QStringLiteral("Description")).split(u'\n');
        for (const QString& line : description) {
            EXPECT_LE(line.size(), 80) << line.toStdString();
        }
    }

    const QString rulesPath = sourceDir + QStringLiteral("/debian/rules");
    EXPECT_TRUE(QFileInfo(rulesPath).isExecutable());
    const QString rules = readText(rulesPath);
    EXPECT_TRUE(rules.startsWith(QStringLiteral("#!/usr/bin/make -f\n")));
    EXPECT_TRUE(rules.contains(QStringLiteral("DEB_BUILD_MAINT_OPTIONS = hardening=+all")));
    EXPECT_TRUE(rules.contains(QStringLiteral("--buildsystem=cmake")));
}

// Software centres show what the metainfo file says; a validator warning usually means they drop it.
TEST(Metainfo, PassesAppstreamValidationAndShowsCommittedScreenshots) {
    const QString metainfo = QStringLiteral(ZENDRA_BUILD_DIR "/packaging/") +
                             QString::fromUtf8(zendra::identity::bundleIdentifier) +
                             QStringLiteral(".metainfo.xml");
    if (QStringLiteral(ZENDRA_APPSTREAMCLI).isEmpty()) {
        GTEST_SKIP() << "appstreamcli is not installed";
    }
    const Outcome check =
        run(QStringLiteral(ZENDRA_APPSTREAMCLI),
            {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral("--no-color"), metainfo});
    EXPECT_EQ(check.exitCode, 0) << check.output.toStdString() << check.errors.toStdString();
    EXPECT_FALSE(check.output.contains(
        QRegularExpression(QStringLiteral("^[EW]:"), QRegularExpression::MultilineOption)))
        << check.output.toStdString();

    const QString xml = readText(metainfo);
    EXPECT_TRUE(xml.contains(QStringLiteral("<binary>zendra</binary>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<dbus type=\"user\">") +
                             QString::fromUtf8(zendra::identity::bundleIdentifier) +
                             QStringLiteral("</dbus>")));
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<release version=\"") + QString::fromUtf8(zendra::identity::version)));

    // Each screenshot is published from the committed file of the same name, on the product's host.
    const QRegularExpression image(QStringLiteral("<image>([^<]*)</image>"));
    int images = 0;
    for (auto match = image.globalMatch(xml); match.hasNext(); ++images) {
        const QString url = match.next().captured(1);
        EXPECT_TRUE(url.startsWith(QString::fromUtf8(zendra::identity::productPage) + u'/'))
            << url.toStdString();
        const QString file = sourceDir + QStringLiteral("/packaging/screenshots/") + url.section(u'/', -1);
        EXPECT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
    }
    EXPECT_EQ(images, 2);
}

} // namespace
