// The Zendra applet: shows the picture of the item that Zendra draws, with its clicks and tooltip; a
// line of text while Zendra is not there.
import QtQuick 2.15
import QtQuick.Layouts 1.15
import org.kde.plasma.plasmoid 2.0
import org.kde.plasma.core 2.0 as PlasmaCore
import org.kde.plasma.components 3.0 as PlasmaComponents3
import org.zendra.applet 1.0

MouseArea {
    id: root

    readonly property bool inPanel: Plasmoid.formFactor === PlasmaCore.Types.Horizontal
                                    || Plasmoid.formFactor === PlasmaCore.Types.Vertical
    readonly property color panelText: PlasmaCore.ColorScope.textColor
    readonly property bool showing: item.state === ZendraItem.Showing
    readonly property string line: {
        switch (item.state) {
        case ZendraItem.Connecting: return i18n("Starting Zendra…")
        case ZendraItem.NotRunning: return i18n("Zendra is not running")
        case ZendraItem.Elsewhere: return i18n("Zendra shows its text in its own window")
        }
        return ""
    }

    Plasmoid.preferredRepresentation: Plasmoid.fullRepresentation
    Plasmoid.backgroundHints: PlasmaCore.Types.NoBackground
    Plasmoid.toolTipMainText: showing && item.toolTip !== "" ? item.toolTip : Plasmoid.title
    Plasmoid.toolTipSubText: showing ? "" : (item.problem !== "" ? item.problem : line)
    Plasmoid.toolTipTextFormat: Text.PlainText

    Layout.minimumWidth: showing ? Math.ceil(item.pictureWidth) : label.implicitWidth
    Layout.preferredWidth: Layout.minimumWidth
    Layout.maximumWidth: Layout.minimumWidth
    Layout.fillHeight: true

    acceptedButtons: Qt.LeftButton | Qt.RightButton | Qt.MiddleButton
    // As on Zendra's own item: the left button acts on release, the others on press.
    onPressed: {
        if (mouse.button !== Qt.LeftButton && showing) {
            item.click(mouse.button, mouse.modifiers)
        }
    }
    onClicked: {
        if (mouse.button !== Qt.LeftButton) {
            return
        }
        if (item.state === ZendraItem.NotRunning) {
            item.start()
        } else if (showing) {
            item.click(mouse.button, mouse.modifiers)
        }
    }

    // The whole text as the tooltip, as on Zendra's own item.
    PlasmaCore.ToolTipArea {
        anchors.fill: parent
        mainText: Plasmoid.toolTipMainText
        subText: Plasmoid.toolTipSubText
        textFormat: Text.PlainText
    }

    ZendraItem {
        id: item
        anchors.fill: parent
        inPanel: root.inPanel
        // Light text means a dark panel.
        dark: root.panelText.r * 0.299 + root.panelText.g * 0.587 + root.panelText.b * 0.114 > 0.5
        visible: root.showing
    }

    PlasmaComponents3.Label {
        id: label
        anchors.centerIn: parent
        visible: !root.showing
        text: root.line
        leftPadding: PlasmaCore.Units.smallSpacing
        rightPadding: PlasmaCore.Units.smallSpacing
    }
}
