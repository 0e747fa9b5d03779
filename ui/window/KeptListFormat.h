#pragma once
// The kept list's file: the main window's rows with what they need to come
// back as they were (each row's source and what its probe learnt, check,
// trim range, state, percentage and output), the format and profile chosen
// and the output folder, as one JSON object:
//
//     {"kind": "kiv-video-converter kept list", "version": 1,
//      "selection": [4, 0, 5, 3, 12, 19, 0, 0, 1, 7, 4, 256],
//      "outputFolder": "/home/ann/Videos/",
//      "rows": [{"source": "/home/ann/a.mp4", "probe": {...}, "checked": true,
//                "trim": [0, 61], "state": "converted", "percent": 100,
//                "output": "/home/ann/Videos/a_libx264_libfaac.mp4"}]}
//
// Texts that are not UTF-8 (a file name in another encoding) are kept as
// {"bytes": "<base64>"}, so every name comes back byte for byte. A file of
// another kind, another version or with any part missing or out of range is
// refused whole, with why.

#include "FileTable.h"
#include "ProfileSelection.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kiv {

struct KeptListContents {
    std::vector<FileRow> rows; // durations as a new row of the job would have them
    ProfileSelection selection{};
    QString outputFolder;
};

QByteArray KeptListText(const KeptListContents& contents);

// False with why when the text is not a kept list this program wrote.
bool ReadKeptList(const QByteArray& text, KeptListContents& contents, QString& why);

} // namespace kiv
