#include "support/scoped_env.h"
#include "support/temp_xdg_dirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <optional>

namespace zendra::test {
namespace {

std::optional<QByteArray> variable(const char* name) {
    return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
}

TEST(TempXdgDirsTest, PointsEveryVariableAtAFreshPrivateFolderAndRestoresNestedValues) {
    const ScopedEnv unsetOuter("XDG_CACHE_HOME", std::nullopt);
    const auto outerConfig = variable("XDG_CONFIG_HOME");
    QString root;
    {
        const TempXdgDirs outer;
        root = outer.root();
        {
            const TempXdgDirs inner;
            EXPECT_NE(inner.root(), outer.root());
            EXPECT_EQ(qgetenv("XDG_CONFIG_HOME"), QFile::encodeName(inner.configHome()));
        }
        EXPECT_EQ(qgetenv("XDG_CONFIG_HOME"), QFile::encodeName(outer.configHome()));
        EXPECT_EQ(qgetenv("XDG_DATA_HOME"), QFile::encodeName(outer.dataHome()));
        EXPECT_EQ(qgetenv("XDG_CACHE_HOME"), QFile::encodeName(outer.cacheHome()));
        EXPECT_EQ(qgetenv("XDG_RUNTIME_DIR"), QFile::encodeName(outer.runtimeDir()));
        for (const QString& dir :
             {outer.configHome(), outer.dataHome(), outer.cacheHome(), outer.runtimeDir()}) {
            EXPECT_TRUE(QFileInfo(dir).isDir()) << dir.toStdString();
            EXPECT_TRUE(dir.startsWith(outer.root()));
        }
        // Qt (and the spec of the variable) insist on a runtime folder that only its owner can enter.
        EXPECT_EQ(QFile::permissions(outer.runtimeDir()) & 0x0077, QFile::Permissions());
    }
    EXPECT_EQ(variable("XDG_CONFIG_HOME"), outerConfig);
    EXPECT_FALSE(variable("XDG_CACHE_HOME")) << "a variable that was unset is unset again";
    EXPECT_FALSE(QDir(root).exists()) << "the folders are removed with their owner";
}

} // namespace
} // namespace zendra::test
