<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>kiv::BatchPresenter</name>
    <message>
        <source>%1 of %2 · %3 %</source>
        <translation>%1 sur %2 · %3 %</translation>
    </message>
    <message>
        <source> · Paused</source>
        <translation> · En pause</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed in %3</source>
        <translation>%1 converti(s), %2 en échec en %3</translation>
    </message>
    <message>
        <source>No file converted</source>
        <translation>Aucun fichier converti</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) converted in %1</source>
        <translation>
            <numerusform>%n fichier converti en %1</numerusform>
            <numerusform>%n fichiers convertis en %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 converted, stopped after %2</source>
        <translation>%1 converti(s), arrêté après %2</translation>
    </message>
    <message>
        <source>%1 converted, %2 stopped after %3</source>
        <translation>%1 converti(s), %2 arrêté(s) après %3</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed after %3</source>
        <translation>%1 converti(s), %2 en échec après %3</translation>
    </message>
    <message>
        <source>Stopped: </source>
        <translation>Arrêté : </translation>
    </message>
    <message>
        <source>Encoding Finish!
</source>
        <translation>Conversion terminée !
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
        <translation>À propos de KivVideoConverter</translation>
    </message>
    <message>
        <source>KivVideoConverter Version 1.0</source>
        <translation>KivVideoConverter version 1.0</translation>
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
        <translation>Conversion de vidéos en cours</translation>
    </message>
</context>
<context>
    <name>kiv::CEditorDlg</name>
    <message>
        <source> Profile:</source>
        <translation> Profil :</translation>
    </message>
    <message>
        <source>Vol:%1%</source>
        <translation>Vol. : %1 %</translation>
    </message>
    <message>
        <source> Frame Rate:</source>
        <translation> Images/s :</translation>
    </message>
    <message>
        <source> Bitrate:</source>
        <translation> Débit :</translation>
    </message>
    <message>
        <source> Width/Height:</source>
        <translation> Largeur/hauteur :</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Échantillonnage :</translation>
    </message>
    <message>
        <source> Frame Rate (fps):</source>
        <translation> Images/s (fps) :</translation>
    </message>
    <message>
        <source> Bitrate (kb/s):</source>
        <translation> Débit (kb/s) :</translation>
    </message>
    <message>
        <source> Fit Within (px):</source>
        <translation> Tenir dans (px) :</translation>
    </message>
    <message>
        <source>Bitrate (kb/s):</source>
        <translation>Débit (kb/s) :</translation>
    </message>
    <message>
        <source>Rate (Hz):</source>
        <translation>Fréquence (Hz) :</translation>
    </message>
    <message>
        <source> Quality (RF):</source>
        <translation> Qualité (RF) :</translation>
    </message>
    <message>
        <source>Constant quality, as HandBrake&apos;s RF: a lower number keeps more detail and makes a bigger file</source>
        <translation>Qualité constante, comme le RF de HandBrake : une valeur plus basse garde plus de détails et donne un fichier plus gros</translation>
    </message>
    <message>
        <source> Video Codec:</source>
        <translation> Codec vidéo :</translation>
    </message>
    <message>
        <source> Aspect:</source>
        <translation> Rapport :</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Codec audio :</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Canaux :</translation>
    </message>
    <message>
        <source>Media Profile Editor</source>
        <translation>Éditeur de profil multimédia</translation>
    </message>
    <message>
        <source>Video Format</source>
        <translation>Format vidéo</translation>
    </message>
    <message>
        <source>Audio Format</source>
        <translation>Format audio</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stéréo</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recharger</translation>
    </message>
</context>
<context>
    <name>kiv::CHyperLink</name>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Impossible d&apos;ouvrir le lien :

</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>Le système d&apos;exploitation manque
de mémoire ou de ressources.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Le fichier indiqué est introuvable.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Le chemin indiqué est introuvable.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Le système d&apos;exploitation a refusé
l&apos;accès au fichier indiqué.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>La mémoire est insuffisante pour terminer l&apos;opération.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Le fichier .EXE n&apos;est pas valide
(.EXE non Win32 ou image .EXE erronée).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Une violation de partage s&apos;est produite. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>L&apos;association de fichier est
incomplète ou non valide.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>La transaction DDE n&apos;a pas pu
aboutir : le délai de la requête a expiré.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>La transaction DDE a échoué.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>La transaction DDE n&apos;a pas pu
aboutir car d&apos;autres transactions DDE
étaient en cours.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Aucune application n&apos;est associée
à cette extension de fichier.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>La bibliothèque dynamique indiquée est introuvable.</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <translation>Une erreur inconnue (%1) s&apos;est produite.</translation>
    </message>
    <message>
        <source>The desktop has no program to open this. Please open it by hand:
</source>
        <translation>Le bureau n&apos;a aucun programme pour ouvrir ceci. Veuillez l&apos;ouvrir vous-même :
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
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir…</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Every checked file has been converted already.
Convert them again?</source>
        <translation>Tous les fichiers cochés ont déjà été convertis.
Les convertir à nouveau ?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>There is no selected file in list! </source>
        <translation>Aucun fichier n&apos;est coché dans la liste. </translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <source>Your settings were not saved.
</source>
        <translation>Vos paramètres n&apos;ont pas été enregistrés.
</translation>
    </message>
</context>
<context>
    <name>kiv::CRangeSlider</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 à %2</translation>
    </message>
</context>
<context>
    <name>kiv::CSplitDlg</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>The end must be after the start.</source>
        <translation>La fin doit se trouver après le début.</translation>
    </message>
    <message>
        <source>Type a time as h:mm:ss and press Enter</source>
        <translation>Saisissez une durée sous la forme h:mm:ss et appuyez sur Entrée</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>Découper</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Sélection</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Au début</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Reculer</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Avancer</translation>
    </message>
    <message>
        <source>End</source>
        <translation>À la fin</translation>
    </message>
    <message>
        <source>Mark start</source>
        <translation>Marquer le début</translation>
    </message>
    <message>
        <source>Mark end</source>
        <translation>Marquer la fin</translation>
    </message>
    <message>
        <source>Clear Mark</source>
        <translation>Effacer les marques</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preview result</source>
        <translation>Aperçu du résultat</translation>
    </message>
    <message>
        <source>Back to source</source>
        <translation>Retour à la source</translation>
    </message>
    <message>
        <source>Convert ten seconds with the chosen profile and play the result</source>
        <translation>Convertir dix secondes avec le profil choisi et lire le résultat</translation>
    </message>
    <message>
        <source>Preview progress</source>
        <translation>Progression de l&apos;aperçu</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Cancel preview</source>
        <translation>Annuler l&apos;aperçu</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>The preview was cancelled.</source>
        <translation>L&apos;aperçu a été annulé.</translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation>Pas d&apos;aperçu : %1</translation>
    </message>
    <message>
        <source>sound only</source>
        <translation>son seul</translation>
    </message>
    <message>
        <source>Converted result: %1 at %2,
about %3 for %4</source>
        <translation>Résultat converti : %1 à %2,
environ %3 pour %4</translation>
    </message>
    <message>
        <source>Converted result</source>
        <translation>Résultat converti</translation>
    </message>
</context>
<context>
    <name>kiv::Catalogue</name>
    <message>
        <source>To MP4/MKV/WebM (today&apos;s devices and the web)</source>
        <translation>En MP4/MKV/WebM (appareils actuels et web)</translation>
    </message>
    <message>
        <source>To audio only (MP3/AAC/FLAC/Opus/WAV)</source>
        <translation>Audio seul (MP3/AAC/FLAC/Opus/WAV)</translation>
    </message>
    <message>
        <source>H.264 MP4, same size (plays everywhere)</source>
        <translation>H.264 MP4, même taille (se lit partout)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1920x1080 (Full HD)</source>
        <translation>H.264 MP4, dans 1920x1080 (Full HD)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1280x720 (HD)</source>
        <translation>H.264 MP4, dans 1280x720 (HD)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 854x480 (SD)</source>
        <translation>H.264 MP4, dans 854x480 (SD)</translation>
    </message>
    <message>
        <source>H.265 MP4, same size (smaller file, newer devices)</source>
        <translation>H.265 MP4, même taille (fichier plus petit, appareils récents)</translation>
    </message>
    <message>
        <source>VP9 WebM with Opus, same size (for the web)</source>
        <translation>VP9 WebM avec Opus, même taille (pour le web)</translation>
    </message>
    <message>
        <source>AV1 MKV with Opus, same size (smallest)</source>
        <translation>AV1 MKV avec Opus, même taille (le plus petit)</translation>
    </message>
    <message>
        <source>AV1 WebM with Opus, same size (for the web)</source>
        <translation>AV1 WebM avec Opus, même taille (pour le web)</translation>
    </message>
    <message>
        <source>MKV, same streams (no re-encoding)</source>
        <translation>MKV, mêmes flux (sans réencodage)</translation>
    </message>
    <message>
        <source>MP4, same streams (no re-encoding)</source>
        <translation>MP4, mêmes flux (sans réencodage)</translation>
    </message>
    <message>
        <source>MP3, 320 kb/s (best MP3)</source>
        <translation>MP3, 320 kb/s (meilleur MP3)</translation>
    </message>
    <message>
        <source>MP3, 192 kb/s (smaller)</source>
        <translation>MP3, 192 kb/s (plus petit)</translation>
    </message>
    <message>
        <source>AAC in M4A, 256 kb/s (Apple devices)</source>
        <translation>AAC en M4A, 256 kb/s (appareils Apple)</translation>
    </message>
    <message>
        <source>FLAC (lossless)</source>
        <translation>FLAC (sans perte)</translation>
    </message>
    <message>
        <source>Opus, 160 kb/s (smallest)</source>
        <translation>Opus, 160 kb/s (le plus petit)</translation>
    </message>
    <message>
        <source>WAV (uncompressed)</source>
        <translation>WAV (non compressé)</translation>
    </message>
    <message>
        <source>The audio track as it is (no re-encoding)</source>
        <translation>La piste audio telle quelle (sans réencodage)</translation>
    </message>
</context>
<context>
    <name>kiv::DesktopOpen</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>kiv::FileAdder</name>
    <message>
        <source>: not found</source>
        <translation> : introuvable</translation>
    </message>
    <message>
        <source>: a folder, not a file</source>
        <translation> : un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>: an empty file</source>
        <translation> : un fichier vide</translation>
    </message>
    <message>
        <source>: cannot be read (%1)</source>
        <translation> : illisible (%1)</translation>
    </message>
    <message>
        <source>: not a media file this program can read (%1)</source>
        <translation> : pas un fichier multimédia que ce programme sait lire (%1)</translation>
    </message>
    <message>
        <source> include unsupport codec,Please report it to </source>
        <translation> contient un codec non pris en charge. Veuillez le signaler à </translation>
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
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Vider</translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation>&amp;Découper</translation>
    </message>
    <message>
        <source>&amp;Preview result</source>
        <translation>&amp;Aperçu du résultat</translation>
    </message>
    <message>
        <source>There are not Media file.</source>
        <translation>Ce n&apos;est pas un fichier multimédia.</translation>
    </message>
    <message>
        <source>The Max media file count over !</source>
        <translation>Le nombre maximal de fichiers multimédias est atteint.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Sorry,this program encounter a error,Please restart it again!</source>
        <translation>Désolé, le programme a rencontré une erreur. Veuillez le redémarrer.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not added:</source>
        <translation>
            <numerusform>Ce fichier n&apos;a pas été ajouté :</numerusform>
            <numerusform>%n fichiers n&apos;ont pas été ajoutés :</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>There is not selected media file </source>
        <translation>Aucun fichier multimédia n&apos;est sélectionné. </translation>
    </message>
    <message>
        <source>We encount a problem,Please restar it</source>
        <translation>Un problème est survenu. Veuillez réessayer.</translation>
    </message>
</context>
<context>
    <name>kiv::FileListView</name>
    <message>
        <source>Video File</source>
        <translation>Fichier vidéo</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>estimating…</source>
        <translation>estimation…</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>%1 restant</translation>
    </message>
    <message>
        <source>Measuring the speed</source>
        <translation>Mesure de la vitesse</translation>
    </message>
    <message>
        <source>%1× real time</source>
        <translation>%1× le temps réel</translation>
    </message>
    <message>
        <source>, %1 frames a second</source>
        <translation>, %1 images par seconde</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converti</translation>
    </message>
    <message>
        <source>Converted (short)</source>
        <translation>Converti (incomplet)</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Kept as far as converted: </source>
        <translation>Partie convertie conservée : </translation>
    </message>
    <message>
        <source>paused</source>
        <translation>en pause</translation>
    </message>
    <message>
        <source>%d %% · </source>
        <translation>%d %% · </translation>
    </message>
    <message>
        <source>Paused, </source>
        <translation>En pause, </translation>
    </message>
    <message>
        <source>paused, </source>
        <translation>en pause, </translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Échec : </translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Manquant</translation>
    </message>
    <message>
        <source>Check all</source>
        <translation>Tout cocher</translation>
    </message>
</context>
<context>
    <name>kiv::KeptList</name>
    <message numerus="yes">
        <source>Restored the list of %n file(s) from the last time</source>
        <translation>
            <numerusform>La liste de %n fichier de la dernière fois a été restaurée</numerusform>
            <numerusform>La liste de %n fichiers de la dernière fois a été restaurée</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) were being converted and are Ready again</source>
        <translation>
            <numerusform> ; %n fichier était en cours de conversion et est de nouveau prêt</numerusform>
            <numerusform> ; %n fichiers étaient en cours de conversion et sont de nouveau prêts</numerusform>
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
        <translation>Coché</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>Non coché</translation>
    </message>
</context>
<context>
    <name>kiv::MainWindow</name>
    <message>
        <source>Add video files</source>
        <translation>Ajouter des fichiers vidéo</translation>
    </message>
    <message>
        <source>Remove video files</source>
        <translation>Retirer des fichiers vidéo</translation>
    </message>
    <message>
        <source>Start video conversion</source>
        <translation>Lancer la conversion</translation>
    </message>
    <message>
        <source>Pause video conversion</source>
        <translation>Mettre la conversion en pause</translation>
    </message>
    <message>
        <source>Stop video conversion</source>
        <translation>Arrêter la conversion</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Edit video profile</source>
        <translation>Modifier le profil vidéo</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Video files</source>
        <translation>Fichiers vidéo</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>Dossier de sortie :</translation>
    </message>
    <message>
        <source>Output Directory</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Format de sortie :</translation>
    </message>
    <message>
        <source>Video Profile:</source>
        <translation>Profil vidéo :</translation>
    </message>
    <message>
        <source> Open Output Directory after finished </source>
        <translation> Ouvrir le dossier de sortie à la fin </translation>
    </message>
    <message>
        <source> Shutdown PC after finished </source>
        <translation> Éteindre l&apos;ordinateur à la fin </translation>
    </message>
    <message>
        <source>Resume video conversion</source>
        <translation>Reprendre la conversion</translation>
    </message>
    <message>
        <source>Made by the Kiv Video Converter project</source>
        <translation>Réalisé par le projet Kiv Video Converter</translation>
    </message>
    <message>
        <source>Converts video and audio for players and phones</source>
        <translation>Convertit la vidéo et l&apos;audio pour baladeurs et téléphones</translation>
    </message>
    <message>
        <source>Kiv Video Converter Home Page</source>
        <translation>Page d&apos;accueil de Kiv Video Converter</translation>
    </message>
    <message>
        <source>Online FAQ</source>
        <translation>Foire aux questions</translation>
    </message>
</context>
<context>
    <name>kiv::MediaFileDialog</name>
    <message>
        <source>All files (*.*)|*.*|AVI Files (*.avi)|*.avi|Mpeg files (*.mpg, *.mpeg)|*.mpg;*.mpeg|Windows Media files (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|Quick Time Files (*.mov, *.qt)|*.mov; *.qt|Real Media Files (*.rm, *.rmvb)|*.rm;*.rmvb|Flash File(*.flv,*.swf)|*.flv;*.swf|MP4(*.mp4,*.m4v)|*.mp4;*.m4v|3GP(*.3gp,*.3gp2)|*.3gp;*.3gp2|</source>
        <translation>Tous les fichiers (*.*)|*.*|Fichiers AVI (*.avi)|*.avi|Fichiers MPEG (*.mpg, *.mpeg)|*.mpg;*.mpeg|Fichiers Windows Media (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|Fichiers QuickTime (*.mov, *.qt)|*.mov; *.qt|Fichiers RealMedia (*.rm, *.rmvb)|*.rm;*.rmvb|Fichiers Flash (*.flv, *.swf)|*.flv;*.swf|MP4 (*.mp4, *.m4v)|*.mp4;*.m4v|3GP (*.3gp, *.3gp2)|*.3gp;*.3gp2|</translation>
    </message>
</context>
<context>
    <name>kiv::PowerOffCountdownDlg</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Power-off countdown</source>
        <translation>Compte à rebours avant l&apos;extinction</translation>
    </message>
    <message numerus="yes">
        <source>The computer will power off in %n second(s).</source>
        <translation>
            <numerusform>L&apos;ordinateur va s&apos;éteindre dans %n seconde.</numerusform>
            <numerusform>L&apos;ordinateur va s&apos;éteindre dans %n secondes.</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>The computer could not be powered off: %1</source>
        <translation>L&apos;ordinateur n&apos;a pas pu être éteint : %1</translation>
    </message>
    <message>
        <source>the system bus cannot be reached</source>
        <translation>le bus système est injoignable</translation>
    </message>
</context>
<context>
    <name>kiv::PreviewMaker</name>
    <message>
        <source>the program has no private folder</source>
        <translation>le programme n&apos;a pas de dossier de travail</translation>
    </message>
    <message>
        <source>the result is empty</source>
        <translation>le résultat est vide</translation>
    </message>
    <message>
        <source>the encoder was stopped</source>
        <translation>l&apos;encodeur a été arrêté</translation>
    </message>
</context>
<context>
    <name>kiv::WaitingFiles</name>
    <message numerus="yes">
        <source>%n file(s) wait(s) for the conversion to end</source>
        <translation>
            <numerusform>%n fichier attend la fin de la conversion</numerusform>
            <numerusform>%n fichiers attendent la fin de la conversion</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) wait(s) to be added</source>
        <translation>
            <numerusform>%n fichier attend d&apos;être ajouté</numerusform>
            <numerusform>%n fichiers attendent d&apos;être ajoutés</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::WindowBatch</name>
    <message>
        <source>Convert fail! Please send the log file &quot;%1&quot; to %2</source>
        <translation>Échec de la conversion ! Veuillez envoyer le fichier journal « %1 » à %2</translation>
    </message>
    <message>
        <source>%1 not exist!</source>
        <translation>%1 n&apos;existe pas !</translation>
    </message>
    <message>
        <source>no sound</source>
        <translation>pas de son</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
</TS>
