<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>bitsize</name>
    <message>
        <source>Print the largest value that a field of 1 to 64 bits can hold (the Bit Size Table).</source>
        <translation>Gibt den größten Wert aus, den ein Feld von 1 bis 64 Bit aufnehmen kann (die Bitgrößentabelle).</translation>
    </message>
</context>
<context>
    <name>clone</name>
    <message>
        <source>read: converter image into the clone file; write: clone file into the converter</source>
        <translation>read: Abbild des Konverters in die Klondatei; write: Klondatei in den Konverter</translation>
    </message>
    <message>
        <source>Clone file; default %1</source>
        <translation>Klondatei; Vorgabe %1</translation>
    </message>
    <message>
        <source>Copy a converter&apos;s 1024-byte configuration image (firmware 01.96 or later) into the clone file, or from it into another converter.</source>
        <translation>Kopiert das 1024 Byte große Konfigurationsabbild eines Konverters (ab Firmware 01.96) in die Klondatei oder von dort in einen anderen Konverter.</translation>
    </message>
    <message>
        <source>clone: say read or write; see --help</source>
        <translation>clone: read oder write angeben; siehe --help</translation>
    </message>
    <message>
        <source>clone: --each writes one clone file into each converter; it goes with write only</source>
        <translation>clone: --each schreibt eine Klondatei in jeden Konverter und geht nur zusammen mit write</translation>
    </message>
    <message>
        <source> is no clone file</source>
        <translation> ist keine Klondatei</translation>
    </message>
    <message>
        <source>Send the reset command to the converter.</source>
        <translation>Sendet den Reset-Befehl an den Konverter.</translation>
    </message>
    <message>
        <source>Send the restart command to the converter.</source>
        <translation>Sendet den Neustart-Befehl an den Konverter.</translation>
    </message>
</context>
<context>
    <name>doctor</name>
    <message>
        <source>Check the serial port of the link settings: that it exists, that you may open it, that no other program holds it and that the settings are complete. Each failed check names the fix.</source>
        <translation>Prüft die serielle Schnittstelle der Verbindungseinstellungen: ob es sie gibt, ob Sie sie öffnen dürfen, ob kein anderes Programm sie belegt und ob die Einstellungen vollständig sind. Zu jeder fehlgeschlagenen Prüfung wird die Abhilfe genannt.</translation>
    </message>
    <message>
        <source>Port: </source>
        <translation>Schnittstelle: </translation>
    </message>
</context>
<context>
    <name>each</name>
    <message>
        <source>: give a whole number above 0</source>
        <translation>: eine ganze Zahl größer als 0 angeben</translation>
    </message>
    <message>
        <source>Do it to every converter plugged in, one after another on each port and on several ports at once, until Ctrl-C or --count. --port (repeatable) and --ports name the ports watched; default: every port the system lists.</source>
        <translation>Für jeden angesteckten Konverter ausführen, nacheinander an jeder Schnittstelle und an mehreren Schnittstellen zugleich, bis Strg-C oder --count. --port (wiederholbar) und --ports nennen die überwachten Schnittstellen; Vorgabe: alle, die das System auflistet.</translation>
    </message>
    <message>
        <source>With --each: also watch the paths matching GLOB (wildcards in the last part), looked up again every second; repeatable.</source>
        <translation>Mit --each: auch die Pfade überwachen, die auf GLOB passen (Platzhalter im letzten Teil), jede Sekunde neu gesucht; wiederholbar.</translation>
    </message>
    <message>
        <source>With --each: end after N converters have finished.</source>
        <translation>Mit --each: nach N fertigen Konvertern aufhören.</translation>
    </message>
    <message>
        <source>With --each: a converter has gone when it has not answered for MS milliseconds (default 2000).</source>
        <translation>Mit --each: ein Konverter gilt als abgezogen, wenn er MS Millisekunden lang nicht geantwortet hat (Vorgabe 2000).</translation>
    </message>
    <message>
        <source>With --each: write one row per converter into FILE at the end.</source>
        <translation>Mit --each: am Ende eine Zeile je Konverter in DATEI schreiben.</translation>
    </message>
    <message>
        <source>: the folder does not exist</source>
        <translation>: den Ordner gibt es nicht</translation>
    </message>
    <message>
        <source>Waiting for converters; Ctrl-C ends</source>
        <translation>Warte auf Konverter; Strg-C beendet</translation>
    </message>
</context>
<context>
    <name>find</name>
    <message>
        <source>Search this port only (a Comm Port number or a device path; repeatable). Default: every port the system lists.</source>
        <translation>Nur diese Schnittstelle durchsuchen (eine COM-Port-Nummer oder ein Gerätepfad; wiederholbar). Vorgabe: alle Schnittstellen, die das System auflistet.</translation>
    </message>
    <message>
        <source>Keep the first converter&apos;s port, speed and parity as the link settings.</source>
        <translation>Schnittstelle, Baudrate und Parität des ersten Konverters als Verbindungseinstellungen übernehmen.</translation>
    </message>
    <message>
        <source>Find the converter: try each serial port at every speed and parity with the identification request, the stored settings first, and list each converter that answered.</source>
        <translation>Konverter suchen: jede serielle Schnittstelle mit jeder Baudrate und Parität per Kennungsanfrage probieren, die gespeicherten Einstellungen zuerst, und jeden Konverter auflisten, der geantwortet hat.</translation>
    </message>
    <message>
        <source>No serial ports found: plug the adapter in, or name the port with --port</source>
        <translation>Keine seriellen Schnittstellen gefunden: Adapter anstecken oder die Schnittstelle mit --port angeben</translation>
    </message>
    <message>
        <source>--port %1: this system lists %2 serial port(s); give a device path</source>
        <translation>--port %1: dieses System kennt nur %2 serielle Schnittstelle(n); bitte einen Gerätepfad angeben</translation>
    </message>
    <message>
        <source>Link settings saved: %1 at %2</source>
        <translation>Verbindungseinstellungen gespeichert: %1 mit %2</translation>
    </message>
</context>
<context>
    <name>flash</name>
    <message>
        <source>Firmware file (.bin)</source>
        <translation>Firmware-Datei (.bin)</translation>
    </message>
    <message>
        <source>Replace the converter&apos;s firmware with FILE through its boot loader, printing the messages of the Flash Download screen. Exits 0 only when the download is complete. Ctrl-C stops the download.</source>
        <translation>Ersetzt die Firmware des Konverters über seinen Bootloader durch DATEI und gibt dabei die Meldungen des Flash-Download-Fensters aus. Endet nur mit 0, wenn der Download vollständig ist. Strg-C bricht den Download ab.</translation>
    </message>
    <message>
        <source>flash: give the firmware file; see --help</source>
        <translation>flash: die Firmware-Datei angeben; siehe --help</translation>
    </message>
</context>
<context>
    <name>history</name>
    <message>
        <source> takes a date as YYYY-MM-DD, e.g. 2026-12-07</source>
        <translation> erwartet ein Datum als JJJJ-MM-TT, z. B. 2026-12-07</translation>
    </message>
    <message>
        <source>Only rows of this profile.</source>
        <translation>Nur Zeilen dieses Profils.</translation>
    </message>
    <message>
        <source>Only rows from this day on.</source>
        <translation>Nur Zeilen ab diesem Tag.</translation>
    </message>
    <message>
        <source>Only rows up to this day.</source>
        <translation>Nur Zeilen bis zu diesem Tag.</translation>
    </message>
    <message>
        <source>show: print the row&apos;s wire trace (kept when an action did not end well) instead of the row.</source>
        <translation>show: statt der Zeile ihren Leitungsmitschnitt ausgeben (wird aufbewahrt, wenn ein Vorgang nicht gut endete).</translation>
    </message>
    <message>
        <source>list (default), show, export or report</source>
        <translation>list (Vorgabe), show, export oder report</translation>
    </message>
    <message>
        <source>[action] [N] [FILE]</source>
        <translation>[Aktion] [N] [DATEI]</translation>
    </message>
    <message>
        <source>There is no history row %1; `k52util history` lists them</source>
        <translation>Es gibt keine Verlaufszeile %1; `k52util history` listet sie auf</translation>
    </message>
    <message>
        <source>The record of every programming run, clone read and write, firmware download, reset, restart and restore.
  list [--profile NAME] [--from DAY] [--to DAY]  rows, newest first
  show N [--trace]        row N with its progress lines (or its wire trace)
  export N FILE           row N as JSON
  report N FILE.pdf       the commissioning report of row N</source>
        <translation>Der Verlauf aller Programmierläufe, Klon-Lese- und Schreibvorgänge, Firmware-Downloads, Resets, Neustarts und Wiederherstellungen.
  list [--profile NAME] [--from TAG] [--to TAG]  Zeilen, neueste zuerst
  show N [--trace]        Zeile N mit ihren Fortschrittszeilen (oder ihrem Leitungsmitschnitt)
  export N DATEI          Zeile N als JSON
  report N DATEI.pdf      das Inbetriebnahmeprotokoll von Zeile N</translation>
    </message>
    <message>
        <source>history list: takes no arguments beyond its options; see --help</source>
        <translation>history list: nimmt außer den Optionen keine Argumente; siehe --help</translation>
    </message>
    <message>
        <source>history: unknown action &quot;%1&quot;; see --help</source>
        <translation>history: unbekannte Aktion „%1“; siehe --help</translation>
    </message>
    <message>
        <source>history %1: give the row number%2 (the first column of `history list`)</source>
        <translation>history %1: die Zeilennummer%2 angeben (die erste Spalte von `history list`)</translation>
    </message>
    <message>
        <source> and the file</source>
        <translation> und die Datei</translation>
    </message>
    <message>
        <source>history row %1 keeps no wire trace: traces are kept only when an action failed, was refused or was stopped</source>
        <translation>Verlaufszeile %1 hat keinen Leitungsmitschnitt: Mitschnitte werden nur aufbewahrt, wenn ein Vorgang fehlschlug, abgelehnt oder abgebrochen wurde</translation>
    </message>
    <message>
        <source>history report: the report writer is not loaded</source>
        <translation>history report: das Modul für Protokolle ist nicht geladen</translation>
    </message>
</context>
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
    <name>k52::BackupOptionBox</name>
    <message>
        <source>Back up the converter before writing (v1.96+)</source>
        <translation>Konverter vor dem Schreiben sichern (ab v1.96)</translation>
    </message>
    <message>
        <source>Reads the converter&apos;s 1024-byte image into the history first, so that History can write it back</source>
        <translation>Liest zuerst das 1024-Byte-Abbild des Konverters in den Verlauf, damit es über „Verlauf“ zurückgeschrieben werden kann</translation>
    </message>
</context>
<context>
    <name>k52::BitSizeWindow</name>
    <message>
        <source>Bit Size Table</source>
        <translation>Bitgrößentabelle</translation>
    </message>
</context>
<context>
    <name>k52::CardTestPanel</name>
    <message>
        <source>Site</source>
        <translation>Anlagencode</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Ausweisnr.</translation>
    </message>
    <message>
        <source>Issue</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Test a card:</source>
        <translation>Karte testen:</translation>
    </message>
    <message>
        <source>Test a card: </source>
        <translation>Karte testen: </translation>
    </message>
    <message>
        <source>Bits sent</source>
        <translation>Gesendete Bits</translation>
    </message>
    <message>
        <source>Bits sent:</source>
        <translation>Gesendet:</translation>
    </message>
    <message>
        <source>Read bits:</source>
        <translation>Gelesen:</translation>
    </message>
    <message>
        <source>Bits to read</source>
        <translation>Zu lesende Bits</translation>
    </message>
    <message>
        <source>paste 0/1 bits or HEX/COUNT</source>
        <translation>0/1-Bits oder HEX/ANZAHL einfügen</translation>
    </message>
    <message>
        <source>Bits read</source>
        <translation>Gelesene Bits</translation>
    </message>
    <message>
        <source> (p: mask parity, not computed)</source>
        <translation> (p: Maskenparität, nicht berechnet)</translation>
    </message>
    <message>
        <source> hex %1/%2</source>
        <translation> Hex %1/%2</translation>
    </message>
    <message>
        <source>FAILS: </source>
        <translation>FEHLER: </translation>
    </message>
    <message>
        <source>parity not checked (mask)</source>
        <translation>Parität nicht geprüft (Maske)</translation>
    </message>
    <message>
        <source>parity good</source>
        <translation>Parität in Ordnung</translation>
    </message>
</context>
<context>
    <name>k52::Choices</name>
    <message>
        <source>7 Even</source>
        <translation>7 gerade</translation>
    </message>
    <message>
        <source>7 Odd</source>
        <translation>7 ungerade</translation>
    </message>
    <message>
        <source>8 None</source>
        <translation>8 keine</translation>
    </message>
    <message>
        <source>No Conversion</source>
        <translation>Keine Umsetzung</translation>
    </message>
    <message>
        <source>Mag Emulation</source>
        <translation>Magnet-Emulation</translation>
    </message>
    <message>
        <source>Wand Emulation</source>
        <translation>Lesestift-Emulation</translation>
    </message>
    <message>
        <source>Wiegand</source>
        <translation>Wiegand</translation>
    </message>
    <message>
        <source>Alpha Wiegand</source>
        <translation>Alpha-Wiegand</translation>
    </message>
    <message>
        <source>Aba Wiegand</source>
        <translation>ABA-Wiegand</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Seriell</translation>
    </message>
    <message>
        <source>Bit Simulation  (v1.99+)</source>
        <translation>Bitsimulation  (ab v1.99)</translation>
    </message>
    <message>
        <source>Magstripe</source>
        <translation>Magnetstreifen</translation>
    </message>
    <message>
        <source>Wiegand and Magstripe</source>
        <translation>Wiegand und Magnetstreifen</translation>
    </message>
    <message>
        <source>Alpha Wie</source>
        <translation>Alpha-Wie</translation>
    </message>
    <message>
        <source>Wieaba</source>
        <translation>Wie-ABA</translation>
    </message>
    <message>
        <source>Aba Wiegand (wieaba)</source>
        <translation>ABA-Wiegand (wieaba)</translation>
    </message>
    <message>
        <source>Serial Dump</source>
        <translation>Serieller Dump</translation>
    </message>
    <message>
        <source>Mode 0   (1 char for each bit)</source>
        <translation>Modus 0   (1 Zeichen je Bit)</translation>
    </message>
    <message>
        <source>Mode 1   (8 bits/char)</source>
        <translation>Modus 1   (8 Bit/Zeichen)</translation>
    </message>
    <message>
        <source>Mode 2   (8 bits/char with preceding bit count</source>
        <translation>Modus 2   (8 Bit/Zeichen mit vorangestellter Bitanzahl</translation>
    </message>
    <message>
        <source>Mode 3   (hex, ignore leading zeroes)</source>
        <translation>Modus 3   (hex, ohne führende Nullen)</translation>
    </message>
    <message>
        <source>Mode 4   (hex, include leading zeroes)</source>
        <translation>Modus 4   (hex, mit führenden Nullen)</translation>
    </message>
    <message>
        <source>Mode 5   (8 bits/char, bit count, 8 chars always</source>
        <translation>Modus 5   (8 Bit/Zeichen, Bitanzahl, stets 8 Zeichen</translation>
    </message>
    <message>
        <source>Mode 6   (8 bits/char, bit count, 16 chars always</source>
        <translation>Modus 6   (8 Bit/Zeichen, Bitanzahl, stets 16 Zeichen</translation>
    </message>
    <message>
        <source>50us</source>
        <translation>50 µs</translation>
    </message>
    <message>
        <source>100us</source>
        <translation>100 µs</translation>
    </message>
    <message>
        <source>150us</source>
        <translation>150 µs</translation>
    </message>
</context>
<context>
    <name>k52::CommFormScreen</name>
    <message>
        <source>Please note that the TCP settings are in this program for convenience only, so that this program can be used as a terminal emulator when talking to tcp devices in the &quot;terminal mode&quot;. The TCP settings have nothing to do with the K52 or K54 converters. You should always be in the &quot;serial&quot; comm mode when talking to K52 and K54 converters.</source>
        <translation>Bitte beachten: Die TCP-Einstellungen sind nur der Bequemlichkeit halber vorhanden, damit sich dieses Programm im „Terminalmodus“ als Terminalemulator für TCP-Geräte nutzen lässt. Mit den Konvertern K52 und K54 haben sie nichts zu tun. Für die Verbindung zu K52- und K54-Konvertern immer die Verbindungsart „Seriell“ wählen.</translation>
    </message>
    <message>
        <source>Communications Setup</source>
        <translation>Verbindungseinstellungen</translation>
    </message>
    <message>
        <source>Comm Mode</source>
        <translation>Verbindungsart</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Seriell</translation>
    </message>
    <message>
        <source>Comm Port</source>
        <translation>Schnittstelle</translation>
    </message>
    <message>
        <source>Device path</source>
        <translation>Gerätepfad</translation>
    </message>
    <message>
        <source>used instead of the port number when given</source>
        <translation>ersetzt, wenn angegeben, die Portnummer</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Communications Baud Rate</source>
        <translation>Baudrate der Verbindung</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>Terminator Char</source>
        <translation>Endezeichen</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Tcp Port Address</source>
        <translation>TCP-Port</translation>
    </message>
    <message>
        <source> - remembered adapter</source>
        <translation> – bekannter Adapter</translation>
    </message>
    <message>
        <source>Tcp/Ip</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>(no such port on this machine)</source>
        <translation>(diese Schnittstelle gibt es hier nicht)</translation>
    </message>
    <message>
        <source> (not present)</source>
        <translation> (nicht vorhanden)</translation>
    </message>
    <message>
        <source>Serial link opens %1, the remembered adapter (%2)</source>
        <translation>Die serielle Verbindung öffnet %1, den bekannten Adapter (%2)</translation>
    </message>
    <message>
        <source>The remembered adapter (%1) is not plugged in. </source>
        <translation>Der bekannte Adapter (%1) ist nicht angesteckt. </translation>
    </message>
    <message>
        <source>Serial link opens %1 (device path; the Comm Port choice applies when it is empty)</source>
        <translation>Die serielle Verbindung öffnet %1 (Gerätepfad; ist er leer, gilt die gewählte Schnittstelle)</translation>
    </message>
    <message>
        <source>Comm port %1 has no device on this machine; choose a port or enter a device path</source>
        <translation>Zu Schnittstelle %1 gibt es hier kein Gerät; bitte eine Schnittstelle wählen oder einen Gerätepfad eingeben</translation>
    </message>
    <message>
        <source>Serial link opens %1</source>
        <translation>Die serielle Verbindung öffnet %1</translation>
    </message>
</context>
<context>
    <name>k52::CommandMenuPanel</name>
    <message>
        <source>Navigation entry: Return opens it</source>
        <translation>Navigationseintrag: Eingabetaste öffnet ihn</translation>
    </message>
    <message>
        <source>General Screens</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Communications Setup</source>
        <translation>Verbindungseinstellungen</translation>
    </message>
    <message>
        <source>Terminal Mode</source>
        <translation>Terminalmodus</translation>
    </message>
    <message>
        <source>K52 Serial I/O</source>
        <translation>K52 Seriell E/A</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Grundeinstellungen</translation>
    </message>
    <message>
        <source>Masking</source>
        <translation>Maskierung</translation>
    </message>
    <message>
        <source>Preprocessing</source>
        <translation>Vorverarbeitung</translation>
    </message>
    <message>
        <source>Serial to Mag</source>
        <translation>Seriell → Magnet</translation>
    </message>
    <message>
        <source>Serial to Wiegand</source>
        <translation>Seriell → Wiegand</translation>
    </message>
    <message>
        <source>K52 Wie/Mag Input</source>
        <translation>K52 Eingang Wie/Mag</translation>
    </message>
    <message>
        <source>Input Options</source>
        <translation>Eingangsoptionen</translation>
    </message>
    <message>
        <source>Mag Output</source>
        <translation>Magnetausgang</translation>
    </message>
    <message>
        <source>Wiegand Output</source>
        <translation>Wiegand-Ausgang</translation>
    </message>
    <message>
        <source>K52 Utilities</source>
        <translation>K52-Werkzeuge</translation>
    </message>
    <message>
        <source>Utilities</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Program K52</source>
        <translation>K52 programmieren</translation>
    </message>
    <message>
        <source>Flash Download</source>
        <translation>Firmware laden</translation>
    </message>
</context>
<context>
    <name>k52::CompareWindow</name>
    <message>
        <source>The profiles are the same.</source>
        <translation>Die Profile sind gleich.</translation>
    </message>
    <message>
        <source>%1 setting(s) differ between &quot;%2&quot; and &quot;%3&quot;.
</source>
        <translation>%1 Einstellung(en) unterscheiden sich zwischen „%2“ und „%3“.
</translation>
    </message>
    <message>
        <source>Compare Profiles</source>
        <translation>Profile vergleichen</translation>
    </message>
    <message>
        <source>First profile</source>
        <translation>Erstes Profil</translation>
    </message>
    <message>
        <source>Second profile</source>
        <translation>Zweites Profil</translation>
    </message>
    <message>
        <source>Pick a profile in each list.</source>
        <translation>Bitte in jeder Liste ein Profil wählen.</translation>
    </message>
</context>
<context>
    <name>k52::FindConverterPanel</name>
    <message>
        <source>Find Converter</source>
        <translation>Konverter suchen</translation>
    </message>
    <message>
        <source>Tries each port at every speed and parity</source>
        <translation>Probiert jede Schnittstelle mit jeder Baudrate und Parität</translation>
    </message>
    <message>
        <source>Use These Settings</source>
        <translation>Diese Einstellungen übernehmen</translation>
    </message>
    <message>
        <source>No serial ports found: plug the adapter in, or enter its device path</source>
        <translation>Keine seriellen Schnittstellen gefunden: Adapter anstecken oder seinen Gerätepfad eingeben</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>No converter found</source>
        <translation>Kein Konverter gefunden</translation>
    </message>
    <message>
        <source>1 converter found</source>
        <translation>1 Konverter gefunden</translation>
    </message>
    <message>
        <source>%1 converters found</source>
        <translation>%1 Konverter gefunden</translation>
    </message>
    <message>
        <source> (stopped)</source>
        <translation> (abgebrochen)</translation>
    </message>
    <message>
        <source>Link settings: %1 at %2</source>
        <translation>Verbindungseinstellungen: %1 mit %2</translation>
    </message>
</context>
<context>
    <name>k52::FlashDlScreen</name>
    <message>
        <source>K52 Flash Download</source>
        <translation>K52-Firmware laden</translation>
    </message>
    <message>
        <source>Select File to Download</source>
        <translation>Firmware-Datei wählen</translation>
    </message>
    <message>
        <source>Start Flash Download</source>
        <translation>Firmware übertragen</translation>
    </message>
    <message>
        <source>Firmware file</source>
        <translation>Firmware-Datei</translation>
    </message>
    <message>
        <source>Bin Files (*.bin)</source>
        <translation>Bin-Dateien (*.bin)</translation>
    </message>
</context>
<context>
    <name>k52::FleetWindow</name>
    <message>
        <source>Program Every Converter</source>
        <translation>Alle Konverter programmieren</translation>
    </message>
    <message>
        <source>Converters</source>
        <translation>Konverter</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Lines of the selected converter</source>
        <translation>Zeilen des gewählten Konverters</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Report...</source>
        <translation>Protokoll...</translation>
    </message>
    <message>
        <source>Save CSV...</source>
        <translation>CSV speichern...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Report of the Run</source>
        <translation>Protokoll des Durchlaufs</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF-Datei (*.pdf)</translation>
    </message>
    <message>
        <source>Save CSV</source>
        <translation>CSV speichern</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Plug in the converters one after another; each is programmed with profile &quot;%1&quot; and may be unplugged when its row turns green.</source>
        <translation>Die Konverter nacheinander anstecken; jeder wird mit dem Profil „%1“ programmiert und darf abgezogen werden, sobald seine Zeile grün wird.</translation>
    </message>
    <message>
        <source>Stopped: no more converters are taken</source>
        <translation>Angehalten: es werden keine weiteren Konverter angenommen</translation>
    </message>
    <message>
        <source>ended after %1 s</source>
        <translation>nach %1 s beendet</translation>
    </message>
    <message>
        <source>Programmed %1    Refused %2    Failed %3    Stopped %4    Under way %5</source>
        <translation>Programmiert %1    Abgelehnt %2    Fehlgeschlagen %3    Abgebrochen %4    Laufend %5</translation>
    </message>
    <message>
        <source>Converters:</source>
        <translation>Konverter:</translation>
    </message>
    <message>
        <source>Commissioning run</source>
        <translation>Inbetriebnahmelauf</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Protokoll geschrieben nach %1</translation>
    </message>
    <message>
        <source>CSV written to %1</source>
        <translation>CSV geschrieben nach %1</translation>
    </message>
</context>
<context>
    <name>k52::FormatPictureView</name>
    <message>
        <source>%1 bits</source>
        <translation>%1 Bit</translation>
    </message>
    <message>
        <source> (first %1 shown)</source>
        <translation> (die ersten %1 gezeigt)</translation>
    </message>
</context>
<context>
    <name>k52::HelpWindow</name>
    <message>
        <source>Introduction</source>
        <translation>Einführung</translation>
    </message>
    <message>
        <source>Communications</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Database System</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Terminal Mode</source>
        <translation>Terminalmodus</translation>
    </message>
    <message>
        <source>Network Manager</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Reader Setup</source>
        <translation>Leser einrichten</translation>
    </message>
    <message>
        <source>Bar/Mag Setup</source>
        <translation>Barcode/Magnet</translation>
    </message>
    <message>
        <source>Utilities</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>&lt;p&gt;The text of this topic is missing from this build.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Text zu diesem Thema fehlt in dieser Ausgabe des Programms.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>k52::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Vorgang</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Konverter</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Momentaufnahme</translation>
    </message>
    <message>
        <source>Save Snapshot as Profile...</source>
        <translation>Momentaufnahme als Profil speichern...</translation>
    </message>
    <message>
        <source>Report...</source>
        <translation>Protokoll...</translation>
    </message>
    <message>
        <source>Restore Image</source>
        <translation>Abbild zurückschreiben</translation>
    </message>
    <message>
        <source>Compare Profiles...</source>
        <translation>Profile vergleichen...</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Restoring: %1 of %2 packets</source>
        <translation>Zurückschreiben: %1 von %2 Paketen</translation>
    </message>
    <message>
        <source>%1 row(s), newest first</source>
        <translation>%1 Zeile(n), neueste zuerst</translation>
    </message>
    <message>
        <source>This row holds no profile snapshot</source>
        <translation>Diese Zeile enthält keine Momentaufnahme eines Profils</translation>
    </message>
    <message>
        <source>The profile name must not be empty</source>
        <translation>Der Profilname darf nicht leer sein</translation>
    </message>
    <message>
        <source>A profile named &quot;%1&quot; exists already; choose another name</source>
        <translation>Ein Profil „%1“ gibt es schon; bitte einen anderen Namen wählen</translation>
    </message>
    <message>
        <source>Save Snapshot as Profile</source>
        <translation>Momentaufnahme als Profil speichern</translation>
    </message>
    <message>
        <source>New Profile Name</source>
        <translation>Neuer Profilname</translation>
    </message>
    <message>
        <source>%1 (row %2)</source>
        <translation>%1 (Zeile %2)</translation>
    </message>
    <message>
        <source>Saved as profile &quot;%1&quot;</source>
        <translation>Als Profil „%1“ gespeichert</translation>
    </message>
    <message>
        <source>Commissioning Report</source>
        <translation>Inbetriebnahmeprotokoll</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Protokoll geschrieben nach %1</translation>
    </message>
    <message>
        <source>Write the image of row %1 back into the converter?</source>
        <translation>Das Abbild von Zeile %1 zurück in den Konverter schreiben?</translation>
    </message>
</context>
<context>
    <name>k52::JobPanel</name>
    <message>
        <source>Progress lines</source>
        <translation>Fortschrittszeilen</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Nothing was written: no backup (%1)</source>
        <translation>Nichts geschrieben: keine Sicherung (%1)</translation>
    </message>
</context>
<context>
    <name>k52::LegacyImportDialog</name>
    <message>
        <source>Import from an older database</source>
        <translation>Aus älterer Datenbank importieren</translation>
    </message>
    <message>
        <source>; nothing was imported (`k52util profiles import-legacy --partial` imports the rows that were read)</source>
        <translation>; es wurde nichts importiert (`k52util profiles import-legacy --partial` importiert die lesbaren Zeilen)</translation>
    </message>
    <message>
        <source>%1 (%2): %3 profiles</source>
        <translation>%1 (%2): %3 Profile</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Beside the stored profiles</source>
        <translation>Neben den gespeicherten Profilen</translation>
    </message>
    <message>
        <source>Ticked profiles are imported; a ticked profile whose name is stored already replaces it.</source>
        <translation>Angehakte Profile werden importiert; ein angehaktes Profil, dessen Name schon gespeichert ist, ersetzt das vorhandene.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>
Nothing was changed.</source>
        <translation>
Es wurde nichts geändert.</translation>
    </message>
</context>
<context>
    <name>k52::MagOutputScreen</name>
    <message>
        <source>Serial Input to Magstripe Output Options</source>
        <translation>Optionen serieller Eingang → Magnetstreifen-Ausgang</translation>
    </message>
    <message>
        <source>F2F Output</source>
        <translation>F2F-Ausgang</translation>
    </message>
    <message>
        <source>Wiegand and Magstripe Input to Magstripe Output Options</source>
        <translation>Optionen Wiegand/Magnetstreifen-Eingang → Magnetstreifen-Ausgang</translation>
    </message>
    <message>
        <source>F2F</source>
        <translation>F2F-Signal</translation>
    </message>
    <message>
        <source>Track 1 Emulation</source>
        <translation>Spur-1-Emulation</translation>
    </message>
    <message>
        <source>Track 2 Emulation</source>
        <translation>Spur-2-Emulation</translation>
    </message>
    <message>
        <source>Data up with clock</source>
        <translation>Daten mit Takt anheben</translation>
    </message>
    <message>
        <source>C start sentinel for Track 2 emulation</source>
        <translation>Startzeichen C für Spur-2-Emulation</translation>
    </message>
</context>
<context>
    <name>k52::MainWindow</name>
    <message>
        <source>Program K52</source>
        <translation>K52 programmieren</translation>
    </message>
    <message>
        <source>Find Converter</source>
        <translation>Konverter suchen</translation>
    </message>
    <message>
        <source>Loaded profile %1</source>
        <translation>Profil %1 geladen</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>Record a wire trace…</source>
        <translation>Leitungsmitschnitt aufzeichnen…</translation>
    </message>
    <message>
        <source>Record a wire trace</source>
        <translation>Leitungsmitschnitt aufzeichnen</translation>
    </message>
    <message>
        <source>The wire trace %1 is incomplete: %2</source>
        <translation>Der Leitungsmitschnitt %1 ist unvollständig: %2</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Cannot write the wire trace: %1
Choose a file in a folder you can write to.</source>
        <translation>Der Leitungsmitschnitt lässt sich nicht schreiben: %1
Bitte eine Datei in einem beschreibbaren Ordner wählen.</translation>
    </message>
    <message>
        <source>Recording into %1</source>
        <translation>Aufzeichnung nach %1</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... und %1 weitere</translation>
    </message>
    <message>
        <source>%1 setting(s) differ from profile &quot;%2&quot;:
%3

Save them as a profile first?</source>
        <translation>%1 Einstellung(en) weichen vom Profil „%2“ ab:
%3

Zuerst als Profil speichern?</translation>
    </message>
    <message>
        <source>The converter cannot be reached: %1.

Find Converter tries every port and speed and only reads; it writes nothing to the converter.

Find the converter now?</source>
        <translation>Der Konverter ist nicht erreichbar: %1.

„Konverter suchen“ probiert jede Schnittstelle und Baudrate und liest nur; in den Konverter wird nichts geschrieben.

Konverter jetzt suchen?</translation>
    </message>
    <message>
        <source>Saved profile %1</source>
        <translation>Profil %1 gespeichert</translation>
    </message>
    <message>
        <source>Import from an older database</source>
        <translation>Aus älterer Datenbank importieren</translation>
    </message>
    <message>
        <source>Access databases (*.mdb *.accdb);;All files (*)</source>
        <translation>Access-Datenbanken (*.mdb *.accdb);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>
Nothing was changed.</source>
        <translation>
Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The link settings were not saved: %1</source>
        <translation>Die Verbindungseinstellungen wurden nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>The program cannot start: %1

Move %2 aside now and start with a fresh database?</source>
        <translation>Das Programm kann nicht starten: %1

%2 jetzt beiseitelegen und mit einer neuen Datenbank beginnen?</translation>
    </message>
    <message>
        <source>The program cannot start: %1</source>
        <translation>Das Programm kann nicht starten: %1</translation>
    </message>
    <message>
        <source>The unusable database was kept as %1.</source>
        <translation>Die unbrauchbare Datenbank wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>An Access database of the older program is at %1.

Import its profiles now? (The file itself stays as it is.)</source>
        <translation>Unter %1 liegt eine Access-Datenbank des älteren Programms.

Ihre Profile jetzt importieren? (Die Datei selbst bleibt unverändert.)</translation>
    </message>
    <message>
        <source>Load Profile  </source>
        <translation>Profil laden </translation>
    </message>
    <message>
        <source>  Save Profile</source>
        <translation> Profil speichern</translation>
    </message>
    <message>
        <source>    Delete Profile</source>
        <translation>  Profil löschen</translation>
    </message>
    <message>
        <source>Import from an older database...</source>
        <translation>Alte Datenbank importieren...</translation>
    </message>
    <message>
        <source>     Wiring</source>
        <translation>  Verdrahtung</translation>
    </message>
    <message>
        <source>      Bit Size Table    </source>
        <translation>  Bitgrößen  </translation>
    </message>
    <message>
        <source>         Help             </source>
        <translation>   Hilfe   </translation>
    </message>
    <message>
        <source>      About          </source>
        <translation>  Info  </translation>
    </message>
    <message>
        <source>Revisions</source>
        <translation>Versionen</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>Verlauf...</translation>
    </message>
    <message>
        <source>Compare Profiles...</source>
        <translation>Profile vergleichen...</translation>
    </message>
    <message>
        <source>Program Every Converter...</source>
        <translation>Alle Konverter programmieren...</translation>
    </message>
    <message>
        <source>Program K52: %1</source>
        <translation>K52 programmieren: %1</translation>
    </message>
</context>
<context>
    <name>k52::PgmFormWindow</name>
    <message>
        <source>Programming</source>
        <translation>Programmierung</translation>
    </message>
    <message>
        <source>Copy Lines</source>
        <translation>Zeilen kopieren</translation>
    </message>
    <message>
        <source>Save Lines...</source>
        <translation>Zeilen speichern...</translation>
    </message>
    <message>
        <source>Save Lines</source>
        <translation>Zeilen speichern</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>k52::PreprocessScreen</name>
    <message>
        <source>Serial Preprocessors</source>
        <translation>Serielle Vorverarbeitung</translation>
    </message>
    <message>
        <source>Hexadecimal Preprocessor (v1.8+)</source>
        <translation>Hexadezimal-Vorverarbeitung (ab v1.8)</translation>
    </message>
    <message>
        <source>Preprocessor ON</source>
        <translation>Vorverarbeitung EIN</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Chars</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Anlagencode</translation>
    </message>
    <message>
        <source>Toital Bits</source>
        <translation>Bits gesamt</translation>
    </message>
    <message>
        <source>Trim Leading Zero Bits</source>
        <translation>Führende Null-Bits entfernen</translation>
    </message>
    <message>
        <source>Amtech 26 bit encoded Preprocessor (v1.8+)</source>
        <translation>Vorverarbeitung Amtech 26 Bit kodiert (ab v1.8)</translation>
    </message>
    <message>
        <source>Alpha Substitution Preprocessor (v1.93+)</source>
        <translation>Vorverarbeitung Alpha-Ersetzung (ab v1.93)</translation>
    </message>
</context>
<context>
    <name>k52::ProfilePopDialog</name>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>You cannot delete the Default Profile</source>
        <translation>Das Standardprofil kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>verify delete of profile </source>
        <translation>Löschen bestätigen: Profil </translation>
    </message>
    <message>
        <source>Delete Profile</source>
        <translation>Profil löschen</translation>
    </message>
    <message>
        <source>Load Profile</source>
        <translation>Profil laden</translation>
    </message>
</context>
<context>
    <name>k52::Progress</name>
    <message>
        <source>...Programming Speaker Pamameters</source>
        <translation>...Summer-Parameter werden programmiert</translation>
    </message>
    <message>
        <source>...Programming Timing Pamameters</source>
        <translation>...Zeit-Parameter werden programmiert</translation>
    </message>
    <message>
        <source>...Programming Startup Pamameters</source>
        <translation>...Start-Parameter werden programmiert</translation>
    </message>
    <message>
        <source>...Programming Preprocessor Pamameters</source>
        <translation>...Vorverarbeitungs-Parameter werden programmiert</translation>
    </message>
    <message>
        <source>...Programming Preprocessor Pamameters # 2</source>
        <translation>...Vorverarbeitungs-Parameter Nr. 2 werden programmiert</translation>
    </message>
    <message>
        <source>...Programming Dumpmode Pamameters</source>
        <translation>...Dump-Modus-Parameter werden programmiert</translation>
    </message>
    <message>
        <source>...Programming Linefeed Pamameters</source>
        <translation>...Zeilenvorschub-Parameter werden programmiert</translation>
    </message>
    <message>
        <source>Programming Stopped</source>
        <translation>Programmierung abgebrochen</translation>
    </message>
    <message>
        <source>Error downloading</source>
        <translation>Fehler bei der Übertragung</translation>
    </message>
    <message>
        <source>Starting communications</source>
        <translation>Verbindung wird aufgebaut</translation>
    </message>
    <message>
        <source>Unable to Identify Converter</source>
        <translation>Konverter nicht erkannt</translation>
    </message>
    <message>
        <source>Converter has been programmed</source>
        <translation>Der Konverter wurde programmiert</translation>
    </message>
    <message>
        <source>...Programming Serial Pamameters</source>
        <translation>...Seriell-Parameter werden programmiert</translation>
    </message>
    <message>
        <source>...Programming Wie/aba Input Pamameters</source>
        <translation>...Wiegand/ABA-Eingangsparameter werden programmiert</translation>
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
    <name>k52::SaveProfileDialog</name>
    <message>
        <source>Save Profile</source>
        <translation>Profil speichern</translation>
    </message>
    <message>
        <source>Current Saved Profiles</source>
        <translation>Gespeicherte Profile</translation>
    </message>
    <message>
        <source>DblClick to overwrite an existing profile or enter in a new profile name below</source>
        <translation>Doppelklick überschreibt ein vorhandenes Profil, oder unten einen neuen Profilnamen eingeben</translation>
    </message>
    <message>
        <source>New Profile Name</source>
        <translation>Neuer Profilname</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Duplicate Name</source>
        <translation>Name schon vergeben</translation>
    </message>
    <message>
        <source> already exists - Overwrite it Y/N?</source>
        <translation> gibt es schon – überschreiben J/N?</translation>
    </message>
</context>
<context>
    <name>k52::SerMaskScreen</name>
    <message>
        <source>Serial Input Masking</source>
        <translation>Maskierung serieller Eingang</translation>
    </message>
    <message>
        <source>Mask # 1 (default)</source>
        <translation>Maske Nr. 1 (Vorgabe)</translation>
    </message>
    <message>
        <source>Mask # 2 (v1.7+)</source>
        <translation>Maske Nr. 2 (ab v1.7)</translation>
    </message>
    <message>
        <source>Mask # 3 (v1.7+)</source>
        <translation>Maske Nr. 3 (ab v1.7)</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Stelle</translation>
    </message>
    <message>
        <source>Constant</source>
        <translation>Konstante</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Value (hex)</source>
        <translation>Wert (hex)</translation>
    </message>
    <message>
        <source>Input Length</source>
        <translation>Eingangslänge</translation>
    </message>
    <message>
        <source>Special Functions</source>
        <translation>Sonderfunktionen</translation>
    </message>
    <message>
        <source>Masking On</source>
        <translation>Maskierung ein</translation>
    </message>
</context>
<context>
    <name>k52::SerialScreen</name>
    <message>
        <source>Serial Input and Output General Settings</source>
        <translation>Grundeinstellungen serieller Ein- und Ausgang</translation>
    </message>
    <message>
        <source>Converter Baud Rate</source>
        <translation>Baudrate des Konverters</translation>
    </message>
    <message>
        <source>Data Bits/Parity</source>
        <translation>Datenbits/Parität</translation>
    </message>
    <message>
        <source>Input Terminator</source>
        <translation>Endezeichen Eingang</translation>
    </message>
    <message>
        <source>Input Terminator in hex</source>
        <translation>Endezeichen Eingang (hex)</translation>
    </message>
    <message>
        <source>Output Terminator(s)</source>
        <translation>Endezeichen Ausgang</translation>
    </message>
    <message>
        <source>Output Terminator (1) in hex</source>
        <translation>Endezeichen Ausgang (1) (hex)</translation>
    </message>
    <message>
        <source>Output Terminator (2) in hex</source>
        <translation>Endezeichen Ausgang (2) (hex)</translation>
    </message>
    <message>
        <source>Special Functions</source>
        <translation>Sonderfunktionen</translation>
    </message>
    <message>
        <source>Beep on a good conversion</source>
        <translation>Piepton bei erfolgreicher Umsetzung</translation>
    </message>
    <message>
        <source>Ignore Linefeeds on input (V1.8+)</source>
        <translation>Zeilenvorschübe am Eingang ignorieren (ab V1.8)</translation>
    </message>
    <message>
        <source>Serial Input Conversion Type</source>
        <translation>Umsetzungsart serieller Eingang</translation>
    </message>
    <message>
        <source>Serial settings, except the &quot;input conversion type&quot;, will not take effect until the K52 is restarted.</source>
        <translation>Die seriellen Einstellungen, außer der „Umsetzungsart am Eingang“, werden erst nach einem Neustart des K52 wirksam.</translation>
    </message>
</context>
<context>
    <name>k52::TermModeScreen</name>
    <message>
        <source>Terminal Mode</source>
        <translation>Terminalmodus</translation>
    </message>
    <message>
        <source>Clear Screen</source>
        <translation>Bildschirm leeren</translation>
    </message>
    <message>
        <source>Characters in black are what you are sending and characters in red are what you are receiving</source>
        <translation>Schwarze Zeichen werden gesendet, rote Zeichen empfangen</translation>
    </message>
    <message>
        <source>To send a NULL character (hex 00) hit the F10 key</source>
        <translation>Ein NULL-Zeichen (hex 00) sendet die Taste F10</translation>
    </message>
</context>
<context>
    <name>k52::TerminalSidePanel</name>
    <message>
        <source>Line view with times</source>
        <translation>Zeilenansicht mit Zeiten</translation>
    </message>
    <message>
        <source>Hex view</source>
        <translation>Hex-Ansicht</translation>
    </message>
    <message>
        <source>Received lines with their times</source>
        <translation>Empfangene Zeilen mit Zeitstempel</translation>
    </message>
    <message>
        <source>Every byte in hex</source>
        <translation>Jedes Byte in Hex</translation>
    </message>
    <message>
        <source>Log to file…</source>
        <translation>In Datei mitschreiben…</translation>
    </message>
    <message>
        <source>Send file…</source>
        <translation>Datei senden…</translation>
    </message>
    <message>
        <source>File sent so far</source>
        <translation>Bisher gesendeter Teil der Datei</translation>
    </message>
    <message>
        <source>%v of %m bytes</source>
        <translation>%v von %m Bytes</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stop sending the file</source>
        <translation>Senden der Datei abbrechen</translation>
    </message>
    <message>
        <source>Log to file</source>
        <translation>In Datei mitschreiben</translation>
    </message>
    <message>
        <source>Log files (*.log *.txt)</source>
        <translation>Protokolldateien (*.log *.txt)</translation>
    </message>
    <message>
        <source>Send file</source>
        <translation>Datei senden</translation>
    </message>
    <message>
        <source>Cannot log to the file: %1
Choose a file in a folder you can write to.</source>
        <translation>In die Datei kann nicht geschrieben werden: %1
Bitte eine Datei in einem beschreibbaren Ordner wählen.</translation>
    </message>
    <message>
        <source>Stop log</source>
        <translation>Mitschrift beenden</translation>
    </message>
    <message>
        <source>Logging to %1</source>
        <translation>Mitschrift nach %1</translation>
    </message>
    <message>
        <source>The log %1 stopped: %2</source>
        <translation>Die Mitschrift %1 wurde beendet: %2</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB; the terminal sends smaller files.</source>
        <translation>%1 ist größer als %2 MB; das Terminal sendet nur kleinere Dateien.</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Sending %1</source>
        <translation>Sende %1</translation>
    </message>
    <message>
        <source>Sent %1</source>
        <translation>%1 gesendet</translation>
    </message>
    <message>
        <source>The link is not open: %1 of %2 bytes were sent.</source>
        <translation>Die Verbindung ist nicht offen: %1 von %2 Bytes wurden gesendet.</translation>
    </message>
</context>
<context>
    <name>k52::UtilitiesScreen</name>
    <message>
        <source>K52 Utilities</source>
        <translation>K52-Werkzeuge</translation>
    </message>
    <message>
        <source>Version Identification</source>
        <translation>Versionsabfrage</translation>
    </message>
    <message>
        <source>Click for Version</source>
        <translation>Version abfragen</translation>
    </message>
    <message>
        <source>Click to Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Click to Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Reset K52</source>
        <translation>K52 zurücksetzen</translation>
    </message>
    <message>
        <source>Restart K52 (v1.96+)</source>
        <translation>K52 neu starten (ab v1.96)</translation>
    </message>
    <message>
        <source>Startup Beep</source>
        <translation>Piepton beim Start</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Beeper Frequency and Duration</source>
        <translation>Tonfrequenz und -dauer</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message>
        <source>Serial In Beep Time</source>
        <translation>Tondauer seriell</translation>
    </message>
    <message>
        <source>Wie/Aba In Beep Time</source>
        <translation>Tondauer Wie/Aba</translation>
    </message>
    <message>
        <source>Wie/Aba timing</source>
        <translation>Wie/Aba-Timing</translation>
    </message>
    <message>
        <source>Wiegand Pulse Duration</source>
        <translation>Wiegand-Pulsdauer</translation>
    </message>
    <message>
        <source>Mag Pulse Duration</source>
        <translation>Magnet-Pulsdauer</translation>
    </message>
    <message>
        <source>Wiegand Pulse Interval</source>
        <translation>Wiegand-Pulsabstand</translation>
    </message>
    <message>
        <source>Mag Pulse Interval</source>
        <translation>Magnet-Pulsabstand</translation>
    </message>
    <message>
        <source>Cloning (v1.96+)</source>
        <translation>Klonen (ab v1.96)</translation>
    </message>
    <message>
        <source>Read from K52</source>
        <translation>Aus K52 lesen</translation>
    </message>
    <message>
        <source>Clone to new K52</source>
        <translation>In neuen K52 klonen</translation>
    </message>
    <message>
        <source>Save Image As...</source>
        <translation>Abbild speichern unter...</translation>
    </message>
    <message>
        <source>Save a copy of the image the last read saved</source>
        <translation>Eine Kopie des zuletzt gelesenen Abbilds speichern</translation>
    </message>
    <message>
        <source>Nothing was written: no backup (%1)</source>
        <translation>Nichts geschrieben: keine Sicherung (%1)</translation>
    </message>
    <message>
        <source>Clone image saved to %1</source>
        <translation>Klonabbild gespeichert unter %1</translation>
    </message>
    <message>
        <source>Save Image As</source>
        <translation>Abbild speichern unter</translation>
    </message>
    <message>
        <source>Clone images (*.bin);;All files (*)</source>
        <translation>Klonabbilder (*.bin);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The image was not saved: %1</source>
        <translation>Das Abbild wurde nicht gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>k52::WieMagInputScreen</name>
    <message>
        <source>Wiegand and Magstripe Input Options</source>
        <translation>Optionen Wiegand- und Magnetstreifen-Eingang</translation>
    </message>
    <message>
        <source>Wiegand Input - Format # 1</source>
        <translation>Wiegand-Eingang – Format Nr. 1</translation>
    </message>
    <message>
        <source>Wiegand Input - Format # 2</source>
        <translation>Wiegand-Eingang – Format Nr. 2</translation>
    </message>
    <message>
        <source>Wiegand Input - Format # 3 (v1.94+)</source>
        <translation>Wiegand-Eingang – Format Nr. 3 (ab v1.94)</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>LSB</source>
        <translation>LSB zuerst</translation>
    </message>
    <message>
        <source>Chars</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Anlagencode</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Ausweisnr.</translation>
    </message>
    <message>
        <source>Issue</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Total Bits</source>
        <translation>Bits gesamt</translation>
    </message>
    <message>
        <source>Magstripe Input Options</source>
        <translation>Optionen Magnetstreifen-Eingang</translation>
    </message>
    <message>
        <source>Track 1 set</source>
        <translation>Spur 1</translation>
    </message>
    <message>
        <source>Track 2 set</source>
        <translation>Spur 2</translation>
    </message>
    <message>
        <source>C Start</source>
        <translation>Start C</translation>
    </message>
    <message>
        <source>Alpha delete</source>
        <translation>Alpha löschen</translation>
    </message>
    <message>
        <source>Include Start/Stop (serial output only)</source>
        <translation>Start/Stopp mitsenden (nur seriell)</translation>
    </message>
    <message>
        <source>Include Lrc (serial output only)</source>
        <translation>LRC mitsenden (nur seriell)</translation>
    </message>
    <message>
        <source>Direction indicator (serial output only)</source>
        <translation>Richtungskennung (nur seriell)</translation>
    </message>
    <message>
        <source>Sep translate (hex)</source>
        <translation>Trennz. ersetzen (hex)</translation>
    </message>
</context>
<context>
    <name>k52::WieMaskingScreen</name>
    <message>
        <source>Wiegand and Magstripe Input Masking</source>
        <translation>Maskierung Wiegand- und Magnetstreifen-Eingang</translation>
    </message>
    <message>
        <source>Input Mask # 1</source>
        <translation>Eingangsmaske Nr. 1</translation>
    </message>
    <message>
        <source>Input Mask # 2</source>
        <translation>Eingangsmaske Nr. 2</translation>
    </message>
    <message>
        <source>Input Mask # 3 (v1.94+)</source>
        <translation>Eingangsmaske Nr. 3 (ab v1.94)</translation>
    </message>
    <message>
        <source>Note Mask # 1 is used for wiegand input format # 1 and also for magstripe input</source>
        <translation>Hinweis: Maske Nr. 1 gilt für Wiegand-Eingangsformat Nr. 1 und für den Magnetstreifen-Eingang</translation>
    </message>
    <message>
        <source>Note Mask # 2 is used for wiegand input format # 2 only</source>
        <translation>Hinweis: Maske Nr. 2 gilt nur für Wiegand-Eingangsformat Nr. 2</translation>
    </message>
    <message>
        <source>Note Mask # 3 is used for wiegand input format # 3 only</source>
        <translation>Hinweis: Maske Nr. 3 gilt nur für Wiegand-Eingangsformat Nr. 3</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Stelle</translation>
    </message>
    <message>
        <source>Constant</source>
        <translation>Konstante</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Value (hex)</source>
        <translation>Wert (hex)</translation>
    </message>
</context>
<context>
    <name>k52::WieSetupScreen</name>
    <message>
        <source>26 bit wiegand input parity check</source>
        <translation>Paritätsprüfung Wiegand-Eingang 26 Bit</translation>
    </message>
    <message>
        <source>Beep on a good conversion</source>
        <translation>Piepton bei erfolgreicher Umsetzung</translation>
    </message>
    <message>
        <source>Masking On</source>
        <translation>Maskierung ein</translation>
    </message>
    <message>
        <source>Zero Suppression (v1.94+)</source>
        <translation>Nullenunterdrückung (ab v1.94)</translation>
    </message>
    <message>
        <source>Wiegand and Magstripe Input General Settings</source>
        <translation>Grundeinstellungen Wiegand- und Magnetstreifen-Eingang</translation>
    </message>
    <message>
        <source>Input Type</source>
        <translation>Eingangsart</translation>
    </message>
    <message>
        <source>Output Conversion Type</source>
        <translation>Umsetzungsart Ausgang</translation>
    </message>
    <message>
        <source>Dump Mode Options</source>
        <translation>Dump-Modus</translation>
    </message>
    <message>
        <source>Special Functions</source>
        <translation>Sonderfunktionen</translation>
    </message>
</context>
<context>
    <name>k52::WiegandOutputEditor</name>
    <message>
        <source>Serial Input  to Wiegand Output Options</source>
        <translation>Optionen serieller Eingang  → Wiegand-Ausgang</translation>
    </message>
    <message>
        <source>Value (hex):</source>
        <translation>Wert (hex):</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Anlagencode</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Ausweisnr.</translation>
    </message>
    <message>
        <source>Issue</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Constant</source>
        <translation>Konstante</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Extraction Parameters (after masking)</source>
        <translation>Feldauszug (nach der Maskierung)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Extract Site</source>
        <translation>Anlagencode entnehmen</translation>
    </message>
    <message>
        <source>Extract ID</source>
        <translation>Ausweisnr. entnehmen</translation>
    </message>
    <message>
        <source>Extract Issue Code</source>
        <translation>Ausgabecode entnehmen</translation>
    </message>
    <message>
        <source>Output Bit Formats</source>
        <translation>Bitformate des Ausgangs</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source># Bits</source>
        <translation>Bits</translation>
    </message>
    <message>
        <source>LSB</source>
        <translation>LSB zuerst</translation>
    </message>
    <message>
        <source>Const</source>
        <translation>Konst.</translation>
    </message>
    <message>
        <source>Field Overrides and Constant Value</source>
        <translation>Feste Feldwerte und Konstante</translation>
    </message>
    <message>
        <source>Override Site</source>
        <translation>Anlagencode fest</translation>
    </message>
    <message>
        <source>Override ID</source>
        <translation>Ausweisnr. fest</translation>
    </message>
    <message>
        <source>Override Issue</source>
        <translation>Ausgabe fest</translation>
    </message>
    <message>
        <source>Constant Value (hex):</source>
        <translation>Konstante (hex):</translation>
    </message>
    <message>
        <source>Parity Selection</source>
        <translation>Paritätsauswahl</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Maske</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Ungerade</translation>
    </message>
    <message>
        <source>Left Bits:</source>
        <translation>Bits links:</translation>
    </message>
    <message>
        <source>Right Bits:</source>
        <translation>Bits rechts:</translation>
    </message>
    <message>
        <source>Output Order Format</source>
        <translation>Reihenfolge am Ausgang</translation>
    </message>
    <message>
        <source>Parity Masks</source>
        <translation>Paritätsmasken</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Links:</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>Rechts:</translation>
    </message>
    <message>
        <source>Input in Hex</source>
        <translation>Eingabe in Hex</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Aktuelles</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Wiegand and Magstripe Input to Wiegand Output Options</source>
        <translation>Optionen Wiegand/Magnetstreifen-Eingang → Wiegand-Ausgang</translation>
    </message>
    <message>
        <source>Value (hex)</source>
        <translation>Wert (hex)</translation>
    </message>
</context>
<context>
    <name>k52::WiringWindow</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>Braun</translation>
    </message>
    <message>
        <source>K52R / K54R  WIRING COLOR CODES</source>
        <translation>K52R / K54R  ADERFARBEN</translation>
    </message>
    <message>
        <source>+VDC</source>
        <translation>+V DC</translation>
    </message>
    <message>
        <source>Ground</source>
        <translation>Masse</translation>
    </message>
    <message>
        <source>Led OUT</source>
        <translation>LED AUS</translation>
    </message>
    <message>
        <source>Relay Normally Closed</source>
        <translation>Relais Öffner</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Relay Normally Open</source>
        <translation>Relais Schließer</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Relay Common</source>
        <translation>Relais Mittelkontakt</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Data 1 IN / Mag Data IN</source>
        <translation>Data 1 EIN / Magnet-Daten EIN</translation>
    </message>
    <message>
        <source>Data 0 IN / Mag Clock IN</source>
        <translation>Data 0 EIN / Magnet-Takt EIN</translation>
    </message>
    <message>
        <source>Data 0 OUT / Mag Clock OUT</source>
        <translation>Data 0 AUS / Magnet-Takt AUS</translation>
    </message>
    <message>
        <source>Data 1 OUT / Mag Data OUT</source>
        <translation>Data 1 AUS / Magnet-Daten AUS</translation>
    </message>
    <message>
        <source>K52 / K54  WIRING COLOR CODES</source>
        <translation>K52 / K54  ADERFARBEN</translation>
    </message>
    <message>
        <source>Media OUT</source>
        <translation>Medium AUS</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Led / F2F OUT</source>
        <translation>LED / F2F AUS</translation>
    </message>
    <message>
        <source>Colours follow the usual Wiegand wiring convention (red +VDC, black ground, green Data 0, white Data 1, brown LED). Check every wire against the label on the converter itself before connecting.</source>
        <translation>Die Farben folgen der üblichen Wiegand-Belegung (rot +V DC, schwarz Masse, grün Data 0, weiß Data 1, braun LED). Vor dem Anschließen jede Ader mit der Beschriftung am Konverter selbst vergleichen.</translation>
    </message>
    <message>
        <source>Wiring Codes</source>
        <translation>Aderfarben</translation>
    </message>
</context>
<context>
    <name>options</name>
    <message>
        <source>Serial port: a number 1 to 7 (as in the Comm Port setting) or a device path; default: the stored link settings.</source>
        <translation>Serielle Schnittstelle: eine Zahl von 1 bis 7 (wie in der Einstellung „Schnittstelle“) oder ein Gerätepfad; Vorgabe: die gespeicherten Verbindungseinstellungen.</translation>
    </message>
    <message>
        <source>Link speed; default: the stored link settings.</source>
        <translation>Baudrate der Verbindung; Vorgabe: die gespeicherten Verbindungseinstellungen.</translation>
    </message>
    <message>
        <source>Link framing: 0 or E (even, 7 bits), 1 or O (odd, 7 bits), 2 or N (none, 8 bits); default: the stored link settings.</source>
        <translation>Zeichenrahmen: 0 oder E (gerade, 7 Bit), 1 oder O (ungerade, 7 Bit), 2 oder N (keine, 8 Bit); Vorgabe: die gespeicherten Verbindungseinstellungen.</translation>
    </message>
    <message>
        <source>Write every byte to and from the converter into FILE as the job runs (the wire trace, for support).</source>
        <translation>Jedes Byte zum und vom Konverter während des Vorgangs in DATEI schreiben (der Leitungsmitschnitt, für den Support).</translation>
    </message>
    <message>
        <source>--baud: give one of the speeds </source>
        <translation>--baud: eine dieser Baudraten angeben: </translation>
    </message>
    <message>
        <source>--parity: give 0 (E), 1 (O) or 2 (N)</source>
        <translation>--parity: 0 (E), 1 (O) oder 2 (N) angeben</translation>
    </message>
    <message>
        <source>--port: a port number is 1 to 7; give a device path for others</source>
        <translation>--port: Portnummern gehen von 1 bis 7; für andere einen Gerätepfad angeben</translation>
    </message>
    <message>
        <source>First read the converter&apos;s 1024-byte image into the history (firmware 01.96 or later); stop before writing when it cannot be read.</source>
        <translation>Zuerst das 1024-Byte-Abbild des Konverters in den Verlauf lesen (ab Firmware 01.96); vor dem Schreiben abbrechen, wenn es sich nicht lesen lässt.</translation>
    </message>
    <message>
        <source>As --backup, but go on without a backup when the image cannot be read.</source>
        <translation>Wie --backup, aber ohne Sicherung weitermachen, wenn sich das Abbild nicht lesen lässt.</translation>
    </message>
    <message>
        <source>
Nothing was written: a backup needs the history, which could not be written.</source>
        <translation>
Nichts geschrieben: eine Sicherung braucht den Verlauf, und der ließ sich nicht schreiben.</translation>
    </message>
    <message>
        <source>
The action goes on without a history row.</source>
        <translation>
Der Vorgang läuft ohne Verlaufszeile weiter.</translation>
    </message>
    <message>
        <source>The converter&apos;s image could not be read for a backup (</source>
        <translation>Das Abbild des Konverters ließ sich für die Sicherung nicht lesen (</translation>
    </message>
    <message>
        <source>); nothing was written. Use --backup-optional to write without a backup.</source>
        <translation>); es wurde nichts geschrieben. Mit --backup-optional wird ohne Sicherung geschrieben.</translation>
    </message>
    <message>
        <source>Cannot write the wire trace: %1; name a file in a folder you can write to</source>
        <translation>Der Leitungsmitschnitt lässt sich nicht schreiben: %1; bitte eine Datei in einem beschreibbaren Ordner angeben</translation>
    </message>
    <message>
        <source>The wire trace %1 is incomplete: %2</source>
        <translation>Der Leitungsmitschnitt %1 ist unvollständig: %2</translation>
    </message>
</context>
<context>
    <name>plan</name>
    <message>
        <source>Firmware version (or --firmware)</source>
        <translation>Firmware-Version (oder --firmware)</translation>
    </message>
    <message>
        <source>plan: give the firmware version as two digits, a point and two digits (e.g. 01.94)</source>
        <translation>plan: die Firmware-Version als zwei Ziffern, Punkt und zwei Ziffern angeben (z. B. 01.94)</translation>
    </message>
</context>
<context>
    <name>ports</name>
    <message>
        <source>List the serial ports of this machine with the number the Comm Port setting gives them.</source>
        <translation>Listet die seriellen Schnittstellen dieses Rechners mit der Nummer auf, die sie in der Einstellung „Schnittstelle“ tragen.</translation>
    </message>
    <message>
        <source>No serial ports found</source>
        <translation>Keine seriellen Schnittstellen gefunden</translation>
    </message>
</context>
<context>
    <name>profiles</name>
    <message>
        <source>
Nothing was changed.</source>
        <translation>
Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>profiles import-legacy: no file given</source>
        <translation>profiles import-legacy: keine Datei angegeben</translation>
    </message>
    <message>
        <source>; --partial imports the rows that were read</source>
        <translation>; --partial importiert die lesbaren Zeilen</translation>
    </message>
    <message>
        <source>%1: there is no profile named &quot;%2&quot; in the file</source>
        <translation>%1: in der Datei gibt es kein Profil „%2“</translation>
    </message>
    <message>
        <source>%1: there is no table &quot;settings&quot; to take the link settings from</source>
        <translation>%1: es gibt keine Tabelle „settings“, aus der die Verbindungseinstellungen kommen könnten</translation>
    </message>
    <message>
        <source>Read </source>
        <translation>Gelesen: </translation>
    </message>
    <message>
        <source> profiles
</source>
        <translation> Profile
</translation>
    </message>
    <message>
        <source> rows were lost
</source>
        <translation> Zeilen gingen verloren
</translation>
    </message>
    <message>
        <source>Link settings: imported
</source>
        <translation>Verbindungseinstellungen: importiert
</translation>
    </message>
    <message>
        <source>There is no profile named &quot;%1&quot;</source>
        <translation>Es gibt kein Profil „%1“</translation>
    </message>
    <message>
        <source>Import under this name (blanks around it trimmed; at most %1 characters, no control characters).</source>
        <translation>Unter diesem Namen importieren (Leerzeichen außen herum werden entfernt; höchstens %1 Zeichen, keine Steuerzeichen).</translation>
    </message>
    <message>
        <source>Replace a profile of the same name.</source>
        <translation>Ein gleichnamiges Profil ersetzen.</translation>
    </message>
    <message>
        <source>import-legacy: take only this profile (repeatable).</source>
        <translation>import-legacy: nur dieses Profil übernehmen (wiederholbar).</translation>
    </message>
    <message>
        <source>import-legacy: also take the link settings.</source>
        <translation>import-legacy: auch die Verbindungseinstellungen übernehmen.</translation>
    </message>
    <message>
        <source>import-legacy: import what could be read of a damaged profile table and say how many rows were lost.</source>
        <translation>import-legacy: aus einer beschädigten Profiltabelle importieren, was lesbar ist, und melden, wie viele Zeilen verloren gingen.</translation>
    </message>
    <message>
        <source>A profile named &quot;%1&quot; exists already; use --force to replace it</source>
        <translation>Ein Profil „%1“ gibt es schon; mit --force wird es ersetzt</translation>
    </message>
    <message>
        <source>Imported </source>
        <translation>Importiert: </translation>
    </message>
    <message>
        <source>You cannot delete the Default Profile</source>
        <translation>Das Standardprofil kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Manage the profiles of the database.
  list                          one name a line, in name order
  show NAME                     column=value lines, in table order
  export NAME [FILE]            the profile as JSON (standard output without FILE)
  import FILE [--as N] [--force] add a profile from an export file (at most 1 MiB)
  delete NAME                   delete a profile
  import-legacy FILE.mdb [--only NAME]... [--force] [--settings] [--partial]
                                take the profiles of an older Access database; exit status 1
                                when the file cannot be used or a profile was refused
  diff A B                      the settings that differ, by screen; exit 0 same, 1 differ, 2 error</source>
        <translation>Verwaltet die Profile der Datenbank.
  list                          ein Name je Zeile, nach Namen sortiert
  show NAME                     Zeilen Spalte=Wert, in Tabellenreihenfolge
  export NAME [DATEI]           das Profil als JSON (ohne DATEI auf die Standardausgabe)
  import DATEI [--as N] [--force] ein Profil aus einer Exportdatei hinzufügen (höchstens 1 MiB)
  delete NAME                   ein Profil löschen
  import-legacy DATEI.mdb [--only NAME]... [--force] [--settings] [--partial]
                                die Profile einer älteren Access-Datenbank übernehmen; Endestatus 1,
                                wenn die Datei unbrauchbar ist oder ein Profil abgelehnt wurde
  diff A B                      die abweichenden Einstellungen, nach Fenster; Ende 0 gleich, 1 verschieden, 2 Fehler</translation>
    </message>
    <message>
        <source>list, show, export, import or delete</source>
        <translation>list, show, export, import oder delete</translation>
    </message>
    <message>
        <source>profiles: say what to do (list, show, export, import, delete); see --help</source>
        <translation>profiles: bitte die Aktion nennen (list, show, export, import, delete); siehe --help</translation>
    </message>
    <message>
        <source>profiles %1: wrong arguments; see --help</source>
        <translation>profiles %1: falsche Argumente; siehe --help</translation>
    </message>
    <message>
        <source>profiles: unknown action &quot;%1&quot;; see --help</source>
        <translation>profiles: unbekannte Aktion „%1“; siehe --help</translation>
    </message>
</context>
<context>
    <name>program</name>
    <message>
        <source>Firmware version to plan for, e.g. 01.94.</source>
        <translation>Firmware-Version, für die geplant wird, z. B. 01.94.</translation>
    </message>
    <message>
        <source>Write a profile into the converter, printing the progress lines of the programming run. Exits 0 only when the converter has been programmed.</source>
        <translation>Schreibt ein Profil in den Konverter und gibt dabei die Fortschrittszeilen des Programmierlaufs aus. Endet nur mit 0, wenn der Konverter programmiert wurde.</translation>
    </message>
</context>
<context>
    <name>restore</name>
    <message>
        <source>Write the image of a row stored without a checksum (older rows) although it cannot be checked.</source>
        <translation>Das Abbild einer ohne Prüfsumme gespeicherten Zeile (ältere Zeilen) schreiben, obwohl es sich nicht prüfen lässt.</translation>
    </message>
    <message>
        <source>History row whose image is written back</source>
        <translation>Verlaufszeile, deren Abbild zurückgeschrieben wird</translation>
    </message>
    <message>
        <source>Write the converter image kept in history row N (its backup, or the image a clone read or write moved) back into the converter (firmware 01.96 or later). Exits 0 only when the converter took the whole image.</source>
        <translation>Schreibt das in Verlaufszeile N aufbewahrte Konverterabbild (ihre Sicherung oder das Abbild eines Klon-Lese- oder -Schreibvorgangs) zurück in den Konverter (ab Firmware 01.96). Endet nur mit 0, wenn der Konverter das ganze Abbild übernommen hat.</translation>
    </message>
    <message>
        <source>restore: give the history row number (the first column of `history list`)</source>
        <translation>restore: die Nummer der Verlaufszeile angeben (die erste Spalte von `history list`)</translation>
    </message>
    <message>
        <source>History row %1 holds no converter image to restore; rows of a run with --backup and of a clone read or write do</source>
        <translation>Verlaufszeile %1 enthält kein Konverterabbild zum Zurückschreiben; das haben nur Zeilen eines Laufs mit --backup und von Klon-Lese- oder -Schreibvorgängen</translation>
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
    <message>
        <source>Print the bit size table (largest value of a 1 to 64 bit field)</source>
        <translation>Bitgrößentabelle ausgeben (größter Wert eines Felds von 1 bis 64 Bit)</translation>
    </message>
    <message>
        <source>Read a converter&apos;s image into the clone file, or write it into another</source>
        <translation>Abbild eines Konverters in die Klondatei lesen oder in einen anderen schreiben</translation>
    </message>
    <message>
        <source>Check why the serial port cannot be used, and name the fix</source>
        <translation>Prüfen, warum die serielle Schnittstelle nicht nutzbar ist, und die Abhilfe nennen</translation>
    </message>
    <message>
        <source>Find the converter&apos;s port, speed and parity</source>
        <translation>Schnittstelle, Baudrate und Parität des Konverters ermitteln</translation>
    </message>
    <message>
        <source>Download a firmware file into the converter</source>
        <translation>Eine Firmware-Datei in den Konverter laden</translation>
    </message>
    <message>
        <source>List, show, export or report the record of converter writes and reads</source>
        <translation>Den Verlauf der Schreib- und Lesevorgänge auflisten, zeigen, exportieren oder protokollieren</translation>
    </message>
    <message>
        <source>Print the commands the programming run sends for a firmware version</source>
        <translation>Die Befehle ausgeben, die der Programmierlauf für eine Firmware-Version sendet</translation>
    </message>
    <message>
        <source>List the serial ports and their Comm Port numbers</source>
        <translation>Die seriellen Schnittstellen mit ihren COM-Port-Nummern auflisten</translation>
    </message>
    <message>
        <source>List, show, export, import or delete profiles</source>
        <translation>Profile auflisten, zeigen, exportieren, importieren oder löschen</translation>
    </message>
    <message>
        <source>Write a profile into the converter</source>
        <translation>Ein Profil in den Konverter schreiben</translation>
    </message>
    <message>
        <source>Send the reset command</source>
        <translation>Den Reset-Befehl senden</translation>
    </message>
    <message>
        <source>Send the restart command</source>
        <translation>Den Neustart-Befehl senden</translation>
    </message>
    <message>
        <source>Write the converter image kept in a history row back into the converter</source>
        <translation>Das in einer Verlaufszeile aufbewahrte Abbild zurück in den Konverter schreiben</translation>
    </message>
    <message>
        <source>Read the converter&apos;s model and firmware version</source>
        <translation>Modell und Firmware-Version des Konverters lesen</translation>
    </message>
    <message>
        <source>Work out the bits of a card under a Wiegand output format, or read bits back</source>
        <translation>Die Bits einer Karte für ein Wiegand-Ausgangsformat berechnen oder Bits zurücklesen</translation>
    </message>
    <message>
        <source>k52util: the output could not be written</source>
        <translation>k52util: die Ausgabe ließ sich nicht schreiben</translation>
    </message>
    <message>
        <source>Profile to use; default: the current profile.</source>
        <translation>Zu verwendendes Profil; Vorgabe: das aktuelle Profil.</translation>
    </message>
    <message>
        <source>: too many arguments; see --help</source>
        <translation>: zu viele Argumente; siehe --help</translation>
    </message>
    <message>
        <source>Cannot open the profile database: %1</source>
        <translation>Die Profildatenbank lässt sich nicht öffnen: %1</translation>
    </message>
    <message>
        <source>An Access database of the older program is at %1; import its profiles with &quot;k52util profiles import-legacy %1&quot;.</source>
        <translation>Unter %1 liegt eine Access-Datenbank des älteren Programms; ihre Profile importiert „k52util profiles import-legacy %1“.</translation>
    </message>
    <message>
        <source>The profile database %1 does not exist: check the --db path (only commands that write create a database)</source>
        <translation>Die Profildatenbank %1 gibt es nicht: bitte den Pfad bei --db prüfen (nur schreibende Befehle legen eine Datenbank an)</translation>
    </message>
    <message>
        <source>k52util: the window program is missing; looked for %1.</source>
        <translation>k52util: das Fensterprogramm fehlt; gesucht wurde %1.</translation>
    </message>
    <message>
        <source>k52util: the window program %1 could not be started: %2.</source>
        <translation>k52util: das Fensterprogramm %1 ließ sich nicht starten: %2.</translation>
    </message>
    <message>
        <source>Reinstall k52util.</source>
        <translation>Bitte k52util neu installieren.</translation>
    </message>
</context>
<context>
    <name>version</name>
    <message>
        <source>Ask the converter for its model and firmware version.</source>
        <translation>Fragt den Konverter nach Modell und Firmware-Version.</translation>
    </message>
    <message>
        <source>Unable to Identify Converter</source>
        <translation>Konverter nicht erkannt</translation>
    </message>
</context>
<context>
    <name>wiegand</name>
    <message>
        <source>serial (serial input to Wiegand) or input1 (Wiegand and magstripe input to Wiegand).</source>
        <translation>serial (serieller Eingang → Wiegand) oder input1 (Wiegand- und Magnetstreifen-Eingang → Wiegand).</translation>
    </message>
    <message>
        <source>Site code (decimal).</source>
        <translation>Anlagencode (dezimal).</translation>
    </message>
    <message>
        <source>ID, the card number (decimal).</source>
        <translation>Ausweisnummer, die Kartennummer (dezimal).</translation>
    </message>
    <message>
        <source>Issue code (decimal); default 0.</source>
        <translation>Ausgabecode (dezimal); Vorgabe 0.</translation>
    </message>
    <message>
        <source>wiegand: give --format serial or --format input1</source>
        <translation>wiegand: --format serial oder --format input1 angeben</translation>
    </message>
    <message>
        <source>Format: </source>
        <translation>Format: </translation>
    </message>
    <message>
        <source> bits, </source>
        <translation> Bit, </translation>
    </message>
    <message>
        <source>Bits:   </source>
        <translation>Bits:   </translation>
    </message>
    <message>
        <source>Hex:    </source>
        <translation>Hex:    </translation>
    </message>
    <message>
        <source>Mask parity: the bits shown as p are not computed (the converter derives them from the masks)</source>
        <translation>Maskenparität: die als p gezeigten Bits werden nicht berechnet (der Konverter leitet sie aus den Masken ab)</translation>
    </message>
    <message>
        <source> takes a decimal number, not &quot;</source>
        <translation> erwartet eine Dezimalzahl, nicht &quot;</translation>
    </message>
    <message>
        <source>wiegand decode: give the bits (e.g. 10000000100000000000000010) or hex and a bit count (e.g. 2020002/26)</source>
        <translation>wiegand decode: die Bits (z. B. 10000000100000000000000010) oder Hex mit Bitanzahl (z. B. 2020002/26) angeben</translation>
    </message>
    <message>
        <source>- (not in the format)</source>
        <translation>- (nicht im Format)</translation>
    </message>
    <message>
        <source>FAILS: </source>
        <translation>FEHLER: </translation>
    </message>
    <message>
        <source>encode or decode</source>
        <translation>encode oder decode</translation>
    </message>
    <message>
        <source>encode|decode [BITS|HEX/COUNT]</source>
        <translation>encode|decode [BITS|HEX/ANZAHL]</translation>
    </message>
    <message>
        <source>The card calculator of a profile&apos;s Wiegand output formats.
  encode --format F --site S --id I [--issue C]   the bits the converter sends
  decode --format F BITS | HEX/COUNT              the fields and the parity verdict
Exits 1 when a parity bit, a fixed value or the constant does not match.</source>
        <translation>Der Kartenrechner für die Wiegand-Ausgangsformate eines Profils.
  encode --format F --site S --id I [--issue C]   die Bits, die der Konverter sendet
  decode --format F BITS | HEX/ANZAHL             die Felder und das Urteil der Paritätsprüfung
Endet mit 1, wenn ein Paritätsbit, ein fester Wert oder die Konstante nicht stimmt.</translation>
    </message>
    <message>
        <source>wiegand: give encode or decode; see --help</source>
        <translation>wiegand: encode oder decode angeben; siehe --help</translation>
    </message>
    <message>
        <source>wiegand encode: takes no arguments beyond its options; see --help</source>
        <translation>wiegand encode: nimmt außer den Optionen keine Argumente; siehe --help</translation>
    </message>
    <message>
        <source>wiegand: the %1 format cannot be calculated: %2</source>
        <translation>wiegand: das Format %1 lässt sich nicht berechnen: %2</translation>
    </message>
</context>
</TS>
