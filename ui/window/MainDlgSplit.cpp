// "&Split": the part of the first selected row to convert, chosen in the
// Split dialog and written into the row's Start Time and End Time.

#include "CXListCtrl.h"
#include "MainDlg.h"
#include "MessageBoxes.h"
#include "SplitDlg.h"
#include "Vocabularies.h"

#include <exception>

namespace kiv {

void CKivVideoConverterDlg::OnSplit() {
    if (busy_ || adding_ || list_->RowCount() == 0)
        return;
    const int row = list_->FirstSelectedRow();
    if (row < 0) {
        ShowMessage(this, QStringLiteral("Info"),
                    QStringLiteral("There is not selected media file "), MessageIcon::Information);
        return;
    }
    try {
        const ConversionJob& job = jobs_[static_cast<std::size_t>(row)];
        int start = 0, end = 0;
        // The dialog gets the video's duration, also where the row shows the
        // sound's; the job itself is changed only when the row is converted.
        if (!ChooseSplitRange(this, static_cast<int>(job.source.videoDuration),
                              QString::fromUtf8(job.sourcePath), start, end))
            return;
        list_->SetCellText(row, 3, QString::fromStdString(FormatDuration(start)));
        list_->SetCellText(row, 4, QString::fromStdString(FormatDuration(end)));
    } catch (const std::exception&) {
        ShowMessage(this, QStringLiteral("Info"),
                    QStringLiteral("We encount a problem,Please restar it"),
                    MessageIcon::Information);
    }
}

} // namespace kiv
