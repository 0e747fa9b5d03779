// The file table's announcements, and the list following it: every change
// is announced once the table holds it and only when something changed,
// and a check box goes round from the list to the table and back.

#include "FileTable.h"
#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"
#include "FileListView.h"
#include "FixedText.h"

#include <QSignalSpy>
#include <QtTest>

using namespace kiv;

namespace {

ConversionJob Job(const char* path, double seconds) {
    ConversionJob job{};
    SetText(job.sourcePath, path);
    job.hasVideo = 1;
    job.source.videoDuration = seconds + 1; // the probe's added second
    job.source.audioDuration = seconds + 1;
    return job;
}

// Every announcement as one line, with what the table holds when it comes
// (a handler that reads the table must find it unlocked and changed).
// lines must outlive the table.
void Record(FileTable& table, QStringList& lines) {
    const auto row = [&table, &lines](const char* what, auto describe) {
        return [&table, &lines, what, describe](int index) {
            lines << QString("%1 %2 %3").arg(what).arg(index).arg(describe(table.Row(index)));
        };
    };
    QObject::connect(&table, &FileTable::rowAppended, row("appended", [](const FileRow& r) {
        return QString::fromStdString(r.SourcePath());
    }));
    QObject::connect(&table, &FileTable::rowRemoved, [&table, &lines](int index) {
        lines << QString("removed %1 of %2").arg(index).arg(table.RowCount() + 1);
    });
    QObject::connect(&table, &FileTable::cleared, [&lines] { lines << "cleared"; });
    QObject::connect(&table, &FileTable::checkChanged,
                     row("check", [](const FileRow& r) { return r.checked ? "on" : "off"; }));
    QObject::connect(&table, &FileTable::trimChanged, row("trim", [](const FileRow& r) {
        return QString("%1-%2").arg(r.trimStartSeconds).arg(r.trimEndSeconds);
    }));
    QObject::connect(&table, &FileTable::stateChanged, row("state", [](const FileRow& r) {
        return QString("%1 %2").arg(int(r.state)).arg(r.outputPath.c_str());
    }));
    QObject::connect(&table, &FileTable::progressChanged,
                     row("progress", [](const FileRow& r) { return r.percent; }));
}

} // namespace

class FileTableTest : public QObject {
    Q_OBJECT

private slots:
    void everyChangeIsAnnouncedOnceAndOnlyWhenItChangesSomething() {
        QStringList lines;
        FileTable table;
        Record(table, lines);
        const struct {
            std::function<void()> change;
            const char* announced; // "" for nothing
        } steps[] = {
            {[&] { table.Append(Job("/v/a.mp4", 12)); }, "appended 0 /v/a.mp4"},
            {[&] { table.Append(Job("/v/b.mp4", 30)); }, "appended 1 /v/b.mp4"},
            {[&] { table.SetChecked(0, false); }, "check 0 off"},
            {[&] { table.SetChecked(0, false); }, ""},
            {[&] { table.SetTrim(1, 5, 9); }, "trim 1 5-9"},
            {[&] { table.SetTrim(1, 5, 9); }, ""},
            {[&] { table.SetState(1, RowState::Converting); }, "state 1 1 "},
            {[&] { table.SetPercent(1, 40); }, "progress 1 40"},
            {[&] { table.SetPercent(1, 40); }, ""},
            {[&] { table.SetFigures(1, {}); }, "progress 1 40"},
            {[&] { table.SetOutputPath(1, "/o/b.mp4"); }, "state 1 1 /o/b.mp4"},
            {[&] { table.SetChecked(7, false); }, ""}, // no such row
            {[&] { table.Remove(0); }, "removed 0 of 2"},
            {[&] { table.Remove(3); }, ""},
            {[&] { table.SetTrim(0, 6, 9); }, "trim 0 6-9"}, // b moved up
            {[&] { table.Clear(); }, "cleared"},
            {[&] { table.Clear(); }, ""},
        };
        for (const auto& step : steps) {
            lines.clear();
            step.change();
            QCOMPARE(lines.join('|'), QString(step.announced));
        }
        // A full table takes no row and says nothing.
        for (int i = 0; i < FileTable::kMaxRows; ++i)
            QCOMPARE(table.Append(Job("/v/a.mp4", 12)), i);
        lines.clear();
        QCOMPARE(table.AppendRow(FileRow{}), -1);
        QVERIFY(lines.isEmpty());
    }

    void aCheckBoxGoesRoundFromTheListToTheTableAndBack() {
        FileTable table;
        CXListCtrl list;
        list.resize(480, 200);
        FileListView view(list, table);
        view.SetUpColumns();
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        for (const char* path : {"/v/a.mp4", "/v/b.mp4", "/v/c.mp4"})
            table.Append(Job(path, 65));
        QCOMPARE(list.RowCount(), 3);
        QCOMPARE(list.CellText(2, 1), QString(" /v/c.mp4"));
        QCOMPARE(list.CellText(2, 4), QString("00:01:05"));
        QCOMPARE(list.GetHeaderCheck(0), 2);

        // A click in the list unchecks the table's row; the table checks it
        // again and the list shows it.
        const QRect box = list.GetCellRect(1, 0);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, box.center());
        QVERIFY(!table.Row(1).checked);
        QCOMPARE(list.GetHeaderCheck(0), 1);
        table.SetChecked(1, true);
        QCOMPARE(list.GetCellCheck(1, 0), 1);
        QCOMPARE(list.GetHeaderCheck(0), 2);

        // The header's box unchecks every row of the table.
        CXHeaderCtrl* header = list.HeaderCtrl();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        for (int row = 0; row < 3; ++row)
            QVERIFY(!table.Row(row).checked);

        // Trims, states and removals show without anyone's help.
        table.SetTrim(2, 3, 20);
        QCOMPARE(list.CellText(2, 3), QString("00:00:03"));
        QCOMPARE(list.CellText(2, 4), QString("00:00:20"));
        table.SetOutputPath(2, "/o/c.mp4");
        table.SetState(2, RowState::Converted);
        QCOMPARE(list.CellText(2, 5), QString("Converted"));
        table.Remove(0);
        QCOMPARE(list.RowCount(), 2);
        QCOMPARE(list.CellText(1, 5), QString("Converted"));
        table.Clear();
        QCOMPARE(list.RowCount(), 0);
    }
};

QTEST_MAIN(FileTableTest)
#include "FileTableTest.moc"
