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

ShortcutsSettings::ShortcutsSettings(bool hasGlobalShortcuts, QWidget* parent) : QWidget(parent) {
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2 * margin, 2 * margin, 2 * margin, 2 * margin);
    auto* form = new QFormLayout;
    form->setFormAlignment(Qt::AlignHCenter | Qt::AlignTop);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

    const std::array<std::pair<QString, const Hotkeys::Name*>, 3> rows{{
        {QCoreApplication::translate("zendra::Settings", "Toggle edit window:"), &toggleEditWindow()},
        {QCoreApplication::translate("zendra::Settings", "Clear text:"), &clearText()},
        {QCoreApplication::translate("zendra::Settings", "Set text from clipboard:"),
         &setTextFromClipboard()},
    }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // The recorder without its own label: the form lines the labels up.
        auto* recorder = new Hotkeys::Recorder(*rows[i].second, {}, this);
        form->addRow(rows[i].first, recorder);
        recorder->field()->setAccessibleName(rows[i].first);
        recorders_[i] = recorder;
    }
    outer->addLayout(form);

    if (!hasGlobalShortcuts) {
        note_ =
            new QLabel(QCoreApplication::translate(
                           "zendra::Settings",
                           "This desktop does not let applications listen to keys system-wide. Bind %1, %2 "
                           "and %3 in the desktop's own keyboard settings instead.")
                           .arg(QStringLiteral("“zendra toggle-editor”"), QStringLiteral("“zendra clear”"),
                                QStringLiteral("“zendra paste”")),
                       this);
        applySecondaryTextStyle(*note_);
        note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        outer->addWidget(note_);
    }
    outer->addStretch();
}

} // namespace zendra::Settings
