#pragma once

#include "script/method_table.h"

// The methods that read and write tags through the host's tag server. A tag name is a text; an
// argument of names is one name or a list of names. Every method fails when the host has no tag
// server.

// "GetVal"/"GetValue"(names): the tag's value; for a list of names, a value of the same shape
// holding the first element of each tag's value. A name that gives no tag reads as an element
// without value.
bool GetTagValue(CMethodCall& call);
// "ReadVal"(names, read mode, ...): reads the tags from their source with the read mode (0 to
// 255; a read mode of 0 reads nothing), then answers as "GetVal". Further arguments are ignored.
bool ReadTagValue(CMethodCall& call);
// "WriteVal"/"SetValue"(name, value): true when the tag took the value.
bool WriteTagValue(CMethodCall& call);

// The request and refresh methods. A request goes to the tags' source; a refresh delivers the
// changes that arrived so far to the tags' listeners (binds, "OnTagValueChanged") at once
// instead of at the next refresh tick. A refresh run by a handler that a refresh called does
// nothing, so that a handler cannot recurse through it.
//
// "ReadRequest"(names[, read mode]): reads the tags from their source (read mode 1 by
//   default); true when every name gave a tag and every tag was read.
// "ReadRefresh"(...) and "WriteRefresh"(...): the refresh alone; the arguments, if any, are
//   ignored, so either may be called with its request's arguments. True.
// "ReadRequestRefresh"(names[, read mode]): the request, then the refresh.
// "WriteRequest"(names, values): writes the tags in one request: one name takes the whole value;
//   with a list of names, tag i takes element i of values (repeating cyclically, no value when
//   values is empty). True when every name gave a tag and every tag was written.
// "WriteRequestRefresh"(names, values): the request, then the refresh.
bool ReadRequest(CMethodCall& call);
bool TagRefresh(CMethodCall& call);
bool ReadRequestRefresh(CMethodCall& call);
bool WriteRequest(CMethodCall& call);
bool WriteRequestRefresh(CMethodCall& call);

// Global functions of the root object.
// "SetAliasTag"(alias, target): points the alias ("@" and its name) at the target tag name;
//   false for an empty alias.
bool SetAliasTag(CMethodCall& call);
// "GetAliasTag"(alias): the target name; "" when the alias is not defined.
bool GetAliasTag(CMethodCall& call);
// "RefreshTag"([names]): reads the named tags (read mode 1), or with no argument every
//   panel-server tag, from the source, then refreshes as above; true when everything was read.
bool RefreshTag(CMethodCall& call);
// "GetTagLastError"(): the text of the panel-server tags' last failure.
bool GetTagLastError(CMethodCall& call);
