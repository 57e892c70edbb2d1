<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/mainwindow/aboutdialog.ui" line="7"/>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/aboutdialog.ui" line="21"/>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:18pt; font-weight:600;&quot;&gt;Tovrik VVV&lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;br /&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;PPP Version VVV&lt;/span&gt;&lt;br /&gt;A serial console for Mikrokopter flight controllers. This program is provided as is, WITHOUT ANY WARRANTY, without even the implied warranty of merchantability or fitness for a particular purpose.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:18pt; font-weight:600;&quot;&gt;Tovrik VVV&lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;br /&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;PPP Version VVV&lt;/span&gt;&lt;br /&gt;Eine serielle Konsole für Mikrokopter-Flugsteuerungen. Dieses Programm wird bereitgestellt, wie es ist, OHNE JEDE GEWÄHRLEISTUNG, auch ohne die stillschweigende Gewährleistung der Marktgängigkeit oder der Eignung für einen bestimmten Zweck.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/aboutdialog.ui" line="45"/>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <location filename="../src/session/capturereader.cpp" line="47"/>
        <source>Cannot read the capture &apos;%1&apos;: %2</source>
        <translation>Der Mitschnitt &apos;%1&apos; kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../src/session/capturereader.cpp" line="64"/>
        <source>&apos;%1&apos; is not a capture file: its first line is not &quot;%2&quot;</source>
        <translation>&apos;%1&apos; ist keine Mitschnittdatei: die erste Zeile lautet nicht &quot;%2&quot;</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <location filename="../src/session/capturewriter.cpp" line="29"/>
        <location filename="../src/session/capturewriter.cpp" line="36"/>
        <source>Cannot record to &apos;%1&apos;: %2</source>
        <translation>Aufzeichnung nach &apos;%1&apos; nicht möglich: %2</translation>
    </message>
    <message>
        <location filename="../src/session/capturewriter.cpp" line="87"/>
        <source>Recording to &apos;%1&apos; stopped: %2</source>
        <translation>Aufzeichnung nach &apos;%1&apos; abgebrochen: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="35"/>
        <source>Talks to Mikrokopter flight controllers over a serial line: requests, a checked frame log, decoded fields and live analog values. Captures of a session can be recorded, opened, replayed and exported as CSV.</source>
        <translation>Spricht über eine serielle Leitung mit Mikrokopter-Flugsteuerungen: Anfragen, ein geprüftes Rahmenprotokoll, dekodierte Felder und laufende Analogwerte. Mitschnitte einer Sitzung lassen sich aufzeichnen, öffnen, wiedergeben und als CSV exportieren.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="40"/>
        <source>Displays version information.</source>
        <translation>Zeigt die Versionsinformationen an.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="42"/>
        <source>A capture file to open in the frame log.</source>
        <translation>Eine Mitschnittdatei, die im Rahmenprotokoll geöffnet wird.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="44"/>
        <source>Selects and opens this serial port at start.</source>
        <translation>Wählt beim Start diese serielle Schnittstelle und öffnet sie.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="45"/>
        <source>path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="47"/>
        <source>Records the session to this capture file from the start.</source>
        <translation>Zeichnet die Sitzung von Anfang an in diese Mitschnittdatei auf.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="47"/>
        <location filename="../src/mainwindow/commandline.cpp" line="57"/>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="49"/>
        <source>Writes the frames of one command letter of this capture as CSV and exits, without opening a window.</source>
        <translation>Schreibt die Rahmen eines Befehlsbuchstabens aus diesem Mitschnitt als CSV und beendet sich, ohne ein Fenster zu öffnen.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="51"/>
        <source>capture</source>
        <translation>Mitschnitt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="53"/>
        <source>The command letter to export (default D).</source>
        <translation>Der zu exportierende Befehlsbuchstabe (Vorgabe D).</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="53"/>
        <source>letter</source>
        <translation>Buchstabe</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="56"/>
        <source>Writes the CSV to this file instead of the standard output.</source>
        <translation>Schreibt die CSV-Daten in diese Datei statt auf die Standardausgabe.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="84"/>
        <source>only one capture file can be opened</source>
        <translation>es kann nur eine Mitschnittdatei geöffnet werden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="96"/>
        <source>--cmd wants one command letter, not &apos;%1&apos;</source>
        <translation>--cmd erwartet einen einzelnen Befehlsbuchstaben, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="120"/>
        <location filename="../src/mainwindow/commandline.cpp" line="135"/>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="126"/>
        <source>mk.js defines no fields for the letter &apos;%1&apos;</source>
        <translation>mk.js definiert keine Felder für den Buchstaben &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="136"/>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="141"/>
        <source>%1: %2 &apos;%3&apos; frame(s) with a bad check sum skipped</source>
        <translation>%1: %2 &apos;%3&apos;-Rahmen mit falscher Prüfsumme übersprungen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="146"/>
        <source>%1: %2 line(s) not understood and skipped</source>
        <translation>%1: %2 unverständliche Zeile(n) übersprungen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="211"/>
        <source>cannot record to &apos;%1&apos;</source>
        <translation>Aufzeichnung nach &apos;%1&apos; nicht möglich</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commandline.cpp" line="215"/>
        <source>cannot open the capture &apos;%1&apos;</source>
        <translation>der Mitschnitt &apos;%1&apos; kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>Conversation</name>
    <message>
        <location filename="../src/session/conversation.cpp" line="45"/>
        <source>A request for &apos;%1&apos; is still waiting for its answer</source>
        <translation>Eine Anfrage nach &apos;%1&apos; wartet noch auf ihre Antwort</translation>
    </message>
    <message>
        <location filename="../src/session/conversation.cpp" line="81"/>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/session/conversation.cpp" line="164"/>
        <source>No answer &apos;%1&apos; after %n request(s)</source>
        <translation>
            <numerusform>Keine Antwort &apos;%1&apos; nach %n Anfrage</numerusform>
            <numerusform>Keine Antwort &apos;%1&apos; nach %n Anfragen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <location filename="../src/session/csvexport.cpp" line="282"/>
        <source>file &apos;mk.js&apos; not found</source>
        <translation>Datei &apos;mk.js&apos; nicht gefunden</translation>
    </message>
    <message>
        <location filename="../src/session/csvexport.cpp" line="296"/>
        <source>script error in &apos;%1&apos;: %2</source>
        <translation>Skriptfehler in &apos;%1&apos;: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="6"/>
        <source>Tovrik</source>
        <translation>Tovrik</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="17"/>
        <source>Mikrokopter commands</source>
        <translation>Mikrokopter-Befehle</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="21"/>
        <source>Version request</source>
        <translation>Version anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="22"/>
        <source>v</source>
        <translation>v</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="27"/>
        <source>Mixer Request</source>
        <translation>Mixer anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="28"/>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="35"/>
        <source>Labels of analog values request</source>
        <translation>Bezeichnungen der Analogwerte anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="36"/>
        <source>a</source>
        <translation>a</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="50"/>
        <source>BL Parameter request</source>
        <translation>BL-Parameter anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="51"/>
        <source>u</source>
        <translation>u</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="76"/>
        <source>Read PPM Channels</source>
        <translation>PPM-Kanäle lesen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="77"/>
        <source>p</source>
        <translation>p</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="84"/>
        <source>Display request</source>
        <translation>Display anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="85"/>
        <source>l</source>
        <translation>l</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="99"/>
        <source>Debug request</source>
        <translation>Debug-Daten anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="100"/>
        <source>d</source>
        <translation>d</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="116"/>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="139"/>
        <source>display data in hexadecimal</source>
        <translation>Daten hexadezimal anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="140"/>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="88"/>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="90"/>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="92"/>
        <source>Cmd</source>
        <translation>Bef.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="94"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="96"/>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="187"/>
        <source>list of devices</source>
        <translation>Liste der Geräte</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="193"/>
        <source>display only Future Technology devices</source>
        <translation>nur Geräte von Future Technology anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="194"/>
        <source>FTDI only</source>
        <translation>Nur FTDI</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="207"/>
        <source>Real time display</source>
        <translation>Echtzeitanzeige</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="208"/>
        <source>Rt</source>
        <translation>Rt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="213"/>
        <source>clear 3 display panes</source>
        <translation>die drei Anzeigen leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="214"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="219"/>
        <source>Connection to Mikrokopter</source>
        <translation>Verbindung zum Mikrokopter</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="220"/>
        <location filename="../src/mainwindow/connection.cpp" line="168"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="233"/>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="236"/>
        <source>Windows</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="250"/>
        <source>Show &amp;Terminal</source>
        <translation>&amp;Terminal anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="28"/>
        <source>frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="38"/>
        <source>address: %1</source>
        <translation>Adresse: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="39"/>
        <source>data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="31"/>
        <source>Error: file &apos;mk.js&apos; not found</source>
        <translation>Fehler: Datei &apos;mk.js&apos; nicht gefunden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="34"/>
        <source>Error: &apos;%1&apos; is not a regular file; no definitions loaded</source>
        <translation>Fehler: &apos;%1&apos; ist keine reguläre Datei; keine Definitionen geladen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="38"/>
        <source>Error: &apos;%1&apos; is larger than %2 MiB; no definitions loaded</source>
        <translation>Fehler: &apos;%1&apos; ist größer als %2 MiB; keine Definitionen geladen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="46"/>
        <source>Using script file &apos;%1&apos;</source>
        <translation>Verwende Skriptdatei &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="47"/>
        <source>Parsing script file &apos;mk.js&apos;</source>
        <translation>Lese Skriptdatei &apos;mk.js&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="62"/>
        <location filename="../src/mainwindow/script.cpp" line="70"/>
        <source>Script error</source>
        <translation>Skriptfehler</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="71"/>
        <source>: stopped after running for %1 seconds without finishing</source>
        <translation>: nach %1 Sekunden ohne Ende abgebrochen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="199"/>
        <source>Serial name device is empty, check you MKUSB connection or install FTDI drivers.</source>
        <translation>Kein serielles Gerät gewählt; bitte die MKUSB-Verbindung prüfen oder FTDI-Treiber installieren.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="172"/>
        <source>Serial device &apos;%1&apos; closed succesfully.</source>
        <translation>Serielles Gerät &apos;%1&apos; geschlossen.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="30"/>
        <source>Maker: %1</source>
        <translation>Hersteller: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="32"/>
        <source>Product: %1</source>
        <translation>Produkt: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="34"/>
        <source>Serial number: %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="36"/>
        <source>By-id name: %1</source>
        <translation>By-id-Name: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="38"/>
        <source>On-board serial port %1</source>
        <translation>Eingebaute serielle Schnittstelle %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="40"/>
        <source>No details about the adapter of %1</source>
        <translation>Keine Angaben zum Adapter von %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="60"/>
        <source>Line noise: %1 bytes dropped in front of frames</source>
        <translation>Leitungsstörungen: %1 Bytes vor Rahmen verworfen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="78"/>
        <source>Reconnect automatically</source>
        <translation>Automatisch neu verbinden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="83"/>
        <source>Reopen the connection by itself when the device last connected comes back</source>
        <translation>Öffnet die Verbindung selbst wieder, sobald das zuletzt verbundene Gerät zurückkehrt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="90"/>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="92"/>
        <source>Show counts, rates and answer times of the link</source>
        <translation>Zeigt Zähler, Raten und Antwortzeiten der Verbindung</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="150"/>
        <source>Serial device &apos;%1&apos; reopened automatically.</source>
        <translation>Serielles Gerät &apos;%1&apos; automatisch wieder geöffnet.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="153"/>
        <source>Serial device &apos;%1&apos; opened succesfully.</source>
        <translation>Serielles Gerät &apos;%1&apos; geöffnet.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="155"/>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="145"/>
        <source>Serial device &apos;%1&apos; Failed to open</source>
        <translation>Serielles Gerät &apos;%1&apos; konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="180"/>
        <source>Connection with device %1 lost: %2</source>
        <translation>Verbindung mit Gerät %1 verloren: %2</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="184"/>
        <source>Requests dropped on closing: %1</source>
        <translation>Beim Schließen verworfene Anfragen: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="231"/>
        <source>Trying again in %1 s.</source>
        <translation>Neuer Versuch in %1 s.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="312"/>
        <source>Device %1 discovered</source>
        <translation>Gerät %1 gefunden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="330"/>
        <source>Device %1 removed</source>
        <translation>Gerät %1 entfernt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="175"/>
        <source>Connection with device %1 closed</source>
        <translation>Verbindung mit Gerät %1 geschlossen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="59"/>
        <source>Frame log full: the oldest %1 frames were dropped</source>
        <translation>Rahmenprotokoll voll: die ältesten %1 Rahmen wurden verworfen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="76"/>
        <source>No answer from the device for analog label %1 after %2 tries; label collection abandoned.</source>
        <translation>Keine Antwort des Geräts auf Analog-Bezeichnung %1 nach %2 Versuchen; Abfrage der Bezeichnungen abgebrochen.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="89"/>
        <source>Frames that arrived faster than the window could show them (in the table or the console); every frame is kept in the frame store</source>
        <translation>Rahmen, die schneller ankamen, als das Fenster sie anzeigen konnte (in der Tabelle oder der Konsole); jeder Rahmen bleibt im Rahmenspeicher erhalten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="134"/>
        <source>… %1 more bad frames in the last second</source>
        <translation>… %1 weitere fehlerhafte Rahmen in der letzten Sekunde</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="140"/>
        <source>%1 frames not shown</source>
        <translation>%1 Rahmen nicht angezeigt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="25"/>
        <source>Tovrik initialized</source>
        <translation>Tovrik bereit</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="65"/>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="66"/>
        <source>Show the application&apos;s About box</source>
        <translation>Zeigt Informationen über das Programm</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="86"/>
        <source>Filter only FTDI devices</source>
        <translation>Nur FTDI-Geräte anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="258"/>
        <source>Translation file &apos;%1&apos; not loaded: %2</source>
        <translation>Übersetzungsdatei &apos;%1&apos; nicht geladen: %2</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="263"/>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="265"/>
        <location filename="../src/mainwindow/translation.cpp" line="271"/>
        <source>too large</source>
        <translation>zu groß</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="268"/>
        <source>cannot be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="274"/>
        <source>the file is damaged</source>
        <translation>die Datei ist beschädigt</translation>
    </message>
</context>
<context>
    <name>MkSerial</name>
    <message>
        <location filename="../src/serial/mkserial.cpp" line="199"/>
        <source>the device hung up</source>
        <translation>das Gerät hat die Leitung getrennt</translation>
    </message>
</context>
<context>
    <name>OpenDiagnosis</name>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="148"/>
        <source>unknown program</source>
        <translation>unbekanntes Programm</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="155"/>
        <source>Permission denied on %1 (%2).</source>
        <translation>Zugriff auf %1 verweigert (%2).</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="157"/>
        <source>Permission denied: %1 belongs to the group &apos;%2&apos; and you are not in it. Run &apos;sudo usermod -aG %2 $USER&apos;, then log out and in again.</source>
        <translation>Zugriff verweigert: %1 gehört der Gruppe &apos;%2&apos;, in der dieses Benutzerkonto nicht ist. Bitte &apos;sudo usermod -aG %2 $USER&apos; ausführen, dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="160"/>
        <source>Permission denied: you are in the group &apos;%2&apos; of %1, but this login started before you were added. Log out and in again.</source>
        <translation>Zugriff verweigert: Das Benutzerkonto ist in der Gruppe &apos;%2&apos; von %1, aber diese Anmeldung begann vor der Aufnahme in die Gruppe. Bitte ab- und wieder anmelden.</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="168"/>
        <source>%1 is held by another program. Close it, then connect again.</source>
        <translation>%1 wird von einem anderen Programm belegt. Bitte das Programm schließen und dann erneut verbinden.</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="171"/>
        <source>%1 (pid %2)</source>
        <translation>%1 (PID %2)</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="172"/>
        <source>%1 is held by %2. Close it, then connect again.</source>
        <translation>%1 wird von %2 belegt. Bitte das Programm schließen und dann erneut verbinden.</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="182"/>
        <source>%1 is gone: %2.</source>
        <translation>%1 ist nicht mehr vorhanden: %2.</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="184"/>
        <source>%1 is not a serial port: %2.</source>
        <translation>%1 ist keine serielle Schnittstelle: %2.</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="186"/>
        <source>%1 could not be opened.</source>
        <translation>%1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <location filename="../src/serial/opendiagnosis.cpp" line="188"/>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
</context>
<context>
    <name>RtDialog</name>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="6"/>
        <source>Real time dialog</source>
        <translation>Echtzeitwerte</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="18"/>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="21"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="30"/>
        <source>Refresh Labels</source>
        <translation>Bezeichnungen laden</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="35"/>
        <source>Refresh data</source>
        <translation>Daten laden</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="42"/>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="43"/>
        <source>Keep the device sending values while the port is open</source>
        <translation>Lässt das Gerät Werte senden, solange die Schnittstelle geöffnet ist</translation>
    </message>
</context>
<context>
    <name>RtPlot</name>
    <message>
        <location filename="../src/rtdialog/rtplot.cpp" line="78"/>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="41"/>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="41"/>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="49"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="147"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="50"/>
        <source>Hold the plot still; double-click the plot to follow again</source>
        <translation>Hält das Diagramm an; ein Doppelklick auf das Diagramm lässt es wieder mitlaufen</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="56"/>
        <source>Time span</source>
        <translation>Zeitspanne</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="65"/>
        <source>Axis</source>
        <translation>Achse</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="66"/>
        <source>Value axis: automatic or fixed</source>
        <translation>Werteachse: automatisch oder fest</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="71"/>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="84"/>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="85"/>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="93"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="96"/>
        <source>Save plot as image...</source>
        <translation>Diagramm als Bild speichern...</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="97"/>
        <source>Save visible data as CSV...</source>
        <translation>Sichtbare Daten als CSV speichern...</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="137"/>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="270"/>
        <source>%1: %2 at %3 s</source>
        <translation>%1: %2 bei %3 s</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="391"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="398"/>
        <source>Save plot as image</source>
        <translation>Diagramm als Bild speichern</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="392"/>
        <source>PNG image (*.png);;SVG drawing (*.svg)</source>
        <translation>PNG-Bild (*.png);;SVG-Zeichnung (*.svg)</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="398"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="411"/>
        <source>Could not write %1.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="403"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="410"/>
        <source>Save visible data as CSV</source>
        <translation>Sichtbare Daten als CSV speichern</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="404"/>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="32"/>
        <source>Captures (*.mkcap);;All files (*)</source>
        <translation>Mitschnitte (*.mkcap);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="48"/>
        <source>Open a capture</source>
        <translation>Mitschnitt öffnen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="64"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="67"/>
        <source>&amp;Open capture...</source>
        <translation>Mitschnitt ö&amp;ffnen...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="70"/>
        <source>Load a capture file into the frame log</source>
        <translation>Lädt eine Mitschnittdatei in das Rahmenprotokoll</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="72"/>
        <source>&amp;Record...</source>
        <translation>&amp;Aufzeichnen...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="75"/>
        <source>Write every frame and event of the session to a capture file</source>
        <translation>Schreibt jeden Rahmen und jedes Ereignis der Sitzung in eine Mitschnittdatei</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="78"/>
        <source>Re&amp;play</source>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="86"/>
        <source>At the recorded pace (x1)</source>
        <translation>Im aufgezeichneten Tempo (x1)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="87"/>
        <source>Four times faster (x4)</source>
        <translation>Viermal so schnell (x4)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="88"/>
        <source>As fast as possible</source>
        <translation>So schnell wie möglich</translation>
    </message>
    <message>
        <source>Feed the logged frames to the real-time dialog</source>
        <translation type="vanished">Spielt die protokollierten Rahmen in die Echtzeitwerte ein</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="93"/>
        <source>Play a capture&apos;s frames again, as the device sent them</source>
        <translation>Die Rahmen eines Mitschnitts erneut abspielen, wie das Gerät sie gesendet hat</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="98"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="106"/>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="110"/>
        <source>&amp;Export CSV...</source>
        <translation>CSV &amp;exportieren...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="112"/>
        <source>Write the frames of one command letter as a CSV table</source>
        <translation>Schreibt die Rahmen eines Befehlsbuchstabens als CSV-Tabelle</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="115"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="145"/>
        <source>Open capture</source>
        <translation>Mitschnitt öffnen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="157"/>
        <source>Disconnect from the device and open the capture &apos;%1&apos;?</source>
        <translation>Verbindung zum Gerät trennen und den Mitschnitt &apos;%1&apos; öffnen?</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="177"/>
        <source>Loading the capture &apos;%1&apos;...</source>
        <translation>Lade den Mitschnitt &apos;%1&apos;...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="178"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="195"/>
        <source>Capture &apos;%1&apos; opened: %n frame(s)</source>
        <translation>
            <numerusform>Mitschnitt &apos;%1&apos; geöffnet: %n Rahmen</numerusform>
            <numerusform>Mitschnitt &apos;%1&apos; geöffnet: %n Rahmen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="197"/>
        <source>, %n line(s) not understood and skipped</source>
        <translation>
            <numerusform>, %n unverständliche Zeile übersprungen</numerusform>
            <numerusform>, %n unverständliche Zeilen übersprungen</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="199"/>
        <source> (loading cancelled)</source>
        <translation> (Laden abgebrochen)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="243"/>
        <source>Recording to &apos;%1&apos;</source>
        <translation>Aufzeichnung nach &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="254"/>
        <source>Recording to &apos;%1&apos; ended</source>
        <translation>Aufzeichnung nach &apos;%1&apos; beendet</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="264"/>
        <source>Record to</source>
        <translation>Aufzeichnen nach</translation>
    </message>
    <message>
        <source>Nothing to replay: the frame log is empty</source>
        <translation type="vanished">Nichts wiederzugeben: das Rahmenprotokoll ist leer</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="223"/>
        <source>Analog %1</source>
        <translation>Analog %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="275"/>
        <source>Replay capture</source>
        <translation>Mitschnitt abspielen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="283"/>
        <source>Disconnect from the device and replay the capture &apos;%1&apos;?</source>
        <translation>Verbindung zum Gerät trennen und den Mitschnitt &apos;%1&apos; abspielen?</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="300"/>
        <source>Replaying &apos;%1&apos;</source>
        <translation>&apos;%1&apos; wird abgespielt</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="309"/>
        <source>Replay of &apos;%1&apos; finished: %n frame(s)</source>
        <translation>
            <numerusform>Wiedergabe von &apos;%1&apos; beendet: %n Rahmen</numerusform>
            <numerusform>Wiedergabe von &apos;%1&apos; beendet: %n Rahmen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="313"/>
        <source>, %n step(s) back in time or gap(s) over 10 s played as 1 s pauses</source>
        <translation>
            <numerusform>, %n Zeitsprung zurück oder Lücke über 10 s als 1 s Pause abgespielt</numerusform>
            <numerusform>, %n Zeitsprünge zurück oder Lücken über 10 s als 1 s Pause abgespielt</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="345"/>
        <source>CSV export needs the definitions of mk.js</source>
        <translation>Der CSV-Export braucht die Definitionen aus mk.js</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="350"/>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="355"/>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="351"/>
        <source>Command letter:</source>
        <translation>Befehlsbuchstabe:</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="356"/>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="366"/>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="374"/>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="378"/>
        <source>Exported %n &apos;%1&apos; frame(s) to &apos;%2&apos;</source>
        <translation>
            <numerusform>%n &apos;%1&apos;-Rahmen nach &apos;%2&apos; exportiert</numerusform>
            <numerusform>%n &apos;%1&apos;-Rahmen nach &apos;%2&apos; exportiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="381"/>
        <source>, %n bad frame(s) skipped</source>
        <translation>
            <numerusform>, %n fehlerhafter Rahmen übersprungen</numerusform>
            <numerusform>, %n fehlerhafte Rahmen übersprungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SessionPipeline</name>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="31"/>
        <source>The link changed</source>
        <translation>Die Verbindung wurde gewechselt</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="47"/>
        <source>The link was closed</source>
        <translation>Die Verbindung wurde geschlossen</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="192"/>
        <source>Not sent: the session is a capture, not a device</source>
        <translation>Nicht gesendet: die Sitzung ist ein Mitschnitt, kein Gerät</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="193"/>
        <source>Not sent: no device connected</source>
        <translation>Nicht gesendet: kein Gerät verbunden</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="199"/>
        <source>Not sent: this request is never sent automatically</source>
        <translation>Nicht gesendet: diese Anfrage wird nie automatisch gesendet</translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="18"/>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="28"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="50"/>
        <source>%1 B/s</source>
        <translation>%1 B/s</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="51"/>
        <source>%1 kB/s</source>
        <translation>%1 kB/s</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="60"/>
        <source>rx %1 · %2 frames/s · %3 bad</source>
        <translation>rx %1 · %2 Rahmen/s · %3 fehlerhaft</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="70"/>
        <source>Received %1 frames (%2 bytes), sent %3 (%4 bytes), %5 with a bad check sum, %6 junk bytes dropped</source>
        <translation>%1 Rahmen empfangen (%2 Bytes), %3 gesendet (%4 Bytes), %5 mit falscher Prüfsumme, %6 Störbytes verworfen</translation>
    </message>
</context>
<context>
    <name>StatisticsModel</name>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="90"/>
        <source>Time from a request to its answer, in milliseconds (v to V, a to A, d to D, ...)</source>
        <translation>Zeit von einer Anfrage bis zu ihrer Antwort in Millisekunden (v zu V, a zu A, d zu D, ...)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="93"/>
        <source>Frames per second, both directions, over the last 5 seconds</source>
        <translation>Rahmen pro Sekunde in beide Richtungen, über die letzten 5 Sekunden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="100"/>
        <source>Cmd</source>
        <translation>Bef.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="102"/>
        <source>Received</source>
        <translation>Empfangen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="104"/>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="106"/>
        <source>Frames/s</source>
        <translation>Rahmen/s</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="108"/>
        <source>Bad</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="110"/>
        <source>Bytes in</source>
        <translation>Bytes ein</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="112"/>
        <source>Bytes out</source>
        <translation>Bytes aus</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="114"/>
        <source>Min ms</source>
        <translation>Min ms</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="116"/>
        <source>Median ms</source>
        <translation>Median ms</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsmodel.cpp" line="118"/>
        <source>Max ms</source>
        <translation>Max ms</translation>
    </message>
</context>
</TS>
