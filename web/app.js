// The page: the dialog's decode in a form, its state in the address.
import { loadDecoder } from './varnock_api.js';

const form = document.getElementById('decode');
const code = form.elements.code;
const maker = form.elements.maker;
const result = document.getElementById('result');
const alert = document.getElementById('alert');
const decoder = loadDecoder();

if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');

// Turns letters to upper case one character for one, as the dialog's field does, so
// that the cursor stays where it was.
function upperCase(text) {
  return Array.from(text, (c) => (c.toUpperCase().length === c.length ? c.toUpperCase() : c)).join('');
}

function firstLine(text) {
  return text.split(/\r\n?|\n/, 1)[0];
}

code.addEventListener('input', () => {
  const { selectionStart, selectionEnd } = code;
  code.value = upperCase(code.value);
  code.setSelectionRange(selectionStart, selectionEnd);
});

// A pasted text keeps its first line, as the dialog's one-line field takes it.
code.addEventListener('paste', (event) => {
  event.preventDefault();
  code.setRangeText(upperCase(firstLine(event.clipboardData.getData('text'))),
    code.selectionStart, code.selectionEnd, 'end');
});

function show(element, paragraphs) {
  element.replaceChildren(...paragraphs.map((text) => {
    const paragraph = document.createElement('p');
    paragraph.textContent = text;
    return paragraph;
  }));
}

// Decodes under the chosen decade, or under each when the user is not sure (once, with
// none, for a maker whose codes carry the whole year). A date replaces the result, an
// error is announced and the result stays, and no result changes nothing.
async function process() {
  const { decode } = await decoder;
  const chosen = form.elements.decade.value;
  const needsDecade = maker.selectedOptions[0]?.dataset.needsDecade === 'true';
  const decades = chosen !== 'all' ? [Number(chosen)] : needsDecade ? [1990, 2000, 2010, 2020] : [0];
  const outcomes = decades.map((decade) => ({ decade, ...decode(maker.value, decade, code.value) }));
  const dates = outcomes.filter((outcome) => outcome.kind === 'date');
  const error = outcomes.find((outcome) => outcome.kind === 'error');
  if (dates.length > 0) {
    show(result, dates.map(({ decade, text }) => (decades.length > 1 ? `${decade}s: ${text}` : text)));
    show(alert, []);
  } else if (error) {
    show(alert, error.text.split('\n\n'));
  }
  rememberInAddress();
}

// The form's state in the address, so that a decode can be shared as a link.
function rememberInAddress() {
  const state = new URLSearchParams();
  if (maker.value) state.set('maker', maker.value);
  if (form.elements.decade.value) state.set('decade', form.elements.decade.value);
  if (code.value) state.set('code', code.value);
  history.replaceState(null, '', `?${state}`);
}

// Fills the form from the address; what is not one of the form's choices is ignored.
function restoreFromAddress() {
  const state = new URLSearchParams(location.search);
  const makerId = state.get('maker');
  if ([...maker.options].some((option) => option.value && option.value === makerId)) {
    maker.value = makerId;
  }
  const decade = [...form.elements.decade].find((choice) => choice.value === state.get('decade'));
  if (decade) decade.checked = true;
  code.value = upperCase(firstLine(state.get('code') ?? ''));
  return maker.value !== '' && code.value !== '';
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  process();
});

if (restoreFromAddress()) process();
