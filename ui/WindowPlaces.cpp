#include "WindowPlaces.h"

#include "IniFile.h"
#include "Log.h"
#include "Paths.h"

namespace kiv {

namespace {

constexpr const char* kSection = "Geometry";

std::string PlacesPath() {
    return JoinPath(StateDirectory(), "window.ini");
}

} // namespace

QByteArray SavedWindowGeometry(const char* window) {
    const IniFile places = IniFile::Load(PlacesPath());
    return QByteArray::fromBase64(
        QByteArray::fromStdString(places.GetString(kSection, window, "")));
}

void SaveWindowGeometry(const char* window, const QByteArray& geometry) {
    const std::string path = PlacesPath();
    IniFile places;
    std::string reason;
    if (IniFile::Read(path, places, &reason)) {
        places.SetString(kSection, window, geometry.toBase64().toStdString());
        if (places.Save(path, &reason))
            return;
    }
    WriteLog("Window places: not saved: " + reason);
}

} // namespace kiv
