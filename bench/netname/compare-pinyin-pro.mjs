// Converts the converter benchmark's mixed GBK text to first letters with the
// pinyin-pro package and compares its throughput with the converter's
// (netname_bench, flags 0). Rates are input GBK bytes per second of CPU time,
// in MB (10^6 bytes).
//
//   npm ci && node compare-pinyin-pro.mjs [--bench PATH] [--bytes N] [--runs N]
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { pinyin } from 'pinyin-pro';

const here = dirname(fileURLToPath(import.meta.url));

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i >= 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}

const bench = resolve(option('--bench', process.env.NETNAME_BENCH ?? join(here, '../../build/default/bin/netname_bench')));
const sampleBytes = Number(option('--bytes', 4 * 1024 * 1024));
const runs = Number(option('--runs', 3));
if (!existsSync(bench)) {
  console.error(`netname_bench not found at ${bench}; build it (target netname_bench) or pass --bench PATH`);
  process.exit(2);
}

// The same generator and seed as the benchmark's 16 MiB text: this is its prefix.
const dir = mkdtempSync(join(tmpdir(), 'netname-bench-'));
const samplePath = join(dir, 'sample.gbk');
execFileSync(bench, [`--write-sample=${samplePath}`, `--sample-bytes=${sampleBytes}`]);
const gbk = readFileSync(samplePath);
rmSync(dir, { recursive: true, force: true });
const text = new TextDecoder('gbk').decode(gbk);

const options = { pattern: 'first', toneType: 'none', separator: '', nonZh: 'consecutive' };
pinyin(text.slice(0, 20000), options);  // warm up the JIT and the package's dictionaries

let best = Infinity;
let letters = 0;
for (let i = 0; i < runs; ++i) {
  const before = process.cpuUsage();
  const out = pinyin(text, options);
  const used = process.cpuUsage(before);
  best = Math.min(best, (used.user + used.system) / 1e6);
  letters = out.length;
}
const theirs = gbk.length / best / 1e6;

const report = JSON.parse(execFileSync(bench, [
  '--benchmark_filter=^BM_ConvertToPinyin/flags:0$', '--benchmark_format=json', '--benchmark_repetitions=3',
  '--benchmark_report_aggregates_only=true',
], { encoding: 'utf8' }));
const median = report.benchmarks.find((b) => b.aggregate_name === 'median') ?? report.benchmarks[0];
const ours = median.bytes_per_second / 1e6;

console.log(`text: ${gbk.length} GBK bytes (${text.length} UTF-16 units) for pinyin-pro; 16 MiB for the converter`);
console.log(`pinyin-pro first letters: ${theirs.toFixed(2)} MB/s (best of ${runs}, ${letters} characters out)`);
console.log(`ConvertToPinyin flags 0:  ${ours.toFixed(1)} MB/s (median of 3)`);
console.log(`ratio: ${(ours / theirs).toFixed(1)}x`);
