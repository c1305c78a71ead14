#pragma once

#include <cstdint>
#include <memory>

#include "binds/bind_expression_evaluator.h"
#include "binds/object_binder.h"
#include "comm/connection_settings.h"
#include "comm/login_stub.h"
#include "methods/edit_box_formats.h"
#include "project/root_client_browser.h"
#include "script/script_engine_impl.h"
#include "support/ref_cnt.h"
#include "tags/tag_server_suite.h"

// Everything one open project is made of, built while it opens and torn down in reverse when
// it closes: the root client with its document and objects, the tag servers, the login stub,
// the script engine and the binds. The members are declared in the order they are needed, so
// that destruction releases the engine before the tags and the tags before the login.
struct CNPProjectSession {
  CNPProjectSession(CNObjectRegistry& registry, CNPTagServerSuite::Owner* tagOwner,
                    CNPLoginServer::ConnectionPoint* loginListener);
  ~CNPProjectSession();
  CNPProjectSession(const CNPProjectSession&) = delete;
  CNPProjectSession& operator=(const CNPProjectSession&) = delete;

  // The binder of the project's forms, with its error sink.
  CNPObjectBinder MakeBinder(CNPObjectBinder::ErrorSink* sink);

  CRPtr<CNPRootClientBrowser> root;
  CRPtr<CNConnectionSettings> connection;  // set when the tag servers start
  CNLoginStub login;
  CNPTagServerSuite tags;
  CNScriptImpl engine;
  CNPBindExpressionEvaluator expressions;
  CNExpressionEvaluator* previousEvaluator = nullptr;
  // Edit boxes read number bases and the locale from the project's formats.
  CNFormatStoreTextFormats textFormats{CNFormatStore::Global()};
  CNTextFormatEnvironment* previousTextFormats = nullptr;
  uint32_t ownerId = 0;
  uint16_t bindWatch = 5;
};
