#include "prefs/bridge_failure.h"

#include "prefs/logging.h"
#include "prefs/top_level_codable_bridge.h"

#include <QString>

namespace zendra::Prefs {

namespace {

thread_local BridgeFailureCapture* innermostCapture = nullptr;

} // namespace

BridgeFailureCapture::BridgeFailureCapture() : outer_(innermostCapture) {
    innermostCapture = this;
}

BridgeFailureCapture::~BridgeFailureCapture() {
    innermostCapture = outer_;
}

void printBridgeFailure(const std::string& description) {
    if (innermostCapture) {
        if (!innermostCapture->first_) {
            innermostCapture->first_ = description;
        }
        return;
    }
    qCWarning(prefsLog).noquote() << QString::fromStdString(description);
}

} // namespace zendra::Prefs
