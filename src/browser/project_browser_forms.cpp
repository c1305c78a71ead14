// The project as its views and objects see it: forms made ready and let go, events, binds.
#include <algorithm>
#include <vector>

#include "binds/tag_parser_compiler_error.h"
#include "browser/project_browser.h"
#include "controls/form.h"
#include "objects/object_copy.h"
#include "objects/object_tree.h"
#include "objects/property_read.h"
#include "project/form_lookup.h"
#include "project/form_objects.h"
#include "screen/pobject.h"
#include "support/trace.h"
#include "support/utf16_text.h"
#include "views/views.h"

namespace {

// Every object of the tree, parents before children, in child order.
std::vector<CNObject*> TreeObjects(CNObject& top) {
  std::vector<CNObject*> objects;
  WalkObjectTree(top, [&](CNObject& object) {
    objects.push_back(&object);
    return true;
  });
  return objects;
}

// The root's handlers of object input events: they take the object first.
constexpr std::u16string_view kRootInputEvents[] = {u"OnMouseIn",   u"OnMouseMove", u"OnMouseOut",
                                                    u"OnMouseDown", u"OnMouseUp",   u"OnMouseDblClick"};

}  // namespace

CNScript* CNPProjectBrowser::GetScript() { return m_session ? &m_session->engine : nullptr; }

const CNPRootClient& CNPProjectBrowser::GetSettings() const {
  if (m_session) return *m_session->root;
  return *m_resourceRoot;  // a dialog of the resource project with no project open
}

CNObject* CNPProjectBrowser::FindBasedForm(std::u16string_view name, bool resource) {
  if (!resource) return m_session ? FindFormByName(*m_session->root, name) : nullptr;
  if (!m_resourceRoot) return nullptr;
  const std::u16string_view folder = m_bTabletDialogs ? u"Resource_tablet" : u"Resource";
  if (CNObject* dialogs = m_resourceRoot->FindChild(folder))
    if (CNObject* form = FindFormByName(*dialogs, name)) return form;
  return FindFormByName(*m_resourceRoot, name);
}

CRPtr<CNPObject> CNPProjectBrowser::AcquireForm(CNObject& based, std::u16string_view formName) {
  auto* definition = dynamic_cast<CNPObject*>(&based);
  if (!definition || !m_session) return nullptr;
  const bool inUse = definition->IsRunning() ||
                     std::any_of(m_madeForms.begin(), m_madeForms.end(),
                                 [&](const CRPtr<CNPObject>& made) { return made.Get() == definition; });
  CRPtr<CNPObject> form;
  if (!inUse && formName == based.GetName()) {
    form = CRPtr<CNPObject>::Retain(definition);
  } else {
    CRPtr<CNObject> copy = CopyObjectTree(based, m_classes);
    form = CRPtr<CNPObject>::Retain(dynamic_cast<CNPObject*>(copy.Get()));
    if (!form || !based.GetParent()) return nullptr;
    copy->SetName(formName);
    based.GetParent()->AddChild(copy.Detach());
    m_madeForms.push_back(form);
  }
  // Project forms had their scripts compiled when the project opened; copies and the forms of
  // the resource project get theirs now.
  for (CNObject* object : TreeObjects(*form))
    if (!object->GetEvent().empty() && !m_session->engine.FindScope(object)) m_session->engine.Load(object);
  bool forward = false;
  for (std::u16string_view name : kRootInputEvents)
    forward = forward || m_session->engine.HasFunction(m_session->root.Get(), name);
  for (CNObject* object : TreeObjects(*form))
    if (auto* screen = dynamic_cast<CNPObject*>(object)) screen->SetForwardingEvents(forward);
  CNPObjectBinder binder = m_session->MakeBinder(this);
  binder.BindTree(*form);
  return form;
}

void CNPProjectBrowser::ReleaseForm(CNPObject& form) {
  const CRPtr<CNPObject> keep = CRPtr<CNPObject>::Retain(&form);
  const std::vector<CNObject*> objects = TreeObjects(form);
  for (auto it = objects.rbegin(); it != objects.rend(); ++it)
    if (auto* screen = dynamic_cast<CNPObject*>(*it); screen && screen->IsRunning()) screen->Terminate();
  UnbindTree(form);
  const auto made = std::find_if(m_madeForms.begin(), m_madeForms.end(),
                                 [&](const CRPtr<CNPObject>& entry) { return entry.Get() == &form; });
  if (made == m_madeForms.end()) return;
  // A form may be let go from inside one of its own handlers (a dialog that closes itself):
  // its scripts go once that handler has returned.
  CRPtr<CNPObject> copy = std::move(*made);
  m_madeForms.erase(made);
  if (CNObject* parent = copy->GetParent()) parent->RemoveChild(copy.Get());
  PostToSelf([session = m_session.get(), copy, objects](CNPProjectBrowser& self) {
    if (self.m_session.get() != session) return;  // that project has closed, and its scripts with it
    for (CNObject* object : objects) session->engine.Remove(object);
  });
}

bool CNPProjectBrowser::FireRootEvent(std::u16string_view name, CNValue* args, uint32_t count) {
  if (!m_session) return false;
  CNPRootClientBrowser* root = m_session->root.Get();
  if (!m_session->engine.HasFunction(root, name)) return false;
  return m_session->engine.RunFunction(root, name, args, count, nullptr);
}

bool CNPProjectBrowser::FireProjectEvent(std::u16string_view name, CNValue* args, uint32_t count) {
  return FireRootEvent(name, args, count);
}

void CNPProjectBrowser::DispatchEvent(CNObject* object, std::u16string_view name, const CNValue* args,
                                      uint32_t count) {
  if (!m_session || count == 0 || object == m_session->root.Get()) return;
  // args end with the object; the root's mouse handlers take it first, its key handlers not at all.
  const bool withObject = std::find(std::begin(kRootInputEvents), std::end(kRootInputEvents), name) !=
                          std::end(kRootInputEvents);
  std::vector<CNValue> rootArgs;
  if (withObject) rootArgs.emplace_back().Assign(args[count - 1]);
  for (uint32_t i = 0; i + 1 < count; ++i) rootArgs.emplace_back().Assign(args[i]);
  FireRootEvent(name, rootArgs.data(), static_cast<uint32_t>(rootArgs.size()));
}

void CNPProjectBrowser::RequestRedraw(CNObject* object) {
  if (!object) return;
  if (CNPViewBrowser* view = FindViewOfObject(*object)) view->RequestPaint(*object);
}

uint32_t CNPProjectBrowser::GetLoginConnectionState() {
  if (!m_session || !m_bLoginWanted) return 0;
  return m_session->login.IsLogin() ? 2 : 1;
}

// Delivered on the refresh tick.
void CNPProjectBrowser::OnLoginChanged(uint32_t state, uint32_t level) { FireLoginEvents(state, level); }

// "OnLogin(login,level)" to the root and to every object of the forms on show; login is the
// state (CNPLoginServer::LoginState): 0 logged out, 1 connection lost while the login is still
// wanted, 2 logged in.
void CNPProjectBrowser::FireLoginEvents(uint32_t state, uint32_t level) {
  if (!IsOpen() || !m_session) return;
  CNValue args[2];
  args[0].SetNumber(state);
  args[1].SetNumber(level);
  FireRootEvent(u"OnLogin", args, 2);
  for (const CRPtr<CNPObject>& object : CollectScreenObjects(*m_session->root)) {
    if (!object->IsRunning() || object.Get() == m_session->root.Get()) continue;
    CNValue copy[2];
    copy[0].Assign(args[0]);
    copy[1].Assign(args[1]);
    object->FireEvent(u"OnLogin", copy, 2);
  }
}

void CNPProjectBrowser::OnBindError(CNObject& object, std::u16string_view property,
                                    const CTagParserCompilerError& error) {
  CRTrace::Line(u"Bind error: " + object.GetName() + u"." + std::u16string(property) + u": " + error.GetMessage());
}
