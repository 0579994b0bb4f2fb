// The editor's start-up work on its documents: reading both string documents
// and the skin from the program's resources and building the whole
// main-window tree headless (every control created, laid out, its texts
// measured), against Expat's bare parse of the same bytes, without handlers,
// in the same run. The tree's benchmark reports, besides its own time, the
// bare parse's time measured beside it and the ratio of the two
// ("times_bare_parse"); the goals are <= 100 ms and <= 5 times the parse.
#include "tools/skin-preview/EditorSkinPreview.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LEmbeddedXmlResources.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/XmlDocumentReader.h"

#include <benchmark/benchmark.h>
#include <expat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void UseProjectFonts() { setenv("FONTCONFIG_FILE", HV_BENCH_FONTS_CONF, 1); }

// The three documents' bytes, as embedded in the program.
const std::vector<std::vector<uint8_t>>& Documents() {
  static const std::vector<std::vector<uint8_t>> documents = [] {
    const HV::LEmbeddedXmlResources resources;
    std::vector<std::vector<uint8_t>> all;
    for (const char16_t* name : {u"APP_STRINGS", u"FRAMEWORK_STRINGS", u"APP_SKINS"}) {
      std::vector<uint8_t> storage;
      const std::span<const uint8_t> bytes = resources.FindXmlResource(HV::StringW(name), storage);
      all.emplace_back(bytes.begin(), bytes.end());
    }
    return all;
  }();
  return documents;
}

int64_t DocumentBytes() {
  int64_t total = 0;
  for (const std::vector<uint8_t>& document : Documents()) total += static_cast<int64_t>(document.size());
  return total;
}

// One bare parse of every document; false when one does not parse.
bool ParseBare() {
  for (const std::vector<uint8_t>& document : Documents()) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    const XML_Status status =
        XML_Parse(parser, reinterpret_cast<const char*>(document.data()), static_cast<int>(document.size()), XML_TRUE);
    XML_ParserFree(parser);
    if (status != XML_STATUS_OK) return false;
  }
  return true;
}

double SecondsOfBareParse(int times) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < times; ++i) benchmark::DoNotOptimize(ParseBare());
  return std::chrono::duration<double>(Clock::now() - start).count() / times;
}

void BM_EditorDocumentsLoadedAndMainWindowBuilt(benchmark::State& state) {
  UseProjectFonts();
  if (Documents().back().empty()) {
    state.SkipWithError("the documents are not embedded");
    return;
  }
  double built = 0;
  double documents = 0;
  double parsed = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    std::string error;
    const std::unique_ptr<HV::LControlFactory> factory = HV::EditorSkinPreview::LoadEditorDocuments(error);
    if (!factory) {
      state.SkipWithError(error.c_str());
      return;
    }
    documents += std::chrono::duration<double>(Clock::now() - start).count();
    const HV::EditorSkinPreview preview(*factory, HV::StringW(u"mainControl"));
    if (!preview.IsBuilt()) {
      state.SkipWithError("the main window was not built");
      return;
    }
    built += std::chrono::duration<double>(Clock::now() - start).count();
    state.PauseTiming();
    parsed += SecondsOfBareParse(5);
    state.ResumeTiming();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["build_ms"] = 1000 * built / iterations;  // without the tree's teardown
  state.counters["documents_ms"] = 1000 * documents / iterations;  // of build_ms: reading the three documents
  state.counters["bare_parse_ms"] = 1000 * parsed / iterations;
  state.counters["times_bare_parse"] = built / parsed;
  state.SetBytesProcessed(state.iterations() * DocumentBytes());
}
BENCHMARK(BM_EditorDocumentsLoadedAndMainWindowBuilt)->Unit(benchmark::kMillisecond);

void BM_ExpatBareParseOfTheEditorDocuments(benchmark::State& state) {
  for (auto _ : state)
    if (!ParseBare()) state.SkipWithError("parse failed");
  state.SetBytesProcessed(state.iterations() * DocumentBytes());
}
BENCHMARK(BM_ExpatBareParseOfTheEditorDocuments)->Unit(benchmark::kMillisecond);

// The reader alone over the skin, with a handler that does nothing: the
// parser on a thread of its own against reading on one thread, in the same
// run; "times_one_thread" is the first's time over the second's.
class IgnoringHandler : public HV::IXmlContentHandler {
 public:
  void StartElement(const HV::StringW&, const HV::XmlAttributes&) override {}
  void EndElement(const HV::StringW&) override {}
  void CharacterData(const HV::StringW&) override {}
};

double SecondsToRead(const std::vector<uint8_t>& document, HV::XmlDocumentReader::Threads threads) {
  IgnoringHandler handler;
  HV::XmlDocumentReader reader(threads);
  const Clock::time_point start = Clock::now();
  if (!reader.Read(document, handler)) return -1;
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_SkinReadOnTwoThreadsAgainstOne(benchmark::State& state) {
  const std::vector<uint8_t>& skin = Documents().back();
  double two = 0;
  double one = 0;
  for (auto _ : state) {
    const double twoThreads = SecondsToRead(skin, HV::XmlDocumentReader::Threads::Two);
    state.PauseTiming();
    const double oneThread = SecondsToRead(skin, HV::XmlDocumentReader::Threads::One);
    state.ResumeTiming();
    if (twoThreads < 0 || oneThread < 0) {
      state.SkipWithError("the skin does not parse");
      return;
    }
    two += twoThreads;
    one += oneThread;
  }
  state.counters["one_thread_ms"] = 1000 * one / static_cast<double>(state.iterations());
  state.counters["times_one_thread"] = two / one;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(skin.size()));
}
BENCHMARK(BM_SkinReadOnTwoThreadsAgainstOne)->Unit(benchmark::kMillisecond);

}  // namespace
