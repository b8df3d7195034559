<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>k52::AboutWindow</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>ZOR K52/K54 Converter Utility</source>
        <translation>ZOR K52/K54 Konverter-Dienstprogramm</translation>
    </message>
    <message>
        <source>Version 1.99</source>
        <translation>Version 1.99</translation>
    </message>
    <message>
        <source>Updated 09/15/09</source>
        <translation>Stand: 15.09.09</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 the Converter Utility authors</source>
        <translation>Copyright (c) 2026 die Autoren des Converter Utility</translation>
    </message>
    <message>
        <source>Released under the MIT licence. The libraries it uses keep their own licences, listed in %1.</source>
        <translation>Veröffentlicht unter der MIT-Lizenz. Die verwendeten Bibliotheken behalten ihre eigenen Lizenzen; sie sind in %1 aufgeführt.</translation>
    </message>
    <message>
        <source>Default Database: %1</source>
        <translation>Standard-Datenbank: %1</translation>
    </message>
</context>
<context>
    <name>k52::RevisionsWindow</name>
    <message>
        <source>K52/K54 Converter Revisions   Version 1.94 thru 1.96</source>
        <translation>K52/K54 Konverter-Revisionen   Version 1.94 bis 1.96</translation>
    </message>
    <message>
        <source>Version 1.94</source>
        <translation>Version 1.94</translation>
    </message>
    <message>
        <source>Added support for a 3rd wiegand input format and associated masking</source>
        <translation>Unterstützung für ein drittes Wiegand-Eingangsformat mit zugehöriger Maskierung</translation>
    </message>
    <message>
        <source>Added support for zero suppression on serial outputs for wiegand to serial and mag to serial conversions</source>
        <translation>Nullenunterdrückung an den seriellen Ausgängen bei den Umsetzungen Wiegand auf seriell und Magnetstreifen auf seriell</translation>
    </message>
    <message>
        <source>Version 1.95</source>
        <translation>Version 1.95</translation>
    </message>
    <message>
        <source>Added support for 250 bits of input and output</source>
        <translation>Unterstützung für 250 Bit am Eingang und am Ausgang</translation>
    </message>
    <message>
        <source>Added support for wieaba and alpha wie inputs</source>
        <translation>Unterstützung für die Eingänge „wieaba“ und „alpha wie“</translation>
    </message>
    <message>
        <source>Version 1.96</source>
        <translation>Version 1.96</translation>
    </message>
    <message>
        <source>Added restart command</source>
        <translation>Neustart-Befehl hinzugefügt</translation>
    </message>
    <message>
        <source>Version 1.99</source>
        <translation>Version 1.99</translation>
    </message>
    <message>
        <source>Added support for serial to wiegand bit simulation</source>
        <translation>Bit-Simulation bei der Umsetzung seriell auf Wiegand</translation>
    </message>
    <message>
        <source>For further information on firmware revisions and software dispatch information please refer to ZOR&apos;s firmware update web page.</source>
        <translation>Weitere Informationen zu Firmware-Revisionen und zur Auslieferung der Software finden Sie auf der Firmware-Update-Webseite von ZOR.</translation>
    </message>
</context>
<context>
    <name>usage</name>
    <message>
        <source>Usage: k52util [--db FILE] [COMMAND [ARGS...]]</source>
        <translation>Aufruf: k52util [--db DATEI] [BEFEHL [ARGUMENTE...]]</translation>
    </message>
    <message>
        <source>With no command the main window opens.</source>
        <translation>Ohne Befehl öffnet sich das Hauptfenster.</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>Run &apos;k52util COMMAND --help&apos; for the options of a command.</source>
        <translation>„k52util BEFEHL --help“ zeigt die Optionen eines Befehls.</translation>
    </message>
    <message>
        <source>Qt %1 (built with Qt %2)</source>
        <translation>Qt %1 (erstellt mit Qt %2)</translation>
    </message>
    <message>
        <source>%1 takes no arguments but --verbose</source>
        <translation>%1 nimmt außer --verbose keine Argumente an</translation>
    </message>
    <message>
        <source>Unknown command: %1</source>
        <translation>Unbekannter Befehl: %1</translation>
    </message>
</context>
</TS>
