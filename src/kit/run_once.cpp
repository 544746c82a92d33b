#include "kit/run_once.h"

namespace zendra::KZApp {

bool boolForKey(const Prefs::Suite& suite, const QString& name) {
    const auto object = suite.object(name);
    if (!object) {
        return false;
    }
    if (const auto* number = object->number()) {
        return number->toBool();
    }
    if (const auto* text = object->string()) {
        const QString trimmed = text->trimmed();
        if (trimmed.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ||
            trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
            return true;
        }
        bool isInteger = false;
        const qlonglong value = trimmed.toLongLong(&isInteger);
        return isInteger && value != 0;
    }
    return false;
}

void setBool(Prefs::Suite& suite, const QString& name, bool value) {
    suite.setObject(name, Prefs::StoredObject(value));
}

bool runOnce(const QString& identifier, Prefs::Suite& suite) {
    const QString name = QStringLiteral("KZ_App_runOnce__") + identifier;
    if (boolForKey(suite, name)) {
        return false;
    }
    setBool(suite, name, true);
    return true;
}

} // namespace zendra::KZApp
