// The page's decoder module under node: each kind of outcome and each decade, through the
// same calls the page makes. (What each maker's codes give is the decoder tests' business.)
// Usage: node web_module_test.mjs MODULE_DIR
import assert from 'node:assert/strict';
import { join } from 'node:path';
import test from 'node:test';
import { pathToFileURL } from 'node:url';

const dir = process.argv[2] ?? 'build/wasm/web';
const { loadDecoder } = await import(pathToFileURL(join(dir, 'varnock_api.js')));
const { decode, pageTexts } = await loadDecoder();

const NO_DATE = 'No date string found in the provided input. Please check the serial code you entered.';
const NO_DECADE = 'No decade selected. This manufacturer requires a decade estimate.';

test('decodes through the page\'s calls as the dialog does, and gives its words and makers', () => {
  const cases = [
    ['cmc', 0, 'kc 15', 'date', 'March 15th, 2006'],
    ['daxon', 2010, 'x\u00e912abc25', 'date', 'December 25th, 1879'],
    ['mcc-dvd', 2020, 'mk1', 'date', '2021'],
    ['mitsui', 2000, '4060', 'date', 'February 29th, 2004'],
    ['mjc', 2010, '41231', 'date', 'December 31st, 2014'],
    ['mbi', 0, '5123', 'error', NO_DECADE],
    ['ritek', 1990, 'ri50615', 'date', 'June 15th, 1995'],
    ['', 2000, 'KC15', 'none', ''],
    ['verbatim', 2000, 'KC15', 'none', ''],
    ['tdk', 1995, 'A4XYZ', 'error', NO_DECADE],  // no such decade: none
    ['cmc', 0, 'X'.repeat(123) + 'kc15' + 'Y'.repeat(500), 'date', 'March 15th, 2006'],
    ['cmc', 0, 'X'.repeat(124) + 'kc15', 'error', NO_DATE],  // the 128th character is cut
    ['cmc', 0, Uint8Array.of(0x4b, 0xc3, 0x43, 0x31, 0x35), 'invalid', ''],
  ];
  for (const [maker, decade, code, kind, text] of cases) {
    assert.deepEqual(decode(maker, decade, code), { kind, text }, `${maker} ${decade} ${code}`);
  }
  const texts = pageTexts();
  assert.deepEqual([texts.code, texts.maker, texts.decade, texts.process, texts.result],
    ['Hub code', 'Manufacturer', 'Decade', 'Process', 'Manufacturing date']);
  assert.deepEqual(texts.decades.map(([year, label]) => `${year} ${label}`),
    ['1990 1990s', '2000 2000s', '2010 2010s', '2020 2020s']);
  assert.deepEqual([texts.makers.length, texts.makers[1], texts.makers[4]], [13,
    ['daxon', 'Daxon Technology', false], ['mcc-dvd', 'Mitsubishi Chemical Corporation [DVD\u00b1R]', true]]);
  assert.equal(texts.caption, 'Varnock v2.0B1 [BETA]');
});
