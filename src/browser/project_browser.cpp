// Opening and closing projects.
#include "browser/project_browser.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "browser/keep_alive.h"
#include "browser/project_runtime_requests.h"
#include "controls/form.h"
#include "formats/format_store.h"
#include "methods/root_file_io.h"
#include "objects/object_tree.h"
#include "objects/property_read.h"
#include "project/builtin_resources.h"
#include "project/capability_policy_file.h"
#include "project/form_lookup.h"
#include "project/name_list.h"
#include "project/stretch_mode.h"
#include "project/translation.h"
#include "screen/visual_themes.h"
#include "support/message_box.h"
#include "support/trace.h"
#include "support/utf16_text.h"
#include "views/views.h"

namespace {

constexpr uint32_t kResourceId = 149;
constexpr std::u16string_view kResourceType = u"XML";
constexpr std::u16string_view kMessageCaption = u"Tarnvale Panel Browser control";

std::filesystem::path StoreRoot(const std::string& given) {
  return given.empty() ? CRRegistryStore::DefaultRoot() : std::filesystem::path(given);
}

// The text of a configuration file (UTF-8, or UTF-16 with its byte-order mark); empty for bytes
// that are no text.
std::u16string ConfigText(const std::vector<uint8_t>& bytes) {
  std::u16string text;
  if (!DecodeFileText({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, text)) text.clear();
  return text;
}

std::u16string LocalHostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return Utf8ToUtf16(name);
}

}  // namespace

bool CNPProjectBrowser::LoadPolicyFile(const std::string& file, std::string& message) {
  message.clear();
  m_policy = LoadCapabilityPolicy(file, true, message);
  return message.empty();
}

CNPProjectBrowser::CNPProjectBrowser(CNObjectRegistry& registry, CRMessageLoop& loop, CNPBrowserHost& host,
                                     const Options& options)
    : m_classes(registry),
      m_loop(loop),
      m_host(host),
      m_store(StoreRoot(options.registryRoot)),
      m_views(std::make_unique<CNPViews>(*this)),
      m_requests(std::make_unique<CNPRuntimeRequests>(*this)),
      m_bStartTickThread(options.startTickThread) {
  m_wnd = std::make_unique<CNPProjectWnd>(*this, m_loop, [this](uint32_t code) { OnTick(code); });
  std::string refused;
  m_policy = options.policyFile.empty()
                 ? LoadCapabilityPolicy(m_store.GetRoot() / kPolicyFileName, false, refused)
                 : LoadCapabilityPolicy(options.policyFile, true, refused);
  if (!refused.empty())
    CRMessageBox::GetCurrent().Show(Utf8ToUtf16(refused), kMessageCaption, MB_OK, MB_ICONERROR);
  m_images.SetSystemFolder(m_host.GetProgramFolder() + u"/sys");
  const std::span<const CNResource> resources = options.resources.empty() ? BuiltInResources() : options.resources;
  m_resourceRoot = CRPtr<CNPRootClientBrowser>::Make();
  CNFormLoadContext context(m_classes);
  if (!m_resourceRoot->OpenResourceProject(resources, kResourceId, kResourceType, context)) {
    CRMessageBox::GetCurrent().Show(m_resourceRoot->GetErrorText(), kMessageCaption, MB_OK, MB_ICONERROR);
    m_resourceRoot.Reset();
  } else {
    m_resourceRoot->SetOwner(this);
  }
  m_views->CreateMainView({});
}

CNPProjectBrowser::~CNPProjectBrowser() {
  m_self.reset();
  m_wnd->Stop();
  CloseProject();
  m_views.reset();
  if (m_resourceRoot) m_resourceRoot->SetOwner(nullptr);
}

const CNProjectLocation* CNPProjectBrowser::GetLocation() const {
  return m_session ? &m_session->root->GetLocation() : nullptr;
}

bool CNPProjectBrowser::Fail(std::u16string message) {
  m_strLastError = std::move(message);
  CRMessageBox::GetCurrent().Show(m_strLastError, kMessageCaption, MB_OK, MB_ICONERROR);
  DestroySession();
  return false;
}

bool CNPProjectBrowser::OpenProject(std::u16string_view path) {
  if (m_bOpening) return false;  // an open from inside an open waits for the tick
  CloseProject();
  m_strLastError.clear();
  const CNProjectLocation location = LocateProject(path);
  if (location.kind == CNProjectPathKind::kLogin) return HandleLoginRequest(location);
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{m_bOpening = true};

  if (!OpenDocument(path, location)) return false;
  m_session->engine.SetCapabilityPolicy(m_policy, location.kind == CNProjectPathKind::kWeb
                                                      ? ProjectSource::kHttp
                                                      : ProjectSourceOf(location.path));
  CNPRootClientBrowser& root = *m_session->root;
  if (root.NeedsRevisionQuestion() &&
      CRMessageBox::GetCurrent().Show(kNewerFileQuestion, kMessageCaption, MB_YESNO, MB_ICONQUESTION) != IDYES) {
    DestroySession();
    return false;
  }
  ApplyInifile();
  ApplyOverrides();
  LoadConfigFiles();
  ApplyTranslation();
  StartServers();
  LoadScripts();
  FireRootEvent(u"OnInitializeRoot", nullptr, 0);
  root.Initialize();
  if (!m_views->CreateMainView(root.SettingText(u"DefaultFrame")))
    return Fail(u"Can't create the frame set.");
  m_strHostName = LocalHostName();
  LoginAtStartup();
  if (!m_session) return false;  // the login dialog's answer closed it
  if (!OpenStartForms()) return false;
  StartTicks();
  return true;
}

void CNPProjectBrowser::SetProjectFolder(std::u16string_view folder) {
  std::u16string path(folder);
  std::replace(path.begin(), path.end(), u'\\', u'/');
  std::error_code error;
  std::filesystem::current_path(std::filesystem::path(Utf16ToUtf8(path)), error);
  if (!m_session) return;
  m_session->root->SetFolder(std::move(path));
  m_images.SetLocation(m_session->root->GetLocation());
}

bool CNPProjectBrowser::OpenDocument(std::u16string_view path, const CNProjectLocation& location) {
  m_session = std::make_unique<CNPProjectSession>(m_classes, this, this);
  CNPRootClientBrowser& root = *m_session->root;
  root.SetOwner(this);
  if (location.kind == CNProjectPathKind::kLocal) {
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(Utf16ToUtf8(location.folder)), error);
  }
  CNFormLoadContext context(m_classes);
  if (!root.OpenProject(location.path, context)) return Fail(root.GetErrorText());
  m_strProjectPath = path;
  m_images.SetLocation(root.GetLocation());
  return true;
}

// "Inifile" names a file of "Name=Value" lines; those in the section "InifileSection" are
// written into the settings by name. "exe:" before the name means the host program's folder.
void CNPProjectBrowser::ApplyInifile() {
  CNPRootClientBrowser& root = *m_session->root;
  std::u16string name = root.SettingText(u"Inifile");
  if (name.empty()) return;
  std::u16string section = root.SettingText(u"InifileSection");
  if (name.starts_with(u"exe:")) name = m_host.GetProgramFolder() + u"/" + name.substr(4);
  const CNProjectFile file = ResolveProjectFile(root.GetLocation(), name);
  std::vector<uint8_t> bytes;
  std::string error;
  if (file.kind == CNProjectFile::kBuiltin || !ReadProjectFile(file, bytes, error)) {
    CRTrace::Printf("Inifile %s: %s", Utf16ToUtf8(name).c_str(), error.c_str());
    return;
  }
  const std::u16string text = ConfigText(bytes);
  bool inSection = section.empty();
  std::u16string_view rest = text;
  while (!rest.empty()) {
    const size_t end = rest.find(u'\n');
    std::u16string_view line = rest.substr(0, end);
    rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
    while (!line.empty() && (line.back() == u'\r' || line.back() == u' ')) line.remove_suffix(1);
    if (line.starts_with(u"[")) {
      inSection = EqualsIgnoreCaseAscii(line, section);
      continue;
    }
    const size_t equals = line.find(u'=');
    if (!inSection || equals == std::u16string_view::npos || equals == 0) continue;
    CNValue value;
    value.SetString(line.substr(equals + 1));
    root.SetProperty(line.substr(0, equals), value);
  }
}

void CNPProjectBrowser::ApplyOverrides() {
  CNPRootClientBrowser& root = *m_session->root;
  const auto setText = [&](std::u16string_view name, const std::optional<std::u16string>& text) {
    if (!text) return;
    CNValue value;
    value.SetString(*text);
    root.SetProperty(name, value);
  };
  const auto setNumber = [&](std::u16string_view name, const std::optional<uint32_t>& number) {
    if (!number) return;
    CNValue value;
    value.SetNumber(*number);
    root.SetProperty(name, value);
  };
  setText(u"PSNode", m_overrides.node);
  setNumber(u"PSPanelPort", m_overrides.port);
  setText(u"PSNode2", m_overrides.node2);
  setNumber(u"PSPanelPort2", m_overrides.port2);
  setText(u"PSLoginUser", m_overrides.loginUser);
  setText(u"PSLoginPwd", m_overrides.loginPassword);
  if (m_overrides.node2 && !m_overrides.node2->empty()) {
    CNValue on;
    on.SetBool(true);
    root.SetProperty(u"PSNodeRedundancy", on);
  }
  setText(u"PSLoginComment", m_overrides.loginComment);
}

// The format and theme files the settings name over the built-in ones, and the project's theme.
void CNPProjectBrowser::LoadConfigFiles() {
  CNPRootClientBrowser& root = *m_session->root;
  CNFormatStore& formats = CNFormatStore::Global();
  const auto read = [&](CNTextSetting setting) {
    const std::u16string name = root.SettingText(setting);
    if (name.empty() || EqualsIgnoreCaseAscii(name, u"DEFAULT")) return std::u16string();
    const CNProjectFile file = ResolveProjectFile(root.GetLocation(), name);
    std::vector<uint8_t> bytes;
    std::string error;
    if (file.kind == CNProjectFile::kBuiltin) return std::u16string();
    if (!ReadProjectFile(file, bytes, error)) {
      CRTrace::Printf("%s: %s", Utf16ToUtf8(setting.Name()).c_str(), error.c_str());
      return std::u16string();
    }
    return ConfigText(bytes);
  };
  formats.LoadNumberFormats(read(u"NumberFormatConf"));
  formats.LoadDateTimeFormats(read(u"DateTimeFormatConf"));
  formats.LoadBlinkFormats(read(u"BlinkConf"));
  CNVisualThemes& themes = CNVisualThemes::Global();
  themes.LoadProjectThemes(read(u"VisualThemeConf"));
  themes.SetCurrentTheme(root.SettingText(u"VisualTheme"));
}

// The translation table of "TranslationFolder" and "TranslationGroup", applied to the
// properties each object names in "TranslationProp"; a project without a table keeps its texts.
void CNPProjectBrowser::ApplyTranslation() {
  CNPRootClientBrowser& root = *m_session->root;
  if (!root.SettingBool(u"EnabledTranslation")) return;
  const std::u16string group = root.SettingText(u"TranslationGroup");
  std::u16string name = root.SettingText(u"TranslationFolder");
  if (!name.empty() && name.back() != u'/' && name.back() != u'\\') name += u'/';
  name += (group.empty() ? u"translation" : group) + u".txt";
  const CNProjectFile file = ResolveProjectFile(root.GetLocation(), name);
  std::vector<uint8_t> bytes;
  std::string error;
  if (file.kind == CNProjectFile::kBuiltin || !ReadProjectFile(file, bytes, error)) return;
  CNPTranslation translation;
  translation.Load(ConfigText(bytes));
  translation.Apply(root);
}

void CNPProjectBrowser::StartServers() {
  CNPProjectSession& session = *m_session;
  CNPRootClientBrowser& root = *session.root;
  SetRefreshPeriod(static_cast<uint32_t>(root.GetRefreshPeriod()));
  session.bindWatch = static_cast<uint16_t>(std::clamp(root.SettingInt(u"BindWatchTime"), 0, 65535));
  session.connection = CRPtr<CNConnectionSettings>::Make(root.GetServerSettings());
  CNTagServerStartInfo info;
  info.clientId = session.ownerId;
  info.offline = root.SettingText(u"PSNode").empty() && root.SettingText(u"PSHTTPServer").empty();
  info.accessPath = root.SettingText(u"PSTagAccessPath");
  const std::u16string mark = root.SettingText(u"PSTagDirectPathMark");
  info.directPathMark = mark.empty() ? char16_t(0) : mark[0];
  info.updateRateMs = static_cast<uint32_t>(std::max(root.SettingInt(u"PSTagUpdateRate"), 0));
  info.connection = session.connection;
  session.tags.SetTimeBase(CurrentFileTime(), CRTickCount());
  session.tags.Start(info);
  session.engine.SetRuntime(m_requests.get());
  session.engine.SetLoginServer(&session.login, session.connection.Get(), session.ownerId);
  session.engine.SetTraceOutput([this](const CNValue& value) { m_host.Trace(value); });
}

// Compiles the event scripts of the root and of every object of the project, so that any
// script may call the functions of any form; a script that does not compile is reported and
// its owner runs without one. Binds are connected when a form opens.
void CNPProjectBrowser::LoadScripts() {
  CNPProjectSession& session = *m_session;
  CNPRootClientBrowser& root = *session.root;
  CNObject* math = m_classes.Create(u"Math");
  if (math) {
    math->SetName(u"Math");
    root.AddChild(math);
  }
  WalkObjectTree(root, [&](CNObject& object) {
    if (!object.GetEvent().empty()) session.engine.Load(&object);
    return true;
  });
  CNPObjectBinder binder = session.MakeBinder(this);
  binder.BindObject(root);
}

void CNPProjectBrowser::LoginAtStartup() {
  CNPProjectSession& session = *m_session;
  CNPRootClientBrowser& root = *session.root;
  const std::u16string startup = root.SettingText(u"PSLoginStartup");  // NONE, AUTO, MANUAL
  if (startup != u"AUTO" && startup != u"MANUAL") return;
  m_bLoginWanted = true;
  bool showDialog = startup == u"MANUAL";
  if (startup == u"AUTO") {
    uint32_t level = 0;
    const std::u16string user = root.SettingText(u"PSLoginUser");
    const bool ok = session.login.Login(session.ownerId, *session.connection, user,
                                        root.SettingText(u"PSLoginPwd"), true, level, true);
    if (!ok)
      CRTrace::Notice("the automatic login as \"" + Utf16ToUtf8(user) + "\" failed (" +
                      Utf16ToUtf8(session.login.GetLoginLastError()) +
                      "): check PSLoginUser and PSLoginPwd and that the panel server is running");
    showDialog = !ok && root.SettingBool(u"PSLoginStartupError");
  }
  if (showDialog) m_requests->OpenLoginDialog({});
}

bool CNPProjectBrowser::OpenStartForms() {
  CNPRootClientBrowser& root = *m_session->root;
  std::vector<std::u16string> hidden;
  const std::u16string named = root.SettingText(u"HiddenForm");
  for (std::u16string_view name : SplitNameList(named)) hidden.emplace_back(name);
  std::vector<CNObject*> pending{&root};
  while (!pending.empty()) {
    CNObject* object = pending.back();
    pending.pop_back();
    if (object->GetClassId() == CNPForm::kClassId) {
      if (PropertyBool(*object, u"HiddenForm", false)) hidden.emplace_back(object->GetName());
      continue;
    }
    for (int32_t i = object->GetChildCount() - 1; i >= 0; --i) pending.push_back(object->GetChild(i));
  }
  if (!m_views->OpenFrameForms()) CRTrace::Line(u"A frame's form could not be opened.");
  for (const std::u16string& name : hidden) {
    if (!FindFormByName(root, name)) return Fail(u"Can't find hidden form.");
    if (!m_views->OpenHiddenForm(name, name, CNValue())) return Fail(u"Can't find hidden form.");
  }
  const std::u16string defaultForm = root.SettingText(u"DefaultForm");
  if (!FindFormByName(root, defaultForm) || !m_views->OpenForm(root.SettingText(u"DefaultView"), defaultForm,
                                                               defaultForm, kStretchDefault, CNValue()))
    return Fail(u"Can't find default form.");
  return true;
}

void CNPProjectBrowser::StartTicks() {
  CNPRootClientBrowser& root = *m_session->root;
  m_startTick = CRTickCount();
  SetOpen(true);
  if (m_bStartTickThread && !m_wnd->IsRunning()) m_wnd->Start();
  if (root.SettingBool(u"KeepProcess") && !m_keepAlive) {
    m_keepAlive = std::make_unique<CNKeepAlive>(m_store, Utf16ToUtf8(m_host.GetProgramFolder()));
    m_keepAlive->Start(this);
  }
}

void CNPProjectBrowser::CloseProject() {
  if (!m_session) return;
  SetOpen(false);
  if (CNPRootClientBrowser* root = m_session->root.Get()) root->Terminate();
  DestroySession();
}

void CNPProjectBrowser::DestroySession() {
  SetOpen(false);
  if (m_keepAlive) m_keepAlive->Stop();
  m_keepAlive.reset();
  m_views->CloseAll();
  m_madeForms.clear();
  m_hotKeys.clear();
  m_strHostTitle.clear();
  m_session.reset();
  m_images.Clear();
  m_views->CreateMainView({});
}
