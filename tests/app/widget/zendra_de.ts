<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The translations test's catalogue: one text of the item's menu changed. -->
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>zendra::StatusItemMenu</name>
    <message>
        <source>Quit %1</source>
        <translation>Leave %1</translation>
    </message>
</context>
</TS>
