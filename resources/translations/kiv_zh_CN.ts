<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>kiv::BatchPresenter</name>
    <message>
        <source>%1 of %2 · %3 %</source>
        <translation>第 %1/%2 个 · %3%</translation>
    </message>
    <message>
        <source> · Paused</source>
        <translation> · 已暂停</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed in %3</source>
        <translation>已转换 %1 个，%2 个失败，用时 %3</translation>
    </message>
    <message>
        <source>No file converted</source>
        <translation>没有转换任何文件</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) converted in %1</source>
        <translation>
            <numerusform>已转换 %n 个文件，用时 %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 converted, stopped after %2</source>
        <translation>已转换 %1 个，%2 后停止</translation>
    </message>
    <message>
        <source>%1 converted, %2 stopped after %3</source>
        <translation>已转换 %1 个，%2 个在 %3 后停止</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed after %3</source>
        <translation>已转换 %1 个，%2 个在 %3 后失败</translation>
    </message>
    <message>
        <source>Stopped: </source>
        <translation>已停止：</translation>
    </message>
    <message>
        <source>Encoding Finish!
</source>
        <translation>转换完成！
</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
</context>
<context>
    <name>kiv::CAboutDlg</name>
    <message>
        <source>About KivVideoConverter</source>
        <translation>关于 KivVideoConverter</translation>
    </message>
    <message>
        <source>KivVideoConverter Version 1.0</source>
        <translation>KivVideoConverter 1.0 版</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>kiv::CDisableScreenSave</name>
    <message>
        <source>Converting videos</source>
        <translation>正在转换视频</translation>
    </message>
</context>
<context>
    <name>kiv::CEditorDlg</name>
    <message>
        <source> Profile:</source>
        <translation> 配置：</translation>
    </message>
    <message>
        <source>Vol:%1%</source>
        <translation>音量：%1%</translation>
    </message>
    <message>
        <source> Frame Rate:</source>
        <translation> 帧率：</translation>
    </message>
    <message>
        <source> Bitrate:</source>
        <translation> 码率：</translation>
    </message>
    <message>
        <source> Width/Height:</source>
        <translation> 宽度/高度：</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>码率：</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>采样率：</translation>
    </message>
    <message>
        <source> Frame Rate (fps):</source>
        <translation> 帧率 (fps)：</translation>
    </message>
    <message>
        <source> Bitrate (kb/s):</source>
        <translation> 码率 (kb/s)：</translation>
    </message>
    <message>
        <source> Fit Within (px):</source>
        <translation> 适应尺寸 (px)：</translation>
    </message>
    <message>
        <source>Bitrate (kb/s):</source>
        <translation>码率 (kb/s)：</translation>
    </message>
    <message>
        <source>Rate (Hz):</source>
        <translation>采样率 (Hz)：</translation>
    </message>
    <message>
        <source> Quality (RF):</source>
        <translation> 质量 (RF)：</translation>
    </message>
    <message>
        <source>Constant quality, as HandBrake&apos;s RF: a lower number keeps more detail and makes a bigger file</source>
        <translation>恒定质量，与 HandBrake 的 RF 相同：数值越低，保留的细节越多，文件也越大</translation>
    </message>
    <message>
        <source> Video Codec:</source>
        <translation> 视频编码：</translation>
    </message>
    <message>
        <source> Aspect:</source>
        <translation> 宽高比：</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>音频编码：</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>声道：</translation>
    </message>
    <message>
        <source>Media Profile Editor</source>
        <translation>媒体配置编辑器</translation>
    </message>
    <message>
        <source>Video Format</source>
        <translation>视频格式</translation>
    </message>
    <message>
        <source>Audio Format</source>
        <translation>音频格式</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>单声道</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>立体声</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>重新载入</translation>
    </message>
</context>
<context>
    <name>kiv::CHyperLink</name>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>无法打开链接：

</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>操作系统的内存
或资源不足。</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>找不到指定的文件。</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>找不到指定的路径。</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>操作系统拒绝
访问指定的文件。</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>内存不足，无法完成此操作。</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>.EXE 文件无效
（不是 Win32 .EXE 或 .EXE 映像有错误）。</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>发生共享冲突。</translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>文件关联
不完整或无效。</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>DDE 事务
因请求超时而无法完成。</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>DDE 事务失败。</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>DDE 事务
无法完成，因为正在处理
其他 DDE 事务。</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>没有与此文件扩展名
关联的应用程序。</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>找不到指定的动态链接库。</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <translation>发生未知错误 (%1)。</translation>
    </message>
    <message>
        <source>The desktop has no program to open this. Please open it by hand:
</source>
        <translation>桌面环境没有可以打开它的程序。请手动打开：
</translation>
    </message>
</context>
<context>
    <name>kiv::CKivVideoConverterDlg</name>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览…</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Every checked file has been converted already.
Convert them again?</source>
        <translation>所有勾选的文件都已转换过。
要重新转换吗？</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>There is no selected file in list! </source>
        <translation>列表中没有勾选的文件。</translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>选择输出文件夹</translation>
    </message>
    <message>
        <source>Your settings were not saved.
</source>
        <translation>您的设置未能保存。
</translation>
    </message>
</context>
<context>
    <name>kiv::CRangeSlider</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 至 %2</translation>
    </message>
</context>
<context>
    <name>kiv::CSplitDlg</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The end must be after the start.</source>
        <translation>结束点必须在开始点之后。</translation>
    </message>
    <message>
        <source>Type a time as h:mm:ss and press Enter</source>
        <translation>按 h:mm:ss 格式输入时间，然后按回车键</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>画面</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>选择范围</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>到开头</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>End</source>
        <translation>到结尾</translation>
    </message>
    <message>
        <source>Mark start</source>
        <translation>标记开始</translation>
    </message>
    <message>
        <source>Mark end</source>
        <translation>标记结束</translation>
    </message>
    <message>
        <source>Clear Mark</source>
        <translation>清除标记</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Preview result</source>
        <translation>预览结果</translation>
    </message>
    <message>
        <source>Back to source</source>
        <translation>返回源文件</translation>
    </message>
    <message>
        <source>Convert ten seconds with the chosen profile and play the result</source>
        <translation>用所选配置转换十秒并播放结果</translation>
    </message>
    <message>
        <source>Preview progress</source>
        <translation>预览进度</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Cancel preview</source>
        <translation>取消预览</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>The preview was cancelled.</source>
        <translation>预览已取消。</translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation>无法预览：%1</translation>
    </message>
    <message>
        <source>sound only</source>
        <translation>仅声音</translation>
    </message>
    <message>
        <source>Converted result: %1 at %2,
about %3 for %4</source>
        <translation>转换结果：%1，%2，
%4 约 %3</translation>
    </message>
    <message>
        <source>Converted result</source>
        <translation>转换结果</translation>
    </message>
</context>
<context>
    <name>kiv::Catalogue</name>
    <message>
        <source>To MP4/MKV/WebM (today&apos;s devices and the web)</source>
        <translation>转为 MP4/MKV/WebM（当今设备与网页）</translation>
    </message>
    <message>
        <source>To audio only (MP3/AAC/FLAC/Opus/WAV)</source>
        <translation>仅音频（MP3/AAC/FLAC/Opus/WAV）</translation>
    </message>
    <message>
        <source>H.264 MP4, same size (plays everywhere)</source>
        <translation>H.264 MP4，原尺寸（到处都能播放）</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1920x1080 (Full HD)</source>
        <translation>H.264 MP4，适应 1920x1080（全高清）</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 1280x720 (HD)</source>
        <translation>H.264 MP4，适应 1280x720（高清）</translation>
    </message>
    <message>
        <source>H.264 MP4, fit within 854x480 (SD)</source>
        <translation>H.264 MP4，适应 854x480（标清）</translation>
    </message>
    <message>
        <source>H.265 MP4, same size (smaller file, newer devices)</source>
        <translation>H.265 MP4，原尺寸（文件更小，适合较新设备）</translation>
    </message>
    <message>
        <source>VP9 WebM with Opus, same size (for the web)</source>
        <translation>VP9 WebM 配 Opus，原尺寸（用于网页）</translation>
    </message>
    <message>
        <source>AV1 MKV with Opus, same size (smallest)</source>
        <translation>AV1 MKV 配 Opus，原尺寸（最小）</translation>
    </message>
    <message>
        <source>AV1 WebM with Opus, same size (for the web)</source>
        <translation>AV1 WebM 配 Opus，原尺寸（用于网页）</translation>
    </message>
    <message>
        <source>MKV, same streams (no re-encoding)</source>
        <translation>MKV，相同数据流（不重新编码）</translation>
    </message>
    <message>
        <source>MP4, same streams (no re-encoding)</source>
        <translation>MP4，相同数据流（不重新编码）</translation>
    </message>
    <message>
        <source>MP3, 320 kb/s (best MP3)</source>
        <translation>MP3，320 kb/s（最佳 MP3）</translation>
    </message>
    <message>
        <source>MP3, 192 kb/s (smaller)</source>
        <translation>MP3，192 kb/s（更小）</translation>
    </message>
    <message>
        <source>AAC in M4A, 256 kb/s (Apple devices)</source>
        <translation>AAC（M4A），256 kb/s（Apple 设备）</translation>
    </message>
    <message>
        <source>FLAC (lossless)</source>
        <translation>FLAC（无损）</translation>
    </message>
    <message>
        <source>Opus, 160 kb/s (smallest)</source>
        <translation>Opus，160 kb/s（最小）</translation>
    </message>
    <message>
        <source>WAV (uncompressed)</source>
        <translation>WAV（未压缩）</translation>
    </message>
    <message>
        <source>The audio track as it is (no re-encoding)</source>
        <translation>原样保留音轨（不重新编码）</translation>
    </message>
</context>
<context>
    <name>kiv::DesktopOpen</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>kiv::FileAdder</name>
    <message>
        <source>: not found</source>
        <translation>：找不到</translation>
    </message>
    <message>
        <source>: a folder, not a file</source>
        <translation>：是文件夹，不是文件</translation>
    </message>
    <message>
        <source>: an empty file</source>
        <translation>：空文件</translation>
    </message>
    <message>
        <source>: cannot be read (%1)</source>
        <translation>：无法读取（%1）</translation>
    </message>
    <message>
        <source>: not a media file this program can read (%1)</source>
        <translation>：不是本程序能读取的媒体文件（%1）</translation>
    </message>
    <message>
        <source> include unsupport codec,Please report it to </source>
        <translation> 包含不支持的编码，请报告给 </translation>
    </message>
</context>
<context>
    <name>kiv::FileListCommands</name>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Pop</source>
        <translation>列表</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>添加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>清空(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation>剪切(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Preview result</source>
        <translation>预览结果(&amp;P)</translation>
    </message>
    <message>
        <source>There are not Media file.</source>
        <translation>这不是媒体文件。</translation>
    </message>
    <message>
        <source>The Max media file count over !</source>
        <translation>已达到媒体文件数量上限。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Sorry,this program encounter a error,Please restart it again!</source>
        <translation>抱歉，程序遇到错误，请重新启动。</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not added:</source>
        <translation>
            <numerusform>%n 个文件未添加：</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>There is not selected media file </source>
        <translation>没有选中的媒体文件。</translation>
    </message>
    <message>
        <source>We encount a problem,Please restar it</source>
        <translation>遇到问题，请重试。</translation>
    </message>
</context>
<context>
    <name>kiv::FileListView</name>
    <message>
        <source>Video File</source>
        <translation>视频文件</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>estimating…</source>
        <translation>正在估算…</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>剩余 %1</translation>
    </message>
    <message>
        <source>Measuring the speed</source>
        <translation>正在测量速度</translation>
    </message>
    <message>
        <source>%1× real time</source>
        <translation>%1× 实时速度</translation>
    </message>
    <message>
        <source>, %1 frames a second</source>
        <translation>，每秒 %1 帧</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>已转换</translation>
    </message>
    <message>
        <source>Converted (short)</source>
        <translation>已转换（不完整）</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>Kept as far as converted: </source>
        <translation>已保留转换完成的部分：</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>已暂停</translation>
    </message>
    <message>
        <source>%d %% · </source>
        <translation>%d%% · </translation>
    </message>
    <message>
        <source>Paused, </source>
        <translation>已暂停，</translation>
    </message>
    <message>
        <source>paused, </source>
        <translation>已暂停，</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>失败：</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>缺失</translation>
    </message>
    <message>
        <source>Check all</source>
        <translation>全选</translation>
    </message>
</context>
<context>
    <name>kiv::KeptList</name>
    <message numerus="yes">
        <source>Restored the list of %n file(s) from the last time</source>
        <translation>
            <numerusform>已恢复上次的 %n 个文件的列表</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) were being converted and are Ready again</source>
        <translation>
            <numerusform>；其中 %n 个文件当时正在转换，现已重新就绪</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::ListModel</name>
    <message>
        <source>%1 %</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>已勾选</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>未勾选</translation>
    </message>
</context>
<context>
    <name>kiv::MainWindow</name>
    <message>
        <source>Add video files</source>
        <translation>添加视频文件</translation>
    </message>
    <message>
        <source>Remove video files</source>
        <translation>移除视频文件</translation>
    </message>
    <message>
        <source>Start video conversion</source>
        <translation>开始转换</translation>
    </message>
    <message>
        <source>Pause video conversion</source>
        <translation>暂停转换</translation>
    </message>
    <message>
        <source>Stop video conversion</source>
        <translation>停止转换</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Edit video profile</source>
        <translation>编辑视频配置</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Video files</source>
        <translation>视频文件</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>输出文件夹：</translation>
    </message>
    <message>
        <source>Output Directory</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>输出格式：</translation>
    </message>
    <message>
        <source>Video Profile:</source>
        <translation>视频配置：</translation>
    </message>
    <message>
        <source> Open Output Directory after finished </source>
        <translation> 完成后打开输出文件夹 </translation>
    </message>
    <message>
        <source> Shutdown PC after finished </source>
        <translation> 完成后关闭计算机 </translation>
    </message>
    <message>
        <source>Resume video conversion</source>
        <translation>继续转换</translation>
    </message>
    <message>
        <source>Made by the Kiv Video Converter project</source>
        <translation>由 Kiv Video Converter 项目制作</translation>
    </message>
    <message>
        <source>Converts video and audio for players and phones</source>
        <translation>为播放器和手机转换视频和音频</translation>
    </message>
    <message>
        <source>Kiv Video Converter Home Page</source>
        <translation>Kiv Video Converter 主页</translation>
    </message>
    <message>
        <source>Online FAQ</source>
        <translation>常见问题</translation>
    </message>
</context>
<context>
    <name>kiv::MediaFileDialog</name>
    <message>
        <source>All files (*.*)|*.*|AVI Files (*.avi)|*.avi|Mpeg files (*.mpg, *.mpeg)|*.mpg;*.mpeg|Windows Media files (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|Quick Time Files (*.mov, *.qt)|*.mov; *.qt|Real Media Files (*.rm, *.rmvb)|*.rm;*.rmvb|Flash File(*.flv,*.swf)|*.flv;*.swf|MP4(*.mp4,*.m4v)|*.mp4;*.m4v|3GP(*.3gp,*.3gp2)|*.3gp;*.3gp2|</source>
        <translation>所有文件 (*.*)|*.*|AVI 文件 (*.avi)|*.avi|MPEG 文件 (*.mpg, *.mpeg)|*.mpg;*.mpeg|Windows Media 文件 (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|QuickTime 文件 (*.mov, *.qt)|*.mov; *.qt|RealMedia 文件 (*.rm, *.rmvb)|*.rm;*.rmvb|Flash 文件 (*.flv, *.swf)|*.flv;*.swf|MP4 (*.mp4, *.m4v)|*.mp4;*.m4v|3GP (*.3gp, *.3gp2)|*.3gp;*.3gp2|</translation>
    </message>
</context>
<context>
    <name>kiv::PowerOffCountdownDlg</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Power-off countdown</source>
        <translation>关机倒计时</translation>
    </message>
    <message numerus="yes">
        <source>The computer will power off in %n second(s).</source>
        <translation>
            <numerusform>计算机将在 %n 秒后关机。</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The computer could not be powered off: %1</source>
        <translation>无法关闭计算机：%1</translation>
    </message>
    <message>
        <source>the system bus cannot be reached</source>
        <translation>无法连接系统总线</translation>
    </message>
</context>
<context>
    <name>kiv::PreviewMaker</name>
    <message>
        <source>the program has no private folder</source>
        <translation>程序没有私有的工作文件夹</translation>
    </message>
    <message>
        <source>the result is empty</source>
        <translation>结果为空</translation>
    </message>
    <message>
        <source>the encoder was stopped</source>
        <translation>编码器已停止</translation>
    </message>
</context>
<context>
    <name>kiv::WaitingFiles</name>
    <message numerus="yes">
        <source>%n file(s) wait(s) for the conversion to end</source>
        <translation>
            <numerusform>%n 个文件正在等待转换结束</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) wait(s) to be added</source>
        <translation>
            <numerusform>%n 个文件正在等待添加</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kiv::WindowBatch</name>
    <message>
        <source>Convert fail! Please send the log file &quot;%1&quot; to %2</source>
        <translation>转换失败！请将日志文件“%1”发送至 %2</translation>
    </message>
    <message>
        <source>%1 not exist!</source>
        <translation>%1 不存在！</translation>
    </message>
    <message>
        <source>no sound</source>
        <translation>无声音</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
</TS>
