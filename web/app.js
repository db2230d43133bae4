// The page: the dialog's decode in a form, its state in the address and the history.
import { loadDecoder } from './varnock_api.js';

const form = document.getElementById('decode');
const code = form.elements.code;
const maker = form.elements.maker;
const processButton = document.getElementById('process');
const result = document.getElementById('result');
const resultFor = document.getElementById('result-for');
const summary = document.getElementById('summary');
const actions = document.querySelector('.actions');
const copied = document.getElementById('copied');
const alert = document.getElementById('alert');
const makerName = document.getElementById('maker-name');

const LOAD_FAILED = 'The decoder could not be loaded; reload the page to try again.';
const decoder = loadDecoder();
decoder.catch(() => {
  processButton.disabled = true;
  show(alert, [LOAD_FAILED]);
});

if ('serviceWorker' in navigator) {
  // Checked past the browser's cache, so that a new version is never held back by it.
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
}

function firstLine(text) {
  return text.split(/\r\n?|\n/, 1)[0];
}

// A pasted text keeps its first line, as the dialog's one-line field takes it; inserted
// as typing is, so that undo takes it back. The field shows upper case through its
// style, and the decoder turns the code to upper case as the dialog does.
code.addEventListener('paste', (event) => {
  event.preventDefault();
  const line = firstLine(event.clipboardData.getData('text'));
  if (!document.execCommand('insertText', false, line)) {
    code.setRangeText(line, code.selectionStart, code.selectionEnd, 'end');
  }
});

function show(element, paragraphs) {
  element.replaceChildren(...paragraphs.map((text) => {
    const paragraph = document.createElement('p');
    paragraph.textContent = text;
    return paragraph;
  }));
}

const paragraphsOf = (element) => [...element.children].map((p) => p.textContent);

// What the page shows of a decode, kept with its history entry so that Back brings it
// back as it was: a date shown beside an error that came after it included.
function shown() {
  return { result: paragraphsOf(result), resultFor: resultFor.textContent, alert: paragraphsOf(alert),
           summary: paragraphsOf(summary) };
}

function showAgain(state) {
  show(result, state?.result ?? []);
  resultFor.textContent = state?.resultFor ?? '';
  show(alert, state?.alert ?? []);
  show(summary, state?.summary ?? []);
  actions.hidden = result.children.length === 0;
  copied.textContent = '';
}

// The full name of the chosen maker, under the list when the list is too narrow for it.
const measure = document.createElement('canvas').getContext('2d');
function showMakerName() {
  const name = maker.selectedOptions[0]?.textContent ?? '';
  const style = getComputedStyle(maker);
  measure.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
  const room = maker.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 24;
  makerName.textContent = name;
  makerName.hidden = name === '' || measure.measureText(name).width <= room;
}
maker.addEventListener('change', showMakerName);
new ResizeObserver(showMakerName).observe(maker);

// Decodes under the chosen decade, or under each when the user is not sure (once, with
// none, for a maker whose codes carry the whole year). A date replaces the result, an
// error is announced and the result stays, and no result changes nothing. A decode that
// shows something becomes a history entry, unless `restoring` one.
async function process(restoring = false) {
  let decode;
  try {
    ({ decode } = await decoder);
  } catch {
    return;  // already said
  }
  const chosen = form.elements.decade.value;
  const needsDecade = maker.selectedOptions[0]?.dataset.needsDecade === 'true';
  const decades = chosen !== 'all' ? [Number(chosen)] : needsDecade ? [1990, 2000, 2010, 2020] : [0];
  const outcomes = decades.map((decade) => ({ decade, ...decode(maker.value, decade, code.value) }));
  const dates = outcomes.filter((outcome) => outcome.kind === 'date');
  const error = outcomes.find((outcome) => outcome.kind === 'error');
  let news;
  if (dates.length > 0) {
    show(result, dates.map(({ decade, text }) => (decades.length > 1 ? `${decade}s: ${text}` : text)));
    resultFor.textContent = `${code.value.toUpperCase()}, ${maker.selectedOptions[0].textContent}`;
    show(summary, [...form.querySelectorAll('label[for], legend')].map((label) =>
      `${label.textContent}: ${valueOf(label)}`));
    show(alert, []);
    actions.hidden = false;
    copied.textContent = '';
    news = document.getElementById('result-section');
  } else if (error) {
    show(alert, error.text.split('\n\n'));
    news = alert;
  } else {
    return;
  }
  news.scrollIntoView({ block: 'nearest' });
  if (!restoring) remember();
}

// The value of the control a label names, as the user sees it.
function valueOf(label) {
  if (label.tagName === 'LEGEND') {
    const checked = form.querySelector('input[name="decade"]:checked');
    return checked ? checked.parentElement.textContent.trim() : '';
  }
  const control = document.getElementById(label.htmlFor);
  return control === maker ? maker.selectedOptions[0].textContent : control.value.toUpperCase();
}

// The form's state in the address, so that a decode can be shared as a link, and in the
// history: a new entry, unless the address is already this decode's.
function remember() {
  const state = new URLSearchParams();
  if (maker.value) state.set('maker', maker.value);
  if (form.elements.decade.value) state.set('decade', form.elements.decade.value);
  if (code.value) state.set('code', code.value);
  const address = state.size > 0 ? `?${state}` : location.pathname;
  if (new URL(address, location.href).href === location.href) {
    history.replaceState(shown(), '');
  } else {
    history.pushState(shown(), '', address);
  }
}

// Fills the form from the address; what is not one of the form's choices is ignored.
function restoreFromAddress() {
  const state = new URLSearchParams(location.search);
  const makerId = state.get('maker');
  maker.value = [...maker.options].some((option) => option.value && option.value === makerId) ? makerId : '';
  const decade = [...form.elements.decade].find((choice) => choice.value === state.get('decade'));
  for (const choice of form.elements.decade) choice.checked = choice === decade;
  code.value = firstLine(state.get('code') ?? '');
  showMakerName();
  return maker.value !== '' && code.value !== '';
}

window.addEventListener('popstate', (event) => {
  const decodable = restoreFromAddress();
  showAgain(event.state);
  if (!event.state && decodable) process(true);
});

form.addEventListener('submit', (event) => {
  event.preventDefault();
  process();
});

document.getElementById('example').addEventListener('click', (event) => {
  maker.value = 'cmc';
  code.value = event.currentTarget.textContent;
  showMakerName();
  process();
});

// Copying and sharing the result: a word in the status line says how it went.
async function copy(text, done) {
  try {
    await navigator.clipboard.writeText(text);
    copied.textContent = done;
  } catch {
    copied.textContent = 'Copying is not allowed here; select the text to copy it.';
  }
}
const resultText = () => paragraphsOf(result).join('\n');
document.getElementById('copy').addEventListener('click', () => copy(resultText(), 'Date copied.'));
document.getElementById('copy-link').addEventListener('click', () => copy(location.href, 'Link copied.'));
const share = document.getElementById('share');
share.hidden = !navigator.share;
share.addEventListener('click', () => {
  navigator.share({ title: document.title, text: `${resultText()} (${resultFor.textContent})`, url: location.href })
    .catch(() => {});  // the user closed the sheet
});

if (restoreFromAddress()) process(true).then(() => history.replaceState(shown(), ''));
