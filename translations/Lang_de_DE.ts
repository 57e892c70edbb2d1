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
    <name>CaptureDrop</name>
    <message>
        <location filename="../src/mainwindow/capturedrop.cpp" line="28"/>
        <source>Nothing to open was dropped.</source>
        <translation>Es wurde nichts zum Öffnen abgelegt.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/capturedrop.cpp" line="30"/>
        <source>%n files were dropped; drop one capture file at a time.</source>
        <translation>
            <numerusform>%n Datei wurde abgelegt; bitte eine Mitschnittdatei nach der anderen ablegen.</numerusform>
            <numerusform>%n Dateien wurden abgelegt; bitte eine Mitschnittdatei nach der anderen ablegen.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/mainwindow/capturedrop.cpp" line="34"/>
        <source>&apos;%1&apos; is not a file on this computer.</source>
        <translation>„%1“ ist keine Datei auf diesem Rechner.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/capturedrop.cpp" line="39"/>
        <source>&apos;%1&apos; is a folder, not a capture file.</source>
        <translation>„%1“ ist ein Ordner, keine Mitschnittdatei.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/capturedrop.cpp" line="41"/>
        <source>&apos;%1&apos; does not exist.</source>
        <translation>„%1“ existiert nicht.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/capturedrop.cpp" line="43"/>
        <source>&apos;%1&apos; is not a regular file.</source>
        <translation>„%1“ ist keine reguläre Datei.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/capturedrop.cpp" line="49"/>
        <source>&apos;%1&apos; is not a capture file (.mkcap).</source>
        <translation>„%1“ ist keine Mitschnittdatei (.mkcap).</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <location filename="../src/capture/capturereader.cpp" line="52"/>
        <location filename="../src/capture/capturereader.cpp" line="98"/>
        <source>Cannot read the capture &apos;%1&apos;: %2</source>
        <translation>Der Mitschnitt &apos;%1&apos; kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../src/capture/capturereader.cpp" line="72"/>
        <source>&apos;%1&apos; is not a capture file: its first line is not &quot;%2&quot;</source>
        <translation>&apos;%1&apos; ist keine Mitschnittdatei: die erste Zeile lautet nicht &quot;%2&quot;</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <location filename="../src/capture/capturewriter.cpp" line="37"/>
        <location filename="../src/capture/capturewriter.cpp" line="45"/>
        <source>Cannot record to &apos;%1&apos;: %2</source>
        <translation>Aufzeichnung nach &apos;%1&apos; nicht möglich: %2</translation>
    </message>
    <message>
        <location filename="../src/capture/capturewriter.cpp" line="104"/>
        <source>Recording to &apos;%1&apos; stopped: %2</source>
        <translation>Aufzeichnung nach &apos;%1&apos; abgebrochen: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/app/commandline.cpp" line="39"/>
        <source>Talks to Mikrokopter flight controllers over a serial line: requests, a checked frame log, decoded fields and live analog values. Captures of a session can be recorded, opened, replayed and exported as CSV.</source>
        <translation>Spricht über eine serielle Leitung mit Mikrokopter-Flugsteuerungen: Anfragen, ein geprüftes Rahmenprotokoll, dekodierte Felder und laufende Analogwerte. Mitschnitte einer Sitzung lassen sich aufzeichnen, öffnen, wiedergeben und als CSV exportieren.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="46"/>
        <source>Displays version information.</source>
        <translation>Zeigt die Versionsinformationen an.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="49"/>
        <source>A capture file to open in the frame log.</source>
        <translation>Eine Mitschnittdatei, die im Rahmenprotokoll geöffnet wird.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="53"/>
        <source>Selects and opens this serial port at start.</source>
        <translation>Wählt beim Start diese serielle Schnittstelle und öffnet sie.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="54"/>
        <source>path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="57"/>
        <source>Records the session to this capture file from the start.</source>
        <translation>Zeichnet die Sitzung von Anfang an in diese Mitschnittdatei auf.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="59"/>
        <location filename="../src/app/commandline.cpp" line="75"/>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="62"/>
        <source>Writes the frames of one command letter of this capture as CSV and exits, without opening a window.</source>
        <translation>Schreibt die Rahmen eines Befehlsbuchstabens aus diesem Mitschnitt als CSV und beendet sich, ohne ein Fenster zu öffnen.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="65"/>
        <location filename="../src/app/commandline.cpp" line="82"/>
        <source>capture</source>
        <translation>Mitschnitt</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="68"/>
        <source>The command letter to export (default D).</source>
        <translation>Der zu exportierende Befehlsbuchstabe (Vorgabe D).</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="69"/>
        <source>letter</source>
        <translation>Buchstabe</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="72"/>
        <source>Writes the CSV to this file instead of the standard output; names the parameter set file of --read-settings.</source>
        <translation>Schreibt die CSV-Daten in diese Datei statt auf die Standardausgabe; benennt die Parametersatzdatei von --read-settings.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="78"/>
        <source>Writes the Navi Ctrl positions of this capture as a GPX track (to the file of -o, or the standard output) and exits, without opening a window.</source>
        <translation>Schreibt die Positionen der Navi Ctrl aus diesem Mitschnitt als GPX-Track (in die Datei von -o oder auf die Standardausgabe) und beendet sich, ohne ein Fenster zu öffnen.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="208"/>
        <source>%1: %2 &apos;O&apos; frame(s) without a valid position skipped</source>
        <translation>%1: %2 &apos;O&apos;-Rahmen ohne gültige Position übersprungen</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="240"/>
        <source>the file name &apos;%1&apos; is not valid UTF-8: rename the file</source>
        <translation>der Dateiname &apos;%1&apos; ist kein gültiges UTF-8: bitte die Datei umbenennen</translation>
    </message>
    <message>
        <source>Writes the CSV to this file instead of the standard output.</source>
        <translation type="vanished">Schreibt die CSV-Daten in diese Datei statt auf die Standardausgabe.</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="110"/>
        <source>only one capture file can be opened</source>
        <translation>es kann nur eine Mitschnittdatei geöffnet werden</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="123"/>
        <source>--cmd wants one command letter, not &apos;%1&apos;</source>
        <translation>--cmd erwartet einen einzelnen Befehlsbuchstaben, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation type="vanished">&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="151"/>
        <source>mk.js defines no fields for the letter &apos;%1&apos;</source>
        <translation>mk.js definiert keine Felder für den Buchstaben &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="157"/>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="166"/>
        <source>cannot write the standard output: %1</source>
        <translation>auf die Standardausgabe kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="179"/>
        <source>%1: %2 &apos;%3&apos; frame(s) with a bad check sum skipped</source>
        <translation>%1: %2 &apos;%3&apos;-Rahmen mit falscher Prüfsumme übersprungen</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="185"/>
        <source>%1: %2 &apos;%3&apos; frame(s) of another structure revision skipped</source>
        <translation>%1: %2 &apos;%3&apos;-Rahmen einer anderen Strukturrevision übersprungen</translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="192"/>
        <location filename="../src/app/commandline.cpp" line="214"/>
        <source>%1: %2 line(s) not understood and skipped</source>
        <translation>%1: %2 unverständliche Zeile(n) übersprungen</translation>
    </message>
    <message>
        <source>cannot record to &apos;%1&apos;</source>
        <translation type="vanished">Aufzeichnung nach &apos;%1&apos; nicht möglich</translation>
    </message>
    <message>
        <source>cannot open the capture &apos;%1&apos;</source>
        <translation type="vanished">der Mitschnitt &apos;%1&apos; kann nicht geöffnet werden</translation>
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
        <source>file &apos;mk.js&apos; not found</source>
        <translation type="vanished">Datei &apos;mk.js&apos; nicht gefunden</translation>
    </message>
    <message>
        <source>script error in &apos;%1&apos;: %2</source>
        <translation type="vanished">Skriptfehler in &apos;%1&apos;: %2</translation>
    </message>
</context>
<context>
    <name>DisplayText</name>
    <message>
        <location filename="../src/protocol/displaytext.cpp" line="67"/>
        <source>display answer of %1 characters, %2 expected (old one-line format?)</source>
        <translation>Display-Antwort mit %1 Zeichen, %2 erwartet (altes einzeiliges Format?)</translation>
    </message>
</context>
<context>
    <name>FieldDecoder</name>
    <message>
        <location filename="../src/decoding/fielddecoder.cpp" line="32"/>
        <source>unknown structure</source>
        <translation>unbekannte Struktur</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <location filename="../src/widgets/filedialogs.cpp" line="43"/>
        <source>Captures (*.mkcap);;All files (*)</source>
        <translation>Mitschnitte (*.mkcap);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/widgets/filedialogs.cpp" line="45"/>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/widgets/filedialogs.cpp" line="47"/>
        <source>GPX files (*.gpx);;All files (*)</source>
        <translation>GPX-Dateien (*.gpx);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/widgets/filedialogs.cpp" line="51"/>
        <source>PNG image (*.png);;SVG drawing (*.svg)</source>
        <translation>PNG-Bild (*.png);;SVG-Zeichnung (*.svg)</translation>
    </message>
</context>
<context>
    <name>FileSafety</name>
    <message>
        <location filename="../src/files/filesafety.cpp" line="27"/>
        <source>a directory</source>
        <translation>ein Verzeichnis</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="29"/>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="31"/>
        <source>a device</source>
        <translation>eine Gerätedatei</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="33"/>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="34"/>
        <source>not a plain file</source>
        <translation>eine Sonderdatei</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="39"/>
        <source>&apos;%1&apos; is %2, not a regular file</source>
        <translation>&apos;%1&apos; ist keine reguläre Datei, sondern %2</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="68"/>
        <source>&apos;%1&apos; is the file being read: choose another file</source>
        <translation>&apos;%1&apos; ist die gerade gelesene Datei: bitte eine andere Datei wählen</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="71"/>
        <source>&apos;%1&apos; is the file being read (&apos;%2&apos;): choose another file</source>
        <translation>&apos;%1&apos; ist die gerade gelesene Datei (&apos;%2&apos;): bitte eine andere Datei wählen</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="99"/>
        <location filename="../src/files/filesafety.cpp" line="108"/>
        <source>Cannot read &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="130"/>
        <location filename="../src/files/filesafety.cpp" line="151"/>
        <location filename="../src/files/filesafety.cpp" line="159"/>
        <location filename="../src/files/filesafety.cpp" line="164"/>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="192"/>
        <location filename="../src/files/filesafety.cpp" line="199"/>
        <location filename="../src/files/filesafety.cpp" line="217"/>
        <location filename="../src/files/filesafety.cpp" line="226"/>
        <source>Cannot record to &apos;%1&apos;: %2</source>
        <translation>Aufzeichnung nach &apos;%1&apos; nicht möglich: %2</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="209"/>
        <source>&apos;%1&apos; is being recorded by another recorder</source>
        <translation>&apos;%1&apos; ist bereits von einer anderen Aufzeichnung belegt</translation>
    </message>
    <message>
        <location filename="../src/files/filesafety.cpp" line="212"/>
        <source>&apos;%1&apos; is being recorded by process %2</source>
        <translation>&apos;%1&apos; ist bereits von Prozess %2 für eine Aufzeichnung belegt</translation>
    </message>
</context>
<context>
    <name>FrameLogTools</name>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="53"/>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="55"/>
        <source>Find &amp;next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="58"/>
        <source>Find &amp;previous</source>
        <translation>&amp;Vorheriger Treffer</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="64"/>
        <source>&amp;Copy rows</source>
        <translation>Zeilen &amp;kopieren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="66"/>
        <source>Copy as &amp;hex</source>
        <translation>Als &amp;Hex kopieren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="68"/>
        <source>Copy as f&amp;rames</source>
        <translation>Als &amp;Rahmen kopieren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="102"/>
        <source>Find in the log</source>
        <translation>Im Protokoll suchen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="107"/>
        <source>Text to find in the frame log; Enter or %1 for the next match, %2 for the previous one, Esc closes the bar</source>
        <translation>Im Rahmenprotokoll zu suchender Text; Eingabe oder %1 für den nächsten Treffer, %2 für den vorherigen, Esc schließt die Leiste</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="113"/>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="114"/>
        <source>Letter</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="115"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="116"/>
        <source>All columns</source>
        <translation>Alle Spalten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="117"/>
        <source>Where to look: the shown data, the command letter (exactly, with case), the address, or every column</source>
        <translation>Wo gesucht wird: in den angezeigten Daten, im Befehlsbuchstaben (genau, mit Groß-/Kleinschreibung), in der Adresse oder in allen Spalten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="121"/>
        <source>Previous match (%1)</source>
        <translation>Vorheriger Treffer (%1)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="124"/>
        <source>Next match (%1)</source>
        <translation>Nächster Treffer (%1)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="131"/>
        <source>Rows searched so far</source>
        <translation>Bisher durchsuchte Zeilen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="136"/>
        <source>Close the search bar (Esc)</source>
        <translation>Suchleiste schließen (Esc)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="225"/>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="225"/>
        <source>No match</source>
        <translation>Kein Treffer</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/framelogtools.cpp" line="227"/>
        <source>%1 of %n</source>
        <translation>
            <numerusform>%1 von %n</numerusform>
            <numerusform>%1 von %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/framelogtools.cpp" line="229"/>
        <source>%n match(es)</source>
        <translation>
            <numerusform>%n Treffer</numerusform>
            <numerusform>%n Treffer</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogtools.cpp" line="252"/>
        <source>Only the first %1 of %2 selected rows were copied</source>
        <translation>Nur die ersten %1 von %2 ausgewählten Zeilen wurden kopiert</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/framelogtools.cpp" line="260"/>
        <source>%n row(s) copied</source>
        <translation>
            <numerusform>%n Zeile kopiert</numerusform>
            <numerusform>%n Zeilen kopiert</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GpxExport</name>
    <message>
        <location filename="../src/session/gpxexport.cpp" line="139"/>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../src/session/gpxexport.cpp" line="131"/>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
</context>
<context>
    <name>HelpWindows</name>
    <message>
        <location filename="../src/mainwindow/helpwindows.cpp" line="77"/>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/helpwindows.cpp" line="83"/>
        <source>Close the search bar or the real-time window</source>
        <translation>Suchleiste oder Echtzeitfenster schließen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/helpwindows.cpp" line="84"/>
        <source>Next match, in the search bar</source>
        <translation>Nächster Treffer, in der Suchleiste</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/helpwindows.cpp" line="88"/>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/helpwindows.cpp" line="88"/>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/helpwindows.cpp" line="105"/>
        <source>Manual</source>
        <translation>Handbuch</translation>
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
        <location filename="../src/mainwindow/mainwindow.ui" line="41"/>
        <source>Index of the analog label asked for by &quot;a&quot; (0 to 31)</source>
        <translation>Nummer der mit „a“ erfragten Analogbezeichnung (0 bis 31)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="51"/>
        <source>BL Parameter request</source>
        <translation>BL-Parameter anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="52"/>
        <source>u</source>
        <translation>u</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="57"/>
        <source>Motor index of the brushless controller asked for by &quot;u&quot;</source>
        <translation>Motornummer des mit „u“ erfragten Brushless-Reglers</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="78"/>
        <source>Read PPM Channels</source>
        <translation>PPM-Kanäle lesen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="79"/>
        <source>p</source>
        <translation>p</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="86"/>
        <source>Display request</source>
        <translation>Display anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="87"/>
        <source>l</source>
        <translation>l</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="92"/>
        <source>Menu item of the display asked for by &quot;l&quot;</source>
        <translation>Mit „l“ erfragter Menüpunkt des Displays</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="102"/>
        <source>Debug request</source>
        <translation>Debug-Daten anfordern</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="103"/>
        <source>d</source>
        <translation>d</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="108"/>
        <source>Interval of the debug values asked for by &quot;d&quot;, in units of 10 ms (0 stops them)</source>
        <translation>Intervall der mit „d“ erfragten Debugwerte in Einheiten von 10 ms (0 beendet sie)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="120"/>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="143"/>
        <source>display data in hexadecimal</source>
        <translation>Daten hexadezimal anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="144"/>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="153"/>
        <source>Frames of the session; Ctrl+F finds, Ctrl+C copies the selected rows, the right mouse button offers more</source>
        <translation>Rahmen der Sitzung; Strg+F sucht, Strg+C kopiert die ausgewählten Zeilen, die rechte Maustaste bietet mehr</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="166"/>
        <source>Fields of the frame selected in the log, decoded by mk.js</source>
        <translation>Felder des im Protokoll ausgewählten Rahmens, entschlüsselt mit mk.js</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="174"/>
        <source>Every frame shown in the log, and what the program has to say</source>
        <translation>Jeder im Protokoll gezeigte Rahmen und die Meldungen des Programms</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="240"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="243"/>
        <source>&amp;Windows</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="60"/>
        <source>Request sent to the device</source>
        <translation>An das Gerät gesendete Anfrage</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="100"/>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="102"/>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="104"/>
        <source>Cmd</source>
        <translation>Bef.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="106"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelogmodel.cpp" line="108"/>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="194"/>
        <source>list of devices</source>
        <translation>Liste der Geräte</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="200"/>
        <source>display only Future Technology devices</source>
        <translation>nur Geräte von Future Technology anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="201"/>
        <source>FTDI only</source>
        <translation>Nur FTDI</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="214"/>
        <source>Real time display</source>
        <translation>Echtzeitanzeige</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="215"/>
        <source>Rt</source>
        <translation>Rt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="220"/>
        <source>clear 3 display panes</source>
        <translation>die drei Anzeigen leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="221"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="226"/>
        <source>Connection to Mikrokopter</source>
        <translation>Verbindung zum Mikrokopter</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="227"/>
        <location filename="../src/mainwindow/connection.cpp" line="170"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>?</source>
        <translation type="vanished">?</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation type="vanished">Fenster</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="257"/>
        <source>Show &amp;Terminal</source>
        <translation>&amp;Terminal anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="28"/>
        <source>frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="36"/>
        <source>cmd: %1</source>
        <translation>Befehl: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="37"/>
        <source>address: %1</source>
        <translation>Adresse: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="38"/>
        <source>data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="31"/>
        <source>Error: file &apos;mk.js&apos; not found</source>
        <translation>Fehler: Datei &apos;mk.js&apos; nicht gefunden</translation>
    </message>
    <message>
        <source>Error: &apos;%1&apos; is not a regular file; no definitions loaded</source>
        <translation type="vanished">Fehler: &apos;%1&apos; ist keine reguläre Datei; keine Definitionen geladen</translation>
    </message>
    <message>
        <source>Error: &apos;%1&apos; is larger than %2 MiB; no definitions loaded</source>
        <translation type="vanished">Fehler: &apos;%1&apos; ist größer als %2 MiB; keine Definitionen geladen</translation>
    </message>
    <message>
        <source>Using script file &apos;%1&apos;</source>
        <translation type="vanished">Verwende Skriptdatei &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="35"/>
        <source>Error: </source>
        <translation>Fehler: </translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="42"/>
        <source>Using script file &apos;%1&apos; (%2 bytes)</source>
        <translation>Verwende Skriptdatei &apos;%1&apos; (%2 Bytes)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="43"/>
        <source>Parsing script file &apos;mk.js&apos;</source>
        <translation>Lese Skriptdatei &apos;mk.js&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="46"/>
        <location filename="../src/mainwindow/script.cpp" line="50"/>
        <location filename="../src/mainwindow/script.cpp" line="55"/>
        <source>Script error</source>
        <translation>Skriptfehler</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="51"/>
        <source>: stopped after running for %1 seconds without finishing</source>
        <translation>: nach %1 Sekunden ohne Ende abgebrochen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="56"/>
        <source>: stopped after growing the program by more than %1 MiB</source>
        <translation>: abgebrochen, nachdem der Speicherbedarf des Programms um mehr als %1 MiB gewachsen war</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="201"/>
        <source>Serial name device is empty, check you MKUSB connection or install FTDI drivers.</source>
        <translation>Kein serielles Gerät gewählt; bitte die MKUSB-Verbindung prüfen oder FTDI-Treiber installieren.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="174"/>
        <source>Serial device &apos;%1&apos; closed succesfully.</source>
        <translation>Serielles Gerät &apos;%1&apos; geschlossen.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="32"/>
        <source>Maker: %1</source>
        <translation>Hersteller: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="34"/>
        <source>Product: %1</source>
        <translation>Produkt: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="36"/>
        <source>Serial number: %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="38"/>
        <source>By-id name: %1</source>
        <translation>By-id-Name: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="40"/>
        <source>On-board serial port %1</source>
        <translation>Eingebaute serielle Schnittstelle %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="42"/>
        <source>No details about the adapter of %1</source>
        <translation>Keine Angaben zum Adapter von %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="62"/>
        <source>Line noise: %1 bytes dropped in front of frames</source>
        <translation>Leitungsstörungen: %1 Bytes vor Rahmen verworfen</translation>
    </message>
    <message>
        <source>Reconnect automatically</source>
        <translation type="vanished">Automatisch neu verbinden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="85"/>
        <source>Reopen the connection by itself when the device last connected comes back</source>
        <translation>Öffnet die Verbindung selbst wieder, sobald das zuletzt verbundene Gerät zurückkehrt</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="vanished">Statistik</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="94"/>
        <source>Show counts, rates and answer times of the link</source>
        <translation>Zeigt Zähler, Raten und Antwortzeiten der Verbindung</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="152"/>
        <source>Serial device &apos;%1&apos; reopened automatically.</source>
        <translation>Serielles Gerät &apos;%1&apos; automatisch wieder geöffnet.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="155"/>
        <source>Serial device &apos;%1&apos; opened succesfully.</source>
        <translation>Serielles Gerät &apos;%1&apos; geöffnet.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="157"/>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="147"/>
        <source>Serial device &apos;%1&apos; Failed to open</source>
        <translation>Serielles Gerät &apos;%1&apos; konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="80"/>
        <source>&amp;Reconnect automatically</source>
        <translation>&amp;Automatisch neu verbinden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="92"/>
        <source>&amp;Statistics</source>
        <translation>&amp;Statistik</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="182"/>
        <source>Connection with device %1 lost: %2</source>
        <translation>Verbindung mit Gerät %1 verloren: %2</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="186"/>
        <source>Requests dropped on closing: %1</source>
        <translation>Beim Schließen verworfene Anfragen: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="240"/>
        <source>Trying again in %1 s.</source>
        <translation>Neuer Versuch in %1 s.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="321"/>
        <source>Device %1 discovered</source>
        <translation>Gerät %1 gefunden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="339"/>
        <source>Device %1 removed</source>
        <translation>Gerät %1 entfernt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="177"/>
        <source>Connection with device %1 closed</source>
        <translation>Verbindung mit Gerät %1 geschlossen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="66"/>
        <source>Frame log full: the oldest %1 frames were dropped</source>
        <translation>Rahmenprotokoll voll: die ältesten %1 Rahmen wurden verworfen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="83"/>
        <source>No answer from the device for analog label %1 after %2 tries; label collection abandoned.</source>
        <translation>Keine Antwort des Geräts auf Analog-Bezeichnung %1 nach %2 Versuchen; Abfrage der Bezeichnungen abgebrochen.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="96"/>
        <source>Frames that arrived faster than the window could show them (in the table or the console); every frame is kept in the frame store</source>
        <translation>Rahmen, die schneller ankamen, als das Fenster sie anzeigen konnte (in der Tabelle oder der Konsole); jeder Rahmen bleibt im Rahmenspeicher erhalten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="145"/>
        <source>… %1 more bad frames in the last second</source>
        <translation>… %1 weitere fehlerhafte Rahmen in der letzten Sekunde</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="151"/>
        <source>%1 frames not shown</source>
        <translation>%1 Rahmen nicht angezeigt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="37"/>
        <source>Virtual ports not listed: %1</source>
        <translation>Nicht aufgeführte virtuelle Schnittstellen: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="50"/>
        <source>Tovrik initialized</source>
        <translation>Tovrik bereit</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="97"/>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="98"/>
        <source>Show the application&apos;s About box</source>
        <translation>Zeigt Informationen über das Programm</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="119"/>
        <source>Filter only FTDI devices</source>
        <translation>Nur FTDI-Geräte anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="188"/>
        <source>Open capture</source>
        <translation>Mitschnitt öffnen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="284"/>
        <source>Translation file &apos;%1&apos; not loaded: %2</source>
        <translation>Übersetzungsdatei &apos;%1&apos; nicht geladen: %2</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="288"/>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="290"/>
        <location filename="../src/mainwindow/translation.cpp" line="296"/>
        <source>too large</source>
        <translation>zu groß</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="293"/>
        <source>cannot be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/translation.cpp" line="299"/>
        <source>the file is damaged</source>
        <translation>die Datei ist beschädigt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commands.cpp" line="25"/>
        <source>Cannot sent cmd: port not opened</source>
        <translation>Befehl nicht gesendet: Anschluss nicht geöffnet</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/commands.cpp" line="29"/>
        <source>send &apos;%1&apos; cmd</source>
        <translation>Befehl „%1“ gesendet</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="39"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="46"/>
        <source>Show &amp;sent requests</source>
        <translation>Gesendete Anfr&amp;agen zeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="49"/>
        <source>List the requests sent to the device in the log and the console, marked with an arrow</source>
        <translation>Die an das Gerät gesendeten Anfragen im Protokoll und in der Konsole zeigen, mit einem Pfeil markiert</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="73"/>
        <source>&amp;Keyboard shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="75"/>
        <source>List the keys that work in the window</source>
        <translation>Die Tasten auflisten, die im Fenster wirken</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="77"/>
        <source>&amp;Manual</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="80"/>
        <source>Show the manual page</source>
        <translation>Die Handbuchseite zeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/menus.cpp" line="91"/>
        <source>Show the &apos;%1&apos; frames in the log and the console</source>
        <translation>Die „%1“-Rahmen im Protokoll und in der Konsole zeigen</translation>
    </message>
    <message>
        <source>Parameter &amp;sets</source>
        <translation type="vanished">&amp;Parametersätze</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/settingsmenu.cpp" line="12"/>
        <source>&amp;Parameter sets</source>
        <translation>&amp;Parametersätze</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/settingsmenu.cpp" line="15"/>
        <source>Read, edit, compare and write the Flight Ctrl&apos;s parameter sets</source>
        <translation>Die Parametersätze der Flight Ctrl lesen, bearbeiten, vergleichen und schreiben</translation>
    </message>
</context>
<context>
    <name>MkSerial</name>
    <message>
        <location filename="../src/serial/mkserial.cpp" line="196"/>
        <source>the device hung up</source>
        <translation>das Gerät hat die Leitung getrennt</translation>
    </message>
</context>
<context>
    <name>NaviControls</name>
    <message>
        <source>Remote display</source>
        <translation type="vanished">Fern-Display</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="41"/>
        <source>The controller&apos;s own menus, with its keys</source>
        <translation>Die eigenen Menüs der Steuerung, mit ihren Tasten</translation>
    </message>
    <message>
        <source>Navigation data</source>
        <translation type="vanished">Navigationsdaten</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="39"/>
        <source>Remote &amp;display</source>
        <translation>Fern-&amp;Display</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="42"/>
        <source>&amp;Navigation data</source>
        <translation>&amp;Navigationsdaten</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="44"/>
        <source>The Navi Ctrl&apos;s position, home, battery and flags, and the track of the session</source>
        <translation>Position, Home-Position, Akku und Flags der Navi Ctrl sowie der Flugweg der Sitzung</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="51"/>
        <source>Talk to:</source>
        <translation>Anfragen an:</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="54"/>
        <source>The device requests reach: the Navi Ctrl itself, or the Flight Ctrl or MK3MAG through its redirect</source>
        <translation>Das Gerät, das die Anfragen erreichen: die Navi Ctrl selbst oder, über deren Umleitung, die Flight Ctrl oder der MK3MAG</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="82"/>
        <source>Export &amp;GPX...</source>
        <translation>&amp;GPX exportieren...</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="84"/>
        <source>Write the Navi Ctrl&apos;s positions of the session as a GPX track</source>
        <translation>Schreibt die Positionen der Navi Ctrl aus der Sitzung als GPX-Track</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="86"/>
        <source>Export GPX</source>
        <translation>GPX exportieren</translation>
    </message>
    <message>
        <source>GPX files (*.gpx);;All files (*)</source>
        <translation type="vanished">GPX-Dateien (*.gpx);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="119"/>
        <source>redirecting to the %1...</source>
        <translation>Umleitung zu %1...</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="127"/>
        <source>not piped</source>
        <translation>nicht umgeleitet</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="128"/>
        <source>piped to the %1</source>
        <translation>umgeleitet zu %1</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation type="vanished">&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="174"/>
        <source>Tovrik session</source>
        <translation>Tovrik-Sitzung</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="176"/>
        <source>Exporting GPX...</source>
        <translation>GPX wird exportiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="vanished">Abbrechen</translation>
    </message>
    <message>
        <location filename="../src/navi/navicontrols.cpp" line="185"/>
        <source>GPX export to &apos;%1&apos; cancelled; nothing written</source>
        <translation>GPX-Export nach &apos;%1&apos; abgebrochen; nichts geschrieben</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/navi/navicontrols.cpp" line="192"/>
        <source>Exported %n position(s) to &apos;%1&apos;</source>
        <translation>
            <numerusform>%n Position nach &apos;%1&apos; exportiert</numerusform>
            <numerusform>%n Positionen nach &apos;%1&apos; exportiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/navi/navicontrols.cpp" line="194"/>
        <source>, %n &apos;O&apos; frame(s) without a valid position skipped</source>
        <translation>
            <numerusform>, %n &apos;O&apos;-Rahmen ohne gültige Position übersprungen</numerusform>
            <numerusform>, %n &apos;O&apos;-Rahmen ohne gültige Position übersprungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NaviData</name>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="191"/>
        <source>empty navigation record</source>
        <translation>leerer Navigationsdatensatz</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="193"/>
        <source>navigation record of version %1 (%2 bytes), not %3</source>
        <translation>Navigationsdatensatz der Version %1 (%2 Bytes), nicht %3</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="199"/>
        <source>navigation record of %1 bytes, %2 expected</source>
        <translation>Navigationsdatensatz mit %1 Bytes, %2 erwartet</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="208"/>
        <source>free</source>
        <translation>frei</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="209"/>
        <source>position hold</source>
        <translation>Position halten</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="210"/>
        <source>coming home</source>
        <translation>Coming Home</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="211"/>
        <source>range limit</source>
        <translation>Reichweitengrenze</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="212"/>
        <source>no serial link</source>
        <translation>keine serielle Verbindung</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="213"/>
        <source>target reached</source>
        <translation>Ziel erreicht</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="214"/>
        <source>manual control</source>
        <translation>manuelle Steuerung</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="215"/>
        <source>GPS ok</source>
        <translation>GPS ok</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="221"/>
        <source>motors run</source>
        <translation>Motoren laufen</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="222"/>
        <source>flying</source>
        <translation>fliegt</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="223"/>
        <source>calibrating</source>
        <translation>kalibriert</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="224"/>
        <source>starting</source>
        <translation>startet</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="225"/>
        <source>emergency landing</source>
        <translation>Notlandung</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="226"/>
        <source>low battery</source>
        <translation>Akku schwach</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="227"/>
        <source>vario trim up</source>
        <translation>Vario-Trimmung hoch</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="228"/>
        <source>vario trim down</source>
        <translation>Vario-Trimmung runter</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="236"/>
        <source>no error</source>
        <translation>kein Fehler</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="237"/>
        <source>Flight Ctrl not compatible</source>
        <translation>Flight Ctrl nicht kompatibel</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="238"/>
        <source>MK3MAG not compatible</source>
        <translation>MK3MAG nicht kompatibel</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="239"/>
        <source>no Flight Ctrl communication</source>
        <translation>keine Kommunikation mit der Flight Ctrl</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="240"/>
        <source>no compass communication</source>
        <translation>keine Kommunikation mit dem Kompass</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="241"/>
        <source>no GPS communication</source>
        <translation>keine Kommunikation mit dem GPS</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="242"/>
        <source>bad compass value</source>
        <translation>fehlerhafter Kompasswert</translation>
    </message>
    <message>
        <location filename="../src/protocol/navidata.cpp" line="243"/>
        <source>RC signal lost</source>
        <translation>RC-Signal verloren</translation>
    </message>
</context>
<context>
    <name>NaviPipe</name>
    <message>
        <location filename="../src/session/navipipe.cpp" line="37"/>
        <source>Flight Ctrl</source>
        <translation>Flight Ctrl</translation>
    </message>
    <message>
        <location filename="../src/session/navipipe.cpp" line="39"/>
        <source>Navi Ctrl</source>
        <translation>Navi Ctrl</translation>
    </message>
    <message>
        <location filename="../src/session/navipipe.cpp" line="41"/>
        <source>MK3MAG</source>
        <translation>MK3MAG</translation>
    </message>
    <message>
        <location filename="../src/session/navipipe.cpp" line="56"/>
        <source>Not connected: cannot talk to the %1</source>
        <translation>Nicht verbunden: %1 ist nicht erreichbar</translation>
    </message>
    <message>
        <location filename="../src/session/navipipe.cpp" line="65"/>
        <source>No Navi Ctrl answered: the %1 cannot be reached through it</source>
        <translation>Keine Navi Ctrl hat geantwortet: %1 ist darüber nicht erreichbar</translation>
    </message>
    <message>
        <location filename="../src/session/navipipe.cpp" line="163"/>
        <source>The %1 did not answer within %2 s (the Navi Ctrl refuses some redirects while the motors run)</source>
        <translation>%1 hat nicht innerhalb von %2 s geantwortet (die Navi Ctrl verweigert manche Umleitungen, solange die Motoren laufen)</translation>
    </message>
    <message>
        <location filename="../src/session/navipipe.cpp" line="169"/>
        <source>Cannot talk to the %1: %2</source>
        <translation>Kommunikation mit %1 nicht möglich: %2</translation>
    </message>
</context>
<context>
    <name>NavigationPanel</name>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="21"/>
        <source>Navigation data</source>
        <translation>Navigationsdaten</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="30"/>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="31"/>
        <source>Barometric altitude</source>
        <translation>Barometrische Höhe</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="32"/>
        <source>Home</source>
        <translation>Home-Position</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="33"/>
        <source>Satellites</source>
        <translation>Satelliten</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="34"/>
        <source>Ground speed</source>
        <translation>Geschwindigkeit über Grund</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="35"/>
        <source>Vertical speed (variometer)</source>
        <translation>Steiggeschwindigkeit (Variometer)</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="36"/>
        <source>Heading</source>
        <translation>Steuerkurs</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="37"/>
        <source>Battery</source>
        <translation>Akku</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="38"/>
        <source>Current</source>
        <translation>Strom</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="39"/>
        <source>Used capacity</source>
        <translation>Verbrauchte Kapazität</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="40"/>
        <source>Flying time</source>
        <translation>Flugzeit</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="41"/>
        <source>Navi Ctrl</source>
        <translation>Navi Ctrl</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="42"/>
        <source>Flight Ctrl</source>
        <translation>Flight Ctrl</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="43"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="47"/>
        <source>Waiting for navigation data...</source>
        <translation>Warte auf Navigationsdaten...</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="73"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="81"/>
        <source>%1°, %2°</source>
        <translation>%1°, %2°</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="84"/>
        <source>invalid (%1°, %2°)</source>
        <translation>ungültig (%1°, %2°)</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="87"/>
        <source>%1 m</source>
        <translation>%1 m</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="88"/>
        <source>%1 m, bearing %2°</source>
        <translation>%1 m, Peilung %2°</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="92"/>
        <source>%1 m/s</source>
        <translation>%1 m/s</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="94"/>
        <source>%1° (compass %2°)</source>
        <translation>%1° (Kompass %2°)</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="95"/>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="96"/>
        <source>%1 A</source>
        <translation>%1 A</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="97"/>
        <source>%1 mAh</source>
        <translation>%1 mAh</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="99"/>
        <source>%1:%2</source>
        <translation>%1:%2</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="102"/>
        <location filename="../src/navi/navigationpanel.cpp" line="103"/>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <location filename="../src/navi/navigationpanel.cpp" line="106"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
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
    <name>ParamController</name>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="24"/>
        <source>refused: motors running, wrong revision, or set out of range</source>
        <translation>abgelehnt: Motoren laufen, falsche Revision oder Satz außerhalb des Bereichs</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="46"/>
        <location filename="../src/paramsets/paramcontroller.cpp" line="214"/>
        <source>The link closed during the write: the state of set %1 is unknown. Read it back after reconnecting.</source>
        <translation>Die Verbindung wurde während des Schreibens geschlossen: der Zustand von Satz %1 ist unbekannt. Bitte nach dem erneuten Verbinden zurücklesen.</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="50"/>
        <source>The link closed before the device answered</source>
        <translation>Die Verbindung wurde geschlossen, bevor das Gerät antwortete</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="65"/>
        <source>A write is already in progress</source>
        <translation>Ein Schreibvorgang läuft bereits</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="66"/>
        <source>Another settings request is in progress</source>
        <translation>Eine andere Einstellungsanfrage läuft bereits</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="68"/>
        <source>The motors are running: settings are not read or written now</source>
        <translation>Die Motoren laufen: Einstellungen werden jetzt weder gelesen noch geschrieben</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="101"/>
        <source>Reading set %1: %2 (the Flight Ctrl does not answer while its motors run)</source>
        <translation>Lesen von Satz %1: %2 (die Flight Ctrl antwortet nicht, solange ihre Motoren laufen)</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="103"/>
        <location filename="../src/paramsets/paramcontroller.cpp" line="149"/>
        <source>active</source>
        <translation>(aktiv)</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="121"/>
        <location filename="../src/paramsets/paramcontroller.cpp" line="256"/>
        <location filename="../src/paramsets/paramcontroller.cpp" line="282"/>
        <source>Set %1 does not exist: the device keeps sets 1 to 5</source>
        <translation>Satz %1 gibt es nicht: das Gerät hat die Sätze 1 bis 5</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="149"/>
        <source>Reading set %1</source>
        <translation>Lese Satz %1</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="168"/>
        <source>Nothing written: %1</source>
        <translation>Nichts geschrieben: %1</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="173"/>
        <source>Saving a backup of set %1</source>
        <translation>Sichere Satz %1</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="176"/>
        <source>Set %1 on the device is revision %2, the set to write is %3: read the device&apos;s set first and load the file onto it by field name; nothing written</source>
        <translation>Satz %1 auf dem Gerät hat Revision %2, der zu schreibende Satz Revision %3: bitte zuerst den Satz des Geräts lesen und die Datei nach Feldnamen darauf laden; nichts geschrieben</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="187"/>
        <source>No backup, so nothing written: %1</source>
        <translation>Keine Sicherung, daher nichts geschrieben: %1</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="198"/>
        <source>Writing set %1</source>
        <translation>Schreibe Satz %1</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="220"/>
        <source>No answer to the write of set %1 within %2 s (%3): %4. Read the set back to see what it holds.</source>
        <translation>Keine Antwort auf das Schreiben von Satz %1 innerhalb von %2 s (%3): %4. Bitte den Satz zurücklesen, um seinen Inhalt zu sehen.</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="231"/>
        <source>The device did not write set %1: %2</source>
        <translation>Das Gerät hat Satz %1 nicht geschrieben: %2</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="232"/>
        <source>The device answered the write of set %1 with set %2</source>
        <translation>Das Gerät hat auf das Schreiben von Satz %1 mit Satz %2 geantwortet</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="239"/>
        <source>Reading set %1 back</source>
        <translation>Lese Satz %1 zurück</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="247"/>
        <source>the device kept %1 for %2, not %3</source>
        <translation>das Gerät behielt für %2 den Wert %1, nicht %3</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="273"/>
        <source>The device kept set %1 active</source>
        <translation>Das Gerät ließ Satz %1 aktiv</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="274"/>
        <source>Activating set %1: %2</source>
        <translation>Aktivieren von Satz %1: %2</translation>
    </message>
    <message>
        <location filename="../src/paramsets/paramcontroller.cpp" line="285"/>
        <source>Set %1 is reset to the firmware&apos;s defaults only after confirmation</source>
        <translation>Satz %1 wird nur nach Bestätigung auf die Standardwerte der Firmware zurückgesetzt</translation>
    </message>
</context>
<context>
    <name>ParamTableModel</name>
    <message>
        <location filename="../src/settingswindow/paramtablemodel.cpp" line="105"/>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/paramtablemodel.cpp" line="107"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/paramtablemodel.cpp" line="109"/>
        <source>Range</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/paramtablemodel.cpp" line="111"/>
        <source>Meaning</source>
        <translation>Bedeutung</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/paramtablemodel.cpp" line="123"/>
        <source>bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/paramtablemodel.cpp" line="198"/>
        <source>%1 wants a whole number</source>
        <translation>%1 erwartet eine ganze Zahl</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="45"/>
        <source>the file no longer exists</source>
        <translation>die Datei existiert nicht mehr</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="47"/>
        <source>it is a folder now</source>
        <translation>sie ist jetzt ein Ordner</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="49"/>
        <source>it is no longer a regular file</source>
        <translation>sie ist keine reguläre Datei mehr</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="51"/>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="63"/>
        <source>Cannot open &apos;%1&apos;: %2. It was removed from the recent files.</source>
        <translation>„%1“ kann nicht geöffnet werden: %2. Der Eintrag wurde aus den zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="70"/>
        <source>Open rece&amp;nt</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="93"/>
        <source>&amp;No recent captures</source>
        <translation>&amp;Keine zuletzt geöffneten Mitschnitte</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/recentfiles.cpp" line="97"/>
        <source>&amp;Clear list</source>
        <translation>Liste &amp;leeren</translation>
    </message>
</context>
<context>
    <name>RemoteDisplay</name>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="17"/>
        <source>Remote display</source>
        <translation>Fern-Display</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="34"/>
        <source>Previous page (Left arrow)</source>
        <translation>Vorherige Seite (Pfeil links)</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="36"/>
        <source>Next page (Right arrow)</source>
        <translation>Nächste Seite (Pfeil rechts)</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="38"/>
        <source>Key 3</source>
        <translation>Taste 3</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="38"/>
        <source>First item key of the page (A)</source>
        <translation>Taste für den ersten Punkt der Seite (A)</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="40"/>
        <source>Key 4</source>
        <translation>Taste 4</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="40"/>
        <source>Second item key of the page (S)</source>
        <translation>Taste für den zweiten Punkt der Seite (S)</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="107"/>
        <source>Display of the %1</source>
        <translation>Display von %1</translation>
    </message>
    <message>
        <location filename="../src/navi/remotedisplay.cpp" line="108"/>
        <source>Waiting for the display of the %1...</source>
        <translation>Warte auf das Display von %1...</translation>
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
        <location filename="../src/rtdialog/rtdialog.ui" line="14"/>
        <source>Analog channels of the device; tick a channel to plot it</source>
        <translation>Analogkanäle des Geräts; ein angehakter Kanal wird gezeichnet</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="19"/>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="22"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="31"/>
        <source>Refresh Labels</source>
        <translation>Bezeichnungen laden</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="32"/>
        <source>Ask the device for the names of its analog channels again</source>
        <translation>Das Gerät erneut nach den Namen seiner Analogkanäle fragen</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="37"/>
        <source>Refresh data</source>
        <translation>Daten laden</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="38"/>
        <source>Ask the device for one set of analog values</source>
        <translation>Das Gerät nach einem Satz Analogwerte fragen</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="45"/>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtdialog.ui" line="46"/>
        <source>Keep the device sending values while the port is open</source>
        <translation>Lässt das Gerät Werte senden, solange die Schnittstelle geöffnet ist</translation>
    </message>
</context>
<context>
    <name>RtPlot</name>
    <message>
        <location filename="../src/rtdialog/rtplot.cpp" line="98"/>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="32"/>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="32"/>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="40"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="142"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="41"/>
        <source>Hold the plot still; double-click the plot to follow again</source>
        <translation>Hält das Diagramm an; ein Doppelklick auf das Diagramm lässt es wieder mitlaufen</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="47"/>
        <source>Time span</source>
        <translation>Zeitspanne</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="56"/>
        <source>Axis</source>
        <translation>Achse</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="57"/>
        <source>Value axis: automatic or fixed</source>
        <translation>Werteachse: automatisch oder fest</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="62"/>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="64"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="164"/>
        <source>Fit the value axis to the drawn values</source>
        <translation>Die Werteachse an die gezeichneten Werte anpassen</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="73"/>
        <source>Lowest value on the fixed value axis</source>
        <translation>Kleinster Wert der festen Werteachse</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="74"/>
        <source>Highest value on the fixed value axis</source>
        <translation>Größter Wert der festen Werteachse</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="78"/>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="79"/>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="87"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="88"/>
        <source>Save the plot as a picture or its visible data as CSV</source>
        <translation>Das Diagramm als Bild oder seine sichtbaren Daten als CSV speichern</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="91"/>
        <source>Save plot as &amp;image...</source>
        <translation>Diagramm als &amp;Bild speichern...</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="92"/>
        <source>Save visible data as &amp;CSV...</source>
        <translation>Sichtbare Daten als &amp;CSV speichern...</translation>
    </message>
    <message>
        <source>Save plot as image...</source>
        <translation type="vanished">Diagramm als Bild speichern...</translation>
    </message>
    <message>
        <source>Save visible data as CSV...</source>
        <translation type="vanished">Sichtbare Daten als CSV speichern...</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="132"/>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="266"/>
        <source>%1: %2 at %3 s</source>
        <translation>%1: %2 bei %3 s</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="402"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="407"/>
        <source>Save plot as image</source>
        <translation>Diagramm als Bild speichern</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG drawing (*.svg)</source>
        <translation type="vanished">PNG-Bild (*.png);;SVG-Zeichnung (*.svg)</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="408"/>
        <source>Could not write %1.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../src/rtdialog/rtplotview.cpp" line="414"/>
        <location filename="../src/rtdialog/rtplotview.cpp" line="419"/>
        <source>Save visible data as CSV</source>
        <translation>Sichtbare Daten als CSV speichern</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation type="vanished">CSV-Datei (*.csv)</translation>
    </message>
</context>
<context>
    <name>ScriptLoader</name>
    <message>
        <location filename="../src/decoding/scriptloader.cpp" line="261"/>
        <source>file &apos;mk.js&apos; not found</source>
        <translation>Datei &apos;mk.js&apos; nicht gefunden</translation>
    </message>
    <message>
        <location filename="../src/decoding/scriptloader.cpp" line="263"/>
        <source>&apos;%1&apos; is not a regular file; no definitions loaded</source>
        <translation>&apos;%1&apos; ist keine reguläre Datei; keine Definitionen geladen</translation>
    </message>
    <message>
        <location filename="../src/decoding/scriptloader.cpp" line="267"/>
        <source>&apos;%1&apos; is larger than %2 MiB; no definitions loaded</source>
        <translation>&apos;%1&apos; ist größer als %2 MiB; keine Definitionen geladen</translation>
    </message>
    <message>
        <location filename="../src/decoding/scriptloader.cpp" line="272"/>
        <source>script error in &apos;%1&apos;: %2</source>
        <translation>Skriptfehler in &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <location filename="../src/decoding/scriptloader.cpp" line="275"/>
        <source>script error in &apos;%1&apos;: stopped after running for %2 seconds without finishing</source>
        <translation>Skriptfehler in &apos;%1&apos;: nach %2 Sekunden ohne Ende abgebrochen</translation>
    </message>
    <message>
        <location filename="../src/decoding/scriptloader.cpp" line="281"/>
        <source>script error in &apos;%1&apos;: stopped after growing the program by more than %2 MiB</source>
        <translation>Skriptfehler in &apos;%1&apos;: abgebrochen, nachdem der Speicherbedarf des Programms um mehr als %2 MiB gewachsen war</translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <source>Captures (*.mkcap);;All files (*)</source>
        <translation type="vanished">Mitschnitte (*.mkcap);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="44"/>
        <source>Open a capture</source>
        <translation>Mitschnitt öffnen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="61"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="64"/>
        <source>&amp;Open capture...</source>
        <translation>Mitschnitt ö&amp;ffnen...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="67"/>
        <source>Load a capture file into the frame log</source>
        <translation>Lädt eine Mitschnittdatei in das Rahmenprotokoll</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="69"/>
        <source>&amp;Record...</source>
        <translation>&amp;Aufzeichnen...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="72"/>
        <source>Write every frame and event of the session to a capture file</source>
        <translation>Schreibt jeden Rahmen und jedes Ereignis der Sitzung in eine Mitschnittdatei</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="75"/>
        <source>Re&amp;play</source>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>At the recorded pace (x1)</source>
        <translation type="vanished">Im aufgezeichneten Tempo (x1)</translation>
    </message>
    <message>
        <source>Four times faster (x4)</source>
        <translation type="vanished">Viermal so schnell (x4)</translation>
    </message>
    <message>
        <source>As fast as possible</source>
        <translation type="vanished">So schnell wie möglich</translation>
    </message>
    <message>
        <source>Feed the logged frames to the real-time dialog</source>
        <translation type="vanished">Spielt die protokollierten Rahmen in die Echtzeitwerte ein</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="90"/>
        <source>Play a capture&apos;s frames again, as the device sent them</source>
        <translation>Die Rahmen eines Mitschnitts erneut abspielen, wie das Gerät sie gesendet hat</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="vanished">Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="vanished">Stopp</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="83"/>
        <source>At the recorded pace (x&amp;1)</source>
        <translation>Im aufgezeichneten Tempo (x&amp;1)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="84"/>
        <source>Four times faster (x&amp;4)</source>
        <translation>Viermal schneller (x&amp;4)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="85"/>
        <source>&amp;As fast as possible</source>
        <translation>&amp;So schnell wie möglich</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="95"/>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="103"/>
        <source>&amp;Stop</source>
        <translation>S&amp;topp</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="107"/>
        <source>&amp;Export CSV...</source>
        <translation>CSV &amp;exportieren...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="109"/>
        <source>Write the frames of one command letter as a CSV table</source>
        <translation>Schreibt die Rahmen eines Befehlsbuchstabens als CSV-Tabelle</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="112"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="142"/>
        <source>Open capture</source>
        <translation>Mitschnitt öffnen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="154"/>
        <source>Disconnect from the device and open the capture &apos;%1&apos;?</source>
        <translation>Verbindung zum Gerät trennen und den Mitschnitt &apos;%1&apos; öffnen?</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="162"/>
        <source>Loading the capture &apos;%1&apos;...</source>
        <translation>Lade den Mitschnitt &apos;%1&apos;...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="369"/>
        <source>Exporting CSV...</source>
        <translation>CSV wird exportiert...</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="388"/>
        <source>CSV export to &apos;%1&apos; cancelled; nothing written</source>
        <translation>CSV-Export nach &apos;%1&apos; abgebrochen; nichts geschrieben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="vanished">Abbrechen</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="176"/>
        <source>Capture &apos;%1&apos; opened: %n frame(s)</source>
        <translation>
            <numerusform>Mitschnitt &apos;%1&apos; geöffnet: %n Rahmen</numerusform>
            <numerusform>Mitschnitt &apos;%1&apos; geöffnet: %n Rahmen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="178"/>
        <source>, %n line(s) not understood and skipped</source>
        <translation>
            <numerusform>, %n unverständliche Zeile übersprungen</numerusform>
            <numerusform>, %n unverständliche Zeilen übersprungen</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="180"/>
        <source> (loading cancelled)</source>
        <translation> (Laden abgebrochen)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="181"/>
        <source>Loading the capture &apos;%1&apos; cancelled</source>
        <translation>Laden des Mitschnitts &apos;%1&apos; abgebrochen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="235"/>
        <source>Recording to &apos;%1&apos;</source>
        <translation>Aufzeichnung nach &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="246"/>
        <source>Recording to &apos;%1&apos; ended</source>
        <translation>Aufzeichnung nach &apos;%1&apos; beendet</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="255"/>
        <source>Record to</source>
        <translation>Aufzeichnen nach</translation>
    </message>
    <message>
        <source>Nothing to replay: the frame log is empty</source>
        <translation type="vanished">Nichts wiederzugeben: das Rahmenprotokoll ist leer</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="206"/>
        <source>Analog %1</source>
        <translation>Analog %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="266"/>
        <source>Replay capture</source>
        <translation>Mitschnitt abspielen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="273"/>
        <source>Disconnect from the device and replay the capture &apos;%1&apos;?</source>
        <translation>Verbindung zum Gerät trennen und den Mitschnitt &apos;%1&apos; abspielen?</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="290"/>
        <source>Replaying &apos;%1&apos;</source>
        <translation>&apos;%1&apos; wird abgespielt</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="299"/>
        <source>Replay of &apos;%1&apos; finished: %n frame(s)</source>
        <translation>
            <numerusform>Wiedergabe von &apos;%1&apos; beendet: %n Rahmen</numerusform>
            <numerusform>Wiedergabe von &apos;%1&apos; beendet: %n Rahmen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="302"/>
        <source>, %n step(s) back in time or gap(s) over 10 s played as 1 s pauses</source>
        <translation>
            <numerusform>, %n Zeitsprung zurück oder Lücke über 10 s als 1 s Pause abgespielt</numerusform>
            <numerusform>, %n Zeitsprünge zurück oder Lücken über 10 s als 1 s Pause abgespielt</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="334"/>
        <source>CSV export needs the definitions of mk.js</source>
        <translation>Der CSV-Export braucht die Definitionen aus mk.js</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="339"/>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="343"/>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/sessionfiles.cpp" line="339"/>
        <source>Command letter:</source>
        <translation>Befehlsbuchstabe:</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="vanished">CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation type="vanished">&apos;%1&apos; kann nicht geschrieben werden: %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="397"/>
        <source>Exported %n &apos;%1&apos; frame(s) to &apos;%2&apos;</source>
        <translation>
            <numerusform>%n &apos;%1&apos;-Rahmen nach &apos;%2&apos; exportiert</numerusform>
            <numerusform>%n &apos;%1&apos;-Rahmen nach &apos;%2&apos; exportiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow/sessionfiles.cpp" line="399"/>
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
        <location filename="../src/session/sessionpipeline.cpp" line="32"/>
        <source>The link changed</source>
        <translation>Die Verbindung wurde gewechselt</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="48"/>
        <source>The link was closed</source>
        <translation>Die Verbindung wurde geschlossen</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="193"/>
        <source>Not sent: the session is a capture, not a device</source>
        <translation>Nicht gesendet: die Sitzung ist ein Mitschnitt, kein Gerät</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="194"/>
        <source>Not sent: no device connected</source>
        <translation>Nicht gesendet: kein Gerät verbunden</translation>
    </message>
    <message>
        <location filename="../src/session/sessionpipeline.cpp" line="200"/>
        <source>Not sent: this request is never sent automatically</source>
        <translation>Nicht gesendet: diese Anfrage wird nie automatisch gesendet</translation>
    </message>
</context>
<context>
    <name>SettingsCommand</name>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="58"/>
        <source>Reads parameter set N (1-5), the active one or all five from the device at --port into the file named by -o (all: FILE-set1 ... FILE-set5) and exits.</source>
        <translation>Liest Parametersatz N (1-5), den aktiven oder alle fünf vom Gerät an --port in die mit -o angegebene Datei (alle: DATEI-set1 ... DATEI-set5) und beendet sich.</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="64"/>
        <source>Writes the parameter set in this file to set --set of the device at --port, after saving a backup of it, and reads it back.</source>
        <translation>Schreibt den Parametersatz aus dieser Datei in den Satz --set des Geräts an --port, nachdem dieser gesichert wurde, und liest ihn zurück.</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="68"/>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="70"/>
        <source>The set to write (1-5).</source>
        <translation>Der zu schreibende Satz (1-5).</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="74"/>
        <source>Writes a file of another revision, field by field by name, although the device lacks some of its fields or it lacks some of the device&apos;s.</source>
        <translation>Schreibt eine Datei einer anderen Revision Feld für Feld nach Namen, auch wenn dem Gerät einige ihrer Felder fehlen oder ihr einige Felder des Geräts.</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="95"/>
        <source>parameter sets need the device&apos;s --port</source>
        <translation>Parametersätze brauchen --port des Geräts</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="100"/>
        <source>--read-settings and --write-settings cannot be combined</source>
        <translation>--read-settings und --write-settings können nicht kombiniert werden</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="105"/>
        <source>--read-settings needs the output file (-o FILE)</source>
        <translation>--read-settings braucht die Ausgabedatei (-o DATEI)</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="113"/>
        <source>--read-settings wants 1 to 5, active or all, not &apos;%1&apos;</source>
        <translation>--read-settings erwartet 1 bis 5, active oder all, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="119"/>
        <source>--write-settings needs --set with a set number from 1 to 5</source>
        <translation>--write-settings braucht --set mit einer Satznummer von 1 bis 5</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="141"/>
        <source>cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="186"/>
        <source>%1: %2; nothing written</source>
        <translation>%1: %2; nichts geschrieben</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="194"/>
        <source>the device&apos;s revision %1 lacks: %2; the file (revision %3) lacks: %4</source>
        <translation>der Revision %1 des Geräts fehlen: %2; der Datei (Revision %3) fehlen: %4</translation>
    </message>
    <message>
        <location filename="../src/app/settingscommand.cpp" line="202"/>
        <source>; nothing written (--accept-mapping writes it)</source>
        <translation>; nichts geschrieben (--accept-mapping schreibt sie trotzdem)</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <location filename="../src/widgets/settingsstore.cpp" line="60"/>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <location filename="../src/widgets/settingsstore.cpp" line="62"/>
        <source>format error</source>
        <translation>Formatfehler</translation>
    </message>
    <message>
        <location filename="../src/widgets/settingsstore.cpp" line="66"/>
        <location filename="../src/widgets/settingsstore.cpp" line="95"/>
        <source>access error</source>
        <translation>Zugriffsfehler</translation>
    </message>
    <message>
        <location filename="../src/widgets/settingsstore.cpp" line="71"/>
        <source>Settings file &apos;%1&apos; could not be read (%2): defaults are used, and the file is left as it is</source>
        <translation>Einstellungsdatei &apos;%1&apos; konnte nicht gelesen werden (%2): es gelten die Standardwerte, die Datei bleibt unverändert</translation>
    </message>
    <message>
        <location filename="../src/widgets/settingsstore.cpp" line="81"/>
        <source>Settings file &apos;%1&apos; cannot be written (%2): changes will not be saved</source>
        <translation>Einstellungsdatei &apos;%1&apos; kann nicht geschrieben werden (%2): Änderungen werden nicht gespeichert</translation>
    </message>
    <message>
        <location filename="../src/widgets/settingsstore.cpp" line="98"/>
        <source>settings not saved to &apos;%1&apos;: %2</source>
        <translation>Einstellungen nicht in &apos;%1&apos; gespeichert: %2</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="28"/>
        <location filename="../src/settingswindow/settingswindow.cpp" line="131"/>
        <location filename="../src/settingswindow/settingswindow.cpp" line="186"/>
        <location filename="../src/settingswindow/settingswindow.cpp" line="239"/>
        <source>Parameter sets</source>
        <translation>Parametersätze</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="55"/>
        <source>mk.js describes no parameter set revision: sets can be read only as bytes</source>
        <translation>mk.js beschreibt keine Parametersatz-Revision: Sätze können nur als Bytes gelesen werden</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="65"/>
        <source>Set %1</source>
        <translation>Satz %1</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="76"/>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="77"/>
        <source>Read all</source>
        <translation>Alle lesen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="79"/>
        <source>Write…</source>
        <translation>Schreiben…</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="81"/>
        <source>Activate</source>
        <translation>Aktivieren</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="83"/>
        <source>Reset to defaults…</source>
        <translation>Auf Standardwerte zurücksetzen…</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="86"/>
        <source>Motors running</source>
        <translation>Motoren laufen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="90"/>
        <source>The navigation status says the motors run: nothing is read or written</source>
        <translation>Laut Navigationsstatus laufen die Motoren: es wird nichts gelesen oder geschrieben</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="93"/>
        <source>Active set: unknown</source>
        <translation>Aktiver Satz: unbekannt</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="98"/>
        <source>Open file…</source>
        <translation>Datei öffnen…</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="100"/>
        <source>Save file…</source>
        <translation>Datei speichern…</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="102"/>
        <source>Compare…</source>
        <translation>Vergleichen…</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="132"/>
        <source>Show set %1 as read from the device and drop your edits? No keeps the edits; Write then writes them to set %1.</source>
        <translation>Satz %1 so anzeigen, wie er vom Gerät gelesen wurde, und die Änderungen verwerfen? Nein behält die Änderungen; Schreiben schreibt sie dann in Satz %1.</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="155"/>
        <source>Connect to the Flight Ctrl first</source>
        <translation>Bitte zuerst mit der Flight Ctrl verbinden</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="187"/>
        <source>The write of set %1 was cut off; its state is unknown. Read it back now?</source>
        <translation>Das Schreiben von Satz %1 wurde unterbrochen; sein Zustand ist unbekannt. Jetzt zurücklesen?</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="202"/>
        <source>Active set: %1</source>
        <translation>Aktiver Satz: %1</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="220"/>
        <source>Written, but %1</source>
        <translation>Geschrieben, aber %1</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="222"/>
        <source>Set %1 written and read back; the previous values are in %2</source>
        <translation>Satz %1 geschrieben und zurückgelesen; die vorherigen Werte stehen in %2</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="226"/>
        <source>Set %1 reset to the firmware&apos;s defaults</source>
        <translation>Satz %1 auf die Standardwerte der Firmware zurückgesetzt</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="228"/>
        <source>Sets 1 to 5 read</source>
        <translation>Sätze 1 bis 5 gelesen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="230"/>
        <source>Set %1 read</source>
        <translation>Satz %1 gelesen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="232"/>
        <source>Set %1 is active</source>
        <translation>Satz %1 ist aktiv</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="240"/>
        <source>Reading shows the device&apos;s values in place of your edits. Read anyway?</source>
        <translation>Nach dem Lesen werden statt der Änderungen die Werte des Geräts angezeigt. Trotzdem lesen?</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="266"/>
        <source>Read a set or open a file first: there is nothing to write</source>
        <translation>Bitte zuerst einen Satz lesen oder eine Datei öffnen: es gibt nichts zu schreiben</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="272"/>
        <source>Write parameter set</source>
        <translation>Parametersatz schreiben</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="273"/>
        <source>Write &quot;%1&quot; to set %2 of the Flight Ctrl? The set on the device is saved to a backup first.</source>
        <translation>&quot;%1&quot; in Satz %2 der Flight Ctrl schreiben? Der Satz auf dem Gerät wird vorher gesichert.</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="286"/>
        <source>Reset to defaults</source>
        <translation>Auf Standardwerte zurücksetzen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="287"/>
        <source>Reset set %1 to the firmware&apos;s defaults? The values of set %1 are lost.</source>
        <translation>Satz %1 auf die Standardwerte der Firmware zurücksetzen? Die Werte von Satz %1 gehen verloren.</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="290"/>
        <source>Reset set %1, keep channels</source>
        <translation>Satz %1 zurücksetzen, Kanäle behalten</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="292"/>
        <source>Reset set %1 entirely</source>
        <translation>Satz %1 vollständig zurücksetzen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="304"/>
        <location filename="../src/settingswindow/settingswindow.cpp" line="343"/>
        <source>Open parameter set</source>
        <translation>Parametersatz öffnen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="304"/>
        <location filename="../src/settingswindow/settingswindow.cpp" line="390"/>
        <source>Parameter sets (*.mkparam);;All files (*)</source>
        <translation>Parametersätze (*.mkparam);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="318"/>
        <source>%1: parameter set revision %2 is unknown to mk.js</source>
        <translation>%1: Parametersatz-Revision %2 ist mk.js unbekannt</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="328"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="335"/>
        <source>Loaded by field name from revision %1 onto revision %2.
Fields revision %2 lacks (dropped): %3
Fields the file lacks (kept as they were): %4</source>
        <translation>Nach Feldnamen von Revision %1 auf Revision %2 geladen.
Felder, die Revision %2 fehlen (verworfen): %3
Felder, die der Datei fehlen (unverändert behalten): %4</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="345"/>
        <source>%1 loaded; nothing is written before you click Write</source>
        <translation>%1 geladen; geschrieben wird erst nach einem Klick auf Schreiben</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="353"/>
        <source>There is no set to save</source>
        <translation>Es gibt keinen Satz zum Speichern</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="357"/>
        <source>Save parameter set</source>
        <translation>Parametersatz speichern</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="358"/>
        <source>Parameter sets (*.mkparam)</source>
        <translation>Parametersätze (*.mkparam)</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="364"/>
        <source>Saved to %1</source>
        <translation>Gespeichert in %1</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="373"/>
        <source>Read a set or open a file first</source>
        <translation>Bitte zuerst einen Satz lesen oder eine Datei öffnen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="378"/>
        <source>Device set %1</source>
        <translation>Satz %1 des Geräts</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="379"/>
        <source>A file…</source>
        <translation>Eine Datei…</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="382"/>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="382"/>
        <source>Compare the shown set with:</source>
        <translation>Den angezeigten Satz vergleichen mit:</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="390"/>
        <source>Compare with</source>
        <translation>Vergleichen mit</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="412"/>
        <source>Differences</source>
        <translation>Unterschiede</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="415"/>
        <source>No field differs.</source>
        <translation>Kein Feld weicht ab.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/settingswindow/settingswindow.cpp" line="416"/>
        <source>%n field(s) differ.</source>
        <translation>
            <numerusform>%n Feld weicht ab.</numerusform>
            <numerusform>%n Felder weichen ab.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="419"/>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <location filename="../src/settingswindow/settingswindow.cpp" line="419"/>
        <source>Shown set</source>
        <translation>Angezeigter Satz</translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="19"/>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="22"/>
        <source>Frames, bytes and answer times of the link, per command letter</source>
        <translation>Rahmen, Bytes und Antwortzeiten der Verbindung, je Befehlsbuchstabe</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="31"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="33"/>
        <source>Start the counts afresh</source>
        <translation>Die Zählung neu beginnen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="54"/>
        <source>%1 B/s</source>
        <translation>%1 B/s</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="55"/>
        <source>%1 kB/s</source>
        <translation>%1 kB/s</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="64"/>
        <source>rx %1 · %2 frames/s · %3 bad</source>
        <translation>rx %1 · %2 Rahmen/s · %3 fehlerhaft</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/statisticsdialog.cpp" line="74"/>
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
<context>
    <name>StepProgress</name>
    <message>
        <location filename="../src/widgets/stepprogress.cpp" line="24"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TrackView</name>
    <message>
        <location filename="../src/navi/trackview.cpp" line="40"/>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <location filename="../src/navi/trackview.cpp" line="42"/>
        <source>No position yet</source>
        <translation>Noch keine Position</translation>
    </message>
    <message>
        <location filename="../src/navi/trackview.cpp" line="84"/>
        <source>%1 km</source>
        <translation>%1 km</translation>
    </message>
    <message>
        <location filename="../src/navi/trackview.cpp" line="84"/>
        <source>%1 m</source>
        <translation>%1 m</translation>
    </message>
</context>
<context>
    <name>VirtualPorts</name>
    <message>
        <location filename="../src/serial/virtualports.cpp" line="56"/>
        <source>&apos;%1&apos; cannot be used: %2</source>
        <translation>&apos;%1&apos; kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <location filename="../src/serial/virtualports.cpp" line="60"/>
        <source>&apos;%1&apos; is a symbolic link</source>
        <translation>&apos;%1&apos; ist ein symbolischer Link</translation>
    </message>
    <message>
        <location filename="../src/serial/virtualports.cpp" line="62"/>
        <source>&apos;%1&apos; is not a directory</source>
        <translation>&apos;%1&apos; ist kein Verzeichnis</translation>
    </message>
    <message>
        <location filename="../src/serial/virtualports.cpp" line="64"/>
        <source>&apos;%1&apos; belongs to user %2, not to you</source>
        <translation>&apos;%1&apos; gehört dem Benutzer %2, nicht diesem Benutzerkonto</translation>
    </message>
    <message>
        <location filename="../src/serial/virtualports.cpp" line="69"/>
        <source>&apos;%1&apos; is open to other users (mode %2; 700 wanted)</source>
        <translation>&apos;%1&apos; ist für andere Benutzer zugänglich (Modus %2; 700 erforderlich)</translation>
    </message>
</context>
</TS>
