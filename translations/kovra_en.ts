<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>kovra</name>
    <message numerus="yes">
        <source>GIFT holds no units: the units of %n number question(s) left out, a number typed alone</source>
        <translation>
            <numerusform>GIFT holds no units: the units of %n number question left out, a number typed alone</numerusform>
            <numerusform>GIFT holds no units: the units of %n number questions left out, a number typed alone</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n figure(s)</source>
        <translation>
            <numerusform>%n figure</numerusform>
            <numerusform>%n figures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n question(s)</source>
        <translation>
            <numerusform>%n question</numerusform>
            <numerusform>%n questions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>GIFT holds no pictures: %n figure(s) left out</source>
        <translation>
            <numerusform>GIFT holds no pictures: %n figure left out</numerusform>
            <numerusform>GIFT holds no pictures: %n figures left out</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>CSV holds single-choice questions only: %n question(s) of other kinds left out</source>
        <translation>
            <numerusform>CSV holds single-choice questions only: %n question of another kind left out</numerusform>
            <numerusform>CSV holds single-choice questions only: %n questions of other kinds left out</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more problem(s), not shown</source>
        <translation>
            <numerusform>and %n more problem, not shown</numerusform>
            <numerusform>and %n more problems, not shown</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ends the file with %n question(s) read</source>
        <translation>
            <numerusform>ends the file with %n question read</numerusform>
            <numerusform>ends the file with %n questions read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>has %n question(s)</source>
        <translation>
            <numerusform>has %n question</numerusform>
            <numerusform>has %n questions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>holds %n file(s)</source>
        <translation>
            <numerusform>holds %n file</numerusform>
            <numerusform>holds %n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>must have exactly %n rows</source>
        <translation>
            <numerusform>must have exactly %n row</numerusform>
            <numerusform>must have exactly %n rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n pupil(s) took this test already; their results are in %1. The changed key (question %2) changes their marks: the results view shows them marked with the new key.</source>
        <translation>
            <numerusform>%n pupil took this test already; their result is in %1. The changed key (question %2) changes their mark: the results view shows it marked with the new key.</numerusform>
            <numerusform>%n pupils took this test already; their results are in %1. The changed key (question %2) changes their marks: the results view shows them marked with the new key.</numerusform>
        </translation>
    </message>
</context>
</TS>
