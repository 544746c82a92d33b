#include "kit/animate_into.h"

#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>
#include <algorithm>

namespace zendra::KZApp {

namespace {

// The picture of the window in flight: a window of its own that never takes input or focus.
class Snapshot final : public QWidget {
public:
    explicit Snapshot(QPixmap picture)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                               Qt::WindowDoesNotAcceptFocus),
          picture_(std::move(picture)) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QStringLiteral("flightSnapshot"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), picture_);
    }

private:
    QPixmap picture_;
};

// A point on the quadratic curve from `from` to `to` that bends through the corner they span, so the
// flight first drifts sideways and then rises into the target.
QPointF alongCurve(QPointF from, QPointF to, double t) {
    const QPointF control(to.x(), from.y());
    const double u = 1.0 - t;
    return u * u * from + 2 * u * t * control + t * t * to;
}

} // namespace

void animateInto(QWidget& window, QRect target, const DesktopEffects& effects, std::function<void()> done) {
    QPointer<QWidget> guarded(&window);
    auto finish = [guarded, done = std::move(done)] {
        if (guarded) {
            guarded->close();
        }
        if (done) {
            done();
        }
    };
    if (effects.prefersReducedMotion() || !window.isVisible()) {
        QTimer::singleShot(reducedMotionCloseMilliseconds, std::move(finish));
        return;
    }

    const QRect start = window.frameGeometry();
    auto* snapshot = new Snapshot(window.grab());
    snapshot->setGeometry(start);
    snapshot->show();
    window.hide();

    const bool fade = effects.isCompositing();
    const double endScale =
        std::clamp(static_cast<double>(target.height()) / std::max(1, start.height()), 0.02, 0.25);
    auto* flight = new QVariantAnimation(snapshot);
    flight->setDuration(flightMilliseconds);
    flight->setStartValue(0.0);
    flight->setEndValue(1.0);
    flight->setEasingCurve(QEasingCurve::InOutCubic);
    QObject::connect(flight, &QVariantAnimation::valueChanged, snapshot, [=](const QVariant& value) {
        const double t = value.toDouble();
        const double scale = 1.0 + (endScale - 1.0) * t;
        const QSize size(std::max(1, qRound(start.width() * scale)),
                         std::max(1, qRound(start.height() * scale)));
        const QPointF centre = alongCurve(start.center(), target.center(), t);
        snapshot->setGeometry(QRect(
            QPoint(qRound(centre.x() - size.width() / 2.0), qRound(centre.y() - size.height() / 2.0)), size));
        if (fade) {
            snapshot->setWindowOpacity(1.0 - t);
        }
    });
    QObject::connect(flight, &QVariantAnimation::finished, snapshot, [snapshot, finish] {
        snapshot->close();
        finish();
    });
    flight->start();
}

} // namespace zendra::KZApp
