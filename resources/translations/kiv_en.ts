<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>kiv::BatchPresenter</name>
    <message numerus="yes">
        <source>%n file(s) converted in %1</source>
        <translation>
            <numerusform>%n file converted in %1</numerusform>
            <numerusform>%n files converted in %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::FileListCommands</name>
    <message numerus="yes">
        <source>%n file(s) were not added:</source>
        <translation>
            <numerusform>This file was not added:</numerusform>
            <numerusform>%n files were not added:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::KeptList</name>
    <message numerus="yes">
        <source>Restored the list of %n file(s) from the last time</source>
        <translation>
            <numerusform>Restored the list of %n file from the last time</numerusform>
            <numerusform>Restored the list of %n files from the last time</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) were being converted and are Ready again</source>
        <translation>
            <numerusform>; %n file was being converted and is Ready again</numerusform>
            <numerusform>; %n files were being converted and are Ready again</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::PowerOffCountdownDlg</name>
    <message numerus="yes">
        <source>The computer will power off in %n second(s).</source>
        <translation>
            <numerusform>The computer will power off in %n second.</numerusform>
            <numerusform>The computer will power off in %n seconds.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::WaitingFiles</name>
    <message numerus="yes">
        <source>%n file(s) wait(s) for the conversion to end</source>
        <translation>
            <numerusform>%n file waits for the conversion to end</numerusform>
            <numerusform>%n files wait for the conversion to end</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) wait(s) to be added</source>
        <translation>
            <numerusform>%n file waits to be added</numerusform>
            <numerusform>%n files wait to be added</numerusform>
        </translation>
    </message>
</context>
</TS>
