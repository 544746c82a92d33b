#pragma once

// The QML type ZendraItem: draws the picture Zendra publishes for the panel, centred in the applet,
// asks for it at the applet's height, pixel ratio and light or dark panel, and passes clicks on with
// the applet's frame on screen.

#include "item_client.h"

#include <QQuickPaintedItem>

namespace zendra_applet {

// Not final: QML derives from registered types.
class ItemView : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(bool dark READ dark WRITE setDark NOTIFY darkChanged)
    Q_PROPERTY(bool inPanel READ inPanel WRITE setInPanel NOTIFY inPanelChanged)
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(qreal pictureWidth READ pictureWidth NOTIFY pictureChanged)
    Q_PROPERTY(QString toolTip READ toolTip NOTIFY pictureChanged)
    Q_PROPERTY(QString problem READ problem NOTIFY stateChanged)

public:
    enum State { Connecting, Showing, NotRunning, Elsewhere };
    Q_ENUM(State)

    explicit ItemView(QQuickItem* parent = nullptr);

    bool dark() const { return dark_; }
    void setDark(bool dark);
    bool inPanel() const { return inPanel_; }
    void setInPanel(bool inPanel);
    State state() const;
    qreal pictureWidth() const { return client_.pictureSize().width(); }
    QString toolTip() const { return client_.toolTip(); }
    QString problem() const { return client_.problem(); }

    // A Qt::MouseButton and Qt::KeyboardModifiers, as QML's mouse events carry them.
    Q_INVOKABLE void click(int button, int modifiers);
    Q_INVOKABLE void start() { client_.start(); }

    void paint(QPainter* painter) override;

signals:
    void darkChanged();
    void inPanelChanged();
    void stateChanged();
    void pictureChanged();

protected:
    void geometryChanged(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;

private:
    void askForPicture();
    // Where the applet is on screen, for Zendra's popups.
    QRect frame() const;

    ItemClient client_;
    bool dark_ = false;
    bool inPanel_ = false;
};

} // namespace zendra_applet
