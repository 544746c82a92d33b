#include "app/gui_module.h"

#include "cli/commands.h"

#include <QCoreApplication>
#include <QString>
#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace zendra {

namespace {

constexpr char moduleName[] = ZENDRA_GUI_MODULE_NAME;
// From the installed executable's folder to the module's.
constexpr char installedRelativeDir[] = ZENDRA_GUI_MODULE_RELATIVE_DIR;

std::vector<std::filesystem::path> moduleCandidates() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = error ? std::filesystem::path(".") : executable.parent_path();
    return {(folder / installedRelativeDir / moduleName).lexically_normal(), folder / moduleName};
}

int cannotLoad(const std::filesystem::path& path, const QString& why) {
    reportError(std::cerr, QCoreApplication::translate("zendra::cli", "cannot load %1: %2")
                               .arg(QString::fromStdString(path.string()), why));
    return exitFailure;
}

} // namespace

int runGuiModule(int argc, char** argv) {
    const auto candidates = moduleCandidates();
    for (const auto& path : candidates) {
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            continue;
        }
        // Never closed: the module runs until the process ends.
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            return cannotLoad(path, QString::fromLocal8Bit(::dlerror()));
        }
        const auto entry = reinterpret_cast<decltype(&zendra_gui_main)>(::dlsym(module, "zendra_gui_main"));
        if (!entry) {
            return cannotLoad(path, QString::fromLocal8Bit(::dlerror()));
        }
        return entry(argc, argv);
    }
    return cannotLoad(candidates.front(), QCoreApplication::translate("zendra::cli", "no such file"));
}

} // namespace zendra
