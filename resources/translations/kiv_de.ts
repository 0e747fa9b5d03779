<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>kiv::BatchPresenter</name>
    <message>
        <source>%1 of %2 · %3 %</source>
        <translation>%1 von %2 · %3 %</translation>
    </message>
    <message>
        <source> · Paused</source>
        <translation> · Angehalten</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed in %3</source>
        <translation>%1 umgewandelt, %2 fehlgeschlagen in %3</translation>
    </message>
    <message>
        <source>No file converted</source>
        <translation>Keine Datei umgewandelt</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) converted in %1</source>
        <translation>
            <numerusform>%n Datei umgewandelt in %1</numerusform>
            <numerusform>%n Dateien umgewandelt in %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 converted, stopped after %2</source>
        <translation>%1 umgewandelt, angehalten nach %2</translation>
    </message>
    <message>
        <source>%1 converted, %2 stopped after %3</source>
        <translation>%1 umgewandelt, %2 angehalten nach %3</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed after %3</source>
        <translation>%1 umgewandelt, %2 fehlgeschlagen nach %3</translation>
    </message>
    <message>
        <source>Stopped: </source>
        <translation>Angehalten: </translation>
    </message>
    <message>
        <source>Encoding Finish!
</source>
        <translation>Umwandlung abgeschlossen!
</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>kiv::CAboutDlg</name>
    <message>
        <source>About KivVideoConverter</source>
        <translation>Über KivVideoConverter</translation>
    </message>
    <message>
        <source>KivVideoConverter Version 1.0</source>
        <translation>KivVideoConverter Version 1.0</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kiv::CDisableScreenSave</name>
    <message>
        <source>Converting videos</source>
        <translation>Videos werden umgewandelt</translation>
    </message>
</context>
<context>
    <name>kiv::CEditorDlg</name>
    <message>
        <source> Profile:</source>
        <translation> Profil:</translation>
    </message>
    <message>
        <source>Vol:%1%</source>
        <translation>Lautst.: %1 %</translation>
    </message>
    <message>
        <source> Frame Rate:</source>
        <translation> Bildrate:</translation>
    </message>
    <message>
        <source> Bitrate:</source>
        <translation> Bitrate:</translation>
    </message>
    <message>
        <source> Width/Height:</source>
        <translation> Breite/Höhe:</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source> Frame Rate (fps):</source>
        <translation> Bildrate (fps):</translation>
    </message>
    <message>
        <source> Bitrate (kb/s):</source>
        <translation> Bitrate (kb/s):</translation>
    </message>
    <message>
        <source> Fit Within (px):</source>
        <translation> Einpassen in (px):</translation>
    </message>
    <message>
        <source>Bitrate (kb/s):</source>
        <translation>Bitrate (kb/s):</translation>
    </message>
    <message>
        <source>Rate (Hz):</source>
        <translation>Rate (Hz):</translation>
    </message>
    <message>
        <source> Quality (RF):</source>
        <translation> Qualität (RF):</translation>
    </message>
    <message>
        <source>Constant quality, as HandBrake&apos;s RF: a lower number keeps more detail and makes a bigger file</source>
        <translation>Konstante Qualität wie der RF-Wert von HandBrake: Ein kleinerer Wert erhält mehr Details und ergibt eine größere Datei</translation>
    </message>
    <message>
        <source> Video Codec:</source>
        <translation> Videocodec:</translation>
    </message>
    <message>
        <source> Aspect:</source>
        <translation> Seitenverh.:</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Audiocodec:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Media Profile Editor</source>
        <translation>Medienprofil-Editor</translation>
    </message>
    <message>
        <source>Video Format</source>
        <translation>Videoformat</translation>
    </message>
    <message>
        <source>Audio Format</source>
        <translation>Audioformat</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
</context>
<context>
    <name>kiv::CHyperLink</name>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Der Link kann nicht geöffnet werden:

</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>Dem Betriebssystem fehlt
Speicher oder andere Ressourcen.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Die angegebene Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Der angegebene Pfad wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Das Betriebssystem hat den Zugriff
auf die angegebene Datei verweigert.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>Für diesen Vorgang ist nicht genug Speicher frei.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Die .EXE-Datei ist ungültig
(keine Win32-.EXE oder fehlerhaftes .EXE-Abbild).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Eine Freigabeverletzung ist aufgetreten. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>Die Dateizuordnung ist
unvollständig oder ungültig.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil die Anfrage zu lange dauerte.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>Die DDE-Transaktion ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil andere DDE-Transaktionen
gerade verarbeitet wurden.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Mit dieser Dateiendung ist
kein Programm verknüpft.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>Die angegebene Programmbibliothek wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <translation>Ein unbekannter Fehler (%1) ist aufgetreten.</translation>
    </message>
    <message>
        <source>The desktop has no program to open this. Please open it by hand:
</source>
        <translation>Die Arbeitsumgebung hat kein Programm, um dies zu öffnen. Bitte öffnen Sie es selbst:
</translation>
    </message>
</context>
<context>
    <name>kiv::CKivVideoConverterDlg</name>
    <message>
        <source>Info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Every checked file has been converted already.
Convert them again?</source>
        <translation>Alle markierten Dateien wurden bereits umgewandelt.
Erneut umwandeln?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>There is no selected file in list! </source>
        <translation>In der Liste ist keine Datei markiert. </translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Ausgabeordner wählen</translation>
    </message>
    <message>
        <source>Your settings were not saved.
</source>
        <translation>Ihre Einstellungen wurden nicht gespeichert.
</translation>
    </message>
</context>
<context>
    <name>kiv::CRangeSlider</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
</context>
<context>
    <name>kiv::CSplitDlg</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The end must be after the start.</source>
        <translation>Das Ende muss nach dem Anfang liegen.</translation>
    </message>
    <message>
        <source>Type a time as h:mm:ss and press Enter</source>
        <translation>Zeit als h:mm:ss eingeben und Eingabetaste drücken</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Zum Anfang</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Zum Ende</translation>
    </message>
    <message>
        <source>Mark start</source>
        <translation>Anfang setzen</translation>
    </message>
    <message>
        <source>Mark end</source>
        <translation>Ende setzen</translation>
    </message>
    <message>
        <source>Clear Mark</source>
        <translation>Markierung löschen</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preview result</source>
        <translation>Ergebnis ansehen</translation>
    </message>
    <message>
        <source>Back to source</source>
        <translation>Zurück zur Quelle</translation>
    </message>
    <message>
        <source>Convert ten seconds with the chosen profile and play the result</source>
        <translation>Zehn Sekunden mit dem gewählten Profil umwandeln und das Ergebnis abspielen</translation>
    </message>
    <message>
        <source>Preview progress</source>
        <translation>Fortschritt der Vorschau</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel preview</source>
        <translation>Vorschau abbrechen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>The preview was cancelled.</source>
        <translation>Die Vorschau wurde abgebrochen.</translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation>Keine Vorschau: %1</translation>
    </message>
    <message>
        <source>sound only</source>
        <translation>nur Ton</translation>
    </message>
    <message>
        <source>Converted result: %1 at %2,
about %3 for %4</source>
        <translation>Ergebnis: %1 mit %2,
etwa %3 für %4</translation>
    </message>
    <message>
        <source>Converted result</source>
        <translation>Umgewandeltes Ergebnis</translation>
    </message>
</context>
<context>
    <name>kiv::Catalogue</name>
    <message>
        <source>To MP4/MKV/WebM (today&apos;s devices and the web)</source>
        <translation>In MP4/MKV/WebM (aktuelle Geräte und das Web)</translation>
    </message>
    <message>
        <source>To audio only (MP3/AAC/FLAC/Opus/WAV)</source>
        <translation>Nur Ton (MP3/AAC/FLAC/Opus/WAV)</translation>
    </message>
    <message>
        <source>H.264 MP4, same size (plays everywhere)</source>
        <translation>H.264 MP4, gleiche Größe (läuft überall)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1920x1080 (Full HD)</source>
        <translation>H.264 MP4, eingepasst in 1920x1080 (Full HD)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1280x720 (HD)</source>
        <translation>H.264 MP4, eingepasst in 1280x720 (HD)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 854x480 (SD)</source>
        <translation>H.264 MP4, eingepasst in 854x480 (SD)</translation>
    </message>
    <message>
        <source>H.265 MP4, same size (smaller file, newer devices)</source>
        <translation>H.265 MP4, gleiche Größe (kleinere Datei, neuere Geräte)</translation>
    </message>
    <message>
        <source>VP9 WebM with Opus, same size (for the web)</source>
        <translation>VP9 WebM mit Opus, gleiche Größe (fürs Web)</translation>
    </message>
    <message>
        <source>AV1 MKV with Opus, same size (smallest)</source>
        <translation>AV1 MKV mit Opus, gleiche Größe (am kleinsten)</translation>
    </message>
    <message>
        <source>AV1 WebM with Opus, same size (for the web)</source>
        <translation>AV1 WebM mit Opus, gleiche Größe (fürs Web)</translation>
    </message>
    <message>
        <source>MKV, same streams (no re-encoding)</source>
        <translation>MKV, gleiche Spuren (ohne Neukodierung)</translation>
    </message>
    <message>
        <source>MP4, same streams (no re-encoding)</source>
        <translation>MP4, gleiche Spuren (ohne Neukodierung)</translation>
    </message>
    <message>
        <source>MP3, 320 kb/s (best MP3)</source>
        <translation>MP3, 320 kb/s (bestes MP3)</translation>
    </message>
    <message>
        <source>MP3, 192 kb/s (smaller)</source>
        <translation>MP3, 192 kb/s (kleiner)</translation>
    </message>
    <message>
        <source>AAC in M4A, 256 kb/s (Apple devices)</source>
        <translation>AAC in M4A, 256 kb/s (Apple-Geräte)</translation>
    </message>
    <message>
        <source>FLAC (lossless)</source>
        <translation>FLAC (verlustfrei)</translation>
    </message>
    <message>
        <source>Opus, 160 kb/s (smallest)</source>
        <translation>Opus, 160 kb/s (am kleinsten)</translation>
    </message>
    <message>
        <source>WAV (uncompressed)</source>
        <translation>WAV (unkomprimiert)</translation>
    </message>
    <message>
        <source>The audio track as it is (no re-encoding)</source>
        <translation>Die Tonspur, wie sie ist (ohne Neukodierung)</translation>
    </message>
</context>
<context>
    <name>kiv::DesktopOpen</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>kiv::FileAdder</name>
    <message>
        <source>: not found</source>
        <translation>: nicht gefunden</translation>
    </message>
    <message>
        <source>: a folder, not a file</source>
        <translation>: ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>: an empty file</source>
        <translation>: eine leere Datei</translation>
    </message>
    <message>
        <source>: cannot be read (%1)</source>
        <translation>: kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>: not a media file this program can read (%1)</source>
        <translation>: keine Mediendatei, die dieses Programm lesen kann (%1)</translation>
    </message>
    <message>
        <source> include unsupport codec,Please report it to </source>
        <translation> enthält einen nicht unterstützten Codec. Bitte melden Sie dies an </translation>
    </message>
</context>
<context>
    <name>kiv::FileListCommands</name>
    <message>
        <source>Info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Pop</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation>&amp;Schneiden</translation>
    </message>
    <message>
        <source>&amp;Preview result</source>
        <translation>Ergebnis an&amp;sehen</translation>
    </message>
    <message>
        <source>There are not Media file.</source>
        <translation>Das ist keine Mediendatei.</translation>
    </message>
    <message>
        <source>The Max media file count over !</source>
        <translation>Die Höchstzahl an Mediendateien ist erreicht.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Sorry,this program encounter a error,Please restart it again!</source>
        <translation>Leider ist ein Fehler aufgetreten. Bitte starten Sie das Programm neu.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not added:</source>
        <translation>
            <numerusform>Diese Datei wurde nicht hinzugefügt:</numerusform>
            <numerusform>%n Dateien wurden nicht hinzugefügt:</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>There is not selected media file </source>
        <translation>Es ist keine Mediendatei ausgewählt. </translation>
    </message>
    <message>
        <source>We encount a problem,Please restar it</source>
        <translation>Es ist ein Problem aufgetreten. Bitte versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>kiv::FileListView</name>
    <message>
        <source>Video File</source>
        <translation>Videodatei</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>estimating…</source>
        <translation>wird geschätzt …</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>noch %1</translation>
    </message>
    <message>
        <source>Measuring the speed</source>
        <translation>Geschwindigkeit wird gemessen</translation>
    </message>
    <message>
        <source>%1× real time</source>
        <translation>%1× Echtzeit</translation>
    </message>
    <message>
        <source>, %1 frames a second</source>
        <translation>, %1 Bilder pro Sekunde</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Umgewandelt</translation>
    </message>
    <message>
        <source>Converted (short)</source>
        <translation>Umgewandelt (gekürzt)</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Kept as far as converted: </source>
        <translation>Bis hierhin umgewandelt behalten: </translation>
    </message>
    <message>
        <source>paused</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>%d %% · </source>
        <translation>%d %% · </translation>
    </message>
    <message>
        <source>Paused, </source>
        <translation>Angehalten, </translation>
    </message>
    <message>
        <source>paused, </source>
        <translation>angehalten, </translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Fehlgeschlagen: </translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Fehlt</translation>
    </message>
    <message>
        <source>Check all</source>
        <translation>Alle markieren</translation>
    </message>
</context>
<context>
    <name>kiv::KeptList</name>
    <message numerus="yes">
        <source>Restored the list of %n file(s) from the last time</source>
        <translation>
            <numerusform>Die Liste mit %n Datei vom letzten Mal wurde wiederhergestellt</numerusform>
            <numerusform>Die Liste mit %n Dateien vom letzten Mal wurde wiederhergestellt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) were being converted and are Ready again</source>
        <translation>
            <numerusform>; %n Datei wurde gerade umgewandelt und ist wieder bereit</numerusform>
            <numerusform>; %n Dateien wurden gerade umgewandelt und sind wieder bereit</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::ListModel</name>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Markiert</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>Nicht markiert</translation>
    </message>
</context>
<context>
    <name>kiv::MainWindow</name>
    <message>
        <source>Add video files</source>
        <translation>Videodateien hinzufügen</translation>
    </message>
    <message>
        <source>Remove video files</source>
        <translation>Videodateien entfernen</translation>
    </message>
    <message>
        <source>Start video conversion</source>
        <translation>Umwandlung starten</translation>
    </message>
    <message>
        <source>Pause video conversion</source>
        <translation>Umwandlung pausieren</translation>
    </message>
    <message>
        <source>Stop video conversion</source>
        <translation>Umwandlung stoppen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Edit video profile</source>
        <translation>Videoprofil bearbeiten</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Video files</source>
        <translation>Videodateien</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>Output Directory</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Ausgabeformat:</translation>
    </message>
    <message>
        <source>Video Profile:</source>
        <translation>Videoprofil:</translation>
    </message>
    <message>
        <source> Open Output Directory after finished </source>
        <translation> Ausgabeordner danach öffnen </translation>
    </message>
    <message>
        <source> Shutdown PC after finished </source>
        <translation> Computer danach ausschalten </translation>
    </message>
    <message>
        <source>Resume video conversion</source>
        <translation>Umwandlung fortsetzen</translation>
    </message>
    <message>
        <source>Made by the Kiv Video Converter project</source>
        <translation>Erstellt vom Projekt Kiv Video Converter</translation>
    </message>
    <message>
        <source>Converts video and audio for players and phones</source>
        <translation>Wandelt Video und Ton für Player und Handys um</translation>
    </message>
    <message>
        <source>Kiv Video Converter Home Page</source>
        <translation>Startseite von Kiv Video Converter</translation>
    </message>
    <message>
        <source>Online FAQ</source>
        <translation>Häufige Fragen</translation>
    </message>
</context>
<context>
    <name>kiv::MediaFileDialog</name>
    <message>
        <source>All files (*.*)|*.*|AVI Files (*.avi)|*.avi|Mpeg files (*.mpg, *.mpeg)|*.mpg;*.mpeg|Windows Media files (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|Quick Time Files (*.mov, *.qt)|*.mov; *.qt|Real Media Files (*.rm, *.rmvb)|*.rm;*.rmvb|Flash File(*.flv,*.swf)|*.flv;*.swf|MP4(*.mp4,*.m4v)|*.mp4;*.m4v|3GP(*.3gp,*.3gp2)|*.3gp;*.3gp2|</source>
        <translation>Alle Dateien (*.*)|*.*|AVI-Dateien (*.avi)|*.avi|MPEG-Dateien (*.mpg, *.mpeg)|*.mpg;*.mpeg|Windows-Media-Dateien (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|QuickTime-Dateien (*.mov, *.qt)|*.mov; *.qt|RealMedia-Dateien (*.rm, *.rmvb)|*.rm;*.rmvb|Flash-Dateien (*.flv, *.swf)|*.flv;*.swf|MP4 (*.mp4, *.m4v)|*.mp4;*.m4v|3GP (*.3gp, *.3gp2)|*.3gp;*.3gp2|</translation>
    </message>
</context>
<context>
    <name>kiv::PowerOffCountdownDlg</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Power-off countdown</source>
        <translation>Countdown bis zum Ausschalten</translation>
    </message>
    <message numerus="yes">
        <source>The computer will power off in %n second(s).</source>
        <translation>
            <numerusform>Der Computer wird in %n Sekunde ausgeschaltet.</numerusform>
            <numerusform>Der Computer wird in %n Sekunden ausgeschaltet.</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The computer could not be powered off: %1</source>
        <translation>Der Computer konnte nicht ausgeschaltet werden: %1</translation>
    </message>
    <message>
        <source>the system bus cannot be reached</source>
        <translation>der Systembus ist nicht erreichbar</translation>
    </message>
</context>
<context>
    <name>kiv::PreviewMaker</name>
    <message>
        <source>the program has no private folder</source>
        <translation>das Programm hat keinen eigenen Arbeitsordner</translation>
    </message>
    <message>
        <source>the result is empty</source>
        <translation>das Ergebnis ist leer</translation>
    </message>
    <message>
        <source>the encoder was stopped</source>
        <translation>der Encoder wurde angehalten</translation>
    </message>
</context>
<context>
    <name>kiv::WaitingFiles</name>
    <message numerus="yes">
        <source>%n file(s) wait(s) for the conversion to end</source>
        <translation>
            <numerusform>%n Datei wartet auf das Ende der Umwandlung</numerusform>
            <numerusform>%n Dateien warten auf das Ende der Umwandlung</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) wait(s) to be added</source>
        <translation>
            <numerusform>%n Datei wartet darauf, hinzugefügt zu werden</numerusform>
            <numerusform>%n Dateien warten darauf, hinzugefügt zu werden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::WindowBatch</name>
    <message>
        <source>Convert fail! Please send the log file &quot;%1&quot; to %2</source>
        <translation>Umwandlung fehlgeschlagen! Bitte senden Sie die Protokolldatei „%1“ an %2</translation>
    </message>
    <message>
        <source>%1 not exist!</source>
        <translation>%1 existiert nicht!</translation>
    </message>
    <message>
        <source>no sound</source>
        <translation>kein Ton</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
</TS>
