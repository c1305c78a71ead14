// The tick handler, queued requests, host commands and hot keys.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "browser/project_browser.h"
#include "browser/project_runtime_requests.h"
#include "objects/property_read.h"
#include "project/stretch_mode.h"
#include "support/trace.h"
#include "support/utf16_text.h"
#include "views/views.h"

void CNPProjectBrowser::OnTick(uint32_t code, std::unique_ptr<CNPTickRequest> request) {
  if (!IsOpen() || !m_session) return;
  CNPRootClientBrowser& root = *m_session->root;
  switch (code) {
    case TICK_CYCLE:
      root.Cycle();
      m_views->Tick(code);
      break;
    case TICK_REFRESH:
      m_session->tags.Dispatch();
      m_session->login.DeliverEvents();
      root.RefreshBinds(false);
      root.HeartBeat();
      m_views->Tick(code);
      UpdateHostTitle();
      m_images.Trim();  // between paints: no image handed out is in use
      break;
    case TICK_OPEN:
      if (request) OpenProject(request->path);
      return;
    case TICK_SHUTDOWN:
      Shutdown(request && request->fireShutdownEvent);
      return;
    case TICK_COMMON_EVENT: {
      if (!request) return;
      std::error_code error;
      std::filesystem::current_path(std::filesystem::path(Utf16ToUtf8(root.GetLocation().folder)), error);
      CNValue args[2];
      args[0].SetString(request->name);
      args[1].Assign(request->value);
      FireRootEvent(u"OnCommonEvent", args, 2);
      return;
    }
    case TICK_RUN_PROGRAM:
      if (request) m_host.RunProgram(request->operation, request->file, request->parameters, request->directory);
      return;
    case TICK_FAST:
    case TICK_SEVENTH:
      m_views->Tick(code);
      break;
    default:
      return;
  }
  NotifyTickListeners(code);
}

// With "TitleParent" set, the host window shows the project's and the active form's titles.
void CNPProjectBrowser::UpdateHostTitle() {
  if (!m_session || !m_session->root->SettingBool(u"TitleParent")) return;
  std::u16string title = m_requests->ComposeTitle();
  if (title == m_strHostTitle) return;
  m_strHostTitle = std::move(title);
  m_host.SetTitle(m_strHostTitle);
}

void CNPProjectBrowser::PostRequest(uint32_t code, std::unique_ptr<CNPTickRequest> request) {
  auto shared = std::make_shared<std::unique_ptr<CNPTickRequest>>(std::move(request));
  PostToSelf([code, shared](CNPProjectBrowser& self) { self.OnTick(code, std::move(*shared)); });
}

void CNPProjectBrowser::PostToSelf(std::function<void(CNPProjectBrowser&)> work) {
  m_loop.Post([self = std::weak_ptr<CNPProjectBrowser*>(m_self), work = std::move(work)] {
    if (const std::shared_ptr<CNPProjectBrowser*> alive = self.lock()) work(**alive);
  });
}

void CNPProjectBrowser::Shutdown(bool fireEvent) {
  if (fireEvent) {
    FireRootEvent(u"OnShutdown", nullptr, 0);
    if (!m_session || !m_session->root->SettingBool(u"AllowShutdown")) return;
  }
  CloseProject();
  m_host.CloseHostWindow();
}

bool CNPProjectBrowser::RunHostCommand(std::u16string_view command) {
  static constexpr std::pair<std::u16string_view, double> kZooms[] = {
      {u"zoom_25", 0.25},  {u"zoom_50", 0.5},  {u"zoom_75", 0.75},  {u"zoom_100", 1.0},  {u"zoom_125", 1.25},
      {u"zoom_150", 1.5}, {u"zoom_175", 1.75}, {u"zoom_200", 2.0}, {u"zoom_250", 2.5}, {u"zoom_300", 3.0}};
  CNPViewBrowser* view = m_views->FindView(m_views->GetActiveViewName());
  for (const auto& [name, factor] : kZooms)
    if (command == name) return view && view->SetZoom(factor);
  if (command == u"zoom_in") return view && view->ZoomIn();
  if (command == u"zoom_reset") {
    if (view) view->ResetZoom();
    return view != nullptr;
  }
  static constexpr std::pair<std::u16string_view, int32_t> kStretches[] = {
      {u"stretch_none", kStretchNone}, {u"stretch_full", kStretchFull}, {u"stretch_keeprate", kStretchKeepRate}};
  for (const auto& [name, mode] : kStretches) {
    if (command != name) continue;
    if (view) view->SetStretch(mode);
    return view != nullptr;
  }
  if (command == u"close") {
    auto request = std::make_unique<CNPTickRequest>();
    request->fireShutdownEvent = true;
    PostRequest(TICK_SHUTDOWN, std::move(request));
    return true;
  }
  if (command == u"logout") return m_session && m_session->login.Logout();
  if (command == u"login") return m_requests->OpenLoginDialog({});
  return false;
}

bool CNPProjectBrowser::RegisterHotKey(uint32_t keyCode) {
  if (keyCode > 0xFFFF) return false;
  if (!FindHotKey(keyCode))
    m_hotKeys.push_back(CNHotKey::Make(static_cast<uint16_t>(keyCode), static_cast<uint32_t>(getpid())));
  return true;
}

bool CNPProjectBrowser::UnregisterHotKey(uint32_t keyCode) {
  const CNHotKey* found = FindHotKey(keyCode);
  if (!found) return false;
  m_hotKeys.erase(m_hotKeys.begin() + (found - m_hotKeys.data()));
  return true;
}

const CNHotKey* CNPProjectBrowser::FindHotKey(uint32_t keyCode) const {
  for (const CNHotKey& key : m_hotKeys)
    if (key.keyCode == keyCode) return &key;
  return nullptr;
}
