// The seven chart buttons of the search window and the chart list they run.

#include "app/messages.h"
#include "service/endpoint_urls.h"
#include "service/reply_members.h"
#include "service/reply_reader.h"
#include "service/service_get.h"
#include "ui/searchMusic/search_form.h"
#include "ui/searchMusic/search_texts.h"
#include "ui/searchMusic/song_rows.h"

namespace melvanto {

std::string CurrentBillType;

namespace {

void showChart(const char* billType) {
    CurrentBillType = billType;
    searchForm->phbMusicList();
}

} // namespace

void TsearchForm::btn2Click() {
    showChart("1");
}
void TsearchForm::btn3Click() {
    showChart("2");
}
void TsearchForm::btn4Click() {
    showChart("21");
}
void TsearchForm::btn5Click() {
    showChart("22");
}
void TsearchForm::btn6Click() {
    showChart("23");
}
void TsearchForm::btn7Click() {
    showChart("24");
}
void TsearchForm::btn8Click() {
    showChart("25");
}

void TsearchForm::phbMusicList() {
    using M = ChartReply;
    lv1.Clear();
    const ReplyObject reply =
        ReadReply(ServiceGet(m_requestSlot, ChartUrl(m_hosts, CurrentBillType)));
    // The date is shown before the songs are read: it stays when they cannot be.
    slb2.SetText(UpdateDateText(reply.Object(M::kBillboard).Text(M::kUpdateDate)));
    const ReplyArray songs = reply.Array(M::kSongList);
    if (songs.Count() == 0) {
        // The same text as the keyword search's: it quotes the keyword box, whatever it holds.
        ShowPlainMessage(NotFoundText(edt1.Text()));
        return;
    }
    AddSongRows(lv1, songs, {M::kSongId, M::kTitle, M::kArtistName});
}

} // namespace melvanto
