// Compile speed of event scripts, in lines per second, for a generated script of 10,000 lines,
// beside the tokenizer alone and a plain reference that only walks the text once.
#include <benchmark/benchmark.h>

#include <string>

#include "script/parser.h"
#include "script/statements_object.h"
#include "script/tokenizer.h"
#include "support/utf16_text.h"

namespace {

constexpr int kLines = 10'000;

// One function of 20 lines in the style of panel scripts, numbered to keep the names apart.
std::u16string Function(int n) {
  const std::u16string id = AsciiToUtf16(std::to_string(n));
  return u"var fvTarget" + id +
         u" = #NOTHING#;\n"
         u"event OnMouseUp" +
         id +
         u"(button, &result)\n"
         u"{\n"
         u"  var i, total = 0;\n"
         u"  // add up the selected rows\n"
         u"  for (i = 0; i < parent.List1.Count; i++) {\n"
         u"    if (parent.List1.Selected[i] == T && button != 2) total += parent.List1.Value[i] * 1.5;\n"
         u"    else if (i > 10) break;\n"
         u"  }\n"
         u"  switch (button) {\n"
         u"    case 1: ::OpenMsg(\"left \"\"button\"\"\"); break;\n"
         u"    case 2: parent.Calendar1.IncPage(0, -1);\n"
         u"    default: result = c(total, #day-1d#, 0x1F);\n"
         u"  }\n"
         u"  with (parent.Panel1) { .Caption = \"Total: \" & total; .Visible = !(.Visible); }\n"
         u"  while (total > 100) total /= 2;\n"
         u"  fvTarget" +
         id +
         u" = ::GetLoginLastError();\n"
         u"  return total ^ 2 + -i;\n"
         u"}\n"
         u"\n";
}

const std::u16string& Script() {
  static const std::u16string script = [] {
    std::u16string text;
    for (int n = 0; n < kLines / 20; ++n) text += Function(n);
    return text;
  }();
  return script;
}

void CountLines(benchmark::State& state) {
  state.counters["lines/s"] =
      benchmark::Counter(double(kLines) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_ScriptCompile(benchmark::State& state) {
  const std::u16string& script = Script();
  for (auto _ : state) {
    CSCObject scope(nullptr, u"Form1.Button1");
    CKVParser parser;
    if (!parser.Parse(script, scope)) state.SkipWithError("the generated script does not compile");
    benchmark::DoNotOptimize(scope.GetFunctions().data());
  }
  CountLines(state);
}
BENCHMARK(BM_ScriptCompile)->Unit(benchmark::kMillisecond);

void BM_ScriptTokenize(benchmark::State& state) {
  const std::u16string& script = Script();
  for (auto _ : state) {
    CKVTokenizer tokenizer(script);
    CToken token;
    size_t count = 0;
    do {
      tokenizer.Next(token);
      ++count;
    } while (token.kind != TK_END);
    benchmark::DoNotOptimize(count);
  }
  CountLines(state);
}
BENCHMARK(BM_ScriptTokenize)->Unit(benchmark::kMillisecond);

// Reference: one pass that only tells words from the rest, counting them.
void BM_PlainWordCount(benchmark::State& state) {
  const std::u16string& script = Script();
  for (auto _ : state) {
    size_t words = 0;
    bool inWord = false;
    for (const char16_t c : script) {
      const bool letter = IsAlphaAscii(c) || IsDigitAscii(c) || c == u'_';
      words += letter && !inWord;
      inWord = letter;
    }
    benchmark::DoNotOptimize(words);
  }
  CountLines(state);
}
BENCHMARK(BM_PlainWordCount)->Unit(benchmark::kMillisecond);

}  // namespace
