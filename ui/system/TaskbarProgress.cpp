#include "TaskbarProgress.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {
// The desktop file the program is installed with.
constexpr const char* kApplication = "application://kiv-video-converter.desktop";
} // namespace

void TaskbarProgress::Show(double fraction) {
    fraction = std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0);
    int percent = static_cast<int>(fraction * 100);
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    Send(fraction, true);
}

void TaskbarProgress::Hide() {
    if (shownPercent_ < 0)
        return;
    shownPercent_ = -1;
    Send(0, false);
}

void TaskbarProgress::Send(double fraction, bool visible) {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return;
    QDBusMessage update = QDBusMessage::createSignal(
        QStringLiteral("/com/canonical/unity/launcherentry/kiv_video_converter"),
        QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    update << QString::fromLatin1(kApplication)
           << QVariantMap{{QStringLiteral("progress"), fraction},
                          {QStringLiteral("progress-visible"), visible}};
    session.send(update);
}

} // namespace kiv
