// The keyword search of the search window ("搜索").

#include "app/messages.h"
#include "service/endpoint_urls.h"
#include "service/reply_members.h"
#include "service/reply_reader.h"
#include "service/service_get.h"
#include "ui/searchMusic/search_form.h"
#include "ui/searchMusic/search_texts.h"
#include "ui/searchMusic/song_rows.h"

namespace melvanto {

void TsearchForm::btn1Click() {
    using M = SuggestionReply;
    if (edt1.Text().empty()) {
        ShowPlainMessage(NoKeywordText());
        return;
    }
    lv1.Clear();
    slb2.SetText("");
    const ReplyArray songs =
        ReadReply(ServiceGet(m_requestSlot, SuggestionUrl(m_hosts, edt1.Text())))
            .Object(M::kData)
            .Array(M::kSong);
    if (songs.Count() == 0) {
        ShowPlainMessage(NotFoundText(edt1.Text()));
        return;
    }
    AddSongRows(lv1, songs, {M::kSongId, M::kSongName, M::kArtistName});
}

} // namespace melvanto
