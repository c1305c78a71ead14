#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "browser/browser_host.h"
#include "browser/project_session.h"
#include "browser/project_wnd.h"
#include "draw/geometry.h"
#include "editing/edit_box.h"
#include "objects/object.h"
#include "project/project.h"
#include "project/stretch_geometry.h"
#include "support/message_loop.h"
#include "support/registry_store.h"
#include "views/hot_key.h"
#include "views/image_cache.h"
#include "views/view_control.h"
#include "views/view_host.h"

class CNPBasisDialog;
class CNPView;
class CNPViewBrowser;
class CNPViews;
class CNPRuntimeRequests;
class CRPainter;
class CNKeepAlive;
struct CNResource;
struct CNLoginFile;

// Values the container (or a login request) gives in place of the project's own settings.
struct CNProjectOverrides {
  std::optional<std::u16string> node, node2, loginUser, loginPassword, loginComment;
  std::optional<uint32_t> port, port2;
};

// A view on show in the host's main window and where it is, in window pixels.
struct CNShownView {
  CNPView* view;
  CRRectF rect;
};

// A request queued for the tick handler (codes 2 to 5): freed by the handler.
struct CNPTickRequest {
  std::u16string path;                    // 2: the project to open
  bool fireShutdownEvent = false;         // 3: "OnShutdown" first, close only when allowed
  std::u16string name;                    // 4: the common event's name
  CNValue value;                          // 4: its value
  std::u16string operation, file, parameters, directory;  // 5: the program to start
};

// The project runtime: owns one open project at a time with its views, tag servers, login and
// scripts, runs the tick cycle on the user-interface thread, shows the system dialogs and keeps
// the optional keep-alive.
//
// Every member runs on the thread of the message loop (the user-interface thread) except the
// tick thread's reads of the open flag, the busy counters and the periods (CNPProject).
class CNPProjectBrowser : public CNPProject,
                          public CNObjectOwner,
                          public CNEditBoxHost,
                          public CNPViewHost,
                          public CNPViewControlSite,
                          public CNPTagServerSuite::Owner,
                          public CNPLoginServer::ConnectionPoint,
                          public CNPObjectBinder::ErrorSink {
 public:
  struct Options {
    // The built-in resources the system dialogs come from (id 149, type "XML"); empty: the
    // program's own.
    std::span<const CNResource> resources;
    bool startTickThread = true;  // tests drive the ticks by hand
    // Where the login memory and the keep-alive counter are kept; empty: the default store.
    std::string registryRoot;
    // The site's policy for the scripts' built-in functions; empty: the file "policy" in the
    // store's folder when there is one, else everything allowed.
    std::string policyFile;
  };

  CNPProjectBrowser(CNObjectRegistry& registry, CRMessageLoop& loop, CNPBrowserHost& host, const Options& options);
  ~CNPProjectBrowser() override;
  CNPProjectBrowser(const CNPProjectBrowser&) = delete;
  CNPProjectBrowser& operator=(const CNPProjectBrowser&) = delete;

  // ---- projects
  // Opens path (closing the open project first); false with GetLastError set and the message
  // shown, or silently when the operator declined a newer file.
  bool OpenProject(std::u16string_view path);
  void CloseProject();
  void SetOverrides(const CNProjectOverrides& overrides) { m_overrides = overrides; }
  const std::u16string& GetLastError() const { return m_strLastError; }
  const CKVCapabilityPolicy& GetCapabilityPolicy() const { return m_policy; }
  // Takes the site's policy from file for the projects opened from now on. False, with the
  // reason in message, when the file is missing, unreadable or malformed; the policy then
  // denies every family to projects from http:// addresses.
  bool LoadPolicyFile(const std::string& file, std::string& message);
  bool HasResourceProject() const { return m_resourceRoot != nullptr; }

  // ---- events and requests
  // Runs the root script's handler; false when it defines none (or nothing is open).
  bool FireProjectEvent(std::u16string_view name, CNValue* args = nullptr, uint32_t count = 0);
  // The tick message's handler; request (codes 2 to 5) is consumed.
  void OnTick(uint32_t code, std::unique_ptr<CNPTickRequest> request = nullptr);
  // Queues a request for the tick handler.
  void PostRequest(uint32_t code, std::unique_ptr<CNPTickRequest> request);
  // A host command ("zoom_50", "stretch_full", "close"...); false for one it does not know.
  bool RunHostCommand(std::u16string_view command);

  // ---- hot keys (key codes 0 to 65535); a key is registered once
  bool RegisterHotKey(uint32_t keyCode);
  bool UnregisterHotKey(uint32_t keyCode);
  const CNHotKey* FindHotKey(uint32_t keyCode) const;

  // ---- login requests
  // Writes a login file for node, port, project, user and password and queues its login;
  // false (with the message shown) when the file cannot be written.
  bool RequestLogin(std::u16string_view node, uint32_t port, std::u16string_view project, std::u16string_view user,
                    std::u16string_view password);

  // ---- the host window
  // The size of the main window's area: the main view, or the frame set, is laid out in it.
  void SetHostSize(CNSize size);
  // Every view on show in the main window with its rectangle: the main view, or each frame of
  // the frame set. The window paints the frame set's spacing first (PaintFrameSpacing) and then
  // each view in its rectangle (CNPView::Paint, with the view's own pixels).
  std::vector<CNShownView> GetShownViews() const;
  // The spacing between the frames of the frame set, in window pixels, each frame set's in its
  // "FrameSpacingColor"; nothing without a frame set.
  void PaintFrameSpacing(CRPainter& painter) const;
  // The open dialogs, oldest first: each shows its form in its own view (GetView) and wants a
  // window of its own at its placement (GetRect, desktop pixels), hidden while !IsVisible().
  std::vector<CNPBasisDialog*> GetOpenDialogs() const;
  // The images the objects draw, resolved for the open project.
  CNPImageCache* GetImageSource() { return &m_images; }

  // ---- parts, for the runtime requests, the host and tests
  CNPViews& GetViews() { return *m_views; }
  CNPRootClientBrowser* GetRootClient() const { return m_session ? m_session->root.Get() : nullptr; }
  CNPRootClientBrowser* GetResourceRoot() const { return m_resourceRoot.Get(); }
  CNScriptImpl* GetScriptEngine() const { return m_session ? &m_session->engine : nullptr; }
  CNPTagServerSuite* GetTagServer() const { return m_session ? &m_session->tags : nullptr; }
  CNLoginStub* GetLoginStub() const { return m_session ? &m_session->login : nullptr; }
  CNPBrowserHost& GetHost() { return m_host; }
  CRMessageLoop& GetLoop() { return m_loop; }
  CRRegistryStore& GetRegistryStore() { return m_store; }
  const CNProjectLocation* GetLocation() const;
  const std::u16string& GetProjectPath() const { return m_strProjectPath; }
  // A container's project folder ("\" taken as "/"): relative names of the open project resolve
  // against it, and it becomes the current directory.
  void SetProjectFolder(std::u16string_view folder);
  // The tablet layout of the system dialogs ("Resource_tablet").
  void SetTabletDialogs(bool tablet) { m_bTabletDialogs = tablet; }
  bool UsesTabletDialogs() const { return m_bTabletDialogs; }
  const std::u16string& GetHostName() const { return m_strHostName; }

  // ---- CNObjectOwner
  CNScript* GetScript() override;
  void DispatchEvent(CNObject* object, std::u16string_view name, const CNValue* args, uint32_t count) override;
  void RequestRedraw(CNObject* object) override;
  // The active view's last mouse position in its form's coordinates.
  bool GetMousePosition(int32_t& x, int32_t& y) const override;
  // That of the view showing the object's form.
  bool GetMousePositionOf(const CNObject& object, int32_t& x, int32_t& y) const override;

  // ---- CNEditBoxHost: Tab, Shift+Tab and Enter with "TabAfterEnter" move the focus on
  void MoveFocus(CNPEditBox& box, bool forward) override;

  // ---- CNPViewHost
  const CNPRootClient& GetSettings() const override;
  CNObject* FindBasedForm(std::u16string_view name, bool resource) override;
  CRPtr<CNPObject> AcquireForm(CNObject& based, std::u16string_view formName) override;
  void ReleaseForm(CNPObject& form) override;
  bool FireRootEvent(std::u16string_view name, CNValue* args, uint32_t count) override;
  void InvalidateView(CNPView& view) override { m_host.InvalidateView(view); }
  // While a modal dialog is open, only its own view takes input.
  bool IsInputBlocked(const CNPView& view) const override;

  // ---- CNPViewControlSite
  CNPViews* GetControlViews() override { return m_views.get(); }

  // ---- CNPTagServerSuite::Owner (any thread), CNPLoginServer::ConnectionPoint (delivered on
  // the refresh tick), binds
  uint32_t GetLoginConnectionState() override;
  void OnLoginChanged(uint32_t state, uint32_t level) override;
  void OnBindError(CNObject& object, std::u16string_view property, const CTagParserCompilerError& error) override;

 private:
  bool Fail(std::u16string message);
  bool OpenDocument(std::u16string_view path, const CNProjectLocation& location);
  void ApplyInifile();
  void ApplyOverrides();
  void LoadConfigFiles();
  void ApplyTranslation();
  void StartServers();
  void LoadScripts();
  void LoginAtStartup();
  bool OpenStartForms();
  void StartTicks();
  void DestroySession();
  bool HandleLoginRequest(const CNProjectLocation& location);
  void Shutdown(bool fireEvent);
  void FireLoginEvents(uint32_t state, uint32_t level);
  // The view showing the form object belongs to (hidden views too); null when none.
  CNPViewBrowser* FindViewOfObject(const CNObject& object) const;
  // Queues work for the loop that runs only while this browser still exists.
  void PostToSelf(std::function<void(CNPProjectBrowser&)> work);
  void UpdateHostTitle();

  CNObjectRegistry& m_classes;
  CRMessageLoop& m_loop;
  CNPBrowserHost& m_host;
  CRRegistryStore m_store;
  CKVCapabilityPolicy m_policy;
  CRPtr<CNPRootClientBrowser> m_resourceRoot;
  std::unique_ptr<CNPProjectSession> m_session;
  std::unique_ptr<CNPViews> m_views;
  std::unique_ptr<CNPRuntimeRequests> m_requests;
  std::unique_ptr<CNKeepAlive> m_keepAlive;
  std::unique_ptr<CNPProjectWnd> m_wnd;
  CNPImageCache m_images;
  CNProjectOverrides m_overrides;
  std::u16string m_strProjectPath;
  std::u16string m_strLastError;
  std::u16string m_strHostName;
  std::u16string m_strHostTitle;  // as the host window shows it
  std::vector<CNHotKey> m_hotKeys;
  std::vector<CRPtr<CNPObject>> m_madeForms;  // forms made for a view beside their definition
  uint64_t m_startTick = 0;
  bool m_bTabletDialogs = false;
  bool m_bStartTickThread = true;
  bool m_bOpening = false;
  bool m_bLoginWanted = false;
  // Queued work holds this weakly: the browser may go before the loop runs it.
  std::shared_ptr<CNPProjectBrowser*> m_self = std::make_shared<CNPProjectBrowser*>(this);
};
