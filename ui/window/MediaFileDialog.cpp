#include "MediaFileDialog.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace kiv {

const char* const kMediaFileFilter = QT_TRANSLATE_NOOP(
    "kiv::MediaFileDialog", "All files (*.*)|*.*|"
                            "AVI Files (*.avi)|*.avi|"
                            "Mpeg files (*.mpg, *.mpeg)|*.mpg;*.mpeg|"
                            "Windows Media files (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|"
                            "Quick Time Files (*.mov, *.qt)|*.mov; *.qt|"
                            "Real Media Files (*.rm, *.rmvb)|*.rm;*.rmvb|"
                            "Flash File(*.flv,*.swf)|*.flv;*.swf|"
                            "MP4(*.mp4,*.m4v)|*.mp4;*.m4v|"
                            "3GP(*.3gp,*.3gp2)|*.3gp;*.3gp2|");

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (!parts[i].isEmpty() && !patterns.isEmpty())
            filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                           QLatin1Char(')');
    }
    return filters;
}

QStringList ChooseMediaFiles(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(
        QtNameFilters(QCoreApplication::translate("kiv::MediaFileDialog", kMediaFileFilter)));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace kiv
