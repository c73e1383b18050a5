// The page's script as the page carries it: gzip-compressed at build time
// (a third of its bytes), as base64 text, unpacked by the browser's own
// DecompressionStream and run as the script it is.
import packed from 'wgz-seite';

const bytes = Uint8Array.fromBase64?.(packed) ?? Uint8Array.from(atob(packed), (c) => c.charCodeAt(0));
new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'))).text().then((code) => {
  const script = document.createElement('script');
  script.textContent = code;
  document.head.append(script);
});
