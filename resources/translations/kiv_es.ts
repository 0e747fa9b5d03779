<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>kiv::BatchPresenter</name>
    <message>
        <source>%1 of %2 · %3 %</source>
        <translation>%1 de %2 · %3 %</translation>
    </message>
    <message>
        <source> · Paused</source>
        <translation> · En pausa</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed in %3</source>
        <translation>%1 convertidos, %2 fallidos en %3</translation>
    </message>
    <message>
        <source>No file converted</source>
        <translation>No se ha convertido ningún archivo</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) converted in %1</source>
        <translation>
            <numerusform>%n archivo convertido en %1</numerusform>
            <numerusform>%n archivos convertidos en %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 converted, stopped after %2</source>
        <translation>%1 convertidos, detenido tras %2</translation>
    </message>
    <message>
        <source>%1 converted, %2 stopped after %3</source>
        <translation>%1 convertidos, %2 detenidos tras %3</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed after %3</source>
        <translation>%1 convertidos, %2 fallidos tras %3</translation>
    </message>
    <message>
        <source>Stopped: </source>
        <translation>Detenido: </translation>
    </message>
    <message>
        <source>Encoding Finish!
</source>
        <translation>¡Conversión terminada!
</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
</context>
<context>
    <name>kiv::CAboutDlg</name>
    <message>
        <source>About KivVideoConverter</source>
        <translation>Acerca de KivVideoConverter</translation>
    </message>
    <message>
        <source>KivVideoConverter Version 1.0</source>
        <translation>KivVideoConverter versión 1.0</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>kiv::CDisableScreenSave</name>
    <message>
        <source>Converting videos</source>
        <translation>Convirtiendo vídeos</translation>
    </message>
</context>
<context>
    <name>kiv::CEditorDlg</name>
    <message>
        <source> Profile:</source>
        <translation> Perfil:</translation>
    </message>
    <message>
        <source>Vol:%1%</source>
        <translation>Vol.: %1 %</translation>
    </message>
    <message>
        <source> Frame Rate:</source>
        <translation> Fotogramas/s:</translation>
    </message>
    <message>
        <source> Bitrate:</source>
        <translation> Tasa de bits:</translation>
    </message>
    <message>
        <source> Width/Height:</source>
        <translation> Ancho/alto:</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Tasa de bits:</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Frecuencia:</translation>
    </message>
    <message>
        <source> Frame Rate (fps):</source>
        <translation> Fotogramas/s (fps):</translation>
    </message>
    <message>
        <source> Bitrate (kb/s):</source>
        <translation> Tasa de bits (kb/s):</translation>
    </message>
    <message>
        <source> Fit Within (px):</source>
        <translation> Ajustar a (px):</translation>
    </message>
    <message>
        <source>Bitrate (kb/s):</source>
        <translation>Tasa de bits (kb/s):</translation>
    </message>
    <message>
        <source>Rate (Hz):</source>
        <translation>Frecuencia (Hz):</translation>
    </message>
    <message>
        <source> Quality (RF):</source>
        <translation> Calidad (RF):</translation>
    </message>
    <message>
        <source>Constant quality, as HandBrake&apos;s RF: a lower number keeps more detail and makes a bigger file</source>
        <translation>Calidad constante, como el RF de HandBrake: un número más bajo conserva más detalle y da un archivo más grande</translation>
    </message>
    <message>
        <source> Video Codec:</source>
        <translation> Códec de vídeo:</translation>
    </message>
    <message>
        <source> Aspect:</source>
        <translation> Aspecto:</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Códec de audio:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Canales:</translation>
    </message>
    <message>
        <source>Media Profile Editor</source>
        <translation>Editor de perfiles multimedia</translation>
    </message>
    <message>
        <source>Video Format</source>
        <translation>Formato de vídeo</translation>
    </message>
    <message>
        <source>Audio Format</source>
        <translation>Formato de audio</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Estéreo</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recargar</translation>
    </message>
</context>
<context>
    <name>kiv::CHyperLink</name>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>No se puede abrir el enlace:

</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>El sistema operativo no tiene
memoria o recursos suficientes.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>No se encontró el archivo indicado.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>No se encontró la ruta indicada.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>El sistema operativo denegó
el acceso al archivo indicado.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>No hay memoria suficiente para completar la operación.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>El archivo .EXE no es válido
(no es un .EXE de Win32 o la imagen .EXE tiene errores).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Se produjo una infracción de uso compartido. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>La asociación de archivos está
incompleta o no es válida.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>La transacción DDE no pudo
completarse porque la solicitud caducó.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>La transacción DDE falló.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>La transacción DDE no pudo
completarse porque se estaban procesando
otras transacciones DDE.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>No hay ninguna aplicación asociada
a esta extensión de archivo.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>No se encontró la biblioteca dinámica indicada.</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <translation>Se produjo un error desconocido (%1).</translation>
    </message>
    <message>
        <source>The desktop has no program to open this. Please open it by hand:
</source>
        <translation>El escritorio no tiene ningún programa para abrir esto. Ábralo usted mismo:
</translation>
    </message>
</context>
<context>
    <name>kiv::CKivVideoConverterDlg</name>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Every checked file has been converted already.
Convert them again?</source>
        <translation>Todos los archivos marcados ya se han convertido.
¿Convertirlos de nuevo?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>There is no selected file in list! </source>
        <translation>No hay ningún archivo marcado en la lista. </translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Seleccionar la carpeta de destino</translation>
    </message>
    <message>
        <source>Your settings were not saved.
</source>
        <translation>No se ha guardado la configuración.
</translation>
    </message>
</context>
<context>
    <name>kiv::CRangeSlider</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 a %2</translation>
    </message>
</context>
<context>
    <name>kiv::CSplitDlg</name>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>The end must be after the start.</source>
        <translation>El final debe estar después del inicio.</translation>
    </message>
    <message>
        <source>Type a time as h:mm:ss and press Enter</source>
        <translation>Escriba un tiempo como h:mm:ss y pulse Intro</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Selección</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Al principio</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Retroceder</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Avanzar</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Al final</translation>
    </message>
    <message>
        <source>Mark start</source>
        <translation>Marcar inicio</translation>
    </message>
    <message>
        <source>Mark end</source>
        <translation>Marcar final</translation>
    </message>
    <message>
        <source>Clear Mark</source>
        <translation>Borrar marcas</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Final</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Preview result</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Back to source</source>
        <translation>Volver al original</translation>
    </message>
    <message>
        <source>Convert ten seconds with the chosen profile and play the result</source>
        <translation>Convertir diez segundos con el perfil elegido y reproducir el resultado</translation>
    </message>
    <message>
        <source>Preview progress</source>
        <translation>Progreso de la vista previa</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Cancel preview</source>
        <translation>Cancelar la vista previa</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>The preview was cancelled.</source>
        <translation>Se ha cancelado la vista previa.</translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation>Sin vista previa: %1</translation>
    </message>
    <message>
        <source>sound only</source>
        <translation>solo sonido</translation>
    </message>
    <message>
        <source>Converted result: %1 at %2,
about %3 for %4</source>
        <translation>Resultado: %1 a %2,
unos %3 para %4</translation>
    </message>
    <message>
        <source>Converted result</source>
        <translation>Resultado convertido</translation>
    </message>
</context>
<context>
    <name>kiv::Catalogue</name>
    <message>
        <source>To MP4/MKV/WebM (today&apos;s devices and the web)</source>
        <translation>A MP4/MKV/WebM (dispositivos actuales y la web)</translation>
    </message>
    <message>
        <source>To audio only (MP3/AAC/FLAC/Opus/WAV)</source>
        <translation>Solo audio (MP3/AAC/FLAC/Opus/WAV)</translation>
    </message>
    <message>
        <source>H.264 MP4, same size (plays everywhere)</source>
        <translation>H.264 MP4, mismo tamaño (se reproduce en todas partes)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1920x1080 (Full HD)</source>
        <translation>H.264 MP4, ajustado a 1920x1080 (Full HD)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1280x720 (HD)</source>
        <translation>H.264 MP4, ajustado a 1280x720 (HD)</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 854x480 (SD)</source>
        <translation>H.264 MP4, ajustado a 854x480 (SD)</translation>
    </message>
    <message>
        <source>H.265 MP4, same size (smaller file, newer devices)</source>
        <translation>H.265 MP4, mismo tamaño (archivo más pequeño, dispositivos recientes)</translation>
    </message>
    <message>
        <source>VP9 WebM with Opus, same size (for the web)</source>
        <translation>VP9 WebM con Opus, mismo tamaño (para la web)</translation>
    </message>
    <message>
        <source>AV1 MKV with Opus, same size (smallest)</source>
        <translation>AV1 MKV con Opus, mismo tamaño (el más pequeño)</translation>
    </message>
    <message>
        <source>AV1 WebM with Opus, same size (for the web)</source>
        <translation>AV1 WebM con Opus, mismo tamaño (para la web)</translation>
    </message>
    <message>
        <source>MKV, same streams (no re-encoding)</source>
        <translation>MKV, mismas pistas (sin recodificar)</translation>
    </message>
    <message>
        <source>MP4, same streams (no re-encoding)</source>
        <translation>MP4, mismas pistas (sin recodificar)</translation>
    </message>
    <message>
        <source>MP3, 320 kb/s (best MP3)</source>
        <translation>MP3, 320 kb/s (el mejor MP3)</translation>
    </message>
    <message>
        <source>MP3, 192 kb/s (smaller)</source>
        <translation>MP3, 192 kb/s (más pequeño)</translation>
    </message>
    <message>
        <source>AAC in M4A, 256 kb/s (Apple devices)</source>
        <translation>AAC en M4A, 256 kb/s (dispositivos Apple)</translation>
    </message>
    <message>
        <source>FLAC (lossless)</source>
        <translation>FLAC (sin pérdida)</translation>
    </message>
    <message>
        <source>Opus, 160 kb/s (smallest)</source>
        <translation>Opus, 160 kb/s (el más pequeño)</translation>
    </message>
    <message>
        <source>WAV (uncompressed)</source>
        <translation>WAV (sin comprimir)</translation>
    </message>
    <message>
        <source>The audio track as it is (no re-encoding)</source>
        <translation>La pista de audio tal cual (sin recodificar)</translation>
    </message>
</context>
<context>
    <name>kiv::DesktopOpen</name>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
</context>
<context>
    <name>kiv::FileAdder</name>
    <message>
        <source>: not found</source>
        <translation>: no encontrado</translation>
    </message>
    <message>
        <source>: a folder, not a file</source>
        <translation>: es una carpeta, no un archivo</translation>
    </message>
    <message>
        <source>: an empty file</source>
        <translation>: un archivo vacío</translation>
    </message>
    <message>
        <source>: cannot be read (%1)</source>
        <translation>: no se puede leer (%1)</translation>
    </message>
    <message>
        <source>: not a media file this program can read (%1)</source>
        <translation>: no es un archivo multimedia que este programa pueda leer (%1)</translation>
    </message>
    <message>
        <source> include unsupport codec,Please report it to </source>
        <translation> contiene un códec no compatible. Por favor, comuníquelo a </translation>
    </message>
</context>
<context>
    <name>kiv::FileListCommands</name>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Pop</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Añadir</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Vaciar</translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation>&amp;Recortar</translation>
    </message>
    <message>
        <source>&amp;Preview result</source>
        <translation>&amp;Vista previa</translation>
    </message>
    <message>
        <source>There are not Media file.</source>
        <translation>No es un archivo multimedia.</translation>
    </message>
    <message>
        <source>The Max media file count over !</source>
        <translation>Se ha alcanzado el número máximo de archivos multimedia.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Sorry,this program encounter a error,Please restart it again!</source>
        <translation>Lo sentimos, el programa ha encontrado un error. Vuelva a iniciarlo.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not added:</source>
        <translation>
            <numerusform>Este archivo no se ha añadido:</numerusform>
            <numerusform>No se han añadido %n archivos:</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>There is not selected media file </source>
        <translation>No hay ningún archivo multimedia seleccionado. </translation>
    </message>
    <message>
        <source>We encount a problem,Please restar it</source>
        <translation>Ha surgido un problema. Inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>kiv::FileListView</name>
    <message>
        <source>Video File</source>
        <translation>Archivo de vídeo</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Final</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>estimating…</source>
        <translation>calculando…</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>quedan %1</translation>
    </message>
    <message>
        <source>Measuring the speed</source>
        <translation>Midiendo la velocidad</translation>
    </message>
    <message>
        <source>%1× real time</source>
        <translation>%1× tiempo real</translation>
    </message>
    <message>
        <source>, %1 frames a second</source>
        <translation>, %1 fotogramas por segundo</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Convertido</translation>
    </message>
    <message>
        <source>Converted (short)</source>
        <translation>Convertido (incompleto)</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Kept as far as converted: </source>
        <translation>Se conserva lo convertido: </translation>
    </message>
    <message>
        <source>paused</source>
        <translation>en pausa</translation>
    </message>
    <message>
        <source>%d %% · </source>
        <translation>%d %% · </translation>
    </message>
    <message>
        <source>Paused, </source>
        <translation>En pausa, </translation>
    </message>
    <message>
        <source>paused, </source>
        <translation>en pausa, </translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>No encontrado</translation>
    </message>
    <message>
        <source>Check all</source>
        <translation>Marcar todos</translation>
    </message>
</context>
<context>
    <name>kiv::KeptList</name>
    <message numerus="yes">
        <source>Restored the list of %n file(s) from the last time</source>
        <translation>
            <numerusform>Se ha restaurado la lista de %n archivo de la última vez</numerusform>
            <numerusform>Se ha restaurado la lista de %n archivos de la última vez</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) were being converted and are Ready again</source>
        <translation>
            <numerusform>; %n archivo se estaba convirtiendo y vuelve a estar listo</numerusform>
            <numerusform>; %n archivos se estaban convirtiendo y vuelven a estar listos</numerusform>
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
        <translation>Marcado</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>Sin marcar</translation>
    </message>
</context>
<context>
    <name>kiv::MainWindow</name>
    <message>
        <source>Add video files</source>
        <translation>Añadir archivos de vídeo</translation>
    </message>
    <message>
        <source>Remove video files</source>
        <translation>Quitar archivos de vídeo</translation>
    </message>
    <message>
        <source>Start video conversion</source>
        <translation>Iniciar la conversión</translation>
    </message>
    <message>
        <source>Pause video conversion</source>
        <translation>Pausar la conversión</translation>
    </message>
    <message>
        <source>Stop video conversion</source>
        <translation>Detener la conversión</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Carpeta de destino</translation>
    </message>
    <message>
        <source>Edit video profile</source>
        <translation>Editar el perfil de vídeo</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Video files</source>
        <translation>Archivos de vídeo</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>Carpeta de destino:</translation>
    </message>
    <message>
        <source>Output Directory</source>
        <translation>Carpeta de destino</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Formato de salida:</translation>
    </message>
    <message>
        <source>Video Profile:</source>
        <translation>Perfil de vídeo:</translation>
    </message>
    <message>
        <source> Open Output Directory after finished </source>
        <translation> Abrir la carpeta de destino al terminar </translation>
    </message>
    <message>
        <source> Shutdown PC after finished </source>
        <translation> Apagar el equipo al terminar </translation>
    </message>
    <message>
        <source>Resume video conversion</source>
        <translation>Reanudar la conversión</translation>
    </message>
    <message>
        <source>Made by the Kiv Video Converter project</source>
        <translation>Creado por el proyecto Kiv Video Converter</translation>
    </message>
    <message>
        <source>Converts video and audio for players and phones</source>
        <translation>Convierte vídeo y audio para reproductores y teléfonos</translation>
    </message>
    <message>
        <source>Kiv Video Converter Home Page</source>
        <translation>Página principal de Kiv Video Converter</translation>
    </message>
    <message>
        <source>Online FAQ</source>
        <translation>Preguntas frecuentes</translation>
    </message>
</context>
<context>
    <name>kiv::MediaFileDialog</name>
    <message>
        <source>All files (*.*)|*.*|AVI Files (*.avi)|*.avi|Mpeg files (*.mpg, *.mpeg)|*.mpg;*.mpeg|Windows Media files (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|Quick Time Files (*.mov, *.qt)|*.mov; *.qt|Real Media Files (*.rm, *.rmvb)|*.rm;*.rmvb|Flash File(*.flv,*.swf)|*.flv;*.swf|MP4(*.mp4,*.m4v)|*.mp4;*.m4v|3GP(*.3gp,*.3gp2)|*.3gp;*.3gp2|</source>
        <translation>Todos los archivos (*.*)|*.*|Archivos AVI (*.avi)|*.avi|Archivos MPEG (*.mpg, *.mpeg)|*.mpg;*.mpeg|Archivos de Windows Media (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|Archivos QuickTime (*.mov, *.qt)|*.mov; *.qt|Archivos RealMedia (*.rm, *.rmvb)|*.rm;*.rmvb|Archivos Flash (*.flv, *.swf)|*.flv;*.swf|MP4 (*.mp4, *.m4v)|*.mp4;*.m4v|3GP (*.3gp, *.3gp2)|*.3gp;*.3gp2|</translation>
    </message>
</context>
<context>
    <name>kiv::PowerOffCountdownDlg</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Power-off countdown</source>
        <translation>Cuenta atrás para el apagado</translation>
    </message>
    <message numerus="yes">
        <source>The computer will power off in %n second(s).</source>
        <translation>
            <numerusform>El equipo se apagará en %n segundo.</numerusform>
            <numerusform>El equipo se apagará en %n segundos.</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>The computer could not be powered off: %1</source>
        <translation>No se pudo apagar el equipo: %1</translation>
    </message>
    <message>
        <source>the system bus cannot be reached</source>
        <translation>no se puede acceder al bus del sistema</translation>
    </message>
</context>
<context>
    <name>kiv::PreviewMaker</name>
    <message>
        <source>the program has no private folder</source>
        <translation>el programa no tiene carpeta de trabajo propia</translation>
    </message>
    <message>
        <source>the result is empty</source>
        <translation>el resultado está vacío</translation>
    </message>
    <message>
        <source>the encoder was stopped</source>
        <translation>el codificador se detuvo</translation>
    </message>
</context>
<context>
    <name>kiv::WaitingFiles</name>
    <message numerus="yes">
        <source>%n file(s) wait(s) for the conversion to end</source>
        <translation>
            <numerusform>%n archivo espera a que termine la conversión</numerusform>
            <numerusform>%n archivos esperan a que termine la conversión</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) wait(s) to be added</source>
        <translation>
            <numerusform>%n archivo espera a ser añadido</numerusform>
            <numerusform>%n archivos esperan a ser añadidos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::WindowBatch</name>
    <message>
        <source>Convert fail! Please send the log file &quot;%1&quot; to %2</source>
        <translation>¡Error en la conversión! Envíe el archivo de registro «%1» a %2</translation>
    </message>
    <message>
        <source>%1 not exist!</source>
        <translation>¡%1 no existe!</translation>
    </message>
    <message>
        <source>no sound</source>
        <translation>sin sonido</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
</TS>
