// Copying and comparing the framework's wide string against std::u16string,
// and UTF-8 <-> UTF-16 conversion throughput against glibc's iconv.
#include "HVFramework/Utilities/Storage/StringT.h"
#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>

namespace {

const char16_t kLabel[] = u"NID_MIDI_OUTPUT_DEVICE_CONNECTION_STATUS_CHANGED";

void StringWCopy(benchmark::State& state) {
  const HV::StringW text(kLabel);
  for (auto _ : state) {
    HV::StringW copy(text);
    benchmark::DoNotOptimize(copy.GetText());
  }
}
BENCHMARK(StringWCopy);

void U16StringCopy(benchmark::State& state) {
  const std::u16string text(kLabel);
  for (auto _ : state) {
    std::u16string copy(text);
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(U16StringCopy);

// Equal texts in different buffers: the comparison reads every unit.
void StringWEqual(benchmark::State& state) {
  const HV::StringW a(kLabel);
  const HV::StringW b(kLabel);
  for (auto _ : state) benchmark::DoNotOptimize(a == b);
}
BENCHMARK(StringWEqual);

void U16StringEqual(benchmark::State& state) {
  const std::u16string a(kLabel);
  const std::u16string b(kLabel);
  for (auto _ : state) benchmark::DoNotOptimize(a == b);
}
BENCHMARK(U16StringEqual);

void StringWLess(benchmark::State& state) {
  const HV::StringW a(kLabel);
  HV::StringW b(kLabel);
  b += u"X";
  for (auto _ : state) benchmark::DoNotOptimize(a < b);
}
BENCHMARK(StringWLess);

void U16StringLess(benchmark::State& state) {
  const std::u16string a(kLabel);
  const std::u16string b = a + u"X";
  for (auto _ : state) benchmark::DoNotOptimize(a < b);
}
BENCHMARK(U16StringLess);

// 64 KiB of text: arg 0 ASCII, arg 1 mixed Latin, Cyrillic, CJK and emoji.
std::u16string SampleText(int64_t kind) {
  const std::u16string piece = kind == 0 ? std::u16string(u"Preset Encoder 12 Channel 5 ")
                                         : std::u16string(u"Pr\xE9set \x0424\x0438\x043B\x044C\x0442\x0440 \x97F3\x8272 \xD83C\xDFB9 ");
  std::u16string text;
  while (text.size() < 32768) text += piece;
  return text;
}

std::string SampleUtf8(int64_t kind) {
  const std::u16string wide = SampleText(kind);
  std::string bytes(wide.size() * 3, '\0');
  const char16_t* source = wide.data();
  char* target = bytes.data();
  HV::Utf16ToUtf8(source, wide.data() + wide.size(), target, bytes.data() + bytes.size(), HV::ConversionMode::Lenient);
  bytes.resize(static_cast<size_t>(target - bytes.data()));
  return bytes;
}

void Utf8ToUtf16Framework(benchmark::State& state) {
  const std::string bytes = SampleUtf8(state.range(0));
  std::u16string out(bytes.size(), u'\0');
  for (auto _ : state) {
    const char* source = bytes.data();
    char16_t* target = out.data();
    HV::Utf8ToUtf16(source, bytes.data() + bytes.size(), target, out.data() + out.size(), HV::ConversionMode::Lenient);
    benchmark::DoNotOptimize(target);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(Utf8ToUtf16Framework)->Arg(0)->Arg(1);

void Utf8ToUtf16Iconv(benchmark::State& state) {
  const std::string bytes = SampleUtf8(state.range(0));
  std::u16string out(bytes.size(), u'\0');
  iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
  for (auto _ : state) {
    char* source = const_cast<char*>(bytes.data());
    size_t left = bytes.size();
    char* target = reinterpret_cast<char*>(out.data());
    size_t room = out.size() * 2;
    iconv(cd, &source, &left, &target, &room);
    benchmark::DoNotOptimize(target);
  }
  iconv_close(cd);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(Utf8ToUtf16Iconv)->Arg(0)->Arg(1);

void Utf16ToUtf8Framework(benchmark::State& state) {
  const std::u16string text = SampleText(state.range(0));
  std::string out(text.size() * 3, '\0');
  for (auto _ : state) {
    const char16_t* source = text.data();
    char* target = out.data();
    HV::Utf16ToUtf8(source, text.data() + text.size(), target, out.data() + out.size(), HV::ConversionMode::Lenient);
    benchmark::DoNotOptimize(target);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size() * 2));
}
BENCHMARK(Utf16ToUtf8Framework)->Arg(0)->Arg(1);

void Utf16ToUtf8Iconv(benchmark::State& state) {
  const std::u16string text = SampleText(state.range(0));
  std::string out(text.size() * 3, '\0');
  iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
  for (auto _ : state) {
    char* source = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
    size_t left = text.size() * 2;
    char* target = out.data();
    size_t room = out.size();
    iconv(cd, &source, &left, &target, &room);
    benchmark::DoNotOptimize(target);
  }
  iconv_close(cd);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size() * 2));
}
BENCHMARK(Utf16ToUtf8Iconv)->Arg(0)->Arg(1);

}  // namespace
