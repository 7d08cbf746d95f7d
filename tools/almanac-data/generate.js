#!/usr/bin/env node
// Writes the day table `huangdao` (1901-01-01 .. 2050-12-31, one row a day) as
// gzip-compressed TSV in the input format of tools/jetwrite. The output is a
// pure function of the pinned library version: no clock, no locale, gzip
// header without a time stamp.
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { Solar } = require('lunar-javascript');

const COLUMNS = ['gn:DateTime', 'nn:Text(255)', 'suici:Text(255)', 'tszf:Text(255)',
  'wuhang:Text(255)', 'cong:Text(255)', 'pzbj:Text(255)', 'jsyq:Text(255)',
  'yi:Text(255)', 'xsyq:Text(255)', 'ji:Text(255)'];

const FIRST = Date.UTC(1901, 0, 1);
const LAST = Date.UTC(2050, 11, 31);
const DAY_MS = 86400000;

function pad2(n) { return String(n).padStart(2, '0'); }

function list(items) { return items.join(' '); }

// One row of the table, as the array of its column values.
function dayRow(y, m, d) {
  const solar = Solar.fromYmd(y, m, d);
  const lunar = solar.getLunar();
  const overview = [
    '农历' + lunar.getMonthInChinese() + '月' + lunar.getDayInChinese(),
    lunar.getYearShengXiao() + '年',
    '星期' + solar.getWeekInChinese(),
    lunar.getDayTianShen() + lunar.getDayTianShenType(),
    lunar.getZhiXing() + '日',
    lunar.getXiu() + lunar.getZheng() + lunar.getAnimal(),
  ];
  const term = lunar.getJieQi();
  if (term) overview.push(term);
  return [
    `${y}-${pad2(m)}-${pad2(d)}`,
    overview.join(' '),
    `${lunar.getYearInGanZhiByLiChun()}年 ${lunar.getMonthInGanZhi()}月 ${lunar.getDayInGanZhi()}日`,
    lunar.getDayPositionTai(),
    lunar.getDayNaYin(),
    `冲${lunar.getDayChongShengXiao()}(${lunar.getDayChongGan()}${lunar.getDayChong()})煞${lunar.getDaySha()}`,
    `${lunar.getPengZuGan()} ${lunar.getPengZuZhi()}`,
    list(lunar.getDayJiShen()),
    list(lunar.getDayYi()),
    list(lunar.getDayXiongSha()),
    list(lunar.getDayJi()),
  ];
}

function checkValue(value, where) {
  if (value !== value.trim()) throw new Error(`${where}: leading or trailing blank in "${value}"`);
  if (/[\t\r\n\\]/.test(value)) throw new Error(`${where}: character that TSV would need to escape`);
  if (value.length > 255) throw new Error(`${where}: longer than 255 characters`);
  if (value.length === 0) throw new Error(`${where}: empty`);
}

function buildTsv() {
  const lines = [COLUMNS.join('\t')];
  for (let t = FIRST; t <= LAST; t += DAY_MS) {
    const date = new Date(t);
    const row = dayRow(date.getUTCFullYear(), date.getUTCMonth() + 1, date.getUTCDate());
    row.forEach((v, i) => checkValue(v, `${row[0]} ${COLUMNS[i]}`));
    lines.push(row.join('\t'));
  }
  return lines.join('\n') + '\n';
}

function main() {
  const out = process.argv[2];
  if (!out) {
    console.error('usage: generate.js OUTPUT.tsv.gz');
    process.exit(2);
  }
  const tsv = buildTsv();
  // Level 9 and no file name or time stamp in the header: same input, same bytes.
  const gz = zlib.gzipSync(Buffer.from(tsv, 'utf8'), { level: 9 });
  fs.mkdirSync(path.dirname(out), { recursive: true });
  fs.writeFileSync(out, gz);
  console.log(`${out}: ${tsv.split('\n').length - 2} rows, ${gz.length} bytes`);
}

if (require.main === module) main();
module.exports = { dayRow, buildTsv };
