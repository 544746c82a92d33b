<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>zendra::AboutBox</name>
    <message>
        <location filename="../src/app/editor/about_box.cpp" line="+13"/>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>About %1</source>
        <extracomment>%1 is the application&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zendra::AppState</name>
    <message>
        <location filename="../src/app/app_state.cpp" line="+74"/>
        <source>You could also try lowering the maximum width in the settings.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zendra::ClearTextTip</name>
    <message>
        <location filename="../src/app/panel/clear_text_tip.cpp" line="+39"/>
        <source>Click the menu bar item while pressing &lt;i&gt;Shift&lt;/i&gt; to clear the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Close this tip first by double-clicking it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zendra::Hotkeys::RecorderField</name>
    <message>
        <location filename="../src/hotkeys/recorder_field.cpp" line="+32"/>
        <source>This keyboard shortcut cannot be used as it&apos;s already a system-wide keyboard shortcut.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Most system-wide keyboard shortcuts can be changed in the keyboard shortcuts of your desktop&apos;s settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>This keyboard shortcut cannot be used as it&apos;s already used by the “%1” menu item.</source>
        <extracomment>%1 is the title of the menu item that has the shortcut.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Record Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Press Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zendra::LoginLaunch::Toggle</name>
    <message>
        <location filename="../src/login_launch/toggle.cpp" line="+12"/>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zendra::MainScreen</name>
    <message>
        <location filename="../src/app/editor/main_screen.cpp" line="+92"/>
        <location line="+1"/>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+1"/>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>What is the zendra?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Press the &lt;span style=&quot;font-family: monospace&quot;&gt;return&lt;/span&gt; key or click the menu bar item to close this window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/editor/main_screen_actions.cpp" line="+38"/>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send Feedback…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Tips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scripting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FAQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Quit %1</source>
        <extracomment>%1 is the application&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zendra::StatusItemMenu</name>
    <message>
        <location filename="../src/app/panel/status_item_menu.cpp" line="+34"/>
        <source>Toggle Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Clear Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copy Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Paste Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Paste text from the clipboard into Zendra.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Debug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Quit %1</source>
        <extracomment>%1 is the application&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zendra::cli</name>
    <message>
        <location filename="../src/app/cli/command_line.cpp" line="+19"/>
        <source>%1 takes one text; quote a text with spaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+73"/>
        <source>unknown option &apos;%1&apos;; use &apos;%2&apos; for a text that starts with a dash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>unexpected argument &apos;%1&apos; after %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>invalid process id in &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>unknown panel item &apos;%1&apos; (%2, %3 or %4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>unknown argument &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos; must come first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>more than one URL: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>argument %1 is not valid UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Usage: zendra [URL]
       zendra set-text [TEXT | -]
       zendra get-text
       zendra service
       zendra watch [--json]
       zendra toggle-editor | clear | paste
       zendra --help | --version

Keeps your one most important task visible in the desktop panel. Only one instance runs;
a second one hands its URL to the first and exits.

  URL            A zendra: URL to open, for example &quot;zendra:?text=Write%20the%20report&quot;.
  set-text TEXT  Set the text exactly as given (line breaks kept); &quot;-&quot; reads standard
                 input; no TEXT clears it. Use &quot;set-text -- TEXT&quot; for a text that starts
                 with a dash.
  get-text       Print the text and a newline.
  service        Set the text from the first line of the current selection.
  watch          Print the text as the panel shows it, then each change on its own line;
                 with --json, JSON lines with &quot;text&quot; and &quot;tooltip&quot; (for waybar).
  toggle-editor  Show or hide the edit window.
  clear          Clear the text.
  paste          Set the text from the first line of the clipboard.

set-text, get-text, watch and clear work whether or not Zendra runs.

Options:
  --panel-item=NAME  Where the item shows: auto, window or statusnotifier.
  --help             Show this help and exit.
  --version          Show the version and exit.

Exit status: 0 success, 1 failure, 2 command line not understood.
</source>
        <extracomment>The command words, option names and the URL example stay as they are.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/cli/commands.cpp" line="+48"/>
        <source>standard input is not valid UTF-8; the text is unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>cannot write to standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/cli/run_client.cpp" line="+55"/>
        <source>not a client command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/cli/text_target.cpp" line="+24"/>
        <source>cannot write the preferences file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Zendra is not running; %1 needs it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/gui_main.cpp" line="+26"/>
        <source>not a command of the application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/gui_module.cpp" line="+29"/>
        <source>cannot load %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/main.cpp" line="+18"/>
        <source>Try &apos;%1&apos; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/service_command.cpp" line="+39"/>
        <source>%1 needs a display to read the selection from</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
