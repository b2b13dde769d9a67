<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutBox</name>
    <message>
        <source>No ffmpeg was found beside mpgfix or on PATH.</source>
        <translation>Weder neben mpgfix noch im PATH wurde ein ffmpeg gefunden.</translation>
    </message>
    <message>
        <source>About mpgfix</source>
        <translation>Über mpgfix</translation>
    </message>
    <message>
        <source>Asking ffmpeg for its version...</source>
        <translation>ffmpeg wird nach seiner Version gefragt...</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>ffmpeg of unknown version</source>
        <translation>ffmpeg in unbekannter Version</translation>
    </message>
    <message>
        <source>&lt;b&gt;mpgfix %1&lt;/b&gt;</source>
        <translation>&lt;b&gt;mpgfix %1&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Brings video files into one MPEG-2 format with MP2 audio: what already fits is copied, the rest re-encoded, each written as &lt;name&gt;.mpg.</source>
        <translation>Bringt Videodateien in ein MPEG-2-Format mit MP2-Ton: Was schon passt, wird kopiert, der Rest neu kodiert, jede Datei als &lt;Name&gt;.mpg gespeichert.</translation>
    </message>
    <message>
        <source>Free software under the MIT licence.</source>
        <translation>Freie Software unter der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Open Video Files</source>
        <translation>Videodateien öffnen</translation>
    </message>
    <message>
        <source>Open a Folder of Videos</source>
        <translation>Ordner mit Videos öffnen</translation>
    </message>
    <message>
        <source>No file manager is set up to open %1.</source>
        <translation>Es ist kein Dateimanager eingerichtet, um %1 zu öffnen.</translation>
    </message>
    <message>
        <source>The list of files left to fix could not be read; it was set aside as %1.</source>
        <translation>Die Liste der noch zu korrigierenden Dateien war nicht lesbar; sie wurde als %1 beiseitegelegt.</translation>
    </message>
    <message>
        <source>Looking for videos to fix...</source>
        <translation>Sucht nach zu korrigierenden Videos...</translation>
    </message>
    <message>
        <source>The list of files left to fix could not be opened (%1); it is left as it is, and this session&apos;s files are not kept.</source>
        <translation>Die Liste der noch zu korrigierenden Dateien ließ sich nicht öffnen (%1); sie bleibt, wie sie ist, und die Dateien dieser Sitzung werden nicht aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>BatchIntake</name>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>BatchRun</name>
    <message>
        <source>done  %1 -&gt; %2</source>
        <translation>fertig  %1 -&gt; %2</translation>
    </message>
    <message>
        <source>failed  %1: %2</source>
        <translation>fehlgeschlagen  %1: %2</translation>
    </message>
    <message>
        <source>skipped  %1: %2</source>
        <translation>übersprungen  %1: %2</translation>
    </message>
    <message>
        <source>cancelled  %1</source>
        <translation>abgebrochen  %1</translation>
    </message>
    <message>
        <source>[%1%] %2 of %3 ended</source>
        <translation>[%1%] %2 von %3 beendet</translation>
    </message>
    <message>
        <source>, fixing %1</source>
        <translation>, in Arbeit: %1</translation>
    </message>
    <message>
        <source>%1 fixed, %2 failed, %3 skipped</source>
        <translation>%1 korrigiert, %2 fehlgeschlagen, %3 übersprungen</translation>
    </message>
    <message>
        <source>, %1 cancelled</source>
        <translation>, %1 abgebrochen</translation>
    </message>
    <message>
        <source>, %1 not started</source>
        <translation>, %1 nicht begonnen</translation>
    </message>
    <message>
        <source>mpgfix: %1
</source>
        <translation>mpgfix: %1
</translation>
    </message>
    <message>
        <source>The disc was not made: not every file was fixed.
</source>
        <translation>Die Disc wurde nicht erstellt: Nicht jede Datei wurde korrigiert.
</translation>
    </message>
    <message>
        <source>The disc was not made: %1
</source>
        <translation>Die Disc wurde nicht erstellt: %1
</translation>
    </message>
    <message>
        <source>disc  %1 %2 titles at %3 Mbit/s
</source>
        <translation>Disc  %1 %2 Titel mit %3 Mbit/s
</translation>
    </message>
    <message>
        <source>cannot write into %1: %2</source>
        <translation>in %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>mpgfix: cannot write to standard output: %1
</source>
        <translation>mpgfix: Schreiben in die Standardausgabe fehlgeschlagen: %1
</translation>
    </message>
    <message>
        <source>, %1 elapsed</source>
        <translation>, %1 vergangen</translation>
    </message>
    <message>
        <source>, ETA %1</source>
        <translation>, noch etwa %1</translation>
    </message>
    <message>
        <source>, %1x real time</source>
        <translation>, %1-fache Echtzeit</translation>
    </message>
    <message>
        <source> in %1, %2 written</source>
        <translation> in %1, %2 geschrieben</translation>
    </message>
</context>
<context>
    <name>CloseQuestion</name>
    <message>
        <source>mpgfix</source>
        <translation>mpgfix</translation>
    </message>
    <message>
        <source>&amp;Stop and Quit</source>
        <translation>&amp;Anhalten und beenden</translation>
    </message>
    <message>
        <source>&amp;Keep Working</source>
        <translation>&amp;Weiterarbeiten</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>mpgfix has %n files waiting to be fixed. Stop and quit?</source>
        <translation>
            <numerusform>Bei mpgfix wartet noch %n Datei darauf, korrigiert zu werden. Anhalten und beenden?</numerusform>
            <numerusform>Bei mpgfix warten noch %n Dateien darauf, korrigiert zu werden. Anhalten und beenden?</numerusform>
        </translation>
    </message>
    <message>
        <source>mpgfix is fixing %1. Stop and quit?</source>
        <translation>mpgfix korrigiert gerade %1. Anhalten und beenden?</translation>
    </message>
    <message numerus="yes">
        <source>mpgfix is fixing %1 (%n more waiting). Stop and quit?</source>
        <translation>
            <numerusform>mpgfix korrigiert gerade %1 (%n weitere wartet). Anhalten und beenden?</numerusform>
            <numerusform>mpgfix korrigiert gerade %1 (%n weitere warten). Anhalten und beenden?</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>%1, %2 and %3</source>
        <translation>%1, %2 und %3</translation>
    </message>
    <message>
        <source>mpgfix is still looking for videos to fix. Stop and quit?</source>
        <translation>mpgfix sucht noch nach zu korrigierenden Videos. Anhalten und beenden?</translation>
    </message>
    <message>
        <source>mpgfix is making a disc. Stop and quit?</source>
        <translation>mpgfix erstellt eine Disc. Anhalten und beenden?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Video files or folders of them to fix.</source>
        <translation>Zu korrigierende Videodateien oder Ordner mit solchen.</translation>
    </message>
    <message>
        <source>[files...]</source>
        <translation>[Dateien...]</translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: %2
&apos;%1 --help&apos; zeigt mehr Informationen.
</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <source>Brings video files into one MPEG-2 format with MP2 audio, each written as &lt;name&gt;.mpg.</source>
        <translation>Bringt Videodateien in ein einheitliches MPEG-2-Format mit MP2-Ton, jede als &lt;Name&gt;.mpg.</translation>
    </message>
    <message>
        <source>Fix the files without a window, and exit.</source>
        <translation>Die Dateien ohne Fenster korrigieren und dann beenden.</translation>
    </message>
    <message>
        <source>Batch: write into &lt;folder&gt;.</source>
        <translation>Stapel: in &lt;Ordner&gt; schreiben.</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Batch: re-encoded video at &lt;n&gt; Mbps, 1 to 9.</source>
        <translation>Stapel: neu kodiertes Video mit &lt;n&gt; Mbit/s, 1 bis 9.</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>rule</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Batch: re-encode every file, even a conforming one.</source>
        <translation>Stapel: jede Datei neu kodieren, auch eine passende.</translation>
    </message>
    <message>
        <source>Batch: make files ready for DVD authoring.</source>
        <translation>Stapel: Dateien für das DVD-Authoring vorbereiten.</translation>
    </message>
    <message>
        <source>Batch: keep the picture&apos;s proportions (black bars).</source>
        <translation>Stapel: Seitenverhältnis des Bildes erhalten (schwarze Balken).</translation>
    </message>
    <message>
        <source>Batch: print one JSON object per finished file.</source>
        <translation>Stapel: ein JSON-Objekt je fertiger Datei ausgeben.</translation>
    </message>
    <message>
        <source>--%1 works only with --batch</source>
        <translation>--%1 geht nur mit --batch</translation>
    </message>
    <message>
        <source>--batch needs files or folders to fix</source>
        <translation>--batch braucht Dateien oder Ordner zum Korrigieren</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>--%1 takes a whole number from %2 to %3, not &apos;%4&apos;</source>
        <translation>--%1 nimmt eine ganze Zahl von %2 bis %3, nicht &apos;%4&apos;</translation>
    </message>
    <message>
        <source>--%1 takes %2, not &apos;%3&apos;</source>
        <translation>--%1 nimmt %2, nicht &apos;%3&apos;</translation>
    </message>
    <message>
        <source>--%1 needs a folder</source>
        <translation>--%1 braucht einen Ordner</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>Norm</translation>
    </message>
    <message>
        <source>Batch: the TV standard, ntsc or pal.</source>
        <translation>Stapel: die Fernsehnorm, ntsc oder pal.</translation>
    </message>
    <message>
        <source>shape</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Batch: the picture&apos;s shape, 4:3, 16:9 (widescreen) or source (16:9 for a wide source, else 4:3).</source>
        <translation>Stapel: die Bildform, 4:3, 16:9 (Breitbild) oder source (16:9 für eine breite Quelle, sonst 4:3).</translation>
    </message>
    <message>
        <source>codec</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>Batch: the sound, mp2 or ac3 (which every NTSC DVD player plays).</source>
        <translation>Stapel: der Ton, mp2 oder ac3 (den jeder NTSC-DVD-Spieler abspielt).</translation>
    </message>
    <message>
        <source>level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Batch: the picture&apos;s quality for its bitrate, standard, better (slower) or best (much slower).</source>
        <translation>Stapel: die Bildqualität für die Bitrate, standard, better (langsamer) oder best (viel langsamer).</translation>
    </message>
    <message>
        <source>Batch: fit one video bitrate for all the files to a disc: dvd5, dvd9 or &lt;N&gt;MB.</source>
        <translation>Stapel: eine Video-Bitrate für alle Dateien so wählen, dass sie auf eine Disc passen: dvd5, dvd9 oder &lt;N&gt;MB.</translation>
    </message>
    <message>
        <source>size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Batch: make a DVD-Video folder, &lt;folder&gt;/&lt;title&gt;, of the fixed files (implies --dvd).</source>
        <translation>Stapel: aus den korrigierten Dateien einen DVD-Video-Ordner &lt;Ordner&gt;/&lt;Titel&gt; erstellen (schließt --dvd ein).</translation>
    </message>
    <message>
        <source>Batch: make a disc image of the fixed files as &lt;file&gt; (implies --dvd).</source>
        <translation>Stapel: aus den korrigierten Dateien ein Abbild &lt;Datei&gt; erstellen (schließt --dvd ein).</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Batch: a chapter on the disc every &lt;minutes&gt;, 1 to 99 (default 5).</source>
        <translation>Stapel: ein Kapitel auf der Disc alle &lt;Minuten&gt;, 1 bis 99 (vorgegeben 5).</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Batch: the disc&apos;s title, its folder&apos;s name and volume label (default DVD).</source>
        <translation>Stapel: der Titel der Disc, der Name ihres Ordners und ihre Datenträgerbezeichnung (vorgegeben DVD).</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>--disc takes dvd5, dvd9 or a size in megabytes such as 700MB, not &apos;%1&apos;</source>
        <translation>--disc nimmt dvd5, dvd9 oder eine Größe in Megabyte wie 700MB, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--%1 needs a %2</source>
        <translation>--%1 braucht: %2</translation>
    </message>
    <message>
        <source>--chapters takes a whole number from 1 to 99, not &apos;%1&apos;</source>
        <translation>--chapters nimmt eine ganze Zahl von 1 bis 99, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--title needs a name</source>
        <translation>--title braucht einen Namen</translation>
    </message>
    <message>
        <source>%1; default %2.</source>
        <translation>%1; vorgegeben: %2.</translation>
    </message>
    <message>
        <source>With --batch it works without a window and without a display: it fixes the
files and the video files in the folders given, prints a line for each as it
ends, and exits with 0 when every file was fixed or its output was there
already, 1 when any failed, 2 for a mistake on the command line and 128+N
after signal N (130 for Ctrl+C, 143 for SIGTERM, 129 for SIGHUP).
--output is required; every other option not given takes the default shown,
whoever runs it: the window&apos;s settings are not read, and none is stored.</source>
        <translation>Mit --batch arbeitet es ohne Fenster und ohne Bildschirm: Es korrigiert die
angegebenen Dateien und die Videodateien in den angegebenen Ordnern, gibt für
jede eine Zeile aus, sobald sie fertig ist, und endet mit 0, wenn jede Datei
korrigiert wurde oder ihre Ausgabe schon vorlag, mit 1, wenn eine fehlschlug,
mit 2 bei einem Fehler in der Befehlszeile und mit 128+N nach Signal N (130
für Strg+C, 143 für SIGTERM, 129 für SIGHUP).
--output ist Pflicht; jede andere nicht angegebene Option hat, wer es auch
aufruft, die gezeigte Vorgabe: Die Einstellungen des Fensters werden nicht
gelesen, und keine wird gespeichert.</translation>
    </message>
    <message>
        <source>Batch: fix the files and folders named in &lt;list&gt;, one a line; - reads them from standard input.</source>
        <translation>Stapel: die in &lt;Liste&gt; genannten Dateien und Ordner korrigieren, einen je Zeile; - liest sie von der Standardeingabe.</translation>
    </message>
    <message>
        <source>list</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Batch: the names in the list end in NUL, as find -print0 writes them.</source>
        <translation>Stapel: die Namen in der Liste enden mit NUL, wie find -print0 sie schreibt.</translation>
    </message>
    <message>
        <source>--files-from needs a list</source>
        <translation>--files-from braucht eine Liste</translation>
    </message>
    <message>
        <source>--null works only with --files-from</source>
        <translation>--null geht nur mit --files-from</translation>
    </message>
    <message>
        <source>--batch needs --output &lt;folder&gt;, the folder to write into</source>
        <translation>--batch braucht --output &lt;Ordner&gt;, den Ordner, in den geschrieben wird</translation>
    </message>
    <message>
        <source>Batch: when &lt;name&gt;.mpg exists, skip the file (skip; message is taken too), keep both (keep) or replace the old file (replace).</source>
        <translation>Stapel: wenn &lt;Name&gt;.mpg schon existiert, die Datei überspringen (skip; message geht auch), beide behalten (keep) oder die alte Datei ersetzen (replace).</translation>
    </message>
    <message>
        <source>Batch: fix &lt;n&gt; files at once.</source>
        <translation>Stapel: &lt;n&gt; Dateien gleichzeitig korrigieren.</translation>
    </message>
</context>
<context>
    <name>ConsoleParser</name>
    <message>
        <source>Not a recognized file format: %1</source>
        <translation>Kein bekanntes Dateiformat: %1</translation>
    </message>
    <message>
        <source>%1 was not read: ffmpeg takes it for &quot;%2&quot;, which is no single video file (it may be a playlist or a list that names other files, a picture or a device).</source>
        <translation>%1 wurde nicht gelesen: ffmpeg hält die Datei für „%2“, und das ist keine einzelne Videodatei (vielleicht eine Wiedergabeliste oder eine Liste, die andere Dateien nennt, ein Bild oder ein Gerät).</translation>
    </message>
</context>
<context>
    <name>DiscController</name>
    <message>
        <source>Making the disc image</source>
        <translation>Das Abbild der Disc wird erstellt</translation>
    </message>
    <message>
        <source>Authoring the DVD</source>
        <translation>Die DVD wird erstellt</translation>
    </message>
    <message>
        <source>mpgfix</source>
        <translation>mpgfix</translation>
    </message>
    <message>
        <source>The DVD was not made.</source>
        <translation>Die DVD wurde nicht erstellt.</translation>
    </message>
    <message>
        <source>The DVD is ready.</source>
        <translation>Die DVD ist fertig.</translation>
    </message>
</context>
<context>
    <name>DiscFit</name>
    <message numerus="yes">
        <source>Only %n minute(s) of these videos fit on this disc at a quality worth watching: use a larger disc or fewer files.</source>
        <translation>
            <numerusform>Nur %n Minute dieser Videos passt in sehenswerter Qualität auf diese Disc: Nehmen Sie eine größere Disc oder weniger Dateien.</numerusform>
            <numerusform>Nur %n Minuten dieser Videos passen in sehenswerter Qualität auf diese Disc: Nehmen Sie eine größere Disc oder weniger Dateien.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DiscMaker</name>
    <message>
        <source>%1 already exists: the disc would not replace it.</source>
        <translation>%1 existiert bereits: Die Disc würde es nicht ersetzen.</translation>
    </message>
</context>
<context>
    <name>DiscRound</name>
    <message>
        <source>No folder for the disc&apos;s files: %1</source>
        <translation>Kein Ordner für die Dateien der Disc: %1</translation>
    </message>
    <message>
        <source>%1 could not be fixed: %2</source>
        <translation>%1 konnte nicht korrigiert werden: %2</translation>
    </message>
</context>
<context>
    <name>DiscSheet</name>
    <message>
        <source>Make a DVD</source>
        <translation>DVD erstellen</translation>
    </message>
    <message>
        <source>Titles, in playing order:</source>
        <translation>Titel, in Abspielreihenfolge:</translation>
    </message>
    <message>
        <source>&amp;Add Files…</source>
        <translation>Dateien &amp;hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Disc:</source>
        <translation>&amp;Disc:</translation>
    </message>
    <message>
        <source>&amp;Chapters every:</source>
        <translation>&amp;Kapitel alle:</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>Sa&amp;ve into:</source>
        <translation>Speichern &amp;in:</translation>
    </message>
    <message>
        <source>Also make a disc &amp;image</source>
        <translation>Auch ein Disc-&amp;Abbild erstellen</translation>
    </message>
    <message>
        <source>reading…</source>
        <translation>wird gelesen…</translation>
    </message>
    <message>
        <source>not a video</source>
        <translation>kein Video</translation>
    </message>
    <message>
        <source>%1 (%2 GB)</source>
        <translation>%1 (%2 GB)</translation>
    </message>
    <message>
        <source>My DVD</source>
        <translation>Meine DVD</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 of video at %2 Mbit/s on a %3</source>
        <translation>%1 Video mit %2 Mbit/s auf einer %3</translation>
    </message>
    <message>
        <source>Reading the files…</source>
        <translation>Die Dateien werden gelesen…</translation>
    </message>
    <message>
        <source>%1 is not a video that can go on a disc.</source>
        <translation>%1 ist kein Video, das auf eine Disc passt.</translation>
    </message>
    <message>
        <source>Check the files that go on the disc.</source>
        <translation>Haken Sie die Dateien an, die auf die Disc sollen.</translation>
    </message>
    <message>
        <source>Choose the folder the disc goes into.</source>
        <translation>Wählen Sie den Ordner, in den die Disc kommt.</translation>
    </message>
    <message>
        <source>Add Video Files</source>
        <translation>Videodateien hinzufügen</translation>
    </message>
    <message>
        <source>Save the Disc Into</source>
        <translation>Disc speichern in</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>DvdAuthoring</name>
    <message>
        <source>Making a DVD needs dvdauthor, which is not installed: install its package, dvdauthor.</source>
        <translation>Für eine DVD wird dvdauthor gebraucht, das nicht installiert ist: Installieren Sie das Paket dvdauthor.</translation>
    </message>
    <message>
        <source>Making a disc image needs genisoimage, which is not installed: install its package, genisoimage.</source>
        <translation>Für ein Abbild der Disc wird genisoimage gebraucht, das nicht installiert ist: Installieren Sie das Paket genisoimage.</translation>
    </message>
    <message>
        <source>%1 already exists and was left as it is.</source>
        <translation>%1 existiert bereits und wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Give the disc a title.</source>
        <translation>Geben Sie der Disc einen Titel.</translation>
    </message>
    <message>
        <source>“%1” cannot name the disc&apos;s folder: choose a title without a slash.</source>
        <translation>„%1“ kann den Ordner der Disc nicht benennen: Wählen Sie einen Titel ohne Schrägstrich.</translation>
    </message>
    <message>
        <source>The disc&apos;s title is too long to name its folder: choose a shorter one.</source>
        <translation>Der Titel der Disc ist zu lang für einen Ordnernamen: Wählen Sie einen kürzeren.</translation>
    </message>
    <message>
        <source>Choose the videos to put on the disc.</source>
        <translation>Wählen Sie die Videos für die Disc.</translation>
    </message>
    <message>
        <source>A DVD holds at most %1 videos; choose fewer.</source>
        <translation>Eine DVD fasst höchstens %1 Videos; wählen Sie weniger.</translation>
    </message>
    <message>
        <source>%1 is NTSC and %2 is PAL, but a DVD has one TV standard: make all the videos NTSC, or all PAL.</source>
        <translation>%1 ist NTSC und %2 ist PAL, aber eine DVD hat nur eine Fernsehnorm: Machen Sie alle Videos NTSC oder alle PAL.</translation>
    </message>
    <message>
        <source>dvdauthor would misread the name of %1: rename the file.</source>
        <translation>dvdauthor würde den Namen von %1 falsch lesen: Benennen Sie die Datei um.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>it was ended by signal %1</source>
        <translation>es wurde durch Signal %1 beendet</translation>
    </message>
    <message>
        <source>it ended with status %1</source>
        <translation>es endete mit Status %1</translation>
    </message>
    <message>
        <source>%1 could not be started: %2</source>
        <translation>%1 konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>dvdauthor could not make the disc: %1</source>
        <translation>dvdauthor konnte die Disc nicht erstellen: %1</translation>
    </message>
    <message>
        <source>genisoimage could not make the disc image: %1</source>
        <translation>genisoimage konnte das Abbild nicht erstellen: %1</translation>
    </message>
</context>
<context>
    <name>FailureSheet</name>
    <message>
        <source>Skipped %1</source>
        <translation>%1 übersprungen</translation>
    </message>
    <message>
        <source>Could not fix %1</source>
        <translation>%1 konnte nicht korrigiert werden</translation>
    </message>
    <message>
        <source>mpgfix</source>
        <translation>mpgfix</translation>
    </message>
</context>
<context>
    <name>FileCopy</name>
    <message>
        <source>Could not copy %1 to %2: %3</source>
        <translation>%1 konnte nicht nach %2 kopiert werden: %3</translation>
    </message>
</context>
<context>
    <name>FixJob</name>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>eine benannte Pipe (FIFO)</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>ein zeichenorientiertes Gerät</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>ein blockorientiertes Gerät</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>mpgfix cannot open names that are not valid UTF-8: rename the file %1.</source>
        <translation>mpgfix kann keine Namen öffnen, die kein gültiges UTF-8 sind: Benennen Sie die Datei %1 um.</translation>
    </message>
    <message>
        <source>%1 no longer exists.</source>
        <translation>%1 existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The folder %1 holds no video files.</source>
        <translation>Der Ordner %1 enthält keine Videodateien.</translation>
    </message>
    <message>
        <source>%1 is %2, not a video file.</source>
        <translation>%1 ist %2 und keine Videodatei.</translation>
    </message>
    <message>
        <source>mpgfix may not read %1.</source>
        <translation>mpgfix darf %1 nicht lesen.</translation>
    </message>
    <message>
        <source>Could not create the destination folder %1.</source>
        <translation>Der Zielordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 has no picture: mpgfix only converts video files.</source>
        <translation>%1 hat kein Bild: mpgfix wandelt nur Videodateien um.</translation>
    </message>
    <message>
        <source>There is not enough room in %1: the file needs about %2, and %3 is free.</source>
        <translation>In %1 ist nicht genug Platz: Die Datei braucht etwa %2, frei sind %3.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 was written by this run and was kept: Replace only replaces files that were there before.</source>
        <translation>%1 wurde von diesem Lauf geschrieben und blieb erhalten: Ersetzen ersetzt nur Dateien, die vorher schon da waren.</translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Analyzing</source>
        <translation>Wird analysiert</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Wird kopiert</translation>
    </message>
    <message>
        <source>Transcoding %1%</source>
        <translation>Wird umgewandelt: %1%</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation>Übersprungen: %1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>%1
%2</source>
        <translation>%1
%2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>JobListView</name>
    <message>
        <source>Clear Finished</source>
        <translation>Abgeschlossene entfernen</translation>
    </message>
    <message>
        <source>Open Containing Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>JobOutcome</name>
    <message>
        <source>copied unchanged</source>
        <translation>unverändert kopiert</translation>
    </message>
    <message>
        <source>streams copied into MPEG</source>
        <translation>Spuren nach MPEG kopiert</translation>
    </message>
    <message>
        <source>video re-encoded, audio copied</source>
        <translation>Bild neu kodiert, Ton kopiert</translation>
    </message>
    <message>
        <source>audio re-encoded, video copied</source>
        <translation>Ton neu kodiert, Bild kopiert</translation>
    </message>
    <message>
        <source>video and audio re-encoded</source>
        <translation>Bild und Ton neu kodiert</translation>
    </message>
    <message>
        <source>video re-encoded</source>
        <translation>Bild neu kodiert</translation>
    </message>
</context>
<context>
    <name>LeftOutNote</name>
    <message>
        <source>1 file was not a video and was left out.</source>
        <translation>1 Datei war kein Video und wurde ausgelassen.</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not videos and were left out.</source>
        <translation>
            <numerusform>%n Datei war kein Video und wurde ausgelassen.</numerusform>
            <numerusform>%n Dateien waren keine Videos und wurden ausgelassen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weitere</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Drop area</source>
        <translation>Ablagefläche</translation>
    </message>
    <message>
        <source>Drop video files or folders here to fix them</source>
        <translation>Videodateien oder Ordner hier ablegen, um sie zu korrigieren</translation>
    </message>
    <message>
        <source>Drop a video file here to fix it.</source>
        <translation>Legen Sie eine Videodatei hier ab, um sie zu korrigieren.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>How far the current file is</source>
        <translation>Wie weit die aktuelle Datei ist</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Never copy a file or a stream unchanged</source>
        <translation>Nie eine Datei oder einen Datenstrom unverändert kopieren</translation>
    </message>
    <message>
        <source>&amp;Re-encode every file, even one already in MPEG-2 and MP2</source>
        <translation>Jede Datei neu &amp;kodieren, auch eine schon in MPEG-2 und MP2</translation>
    </message>
    <message>
        <source>Write DVD program streams that dvdauthor accepts as they are</source>
        <translation>DVD-Programmströme schreiben, die dvdauthor unverändert annimmt</translation>
    </message>
    <message>
        <source>Make files ready for &amp;DVD authoring</source>
        <translation>Dateien für das DVD-&amp;Authoring vorbereiten</translation>
    </message>
    <message>
        <source>Fit a picture of another shape into the frame instead of stretching it</source>
        <translation>Ein Bild anderer Form in den Rahmen einpassen, statt es zu strecken</translation>
    </message>
    <message>
        <source>&amp;Keep the picture&apos;s proportions (add black bars)</source>
        <translation>&amp;Seitenverhältnis des Bildes erhalten (schwarze Balken)</translation>
    </message>
    <message>
        <source>&amp;Video bitrate:</source>
        <translation>&amp;Video-Bitrate:</translation>
    </message>
    <message>
        <source>Video bitrate</source>
        <translation>Video-Bitrate</translation>
    </message>
    <message>
        <source>The bitrate of re-encoded video, from 1 to 9 Mbps</source>
        <translation>Die Bitrate neu kodierter Videos, 1 bis 9 Mbit/s</translation>
    </message>
    <message>
        <source>&amp;Save into:</source>
        <translation>Speichern &amp;in:</translation>
    </message>
    <message>
        <source>The folder that receives the fixed files</source>
        <translation>Der Ordner, der die korrigierten Dateien erhält</translation>
    </message>
    <message>
        <source>If the &amp;name is taken:</source>
        <translation>Wenn der &amp;Name vergeben ist:</translation>
    </message>
    <message>
        <source>If the name is taken</source>
        <translation>Wenn der Name vergeben ist</translation>
    </message>
    <message>
        <source>What to do when the folder already holds a file of the fixed file&apos;s name</source>
        <translation>Was geschieht, wenn der Ordner schon eine Datei mit dem Namen der korrigierten Datei enthält</translation>
    </message>
    <message>
        <source>Show a message</source>
        <translation>Eine Meldung zeigen</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Beide behalten</translation>
    </message>
    <message>
        <source>Replace the old file</source>
        <translation>Die alte Datei ersetzen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;About mpgfix</source>
        <translation>&amp;Über mpgfix</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Every file received, with where it stands; Delete removes the selected files that do not run</source>
        <translation>Jede empfangene Datei mit ihrem Stand; Entf entfernt die gewählten, die nicht laufen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop fixing this file and go on with the next one (Esc)</source>
        <translation>Diese Datei nicht weiter korrigieren und mit der nächsten fortfahren (Esc)</translation>
    </message>
    <message>
        <source>Cancel the current file</source>
        <translation>Aktuelle Datei abbrechen</translation>
    </message>
    <message>
        <source>Stops fixing this file, removes its unfinished output and goes on with the next one</source>
        <translation>Bricht die Korrektur dieser Datei ab, entfernt ihre unfertige Ausgabe und fährt mit der nächsten fort</translation>
    </message>
    <message>
        <source>&amp;Open Files...</source>
        <translation>Dateien ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open &amp;Folder...</source>
        <translation>&amp;Ordner öffnen...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+O</source>
        <translation>Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>&amp;Cancel Current File</source>
        <translation>Aktuelle Datei &amp;abbrechen</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>&amp;When a file fails:</source>
        <translation>&amp;Wenn eine Datei scheitert:</translation>
    </message>
    <message>
        <source>When a file fails</source>
        <translation>Wenn eine Datei scheitert</translation>
    </message>
    <message>
        <source>Whether a file that cannot be fixed stops the queue with a message, or is only marked in the list</source>
        <translation>Ob eine Datei, die nicht korrigiert werden kann, die Warteschlange mit einer Meldung anhält oder nur in der Liste vermerkt wird</translation>
    </message>
    <message>
        <source>Show a message and wait</source>
        <translation>Meldung zeigen und warten</translation>
    </message>
    <message>
        <source>Note it in the list and go on</source>
        <translation>In der Liste vermerken und weitermachen</translation>
    </message>
    <message>
        <source>Files &amp;at once:</source>
        <translation>Dateien &amp;gleichzeitig:</translation>
    </message>
    <message>
        <source>Files at once</source>
        <translation>Dateien gleichzeitig</translation>
    </message>
    <message>
        <source>How many files are fixed at the same time, up to the number of processor cores</source>
        <translation>Wie viele Dateien zugleich korrigiert werden, höchstens so viele wie der Prozessor Kerne hat</translation>
    </message>
    <message>
        <source>Fixing several files at once uses more of the processor&apos;s cores</source>
        <translation>Mehrere Dateien zugleich zu korrigieren nutzt mehr Kerne des Prozessors</translation>
    </message>
    <message>
        <source>When &amp;Done</source>
        <translation>&amp;Wenn fertig</translation>
    </message>
    <message>
        <source>Do &amp;Nothing</source>
        <translation>&amp;Nichts tun</translation>
    </message>
    <message>
        <source>&amp;Quit mpgfix</source>
        <translation>mpgfix &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;Suspend</source>
        <translation>Be&amp;reitschaft</translation>
    </message>
    <message>
        <source>&amp;Power Off</source>
        <translation>&amp;Ausschalten</translation>
    </message>
    <message>
        <source>&amp;TV standard:</source>
        <translation>&amp;Fernsehnorm:</translation>
    </message>
    <message>
        <source>TV standard</source>
        <translation>Fernsehnorm</translation>
    </message>
    <message>
        <source>The frame size and rate of re-encoded video</source>
        <translation>Bildgröße und Bildrate neu kodierter Videos</translation>
    </message>
    <message>
        <source>The television standard of the outputs: NTSC in North America and Japan, PAL in most other countries</source>
        <translation>Die Fernsehnorm der Ausgaben: NTSC in Nordamerika und Japan, PAL in den meisten anderen Ländern</translation>
    </message>
    <message>
        <source>NTSC (720x480, 29.97 fps)</source>
        <translation>NTSC (720x480, 29,97 Bilder/s)</translation>
    </message>
    <message>
        <source>PAL (720x576, 25 fps)</source>
        <translation>PAL (720x576, 25 Bilder/s)</translation>
    </message>
    <message>
        <source>Picture s&amp;hape:</source>
        <translation>Bild&amp;form:</translation>
    </message>
    <message>
        <source>Picture shape</source>
        <translation>Bildform</translation>
    </message>
    <message>
        <source>The display shape of re-encoded video</source>
        <translation>Die angezeigte Form neu kodierter Videos</translation>
    </message>
    <message>
        <source>Widescreen outputs are anamorphic: the full frame, shown 16:9 by the player</source>
        <translation>Breitbild-Ausgaben sind anamorph: das volle Bild, vom Spieler in 16:9 gezeigt</translation>
    </message>
    <message>
        <source>4:3</source>
        <translation>4:3</translation>
    </message>
    <message>
        <source>16:9 (widescreen)</source>
        <translation>16:9 (Breitbild)</translation>
    </message>
    <message>
        <source>Like the source</source>
        <translation>Wie die Quelle</translation>
    </message>
    <message>
        <source>A&amp;udio:</source>
        <translation>&amp;Ton:</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>The sound format of the outputs</source>
        <translation>Das Tonformat der Ausgaben</translation>
    </message>
    <message>
        <source>Every NTSC DVD player plays AC-3; MP2 is optional for them</source>
        <translation>Jeder NTSC-DVD-Spieler spielt AC-3; MP2 ist für sie freigestellt</translation>
    </message>
    <message>
        <source>MP2</source>
        <translation>MP2</translation>
    </message>
    <message>
        <source>AC-3 (Dolby Digital)</source>
        <translation>AC-3 (Dolby Digital)</translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation>&amp;Qualität:</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>How much effort the encoder spends on each picture</source>
        <translation>Wie viel Aufwand der Encoder für jedes Bild treibt</translation>
    </message>
    <message>
        <source>Better and Best take longer to encode for a cleaner picture at the same bitrate</source>
        <translation>Besser und Beste kodieren länger für ein saubereres Bild bei gleicher Bitrate</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Better (slower)</source>
        <translation>Besser (langsamer)</translation>
    </message>
    <message>
        <source>Best (much slower)</source>
        <translation>Beste (viel langsamer)</translation>
    </message>
    <message>
        <source>Make a &amp;DVD…</source>
        <translation>&amp;DVD erstellen…</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>%1 Mbps</source>
        <translation>%1 Mbit/s</translation>
    </message>
</context>
<context>
    <name>OptionsBox</name>
    <message>
        <source>Save into %1</source>
        <translation>Speichern in %1</translation>
    </message>
    <message>
        <source>Choose the folder for fixed files</source>
        <translation>Ordner für die korrigierten Dateien wählen</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 would be written over itself. Choose another destination folder.</source>
        <translation>%1 würde sich selbst überschreiben. Wählen Sie einen anderen Zielordner.</translation>
    </message>
    <message>
        <source>%1 already exists and was left as it is.</source>
        <translation>%1 existiert bereits und wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>Could not write into %1: %2</source>
        <translation>In %1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>QueueKeeper</name>
    <message>
        <source>The list of files to fix could not be saved to %1: %2. It is tried again at the next change.</source>
        <translation>Die Liste der zu korrigierenden Dateien konnte nicht in %1 gespeichert werden: %2. Bei der nächsten Änderung wird es erneut versucht.</translation>
    </message>
</context>
<context>
    <name>RestoreQuestion</name>
    <message>
        <source>mpgfix</source>
        <translation>mpgfix</translation>
    </message>
    <message numerus="yes">
        <source>mpgfix stopped before it finished %n files. Fix them now?</source>
        <translation>
            <numerusform>mpgfix wurde beendet, bevor %n Datei fertig war. Jetzt korrigieren?</numerusform>
            <numerusform>mpgfix wurde beendet, bevor %n Dateien fertig waren. Jetzt korrigieren?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>&amp;Fix Them</source>
        <translation>
            <numerusform>&amp;Korrigieren</numerusform>
            <numerusform>&amp;Korrigieren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>F&amp;orget Them</source>
        <translation>
            <numerusform>&amp;Verwerfen</numerusform>
            <numerusform>&amp;Verwerfen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RoundNotifier</name>
    <message>
        <source>1 file fixed</source>
        <translation>1 Datei korrigiert</translation>
    </message>
    <message>
        <source>%1 files fixed</source>
        <translation>%1 Dateien korrigiert</translation>
    </message>
    <message>
        <source>%1, %2 failed</source>
        <translation>%1, %2 fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>RoundSummary</name>
    <message numerus="yes">
        <source>%1 of %n finished</source>
        <translation>
            <numerusform>%1 von %n fertig</numerusform>
            <numerusform>%1 von %n fertig</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n fixed</source>
        <translation>
            <numerusform>%n korrigiert</numerusform>
            <numerusform>%n korrigiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copied</source>
        <translation>
            <numerusform>%n kopiert</numerusform>
            <numerusform>%n kopiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fehlgeschlagen</numerusform>
            <numerusform>%n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped</source>
        <translation>
            <numerusform>%n übersprungen</numerusform>
            <numerusform>%n übersprungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cancelled</source>
        <translation>
            <numerusform>%n abgebrochen</numerusform>
            <numerusform>%n abgebrochen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>SleepInhibitor</name>
    <message>
        <source>Fixing 1 file</source>
        <translation>Korrigiere 1 Datei</translation>
    </message>
    <message>
        <source>Fixing %1 files</source>
        <translation>Korrigiere %1 Dateien</translation>
    </message>
    <message>
        <source>Looking for videos to fix</source>
        <translation>Sucht nach zu korrigierenden Videos</translation>
    </message>
</context>
<context>
    <name>StatusArea</name>
    <message>
        <source>Drop a video file here to fix it.</source>
        <translation>Legen Sie eine Videodatei hier ab, um sie zu korrigieren.</translation>
    </message>
    <message>
        <source>Analyzing %1...</source>
        <translation>%1 wird analysiert...</translation>
    </message>
    <message>
        <source>Copying %1...</source>
        <translation>%1 wird kopiert...</translation>
    </message>
    <message>
        <source>Transcoding %1...</source>
        <translation>%1 wird umgewandelt...</translation>
    </message>
</context>
<context>
    <name>ToolConfinement</name>
    <message>
        <source>Landlock %1 lets ffmpeg write only the file it makes.</source>
        <translation>Landlock %1 lässt ffmpeg nur die Datei schreiben, die es erzeugt.</translation>
    </message>
    <message>
        <source>This kernel has no Landlock: ffmpeg may write wherever mpgfix may.</source>
        <translation>Dieser Kernel hat kein Landlock: ffmpeg darf überall schreiben, wo mpgfix es darf.</translation>
    </message>
    <message>
        <source>Nothing keeps it off the network.</source>
        <translation>Nichts hält es vom Netz fern.</translation>
    </message>
    <message>
        <source>A seccomp filter keeps it off the network.</source>
        <translation>Ein seccomp-Filter hält es vom Netz fern.</translation>
    </message>
    <message>
        <source>Landlock blocks its TCP connections, but no other network traffic.</source>
        <translation>Landlock sperrt seine TCP-Verbindungen, aber keinen anderen Netzverkehr.</translation>
    </message>
    <message>
        <source>Confinement: %1 %2</source>
        <translation>Abschottung: %1 %2</translation>
    </message>
</context>
<context>
    <name>VideoProcessor</name>
    <message>
        <source>Could not make a pipe to run ffmpeg: %1</source>
        <translation>Für ffmpeg konnte keine Pipe angelegt werden: %1</translation>
    </message>
    <message>
        <source>Could not read the output of ffmpeg: %1</source>
        <translation>Die Ausgabe von ffmpeg konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>ffmpeg could not be started from %1: %2</source>
        <translation>ffmpeg konnte nicht aus %1 gestartet werden: %2</translation>
    </message>
    <message>
        <source>ffmpeg was stopped by signal %1 (%2)</source>
        <translation>ffmpeg wurde durch Signal %1 (%2) beendet</translation>
    </message>
    <message>
        <source>unknown signal</source>
        <translation>unbekanntes Signal</translation>
    </message>
    <message>
        <source>ffmpeg exited with status %1</source>
        <translation>ffmpeg wurde mit Status %1 beendet</translation>
    </message>
    <message>
        <source>ffmpeg could not be found or started; looked in %1 and on PATH</source>
        <translation>ffmpeg wurde nicht gefunden oder konnte nicht gestartet werden; gesucht in %1 und im PATH</translation>
    </message>
    <message>
        <source>Could not transcode %1: %2</source>
        <translation>%1 konnte nicht umgewandelt werden: %2</translation>
    </message>
</context>
<context>
    <name>WhenDone</name>
    <message>
        <source>mpgfix will power off the computer in %1 seconds.</source>
        <translation>mpgfix schaltet den Computer in %1 Sekunden aus.</translation>
    </message>
    <message>
        <source>mpgfix will suspend the computer in %1 seconds.</source>
        <translation>mpgfix versetzt den Computer in %1 Sekunden in Bereitschaft.</translation>
    </message>
    <message>
        <source>Click Cancel in the mpgfix window to stop it.</source>
        <translation>Klicken Sie im Fenster von mpgfix auf Abbrechen, um es zu verhindern.</translation>
    </message>
    <message>
        <source>The login manager (logind) cannot be reached: %1</source>
        <translation>Die Anmeldeverwaltung (logind) ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>You are not allowed to do this on this computer.</source>
        <translation>Das ist Ihnen auf diesem Computer nicht erlaubt.</translation>
    </message>
    <message>
        <source>This needs a password on this computer.</source>
        <translation>Das verlangt auf diesem Computer ein Passwort.</translation>
    </message>
    <message>
        <source>This computer cannot do this.</source>
        <translation>Das kann dieser Computer nicht.</translation>
    </message>
    <message>
        <source>The computer could not be powered off: %1</source>
        <translation>Der Computer konnte nicht ausgeschaltet werden: %1</translation>
    </message>
    <message>
        <source>The computer could not be suspended: %1</source>
        <translation>Der Computer konnte nicht in Bereitschaft versetzt werden: %1</translation>
    </message>
</context>
<context>
    <name>WhenDoneView</name>
    <message>
        <source>mpgfix</source>
        <translation>mpgfix</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>mpgfix: no graphical display found (DISPLAY is not set); run it from a desktop session
</source>
        <translation>mpgfix: keine grafische Anzeige gefunden (DISPLAY ist nicht gesetzt); starten Sie es in einer Desktop-Sitzung
</translation>
    </message>
</context>
</TS>
