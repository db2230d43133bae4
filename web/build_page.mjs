// Writes the page into SITE_DIR: the page from its template with the dialog's words and
// the makers as the decoder module gives them, so that no text is written twice, and
// with its script (the module included) and its style within it, so that a first visit
// needs one round trip; every other file under a name made from its content, so that no
// cache can pass an old copy off as a new one; the web app manifest; and the worker with
// the list of files to keep.
// Usage: node build_page.mjs SITE_DIR MODULE_DIR [SOURCE_DIR]
//   MODULE_DIR holds varnock.js (the wasm within it) and varnock_api.js; SOURCE_DIR the
//   page's sources, this folder by default.
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, extname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const [site, moduleDir, sources = here] = process.argv.slice(2);
const art = join(here, '..', 'res', 'art');
const { loadDecoder } = await import(pathToFileURL(join(moduleDir, 'varnock_api.js')));
const decoder = await loadDecoder();
const texts = {
  ...decoder.pageTexts(),
  summary: 'Tells when a recordable CD or DVD was made, from the hub code in its clear inner ring.',
};

rmSync(site, { recursive: true, force: true });
mkdirSync(site, { recursive: true });

// Each file goes out as NAME.HASH.EXT; `names` maps a file's own name to that one. A file
// that names others comes after them, with their names replaced.
const names = {};
function add(name, bytes) {
  const hash = createHash('sha256').update(bytes).digest('hex').slice(0, 10);
  const ext = extname(name);
  names[name] = `${name.slice(0, -ext.length)}.${hash}${ext}`;
  writeFileSync(join(site, names[name]), bytes);
}
function addText(name, text, refers = []) {
  add(name, refers.reduce((out, other) => out.replaceAll(other, names[other]), text));
}
const read = (dir, name) => readFileSync(join(dir, name));

for (const name of ['logo.png', 'logo@2x.png', 'varnock.svg', 'apple-touch-icon.png', 'web-192.png',
                    'web-512.png', 'web-maskable-512.png']) {
  add(name, read(art, name));
}
const icon = (name, size, purpose = 'any') =>
  ({ src: names[name], sizes: `${size}x${size}`, type: 'image/png', purpose });
add('manifest.webmanifest', JSON.stringify({
  id: './',
  name: 'Varnock',
  short_name: 'Varnock',
  description: texts.summary,
  start_url: './',
  scope: './',
  display: 'standalone',
  theme_color: '#1d3557',
  background_color: '#f6f8fa',
  icons: [icon('web-192.png', 192), icon('web-512.png', 512), icon('web-maskable-512.png', 512, 'maskable')],
}, null, 2));
// Browsers ask for /favicon.ico whatever the page says, so it keeps its name.
writeFileSync(join(site, 'favicon.ico'), read(art, 'favicon.ico'));

// The three modules as one: each one's import of the one before is dropped, the names
// it imports being that one's own.
function bundle() {
  const parts = [[moduleDir, 'varnock.js', null],
                 [moduleDir, 'varnock_api.js', "import createVarnock from './varnock.js';"],
                 [sources, 'app.js', "import { loadDecoder } from './varnock_api.js';"]];
  const script = parts.map(([dir, name, line]) => {
    const text = read(dir, name).toString();
    if (line && !text.includes(line)) throw new Error(`${name} no longer starts with: ${line}`);
    return line ? text.replace(line, '') : text;
  }).join('\n');
  if (/<\/script|<!--/i.test(script)) throw new Error('the script holds text that would end it early');
  return script;
}
const script = bundle();
const style = read(sources, 'style.css').toString();
const cspHash = (text) => `'sha256-${createHash('sha256').update(text).digest('base64')}'`;

const escape = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
const makers = texts.makers.map(([id, name]) =>
  `        <option value="${escape(id)}">${escape(name)}</option>`);
const decades = texts.decades.map(([year, label]) =>
  `        <label><input type="radio" name="decade" value="${year}"> ${escape(label)}</label>`);
const markup = { maker_options: makers.join('\n'), decade_choices: decades.join('\n'),
                 script, style, script_hash: cspHash(script), style_hash: cspHash(style) };
const page = read(sources, 'index.html.in').toString()
  .replace(/\{file:([^}]+)\}/g, (_, name) => {
    if (!names[name]) throw new Error(`the page names ${name}, which is not among its files`);
    return names[name];
  })
  .replace(/@(\w+)@/g, (_, key) => markup[key] ?? escape(texts[key]));
writeFileSync(join(site, 'index.html'), page);

// The worker keeps every file, under a cache named after them all: a new version of any
// file is a new cache.
const kept = ['./', 'favicon.ico', ...Object.values(names)];
const version = createHash('sha256').update(page).update(kept.join('\n')).digest('hex').slice(0, 10);
writeFileSync(join(site, 'sw.js'), read(sources, 'sw.js.in').toString()
  .replace('@cache@', `varnock-${version}`)
  .replace('@files@', JSON.stringify(kept)));
