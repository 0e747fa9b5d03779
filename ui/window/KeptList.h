#pragma once
// The list kept while the program runs, so that an end that was not a
// normal Exit (a crash, kill -9, a logout, a power cut) loses nothing:
// "kept-list.json" in the state folder holds the rows, the format and
// profile chosen and the output folder (KeptListFormat.h). It is written a
// moment after every change of the rows' files, checks, trims, states and
// outputs (not of their progress), and at most once a second; Exit removes
// it. So a start that finds it follows an end that was not an Exit, and
// puts the list back.
//
//     KeptList kept(table, [this] { return Choice(); });
//     if (std::optional<KeptListContents> last = kept.TakeLast())
//         ...;                 // before the rows come: the choice, then the rows
//     kept.Watch();            // from now on every change is kept
//     kept.Changed();          // the choice changed
//     kept.Forget();           // Exit: the file goes, nothing more is kept
//
// GUI thread; the file is written on KeptListWriter's thread.

#include "KeptListFormat.h"
#include "KeptListWriter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace kiv {

class FileTable;

class KeptList : public QObject {
    Q_OBJECT
public:
    // The format and profile chosen and the output folder, as they are now.
    struct Choice {
        ProfileSelection selection{};
        QString outputFolder;
    };

    // A save comes this long after the change that calls for it, and no
    // sooner than kSpacing after the one before.
    static constexpr int kSettleMs = 200;
    static constexpr int kSpacingMs = 1000;

    // The kept list of the state folder; the table must outlive it.
    KeptList(const FileTable& table, std::function<Choice()> choice, QObject* parent = nullptr);
    // The same, kept at path.
    KeptList(const FileTable& table, std::function<Choice()> choice, const QString& path,
             QObject* parent = nullptr);
    // A change not saved yet is saved before it goes.
    ~KeptList() override;

    static QString DefaultPath();

    // What the last run left when it did not end with Exit. A file that is
    // damaged or of another kind is set aside beside it, with a line in the
    // log, and gives nothing.
    std::optional<KeptListContents> TakeLast();
    // Keeps every change of the table from now on.
    void Watch();
    // Something the table does not hold changed (the choice).
    void Changed();
    // Exit: the file goes, and nothing more is kept.
    void Forget();

    // The one line that tells the user what came back, for rows rows of
    // which interrupted were being converted.
    static QString RestoredText(int rows, int interrupted);

signals:
    // A save was handed to the writer.
    void saved();

private:
    void SaveNow();

    const FileTable& table_;
    std::function<Choice()> choice_;
    const QString path_;
    std::unique_ptr<KeptListWriter> writer_;
    QTimer timer_;
    QElapsedTimer sinceSave_;
    bool forgotten_ = false;
};

// A row that was being converted when the last run ended waits again, and
// what the encoder was writing for it is removed (once no run holds it), as
// are the private folders of runs that ended without cleaning up.
// Returns how many such rows there were.
int ReadyInterruptedRows(KeptListContents& contents);

} // namespace kiv
