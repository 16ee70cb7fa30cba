#include "ui/download/dl_form.h"

#include "app/constant.h"
#include "app/messages.h"
#include "base/memory_stream.h"
#include "platform/browser/browser.h"
#include "platform/codepage/codepage.h"
#include "platform/jpeg/jpeg_image.h"
#include "service/endpoint_urls.h"
#include "service/reply_members.h"
#include "service/service_get.h"
#include "ui/download/decimal_separator.h"
#include "ui/download/duration_text.h"
#include "ui/download/size_text.h"

#include <memory>

namespace melvanto {

TdlForm* dlForm = nullptr;
std::string CurrentRate;
std::string CurrentType;
TRequestSlot DownloadRequestSlot;

namespace {

gui::Font yaHei(int pixelHeight, gui::Colour colour = gui::SystemColour::WindowText,
                bool bold = false) {
    return gui::Font{u"微软雅黑", pixelHeight, bold, colour};
}

const gui::Font kYaHei13 = yaHei(13);
const gui::Font kYaHei13Black = yaHei(13, gui::kBlack);
const gui::Font kYaHei19Black = yaHei(19, gui::kBlack);

// The quality buttons and the creation handler choose the quality, then fetch again on
// the newest detail window.
void fetchAt(const char* rate, const char* type) {
    CurrentRate = rate;
    CurrentType = type;
    dlForm->getMusicInfo();
}

} // namespace

TdlForm::TdlForm(const ServiceHosts& hosts)
    : Window(WideToAnsi(u"下载"), {564, 448}, gui::Font{u"MS Sans Serif", 11}),
      slb1(*this, "slb1", {8, 16, 361, 33}, WideToAnsi(u"歌曲"), yaHei(21, gui::kRed, true)),
      slb3(*this, "slb3", {8, 64, 361, 28}, "   ", kYaHei19Black),
      slb2(*this, "slb2", {8, 117, 361, 28}, "   ", kYaHei19Black),
      img1(*this, "img1", {384, 8, 150, 150}),
      grp3(*this, "grp3", {8, 166, 529, 73}, WideToAnsi(u"歌曲音质"), kYaHei13),
      btn3(grp3, "btn3", {11, 32, 129, 25}, WideToAnsi(u"普通音质(128kpbs)"), kYaHei13),
      btn4(grp3, "btn4", {148, 32, 129, 25}, WideToAnsi(u"中等音质(192kpbs)"), kYaHei13),
      btn5(grp3, "btn5", {287, 32, 129, 25}, WideToAnsi(u"超高音质(320kpbs)"), kYaHei13),
      btn6(grp3, "btn6", {423, 32, 98, 25}, WideToAnsi(u"无损音质(flac)"), kYaHei13),
      grp1(*this, "grp1", {8, 242, 529, 73}, WideToAnsi(u"歌曲下载地址"), kYaHei13),
      edt1(grp1, "edt1", {8, 32, 417, 27}, kYaHei13Black, gui::EditMode::ReadOnly),
      btn1(grp1, "btn1", {449, 32, 49, 25}, WideToAnsi(u"下载"), kYaHei13),
      grp2(*this, "grp2", {8, 326, 529, 73}, WideToAnsi(u"歌词下载地址"), kYaHei13),
      edt2(grp2, "edt2", {8, 32, 417, 27}, kYaHei13Black, gui::EditMode::ReadOnly),
      btn2(grp2, "btn2", {448, 32, 49, 25}, WideToAnsi(u"下载"), kYaHei13), m_hosts(hosts) {
    SetTabOrder({&edt1, &btn1, &edt2, &btn2, &btn3, &btn4, &btn5, &btn6});
    btn1.OnClick([this] { btn1Click(); });
    btn2.OnClick([this] { btn2Click(); });
    btn3.OnClick([this] { btn3Click(); });
    btn4.OnClick([this] { btn4Click(); });
    btn5.OnClick([this] { btn5Click(); });
    btn6.OnClick([this] { btn6Click(); });
}

void TdlForm::FormCreate() {
    fetchAt("320", "flac");
}

void TdlForm::btn3Click() {
    fetchAt("128", "mp3");
}

void TdlForm::btn4Click() {
    fetchAt("192", "mp3");
}

void TdlForm::btn5Click() {
    fetchAt("320", "mp3");
}

void TdlForm::btn6Click() {
    fetchAt("320", "flac");
}

void TdlForm::btn1Click() {
    OpenInBrowser(edt1.Text());
}

void TdlForm::btn2Click() {
    OpenInBrowser(edt2.Text());
}

void TdlForm::getMusicInfo() {
    const ReplyObject reply = ReadReply(ServiceGet(
        DownloadRequestSlot, SongLinkUrl(m_hosts, CurrentSongId, CurrentRate, CurrentType)));
    if (reply.Text(SongLinkReply::kErrorCode) != SongLinkReply::kSuccess) {
        ShowPlainMessage(WideToAnsi(u"下载失败!"));
        return;
    }
    const ReplyArray songs = reply.Object(SongLinkReply::kData).Array(SongLinkReply::kSongList);
    if (songs.Count() == 0) {
        ShowPlainMessage(WideToAnsi(u"未找下载链接!"));
        return;
    }
    for (int32_t i = 0; i < songs.Count(); ++i)
        showSong(songs.Item(i));
}

void TdlForm::showSong(const ReplyObject& song) {
    auto text = [&song](std::u16string_view member) { return WideToAnsi(song.Text(member)); };

    slb1.SetText(text(SongLinkReply::kSongName));
    const std::string size = SizeText(text(SongLinkReply::kSize), UserDecimalSeparator());
    const std::string duration = DurationText(text(SongLinkReply::kTime));
    slb2.SetText(WideToAnsi(u" 时长:") + duration);
    const std::string artist = text(SongLinkReply::kArtistName);
    const std::string format = text(SongLinkReply::kFormat);
    const std::string rate = text(SongLinkReply::kRate);
    slb3.SetText(artist + "  " + size + "MB / " + format + " / " + rate + "kbps");

    const std::string songLink = text(SongLinkReply::kSongLink);
    edt1.SetText(songLink);
    const std::string lrcLink = text(SongLinkReply::kLrcLink);
    edt2.SetText(LyricBase(m_hosts) + lrcLink);
    btn1.SetEnabled(true);
    btn2.SetEnabled(true);
    if (songLink.empty()) {
        edt1.SetText(WideToAnsi(u"未找到歌曲下载链接,请尝试其他音质。"));
        btn1.SetEnabled(false);
    }
    if (lrcLink.empty()) {
        edt2.SetText(WideToAnsi(u"未找到歌词下载链接,请尝试其他音质。"));
        btn2.SetEnabled(false);
    }

    const std::string cover = text(SongLinkReply::kSongPicBig);
    if (!cover.empty()) loadCoverPicture(cover);
}

void TdlForm::loadCoverPicture(const std::string& address) {
    // Both belong to this step and go with it, whether it finishes or fails.
    TMemoryStream buffer;
    TJPEGImage picture;
    http1.FetchToStream(address, buffer);
    buffer.SetPosition(0);
    picture.LoadFromStream(buffer);
    img1.SetPicture(std::make_unique<TJPEGImage>(picture));
}

} // namespace melvanto
