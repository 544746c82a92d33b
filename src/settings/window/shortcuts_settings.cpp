#include "settings/window/shortcuts_settings.h"

#include "hotkeys/recorder.h"
#include "settings/shortcut_names.h"
#include "settings/window/secondary_text_style.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace zendra::Settings {

namespace {

QString quotedCommand(UserAction action) {
    return QStringLiteral("“zendra %1”").arg(QLatin1String(userActionEntry(action).commandWord));
}

} // namespace

ShortcutsSettings::ShortcutsSettings(bool hasGlobalShortcuts, QWidget* parent) : QWidget(parent) {
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2 * margin, 2 * margin, 2 * margin, 2 * margin);
    auto* form = new QFormLayout;
    form->setFormAlignment(Qt::AlignHCenter | Qt::AlignTop);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

    for (const UserAction action : actionsWithShortcuts()) {
        const QString label = translatedShortcutLabel(userActionEntry(action));
        // The recorder without its own label: the form lines the labels up.
        auto* recorder = new Hotkeys::Recorder(*shortcutName(action), {}, this);
        form->addRow(label, recorder);
        recorder->field()->setAccessibleName(label);
        recorders_.push_back(recorder);
    }
    outer->addLayout(form);

    if (!hasGlobalShortcuts) {
        note_ =
            new QLabel(QCoreApplication::translate(
                           "zendra::Settings",
                           "This desktop does not let applications listen to keys system-wide. Bind %1, %2 "
                           "and %3 in the desktop's own keyboard settings instead.")
                           .arg(quotedCommand(UserAction::toggleEditor), quotedCommand(UserAction::clearText),
                                quotedCommand(UserAction::pasteText)),
                       this);
        applySecondaryTextStyle(*note_);
        note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        outer->addWidget(note_);
    }
    outer->addStretch();
}

} // namespace zendra::Settings
