// Throughput of the pinyin converter over a large mixed GBK text.
//
//   netname_bench [benchmark flags]
//   netname_bench --write-sample=PATH [--sample-bytes=N]   (the text for compare-pinyin-pro.mjs)
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench/netname/MixedGbkText.h"
#include "netname/Pinyin.h"

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

const std::string& Text() {
  static const std::string text = tongshu::netname::bench::MixedGbkText(kTextBytes);
  return text;
}

void BM_ConvertToPinyin(benchmark::State& state) {
  const std::string& text = Text();
  const auto flags = static_cast<tongshu::netname::PinyinFlags>(state.range(0));
  std::size_t letters = 0;
  for (auto _ : state) {
    std::string out = tongshu::netname::ConvertToPinyin(text, flags, INT_MAX);
    letters = out.size();
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
  state.counters["out_chars"] = static_cast<double>(letters);
}
BENCHMARK(BM_ConvertToPinyin)->ArgName("flags")->Arg(0)->Arg(1)->Arg(2)->Arg(7)->Unit(benchmark::kMillisecond);

// A nickname at a time, as the net-name window converts.
void BM_ConvertToPinyinZ_Nickname(benchmark::State& state) {
  const std::string name = "\xCD\xF5\xB7\xBC" "abc" "\xA2\xD0";  // 王芳abc⑿
  for (auto _ : state) {
    tongshu::netname::PinyinZBuffer out(ConvertToPinyinZ(name.c_str(), tongshu::netname::pfMarkUnmapped, 255));
    benchmark::DoNotOptimize(out.get());
  }
}
BENCHMARK(BM_ConvertToPinyinZ_Nickname);

int WriteSample(const char* path, std::size_t bytes) {
  const std::string text = tongshu::netname::bench::MixedGbkText(bytes);
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) {
    std::cerr << "cannot write " << path << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* samplePath = nullptr;
  std::size_t sampleBytes = kTextBytes;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--write-sample=", 15) == 0) samplePath = argv[i] + 15;
    else if (std::strncmp(argv[i], "--sample-bytes=", 15) == 0) sampleBytes = std::strtoull(argv[i] + 15, nullptr, 10);
    else rest.push_back(argv[i]);
  }
  if (samplePath) return WriteSample(samplePath, sampleBytes);

  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());
  if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
