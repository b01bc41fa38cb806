// Holds an ADIF file of tarnwick2adif to an independent strict reader, tcadif, and to what that
// reader does not check. Usage: node strict_read.js TCADIF_DIR FILE.adi CONTACTS DATA_DIR
// Fails unless tcadif parses the file without error into exactly CONTACTS contacts whose fields
// equal the fields as the file declares them, byte for byte and length for length; unless the
// file is ASCII, every field's declared length is its data's and every record ends <EOR>; and
// unless no mode is import-only, every SUBMODE belongs to its MODE and every FREQ lies in BAND.
'use strict';
const fs = require('fs');
const path = require('path');
const [tcadifDir, file, contacts, dataDir] = process.argv.slice(2);
const { ADIF } = require(tcadifDir);
const failures = [];
const fail = (what) => failures.push(what);

const bytes = fs.readFileSync(file);
if (bytes.some((b) => b > 0x7e || (b < 0x20 && b !== 0x0d && b !== 0x0a))) fail('a byte that is not printable ASCII');
const text = bytes.toString('latin1');

// Our own reading: fields <NAME:LENGTH>DATA, only blanks and line ends between them.
const records = [];
let record = {};
let header = null;
let at = text.indexOf('<');
if (text.slice(0, at).includes('>')) fail('the free text before the header holds a >');
while (at < text.length) {
  const tag = /^<([^:<>,{}]+)(?::(\d+))?>/.exec(text.slice(at));
  if (!tag) { fail(`no field at byte ${at}`); break; }
  const name = tag[1].toUpperCase();
  const length = tag[2] === undefined ? 0 : Number(tag[2]);
  const data = text.substr(at + tag[0].length, length);
  if (data.length !== length) fail(`${name}: the file ends inside its data`);
  at += tag[0].length + length;
  if (name === 'EOH') { header = record; record = {}; } else if (name === 'EOR') { records.push(record); record = {}; } else record[name] = data;
  const gap = /^[ \r\n]*/.exec(text.slice(at))[0];
  if (at + gap.length < text.length && text[at + gap.length] !== '<') fail(`text between fields at byte ${at}`);
  at += gap.length;
}
if (header === null) fail('no <EOH>');
if (Object.keys(record).length !== 0) fail('fields after the last <EOR>');
if (records.length !== Number(contacts)) fail(`${records.length} records end <EOR>, the summary says ${contacts}`);

let parsed = null;
try { parsed = ADIF.parse(text).toObject(); } catch (error) { fail(`tcadif: ${error.message}`); }
if (parsed) {
  if (parsed.qsos.length !== Number(contacts)) fail(`tcadif reads ${parsed.qsos.length} contacts, the summary says ${contacts}`);
  parsed.qsos.forEach((qso, i) => {
    const ours = records[i] || {};
    for (const [name, value] of Object.entries(ours)) {
      if (name.startsWith('APP_')) continue;  // tcadif keeps no application fields
      if (!(name in qso)) fail(`contact ${i + 1}: tcadif lost ${name}`);
      else if (String(qso[name]).toUpperCase() !== value.toUpperCase()) fail(`contact ${i + 1}: ${name} is ${value}, tcadif reads ${qso[name]}`);
    }
    for (const name of Object.keys(qso)) if (!(name in ours)) fail(`contact ${i + 1}: tcadif reads ${name}, which is not written`);
  });
}

// What tcadif does not hold.
const rows = (name) => fs.readFileSync(path.join(dataDir, name), 'utf8').split('\n').slice(2).filter(Boolean).map((l) => l.split('\t'));
const modes = new Map(rows('adif-modes.tsv').map(([kind, value, mode, importOnly]) => [`${kind} ${value}`, { mode, importOnly }]));
const bands = new Map(rows('adif-bands.tsv').map(([band, lower, upper]) => [band, [Number(lower), Number(upper)]]));
records.forEach((r, i) => {
  const mode = modes.get(`mode ${r.MODE}`);
  if (!mode || mode.importOnly === 'yes') fail(`contact ${i + 1}: MODE ${r.MODE} is no mode to write`);
  if (r.SUBMODE !== undefined) {
    const submode = modes.get(`submode ${r.SUBMODE}`);
    if (!submode || submode.importOnly === 'yes' || submode.mode !== r.MODE) fail(`contact ${i + 1}: SUBMODE ${r.SUBMODE} is no submode of ${r.MODE}`);
  }
  if (r.BAND === undefined && r.FREQ === undefined) fail(`contact ${i + 1}: neither BAND nor FREQ`);
  if (r.BAND !== undefined && !bands.has(r.BAND)) fail(`contact ${i + 1}: BAND ${r.BAND} is no band of ADIF`);
  if (r.BAND !== undefined && r.FREQ !== undefined) {
    const [lower, upper] = bands.get(r.BAND) || [0, 0];
    if (!(Number(r.FREQ) >= lower && Number(r.FREQ) <= upper)) fail(`contact ${i + 1}: FREQ ${r.FREQ} is not in BAND ${r.BAND}`);
  }
});

if (failures.length !== 0) {
  console.error(`${file}:\n  ${failures.join('\n  ')}`);
  process.exit(1);
}
console.log(`${file}: ${records.length} contacts, as tcadif reads them`);
