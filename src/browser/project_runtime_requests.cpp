#include "browser/project_runtime_requests.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "browser/project_browser.h"
#include "browser/windows_common_dialog.h"
#include "methods/method_args.h"
#include "objects/object_handles.h"
#include "objects/object_tree.h"
#include "objects/property_read.h"
#include "project/form_objects.h"
#include "project/stretch_mode.h"
#include "script/builtin_tables.h"
#include "script/object_handle.h"
#include "support/utf16_text.h"
#include "views/views.h"

using Args = CNPRuntimeRequests::Args;

namespace {

std::u16string TextAt(Args args, size_t i) { return i < args.size() ? ArgText(*args[i]) : std::u16string(); }

bool Given(Args args, size_t i) { return i < args.size() && !args[i]->IsEmpty() && !ArgText(*args[i]).empty(); }

CNObject* ObjectAt(Args args, size_t i) {
  if (i >= args.size() || !args[i]->IsObject(0)) return nullptr;
  return CNObjectHandles::Find(args[i]->GetHandle(0));
}

void SetText(CNValue& result, std::u16string_view text) { result.SetString(text); }

// The form an object belongs to (the object itself for a form); null when it is on none.
CNObject* FormOf(CNObject* object) {
  for (CNObject* at = object; at; at = at->GetParent())
    if (at->GetClassId() == u"Form") return at;
  return nullptr;
}

}  // namespace

// A handler bound to a function's entry; only Request below calls it, with this object.
template <bool (CNPRuntimeRequests::*Handler)(Args, CNValue&)>
bool CNPRuntimeRequests::Run(IKVRuntime& runtime, Args args, CNValue& result) {
  return (static_cast<CNPRuntimeRequests&>(runtime).*Handler)(args, result);
}

bool CNPRuntimeRequests::RegisterHandlers() {
  using R = CNPRuntimeRequests;
  struct Handler {
    std::u16string_view name;
    RuntimeHandler run;
  };
  static constexpr Handler kHandlers[] = {
      {u"OpenForm", &Run<&R::OpenForm>},
      {u"OpenViewForm", &Run<&R::OpenViewForm>},
      {u"OpenHiddenForm", &Run<&R::OpenHiddenForm>},
      {u"GetForm", &Run<&R::GetForm>},
      {u"OpenHomeForm", &Run<&R::OpenHomeForm>},
      {u"OpenPrevForm", &Run<&R::OpenPrevForm>},
      {u"OpenNextForm", &Run<&R::OpenNextForm>},
      {u"IsHavePrevForm", &Run<&R::IsHavePrevForm>},
      {u"IsHaveNextForm", &Run<&R::IsHaveNextForm>},
      {u"ClearFormHistory", &Run<&R::ClearFormHistory>},
      {u"GetCurrentForm", &Run<&R::GetCurrentForm>},
      {u"GetCurrentBasedForm", &Run<&R::GetCurrentBasedForm>},
      {u"GetPrevForm", &Run<&R::GetPrevForm>},
      {u"GetPrevFormCount", &Run<&R::GetPrevFormCount>},
      {u"GetNextForm", &Run<&R::GetNextForm>},
      {u"GetNextFormCount", &Run<&R::GetNextFormCount>},
      {u"OpenFile", &Run<&R::OpenFile>},
      {u"OpenBrowser", &Run<&R::OpenBrowser>},
      {u"CloseBrowser", &Run<&R::CloseBrowser>},
      {u"RegisterHotKey", &Run<&R::RegisterHotKey>},
      {u"UnregisterHotKey", &Run<&R::UnregisterHotKey>},
      {u"OpenLoginDialog", &Run<&R::OpenLoginDialogRequest>},
      {u"CloseLoginDialog", &Run<&R::CloseLoginDialog>},
      {u"OpenLoginForm", &Run<&R::OpenLoginForm>},
      {u"RefreshScreen", &Run<&R::RefreshScreen>},
      {u"FirePanelEvent", &Run<&R::FirePanelEvent>},
      {u"UpdateTitle", &Run<&R::UpdateTitle>},
      {u"SetBrowserState", &Run<&R::SetBrowserState>},
      {u"GetBrowserState", &Run<&R::GetBrowserState>},
      {u"SetZoomInRatio", &Run<&R::SetZoomInRatio>},
      {u"GetZoomInRatio", &Run<&R::GetZoomInRatio>},
      {u"ZoomIn", &Run<&R::ZoomIn>},
      {u"ResetZoom", &Run<&R::ResetZoom>},
      {u"ViewResetZoom", &Run<&R::ViewResetZoom>},
      {u"SetZoom", &Run<&R::SetZoom>},
      {u"ViewSetZoom", &Run<&R::ViewSetZoom>},
      {u"GetZoom", &Run<&R::GetZoom>},
      {u"SetStretch", &Run<&R::SetStretch>},
      {u"ViewSetStretch", &Run<&R::ViewSetStretch>},
      {u"GetActiveViewName", &Run<&R::GetActiveViewName>},
      {u"GetActiveDialogName", &Run<&R::GetActiveDialogName>},
      {u"CloseDialog", &Run<&R::CloseDialog>},
      {u"CloseAllDialog", &Run<&R::CloseAllDialog>},
      {u"SetModalDialog", &Run<&R::SetModalDialog>},
      {u"ShowDialog", &Run<&R::ShowDialog>},
      {u"SetDialogState", &Run<&R::SetDialogState>},
      {u"OpenCommonDialog", &Run<&R::OpenCommonDialog>},
      {u"OpenModalCommonDialog", &Run<&R::OpenModalCommonDialog>},
      {u"CloseCommonDialog", &Run<&R::CloseCommonDialog>},
      {u"OpenWindowsDialog", &Run<&R::OpenWindowsDialog>},
      {u"OpenWindowsCommonDialog", &Run<&R::OpenWindowsDialog>},
      {u"CallMethod", &Run<&R::CallMethod>},
      {u"SetFocus", &Run<&R::SetFocus>},
      {u"LostFocus", &Run<&R::LostFocus>},
  };
  static const bool s_bound = [] {
    bool all = true;
    for (const Handler& handler : kHandlers)
      all = CKVBuiltIns::BindRuntimeHandler(handler.name, handler.run) && all;
    return all;
  }();
  return s_bound;
}

// The argument count was checked against the function's entry before the call came here; the
// handlers rely on it.
bool CNPRuntimeRequests::Request(std::u16string_view function, Args args, CNValue& result) {
  RuntimeHandler handler = nullptr;
  const MethodEntry* entry = CKVBuiltIns::FindRuntimeEntry(function, handler);
  return entry && handler && entry->Accepts(args.size()) && handler(*this, args, result);
}

bool CNPRuntimeRequests::GetProjectFolder(std::u16string& folder) {
  const CNProjectLocation* location = m_browser.GetLocation();
  if (!location) return false;
  folder = location->folder;
  return true;
}

bool CNPRuntimeRequests::GetProjectFileName(std::u16string& name) {
  if (!m_browser.GetLocation()) return false;
  name = m_browser.GetProjectPath();
  return true;
}

CNPViewBrowser* CNPRuntimeRequests::View(Args args, size_t i) const {
  CNPViews& views = m_browser.GetViews();
  return views.FindView(Given(args, i) ? TextAt(args, i) : views.GetActiveViewName());
}

bool CNPRuntimeRequests::CallFormMethod(CNObject& form, std::u16string_view method, Args args, CNValue* result) {
  CNScriptImpl* engine = m_browser.GetScriptEngine();
  CNScript* script = engine ? static_cast<CNScript*>(engine) : form.GetOwner() ? form.GetOwner()->GetScript() : nullptr;
  if (!script || !script->HasFunction(&form, method)) return false;
  std::vector<CNValue> values(args.size());
  for (size_t i = 0; i < args.size(); ++i) values[i].Assign(*args[i]);
  return script->RunFunction(&form, method, values.data(), static_cast<uint32_t>(values.size()), result);
}

// ---- dialogs

bool CNPRuntimeRequests::OpenSystemDialog(std::u16string_view form, std::u16string_view method, bool modal,
                                          Args args) {
  CKVDialogParams params;
  params.viewName = form;
  params.baseFormName = form;
  params.modal = modal;
  params.alreadyOpened = u"show";
  CNPObject* opened = m_browser.GetViews().OpenDialog(params, true);
  if (!opened) return false;
  if (!method.empty()) CallFormMethod(*opened, method, args, nullptr);
  return true;
}

bool CNPRuntimeRequests::Dialog(const CKVDialogRequest& request, CNValue& result) {
  CNPViews& views = m_browser.GetViews();
  switch (request.action) {
    case CKVDialogRequest::kOpen:
      // The message box form takes its message through "SetInfo" as well.
      result.SetBool(OpenSystemDialog(request.form, request.method.empty() ? u"SetInfo" : request.method,
                                      request.modal, request.args));
      return true;
    case CKVDialogRequest::kClose:
      result.SetBool(views.CloseDialog(request.form));
      return true;
    case CKVDialogRequest::kCall: {
      CNPBasisDialog* dialog = views.FindDialog(request.form);
      CNPObject* form = dialog ? dialog->GetView().GetForm() : nullptr;
      result.SetBool(form && CallFormMethod(*form, request.method, request.args, nullptr));
      return true;
    }
  }
  return false;
}

bool CNPRuntimeRequests::OpenDialog(const CKVDialogParams& params, CNValue& result) {
  result.SetBool(m_browser.GetViews().OpenDialog(params) != nullptr);
  return true;
}

bool CNPRuntimeRequests::OpenLoginDialog(Args args) {
  // The login form's SetInfo takes (node, port, user, password): what the caller leaves out is
  // the project's own login parameters, as at a MANUAL start.
  CNValue defaults[4];
  if (const CNPRootClientBrowser* root = m_browser.GetRootClient()) {
    defaults[0].SetString(root->SettingText(u"PSNode"));
    defaults[1].SetNumber(root->SettingInt(u"PSPanelPort"));
    defaults[2].SetString(root->SettingText(u"PSLoginUser"));
    defaults[3].SetString(root->SettingText(u"PSLoginPwd"));
  }
  const CNValue* full[4];
  for (size_t i = 0; i < 4; ++i) full[i] = i < args.size() ? args[i] : &defaults[i];
  return OpenSystemDialog(u"RCLogin", u"SetInfo", true, args.size() >= 4 ? args : Args(full));
}

// ---- forms and history

namespace {

// (form[, view[, stretch[, open param[, instance name]]]]) with form and view at these places.
CNPObject* OpenFormFrom(CNPProjectBrowser& browser, Args args, size_t formAt, size_t viewAt) {
  const std::u16string form = TextAt(args, formAt);
  const std::u16string instance = Given(args, 4) ? TextAt(args, 4) : form;
  const int32_t stretch = Given(args, 2) ? StretchModeFromValue(*args[2]) : kStretchDefault;
  const CNValue empty;
  const CNValue& param = args.size() > 3 ? *args[3] : empty;
  CNPViews& views = browser.GetViews();
  const std::u16string view = Given(args, viewAt) ? TextAt(args, viewAt) : views.GetActiveViewName();
  return views.OpenForm(view, form, instance, stretch, param);
}

}  // namespace

bool CNPRuntimeRequests::OpenForm(Args args, CNValue& result) {
  result.SetBool(OpenFormFrom(m_browser, args, 0, 1) != nullptr);
  return true;
}

bool CNPRuntimeRequests::OpenViewForm(Args args, CNValue& result) {
  result.SetBool(OpenFormFrom(m_browser, args, 1, 0) != nullptr);
  return true;
}

bool CNPRuntimeRequests::OpenHiddenForm(Args args, CNValue& result) {
  const std::u16string form = TextAt(args, 0);
  const CNValue empty;
  result.SetBool(m_browser.GetViews().OpenHiddenForm(form, Given(args, 1) ? TextAt(args, 1) : form,
                                                     args.size() > 2 ? *args[2] : empty) != nullptr);
  return true;
}

bool CNPRuntimeRequests::GetForm(Args args, CNValue& result) {
  const std::u16string name = TextAt(args, 0);
  CNPViews& views = m_browser.GetViews();
  CNPObject* form = nullptr;
  if (Given(args, 1)) {
    CNPViewBrowser* view = views.FindView(TextAt(args, 1));
    if (view && view->GetFormName() == name) form = view->GetForm();
  } else if (CNPHiddenViewBrowser* hidden = views.GetHiddenViews().Find(name)) {
    form = hidden->GetForm();
  } else if (CNPRootClientBrowser* root = m_browser.GetRootClient()) {
    for (const CRPtr<CNPObject>& object : CollectScreenObjects(*root))
      if (object->GetClassId() == u"Form" && object->GetName() == name && views.FindViewOfForm(*object)) {
        form = object.Get();
        break;
      }
  }
  if (!form) return false;
  result.SetObject(form->GetHandle());
  return true;
}

bool CNPRuntimeRequests::OpenHomeForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  result.SetBool(view && view->OpenHomeForm());
  return true;
}

bool CNPRuntimeRequests::OpenPrevForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  result.SetBool(view && view->OpenPrevForm());
  return true;
}

bool CNPRuntimeRequests::OpenNextForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  result.SetBool(view && view->OpenNextForm());
  return true;
}

bool CNPRuntimeRequests::IsHavePrevForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  result.SetBool(view && view->GetHistory().HasPrevious());
  return true;
}

bool CNPRuntimeRequests::IsHaveNextForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  result.SetBool(view && view->GetHistory().HasNext());
  return true;
}

bool CNPRuntimeRequests::ClearFormHistory(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (view) view->ClearFormHistory();
  result.SetBool(view != nullptr);
  return true;
}

bool CNPRuntimeRequests::GetCurrentForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  SetText(result, view->GetFormName());
  return true;
}

bool CNPRuntimeRequests::GetCurrentBasedForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  SetText(result, view->GetBasedFormName());
  return true;
}

namespace {

// Steps counted from 1 (the nearest); an entry's form name, or "" when there is none.
size_t Steps(Args args) { return args.size() > 1 ? std::max<int32_t>(ArgInt32(*args[1]), 1) : 1; }

}  // namespace

bool CNPRuntimeRequests::GetPrevForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  const CNPFormHistoryEntry* entry = view->GetHistory().GetPrevious(Steps(args) - 1);
  SetText(result, entry ? entry->formName : u"");
  return true;
}

bool CNPRuntimeRequests::GetPrevFormCount(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  result.SetNumber(static_cast<double>(view->GetHistory().GetPreviousCount()));
  return true;
}

bool CNPRuntimeRequests::GetNextForm(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  const CNPFormHistoryEntry* entry = view->GetHistory().GetNext(Steps(args) - 1);
  SetText(result, entry ? entry->formName : u"");
  return true;
}

bool CNPRuntimeRequests::GetNextFormCount(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  result.SetNumber(static_cast<double>(view->GetHistory().GetNextCount()));
  return true;
}

// ---- projects and programs

// Another project replaces this one on the next tick, after the running script has ended.
bool CNPRuntimeRequests::OpenFile(Args args, CNValue& result) {
  auto request = std::make_unique<CNPTickRequest>();
  request->path = TextAt(args, 0);
  if (request->path.empty()) return false;
  m_browser.PostRequest(TICK_OPEN, std::move(request));
  result.SetBool(true);
  return true;
}

// A new host program with the project: `VeltrixBrowser6 "path"` (and the arguments).
bool CNPRuntimeRequests::OpenBrowser(Args args, CNValue& result) {
  CNPBrowserHost& host = m_browser.GetHost();
  std::u16string parameters = u"\"" + (Given(args, 0) ? TextAt(args, 0) : m_browser.GetProjectPath()) + u"\"";
  if (Given(args, 1)) parameters += u" " + TextAt(args, 1);
  result.SetBool(host.RunProgram(u"", host.GetProgramFolder() + u"/VeltrixBrowser6", parameters, u""));
  return true;
}

bool CNPRuntimeRequests::CloseBrowser(Args, CNValue& result) {
  m_browser.PostRequest(TICK_SHUTDOWN, std::make_unique<CNPTickRequest>());
  result.SetBool(true);
  return true;
}

bool CNPRuntimeRequests::RegisterHotKey(Args args, CNValue& result) {
  result.SetBool(m_browser.RegisterHotKey(ArgCount(*args[0])));
  return true;
}

bool CNPRuntimeRequests::UnregisterHotKey(Args args, CNValue& result) {
  result.SetBool(m_browser.UnregisterHotKey(ArgCount(*args[0])));
  return true;
}

// ---- login

bool CNPRuntimeRequests::OpenLoginDialogRequest(Args args, CNValue& result) {
  result.SetBool(OpenLoginDialog(args));
  return true;
}

bool CNPRuntimeRequests::CloseLoginDialog(Args, CNValue& result) {
  result.SetBool(m_browser.GetViews().CloseDialog(u"RCLogin"));
  return true;
}

// (project[, user[, password[, node[, port]]]]): logs in and opens the project, through a login
// file; what is left out comes from the open project's settings.
bool CNPRuntimeRequests::OpenLoginForm(Args args, CNValue& result) {
  const CNPRootClientBrowser* root = m_browser.GetRootClient();
  const auto setting = [&](size_t i, CNTextSetting name) {
    return Given(args, i) ? TextAt(args, i) : root ? root->SettingText(name) : std::u16string();
  };
  const uint32_t port = Given(args, 4) ? ArgCount(*args[4])
                        : root         ? static_cast<uint32_t>(root->SettingInt(u"PSPanelPort"))
                                       : 6001;
  result.SetBool(m_browser.RequestLogin(setting(3, u"PSNode"), port, TextAt(args, 0), setting(1, u"PSLoginUser"),
                                        setting(2, u"PSLoginPwd")));
  return true;
}

// ---- the container and the window

bool CNPRuntimeRequests::RefreshScreen(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (view) view->Refresh(1);
  result.SetBool(view != nullptr);
  return true;
}

// (name[, value 1[, value 2]]): to the container.
bool CNPRuntimeRequests::FirePanelEvent(Args args, CNValue& result) {
  const CNValue empty;
  m_browser.GetHost().FirePanelEvent(TextAt(args, 0), args.size() > 1 ? *args[1] : empty,
                                     args.size() > 2 ? *args[2] : empty);
  result.SetBool(true);
  return true;
}

std::u16string CNPRuntimeRequests::ComposeTitle() const {
  const CNPRootClientBrowser* root = m_browser.GetRootClient();
  if (!root) return {};
  std::u16string project = root->SettingText(u"Title");
  if (project == u"[COMPANY_PRODUCT]") project = u"Tarnvale Panel Browser control";
  std::u16string form;
  CNPViews& views = m_browser.GetViews();
  if (CNPViewBrowser* view = views.FindView(views.GetActiveViewName()); view && view->GetForm())
    form = PropertyText(*view->GetForm(), u"Title");
  const auto join = [](const std::u16string& first, const std::u16string& second) {
    if (first.empty()) return second;
    if (second.empty()) return first;
    return first + u" - " + second;
  };
  const std::u16string type = root->SettingText(u"TitleType");
  if (type == u"ROOT") return project;
  if (type == u"FORM") return form;
  if (type == u"ROOT_FORM") return join(project, form);
  return join(form, project);
}

// ([title]): the host window's title, the given one or the project's and form's.
bool CNPRuntimeRequests::UpdateTitle(Args args, CNValue& result) {
  const CNPRootClientBrowser* root = m_browser.GetRootClient();
  if (!root || !root->SettingBool(u"TitleParent")) {
    result.SetBool(false);
    return true;
  }
  m_browser.GetHost().SetTitle(Given(args, 0) ? TextAt(args, 0) : ComposeTitle());
  result.SetBool(true);
  return true;
}

bool CNPRuntimeRequests::SetBrowserState(Args args, CNValue& result) {
  static constexpr std::array<std::u16string_view, 5> kStates = {u"normal", u"min", u"max", u"hide", u"show"};
  const std::u16string state = TextAt(args, 0);
  for (std::u16string_view known : kStates)
    if (EqualsIgnoreCaseAscii(state, known)) {
      m_strBrowserState = known == u"show" ? u"normal" : std::u16string(known);
      result.SetBool(true);
      return true;
    }
  result.SetBool(false);
  return true;
}

bool CNPRuntimeRequests::GetBrowserState(Args, CNValue& result) {
  SetText(result, m_strBrowserState);
  return true;
}

// ---- zoom and stretch

bool CNPRuntimeRequests::SetZoomInRatio(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 1);
  result.SetBool(view && view->SetZoomInRatio(args[0]->GetNumber(0)));
  return true;
}

bool CNPRuntimeRequests::GetZoomInRatio(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  result.SetNumber(view->GetZoomInRatio());
  return true;
}

bool CNPRuntimeRequests::ZoomIn(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  result.SetBool(view && view->ZoomIn());
  return true;
}

bool CNPRuntimeRequests::ResetZoom(Args, CNValue& result) {
  CNPViewBrowser* view = View({}, 0);
  if (view) view->ResetZoom();
  result.SetBool(view != nullptr);
  return true;
}

bool CNPRuntimeRequests::ViewResetZoom(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (view) view->ResetZoom();
  result.SetBool(view != nullptr);
  return true;
}

bool CNPRuntimeRequests::SetZoom(Args args, CNValue& result) {
  CNPViewBrowser* view = View({}, 0);
  result.SetBool(view && view->SetZoom(args[0]->GetNumber(0)));
  return true;
}

bool CNPRuntimeRequests::ViewSetZoom(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  result.SetBool(view && view->SetZoom(args[1]->GetNumber(0)));
  return true;
}

bool CNPRuntimeRequests::GetZoom(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (!view) return false;
  result.SetNumber(view->GetZoom());
  return true;
}

bool CNPRuntimeRequests::SetStretch(Args args, CNValue& result) {
  CNPViewBrowser* view = View({}, 0);
  if (view) view->SetStretch(StretchModeFromValue(*args[0]));
  result.SetBool(view != nullptr);
  return true;
}

bool CNPRuntimeRequests::ViewSetStretch(Args args, CNValue& result) {
  CNPViewBrowser* view = View(args, 0);
  if (view) view->SetStretch(StretchModeFromValue(*args[1]));
  result.SetBool(view != nullptr);
  return true;
}

bool CNPRuntimeRequests::GetActiveViewName(Args, CNValue& result) {
  SetText(result, m_browser.GetViews().GetActiveViewName());
  return true;
}

bool CNPRuntimeRequests::GetActiveDialogName(Args, CNValue& result) {
  SetText(result, m_browser.GetViews().GetActiveDialogName());
  return true;
}

// ---- dialogs by name

bool CNPRuntimeRequests::CloseDialog(Args args, CNValue& result) {
  result.SetBool(m_browser.GetViews().CloseDialog(TextAt(args, 0)));
  return true;
}

bool CNPRuntimeRequests::CloseAllDialog(Args, CNValue& result) {
  result.SetBool(m_browser.GetViews().CloseAllDialogs());
  return true;
}

bool CNPRuntimeRequests::SetModalDialog(Args args, CNValue& result) {
  const bool modal = args.size() < 2 || args[1]->GetBool(0);
  result.SetBool(m_browser.GetViews().SetModalDialog(TextAt(args, 0), modal));
  return true;
}

bool CNPRuntimeRequests::ShowDialog(Args args, CNValue& result) {
  result.SetBool(m_browser.GetViews().ShowDialog(TextAt(args, 0), args[1]->GetBool(0)));
  return true;
}

// (dialog, state...): "CLOSE" closes it, "hide" and "show" hide and show it; the window states
// ("NORMAL", "MINIMUM", "MAXIMUM", "MIN", "MAX", "max", "min", "normal") are the window's own.
bool CNPRuntimeRequests::SetDialogState(Args args, CNValue& result) {
  CNPViews& views = m_browser.GetViews();
  const std::u16string name = TextAt(args, 0);
  if (!views.FindDialog(name)) {
    result.SetBool(false);
    return true;
  }
  bool ok = true;
  for (size_t i = 1; i < args.size() && ok; ++i) {
    const std::u16string state = ArgText(*args[i]);
    if (EqualsIgnoreCaseAscii(state, u"CLOSE")) ok = views.CloseDialog(name);
    else if (state == u"hide") ok = views.ShowDialog(name, false);
    else if (state == u"show") ok = views.ShowDialog(name, true);
  }
  result.SetBool(ok);
  return true;
}

namespace {

// The system dialog forms, which the common dialog functions name with or without "RC".
constexpr std::u16string_view kSystemDialogs[] = {u"RCMsg",      u"RCYesNoMsg", u"RCYesNoCancelMsg", u"RCPassword",
                                                  u"RCNumKey",   u"RCTextKey",  u"RCCalendar",       u"RCFormMap",
                                                  u"RCColor",    u"RCSearch",   u"RCLogin"};

std::u16string_view SystemDialogForm(std::u16string_view kind) {
  for (std::u16string_view form : kSystemDialogs)
    if (EqualsIgnoreCaseAscii(kind, form) || EqualsIgnoreCaseAscii(kind, form.substr(2))) return form;
  return {};
}

}  // namespace

bool CNPRuntimeRequests::OpenCommon(Args args, bool modal, CNValue& result) {
  const std::u16string_view form = SystemDialogForm(TextAt(args, 0));
  if (form.empty()) return false;
  const std::u16string_view method = form == u"RCFormMap" ? u"SetFormMap" : u"SetInfo";
  result.SetBool(OpenSystemDialog(form, method, modal, args.subspan(1)));
  return true;
}

bool CNPRuntimeRequests::OpenCommonDialog(Args args, CNValue& result) { return OpenCommon(args, false, result); }

bool CNPRuntimeRequests::OpenModalCommonDialog(Args args, CNValue& result) { return OpenCommon(args, true, result); }

bool CNPRuntimeRequests::CloseCommonDialog(Args args, CNValue& result) {
  CNPViews& views = m_browser.GetViews();
  bool closed = false;
  if (Given(args, 0)) {
    const std::u16string_view form = SystemDialogForm(TextAt(args, 0));
    closed = !form.empty() && views.CloseDialog(form);
  } else {
    for (std::u16string_view form : kSystemDialogs)
      if (views.FindDialog(form)) closed = views.CloseDialog(form) || closed;
  }
  result.SetBool(closed);
  return true;
}

bool CNPRuntimeRequests::OpenWindowsDialog(Args args, CNValue& result) {
  CNPWindowsCommonDialog::Kind kind;
  if (!CNPWindowsCommonDialog::KindFromText(TextAt(args, 0), kind)) return false;
  std::u16string choice;
  if (!CNPWindowsCommonDialog(m_browser.GetHost()).Open(kind, TextAt(args, 1), TextAt(args, 2), choice)) return false;
  result.SetString(choice);
  return true;
}

// (name, arguments...): "function" of the root's script or "path.function" of the object the
// path of names leads to from the project's root.
bool CNPRuntimeRequests::CallMethod(Args args, CNValue& result) {
  CNPRootClientBrowser* root = m_browser.GetRootClient();
  if (!root || args.empty()) return false;
  const std::u16string name = TextAt(args, 0);
  CNObject* owner = root;
  std::u16string_view function = name;
  if (const size_t dot = name.rfind(u'.'); dot != std::u16string::npos) {
    owner = FindObjectByPath(*root, std::u16string_view(name).substr(0, dot));
    function = std::u16string_view(name).substr(dot + 1);
  }
  return owner && CallFormMethod(*owner, function, args.subspan(1), &result);
}

// ---- focus: (object)

bool CNPRuntimeRequests::SetFocus(Args args, CNValue& result) {
  auto* object = dynamic_cast<CNPObject*>(ObjectAt(args, 0));
  CNObject* form = FormOf(object);
  CNPViewBrowser* view = form ? m_browser.GetViews().FindViewOfForm(*form) : nullptr;
  if (!view) return false;
  view->SetFocusObject(object);
  result.SetBool(true);
  return true;
}

bool CNPRuntimeRequests::LostFocus(Args args, CNValue& result) {
  auto* object = dynamic_cast<CNPObject*>(ObjectAt(args, 0));
  CNObject* form = FormOf(object);
  CNPViewBrowser* view = form ? m_browser.GetViews().FindViewOfForm(*form) : nullptr;
  if (!view) return false;
  if (view->GetFocusObject() == object) view->SetFocusObject(nullptr);
  result.SetBool(true);
  return true;
}
