#pragma once
// TNetHTTP: the HTTP component a song detail window owns to fetch its cover pictures.
//
//     TNetHTTP http1;
//     TMemoryStream picture;
//     http1.FetchToStream("http://host/dir/pic.jpg", picture);
//
// Waits are bounded: connecting fails after 15 s with "Connect timed out.", a read that
// sees no data for 30 s with "Read Timeout" (SetConnectTimeout and SetReadTimeout
// change them). A reply body may take 64 MiB (SetMaxBodySize).

#include "net/http/custom_http.h"

namespace melvanto {

class TNetHTTP : public TNetCustomHTTP {};

} // namespace melvanto
