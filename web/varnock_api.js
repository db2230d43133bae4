// The decoder module, as the page and its tests use it.
import createVarnock from './varnock.js';

const KINDS = ['none', 'date', 'error', 'invalid'];
const encoder = new TextEncoder();

// Loads the module; `options` go to it as they are.
export async function loadDecoder(options = {}) {
  const module = await createVarnock(options);

  // Copies the bytes into the module's memory for the call, and frees them after.
  function withBytes(bytes, call) {
    const at = module._malloc(bytes.length + 1);
    module.HEAPU8.set(bytes, at);
    module.HEAPU8[at + bytes.length] = 0;
    try {
      return call(at);
    } finally {
      module._free(at);
    }
  }

  return {
    // Decodes a code (UTF-8 bytes, or a string) for a maker's short id and a decade (0
    // or its first year): {kind: 'none' | 'date' | 'error' | 'invalid', text}.
    decode(maker, decade, code) {
      const bytes = typeof code === 'string' ? encoder.encode(code) : code;
      const kind = withBytes(encoder.encode(maker), (makerAt) =>
        withBytes(bytes, (codeAt) => module._varnock_decode(makerAt, decade, codeAt, bytes.length)));
      return { kind: KINDS[kind], text: module.UTF8ToString(module._varnock_text()) };
    },
    // Every date the code can give under a maker's short id or 'any', and a decade's
    // first year or 'all', none after `today` (a Date): {found: [{makers, decade, text}],
    // after_today, message}, makers by name and decade 0 for makers that need none; or
    // {invalid: true}.
    candidates(maker, decade, code, today) {
      const bytes = typeof code === 'string' ? encoder.encode(code) : code;
      const json = withBytes(encoder.encode(maker), (makerAt) => withBytes(bytes, (codeAt) =>
        module._varnock_candidates(makerAt, decade === 'all' ? -1 : decade, codeAt, bytes.length,
          today.getFullYear(), today.getMonth() + 1, today.getDate())));
      return JSON.parse(module.UTF8ToString(json));
    },
    // The dialog's words and the makers, from which the page is built.
    pageTexts() {
      return JSON.parse(module.UTF8ToString(module._varnock_page_texts()));
    },
  };
}
