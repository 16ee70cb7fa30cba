#pragma once
// The song detail window (unit download): one song at one quality, its addresses and its
// cover picture. A new one is made for every song handed over by the search window,
// through HandOverDetailWindow(dlForm, hosts), which sets `dlForm` before FormCreate runs.

#include "net/http/http_client.h"
#include "platform/gui/button.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/group_box.h"
#include "platform/gui/image_box.h"
#include "platform/gui/label.h"
#include "platform/gui/window.h"
#include "service/reply_reader.h"
#include "service/request_slot.h"
#include "service/service_hosts.h"

#include <string>

namespace melvanto {

class TdlForm : public gui::Window {
public:
    // Builds the window from its layout; runs no request. The song-link requests and the
    // lyric links use the music site host of `hosts`.
    explicit TdlForm(const ServiceHosts& hosts);

    // The creation handler, run by the hand-over once `dlForm` refers to this window:
    // asks for 320 kbit/s flac and runs getMusicInfo on `dlForm`.
    void FormCreate();

    // The quality buttons: 128 mp3, 192 mp3, 320 mp3, 320 flac into CurrentRate and
    // CurrentType, then getMusicInfo on `dlForm`.
    void btn3Click();
    void btn4Click();
    void btn5Click();
    void btn6Click();

    // The two "下载" buttons: hand the song (edt1) or lyric (edt2) address, as the box
    // holds it, to the browser; whether it starts is not looked at.
    void btn1Click();
    void btn2Click();

    // Asks the music service for the song link of CurrentSongId at CurrentRate and
    // CurrentType and writes the reply into the window. "下载失败!" (error code other than
    // "22000") and "未找下载链接!" (no song in the list) leave the window as it was; a
    // failure (request, unreadable reply, size or time not a whole number) stops it where
    // it happens, with what was written before staying written.
    void getMusicInfo();

    // Fetches the JPEG at the address with http1 and gives it to img1, which decodes and
    // draws it on its next repaint. A failed fetch or an unreadable header passes on to
    // the caller and leaves img1's picture in place; a zero-length body is taken (its
    // decoding then fails once, on the first drawing).
    void loadCoverPicture(const std::string& address);

    gui::Label slb1;
    gui::Label slb3;
    gui::Label slb2;
    gui::ImageBox img1;
    gui::GroupBox grp3;
    gui::Button btn3;
    gui::Button btn4;
    gui::Button btn5;
    gui::Button btn6;
    gui::GroupBox grp1;
    gui::EditBox edt1;
    gui::Button btn1;
    gui::GroupBox grp2;
    gui::EditBox edt2;
    gui::Button btn2;
    // Fetches the covers; keeps its connection and cookies from one fetch to the next.
    TNetHTTP http1;

private:
    // Steps of getMusicInfo for one element of songList; every element writes the same
    // widgets, so the last one stays shown.
    void showSong(const ReplyObject& song);

    ServiceHosts m_hosts;
};

// The newest detail window, empty until the first hand-over.
extern TdlForm* dlForm;

// Bit rate and file format the song-link request asks for ("320" and "flac" on each
// creation of a detail window, then set by its quality buttons). Empty at start.
extern std::string CurrentRate;
extern std::string CurrentType;

// The request slot of the song-link requests, one for all detail windows; it holds the
// last request until the next one or the end of the program.
extern TRequestSlot DownloadRequestSlot;

} // namespace melvanto
