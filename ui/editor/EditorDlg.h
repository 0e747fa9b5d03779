#pragma once
// The "Media Profile Editor" dialog: edits one MediaProfile with values from
// the fixed value lists and the codec lists of the selected target kind.
//
// Usage (modal, one edit):
//     CEditorDlg dlg(parent);
//     dlg.SetTargetKind(kind);
//     dlg.SetProfile(current);
//     if (dlg.exec() == QDialog::Accepted) {
//         MediaProfile edited = dlg.Profile();
//         bool keep = dlg.IsSaved();
//     }
// "Close" takes the control values and accepts; Enter accepts without taking
// them; Escape and the close box reject.

#include "MediaProfile.h"
#include "ProfileChoices.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace kiv {

class CEditorDlg : public QDialog {
    Q_OBJECT

public:
    explicit CEditorDlg(QWidget* parent = nullptr);

    void SetTargetKind(int targetKind) { targetKind_ = targetKind; }
    int TargetKind() const { return targetKind_; }
    void SetProfile(const MediaProfile& profile) { profile_ = profile; }
    // The edited profile; meaningful to the caller after an accepted end.
    const MediaProfile& Profile() const { return profile_; }
    const MediaProfile& OpenedProfile() const { return openedProfile_; }
    // True once "Save" has been pressed.
    bool IsSaved() const { return saved_ != 0; }
    // The variant that the controls currently stand for.
    int Variant() const { return variant_; }
    // The tracks rule and filters beside the profile ("Tracks and filters…").
    void SetChoices(const ProfileChoices& choices) { choices_ = choices; }
    const ProfileChoices& Choices() const { return choices_; }
    // The built-in format the profile belongs to, for "Save as my profile…".
    void SetCategory(int category) { category_ = category; }
    // Takes the control values and stores them with the choices as a
    // profile of the user's own; false with the reason when it cannot.
    bool SaveAsMyProfile(const QString& name, QString* reason = nullptr);

    void ShowProfile(const MediaProfile& p);
    void TakeControlValues();

    // Sets a label's text, condensing the face when the text is wider than
    // the label's place.
    static void SetFittedText(QLabel* label, const QString& text);
    // A control's accessible name from its label ("Bitrate (kb/s)").
    static void NameAfterLabel(QWidget* control, const QString& labelText);

public slots:
    void onSave();
    void onClose();
    void onReload();
    void OnVideoCodecChanged();
    void OnAudioCodecChanged();
    void onVolumeReleased();
    void onChoices();
    void onSaveMine();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    void Initialise();
    void SetProfileLabel(const MediaProfile& p);
    void SetAudioDetailsEnabled(bool enabled);
    // Today's kinds (EditorDlgKinds.cpp): labels with units, a quality in
    // place of the video bit rate, and the boxes a codec makes meaningless
    // (a copied stream's values, a lossless codec's bit rate) disabled.
    void ShowKindLabels();
    void UpdateModernStates();

    int targetKind_ = 0;
    MediaProfile profile_{};
    MediaProfile openedProfile_{};
    int variant_ = 0;
    int saved_ = 0;
    int category_ = 0;
    ProfileChoices choices_{};
    bool initialised_ = false;

    QLabel* profileLabel_ = nullptr;
    QComboBox* videoCodec_ = nullptr;
    QComboBox* frameRate_ = nullptr;
    QComboBox* videoBitrate_ = nullptr;
    QComboBox* frameSize_ = nullptr;
    QComboBox* aspect_ = nullptr;
    QComboBox* audioCodec_ = nullptr;
    QComboBox* channels_ = nullptr;
    QComboBox* audioBitrate_ = nullptr;
    QComboBox* sampleRate_ = nullptr;
    QLabel* frameRateLabel_ = nullptr;
    QLabel* videoBitrateLabel_ = nullptr;
    QLabel* frameSizeLabel_ = nullptr;
    QLabel* audioBitrateLabel_ = nullptr;
    QLabel* sampleRateLabel_ = nullptr;
    QLabel* volumeLabel_ = nullptr;
    QSlider* volume_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* reload_ = nullptr;
    QPushButton* choicesButton_ = nullptr;
    QPushButton* saveMine_ = nullptr;
};

} // namespace kiv
