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
        <source>Encoder: %1
%2</source>
        <translation>Encoder: %1
%2</translation>
    </message>
    <message>
        <source>Its version is unknown.</source>
        <translation>Seine Version ist unbekannt.</translation>
    </message>
    <message>
        <source>About mpgfix</source>
        <translation>Über mpgfix</translation>
    </message>
    <message>
        <source>mpgfix %1

Brings video files into DVD-ready MPEG-2 with MP2 audio, each written as &lt;name&gt;.mpg.

%2</source>
        <translation>mpgfix %1

Bringt Videodateien in DVD-taugliches MPEG-2 mit MP2-Ton, jede als &lt;Name&gt;.mpg geschrieben.

%2</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>%1Mbps</source>
        <translation>%1 Mbit/s</translation>
    </message>
    <message>
        <source>Drop a video file here to fix it.</source>
        <translation>Legen Sie eine Videodatei hier ab, um sie zu korrigieren.</translation>
    </message>
    <message>
        <source>Save into %1</source>
        <translation>Speichern in %1</translation>
    </message>
    <message>
        <source>Choose the folder for fixed files</source>
        <translation>Ordner für die korrigierten Dateien wählen</translation>
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
    <message>
        <source>mpgfix</source>
        <translation>mpgfix</translation>
    </message>
    <message>
        <source>%1 Mbps</source>
        <translation>%1 Mbit/s</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Brings video files into DVD-ready MPEG-2 with MP2 audio, each written as &lt;name&gt;.mpg.</source>
        <translation>Bringt Videodateien in DVD-taugliches MPEG-2 mit MP2-Ton, jede als &lt;Name&gt;.mpg geschrieben.</translation>
    </message>
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
        <source>Fit a wide or upright picture into the 4:3 frame instead of stretching it</source>
        <translation>Ein breites oder hochkantes Bild in den 4:3-Rahmen einpassen, statt es zu strecken</translation>
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
