// The page: the dialog's decode in a form, its state in the address and the history.
import { loadDecoder } from './varnock_api.js';

const form = document.getElementById('decode');
const code = form.elements.code;
const maker = form.elements.maker;
const processButton = document.getElementById('process');
const result = document.getElementById('result');
const resultFor = document.getElementById('result-for');
const leftOutNote = document.getElementById('left-out');
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

// Paragraphs of text; {heading} ones stand over those that follow.
function show(element, paragraphs) {
  element.replaceChildren(...paragraphs.map((item) => {
    const paragraph = document.createElement('p');
    paragraph.textContent = item.heading ?? item;
    if (item.heading) paragraph.className = 'heading';
    return paragraph;
  }));
}

const paragraphsOf = (element) => [...element.children].map((p) => p.textContent);

// What the page shows of a decode, kept with its history entry so that Back brings it
// back as it was: a date shown beside an error that came after it included.
function shown() {
  return { result: [...result.children].map((p) => (p.className ? { heading: p.textContent } : p.textContent)),
           resultFor: resultFor.textContent, leftOut: leftOutNote.textContent, alert: paragraphsOf(alert),
           summary: paragraphsOf(summary) };
}

function showAgain(state) {
  show(result, state?.result ?? []);
  resultFor.textContent = state?.resultFor ?? '';
  leftOutNote.textContent = state?.leftOut ?? '';
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

const decadeName = (decade) => (decade ? `${decade}s` : 'Whole year in the code');

// What a decode shows: {dates, error, leftOut}. Under the chosen maker and decade, it
// is the dialog's decode. When the user is not sure of either, it is every candidate
// that can be true, none after today: under each decade for one maker, grouped by
// decade for every maker.
function outcome({ decode, candidates }) {
  const chosen = form.elements.decade.value;
  if (maker.value !== 'any' && chosen !== 'all') {
    const { kind, text } = decode(maker.value, Number(chosen), code.value);
    return { dates: kind === 'date' ? [text] : [], error: kind === 'error' ? text : '', leftOut: 0 };
  }
  const { found = [], after_today: leftOut = 0, message = '' } =
    candidates(maker.value, chosen === 'all' ? 'all' : Number(chosen), code.value, new Date());
  const dates = maker.value !== 'any'
    ? found.map(({ decade, text }) => (decade ? `${decade}s: ${text}` : text))
    : found.flatMap(({ decade, makers, text }, i) => [
      ...(i === 0 || found[i - 1].decade !== decade ? [{ heading: decadeName(decade) }] : []),
      `${makers.join(', ')}: ${text}`]);
  return { dates, error: message, leftOut };
}

// A date replaces the result, an error is announced and the result stays, and no result
// changes nothing. A decode that shows something becomes a history entry, unless
// `restoring` one.
async function process(restoring = false) {
  let api;
  try {
    api = await decoder;
  } catch {
    return;  // already said
  }
  const { dates, error, leftOut } = outcome(api);
  let news;
  if (dates.length > 0) {
    show(result, dates);
    leftOutNote.textContent = leftOut === 0 ? ''
      : leftOut === 1 ? '1 candidate dated after today is not shown: it cannot be true.'
        : `${leftOut} candidates dated after today are not shown: they cannot be true.`;
    resultFor.textContent = `${code.value.toUpperCase()}, ${maker.selectedOptions[0].textContent}`;
    show(summary, [...form.querySelectorAll('label[for], legend')].map((label) =>
      `${label.textContent}: ${shownValue(label)}`));
    show(alert, []);
    actions.hidden = false;
    copied.textContent = '';
    news = document.getElementById('result-section');
  } else if (error) {
    show(alert, error.split('\n\n'));
    news = alert;
  } else {
    return;
  }
  news.scrollIntoView({ block: 'nearest' });
  if (!restoring) remember();
}

// The value of the control a label names, as the user sees it.
function shownValue(label) {
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
