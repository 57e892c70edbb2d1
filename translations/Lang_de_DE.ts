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
        <location filename="../src/mainwindow/mainwindow.ui" line="160"/>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="164"/>
        <source>Cmd</source>
        <translation>Bef.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="168"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="172"/>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="203"/>
        <source>list of devices</source>
        <translation>Liste der Geräte</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="209"/>
        <source>display only Future Technology devices</source>
        <translation>nur Geräte von Future Technology anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="210"/>
        <source>FTDI only</source>
        <translation>Nur FTDI</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="223"/>
        <source>Real time display</source>
        <translation>Echtzeitanzeige</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="224"/>
        <source>Rt</source>
        <translation>Rt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="229"/>
        <source>clear 3 display panes</source>
        <translation>die drei Anzeigen leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="230"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="235"/>
        <source>Connection to Mikrokopter</source>
        <translation>Verbindung zum Mikrokopter</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="236"/>
        <location filename="../src/mainwindow/connection.cpp" line="42"/>
        <location filename="../src/mainwindow/connection.cpp" line="90"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="249"/>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="252"/>
        <source>Windows</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.ui" line="266"/>
        <source>Show &amp;Terminal</source>
        <translation>&amp;Terminal anzeigen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="20"/>
        <source>frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="30"/>
        <source>address: %1</source>
        <translation>Adresse: %1</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/decoding.cpp" line="31"/>
        <source>data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="31"/>
        <source>Error: file &apos;mk.js&apos; not found</source>
        <translation>Fehler: Datei &apos;mk.js&apos; nicht gefunden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="35"/>
        <source>Using script file &apos;%1&apos;</source>
        <translation>Verwende Skriptdatei &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="36"/>
        <source>Parsing script file &apos;mk.js&apos;</source>
        <translation>Lese Skriptdatei &apos;mk.js&apos;</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="50"/>
        <location filename="../src/mainwindow/script.cpp" line="58"/>
        <source>Script error</source>
        <translation>Skriptfehler</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/script.cpp" line="59"/>
        <source>: stopped after running for %1 seconds without finishing</source>
        <translation>: nach %1 Sekunden ohne Ende abgebrochen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="33"/>
        <source>Serial name device is empty, check you MKUSB connection or install FTDI drivers.</source>
        <translation>Kein serielles Gerät gewählt; bitte die MKUSB-Verbindung prüfen oder FTDI-Treiber installieren.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="43"/>
        <source>Serial device &apos;%1&apos; closed succesfully.</source>
        <translation>Serielles Gerät &apos;%1&apos; geschlossen.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="51"/>
        <source>Serial device &apos;%1&apos; opened succesfully.</source>
        <translation>Serielles Gerät &apos;%1&apos; geöffnet.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="53"/>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="57"/>
        <source>Serial device &apos;%1&apos; Failed to open</source>
        <translation>Serielles Gerät &apos;%1&apos; konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="77"/>
        <source>Device %1 discovered</source>
        <translation>Gerät %1 gefunden</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="85"/>
        <source>Device %1 removed</source>
        <translation>Gerät %1 entfernt</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/connection.cpp" line="91"/>
        <source>Connection with device %1 closed</source>
        <translation>Verbindung mit Gerät %1 geschlossen</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/framelog.cpp" line="123"/>
        <source>No answer from the device for analog label %1 after %2 tries; label collection abandoned.</source>
        <translation>Keine Antwort des Geräts auf Analog-Bezeichnung %1 nach %2 Versuchen; Abfrage der Bezeichnungen abgebrochen.</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="19"/>
        <source>Tovrik initialized</source>
        <translation>Tovrik bereit</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="57"/>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="58"/>
        <source>Show the application&apos;s About box</source>
        <translation>Zeigt Informationen über das Programm</translation>
    </message>
    <message>
        <location filename="../src/mainwindow/mainwindow.cpp" line="74"/>
        <source>Filter only FTDI devices</source>
        <translation>Nur FTDI-Geräte anzeigen</translation>
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
</context>
<context>
    <name>RtPlot</name>
    <message>
        <location filename="../src/rtdialog/rtplot.cpp" line="28"/>
        <source>s</source>
        <translation>s</translation>
    </message>
</context>
</TS>
