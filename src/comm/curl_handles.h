#pragma once

#include <curl/curl.h>

#include <memory>
#include <mutex>

// What every libcurl user of the runtime shares: the library's one-time initialisation and
// owning handles for easy handles and header lists. Include only where libcurl is linked.

inline void InitialiseCurlOnce() {
  static std::once_flag s_once;
  std::call_once(s_once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlEasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlEasyHandle = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlHeaderList = std::unique_ptr<curl_slist, CurlListDeleter>;
