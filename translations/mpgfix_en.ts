<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CloseQuestion</name>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>mpgfix has %n files waiting to be fixed. Stop and quit?</source>
        <translation>
            <numerusform>mpgfix has %n file waiting to be fixed. Stop and quit?</numerusform>
            <numerusform>mpgfix has %n files waiting to be fixed. Stop and quit?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>mpgfix is fixing %1 (%n more waiting). Stop and quit?</source>
        <translation>
            <numerusform>mpgfix is fixing %1 (%n more waiting). Stop and quit?</numerusform>
            <numerusform>mpgfix is fixing %1 (%n more waiting). Stop and quit?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DiscFit</name>
    <message numerus="yes">
        <source>Only %n minute(s) of these videos fit on this disc at a quality worth watching: use a larger disc or fewer files.</source>
        <translation>
            <numerusform>Only %n minute of these videos fits on this disc at a quality worth watching: use a larger disc or fewer files.</numerusform>
            <numerusform>Only %n minutes of these videos fit on this disc at a quality worth watching: use a larger disc or fewer files.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LeftOutNote</name>
    <message numerus="yes">
        <source>%n files were not videos and were left out.</source>
        <translation>
            <numerusform>%n file was not a video and was left out.</numerusform>
            <numerusform>%n files were not videos and were left out.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>and %n more</numerusform>
            <numerusform>and %n more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RestoreQuestion</name>
    <message numerus="yes">
        <source>mpgfix stopped before it finished %n files. Fix them now?</source>
        <translation>
            <numerusform>mpgfix stopped before it finished %n file. Fix it now?</numerusform>
            <numerusform>mpgfix stopped before it finished %n files. Fix them now?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>&amp;Fix Them</source>
        <translation>
            <numerusform>&amp;Fix It</numerusform>
            <numerusform>&amp;Fix Them</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>F&amp;orget Them</source>
        <translation>
            <numerusform>F&amp;orget It</numerusform>
            <numerusform>F&amp;orget Them</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RoundSummary</name>
    <message numerus="yes">
        <source>%1 of %n finished</source>
        <translation>
            <numerusform>%1 of %n finished</numerusform>
            <numerusform>%1 of %n finished</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n fixed</source>
        <translation>
            <numerusform>%n fixed</numerusform>
            <numerusform>%n fixed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copied</source>
        <translation>
            <numerusform>%n copied</numerusform>
            <numerusform>%n copied</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n failed</numerusform>
            <numerusform>%n failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped</source>
        <translation>
            <numerusform>%n skipped</numerusform>
            <numerusform>%n skipped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cancelled</source>
        <translation>
            <numerusform>%n cancelled</numerusform>
            <numerusform>%n cancelled</numerusform>
        </translation>
    </message>
</context>
</TS>
