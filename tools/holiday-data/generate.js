#!/usr/bin/env node
// Writes data/holidays.tsv: the statutory holidays (休) and the working days
// moved onto a weekend (班) of mainland China, one line a day, for every year
// the pinned chinese-days release knows. Only the package's public functions
// are used; the output depends on nothing but its version (no clock, no
// locale, sorted by date).
'use strict';

// The package reads dates in the local time zone and slips a day west of
// Greenwich; the schedules are Beijing's dates, so read them there.
process.env.TZ = 'Asia/Shanghai';

const fs = require('fs');
const path = require('path');
const {
  getDayDetail, getHolidaysInRange, getWorkdaysInRange,
} = require('chinese-days');

// Wider than any schedule the package can hold; the years it covers are the
// ones with at least one statutory holiday.
const PROBE_FIRST = 1949;
const PROBE_LAST = 2100;

function isWeekend(iso) {
  const day = new Date(`${iso}T00:00:00Z`).getUTCDay();
  return day === 0 || day === 6;
}

// "Spring Festival,春节,4": English name, Chinese name, length of the break.
function chineseName(iso) {
  const parts = getDayDetail(iso).name.split(',');
  if (parts.length !== 3 || !parts[1]) throw new Error(`${iso}: unexpected day name "${parts.join(',')}"`);
  return parts[1];
}

function main() {
  const out = process.argv[2];
  if (!out) throw new Error('usage: node generate.js OUTPUT.tsv');
  const rows = [];
  const years = [];
  for (let y = PROBE_FIRST; y <= PROBE_LAST; ++y) {
    const first = `${y}-01-01`;
    const last = `${y}-12-31`;
    // includeWeekends=false: the days of the official schedule only.
    const holidays = getHolidaysInRange(first, last, false);
    if (holidays.length === 0) continue;
    years.push(y);
    for (const d of holidays) rows.push([d, '休', chineseName(d)]);
    for (const d of getWorkdaysInRange(first, last, true)) {
      if (isWeekend(d)) rows.push([d, '班', chineseName(d)]);
    }
  }
  if (years.length === 0) throw new Error('the package knows no holidays');
  for (let i = 1; i < years.length; ++i) {
    if (years[i] !== years[i - 1] + 1) throw new Error(`years not contiguous: ${years[i - 1]} then ${years[i]}`);
  }
  rows.sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0));
  for (let i = 1; i < rows.length; ++i) {
    if (rows[i][0] === rows[i - 1][0]) throw new Error(`${rows[i][0]} is both a holiday and a working day`);
  }
  const text = ['date\tkind\tname', ...rows.map((r) => r.join('\t'))].join('\n') + '\n';
  fs.writeFileSync(path.resolve(out), text);
  process.stderr.write(`${rows.length} days, years ${years[0]}-${years[years.length - 1]}\n`);
}

main();
