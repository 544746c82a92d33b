#include "kit/show_for_app_runs.h"

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zendra::KZApp {

ShowForAppRuns::ShowForAppRuns(AppRuns& appRuns, int count, QString id, int startShowingFromAppRun,
                               bool oncePerAppRun)
    : appRuns_(&appRuns), count_(count), id_(std::move(id)), startShowingFromAppRun_(startShowingFromAppRun),
      oncePerAppRun_(oncePerAppRun), runCount_(appRuns.runCount(id_)) {}

bool ShowForAppRuns::isShown() const {
    if (shouldHide_) {
        return false;
    }
    // In 64 bits so that extreme parameters cannot overflow the end of the window.
    const long long start = startShowingFromAppRun_;
    return start <= runCount_ && runCount_ < start + count_;
}

void ShowForAppRuns::contentDidAppear() {
    shouldHide_ = appRuns_->noteAppearance(id_, oncePerAppRun_);
}

namespace {

class ShowForAppRunsBinding final : public QObject {
public:
    ShowForAppRunsBinding(QWidget* content, const ShowForAppRuns& rule) : QObject(content), rule_(rule) {
        content->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) {
            return false;
        }
        if (rule_.isShown()) {
            rule_.contentDidAppear();
        }
        if (!rule_.isShown()) {
            // Hiding from inside the show event would disturb the show in progress.
            QPointer<QWidget> content = static_cast<QWidget*>(watched);
            QMetaObject::invokeMethod(
                this,
                [content] {
                    if (content) {
                        content->hide();
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    ShowForAppRuns rule_;
};

} // namespace

void ShowForAppRuns::attach(QWidget* content, const ShowForAppRuns& rule) {
    if (content == nullptr) {
        return;
    }
    if (!rule.isShown()) {
        content->hide();
    }
    new ShowForAppRunsBinding(content, rule);
}

} // namespace zendra::KZApp
