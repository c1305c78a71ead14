#include "browser/project_session.h"

#include <atomic>

#include "browser/project_runtime_requests.h"
#include "methods/builtin_methods.h"

namespace {

std::atomic<uint32_t> s_nextOwnerId{1};

}  // namespace

CNPProjectSession::CNPProjectSession(CNObjectRegistry& registry, CNPTagServerSuite::Owner* tagOwner,
                                     CNPLoginServer::ConnectionPoint* loginListener)
    : root(CRPtr<CNPRootClientBrowser>::Make()),
      login(loginListener),
      tags(tagOwner),
      engine(registry),
      expressions(CNBindEnvironment{&tags, &engine, 5}),
      ownerId(s_nextOwnerId.fetch_add(1)) {
  RegisterBuiltInMethods();
  CNPRuntimeRequests::RegisterHandlers();
  engine.SetTagServer(&tags);
  previousEvaluator = CNExpressionEvaluator::SetCurrent(&expressions);
  previousTextFormats = CNTextFormatEnvironment::SetCurrent(&textFormats);
}

CNPProjectSession::~CNPProjectSession() {
  if (root) UnbindTree(*root);
  engine.Shutdown();
  CNExpressionEvaluator::SetCurrent(previousEvaluator);
  CNTextFormatEnvironment::SetCurrent(previousTextFormats);
  tags.Stop();
  login.Logout();
  root.Reset();
}

CNPObjectBinder CNPProjectSession::MakeBinder(CNPObjectBinder::ErrorSink* sink) {
  return CNPObjectBinder(CNBindEnvironment{&tags, &engine, bindWatch}, sink);
}
