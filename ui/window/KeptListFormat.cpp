#include "KeptListFormat.h"

#include "FixedText.h"
#include "runs/JobBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <type_traits>

namespace kiv {

namespace {

constexpr const char* kKind = "kiv-video-converter kept list";
constexpr int kVersion = 1;

// The states by their names in the file.
constexpr struct {
    RowState state;
    const char* name;
} kStates[] = {
    {RowState::Ready, "ready"},
    {RowState::Converting, "converting"},
    {RowState::Converted, "converted"},
    {RowState::Failed, "failed"},
    {RowState::SourceMissing, "source missing"},
    {RowState::Stopped, "stopped"},
    {RowState::Reading, "reading"},
};

// The selection's twelve indices in the order of its members.
constexpr std::int32_t ProfileSelection::*kSelection[] = {
    &ProfileSelection::Kind,   &ProfileSelection::Class,  &ProfileSelection::VCodec,
    &ProfileSelection::VFR,    &ProfileSelection::VBR,    &ProfileSelection::Size,
    &ProfileSelection::Apsect, &ProfileSelection::ACodec, &ProfileSelection::ACH,
    &ProfileSelection::ABR,    &ProfileSelection::ASR,    &ProfileSelection::VOL,
};

// Calls visit(name, field) for every field the probe fills.
template <typename Description, typename Visit> void EachProbeField(Description& d, Visit visit) {
    visit("videoCodec", d.videoCodec);
    visit("title", d.title);
    visit("videoBitrate", d.videoBitrate);
    visit("frameRate", d.frameRate);
    visit("videoDuration", d.videoDuration);
    visit("aspect", d.aspect);
    visit("width", d.width);
    visit("height", d.height);
    visit("variant", d.variant);
    visit("audioCodec", d.audioCodec);
    visit("audioBitrate", d.audioBitrate);
    visit("sampleRate", d.sampleRate);
    visit("channels", d.channels);
    visit("audioDuration", d.audioDuration);
    visit("volume", d.volume);
    visit("author", d.author);
    visit("album", d.album);
    visit("copyright", d.copyright);
    visit("comment", d.comment);
}

QJsonValue BytesValue(std::string_view bytes) {
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString text = QString::fromUtf8(raw);
    if (text.toUtf8() == raw)
        return text;
    return QJsonObject{{"bytes", QString::fromLatin1(raw.toBase64())}};
}

bool ReadBytes(const QJsonValue& value, std::string& bytes) {
    if (value.isString()) {
        bytes = value.toString().toUtf8().toStdString();
        return true;
    }
    const QJsonValue encoded = value.toObject().value("bytes");
    if (!encoded.isString())
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(encoded.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    bytes = decoded.decoded.toStdString();
    return static_cast<bool>(decoded);
}

QJsonObject ProbeObject(const ConversionJob& job) {
    QJsonObject probe{
        {"hasVideo", job.hasVideo}, {"hasAudio", job.hasAudio}, {"scriptInput", job.scriptInput}};
    EachProbeField(job.source, [&probe](const char* name, const auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_array_v<Field>) {
            if (field[0] != '\0')
                probe[name] = BytesValue(GetText(field));
        } else {
            probe[name] = static_cast<double>(field);
        }
    });
    return probe;
}

bool ReadProbe(const QJsonObject& probe, ConversionJob& job) {
    bool whole = true;
    const auto flag = [&](const char* name, std::int32_t& field) {
        whole = whole && probe.value(name).isDouble();
        field = probe.value(name).toInt();
    };
    flag("hasVideo", job.hasVideo);
    flag("hasAudio", job.hasAudio);
    flag("scriptInput", job.scriptInput);
    EachProbeField(job.source, [&](const char* name, auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        const QJsonValue value = probe.value(name);
        if constexpr (std::is_array_v<Field>) {
            std::string text;
            whole = whole && (value.isUndefined() || ReadBytes(value, text));
            SetText(field, text);
        } else {
            whole = whole && value.isDouble();
            field = static_cast<Field>(value.toDouble());
        }
    });
    return whole;
}

QJsonObject RowObject(const FileRow& row) {
    const char* state = "ready";
    for (const auto& s : kStates)
        if (s.state == row.state)
            state = s.name;
    QJsonObject object{{"source", BytesValue(row.SourcePath())},
                       {"probe", ProbeObject(row.job)},
                       {"checked", row.checked},
                       {"trim", QJsonArray{row.trimStartSeconds, row.trimEndSeconds}},
                       {"state", state},
                       {"percent", row.percent}};
    if (!row.outputPath.empty())
        object["output"] = BytesValue(row.outputPath);
    return object;
}

bool ReadRow(const QJsonObject& object, FileRow& row, QString& why) {
    ConversionJob job{};
    std::string source, output;
    if (!ReadBytes(object.value("source"), source) || source.empty() ||
        source.size() >= sizeof job.sourcePath) {
        why = QStringLiteral("a row without its file");
        return false;
    }
    SetText(job.sourcePath, source);
    if (!ReadProbe(object.value("probe").toObject(), job)) {
        why = QStringLiteral("a row without what its file holds");
        return false;
    }
    row = NewFileRow(job);
    const QJsonArray trim = object.value("trim").toArray();
    const QJsonValue percent = object.value("percent");
    const QString state = object.value("state").toString();
    bool known = false;
    for (const auto& s : kStates) {
        if (state == QLatin1String(s.name)) {
            row.state = s.state;
            known = true;
        }
    }
    if (!object.value("checked").isBool() || trim.size() != 2 || !trim[0].isDouble() ||
        !trim[1].isDouble() || trim[0].toInt() < 0 || trim[1].toInt() < 0 || !percent.isDouble() ||
        percent.toInt() < 0 || percent.toInt() > 100 || !known ||
        (object.contains("output") && !ReadBytes(object.value("output"), output))) {
        why = QStringLiteral("a row of ") + QString::fromStdString(source) +
              QStringLiteral(" that is not whole");
        return false;
    }
    row.checked = object.value("checked").toBool();
    row.trimStartSeconds = trim[0].toInt();
    row.trimEndSeconds = trim[1].toInt();
    row.percent = percent.toInt();
    row.outputPath = output;
    return true;
}

} // namespace

QByteArray KeptListText(const KeptListContents& contents) {
    QJsonArray selection;
    for (auto index : kSelection)
        selection.append(contents.selection.*index);
    QJsonArray rows;
    for (const FileRow& row : contents.rows)
        rows.append(RowObject(row));
    const QJsonObject list{{"kind", kKind},
                           {"version", kVersion},
                           {"selection", selection},
                           {"outputFolder", contents.outputFolder},
                           {"rows", rows}};
    return QJsonDocument(list).toJson(QJsonDocument::Compact) + '\n';
}

bool ReadKeptList(const QByteArray& text, KeptListContents& contents, QString& why) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        why = QStringLiteral("not JSON: ") + error.errorString();
        return false;
    }
    const QJsonObject list = document.object();
    if (list.value("kind").toString() != QLatin1String(kKind) ||
        list.value("version").toInt() != kVersion) {
        why = QStringLiteral("not a kept list of this version");
        return false;
    }
    const QJsonArray selection = list.value("selection").toArray();
    const QJsonArray rows = list.value("rows").toArray();
    if (selection.size() != std::ssize(kSelection) || !list.value("outputFolder").isString() ||
        !list.value("rows").isArray() || rows.size() > FileTable::kMaxRows) {
        why = QStringLiteral("its parts are missing");
        return false;
    }
    KeptListContents read;
    for (qsizetype i = 0; i < selection.size(); ++i) {
        if (!selection[i].isDouble()) {
            why = QStringLiteral("its format and profile are missing");
            return false;
        }
        read.selection.*kSelection[i] = selection[i].toInt();
    }
    read.outputFolder = list.value("outputFolder").toString();
    for (const QJsonValue& value : rows) {
        FileRow row;
        if (!ReadRow(value.toObject(), row, why))
            return false;
        read.rows.push_back(std::move(row));
    }
    contents = std::move(read);
    return true;
}

} // namespace kiv
