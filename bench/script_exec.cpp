// Run speed of event scripts beside a Lua 5.4 interpreter running the same programs in the same
// process: recursive calls, a counting loop, text built by joining, text built by 30,000 and
// 300,000 one-character appends ("s = s & x" and "s &= x"; Lua's "s = s .. x"), element-wise
// arithmetic on a 10,000-element array. The Lua programs follow the scripts statement by
// statement (a C-style for loop becomes a while loop).
#include <benchmark/benchmark.h>

#include <lua.hpp>

#include <string>

#include "methods/builtin_methods.h"
#include "objects/object_registry.h"
#include "screen/pobject.h"
#include "script/script_engine_impl.h"
#include "support/utf16_text.h"

namespace {

struct Program {
  std::u16string script;  // event script whose function Run does the work
  std::string lua;        // chunk returning the function that does the same
};

const Program kFib = {
    u"function Fib(n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }\n"
    u"function Run() { return Fib(24); }",
    "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end\n"
    "return function() return fib(24) end"};

const Program kLoop = {
    u"function Run() { var s = 0; for (var i = 0; i < 1000000; i++) { s = s + i; } return s; }",
    "return function() local s = 0 local i = 0 while i < 1000000 do s = s + i i = i + 1 end return s end"};

const Program kJoin = {
    u"function Run() { var s = \"\"; for (var i = 0; i < 10000; i++) { s = s + \"x\"; } return s; }",
    "return function() local s = '' local i = 0 while i < 10000 do s = s .. 'x' i = i + 1 end return s end"};

const Program kArray = {
    u"function Run() {\n"
    u"  var a = new Array[10000];\n"
    u"  for (var i = 0; i < 10000; i++) { a[i] = i; }\n"
    u"  var b;\n"
    u"  for (var k = 0; k < 100; k++) { b = a * 2 + k; }\n"
    u"  return b;\n"
    u"}",
    "return function()\n"
    "  local a = {} local i = 0 while i < 10000 do a[i + 1] = i i = i + 1 end\n"
    "  local b local k = 0\n"
    "  while k < 100 do\n"
    "    b = {} local j = 1 while j <= 10000 do b[j] = a[j] * 2 + k j = j + 1 end\n"
    "    k = k + 1\n"
    "  end\n"
    "  return b\n"
    "end"};

// count appends of one character to a text that starts empty; the text's length is returned.
Program AppendProgram(int64_t count, std::u16string_view append) {
  const std::string n = std::to_string(count);
  return {u"function Run() { var s = \"\"; for (var i = 0; i < " + AsciiToUtf16(n) + u"; i++) { " +
              std::u16string(append) + u" } return StrLen(s); }",
          "return function() local s = '' local i = 0 while i < " + n + " do s = s .. 'x' i = i + 1 end return #s end"};
}

class ScriptOwner : public CNObjectOwner {
 public:
  ScriptOwner() { RegisterBuiltInMethods(); }
  CPanelControls registry;
  CNScriptImpl engine{registry};
  CNScript* GetScript() override { return &engine; }
};

void RunScript(benchmark::State& state, const Program& program) {
  ScriptOwner owner;
  CNPObject* object = new CNPObject;
  object->SetOwner(&owner);
  object->SetEvent(program.script);
  if (!owner.engine.Load(object)) state.SkipWithError("the script does not compile");
  CNValue result;
  for (auto _ : state) {
    if (!owner.engine.RunFunction(object, u"Run", nullptr, 0, &result)) state.SkipWithError("the script failed");
    benchmark::DoNotOptimize(result);
  }
  owner.engine.Shutdown();
  object->Release();
}

void RunLua(benchmark::State& state, const Program& program) {
  lua_State* lua = luaL_newstate();
  luaL_openlibs(lua);
  if (luaL_loadstring(lua, program.lua.c_str()) != LUA_OK || lua_pcall(lua, 0, 1, 0) != LUA_OK)
    state.SkipWithError("the Lua chunk does not load");
  const int function = luaL_ref(lua, LUA_REGISTRYINDEX);
  for (auto _ : state) {
    lua_rawgeti(lua, LUA_REGISTRYINDEX, function);
    if (lua_pcall(lua, 0, 1, 0) != LUA_OK) state.SkipWithError("the Lua function failed");
    lua_pop(lua, 1);
  }
  lua_close(lua);
}

void BM_ScriptFib24(benchmark::State& state) { RunScript(state, kFib); }
void BM_LuaFib24(benchmark::State& state) { RunLua(state, kFib); }
void BM_ScriptLoopSum(benchmark::State& state) { RunScript(state, kLoop); }
void BM_LuaLoopSum(benchmark::State& state) { RunLua(state, kLoop); }
void BM_ScriptJoinText(benchmark::State& state) { RunScript(state, kJoin); }
void BM_LuaJoinText(benchmark::State& state) { RunLua(state, kJoin); }
void BM_ScriptArrayArithmetic(benchmark::State& state) { RunScript(state, kArray); }
void BM_LuaArrayArithmetic(benchmark::State& state) { RunLua(state, kArray); }
void BM_ScriptAppend(benchmark::State& state) { RunScript(state, AppendProgram(state.range(0), u"s = s & \"x\";")); }
void BM_ScriptCompoundAppend(benchmark::State& state) {
  RunScript(state, AppendProgram(state.range(0), u"s &= \"x\";"));
}
void BM_LuaAppend(benchmark::State& state) { RunLua(state, AppendProgram(state.range(0), {})); }

}  // namespace

BENCHMARK(BM_ScriptFib24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LuaFib24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptLoopSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LuaLoopSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptJoinText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LuaJoinText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptArrayArithmetic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LuaArrayArithmetic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptAppend)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptCompoundAppend)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LuaAppend)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);
