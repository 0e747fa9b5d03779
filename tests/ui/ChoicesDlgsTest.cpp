// What goes into the file, chosen in the window: the Tracks dialog of one
// file (a film with three languages and two kinds of subtitles) driven
// through its commands, the editor's tracks, quality and filters, and
// "Save as my profile…" writing a profile the next start reads.

#include "Catalogue.h"
#include "ChoicesDlg.h"
#include "EditorDlg.h"
#include "FileTable.h"
#include "FixedText.h"
#include "MessageBoxes.h"
#include "MyProfilesDlg.h"
#include "TestFiles.h"
#include "TrackFilm.h"
#include "TracksDlg.h"
#include "UserProfiles.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include <cstring>

namespace kiv::test {

namespace {

std::vector<int> List(const std::int32_t* numbers, int count) {
    return std::vector<int>(numbers, numbers + count);
}

// Every control a user acts on has a name for screen readers and is
// reached with Tab.
void CheckReachable(QWidget& dialog) {
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
        bool acts = qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
                    qobject_cast<QSlider*>(control) || control->objectName() == "tracks";
        if (!acts)
            continue;
        QVERIFY2(control->focusPolicy() & Qt::TabFocus, qPrintable(control->objectName()));
        QString name = control->accessibleName();
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            name += button->text();
        QVERIFY2(!name.isEmpty(), control->metaObject()->className());
    }
}

// Takes the messages the dialogs show instead of showing them.
class MessageCatcher {
public:
    MessageCatcher() {
        previous_ = SetMessageSink(
            [this](QWidget*, const ShownMessage& message) { texts_ << message.text; });
    }
    ~MessageCatcher() { SetMessageSink(previous_); }
    QString Last() const { return texts_.isEmpty() ? QString() : texts_.last(); }

private:
    QStringList texts_;
    MessageSink previous_;
};

} // namespace

class ChoicesDlgsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        home_ = ScratchFolder("choices-dialogs");
        qputenv("KIV_HOME", QByteArray::fromStdString(home_.string()));
    }

    void tracksDialogKeepsWhatItsCommandsChoose() {
        std::vector<StreamFacts> streams = ReadTracks(TrackFilm());
        QCOMPARE(streams.size(), std::size_t(6));
        QCOMPARE(TracksDlg::TrackText(streams[2]), QStringLiteral("#2  German  aac  1 channel"));
        QCOMPARE(TracksDlg::TrackText(streams[5]),
                 QStringLiteral("#5  German  hdmv_pgs_subtitle  pictures"));

        TracksDlg dialog(streams, TrackPicks{});
        CheckReachable(dialog);
        TrackPicks all = dialog.Picks(); // as the file is: every track kept
        QCOMPARE(List(all.audio, all.audioCount), (std::vector<int>{1, 2, 3}));
        QCOMPARE(List(all.subtitles, all.subtitleCount), (std::vector<int>{4, 5}));

        // German and French sound, French the default, the English text
        // burned in and no subtitle stream.
        dialog.SetKept(1, false);
        dialog.SetKept(4, false);
        dialog.SetKept(5, false);
        dialog.SetDefaultAudio(3);
        dialog.SetBurn(4);
        TrackPicks picks = dialog.Picks();
        QCOMPARE(picks.chosen, 1);
        QCOMPARE(List(picks.audio, picks.audioCount), (std::vector<int>{2, 3}));
        QCOMPARE(picks.subtitleCount, 0);
        QCOMPARE(picks.defaultAudio, 4);
        QCOMPARE(picks.defaultSubtitle, 0);
        QCOMPARE(picks.burn, 5);

        // Opened again with that choice, it shows it; the row keeps it.
        TracksDlg again(streams, picks);
        const TrackPicks shown = again.Picks();
        QCOMPARE(std::memcmp(&shown, &picks, sizeof picks), 0);
        FileTable table;
        ConversionJob job{};
        SetText(job.sourcePath, TrackFilm());
        table.Append(job);
        QVERIFY(table.SetTrackPicks(0, picks));
        QVERIFY(!table.SetTrackPicks(0, picks));
        QCOMPARE(table.Row(0).job.choices.picks.burn, 5);

        // "As the profile" gives the file back to the batch's rule.
        again.UseRule();
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(again.Picks().chosen, 0);
    }

    void editorChoicesGoIntoMyProfile() {
        MediaProfile h264{};
        QVERIFY(GetProfile(9, 0, h264));
        ProfileChoices start{};
        start.audioRule = static_cast<std::int32_t>(AudioRule::MyLanguages);
        SetText(start.audioLanguages, "deu");
        ChoicesDlg choices(KindNumber(TargetKind::ModernVideo), start, QStringLiteral("23"));
        CheckReachable(choices);
        QCOMPARE(choices.findChild<QLineEdit*>("audioLanguages")->text(), QStringLiteral("deu"));
        choices.findChild<QLineEdit*>("audioLanguages")->setText(QStringLiteral("de, English"));
        choices.findChild<QComboBox*>("subtitleRule")->setCurrentIndex(4);
        choices.findChild<QWidget*>("burnTrack")->setProperty("value", 2);
        choices.findChild<QComboBox*>("crop")->setCurrentIndex(1);
        choices.findChild<QComboBox*>("denoise")->setCurrentIndex(3);
        choices.findChild<QCheckBox*>("grayscale")->setChecked(true);
        choices.findChild<QComboBox*>("turn")->setCurrentIndex(3);
        QSlider* quality = choices.findChild<QSlider*>("quality");
        // Towards "Smaller file" from the keyboard: the slider runs from
        // the smaller file on the left to the better picture on the right.
        quality->setFocus();
        QTest::keyClick(quality, Qt::Key_Left);
        QCOMPARE(choices.Quality(), QStringLiteral("24"));
        quality->setValue(30);
        QCOMPARE(ChoicesDlg::QualityName(30), QStringLiteral("Smaller file"));
        ProfileChoices chosen = choices.Choices();
        QCOMPARE(QString(chosen.audioLanguages), QStringLiteral("deu,eng"));
        QCOMPARE(chosen.subtitleRule, static_cast<std::int32_t>(SubtitleRule::BurnTrack));
        QCOMPARE(chosen.burnTrack, 2);
        QCOMPARE(chosen.cropRule, static_cast<std::int32_t>(CropRule::Auto));
        QCOMPARE(chosen.denoise, static_cast<std::int32_t>(Denoise::Strong));
        QCOMPARE(chosen.grayscale, 1);
        QCOMPARE(chosen.turn, 270);
        // An older format sets a bit rate: no quality to slide.
        ChoicesDlg old(KindNumber(TargetKind::Avi), start, QString());
        QVERIFY(!old.findChild<QSlider*>("quality")->isEnabled());
        QCOMPARE(old.Quality(), QString());

        CEditorDlg editor;
        editor.SetTargetKind(KindNumber(TargetKind::ModernVideo));
        editor.SetProfile(h264);
        editor.SetCategory(9);
        editor.SetChoices(chosen);
        editor.show();
        CheckReachable(editor);
        QVERIFY(editor.SaveAsMyProfile(QStringLiteral("  Night films ")));
        QString reason;
        QVERIFY(!editor.SaveAsMyProfile(QString(), &reason));
        QCOMPARE(reason, QStringLiteral("a profile needs a name"));
        // Read afresh, as the next start reads it.
        std::vector<StoredProfile> mine = LoadUserProfiles(UserProfilesFolder());
        QCOMPARE(mine.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(mine[0].profile.name), QStringLiteral("Night films"));
        QCOMPARE(mine[0].profile.category, 9);
        QVERIFY(SameChoices(mine[0].profile.choices, chosen));
        QCOMPARE(QString(mine[0].profile.values.VideoCodec), QStringLiteral("h264"));

        // "My profiles": saved, renamed, exported and imported byte for
        // byte, deleted; what cannot be done is told and changes nothing.
        MessageCatcher messages;
        MyProfilesDlg manager(mine[0].profile);
        CheckReachable(manager);
        QVERIFY(manager.SaveAs(QStringLiteral("Day films")));
        QCOMPARE(manager.Names(), QStringList({"Day films", "Night films"}));
        QVERIFY(!manager.Rename(QStringLiteral("Day films"), QStringLiteral("night FILMS")));
        QCOMPARE(messages.Last(), QStringLiteral("Nothing was changed: a profile named \"night "
                                                 "FILMS\" is there already."));
        QVERIFY(manager.Rename(QStringLiteral("Day films"), QStringLiteral("Afternoon")));
        const QString exported = QString::fromStdString((home_ / "shared.kivprofile").string());
        QVERIFY(manager.Export(QStringLiteral("Afternoon"), exported));
        QVERIFY(manager.Delete(QStringLiteral("Afternoon")));
        QCOMPARE(manager.Names(), QStringList({"Night films"}));
        QVERIFY(manager.Import(exported));
        QCOMPARE(manager.Names(), QStringList({"Afternoon", "Night films"}));
        QCOMPARE(ReadFile(LoadUserProfiles(UserProfilesFolder())[0].path),
                 ReadFile(exported.toStdString()));
        WriteFile(home_ / "foreign.kivprofile", "[Settings]\n");
        QVERIFY(!manager.Import(QString::fromStdString((home_ / "foreign.kivprofile").string())));
        QVERIFY(messages.Last().contains("is not a profile file: it does not start with"));
        QCOMPARE(manager.Names(), QStringList({"Afternoon", "Night films"}));
    }

private:
    std::filesystem::path home_;
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::ChoicesDlgsTest)
#include "ChoicesDlgsTest.moc"
