// "&Split": the part of the first selected row to convert, chosen in the
// Split dialog and kept in the row, which shows it as its Start Time and End
// Time. "&Preview result" opens the same dialog converting a preview at once.

#include "CXListCtrl.h"
#include "Catalogue.h"
#include "FileListView.h"
#include "MainDlg.h"
#include "MessageBoxes.h"
#include "SplitDlg.h"

#include <exception>

namespace kiv {

void CKivVideoConverterDlg::OnSplit() {
    RunSplit(false);
}

void CKivVideoConverterDlg::OnPreview() {
    RunSplit(true);
}

void CKivVideoConverterDlg::RunSplit(bool previewAtOnce) {
    if (busy_ || adding_ || table_.RowCount() == 0)
        return;
    const int row = list_->FirstSelectedRow();
    if (row < 0) {
        ShowMessage(this, QStringLiteral("Info"),
                    QStringLiteral("There is not selected media file "), MessageIcon::Information);
        return;
    }
    try {
        const FileRow chosen = table_.Row(row);
        int start = 0, end = 0;
        // A preview converts as Start would: the working profile.
        const ProfileCategory* category = GetCategory(selection_.Kind);
        const PreviewSource preview{chosen.job, workingProfile_, category ? category->Target : 0};
        // The dialog gets the video's duration, also where the row shows the
        // sound's.
        if (!ChooseSplitRange(this, chosen.VideoSeconds(),
                              QString::fromStdString(chosen.SourcePath()), start, end, &preview,
                              previewAtOnce))
            return;
        table_.SetTrim(row, start, end);
        listView_->ShowTrim(row);
    } catch (const std::exception&) {
        ShowMessage(this, QStringLiteral("Info"),
                    QStringLiteral("We encount a problem,Please restar it"),
                    MessageIcon::Information);
    }
}

} // namespace kiv
