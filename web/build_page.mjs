// Writes the page from its template with the dialog's words and the makers, as the
// decoder module gives them, so that no text is written twice.
// Usage: node build_page.mjs SITE_DIR TEMPLATE
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [site, template] = process.argv.slice(2);
const { loadDecoder } = await import(pathToFileURL(join(site, 'varnock_api.js')));
const decoder = await loadDecoder({ wasmBinary: readFileSync(join(site, 'varnock.wasm')) });
const texts = decoder.pageTexts();

const escape = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
const makers = texts.makers.map(([id, name, needsDecade]) =>
  `        <option value="${escape(id)}" data-needs-decade="${needsDecade}">${escape(name)}</option>`);
const decades = texts.decades.map(([year, label]) =>
  `        <label><input type="radio" name="decade" value="${year}"> ${escape(label)}</label>`);
const fills = { ...texts, maker_options: makers.join('\n'), decade_choices: decades.join('\n') };
const page = readFileSync(template, 'utf8').replace(/@(\w+)@/g, (_, key) =>
  key === 'maker_options' || key === 'decade_choices' ? fills[key] : escape(fills[key]));
writeFileSync(join(site, 'index.html'), page);
