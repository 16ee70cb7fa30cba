// The double-click in the search window's song list: the chosen song goes to a new
// detail window.

#include "app/constant.h"
#include "app/detail_window.h"
#include "app/messages.h"
#include "ui/download/dl_form.h"
#include "ui/searchMusic/search_form.h"
#include "ui/searchMusic/search_texts.h"

#include <exception>
#include <optional>

namespace melvanto {

void TsearchForm::lv1DblClick() {
    const std::optional<int> row = lv1.SelectedRow();
    if (row) {
        try {
            CurrentSongId = lv1.Row(*row).front();
            // A failure of the detail window's creation handler is reported inside and
            // does not come back here; only a window that cannot be built does.
            HandOverDetailWindow(dlForm, m_hosts);
            return;
        } catch (const std::exception&) {
            // The user is told as for a missing selection, and may choose again.
        }
    }
    ShowPlainMessage(NoSelectionText());
}

} // namespace melvanto
