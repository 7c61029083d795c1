// The pages the program prints (platform/printer.cpp).
import { el } from './dom.js';
import { stats } from './transport.js';
import { documentSource } from './web_browser.js';

// Pages the program prints, each once, through the browser's print dialog, from a frame of
// its own that is never shown. A page loaded anew prints none of those sent before it.
let lastPrint = null;
export function printPages(prints) {
  if (!Array.isArray(prints)) return;
  const newest = prints.reduce((m, p) => Math.max(m, p.id), 0);
  if (lastPrint !== null) for (const p of prints) if (p.id > lastPrint) printPage(p);
  lastPrint = Math.max(lastPrint ?? 0, newest);
}

function printPage(p) {
  const frame = el('iframe', 'print-frame', document.body);
  frame.setAttribute('sandbox', 'allow-same-origin allow-modals');
  frame.addEventListener(
    'load',
    () => {
      const w = frame.contentWindow;
      w.addEventListener('afterprint', () => frame.remove(), { once: true });
      stats.prints++;
      w.print();
    },
    { once: true },
  );
  frame.srcdoc = documentSource({ html: p.html, base: p.base });
}
