#include "Settings.h"

#include "Catalogue.h"
#include "FixedText.h"
#include "IniFile.h"
#include "Log.h"
#include "OutputFolder.h"
#include "Paths.h"
#include "Vocabularies.h"

#include <cstring>
#include <mutex>

namespace kiv {

namespace {

constexpr const char* kOptions = "Options";
constexpr const char* kVideo = "Video";

std::mutex settingsMutex;
AppSettings currentSettings{};
ProfileSelection currentSelection = kDefaultSelection;
std::string programDirectory;

struct IndexRule {
    const char* key;
    std::int32_t ProfileSelection::*field;
};

// The [Video] keys in the order they are read.
constexpr IndexRule kReadOrder[] = {
    {"Kind", &ProfileSelection::Kind},     {"VCodec", &ProfileSelection::VCodec},
    {"VFR", &ProfileSelection::VFR},       {"VBR", &ProfileSelection::VBR},
    {"Size", &ProfileSelection::Size},     {"Apsect", &ProfileSelection::Apsect},
    {"ACodec", &ProfileSelection::ACodec}, {"ASR", &ProfileSelection::ASR},
    {"ACH", &ProfileSelection::ACH},       {"ABR", &ProfileSelection::ABR},
    {"VOL", &ProfileSelection::VOL},       {"Class", &ProfileSelection::Class},
};

// The [Video] keys in the order they are written.
constexpr IndexRule kWriteOrder[] = {
    {"Kind", &ProfileSelection::Kind},     {"VCodec", &ProfileSelection::VCodec},
    {"VFR", &ProfileSelection::VFR},       {"VBR", &ProfileSelection::VBR},
    {"Size", &ProfileSelection::Size},     {"Apsect", &ProfileSelection::Apsect},
    {"ACodec", &ProfileSelection::ACodec}, {"ACH", &ProfileSelection::ACH},
    {"ABR", &ProfileSelection::ABR},       {"ASR", &ProfileSelection::ASR},
    {"VOL", &ProfileSelection::VOL},       {"Class", &ProfileSelection::Class},
};

// Puts value back to its default (or 0 when the default is outside too)
// when it is not below count; reports the repair.
void Repair(std::int32_t& value, std::int32_t defaultValue, int count, const char* key,
            std::string& report) {
    if (value >= 0 && value < count)
        return;
    std::int32_t replacement = (defaultValue >= 0 && defaultValue < count) ? defaultValue : 0;
    report += "Settings: [Video] " + std::string(key) + "=" + std::to_string(value) +
              " is outside its list; using " + std::to_string(replacement) + "\n";
    value = replacement;
}

int ListSize(TextList list) {
    return static_cast<int>(list.size());
}

// The settings file with the changes made by edit, written back; refused
// when the file is there but cannot be read.
template <typename Edit> bool UpdateSettingsFile(Edit edit, std::string* reason) {
    const std::string path = SettingsFilePath();
    IniFile ini;
    std::string why;
    if (!IniFile::Read(path, ini, &why)) {
        if (reason)
            *reason = "The settings file cannot be read, so it was left as it is (" + why + ").";
        return false;
    }
    edit(ini);
    if (!ini.Save(path, &why)) {
        if (reason)
            *reason = "The settings file cannot be written (" + why + ").";
        return false;
    }
    return true;
}

} // namespace

AppSettings DefaultSettings(const std::string& folder) {
    AppSettings settings{};
    SetText(settings.Name, "Kiv Video Converter");
    SetText(settings.Ver, "1.0.0");
    SetText(settings.Folder, folder);
    settings.Core = 1;
    settings.AFO = 1;
    // A new user's first batch must never power the computer off unasked.
    settings.AFC = 0;
    return settings;
}

std::string RepairSelection(ProfileSelection& s) {
    const ProfileSelection& d = kDefaultSelection;
    std::string report;
    Repair(s.Kind, d.Kind, kCategoryCount, "Kind", report);
    const ProfileCategory* category = GetCategory(s.Kind);
    Repair(s.Class, d.Class, category->ProfileCount, "Class", report);
    const ContainerCodecRow* codecs = FindContainerCodecs(category->Target);
    // A kind without video codecs (the sound alone) has nothing to index.
    if (!codecs || !codecs->videoCodecs.empty())
        Repair(s.VCodec, d.VCodec, codecs ? ListSize(codecs->videoCodecs) : 0, "VCodec", report);
    Repair(s.ACodec, d.ACodec, codecs ? ListSize(codecs->audioCodecs) : 0, "ACodec", report);
    // Each index against the entries its kind offers: the older kinds never
    // reach the entries appended for today's formats.
    int kind = category->Target;
    Repair(s.VFR, d.VFR, ListSize(FrameRateChoices(kind)), "VFR", report);
    Repair(s.VBR, d.VBR, ListSize(VideoRateChoices(kind)), "VBR", report);
    Repair(s.Size, d.Size, ListSize(FrameSizeChoices(kind)), "Size", report);
    Repair(s.Apsect, d.Apsect, ListSize(AspectRatios()), "Apsect", report);
    Repair(s.ACH, d.ACH, ListSize(ChannelChoices(kind)), "ACH", report);
    Repair(s.ABR, d.ABR, ListSize(AudioBitrates()), "ABR", report);
    Repair(s.ASR, d.ASR, ListSize(SampleRateChoices(kind)), "ASR", report);
    return report;
}

namespace {

void FillFrom(const IniFile& ini, const std::string& folder, AppSettings& settings,
              ProfileSelection& selection) {
    settings = AppSettings{};
    settings.Core = ini.GetInt(kOptions, "Core", 1);
    SetText(settings.Name, ini.GetString(kVideo, "Name", "Kiv Video Converter"));
    SetText(settings.Ver, ini.GetString(kVideo, "Ver", "1.0.0"));
    SetText(settings.Folder, ini.GetString(kOptions, "Folder", ""));
    if (settings.Folder[0] == '\0')
        SetText(settings.Folder, folder);
    settings.AFO = ini.GetInt(kOptions, "AFO", 1);
    settings.AFC = ini.GetInt(kOptions, "AFC", 0);

    selection = ProfileSelection{};
    for (const IndexRule& rule : kReadOrder)
        selection.*rule.field = ini.GetInt(kVideo, rule.key, kDefaultSelection.*rule.field);
}

} // namespace

void ReadSettingsFile(const std::string& iniPath, const std::string& folder, AppSettings& settings,
                      ProfileSelection& selection) {
    FillFrom(IniFile::Load(iniPath), folder, settings, selection);
}

void LoadSettings() {
    std::string folder = ProgramDirectoryPath();
    OpenLog(LogFilePath());
    // Read once: what is not a regular settings file is set aside and the
    // defaults are used.
    IniFile ini;
    std::string why;
    if (!IniFile::Read(SettingsFilePath(), ini, &why))
        WriteLog("Settings: " + why +
                 ": cannot be read; using the defaults, and the file will "
                 "not be written");
    AppSettings settings;
    ProfileSelection selection;
    FillFrom(ini, DefaultOutputFolder(), settings, selection);
    std::string report = RepairSelection(selection);
    if (!report.empty())
        WriteLog(report);
    std::lock_guard lock(settingsMutex);
    programDirectory = folder;
    currentSettings = settings;
    currentSelection = selection;
}

AppSettings CurrentSettings() {
    std::lock_guard lock(settingsMutex);
    return currentSettings;
}

ProfileSelection CurrentSelection() {
    std::lock_guard lock(settingsMutex);
    return currentSelection;
}

bool SaveSettings(AppSettings settings, std::string* reason) {
    {
        std::lock_guard lock(settingsMutex);
        currentSettings = settings;
    }
    return UpdateSettingsFile(
        [&settings](IniFile& ini) {
            ini.SetString(kOptions, "AFO", settings.AFO == 1 ? "1" : "0");
            ini.SetString(kOptions, "AFC", settings.AFC == 1 ? "1" : "0");
            ini.SetString(kOptions, "Folder", GetText(settings.Folder));
        },
        reason);
}

bool SaveSelection(ProfileSelection selection, std::string* reason) {
    {
        std::lock_guard lock(settingsMutex);
        currentSelection = selection;
    }
    return UpdateSettingsFile(
        [&selection](IniFile& ini) {
            for (const IndexRule& rule : kWriteOrder)
                ini.SetInt(kVideo, rule.key, selection.*rule.field);
        },
        reason);
}

std::string ProgramDirectory() {
    {
        std::lock_guard lock(settingsMutex);
        if (!programDirectory.empty())
            return programDirectory;
    }
    return ProgramDirectoryPath();
}

bool ProgramDirectory(char* buffer, std::size_t bufferSize) {
    std::string folder = ProgramDirectory();
    if (folder.empty() || !buffer || folder.size() + 1 > bufferSize)
        return false;
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return true;
}

} // namespace kiv
