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
        <source>Most system-wide keyboard shortcuts can be changed in “System Settings › Keyboard › Keyboard Shortcuts“.</source>
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
</TS>
