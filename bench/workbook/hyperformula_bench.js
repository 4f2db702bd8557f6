// The peer of mhbk_workbook_bench: the same workbook (written by
// "mhbk_workbook_bench --write-workbook <path>") loaded, fully recalculated and edited in
// HyperFormula. Prints one line per measurement: "<name> <milliseconds per iteration>".
'use strict';
const fs = require('fs');
const { HyperFormula } = require('hyperformula');

function columnIndex(letters) {
  let n = 0;
  for (const ch of letters) n = n * 26 + (ch.charCodeAt(0) - 64);
  return n - 1;
}

// Our stored format's {"A1": value} maps to HyperFormula's arrays of rows.
function sheetsOf(book) {
  const sheets = {};
  for (const sheet of book.sheets) {
    const rows = [];
    for (const [address, value] of Object.entries(sheet.cells || {})) {
      const m = /^([A-Z]+)(\d+)$/.exec(address);
      const r = Number(m[2]) - 1, c = columnIndex(m[1]);
      while (rows.length <= r) rows.push([]);
      rows[r][c] = value;
    }
    sheets[sheet.name] = rows.map((row) => Array.from(row, (v) => (v === undefined ? null : v)));
  }
  return sheets;
}

function timeIt(iterations, fn) {
  for (let i = 0; i < Math.min(3, iterations); ++i) fn(i);   // warm-up
  const start = process.hrtime.bigint();
  for (let i = 0; i < iterations; ++i) fn(i);
  return Number(process.hrtime.bigint() - start) / 1e6 / iterations;
}

const book = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const sheets = sheetsOf(book);
const options = { licenseKey: 'gpl-v3' };

let hf = null;
const load = timeIt(30, () => {
  if (hf) hf.destroy();
  hf = HyperFormula.buildFromSheets(sheets, options);
});
const data = hf.getSheetId('Data'), calc = hf.getSheetId('Calc');
const loadedTotal = hf.getCellValue({ sheet: calc, row: 0, col: 2 });
const full = timeIt(30, () => hf.rebuildAndRecalculate());
const edit = timeIt(500, (i) => hf.setCellContents({ sheet: data, row: 499, col: 0 }, [[500 + (i & 1)]]));
console.log(`load_and_recalculate ${load.toFixed(3)}`);
console.log(`full_recalculation ${full.toFixed(3)}`);
console.log(`edit_one_cell ${edit.toFixed(3)}`);
console.log(`check C1=${loadedTotal}`);
