#!/usr/bin/env node
// Reads the bundled databases with mdb-reader, a reader independent of both
// mdbtools and our own, and checks them against their source data.
//   node check.mjs [DIR]   (DIR holds KorBirth.dll, dream.dll, KorFile.dll;
//                           default: ../../build/default/bin)
import MDBReader from "mdb-reader";
import { readFileSync } from "node:fs";
import { gunzipSync } from "node:zlib";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const dir = process.argv[2] ?? join(here, "../../build/default/bin");
const dataDir = join(here, "../../data");
let failures = 0;

function check(ok, what) {
  if (!ok) {
    failures++;
    console.log(`  FAIL ${what}`);
  }
}

// The writer's TSV: header name:Type, \N for NULL, backslash escapes.
function readTsv(text) {
  const lines = text.split("\n");
  if (lines.at(-1) === "") lines.pop();
  const columns = lines[0].split("\t").map((c) => c.slice(0, c.lastIndexOf(":")));
  const unescape = (v) =>
    v === "\\N" ? null : v.replace(/\\(.)/g, (_, c) => ({ t: "\t", n: "\n", r: "\r", "\\": "\\" })[c]);
  return { columns, rows: lines.slice(1).map((l) => l.split("\t").map(unescape)) };
}

function dateText(value) {
  return value instanceof Date ? value.toISOString().slice(0, 10) : String(value);
}

function compareTable(file, table, source) {
  const reader = new MDBReader(readFileSync(join(dir, file)));
  const names = reader.getTableNames();
  check(names.length === 1 && names[0] === table, `${file}: tables ${JSON.stringify(names)}`);
  const t = reader.getTable(table);
  check(JSON.stringify(t.getColumnNames()) === JSON.stringify(source.columns), `${file}: columns ${t.getColumnNames()}`);
  const data = t.getData();
  check(t.rowCount === source.rows.length, `${file}: row count ${t.rowCount}`);
  check(data.length === source.rows.length, `${file}: rows read ${data.length}`);
  let mismatches = 0;
  data.forEach((row, i) => {
    source.columns.forEach((c, j) => {
      const got = row[c] === null ? null : dateText(row[c]);
      if (got !== source.rows[i][j] && mismatches++ < 5)
        console.log(`  FAIL ${file} row ${i + 1} ${c}: ${JSON.stringify(got)} != ${JSON.stringify(source.rows[i][j])}`);
    });
  });
  failures += mismatches;
  console.log(`${file}: table ${table}, ${data.length} rows, ${source.columns.length} columns, ${mismatches} differences`);
}

compareTable("KorBirth.dll", "huangdao", readTsv(gunzipSync(readFileSync(join(dataDir, "huangdao.tsv.gz"))).toString("utf8")));
compareTable("dream.dll", "shouji", readTsv(readFileSync(join(dataDir, "shouji.tsv"), "utf8")));

const korFile = new MDBReader(readFileSync(join(dir, "KorFile.dll")));
const korTables = korFile.getTableNames();
check(korTables.length === 0, `KorFile.dll: tables ${JSON.stringify(korTables)}`);
console.log(`KorFile.dll: ${korTables.length} user tables`);

console.log(failures === 0 ? "mdb-reader: all three files read and match their sources" : `mdb-reader: ${failures} failures`);
process.exit(failures === 0 ? 0 : 1);
