<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>zendra::AboutBox</name>
    <message>
        <location filename="../src/editor/about_box.cpp" line="+13"/>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>About %1</source>
        <extracomment>%1 is the application&apos;s name.</extracomment>
        <translation>Über %1</translation>
    </message>
</context>
<context>
    <name>zendra::AppState</name>
    <message>
        <location filename="../src/app/app_state.cpp" line="+75"/>
        <source>You could also try lowering the maximum width in the settings.</source>
        <translation>Sie können auch versuchen, die maximale Breite in den Einstellungen zu verringern.</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>The settings window is not available.</source>
        <translation>Das Einstellungsfenster ist nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>zendra::ClearTextTip</name>
    <message>
        <location filename="../src/panel/clear_text_tip.cpp" line="+39"/>
        <source>Click the panel item while pressing &lt;i&gt;Shift&lt;/i&gt; to clear the text</source>
        <translation>Klicken Sie bei gedrückter &lt;i&gt;Umschalttaste&lt;/i&gt; auf das Panel-Element, um den Text zu löschen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Close this tip first by single-clicking it</source>
        <translation>Schließen Sie diesen Hinweis zuerst mit einem einfachen Klick</translation>
    </message>
</context>
<context>
    <name>zendra::DesktopShortcuts</name>
    <message>
        <location filename="../src/actions/user_actions.cpp" line="+21"/>
        <source>Show or hide Zendra&apos;s editor</source>
        <translation>Editor von Zendra ein- oder ausblenden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Clear Zendra&apos;s text</source>
        <translation>Text von Zendra löschen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Set Zendra&apos;s text from the clipboard</source>
        <translation>Text von Zendra aus der Zwischenablage übernehmen</translation>
    </message>
</context>
<context>
    <name>zendra::Hotkeys::RecorderField</name>
    <message>
        <location filename="../src/hotkeys/recorder_field.cpp" line="+33"/>
        <source>This keyboard shortcut cannot be used as it&apos;s already a system-wide keyboard shortcut.</source>
        <translation>Dieses Tastenkürzel kann nicht verwendet werden, da es bereits systemweit belegt ist.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Most system-wide keyboard shortcuts can be changed in the keyboard shortcuts of your desktop&apos;s settings.</source>
        <translation>Die meisten systemweiten Tastenkürzel lassen sich in den Tastenkürzel-Einstellungen Ihrer Arbeitsumgebung ändern.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>This keyboard shortcut cannot be used as it&apos;s already used by the “%1” menu item.</source>
        <extracomment>%1 is the title of the menu item that has the shortcut.</extracomment>
        <translation>Dieses Tastenkürzel kann nicht verwendet werden, da es bereits vom Menüeintrag „%1“ verwendet wird.</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Record Shortcut</source>
        <translation>Tastenkürzel aufnehmen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Press Shortcut</source>
        <translation>Tastenkürzel drücken</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>zendra::KZApp</name>
    <message>
        <location filename="../src/kit/data_reset.cpp" line="+37"/>
        <source>could not write the settings file %1</source>
        <translation>die Einstellungsdatei %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>could not move %1 to the trash: %2</source>
        <translation>%1 konnte nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>the trash refused it</source>
        <translation>der Papierkorb hat es abgelehnt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>it went to %1 instead</source>
        <translation>es landete stattdessen in %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is still there</source>
        <translation>es ist noch vorhanden</translation>
    </message>
</context>
<context>
    <name>zendra::KZApp::Alerts</name>
    <message>
        <location filename="../src/kit/alert_boxes.cpp" line="+57"/>
        <source>Delete all data and settings for %1</source>
        <translation>Alle Daten und Einstellungen von %1 löschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+13"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Are you sure you want to delete the settings and data for %1?</source>
        <translation>Möchten Sie die Einstellungen und Daten von %1 wirklich löschen?</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Could not delete all data and settings for %1</source>
        <translation>Nicht alle Daten und Einstellungen von %1 konnten gelöscht werden</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>How to send crash log</source>
        <translation>So senden Sie einen Absturzbericht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Find the files that start with “%1” in the “%2” folder (%3) and email them to %4.</source>
        <translation>Suchen Sie im Ordner „%2“ (%3) die Dateien, die mit „%1“ beginnen, und senden Sie sie per E-Mail an %4.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Reveal “%1” Folder</source>
        <translation>Ordner „%1“ anzeigen</translation>
    </message>
</context>
<context>
    <name>zendra::KZApp::DebugView</name>
    <message>
        <location filename="../src/kit/debug_window.cpp" line="+25"/>
        <source>Debug</source>
        <translation>Fehlersuche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>zendra::KZApp::UserDebugView</name>
    <message>
        <location filename="../src/kit/user_debug_window.cpp" line="+14"/>
        <source>%1 Debug</source>
        <translation>%1 – Fehlersuche</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Copy Debug Info</source>
        <translation>Diagnoseinformationen kopieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Email Debug Info</source>
        <translation>Diagnoseinformationen per E-Mail senden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Send Crash Log</source>
        <translation>Absturzbericht senden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Feedback &amp; Support</source>
        <translation>Rückmeldung und Hilfe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Data &amp; Settings</source>
        <translation>Daten und Einstellungen löschen</translation>
    </message>
</context>
<context>
    <name>zendra::KZApp::VisibilityCheck</name>
    <message>
        <location filename="../src/kit/visibility_check.cpp" line="+47"/>
        <source>Open Settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open Preferences</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Panel Item Did Not Appear</source>
        <translation>Panel-Element ist nicht sichtbar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The panel may hide items that do not fit. Try removing some other panel items.

Disregard this message if your panel is set to hide automatically. It will not be shown again.</source>
        <translation>Das Panel blendet Elemente, die keinen Platz finden, möglicherweise aus. Versuchen Sie, einige andere Elemente aus dem Panel zu entfernen.

Wenn Ihr Panel automatisch ausgeblendet wird, können Sie diese Meldung ignorieren. Sie wird nicht erneut angezeigt.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The panel may hide items that do not fit. Try removing some other panel items.</source>
        <translation>Das Panel blendet Elemente, die keinen Platz finden, möglicherweise aus. Versuchen Sie, einige andere Elemente aus dem Panel zu entfernen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Do not show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
</context>
<context>
    <name>zendra::LoginLaunch::Toggle</name>
    <message>
        <location filename="../src/login_launch/toggle.cpp" line="+12"/>
        <source>Launch at login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
</context>
<context>
    <name>zendra::MainScreen</name>
    <message>
        <location filename="../src/editor/main_screen.cpp" line="+92"/>
        <location line="+1"/>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+1"/>
        <source>Action</source>
        <translation>Aktionen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>What is the zendra?</source>
        <translation>Was ist gerade das Wichtigste?</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Press the &lt;span style=&quot;font-family: monospace&quot;&gt;Return&lt;/span&gt; key or click the panel item to close this window</source>
        <translation>Drücken Sie die &lt;span style=&quot;font-family: monospace&quot;&gt;Eingabetaste&lt;/span&gt; oder klicken Sie auf das Panel-Element, um dieses Fenster zu schließen</translation>
    </message>
    <message>
        <location filename="../src/editor/main_screen_actions.cpp" line="+39"/>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Send Feedback…</source>
        <translation>Rückmeldung senden…</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Tips</source>
        <translation>Tipps</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scripting</source>
        <translation>Skripte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FAQ</source>
        <translation>Häufige Fragen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Website</source>
        <translation>Webseite</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Quit %1</source>
        <extracomment>%1 is the application&apos;s name.</extracomment>
        <translation>%1 beenden</translation>
    </message>
</context>
<context>
    <name>zendra::Settings</name>
    <message>
        <location filename="../src/settings/settings_button.cpp" line="+8"/>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Preferences…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <location filename="../src/settings/text/text_limits.cpp" line="+9"/>
        <source>the text is longer than %1 characters; the text is unchanged</source>
        <translation>der Text ist länger als %1 Zeichen; der Text bleibt unverändert</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the text contains a NUL character (U+0000); the text is unchanged</source>
        <translation>der Text enthält ein NUL-Zeichen (U+0000); der Text bleibt unverändert</translation>
    </message>
    <message>
        <location filename="../src/settings/window/appearance_rows.cpp" line="+36"/>
        <source>Maximum width:</source>
        <translation>Maximale Breite:</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The panel may hide items that do not fit. Try choosing a width that will always fit.</source>
        <translation>Das Panel blendet Elemente, die keinen Platz finden, möglicherweise aus. Wählen Sie eine Breite, die immer passt.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The desktop&apos;s panel has a bug on some systems where it doesn&apos;t correctly vertically center the panel text. This setting lets you manually correct it.</source>
        <translation>Auf manchen Systemen zentriert das Panel der Arbeitsumgebung den Text vertikal nicht richtig. Mit dieser Einstellung können Sie das von Hand ausgleichen.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Vertical text alignment:</source>
        <translation>Vertikale Textausrichtung:</translation>
    </message>
    <message>
        <location filename="../src/settings/window/appearance_settings.cpp" line="+43"/>
        <source>Text size:</source>
        <translation>Schriftgröße:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Color:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Prefix:</source>
        <translation>Präfix:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Suffix:</source>
        <translation>Suffix:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Improve legibility of links</source>
        <translation>Links besser lesbar machen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>This makes text color and emojis look washed out. There is no other way to affect link color.</source>
        <translation>Dadurch wirken Textfarbe und Emojis blasser. Anders lässt sich die Farbe von Links nicht beeinflussen.</translation>
    </message>
    <message>
        <location filename="../src/settings/window/general_settings.cpp" line="+27"/>
        <source>Show the text in:</source>
        <translation>Text anzeigen in:</translation>
    </message>
    <message>
        <location filename="../src/settings/window/info_popover_button.cpp" line="+15"/>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <location filename="../src/settings/window/menu_bar_color_picker.cpp" line="+58"/>
        <location filename="../src/settings/window/text_size_slider.cpp" line="+27"/>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <location filename="../src/settings/window/panel_item_setting.cpp" line="+16"/>
        <source>Automatically</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The desktop&apos;s panel</source>
        <translation>Panel der Arbeitsumgebung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zendra&apos;s own bar</source>
        <translation>Eigene Leiste von Zendra</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show the text in</source>
        <translation>Text anzeigen in</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Takes effect the next time Zendra starts.</source>
        <translation>Wirkt ab dem nächsten Start von Zendra.</translation>
    </message>
    <message>
        <location filename="../src/settings/window/reusable_menu_bar_item_color_setting.cpp" line="+32"/>
        <location line="+1"/>
        <source>Pick color</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>For light background:</source>
        <translation>Für hellen Hintergrund:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>For dark background:</source>
        <translation>Für dunklen Hintergrund:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose a different color when using a dark wallpaper.</source>
        <translation>Wählen Sie eine andere Farbe für ein dunkles Hintergrundbild.</translation>
    </message>
    <message>
        <location filename="../src/settings/window/settings_screen.cpp" line="+21"/>
        <source>Settings</source>
        <extracomment>The title of the settings window.</extracomment>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <location filename="../src/actions/user_actions.cpp" line="-24"/>
        <source>Toggle edit window:</source>
        <translation>Bearbeitungsfenster ein-/ausblenden:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Clear text:</source>
        <translation>Text löschen:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Set text from clipboard:</source>
        <translation>Text aus Zwischenablage übernehmen:</translation>
    </message>
    <message>
        <location filename="../src/settings/window/shortcuts_settings.cpp" line="+44"/>
        <source>This desktop does not let applications listen to keys system-wide. Bind %1, %2 and %3 in the desktop&apos;s own keyboard settings instead.</source>
        <translation>Diese Arbeitsumgebung erlaubt Anwendungen keine systemweiten Tastenkürzel. Legen Sie %1, %2 und %3 stattdessen in den Tastenkürzel-Einstellungen der Arbeitsumgebung fest.</translation>
    </message>
</context>
<context>
    <name>zendra::StatusItemMenu</name>
    <message>
        <location filename="../src/actions/user_actions.cpp" line="-20"/>
        <source>Toggle Editor</source>
        <translation>Editor ein-/ausblenden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Clear Text</source>
        <translation>Text löschen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Copy Text</source>
        <translation>Text kopieren</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Paste Text</source>
        <translation>Text einfügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste text from the clipboard into Zendra.</source>
        <translation>Text aus der Zwischenablage in Zendra einfügen.</translation>
    </message>
    <message>
        <location filename="../src/panel/status_item_menu.cpp" line="+63"/>
        <source>Debug</source>
        <translation>Fehlersuche</translation>
    </message>
    <message>
        <location filename="../src/actions/user_actions.cpp" line="+17"/>
        <source>Quit %1</source>
        <extracomment>%1 is the application&apos;s name.</extracomment>
        <translation>%1 beenden</translation>
    </message>
</context>
<context>
    <name>zendra::WelcomeScreen</name>
    <message>
        <location filename="../src/welcome/welcome_screen.cpp" line="+91"/>
        <source>Welcome to</source>
        <translation>Willkommen bei</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Put your most important task or goal in the panel</source>
        <translation>Ihre wichtigste Aufgabe oder Ihr Ziel – immer sichtbar im Panel</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The panel may hide items that do not fit. You are recommended to set a maximum width of the panel item in the app settings. When Zendra shows the item in its own window, you can also drag it towards the right side while holding the Super key.</source>
        <translation>Das Panel blendet Elemente, die keinen Platz finden, möglicherweise aus. Legen Sie daher am besten in den Einstellungen eine maximale Breite für das Panel-Element fest. Zeigt Zendra das Element in seinem eigenen Fenster, können Sie es auch bei gedrückter Super-Taste nach rechts ziehen.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>If you have any feedback, bug reports, or feature requests, use the feedback button in the app. I quickly respond to all submissions.</source>
        <translation>Für Rückmeldungen, Fehlerberichte und Wünsche nutzen Sie bitte die Schaltfläche für Rückmeldungen in der Anwendung. Ich antworte schnell auf jede Zuschrift.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Get Started</source>
        <translation>Los geht’s</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>Hello, I&apos;m %1</source>
        <extracomment>%1 is the application&apos;s name.</extracomment>
        <translation>Hallo, ich bin %1</translation>
    </message>
</context>
<context>
    <name>zendra::automation</name>
    <message>
        <location filename="../src/automation/automation_service.cpp" line="+32"/>
        <source>the request ended with response code %1</source>
        <translation>die Anfrage endete mit dem Antwortcode %1</translation>
    </message>
    <message>
        <location filename="../src/automation/saved_settings.cpp" line="+15"/>
        <source>cannot write the preferences file %1</source>
        <translation>die Einstellungsdatei %1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>zendra::cli</name>
    <message>
        <location filename="../src/cli/command_line.cpp" line="+25"/>
        <source>%1 takes one text; quote a text with spaces</source>
        <translation>%1 erwartet genau einen Text; setzen Sie einen Text mit Leerzeichen in Anführungszeichen</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>unknown command &apos;%1&apos;; did you mean %2?</source>
        <translation>unbekannter Befehl &apos;%1&apos;; meinten Sie %2?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unknown command &apos;%1&apos;; the commands are %2</source>
        <translation>unbekannter Befehl &apos;%1&apos;; die Befehle sind %2</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>%1 needs a text (nothing changed); &apos;%2&apos; clears the text, &apos;%3&apos; reads standard input</source>
        <translation>%1 braucht einen Text (nichts wurde geändert); &apos;%2&apos; löscht den Text, &apos;%3&apos; liest die Standardeingabe</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>unknown option &apos;%1&apos;; use &apos;%2&apos; for a text that starts with a dash</source>
        <translation>unbekannte Option &apos;%1&apos;; verwenden Sie &apos;%2&apos; für einen Text, der mit einem Bindestrich beginnt</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>unexpected argument &apos;%1&apos; after %2</source>
        <translation>unerwartetes Argument &apos;%1&apos; nach %2</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>invalid process id in &apos;%1&apos;</source>
        <translation>ungültige Prozess-ID in &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>unknown panel item &apos;%1&apos; (%2)</source>
        <translation>unbekannter Ort für das Panel-Element: &apos;%1&apos; (%2)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>unknown argument &apos;%1&apos;</source>
        <translation>unbekanntes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos; must come first</source>
        <translation>&apos;%1&apos; muss an erster Stelle stehen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>more than one URL: &apos;%1&apos;</source>
        <translation>mehr als eine URL: &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>argument %1 is not valid UTF-8</source>
        <translation>Argument %1 ist kein gültiges UTF-8</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Usage: zendra [URL]
       zendra set-text TEXT | -
       zendra get-text
       zendra service
       zendra watch [--json]
       zendra toggle-editor | clear | paste | quit
       zendra settings
       zendra config panel-item [auto | panel | window]
       zendra debug-info | reset [--yes]
       zendra help | --help | --version

Keeps your one most important task visible in the desktop panel. Only one instance runs;
a second one hands its URL to the first and exits.

  URL            A zendra: URL to open, for example &quot;zendra:?text=Write%20the%20report&quot;.
  set-text TEXT  Set the text exactly as given (line breaks kept); &quot;-&quot; reads standard
                 input; an empty TEXT (&quot;&quot;) clears it. Use &quot;set-text -- TEXT&quot; for a text
                 that starts with a dash.
  get-text       Print the text and a newline.
  service        Set the text from the first line of the current selection.
  watch          Print the text as the panel shows it, then each change on its own line;
                 with --json, JSON lines with &quot;text&quot; and &quot;tooltip&quot; (for waybar).
  toggle-editor  Show or hide the edit window.
  clear          Clear the text.
  paste          Set the text from the first line of the clipboard.
  settings       Open the settings window (starting Zendra when it does not run).
  quit           End Zendra.
  config panel-item
                 Print or set where the text shows from the next start: auto (the
                 desktop&apos;s panel while it shows the item, else Zendra&apos;s own bar), panel
                 or window (Zendra&apos;s own bar).
  debug-info     Print the debug report to attach to a bug report.
  reset          Delete all settings and data (after asking; --yes does not ask) and
                 restart a running Zendra as on its first launch.

set-text, get-text, watch and clear work whether or not Zendra runs.

Options:
  --panel-item=NAME  Where the item shows for this run: auto, panel or window.
  --help             Show this help and exit.
  --version          Show the version and exit.

Exit status: 0 success, 1 failure, 2 command line not understood.
</source>
        <extracomment>The command words, option names and the URL example stay as they are.</extracomment>
        <translation>Aufruf: zendra [URL]
        zendra set-text TEXT | -
        zendra get-text
        zendra service
        zendra watch [--json]
        zendra toggle-editor | clear | paste | quit
        zendra settings
        zendra config panel-item [auto | panel | window]
        zendra debug-info | reset [--yes]
        zendra help | --help | --version

Hält Ihre wichtigste Aufgabe im Panel der Arbeitsumgebung sichtbar. Es läuft nur eine Instanz;
eine zweite übergibt ihre URL an die erste und beendet sich.

  URL            Eine zendra:-URL zum Öffnen, zum Beispiel &quot;zendra:?text=Write%20the%20report&quot;.
  set-text TEXT  Den Text genau wie angegeben setzen (Zeilenumbrüche bleiben erhalten); &quot;-&quot;
                 liest die Standardeingabe; ein leerer TEXT (&quot;&quot;) löscht ihn. Ein Text, der mit
                 einem Bindestrich beginnt, folgt auf &quot;set-text --&quot;.
  get-text       Den Text und einen Zeilenumbruch ausgeben.
  service        Den Text aus der ersten Zeile der aktuellen Auswahl setzen.
  watch          Den Text so ausgeben, wie das Panel ihn zeigt, dann jede Änderung in einer
                 eigenen Zeile; mit --json JSON-Zeilen mit &quot;text&quot; und &quot;tooltip&quot; (für waybar).
  toggle-editor  Das Bearbeitungsfenster ein- oder ausblenden.
  clear          Den Text löschen.
  paste          Den Text aus der ersten Zeile der Zwischenablage setzen.
  settings       Das Einstellungsfenster öffnen (und Zendra starten, falls es nicht läuft).
  quit           Zendra beenden.
  config panel-item
                 Ausgeben oder festlegen, wo der Text ab dem nächsten Start erscheint: auto
                 (im Panel der Arbeitsumgebung, solange es das Element zeigt, sonst in der
                 eigenen Leiste von Zendra), panel oder window (die eigene Leiste von Zendra).
  debug-info     Den Diagnosebericht ausgeben, der einem Fehlerbericht beiliegen sollte.
  reset          Alle Einstellungen und Daten löschen (nach Rückfrage; mit --yes ohne) und
                 ein laufendes Zendra wie beim ersten Start neu starten.

set-text, get-text, watch und clear funktionieren, ob Zendra läuft oder nicht.

Optionen:
  --panel-item=NAME  Wo das Element bei diesem Start erscheint: auto, panel oder window.
  --help             Diese Hilfe anzeigen und beenden.
  --version          Die Version anzeigen und beenden.

Rückgabewert: 0 Erfolg, 1 Fehler, 2 Befehlszeile nicht verstanden.
</translation>
    </message>
    <message>
        <location filename="../src/cli/commands.cpp" line="+50"/>
        <source>standard input is not valid UTF-8; the text is unchanged</source>
        <translation>die Standardeingabe ist kein gültiges UTF-8; der Text bleibt unverändert</translation>
    </message>
    <message>
        <location line="+21"/>
        <location filename="../src/cli/debug_info_command.cpp" line="+12"/>
        <source>cannot write to standard output</source>
        <translation>in die Standardausgabe kann nicht geschrieben werden</translation>
    </message>
    <message>
        <location filename="../src/cli/config_command.cpp" line="+53"/>
        <source>cannot write the preferences file %1</source>
        <translation>die Einstellungsdatei %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>usage: %1 (settings: %2)</source>
        <translation>Aufruf: %1 (Einstellungen: %2)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 takes %2</source>
        <translation>%1 erwartet %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>no setting &apos;%1&apos; (settings: %2)</source>
        <translation>keine Einstellung &apos;%1&apos; (Einstellungen: %2)</translation>
    </message>
    <message>
        <location filename="../src/panel/backend/panel_item_backend.cpp" line="+39"/>
        <source>%1, %2 or %3</source>
        <extracomment>Lists the three words, which stay as they are.</extracomment>
        <translation>%1, %2 oder %3</translation>
    </message>
    <message>
        <location filename="../src/cli/reset_command.cpp" line="+78"/>
        <source>process %1 owns Zendra&apos;s bus name but does not run this Zendra; nothing was deleted</source>
        <translation>Prozess %1 hält den Busnamen von Zendra, führt aber nicht dieses Zendra aus; es wurde nichts gelöscht</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the running instance (process %1) did not end; nothing was deleted</source>
        <translation>die laufende Instanz (Prozess %1) wurde nicht beendet; nichts wurde gelöscht</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>could not start Zendra again</source>
        <translation>Zendra konnte nicht erneut gestartet werden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>not on a terminal: use &apos;%1&apos; to reset without asking</source>
        <translation>nicht an einem Terminal: verwenden Sie &apos;%1&apos;, um ohne Rückfrage zurückzusetzen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Delete all data and settings for %1? [y/N] </source>
        <translation>Alle Daten und Einstellungen von %1 löschen? (y = ja) [y/N] </translation>
    </message>
    <message>
        <location filename="../src/cli/run_client.cpp" line="+68"/>
        <source>not a client command</source>
        <translation>kein Client-Befehl</translation>
    </message>
    <message>
        <location filename="../src/cli/text_target.cpp" line="+32"/>
        <source>Zendra is not running; %1 needs it</source>
        <translation>Zendra läuft nicht; %1 setzt es voraus</translation>
    </message>
    <message>
        <location filename="../src/app/display_choice.cpp" line="+13"/>
        <source>Qt&apos;s Wayland platform plugin is not installed (Debian package %1)</source>
        <translation>das Wayland-Plattformmodul von Qt ist nicht installiert (Debian-Paket %1)</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>%1; running through XWayland</source>
        <translation>%1; Zendra läuft über XWayland</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1, and there is no X11 display (XWayland) to use instead</source>
        <translation>%1, und es gibt keine X11-Anzeige (XWayland), die stattdessen dienen könnte</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>needs a display: found no X11 display or Wayland compositor (%1, %2); start it in a graphical session</source>
        <translation>braucht eine Anzeige: weder eine X11-Anzeige noch ein Wayland-Compositor gefunden (%1, %2); starten Sie Zendra in einer grafischen Sitzung</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>cannot use %1=%2; using %3</source>
        <translation>%1=%2 ist nicht verwendbar; stattdessen %3</translation>
    </message>
    <message>
        <location filename="../src/app/gui_main.cpp" line="+30"/>
        <source>not a command of the application</source>
        <translation>kein Befehl der Anwendung</translation>
    </message>
    <message>
        <location filename="../src/app/gui_module.cpp" line="+29"/>
        <source>cannot load %1: %2</source>
        <translation>%1 kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>no such file</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <location filename="../src/app/main.cpp" line="+22"/>
        <source>Try &apos;%1&apos; for more information.</source>
        <translation>Weitere Informationen mit &apos;%1&apos;.</translation>
    </message>
</context>
</TS>
