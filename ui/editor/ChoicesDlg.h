#pragma once
// "Tracks, quality and filters", opened from the profile editor: the
// batch's rule for sound and subtitle tracks, the constant quality as a
// slider from "Smaller file" to "Better picture" (today's video formats),
// and the picture filters: crop black bars, denoise, deblock, black and
// white, a turn or a mirror by hand, deinterlacing.
//
//     ChoicesDlg dialog(targetKind, choices, quality, editor);
//     if (dialog.exec() == QDialog::Accepted) {
//         choices = dialog.Choices();
//         quality = dialog.Quality();
//     }

#include "ProfileChoices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace kiv {

class ChoicesDlg : public QDialog {
    Q_OBJECT
public:
    // quality: the profile's constant quality ("23"), empty for a kind that
    // encodes at a bit rate (the slider is then disabled).
    ChoicesDlg(int targetKind, const ProfileChoices& choices, const QString& quality,
               QWidget* parent = nullptr);

    // What the controls say; languages the dialog does not know are left out.
    ProfileChoices Choices() const;
    QString Quality() const;

    // The slider's named place for a quality ("Balanced").
    static QString QualityName(int quality);

private:
    void ShowQuality(int quality);

    QComboBox* audioRule_ = nullptr;
    QLineEdit* audioLanguages_ = nullptr;
    QComboBox* subtitleRule_ = nullptr;
    QLineEdit* subtitleLanguages_ = nullptr;
    QSpinBox* burnTrack_ = nullptr;
    QSlider* quality_ = nullptr;
    QLabel* qualityValue_ = nullptr;
    QComboBox* crop_ = nullptr;
    QComboBox* denoise_ = nullptr;
    QCheckBox* deblock_ = nullptr;
    QCheckBox* grayscale_ = nullptr;
    QComboBox* turn_ = nullptr;
    QComboBox* flip_ = nullptr;
    QComboBox* deinterlace_ = nullptr;
    CropBox box_{};
};

} // namespace kiv
